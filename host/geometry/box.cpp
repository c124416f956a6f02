#include "host/geometry/box.h"

#include <algorithm>
#include <numeric>

CBox::CBox(CPoint a, CPoint b)
    : m_min(std::min(a.x, b.x), std::min(a.y, b.y)),
      m_max(std::max(a.x, b.x), std::max(a.y, b.y)),
      m_empty(false) {}

long CBox::Width() const {
  if (m_empty) return 0;
  return static_cast<long>(m_max.x) - m_min.x;
}

long CBox::Height() const {
  if (m_empty) return 0;
  return static_cast<long>(m_max.y) - m_min.y;
}

CPoint CBox::CentrePoint() const {
  return CPoint(std::midpoint(m_min.x, m_max.x), std::midpoint(m_min.y, m_max.y));
}

bool CBox::Contains(CPoint point) const {
  return !m_empty && point.x >= m_min.x && point.x <= m_max.x && point.y >= m_min.y && point.y <= m_max.y;
}

bool CBox::Contains(const CBox& other) const {
  if (other.m_empty) return true;
  return Contains(other.m_min) && Contains(other.m_max);
}

CBox CBox::Union(const CBox& other) const {
  if (other.m_empty) return *this;
  if (m_empty) return other;
  return CBox(CPoint(std::min(m_min.x, other.m_min.x), std::min(m_min.y, other.m_min.y)),
              CPoint(std::max(m_max.x, other.m_max.x), std::max(m_max.y, other.m_max.y)));
}
