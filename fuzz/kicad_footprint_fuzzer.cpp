// Footprint files of the field's S-expression format from outside. A refused file names
// the input; a footprint read has pin numbers within range (or lands of no pin), every
// land of one pin carries the same label, and no size is negative.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

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
  std::map<int, CString> labels;
  for (int i = 0; i < symbol->CountPads(); ++i) {
    const CFreePad& pad = symbol->GetPad(i);
    Require(!pad.IsNumbered() || (pad.GetNumber() >= 0 && pad.GetNumber() <= 65535),
            "a pin number is out of range");
    if (pad.IsNumbered()) {
      const auto [label, first] = labels.emplace(pad.GetNumber(), pad.GetName());
      Require(first || label->second == pad.GetName(), "the lands of one pin carry different labels");
    }
    Require(pad.GetSize().cx >= 0 && pad.GetSize().cy >= 0 && pad.GetDrill() >= 0,
            "a pad has a negative size");
  }
  Require(symbol->CountPins() == static_cast<int>(labels.size()), "the pin count is not the numbers' count");
  return 0;
}
