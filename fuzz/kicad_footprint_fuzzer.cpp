// Footprint files of the field's S-expression format from outside. A refused file names
// the input; a footprint read has pads of distinct pin numbers within range and sizes
// that are not negative.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>

#include "fuzz/harness_check.h"
#include "host/kicad/kicad_footprint_reader.h"

namespace {

constexpr const char* kSource = "fuzz.kicad_mod";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CString error;
  const std::unique_ptr<CSymbol> symbol =
      CKicadFootprintReader::Parse(InputText(data, size), kSource, "FUZZ", error);
  if (symbol == nullptr) {
    RequireRefusal(error.str(), kSource);
    return 0;
  }
  std::set<int> numbers;
  for (int i = 0; i < symbol->CountPads(); ++i) {
    const CFreePad& pad = symbol->GetPad(i);
    Require(numbers.insert(pad.GetNumber()).second, "two pads share a pin number");
    Require(pad.GetNumber() >= 0 && pad.GetNumber() <= 65535, "a pin number is out of range");
    Require(pad.GetSize().cx >= 0 && pad.GetSize().cy >= 0 && pad.GetDrill() >= 0,
            "a pad has a negative size");
  }
  return 0;
}
