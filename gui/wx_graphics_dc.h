// The platform's device context drawing on a wxGraphicsContext: what a view's OnDraw
// paints the screen with. Strokes of odd width are centred on pixel centres, so a
// one-pixel line is one crisp pixel wide, as the framework's users expect.
#pragma once

#include <wx/brush.h>
#include <wx/graphics.h>

#include <optional>
#include <string>
#include <vector>

#include "gui/offscreen_canvas.h"
#include "platform/device_context.h"

// A text's size in a font: width, height of its line and the part below the baseline.
struct TextSize {
  double width = 0;
  double height = 0;
  double descent = 0;
};

class WxGraphicsDC : public CDC {
 public:
  // The context stays the caller's and must outlive this. When it draws on `canvas`
  // (not owned), small discs are stamped on the canvas's pixels directly.
  explicit WxGraphicsDC(wxGraphicsContext& gc, OffscreenCanvas* canvas = nullptr);
  ~WxGraphicsDC() override;

  CSize GetTextExtent(const CString& text) const override;

 protected:
  void DrawLine(CPoint from, CPoint to) override;
  void DrawRectangle(const CRect& rect) override;
  void DrawEllipse(const CRect& bounds) override;
  void DrawPolygon(std::span<const CPoint> points, bool closed) override;
  void DrawArc(const CRect& bounds, CPoint start, CPoint end) override;
  void DrawFilledRect(const CRect& rect, COLORREF colour) override;
  void DrawText(CPoint point, const std::string& text) override;

 private:
  // Sets the pen and brush of the state (and its clip) on the context; returns the
  // offset that puts the pen's strokes on pixel centres.
  double UsePenAndBrush(bool fill);
  double SetPenAndBrush(const DCPen& pen, const DCBrush& brush, bool fill);
  void ApplyClip();
  void ApplyClip(const std::optional<CRect>& clip);

  // Lines of one pen, or shapes filled with one brush and no outline, drawn one after
  // another go into one path that is drawn once: a footprint of thousands of lands
  // costs one fill, not thousands.
  struct Batch {
    enum class Kind { Lines, Fills };
    Kind kind;
    DCPen pen;
    DCBrush brush;
    std::optional<CRect> clip;
    wxGraphicsPath path;
  };
  // The path a shape of this kind joins under the current state; null when the state
  // draws shapes that cannot be joined (outlined fills, hollow shapes, no pen).
  wxGraphicsPath* Batched(Batch::Kind kind);
  // Draws the batch so far; every other drawing comes after it.
  void FlushBatch();
  // Small filled discs (the lands of a ball grid, whenever many of them are in view) are
  // stamped from a picture made once per size and colour: filling them as round paths
  // costs twice as much. False when the state or the size is not that of a small disc.
  bool StampDisc(const CRect& bounds);
  // Small hollow circles of a solid pen (the end marks of a symbol's pins, thousands of
  // them on a large part) are stamped on the canvas from a picture of the same stroke,
  // made once per size and pen for every drawing: a stroke of its own each costs far
  // more, and so does making the picture again for each small repaint.
  bool StampRing(const CRect& bounds);
  void UseFont() const;
  // The size of a text in the current font, measured once per font and text.
  TextSize MeasureText(const wxString& shown, const std::string& text) const;

  wxGraphicsContext& m_gc;
  OffscreenCanvas* m_canvas;
  std::optional<CRect> m_appliedClip;
  std::optional<Batch> m_batch;
  // Discs stamped so far, a picture for each size and colour.
  struct Disc {
    CSize size;
    COLORREF colour;
    wxGraphicsBitmap picture;
    StampPicture pixels;
  };
  std::vector<Disc> m_discs;
  // The font and text colour set on the context, to set them only when they change.
  mutable std::optional<DCFont> m_appliedFont;
  mutable COLORREF m_appliedTextColour = 0;
};

// The wx font of a platform font: its height is that of the letters, ascent to descent.
wxFont ToWxFont(const DCFont& font);
