#include "host/geometry/angle.h"

#include <cmath>

CAngle::CAngle(int tenths) : m_tenths(tenths % kFullTurn) {
  if (m_tenths < 0) m_tenths += kFullTurn;
}

CAngle CAngle::FromDegrees(double degrees) {
  if (!std::isfinite(degrees)) return CAngle();
  // Whole turns go first, so that the rounded value always fits an int.
  const double tenths = std::round(std::fmod(degrees, 360.0) * 10.0);
  return CAngle(static_cast<int>(tenths));
}
