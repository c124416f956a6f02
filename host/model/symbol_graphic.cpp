#include "host/model/symbol_graphic.h"

namespace {

CRect Span(CPoint a, CPoint b) {
  CRect box(a.x, a.y, b.x, b.y);
  box.NormalizeRect();
  return box;
}

CRect Around(CPoint centre, int radius) {
  return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

struct BoundsOf {
  CRect operator()(const CSymbolLine& line) const { return Span(line.from, line.to); }
  CRect operator()(const CSymbolRectangle& rect) const { return Span(rect.corner1, rect.corner2); }
  CRect operator()(const CSymbolArc& arc) const { return Around(arc.centre, arc.radius); }
  CRect operator()(const CSymbolCircle& circle) const { return Around(circle.centre, circle.radius); }
  CRect operator()(const CSymbolText& text) const { return Around(text.position, text.size); }
};

}  // namespace

CRect CSymbolGraphic::GetBounds() const {
  return std::visit(BoundsOf{}, m_shape);
}
