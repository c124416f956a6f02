// CKicadSymbolWriter: formats symbols as a .kicad_sym library of the format of 2021
// (version 20211014), which every later version of the field's tools reads. The symbols
// come ready made; this class only says them in the file's words: millimetres, y up,
// strings quoted and escaped, and the same symbols always give the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/model/free_pad.h"
#include "host/model/symbol_graphic.h"

class CKicadSymbolWriter {
 public:
  static constexpr int kVersion = 20211014;

  struct Pin {
    std::string number;  // empty for a pin left unnumbered
    std::string name;    // empty is written "~", no name
    std::string type = "passive";
    std::string shape = "line";
    bool hidden = false;
    CPoint position;  // the free end, where wires connect
    int length = 0;
    PinDirection direction = PinDirection::Left;
  };

  // The graphics and pins of one unit, or of every unit (unit 0).
  struct Unit {
    std::vector<CSymbolGraphic> graphics;
    std::vector<Pin> pins;
  };

  struct Symbol {
    std::string name;
    // Name and value, in order; the first four are shown by the field's tools as
    // Reference, Value, Footprint and Datasheet, the rest are hidden.
    std::vector<std::pair<std::string, std::string>> properties;
    Unit shared;
    std::vector<Unit> units;  // unit 1, 2, ...
  };

  static std::string Format(const std::vector<Symbol>& symbols);

  // Coordinates relative to a symbol's origin, which the field's symbols have at 0, 0.
  static CPoint Moved(CPoint point, CPoint origin) { return CPoint(point.x - origin.x, point.y - origin.y); }
  static CSymbolGraphic Moved(const CSymbolGraphic& graphic, CPoint origin);

  // Shared with the footprint writer.
  static void AppendQuoted(std::string& out, std::string_view text);
  static void AppendMillimetres(std::string& out, int units);

 private:
  static void AppendSymbol(std::string& out, const Symbol& symbol);
  static void AppendUnit(std::string& out, const Symbol& symbol, int index, const Unit& unit);
  static void AppendGraphic(std::string& out, const CSymbolGraphic& graphic);
  static void AppendPin(std::string& out, const Pin& pin);
};
