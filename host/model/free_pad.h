// CFreePad: one pad of a symbol as the library defines it, before any placement. A
// schematic pad is a terminal of a gate; a PCB pad is a land of a footprint.
#pragma once

#include "host/model/symbol_pin_shape.h"
#include "platform/cstring.h"
#include "platform/types.h"

// The way a schematic pin points, from the symbol's body out to its free end.
enum class PinDirection { Left, Right, Up, Down };

enum class PadShape { Round, Rectangle, Oblong };

class CFreePad {
 public:
  // The number of a PCB land that is no pin (a mounting hole): drawn, never assigned.
  static constexpr int kNoNumber = -1;

  CFreePad() = default;
  CFreePad(int number, CString name, CPoint position)
      : m_number(number), m_name(std::move(name)), m_position(position) {}

  // The pad's own number: the terminal number of a schematic pad, the pin number of a
  // PCB pad. Unique within a schematic symbol; a footprint may give one pin several
  // lands, and a land kNoNumber.
  int GetNumber() const { return m_number; }
  bool IsNumbered() const { return m_number != kNoNumber; }
  const CString& GetName() const { return m_name; }
  void SetName(const CString& name) { m_name = name; }
  // Schematic: the pin's free end, where wires connect. PCB: the centre of the land.
  CPoint GetPosition() const { return m_position; }

  // Schematic only: the pin runs from the body for this length in this direction.
  int GetLength() const { return m_length; }
  PinDirection GetDirection() const { return m_direction; }
  void SetPin(int length, PinDirection direction) {
    m_length = length;
    m_direction = direction;
  }
  // The end of the pin that touches the body.
  CPoint GetPinRoot() const;
  // Schematic only: the marks drawn round the pin's root.
  PinShape GetPinShape() const { return m_pinShape; }
  void SetPinShape(PinShape shape) { m_pinShape = shape; }

  // PCB only: the land's shape and size; a drill of 0 makes a surface-mount pad.
  PadShape GetShape() const { return m_shape; }
  CSize GetSize() const { return m_size; }
  int GetDrill() const { return m_drill; }
  void SetLand(PadShape shape, CSize size, int drill) {
    m_shape = shape;
    m_size = size;
    m_drill = drill;
  }

 private:
  int m_number = 0;
  CString m_name;
  CPoint m_position;
  int m_length = 0;
  PinDirection m_direction = PinDirection::Left;
  PinShape m_pinShape = PinShape::Line;
  PadShape m_shape = PadShape::Round;
  CSize m_size;
  int m_drill = 0;
};

inline CPoint CFreePad::GetPinRoot() const {
  switch (m_direction) {
    case PinDirection::Left:
      return {m_position.x + m_length, m_position.y};
    case PinDirection::Right:
      return {m_position.x - m_length, m_position.y};
    case PinDirection::Up:
      return {m_position.x, m_position.y - m_length};
    case PinDirection::Down:
      return {m_position.x, m_position.y + m_length};
  }
  return m_position;
}
