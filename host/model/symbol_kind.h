// The two kinds of symbol: schematic symbols of gates and PCB symbols (footprints).
#pragma once

#include <array>
#include <string_view>

enum class SymbolKind { Schematic, Pcb };

// The names the file formats use, in the order of the enumeration.
constexpr std::array<std::string_view, 2> kSymbolKindNames = {"schematic", "pcb"};

constexpr std::string_view SymbolKindName(SymbolKind kind) {
  return kSymbolKindNames[static_cast<size_t>(kind)];
}
