#include "host/model/symbol_pin_marks.h"

#include <algorithm>

namespace {

// A unit step out of the body along the pin, and the side the flags stand on: above a
// level pin, left of an upright one.
struct PinAxes {
  CSize out;
  CSize side;
};

PinAxes AxesOf(PinDirection direction) {
  switch (direction) {
    case PinDirection::Left:
      return {{-1, 0}, {0, 1}};
    case PinDirection::Right:
      return {{1, 0}, {0, 1}};
    case PinDirection::Up:
      return {{0, 1}, {-1, 0}};
    case PinDirection::Down:
      return {{0, -1}, {-1, 0}};
  }
  return {{-1, 0}, {0, 1}};
}

class MarkBuilder {
 public:
  MarkBuilder(CPoint root, PinAxes axes, int size) : m_root(root), m_axes(axes), m_size(size) {
    m_marks.lineRoot = root;
  }

  // The point `out` sizes out of the body along the pin and `side` sizes to its side.
  CPoint At(int out, int side) const {
    return {m_root.x + (m_axes.out.cx * out + m_axes.side.cx * side) * m_size,
            m_root.y + (m_axes.out.cy * out + m_axes.side.cy * side) * m_size};
  }

  void Line(CPoint from, CPoint to) { m_marks.shapes.emplace_back(CSymbolLine{from, to}); }
  void Bubble() {
    m_marks.shapes.emplace_back(CSymbolCircle{At(1, 0), m_size, false});
    m_marks.lineRoot = At(2, 0);
  }
  // A wedge inside the body, its tip one size in.
  void InnerClock() {
    Line(At(0, 1), At(-1, 0));
    Line(At(-1, 0), At(0, -1));
  }
  void OuterClock() {
    Line(At(0, 1), At(2, 0));
    Line(At(2, 0), At(0, -1));
  }
  void InputFlag() {
    Line(At(0, 0), At(0, 1));
    Line(At(0, 1), At(2, 0));
  }
  void OutputFlag() { Line(At(0, 1), At(2, 0)); }
  void Cross() {
    Line(At(-1, -1), At(1, 1));
    Line(At(-1, 1), At(1, -1));
  }

  PinShapeMarks Take() { return std::move(m_marks); }

 private:
  CPoint m_root;
  PinAxes m_axes;
  int m_size;
  PinShapeMarks m_marks;
};

}  // namespace

PinShapeMarks MakePinShapeMarks(PinShape shape, CPoint root, PinDirection direction, int length, int size) {
  // The marks outside the body reach two sizes along the pin and must not pass its end.
  if (length > 0) size = std::min(size, length / 2);
  MarkBuilder marks(root, AxesOf(direction), std::max(size, 1));
  switch (shape) {
    case PinShape::Line:
      break;
    case PinShape::Inverted:
      marks.Bubble();
      break;
    case PinShape::Clock:
      marks.InnerClock();
      break;
    case PinShape::InvertedClock:
      marks.Bubble();
      marks.InnerClock();
      break;
    case PinShape::InputLow:
      marks.InputFlag();
      break;
    case PinShape::ClockLow:
      marks.InnerClock();
      marks.InputFlag();
      break;
    case PinShape::OutputLow:
      marks.OutputFlag();
      break;
    case PinShape::EdgeClockHigh:
      marks.InnerClock();
      marks.OuterClock();
      break;
    case PinShape::NonLogic:
      marks.Cross();
      break;
  }
  return marks.Take();
}
