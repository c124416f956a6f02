// The device context: what a view draws with. The context keeps the drawing state (pen,
// brush, font, text colour and alignment, clip, current position) and its saved copies;
// an implementation turns the primitives into pictures (SVG, or the screen in gui/).
//
// Coordinates are device pixels, y growing downwards. Shapes are drawn exactly as given:
// a rectangle covers left..right and top..bottom with no pixel left out at the far edges.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// Pen styles, text alignment and background modes, numbered as the framework's users
// expect.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_NULL = 5;

inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
inline constexpr UINT TA_HORIZONTAL_MASK = TA_CENTER;
inline constexpr UINT TA_VERTICAL_MASK = TA_BASELINE;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

struct DCPen {
  int style = PS_SOLID;
  int width = 1;  // 0 draws as 1
  COLORREF colour = RGB(0, 0, 0);
  bool operator==(const DCPen&) const = default;
};

struct DCBrush {
  COLORREF colour = RGB(255, 255, 255);
  bool hollow = false;  // shapes are outlined only
  static DCBrush Hollow() { return {RGB(0, 0, 0), true}; }
  bool operator==(const DCBrush&) const = default;
};

struct DCFont {
  std::string face = "sans-serif";
  int height = 12;  // pixels from the top of the tallest letter to the bottom of the lowest
  bool bold = false;
  int rotation = 0;  // tenths of a degree, counter-clockwise as seen on the screen
  bool operator==(const DCFont&) const = default;
};

class CDC {
 public:
  struct State {
    DCPen pen;
    DCBrush brush;
    DCFont font;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    std::optional<CRect> clip;  // none: nothing is clipped
    CPoint position;
  };

  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Each selection returns what it replaced, to be selected back.
  DCPen SelectPen(const DCPen& pen);
  DCBrush SelectBrush(const DCBrush& brush);
  DCFont SelectFont(const DCFont& font);
  COLORREF SetTextColor(COLORREF colour);
  COLORREF SetBkColor(COLORREF colour);
  // OPAQUE fills the box of each text with the background colour first.
  int SetBkMode(int mode);
  // One of TA_LEFT, TA_CENTER, TA_RIGHT with one of TA_TOP, TA_BASELINE, TA_BOTTOM: which
  // point of the text TextOut's position names.
  UINT SetTextAlign(UINT align);
  const State& GetState() const { return m_state; }

  // Drawing outside the clip rectangle is cut off.
  void IntersectClipRect(const CRect& rect);
  void RemoveClip() { m_state.clip.reset(); }
  // What drawing can reach: the clip rectangle, or `whole` when nothing is clipped;
  // painting passes over what lies outside it.
  CRect GetClipBox(const CRect& whole) const { return m_state.clip.value_or(whole); }

  // Returns the level of the copy (1 for the first); RestoreDC takes that level, or -1
  // for the latest, and drops the copies made after it. False for a level not saved.
  int SaveDC();
  bool RestoreDC(int savedLevel);

  // Returns the previous position.
  CPoint MoveTo(int x, int y) { return MoveTo(CPoint(x, y)); }
  CPoint MoveTo(CPoint point);
  CPoint GetCurrentPosition() const { return m_state.position; }
  // Draws with the pen from the current position, which then moves to the point.
  void LineTo(int x, int y) { LineTo(CPoint(x, y)); }
  void LineTo(CPoint point);

  // Outlined with the pen, filled with the brush.
  void Rectangle(int left, int top, int right, int bottom) { Rectangle(CRect(left, top, right, bottom)); }
  void Rectangle(const CRect& rect);
  void Ellipse(const CRect& bounds);
  void Polygon(std::span<const CPoint> points);
  void Polygon(const CPoint* points, int count);
  // Lines through the points with the pen; the current position does not move.
  void Polyline(std::span<const CPoint> points);
  // Part of the outline of the ellipse in bounds, drawn with the pen counter-clockwise
  // (as seen on the screen) from where the ray from the centre through start meets it
  // to where the ray through end meets it. Equal directions draw the whole ellipse.
  void Arc(const CRect& bounds, CPoint start, CPoint end);
  // Fills with the colour; the pen and brush are not used.
  void FillSolidRect(const CRect& rect, COLORREF colour);
  // Text in the selected font and text colour, placed at the point by the alignment and
  // turned about it by the font's rotation.
  void TextOut(int x, int y, const CString& text);

  // Size of the text unturned. Without font metrics: 0.6 of the height per character.
  virtual CSize GetTextExtent(const CString& text) const;

 protected:
  CDC() = default;

  // The primitives, drawn with GetState(); rectangles arrive normalised.
  virtual void DrawLine(CPoint from, CPoint to) = 0;
  virtual void DrawRectangle(const CRect& rect) = 0;
  virtual void DrawEllipse(const CRect& bounds) = 0;
  virtual void DrawPolygon(std::span<const CPoint> points, bool closed) = 0;
  virtual void DrawArc(const CRect& bounds, CPoint start, CPoint end) = 0;
  virtual void DrawFilledRect(const CRect& rect, COLORREF colour) = 0;
  virtual void DrawText(CPoint point, const std::string& text) = 0;

 private:
  State m_state;
  std::vector<State> m_saved;
};
