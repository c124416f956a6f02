#include "host/drawing/design_renderer.h"

#include <cmath>
#include <numbers>
#include <variant>

#include "host/drawing/design_drawing.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/design_units.h"
#include "host/model/symbol_pin_marks.h"
#include "platform/device_context.h"

namespace {

// Pins carry no stroke width of their own; they are drawn as heavy as a body outline.
constexpr int kPinStroke = 2540;
// A pin's free end is marked once the pin is long enough on the screen to show it.
constexpr int kPinEndMarkRadius = 2;
constexpr int kMinPinPixelsForMark = 6;
// A pin's marks (bubble, wedges) take a quarter of the schematic grid each way, and are
// left out when that comes to fewer pixels than this.
constexpr int kPinMarkSize = kSchematicGrid / 4;
constexpr int kMinPinMarkPixels = 2;
// The device takes an arc's ends as rays from the centre; long rays keep their
// directions exact after rounding.
constexpr double kArcRayPixels = 1000;
// The font height that gives capital letters of a given height.
constexpr double kFontHeightPerCapital = 1.25;

bool Intersects(const CRect& a, const CRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

CRect CircleBox(CPoint centre, int radius) {
  return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

// A shape's view pixels, at least one pixel each way so that nothing vanishes.
CRect AtLeastOnePixel(CRect rect) {
  if (rect.right <= rect.left) rect.right = rect.left + 1;
  if (rect.bottom <= rect.top) rect.bottom = rect.top + 1;
  return rect;
}

// The screen point at `degrees` (counter-clockwise) on a circle round `centre`.
CPoint OnCircle(CPoint centre, double radius, int degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  return {centre.x + static_cast<int>(std::lround(radius * std::cos(radians))),
          centre.y - static_cast<int>(std::lround(radius * std::sin(radians)))};
}

UINT HorizontalAlign(TextAlignment alignment) {
  switch (static_cast<int>(alignment) % 3) {
    case 0:
      return TA_LEFT;
    case 1:
      return TA_CENTER;
    default:
      return TA_RIGHT;
  }
}

// 0 bottom, 1 middle, 2 top of the capital letters.
int VerticalPlace(TextAlignment alignment) {
  return static_cast<int>(alignment) / 3;
}

}  // namespace

CDesignRenderer::CDesignRenderer(CDC& dc, const CViewTransform& transform, const CDesignColours& colours,
                                 const CRect& visibleWorld)
    : m_dc(dc), m_transform(transform), m_colours(colours), m_visible(visibleWorld) {
  // Strokes reach a little past the items' own boxes.
  const int margin = m_transform.LengthToWorld(4);
  m_visible.InflateRect(margin, margin);
}

void CDesignRenderer::DrawDesign(const CDesign& design) {
  POSITION at = nullptr;
  for (const CComponentInstance* instance = design.FirstComponentInstance(at); instance != nullptr;
       instance = design.NextComponentInstance(at)) {
    POSITION symbolAt = nullptr;
    for (const CSymbolInstance* symbol = instance->FirstSymbolInstance(symbolAt); symbol != nullptr;
         symbol = instance->NextSymbolInstance(symbolAt)) {
      DrawSymbolInstance(*symbol);
    }
  }
}

void CDesignRenderer::DrawSymbolInstance(const CSymbolInstance& symbol) {
  const std::optional<COLORREF> symbolMark = MarkColour(symbol);
  for (int i = 0; i < symbol.CountCoppers(); ++i) {
    const CCopperInstance& copper = *symbol.GetCopper(i);
    DrawCopper(copper, ItemColour(copper, symbolMark));
  }
  for (int i = 0; i < symbol.CountPads(); ++i) {
    const CPadInstance& pad = *symbol.GetPad(i);
    DrawPad(pad, PadColour(pad, symbolMark));
  }
  for (int i = 0; i < symbol.CountTexts(); ++i) {
    const CTextInstance& text = *symbol.GetText(i);
    DrawText(text, ItemColour(text, symbolMark));
  }
  for (int i = 0; i < symbol.CountPads(); ++i) DrawPadTexts(*symbol.GetPad(i), symbolMark);
}

std::optional<COLORREF> CDesignRenderer::MarkColour(const CDesignItem& item) const {
  if (item.IsSelected()) return m_colours.GetSelection();
  if (item.GetHighlight()) return m_colours.GetHighlight();
  return std::nullopt;
}

COLORREF CDesignRenderer::ItemColour(const CDesignItem& item, std::optional<COLORREF> symbolMark) const {
  if (const std::optional<COLORREF> own = MarkColour(item)) return *own;
  if (symbolMark) return *symbolMark;
  return m_colours.GetColour(item.GetRuntimeClass());
}

COLORREF CDesignRenderer::PadColour(const CPadInstance& pad, std::optional<COLORREF> symbolMark) const {
  if (const std::optional<COLORREF> own = MarkColour(pad)) return *own;
  if (symbolMark) return *symbolMark;
  if (pad.IsAssigned()) return m_colours.GetAssignedPins();
  if (m_colours.GetHighlightUnconnectedPins()) return m_colours.GetUnconnectedPins();
  return m_colours.GetColour(pad.GetRuntimeClass());
}

bool CDesignRenderer::IsVisible(const CRect& worldBounds) const {
  return Intersects(worldBounds, m_visible);
}

int CDesignRenderer::StrokePixels(int worldWidth) const {
  return std::max(1, m_transform.LengthToView(worldWidth));
}

void CDesignRenderer::DrawCopper(const CCopperInstance& copper, COLORREF colour) {
  const SymbolShape shape = copper.GetShape();
  if (std::holds_alternative<CSymbolText>(shape)) return;
  if (!IsVisible(copper.GetBounds())) return;
  ++m_drawn;
  m_dc.SelectPen({PS_SOLID, StrokePixels(copper.GetWidth()), colour});
  if (const auto* line = std::get_if<CSymbolLine>(&shape)) {
    m_dc.MoveTo(m_transform.ToView(line->from));
    m_dc.LineTo(m_transform.ToView(line->to));
  } else if (const auto* rectangle = std::get_if<CSymbolRectangle>(&shape)) {
    m_dc.SelectBrush(rectangle->filled ? DCBrush{colour, false} : DCBrush::Hollow());
    const CRect world(rectangle->corner1.x, rectangle->corner1.y, rectangle->corner2.x, rectangle->corner2.y);
    m_dc.Rectangle(AtLeastOnePixel(m_transform.ToView(world)));
  } else if (const auto* circle = std::get_if<CSymbolCircle>(&shape)) {
    m_dc.SelectBrush(circle->filled ? DCBrush{colour, false} : DCBrush::Hollow());
    m_dc.Ellipse(AtLeastOnePixel(m_transform.ToView(CircleBox(circle->centre, circle->radius))));
  } else if (const auto* arc = std::get_if<CSymbolArc>(&shape)) {
    if (arc->sweepAngle == 0) return;
    // The device draws counter-clockwise, as positive sweeps run.
    const int from = arc->sweepAngle > 0 ? arc->startAngle : arc->startAngle + arc->sweepAngle;
    const int to = from + std::abs(arc->sweepAngle);
    const CPoint centre = m_transform.ToView(arc->centre);
    const CRect bounds = AtLeastOnePixel(m_transform.ToView(CircleBox(arc->centre, arc->radius)));
    m_dc.Arc(bounds, OnCircle(centre, kArcRayPixels, from), OnCircle(centre, kArcRayPixels, to));
  }
}

void CDesignRenderer::DrawPad(const CPadInstance& pad, COLORREF colour) {
  if (!IsVisible(pad.GetBounds())) return;
  ++m_drawn;
  if (pad.IsPcbPad()) {
    DrawLand(pad, colour);
  } else {
    DrawSchematicPin(pad, colour);
  }
}

void CDesignRenderer::DrawSchematicPin(const CPadInstance& pad, COLORREF colour) {
  const CPoint end = m_transform.ToView(pad.GetPosition());
  m_dc.SelectPen({PS_SOLID, StrokePixels(kPinStroke), colour});
  const CPoint root = DrawPinShape(pad);
  m_dc.MoveTo(end);
  m_dc.LineTo(root);
  if (std::abs(end.x - root.x) + std::abs(end.y - root.y) < kMinPinPixelsForMark) return;
  m_dc.SelectPen({PS_SOLID, 1, colour});
  m_dc.SelectBrush(DCBrush::Hollow());
  m_dc.Ellipse(CircleBox(end, kPinEndMarkRadius));
}

CPoint CDesignRenderer::DrawPinShape(const CPadInstance& pad) {
  const CPoint root = m_transform.ToView(pad.GetPinRoot());
  const PinShape shape = pad.GetPad()->GetPinShape();
  if (shape == PinShape::Line || m_transform.LengthToView(kPinMarkSize) < kMinPinMarkPixels) return root;
  const PinShapeMarks marks =
      MakePinShapeMarks(shape, pad.GetPinRoot(), pad.GetDirection(), pad.GetPad()->GetLength(), kPinMarkSize);
  m_dc.SelectBrush(DCBrush::Hollow());
  for (const SymbolShape& mark : marks.shapes) {
    if (const auto* line = std::get_if<CSymbolLine>(&mark)) {
      m_dc.MoveTo(m_transform.ToView(line->from));
      m_dc.LineTo(m_transform.ToView(line->to));
    } else if (const auto* circle = std::get_if<CSymbolCircle>(&mark)) {
      m_dc.Ellipse(AtLeastOnePixel(m_transform.ToView(CircleBox(circle->centre, circle->radius))));
    }
  }
  return m_transform.ToView(marks.lineRoot);
}

void CDesignRenderer::DrawLand(const CPadInstance& pad, COLORREF colour) {
  const CRect bounds = AtLeastOnePixel(m_transform.ToView(pad.GetBounds()));
  m_dc.SelectPen({PS_NULL, 1, colour});
  m_dc.SelectBrush({colour, false});
  switch (pad.GetShape()) {
    case PadShape::Rectangle:
      m_dc.Rectangle(bounds);
      break;
    case PadShape::Round:
      m_dc.Ellipse(bounds);
      break;
    case PadShape::Oblong:
      DrawOblong(bounds);
      break;
  }
  // A number on the land would vanish into the dark hole: where it is drawn, the land
  // stays whole behind it.
  const CPinNumberInstance* number = pad.GetPinNumberText();
  if (number != nullptr && IsTextDrawn(*number, kMinLandTextPixels)) return;
  const int drill = m_transform.LengthToView(pad.GetDrill());
  if (pad.GetDrill() <= 0 || drill < 1) return;
  m_dc.SelectBrush({m_colours.GetBackground(), false});
  const CPoint centre = m_transform.ToView(pad.GetPosition());
  m_dc.Ellipse(CRect(centre.x - drill / 2, centre.y - drill / 2, centre.x + (drill + 1) / 2,
                     centre.y + (drill + 1) / 2));
}

// A bar with round ends across its shorter side, with the pen and brush selected.
void CDesignRenderer::DrawOblong(const CRect& bounds) {
  const int width = bounds.Width();
  const int height = bounds.Height();
  if (width >= height) {
    m_dc.Ellipse(CRect(bounds.left, bounds.top, bounds.left + height, bounds.bottom));
    m_dc.Ellipse(CRect(bounds.right - height, bounds.top, bounds.right, bounds.bottom));
    m_dc.Rectangle(CRect(bounds.left + height / 2, bounds.top, bounds.right - height / 2, bounds.bottom));
  } else {
    m_dc.Ellipse(CRect(bounds.left, bounds.top, bounds.right, bounds.top + width));
    m_dc.Ellipse(CRect(bounds.left, bounds.bottom - width, bounds.right, bounds.bottom));
    m_dc.Rectangle(CRect(bounds.left, bounds.top + width / 2, bounds.right, bounds.bottom - width / 2));
  }
}

bool CDesignRenderer::IsTextDrawn(const CTextInstance& text, double minPixels) const {
  return text.IsShown() && text.GetSize() * m_transform.GetScale() >= minPixels;
}

void CDesignRenderer::DrawText(const CTextInstance& text, COLORREF colour, double minPixels) {
  if (!IsTextDrawn(text, minPixels)) return;
  const double capitalPixels = text.GetSize() * m_transform.GetScale();
  const CSymbolText placed = text.GetPlacedText();
  if (!IsVisible(CTextInstance::EstimateBounds(placed))) return;
  ++m_drawn;

  CPoint anchor = m_transform.ToView(placed.position);
  UINT vertical = TA_BASELINE;
  if (VerticalPlace(placed.alignment) == 2) vertical = TA_TOP;
  if (VerticalPlace(placed.alignment) == 1) {
    // The middle of the capitals: the baseline lies half their height further down the
    // text's own vertical.
    const double radians = placed.rotation * std::numbers::pi / 180.0;
    anchor.x += static_cast<int>(std::lround(capitalPixels / 2 * std::sin(radians)));
    anchor.y += static_cast<int>(std::lround(capitalPixels / 2 * std::cos(radians)));
  }
  DCFont font;
  font.height = std::max(1, static_cast<int>(std::lround(capitalPixels * kFontHeightPerCapital)));
  font.rotation = placed.rotation * 10;
  m_dc.SelectFont(font);
  m_dc.SetTextColor(colour);
  m_dc.SetBkMode(TRANSPARENT);
  m_dc.SetTextAlign(HorizontalAlign(placed.alignment) | vertical);
  m_dc.TextOut(anchor.x, anchor.y, placed.text);
}

// A pin number stays readable on what it stands on: a land's number on the land, a
// terminal's number on the background unless a mark colours it.
void CDesignRenderer::DrawPadTexts(const CPadInstance& pad, std::optional<COLORREF> symbolMark) {
  const double minPixels = pad.IsPcbPad() ? kMinLandTextPixels : kMinTextPixels;
  if (const CTextInstance* name = pad.GetPinNameText())
    DrawText(*name, ItemColour(*name, symbolMark), minPixels);
  const CTextInstance* number = pad.GetPinNumberText();
  if (number == nullptr) return;
  COLORREF colour = ItemColour(*number, symbolMark);
  if (pad.IsPcbPad()) {
    colour = CDesignColours::ReadableOn(colour, PadColour(pad, symbolMark));
  } else if (!symbolMark && !MarkColour(*number)) {
    colour = CDesignColours::ReadableOn(colour, m_colours.GetBackground());
  }
  DrawText(*number, colour, minPixels);
}
