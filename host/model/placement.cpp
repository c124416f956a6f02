#include "host/model/placement.h"

#include <utility>

namespace {

constexpr int kQuarterTurnTenths = 900;

int NormalDegrees(int degrees) {
  const int turned = degrees % 360;
  return turned < 0 ? turned + 360 : turned;
}

// Alignments form a 3 x 3 grid: rows bottom, middle, top; columns left, centre, right.
TextAlignment AlignmentAt(int row, int column) {
  return static_cast<TextAlignment>(row * 3 + column);
}

TextAlignment SwapLeftAndRight(TextAlignment alignment) {
  const int index = static_cast<int>(alignment);
  return AlignmentAt(index / 3, 2 - index % 3);
}

TextAlignment Opposite(TextAlignment alignment) {
  const int index = static_cast<int>(alignment);
  return AlignmentAt(2 - index / 3, 2 - index % 3);
}

int DegreesOf(PinDirection direction) {
  switch (direction) {
    case PinDirection::Right:
      return 0;
    case PinDirection::Up:
      return 90;
    case PinDirection::Left:
      return 180;
    case PinDirection::Down:
      return 270;
  }
  return 0;
}

PinDirection DirectionOf(int degrees) {
  switch (NormalDegrees(degrees)) {
    case 90:
      return PinDirection::Up;
    case 180:
      return PinDirection::Left;
    case 270:
      return PinDirection::Down;
    default:
      return PinDirection::Right;
  }
}

}  // namespace

CPlacement::CPlacement(CPoint origin, CPoint position, CAngle rotation, bool mirrored)
    : m_origin(origin), m_position(position), m_mirrored(mirrored) {
  SetRotation(rotation);
}

void CPlacement::SetRotation(CAngle rotation) {
  const int nearest = (rotation.Tenths() + kQuarterTurnTenths / 2) / kQuarterTurnTenths;
  m_quarterTurns = nearest % 4;
}

CPoint CPlacement::Map(CPoint local) const {
  int x = local.x - m_origin.x;
  int y = local.y - m_origin.y;
  if (m_mirrored) x = -x;
  for (int turn = 0; turn < m_quarterTurns; ++turn) {
    x = std::exchange(y, x);
    x = -x;
  }
  return {m_position.x + x, m_position.y + y};
}

CRect CPlacement::MapBox(const CRect& local) const {
  const CPoint a = Map(local.TopLeft());
  const CPoint b = Map(local.BottomRight());
  CRect placed(a.x, a.y, b.x, b.y);
  placed.NormalizeRect();
  return placed;
}

CSize CPlacement::MapSize(CSize local) const {
  return m_quarterTurns % 2 == 0 ? local : CSize(local.cy, local.cx);
}

int CPlacement::MapDegrees(int degrees) const {
  const int mirrored = m_mirrored ? 180 - degrees : degrees;
  return NormalDegrees(mirrored + 90 * m_quarterTurns);
}

PinDirection CPlacement::MapDirection(PinDirection local) const {
  return DirectionOf(MapDegrees(DegreesOf(local)));
}

SymbolShape CPlacement::MapShape(const SymbolShape& local) const {
  if (const auto* line = std::get_if<CSymbolLine>(&local)) return CSymbolLine{Map(line->from), Map(line->to)};
  if (const auto* rect = std::get_if<CSymbolRectangle>(&local)) {
    return CSymbolRectangle{Map(rect->corner1), Map(rect->corner2), rect->filled};
  }
  if (const auto* arc = std::get_if<CSymbolArc>(&local)) {
    // A mirrored arc covers the mirrored span, which starts where the original ended.
    const int start =
        m_mirrored ? MapDegrees(arc->startAngle + arc->sweepAngle) : MapDegrees(arc->startAngle);
    return CSymbolArc{Map(arc->centre), arc->radius, start, arc->sweepAngle};
  }
  if (const auto* circle = std::get_if<CSymbolCircle>(&local)) {
    return CSymbolCircle{Map(circle->centre), circle->radius, circle->filled};
  }
  return MapText(std::get<CSymbolText>(local));
}

CSymbolText CPlacement::MapText(const CSymbolText& local) const {
  CSymbolText placed = local;
  placed.position = Map(local.position);
  int rotation = local.rotation;
  if (m_mirrored) {
    rotation = -rotation;
    placed.alignment = SwapLeftAndRight(placed.alignment);
  }
  rotation = NormalDegrees(rotation + 90 * m_quarterTurns);
  if (rotation > 90 && rotation <= 270) {
    rotation -= 180;
    placed.alignment = Opposite(placed.alignment);
  }
  placed.rotation = NormalDegrees(rotation);
  return placed;
}
