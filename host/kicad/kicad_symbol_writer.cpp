#include "host/kicad/kicad_symbol_writer.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <type_traits>
#include <utility>
#include <variant>

#include "host/model/design_units.h"

namespace {

constexpr std::string_view kFont = "(effects (font (size 1.27 1.27))";
// Reference and Value are shown; the other properties are hidden.
constexpr size_t kShownProperties = 2;

// The angle a pin is written with points from its free end into the body.
int PinAngle(PinDirection direction) {
  switch (direction) {
    case PinDirection::Right:
      return 180;
    case PinDirection::Down:
      return 90;
    case PinDirection::Up:
      return 270;
    case PinDirection::Left:
      break;
  }
  return 0;
}

std::string_view Horizontal(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::BottomLeft:
    case TextAlignment::Left:
    case TextAlignment::TopLeft:
      return "left";
    case TextAlignment::BottomRight:
    case TextAlignment::Right:
    case TextAlignment::TopRight:
      return "right";
    default:
      return {};
  }
}

std::string_view Vertical(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::BottomLeft:
    case TextAlignment::Bottom:
    case TextAlignment::BottomRight:
      return "bottom";
    case TextAlignment::TopLeft:
    case TextAlignment::Top:
    case TextAlignment::TopRight:
      return "top";
    default:
      return {};
  }
}

void AppendPoint(std::string& out, std::string_view keyword, CPoint point) {
  out += '(';
  out += keyword;
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, point.x);
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, point.y);
  out += ')';
}

void AppendStroke(std::string& out, int width) {
  out += " (stroke (width ";
  CKicadSymbolWriter::AppendMillimetres(out, width);
  out += ") (type default) (color 0 0 0 0))";
}

void AppendFill(std::string& out, bool filled) {
  out += filled ? " (fill (type outline))" : " (fill (type none))";
}

CPoint PointAt(const CSymbolArc& arc, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  return CPoint(arc.centre.x + static_cast<int>(std::lround(arc.radius * std::cos(radians))),
                arc.centre.y + static_cast<int>(std::lround(arc.radius * std::sin(radians))));
}

void AppendShape(std::string& out, const CSymbolLine& line, int width) {
  out += "(polyline (pts (xy ";
  CKicadSymbolWriter::AppendMillimetres(out, line.from.x);
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, line.from.y);
  out += ") (xy ";
  CKicadSymbolWriter::AppendMillimetres(out, line.to.x);
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, line.to.y);
  out += "))";
  AppendStroke(out, width);
  AppendFill(out, false);
  out += ')';
}

void AppendShape(std::string& out, const CSymbolRectangle& rectangle, int width) {
  out += "(rectangle ";
  AppendPoint(out, "start", rectangle.corner1);
  out += ' ';
  AppendPoint(out, "end", rectangle.corner2);
  AppendStroke(out, width);
  AppendFill(out, rectangle.filled);
  out += ')';
}

void AppendShape(std::string& out, const CSymbolCircle& circle, int width) {
  out += "(circle ";
  AppendPoint(out, "center", circle.centre);
  out += " (radius ";
  CKicadSymbolWriter::AppendMillimetres(out, circle.radius);
  out += ')';
  AppendStroke(out, width);
  AppendFill(out, circle.filled);
  out += ')';
}

// Through three points, which say the way round without any convention of angles.
void AppendShape(std::string& out, const CSymbolArc& arc, int width) {
  out += "(arc ";
  AppendPoint(out, "start", PointAt(arc, arc.startAngle));
  out += ' ';
  AppendPoint(out, "mid", PointAt(arc, arc.startAngle + arc.sweepAngle / 2.0));
  out += ' ';
  AppendPoint(out, "end", PointAt(arc, arc.startAngle + arc.sweepAngle));
  AppendStroke(out, width);
  AppendFill(out, false);
  out += ')';
}

// Texts of this format version turn by tenths of a degree.
void AppendShape(std::string& out, const CSymbolText& text, int) {
  out += "(text ";
  CKicadSymbolWriter::AppendQuoted(out, text.text.str());
  out += " (at ";
  CKicadSymbolWriter::AppendMillimetres(out, text.position.x);
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, text.position.y);
  out += ' ' + std::to_string(text.rotation * 10) + ") (effects (font (size ";
  CKicadSymbolWriter::AppendMillimetres(out, text.size);
  out += ' ';
  CKicadSymbolWriter::AppendMillimetres(out, text.size);
  out += "))";
  const std::string_view horizontal = Horizontal(text.alignment);
  const std::string_view vertical = Vertical(text.alignment);
  if (!horizontal.empty() || !vertical.empty()) {
    out += " (justify";
    if (!horizontal.empty()) (out += ' ') += horizontal;
    if (!vertical.empty()) (out += ' ') += vertical;
    out += ')';
  }
  out += "))";
}

}  // namespace

