// Symbol libraries of the field's S-expression format from outside. A refused file names
// the input; every problem of a file read in part names it and its line; each symbol read
// is found by its own name, and its terminals run 1..n.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/harness_check.h"
#include "host/kicad/kicad_symbol_reader.h"

namespace {

constexpr const char* kSource = "fuzz.kicad_sym";

void CheckSymbol(const CSymbolLibraryContents& contents, const CSymbol& symbol) {
  Require(contents.Find(symbol.GetName().str()) == &symbol, "a symbol is not found by its own name",
          symbol.GetName().str());
  for (int i = 0; i < symbol.CountPads(); ++i)
    Require(symbol.GetPad(i).GetNumber() == i + 1, "terminals do not run 1..n", symbol.GetName().str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CString error;
  const std::unique_ptr<CSymbolLibraryContents> contents =
      CKicadSymbolReader::Parse(InputText(data, size), kSource, error);
  if (contents == nullptr) {
    RequireRefusal(error.str(), kSource);
    return 0;
  }
  for (const CString& problem : contents->Problems()) RequireRefusal(problem.str(), kSource);
  for (int i = 0; i < contents->Count(); ++i) CheckSymbol(*contents, contents->Get(i));
  return 0;
}
