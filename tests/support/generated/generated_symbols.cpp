#include "tests/support/generated/generated_symbols.h"

#include <cstdio>
#include <string>

#include "host/model/symbol_library_file.h"
#include "platform/temp_file.h"

namespace {

constexpr int kGrid = 25400;

// Built by appending: "literal" + std::string trips a false warning in optimised builds.
CString Named(const char* stem, int number) {
  std::string name = stem;
  name += std::to_string(number);
  return name;
}

}  // namespace

std::unique_ptr<CSymbol> MakeBusGate(int index, int terminals) {
  auto symbol = std::make_unique<CSymbol>(Named("BUS", index), SymbolKind::Schematic);
  const int rows = (terminals + 1) / 2;
  symbol->AddGraphic(
      CSymbolGraphic("Outline", 2540, CSymbolRectangle{{-2 * kGrid, kGrid}, {2 * kGrid, -rows * kGrid}}));
  symbol->AddGraphic(CSymbolGraphic("Text", 1524, CSymbolText{"U?", {-2 * kGrid, 2 * kGrid}, 15240}));
  for (int terminal = 1; terminal <= terminals; ++terminal) {
    const bool left = terminal <= rows;
    const int row = left ? terminal : terminal - rows;
    CFreePad pad(terminal, Named("D", terminal), {left ? -4 * kGrid : 4 * kGrid, -row * kGrid});
    pad.SetPin(2 * kGrid, left ? PinDirection::Left : PinDirection::Right);
    symbol->AddPad(pad);
  }
  return symbol;
}

std::unique_ptr<CSymbol> MakeGridFootprint(int pads) {
  auto symbol = std::make_unique<CSymbol>(Named("BGA", pads), SymbolKind::Pcb);
  constexpr int kPitch = 10000;
  constexpr int kColumns = 50;
  const int rows = (pads + kColumns - 1) / kColumns;
  symbol->AddGraphic(CSymbolGraphic(
      "Silkscreen", 1500, CSymbolRectangle{{-kPitch, kPitch}, {kColumns * kPitch, -rows * kPitch}}));
  symbol->AddGraphic(CSymbolGraphic("Silkscreen", 1500, CSymbolText{"REF", {0, 2 * kPitch}, 10000}));
  for (int number = 1; number <= pads; ++number) {
    CFreePad pad(number, CString(), {(number - 1) % kColumns * kPitch, -(number - 1) / kColumns * kPitch});
    pad.SetLand(number % 2 == 0 ? PadShape::Round : PadShape::Rectangle, {6000, 6000}, 3000);
    symbol->AddPad(pad);
  }
  return symbol;
}

bool SaveTemporaryLibrary(const CSymbolLibraryContents& contents, const char* extension, CString& path) {
  CString stem;
  if (!GetTempFile(stem)) return false;
  std::remove(stem.c_str());
  path = stem + extension;
  CString error;
  return CSymbolLibraryFile::Save(path, contents, error);
}