CSymbolGraphic CKicadSymbolWriter::Moved(const CSymbolGraphic& graphic, CPoint origin) {
  SymbolShape shape = graphic.GetShape();
  std::visit(
      [origin](auto& item) {
        using Item = std::decay_t<decltype(item)>;
        if constexpr (std::is_same_v<Item, CSymbolLine>) {
          item.from = Moved(item.from, origin);
          item.to = Moved(item.to, origin);
        } else if constexpr (std::is_same_v<Item, CSymbolRectangle>) {
          item.corner1 = Moved(item.corner1, origin);
          item.corner2 = Moved(item.corner2, origin);
        } else if constexpr (std::is_same_v<Item, CSymbolText>) {
          item.position = Moved(item.position, origin);
        } else {
          item.centre = Moved(item.centre, origin);
        }
      },
      shape);
  return CSymbolGraphic(graphic.GetLayer(), graphic.GetWidth(), std::move(shape));
}

void CKicadSymbolWriter::AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c != '\r') {
      out += c;
    }
  }
  out += '"';
}

void CKicadSymbolWriter::AppendMillimetres(std::string& out, int units) {
  const long long value = units;
  if (value < 0) out += '-';
  const long long magnitude = std::llabs(value);
  out += std::to_string(magnitude / kUnitsPerMillimetre);
  long long fraction = magnitude % kUnitsPerMillimetre;
  if (fraction == 0) return;
  std::string places = std::to_string(fraction + kUnitsPerMillimetre).substr(1);
  while (places.back() == '0') places.pop_back();
  out += '.';
  out += places;
}

std::string CKicadSymbolWriter::Format(const std::vector<Symbol>& symbols) {
  std::string out =
      "(kicad_symbol_lib (version " + std::to_string(kVersion) + ") (generator component_editor)\n";
  for (const Symbol& symbol : symbols) AppendSymbol(out, symbol);
  out += ")\n";
  return out;
}

void CKicadSymbolWriter::AppendSymbol(std::string& out, const Symbol& symbol) {
  out += "  (symbol ";
  AppendQuoted(out, symbol.name);
  out += " (in_bom yes) (on_board yes)\n";
  for (size_t i = 0; i < symbol.properties.size(); ++i) {
    out += "    (property ";
    AppendQuoted(out, symbol.properties[i].first);
    out += ' ';
    AppendQuoted(out, symbol.properties[i].second);
    out += " (id " + std::to_string(i) + ") (at 0 0 0)\n      ";
    out += kFont;
    out += i < kShownProperties ? ")\n    )\n" : " hide)\n    )\n";
  }
  if (!symbol.shared.graphics.empty() || !symbol.shared.pins.empty())
    AppendUnit(out, symbol, 0, symbol.shared);
  for (size_t i = 0; i < symbol.units.size(); ++i)
    AppendUnit(out, symbol, static_cast<int>(i) + 1, symbol.units[i]);
  out += "  )\n";
}

void CKicadSymbolWriter::AppendUnit(std::string& out, const Symbol& symbol, int index, const Unit& unit) {
  out += "    (symbol ";
  AppendQuoted(out, symbol.name + "_" + std::to_string(index) + "_1");
  out += '\n';
  for (const CSymbolGraphic& graphic : unit.graphics) AppendGraphic(out, graphic);
  for (const Pin& pin : unit.pins) AppendPin(out, pin);
  out += "    )\n";
}

void CKicadSymbolWriter::AppendGraphic(std::string& out, const CSymbolGraphic& graphic) {
  out += "      ";
  std::visit([&](const auto& shape) { AppendShape(out, shape, graphic.GetWidth()); }, graphic.GetShape());
  out += '\n';
}

void CKicadSymbolWriter::AppendPin(std::string& out, const Pin& pin) {
  out += "      (pin " + pin.type + ' ' + pin.shape + " (at ";
  AppendMillimetres(out, pin.position.x);
  out += ' ';
  AppendMillimetres(out, pin.position.y);
  out += ' ' + std::to_string(PinAngle(pin.direction)) + ") (length ";
  AppendMillimetres(out, pin.length);
  out += pin.hidden ? ") hide\n        (name " : ")\n        (name ";
  AppendQuoted(out, pin.name.empty() ? std::string_view("~") : std::string_view(pin.name));
  out += ' ';
  out += kFont;
  out += "))\n        (number ";
  AppendQuoted(out, pin.number);
  out += ' ';
  out += kFont;
  out += "))\n      )\n";
}
