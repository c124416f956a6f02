// CBox: an axis-aligned box of design coordinates, both corners inside it. A default
// box is empty: it contains nothing and a union ignores it.
#pragma once

#include "platform/types.h"

class CBox {
 public:
  CBox() = default;
  // Corners in any order.
  CBox(CPoint a, CPoint b);
  CBox(int x1, int y1, int x2, int y2) : CBox(CPoint(x1, y1), CPoint(x2, y2)) {}
  // The rectangle's left/top and right/bottom as the two corners.
  explicit CBox(const CRect& rect) : CBox(rect.left, rect.top, rect.right, rect.bottom) {}

  bool IsEmpty() const { return m_empty; }
  // The corner with the smaller and the one with the larger coordinates; (0, 0) for an
  // empty box.
  CPoint GetMin() const { return m_min; }
  CPoint GetMax() const { return m_max; }
  CRect ToRect() const { return CRect(m_min.x, m_min.y, m_max.x, m_max.y); }

  // Extents along each axis (max - min), wide enough for any pair of ints; 0 when
  // empty, so a box of one point has width 0.
  long Width() const;
  long Height() const;
  // The middle, rounded toward the smaller corner; (0, 0) for an empty box.
  CPoint CentrePoint() const;

  bool Contains(CPoint point) const;
  // An empty box is contained in any box; a non-empty one only in a box around it.
  bool Contains(const CBox& other) const;

  // The smallest box holding both.
  CBox Union(const CBox& other) const;

  bool operator==(const CBox& other) const = default;

 private:
  CPoint m_min;
  CPoint m_max;
  bool m_empty = true;
};
