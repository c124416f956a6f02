#include "platform/device_context.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {
CRect Normalised(CRect rect) {
  rect.NormalizeRect();
  return rect;
}

// Characters, not bytes, of UTF-8 text.
int CountCharacters(std::string_view text) {
  int count = 0;
  for (const char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++count;
  }
  return count;
}
}  // namespace

DCPen CDC::SelectPen(const DCPen& pen) {
  return std::exchange(m_state.pen, pen);
}

DCBrush CDC::SelectBrush(const DCBrush& brush) {
  return std::exchange(m_state.brush, brush);
}

DCFont CDC::SelectFont(const DCFont& font) {
  return std::exchange(m_state.font, font);
}

COLORREF CDC::SetTextColor(COLORREF colour) {
  return std::exchange(m_state.textColour, colour);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
  return std::exchange(m_state.bkColour, colour);
}

int CDC::SetBkMode(int mode) {
  return std::exchange(m_state.bkMode, mode);
}

UINT CDC::SetTextAlign(UINT align) {
  return std::exchange(m_state.textAlign, align);
}

void CDC::IntersectClipRect(const CRect& rect) {
  CRect clip = Normalised(rect);
  if (m_state.clip) {
    clip.left = std::max(clip.left, m_state.clip->left);
    clip.top = std::max(clip.top, m_state.clip->top);
    clip.right = std::max(clip.left, std::min(clip.right, m_state.clip->right));
    clip.bottom = std::max(clip.top, std::min(clip.bottom, m_state.clip->bottom));
  }
  m_state.clip = clip;
}

int CDC::SaveDC() {
  m_saved.push_back(m_state);
  return static_cast<int>(m_saved.size());
}

bool CDC::RestoreDC(int savedLevel) {
  const int levels = static_cast<int>(m_saved.size());
  const int level = savedLevel == -1 ? levels : savedLevel;
  if (level < 1 || level > levels) return false;
  m_state = m_saved[static_cast<size_t>(level - 1)];
  m_saved.resize(static_cast<size_t>(level - 1));
  return true;
}

CPoint CDC::MoveTo(CPoint point) {
  return std::exchange(m_state.position, point);
}

void CDC::LineTo(CPoint point) {
  DrawLine(std::exchange(m_state.position, point), point);
}

void CDC::Rectangle(const CRect& rect) {
  DrawRectangle(Normalised(rect));
}

void CDC::Ellipse(const CRect& bounds) {
  DrawEllipse(Normalised(bounds));
}

void CDC::Polygon(std::span<const CPoint> points) {
  if (!points.empty()) DrawPolygon(points, true);
}

void CDC::Polygon(const CPoint* points, int count) {
  if (points != nullptr && count > 0) Polygon(std::span(points, static_cast<size_t>(count)));
}

void CDC::Polyline(std::span<const CPoint> points) {
  if (!points.empty()) DrawPolygon(points, false);
}

void CDC::Arc(const CRect& bounds, CPoint start, CPoint end) {
  DrawArc(Normalised(bounds), start, end);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour) {
  DrawFilledRect(Normalised(rect), colour);
}

void CDC::TextOut(int x, int y, const CString& text) {
  if (!text.IsEmpty()) DrawText(CPoint(x, y), text.str());
}

CSize CDC::GetTextExtent(const CString& text) const {
  const int height = std::abs(m_state.font.height);
  return {static_cast<int>(std::lround(0.6 * height * CountCharacters(text.str()))), height};
}
