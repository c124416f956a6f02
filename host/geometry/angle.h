// CAngle: a direction in tenths of a degree, kept within one turn
// (0 to 3599), so angles that point the same way compare equal.
#pragma once

class CAngle {
 public:
  static constexpr int kFullTurn = 3600;

  CAngle() = default;
  // Any number of tenths; whole turns are dropped, negative angles turn the other way.
  explicit CAngle(int tenths);
  // Rounded to the nearest tenth; a value that is not a finite number gives 0.
  static CAngle FromDegrees(double degrees);

  int Tenths() const { return m_tenths; }

  CAngle operator+(CAngle other) const { return CAngle(m_tenths + other.m_tenths); }
  CAngle operator-(CAngle other) const { return CAngle(m_tenths - other.m_tenths); }
  bool operator==(const CAngle& other) const = default;

 private:
  int m_tenths = 0;
};
