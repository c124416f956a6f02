// CKicadFootprintWriter: formats a PCB symbol of this program's own libraries as a
// .kicad_mod footprint of the format of 2021 (version 20211014): pads by the pin number
// or the name they carry, their shapes, sizes and drills, and the outline. Footprints
// measure y downwards, so every point is turned over.
#pragma once

#include <string>

class CSymbol;

class CKicadFootprintWriter {
 public:
  static constexpr int kVersion = 20211014;

  static std::string Format(const CSymbol& symbol);
};
