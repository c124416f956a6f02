// CPlacement: where a symbol stands in a design. A symbol point p lands on
//   position + turn(mirror(p - origin))
// where mirror flips x (across the symbol's vertical axis) and turn rotates
// counter-clockwise. Placements turn by right angles only: any other angle snaps to the
// nearest one, so that placed geometry stays on whole design units and rectangles stay
// rectangles.
//
// Texts stay readable: a mirrored text keeps its reading direction and takes its box to
// the other side, and a text that would read downwards or upside down turns half a turn
// with its box kept where it was.
#pragma once

#include "host/geometry/angle.h"
#include "host/model/free_pad.h"
#include "host/model/symbol_graphic.h"
#include "platform/types.h"

class CPlacement {
 public:
  CPlacement() = default;
  CPlacement(CPoint origin, CPoint position, CAngle rotation, bool mirrored);

  void SetOrigin(CPoint origin) { m_origin = origin; }
  CPoint GetPosition() const { return m_position; }
  void SetPosition(CPoint position) { m_position = position; }
  void Offset(int dx, int dy) { m_position.Offset(dx, dy); }
  // Always a right angle.
  CAngle GetRotation() const { return CAngle(m_quarterTurns * 900); }
  void SetRotation(CAngle rotation);

  CPoint Map(CPoint local) const;
  // The placed box of a local box; both normalised (left <= right, top <= bottom).
  CRect MapBox(const CRect& local) const;
  // A land's width and height swap on a quarter turn.
  CSize MapSize(CSize local) const;
  PinDirection MapDirection(PinDirection local) const;
  SymbolShape MapShape(const SymbolShape& local) const;
  CSymbolText MapText(const CSymbolText& local) const;

 private:
  // The placement's turn and mirror applied to a direction in whole degrees.
  int MapDegrees(int degrees) const;

  CPoint m_origin;
  CPoint m_position;
  int m_quarterTurns = 0;
  bool m_mirrored = false;
};
