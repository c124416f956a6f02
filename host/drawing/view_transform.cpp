#include <cmath>

#include "host/drawing/design_drawing.h"

namespace {

// Far outside any client area, yet safe to add a few of without overflow.
constexpr double kCoordinateLimit = 1 << 29;

int ToInt(double value) {
  return static_cast<int>(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

void CViewTransform::SetScale(double scale) {
  if (!std::isfinite(scale) || scale <= 0) return;
  m_scale = std::clamp(scale, kMinScale, kMaxScale);
}

CPoint CViewTransform::ToView(CPoint world) const {
  return {ToInt((static_cast<double>(world.x) - m_origin.x) * m_scale),
          ToInt((static_cast<double>(m_origin.y) - world.y) * m_scale)};
}

CPoint CViewTransform::ToWorld(CPoint view) const {
  return {ToInt(m_origin.x + view.x / m_scale), ToInt(m_origin.y - view.y / m_scale)};
}

CRect CViewTransform::ToView(const CRect& world) const {
  const CPoint a = ToView(CPoint(world.left, world.top));
  const CPoint b = ToView(CPoint(world.right, world.bottom));
  CRect view(a.x, a.y, b.x, b.y);
  view.NormalizeRect();
  return view;
}

CRect CViewTransform::ToWorld(const CRect& view) const {
  const CPoint a = ToWorld(CPoint(view.left, view.top));
  const CPoint b = ToWorld(CPoint(view.right, view.bottom));
  CRect world(a.x, a.y, b.x, b.y);
  world.NormalizeRect();
  return world;
}

int CViewTransform::LengthToView(int worldLength) const {
  return ToInt(worldLength * m_scale);
}

int CViewTransform::LengthToWorld(int viewLength) const {
  return ToInt(viewLength / m_scale);
}
