#include "host/kicad/kicad_footprint_writer.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <variant>

#include "host/kicad/kicad_symbol_writer.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol.h"

namespace {

constexpr std::string_view kTextEffects = "(effects (font (size 1 1) (thickness 0.15)))";

void AppendMm(std::string& out, int units) {
  CKicadSymbolWriter::AppendMillimetres(out, units);
}

void AppendPoint(std::string& out, std::string_view keyword, CPoint point) {
  out += '(';
  out += keyword;
  out += ' ';
  AppendMm(out, point.x);
  out += ' ';
  AppendMm(out, -point.y);
  out += ')';
}

std::string_view LayerOf(const CString& layer) {
  if (layer == "Silkscreen") return "F.SilkS";
  if (layer == "Assembly") return "F.Fab";
  if (layer == "Courtyard") return "F.CrtYd";
  return "Dwgs.User";
}

void AppendLayerAndWidth(std::string& out, const CSymbolGraphic& graphic) {
  out += " (layer \"";
  out += LayerOf(graphic.GetLayer());
  out += "\") (width ";
  AppendMm(out, graphic.GetWidth());
  out += ')';
}

CPoint PointAt(const CSymbolArc& arc, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  return CPoint(arc.centre.x + static_cast<int>(std::lround(arc.radius * std::cos(radians))),
                arc.centre.y + static_cast<int>(std::lround(arc.radius * std::sin(radians))));
}

void AppendShape(std::string& out, const CSymbolLine& line, const CSymbolGraphic& graphic) {
  out += "  (fp_line ";
  AppendPoint(out, "start", line.from);
  out += ' ';
  AppendPoint(out, "end", line.to);
  AppendLayerAndWidth(out, graphic);
  out += ")\n";
}

void AppendShape(std::string& out, const CSymbolRectangle& rectangle, const CSymbolGraphic& graphic) {
  out += "  (fp_rect ";
  AppendPoint(out, "start", rectangle.corner1);
  out += ' ';
  AppendPoint(out, "end", rectangle.corner2);
  AppendLayerAndWidth(out, graphic);
  out += rectangle.filled ? " (fill solid))\n" : " (fill none))\n";
}

void AppendShape(std::string& out, const CSymbolCircle& circle, const CSymbolGraphic& graphic) {
  out += "  (fp_circle ";
  AppendPoint(out, "center", circle.centre);
  out += ' ';
  AppendPoint(out, "end", CPoint(circle.centre.x + circle.radius, circle.centre.y));
  AppendLayerAndWidth(out, graphic);
  out += circle.filled ? " (fill solid))\n" : " (fill none))\n";
}

void AppendShape(std::string& out, const CSymbolArc& arc, const CSymbolGraphic& graphic) {
  out += "  (fp_arc ";
  AppendPoint(out, "start", PointAt(arc, arc.startAngle));
  out += ' ';
  AppendPoint(out, "mid", PointAt(arc, arc.startAngle + arc.sweepAngle / 2.0));
  out += ' ';
  AppendPoint(out, "end", PointAt(arc, arc.startAngle + arc.sweepAngle));
  AppendLayerAndWidth(out, graphic);
  out += ")\n";
}

void AppendShape(std::string& out, const CSymbolText& text, const CSymbolGraphic& graphic) {
  out += "  (fp_text user ";
  CKicadSymbolWriter::AppendQuoted(out, text.text.str());
  out += " (at ";
  AppendMm(out, text.position.x);
  out += ' ';
  AppendMm(out, -text.position.y);
  out += ' ' + std::to_string(text.rotation) + ") (layer \"";
  out += LayerOf(graphic.GetLayer());
  out += "\") (effects (font (size ";
  AppendMm(out, text.size);
  out += ' ';
  AppendMm(out, text.size);
  out += ") (thickness ";
  AppendMm(out, graphic.GetWidth());
  out += "))))\n";
}

std::string_view ShapeName(PadShape shape) {
  switch (shape) {
    case PadShape::Rectangle:
      return "rect";
    case PadShape::Oblong:
      return "oval";
    case PadShape::Round:
      break;
  }
  return "circle";
}

// A land of no pin is a mounting hole when drilled, else a bare land.
std::string_view PadType(const CFreePad& pad) {
  if (pad.GetDrill() <= 0) return "smd";
  return pad.IsNumbered() ? "thru_hole" : "np_thru_hole";
}

std::string PadLabel(const CFreePad& pad) {
  if (!pad.IsNumbered()) return {};
  return CPinLabels::IsPadName(pad.GetName()) ? pad.GetName().str() : std::to_string(pad.GetNumber());
}

void AppendPad(std::string& out, const CFreePad& pad) {
  out += "  (pad ";
  CKicadSymbolWriter::AppendQuoted(out, PadLabel(pad));
  out += ' ';
  out += PadType(pad);
  out += ' ';
  out += ShapeName(pad.GetShape());
  out += ' ';
  AppendPoint(out, "at", pad.GetPosition());
  out += " (size ";
  AppendMm(out, pad.GetSize().cx);
  out += ' ';
  AppendMm(out, pad.GetSize().cy);
  out += ')';
  if (pad.GetDrill() > 0) {
    out += " (drill ";
    AppendMm(out, pad.GetDrill());
    out += ") (layers \"*.Cu\" \"*.Mask\"))\n";
  } else {
    out += " (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
  }
}

bool AnyDrilled(const CSymbol& footprint) {
  for (int i = 0; i < footprint.CountPads(); ++i) {
    if (footprint.GetPad(i).GetDrill() > 0) return true;
  }
  return false;
}

}  // namespace

std::string CKicadFootprintWriter::Format(const CSymbol& symbol) {
  // The field's footprints are placed by their 0, 0.
  CSymbol footprint(symbol.GetName(), SymbolKind::Pcb);
  const CPoint origin = symbol.GetOrigin();
  for (const CSymbolGraphic& graphic : symbol.Graphics())
    footprint.AddGraphic(CKicadSymbolWriter::Moved(graphic, origin));
  for (int i = 0; i < symbol.CountPads(); ++i) {
    CFreePad pad = symbol.GetPad(i);
    pad = CFreePad(pad.GetNumber(), pad.GetName(), CKicadSymbolWriter::Moved(pad.GetPosition(), origin));
    pad.SetLand(symbol.GetPad(i).GetShape(), symbol.GetPad(i).GetSize(), symbol.GetPad(i).GetDrill());
    if (footprint.AddPad(pad) == nullptr) footprint.AddLand(pad);
  }
  std::string out = "(footprint ";
  CKicadSymbolWriter::AppendQuoted(out, footprint.GetName().str());
  out += " (version " + std::to_string(kVersion) + ") (generator component_editor)\n  (layer \"F.Cu\")\n";
  out += AnyDrilled(footprint) ? "  (attr through_hole)\n" : "  (attr smd)\n";
  out += "  (fp_text reference \"REF**\" (at 0 0) (layer \"F.SilkS\") hide ";
  (out += kTextEffects) += ")\n  (fp_text value ";
  CKicadSymbolWriter::AppendQuoted(out, footprint.GetName().str());
  out += " (at 0 0) (layer \"F.Fab\") hide ";
  (out += kTextEffects) += ")\n";
  for (const CSymbolGraphic& graphic : footprint.Graphics())
    std::visit([&](const auto& shape) { AppendShape(out, shape, graphic); }, graphic.GetShape());
  for (int i = 0; i < footprint.CountPads(); ++i) AppendPad(out, footprint.GetPad(i));
  out += ")\n";
  return out;
}
