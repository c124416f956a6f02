// CDesignRenderer: paints the placed items of a design onto a device context through a
// view transform. Every item takes its colour from the design's CDesignColours; a mark
// (selection, then highlight) on an item or on the symbol instance that owns it wins
// over the kind's colour. Items outside the visible area are passed over, and texts too
// small to read are left out.
#pragma once

#include <optional>

#include "platform/types.h"

class CDC;
class CDesign;
class CDesignColours;
class CDesignItem;
class CCopperInstance;
class CPadInstance;
class CSymbolInstance;
class CTextInstance;
class CViewTransform;

class CDesignRenderer {
 public:
  // Texts whose capital letters come out lower than this many pixels are not drawn.
  static constexpr double kMinTextPixels = 3.0;
  // The same for the texts of lands: they come in grids of hundreds, where texts a little
  // larger are already a smear that only hides the lands (and costs most of a repaint).
  static constexpr double kMinLandTextPixels = 5.0;

  // `visibleWorld` is the part of the design to paint, in design units (y up).
  CDesignRenderer(CDC& dc, const CViewTransform& transform, const CDesignColours& colours,
                  const CRect& visibleWorld);

  void DrawDesign(const CDesign& design);
  void DrawSymbolInstance(const CSymbolInstance& symbol);
  // How many items (outlines, pads, texts) reached into the visible area and were drawn.
  int CountDrawn() const { return m_drawn; }

 private:
  std::optional<COLORREF> MarkColour(const CDesignItem& item) const;
  COLORREF ItemColour(const CDesignItem& item, std::optional<COLORREF> symbolMark) const;
  COLORREF PadColour(const CPadInstance& pad, std::optional<COLORREF> symbolMark) const;
  bool IsVisible(const CRect& worldBounds) const;
  // Shown and large enough to read at this zoom.
  bool IsTextDrawn(const CTextInstance& text, double minPixels = kMinTextPixels) const;
  int StrokePixels(int worldWidth) const;

  void DrawCopper(const CCopperInstance& copper, COLORREF colour);
  void DrawPad(const CPadInstance& pad, COLORREF colour);
  void DrawSchematicPin(const CPadInstance& pad, COLORREF colour);
  // Draws the marks of the pin's shape with the pen selected; returns the view point
  // where the pin's line meets them.
  CPoint DrawPinShape(const CPadInstance& pad);
  void DrawLand(const CPadInstance& pad, COLORREF colour);
  void DrawOblong(const CRect& bounds);
  void DrawText(const CTextInstance& text, COLORREF colour, double minPixels = kMinTextPixels);
  void DrawPadTexts(const CPadInstance& pad, std::optional<COLORREF> symbolMark);

  CDC& m_dc;
  const CViewTransform& m_transform;
  const CDesignColours& m_colours;
  CRect m_visible;
  int m_drawn = 0;
};
