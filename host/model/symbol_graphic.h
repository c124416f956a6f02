// The outline graphics of a symbol: lines, rectangles, arcs, circles and texts, each
// drawn on a named layer with a stroke width. Angles are whole degrees, counter-clockwise
// from the positive x axis.
#pragma once

#include <variant>

#include "platform/cstring.h"
#include "platform/types.h"

// Which point of a text's box sits on the text's position.
enum class TextAlignment { BottomLeft, Bottom, BottomRight, Left, Centre, Right, TopLeft, Top, TopRight };

struct CSymbolLine {
  CPoint from;
  CPoint to;
  bool operator==(const CSymbolLine&) const = default;
};

struct CSymbolRectangle {
  CPoint corner1;
  CPoint corner2;
  bool filled = false;
  bool operator==(const CSymbolRectangle&) const = default;
};

// From startAngle, sweepAngle degrees round the centre (negative: clockwise).
struct CSymbolArc {
  CPoint centre;
  int radius = 0;
  int startAngle = 0;
  int sweepAngle = 0;
  bool operator==(const CSymbolArc&) const = default;
};

struct CSymbolCircle {
  CPoint centre;
  int radius = 0;
  bool filled = false;
  bool operator==(const CSymbolCircle&) const = default;
};

// size is the height of a capital letter.
struct CSymbolText {
  CString text;
  CPoint position;
  int size = 0;
  TextAlignment alignment = TextAlignment::BottomLeft;
  int rotation = 0;
  bool operator==(const CSymbolText&) const = default;
};

using SymbolShape = std::variant<CSymbolLine, CSymbolRectangle, CSymbolArc, CSymbolCircle, CSymbolText>;

class CSymbolGraphic {
 public:
  CSymbolGraphic(CString layer, int width, SymbolShape shape)
      : m_layer(std::move(layer)), m_width(width), m_shape(std::move(shape)) {}

  const CString& GetLayer() const { return m_layer; }
  // Stroke width; 0 draws the thinnest line the device can.
  int GetWidth() const { return m_width; }
  const SymbolShape& GetShape() const { return m_shape; }

  // The box the shape covers, without its stroke width. Arcs count as whole circles and
  // a text as a square of its size round its position: enough to fit a view.
  CRect GetBounds() const;

  bool operator==(const CSymbolGraphic&) const = default;

 private:
  CString m_layer;
  int m_width = 0;
  SymbolShape m_shape;
};
