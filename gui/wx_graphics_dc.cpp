#include "gui/wx_graphics_dc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "gui/disc_picture.h"
#include "gui/wx_peer.h"

namespace {

// Segments that make an arc look round at any size the views use.
constexpr int kArcSegments = 64;

wxPenStyle PenStyleOf(int style) {
  switch (style) {
    case PS_DASH:
      return wxPENSTYLE_SHORT_DASH;
    case PS_DOT:
      return wxPENSTYLE_DOT;
    default:
      return wxPENSTYLE_SOLID;
  }
}

wxPoint2DDouble At(CPoint point, double offset) {
  return {point.x + offset, point.y + offset};
}

double Radians(int tenthsOfDegree) {
  return tenthsOfDegree / 10.0 * std::numbers::pi / 180.0;
}

}  // namespace

wxFont ToWxFont(const DCFont& font) {
  wxFontInfo info;
  info.Family(wxFONTFAMILY_SWISS);
  if (font.face != "sans-serif" && !font.face.empty()) info.FaceName(wxString::FromUTF8(font.face.c_str()));
  if (font.bold) info.Bold();
  wxFont shown(info);
  // Pixel sizes name the em; the letters' height is about 1.2 of it.
  const int height = std::max(std::abs(font.height), 1);
  shown.SetPixelSize(wxSize(0, std::max(static_cast<int>(std::lround(height / 1.2)), 1)));
  return shown;
}

WxGraphicsDC::WxGraphicsDC(wxGraphicsContext& gc, OffscreenCanvas* canvas) : m_gc(gc), m_canvas(canvas) {
  // The strokes are put on pixel centres here; the context's own half-pixel shift
  // would move them onto pixel edges again.
  m_gc.DisableOffset();
}

WxGraphicsDC::~WxGraphicsDC() {
  FlushBatch();
}

void WxGraphicsDC::ApplyClip() {
  ApplyClip(GetState().clip);
}

void WxGraphicsDC::ApplyClip(const std::optional<CRect>& clip) {
  if (clip == m_appliedClip) return;
  m_gc.ResetClip();
  if (clip) m_gc.Clip(clip->left, clip->top, clip->Width(), clip->Height());
  m_appliedClip = clip;
}

double WxGraphicsDC::UsePenAndBrush(bool fill) {
  FlushBatch();
  ApplyClip();
  return SetPenAndBrush(GetState().pen, GetState().brush, fill);
}

double WxGraphicsDC::SetPenAndBrush(const DCPen& pen, const DCBrush& brush, bool fill) {
  m_gc.SetBrush(fill && !brush.hollow ? m_gc.CreateBrush(wxBrush(ToWxColour(brush.colour)))
                                      : wxNullGraphicsBrush);
  if (pen.style == PS_NULL) {
    m_gc.SetPen(wxNullGraphicsPen);
    return 0;
  }
  const int width = std::max(pen.width, 1);
  m_gc.SetPen(m_gc.CreatePen(wxGraphicsPenInfo(ToWxColour(pen.colour), width).Style(PenStyleOf(pen.style))));
  return width % 2 == 1 ? 0.5 : 0.0;
}

wxGraphicsPath* WxGraphicsDC::Batched(Batch::Kind kind) {
  const State& state = GetState();
  const bool lines = kind == Batch::Kind::Lines && state.pen.style != PS_NULL;
  const bool fills = kind == Batch::Kind::Fills && state.pen.style == PS_NULL && !state.brush.hollow;
  if (!lines && !fills) return nullptr;
  if (m_batch && m_batch->kind == kind && m_batch->pen == state.pen && m_batch->brush == state.brush &&
      m_batch->clip == state.clip)
    return &m_batch->path;
  FlushBatch();
  m_batch = Batch{kind, state.pen, state.brush, state.clip, m_gc.CreatePath()};
  return &m_batch->path;
}

void WxGraphicsDC::FlushBatch() {
  if (!m_batch) return;
  const Batch batch = std::move(*m_batch);
  m_batch.reset();
  ApplyClip(batch.clip);
  if (batch.kind == Batch::Kind::Lines) {
    SetPenAndBrush(batch.pen, batch.brush, false);
    m_gc.StrokePath(batch.path);
  } else {
    SetPenAndBrush(batch.pen, batch.brush, true);
    // Overlapping pieces of one shape (an oblong's ends and middle) fill as one.
    m_gc.FillPath(batch.path, wxWINDING_RULE);
  }
}

namespace {

// Making a wx font of a pixel size measures it on the screen, which costs far more
// than drawing a short text: the fonts made are kept, the few a drawing uses, each
// with the sizes of the texts drawn in it (a full repaint lays every text out twice
// otherwise, once to measure it and once to draw it).
struct MadeFont {
  DCFont key;
  wxFont font;
  std::unordered_map<std::string, TextSize> sizes;
};

MadeFont& CachedFont(const DCFont& font) {
  static constexpr size_t kMostFonts = 32;
  static std::vector<std::unique_ptr<MadeFont>> made;
  for (const auto& entry : made) {
    if (entry->key == font) return *entry;
  }
  if (made.size() == kMostFonts) made.clear();
  made.push_back(std::make_unique<MadeFont>(MadeFont{font, ToWxFont(font), {}}));
  return *made.back();
}

const wxFont& CachedWxFont(const DCFont& font) {
  return CachedFont(font).font;
}

}  // namespace

void WxGraphicsDC::UseFont() const {
  const State& state = GetState();
  if (m_appliedFont == state.font && m_appliedTextColour == state.textColour) return;
  m_gc.SetFont(CachedWxFont(state.font), ToWxColour(state.textColour));
  m_appliedFont = state.font;
  m_appliedTextColour = state.textColour;
}

void WxGraphicsDC::DrawLine(CPoint from, CPoint to) {
  if (wxGraphicsPath* path = Batched(Batch::Kind::Lines)) {
    const double offset = std::max(GetState().pen.width, 1) % 2 == 1 ? 0.5 : 0.0;
    path->MoveToPoint(from.x + offset, from.y + offset);
    path->AddLineToPoint(to.x + offset, to.y + offset);
    return;
  }
  const double offset = UsePenAndBrush(false);
  m_gc.StrokeLine(from.x + offset, from.y + offset, to.x + offset, to.y + offset);
}

void WxGraphicsDC::DrawRectangle(const CRect& rect) {
  if (wxGraphicsPath* path = Batched(Batch::Kind::Fills)) {
    path->AddRectangle(rect.left, rect.top, rect.Width(), rect.Height());
    return;
  }
  const double offset = UsePenAndBrush(true);
  m_gc.DrawRectangle(rect.left + offset, rect.top + offset, rect.Width(), rect.Height());
}

void WxGraphicsDC::DrawEllipse(const CRect& bounds) {
  if (StampDisc(bounds) || StampRing(bounds)) return;
  if (wxGraphicsPath* path = Batched(Batch::Kind::Fills)) {
    path->AddEllipse(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    return;
  }
  const double offset = UsePenAndBrush(true);
  m_gc.DrawEllipse(bounds.left + offset, bounds.top + offset, bounds.Width(), bounds.Height());
}

void WxGraphicsDC::DrawPolygon(std::span<const CPoint> points, bool closed) {
  const double offset = UsePenAndBrush(closed);
  wxGraphicsPath path = m_gc.CreatePath();
  path.MoveToPoint(At(points.front(), offset));
  for (const CPoint& point : points.subspan(1)) path.AddLineToPoint(At(point, offset));
  if (closed) {
    path.CloseSubpath();
    m_gc.DrawPath(path);
  } else {
    m_gc.StrokePath(path);
  }
}

void WxGraphicsDC::DrawArc(const CRect& bounds, CPoint start, CPoint end) {
  const double offset = UsePenAndBrush(false);
  const double cx = (bounds.left + bounds.right) / 2.0 + offset;
  const double cy = (bounds.top + bounds.bottom) / 2.0 + offset;
  const double rx = bounds.Width() / 2.0;
  const double ry = bounds.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return;
  // Angles of the ellipse's parametric form, counter-clockwise on the screen.
  const auto angle = [&](CPoint p) { return std::atan2((cy - p.y) / ry, (p.x - cx) / rx); };
  const double from = angle(start);
  double sweep = angle(end) - from;
  while (sweep <= 1e-9) sweep += 2 * std::numbers::pi;
  wxGraphicsPath path = m_gc.CreatePath();
  path.MoveToPoint(cx + rx * std::cos(from), cy - ry * std::sin(from));
  for (int i = 1; i <= kArcSegments; ++i) {
    const double t = from + sweep * i / kArcSegments;
    path.AddLineToPoint(cx + rx * std::cos(t), cy - ry * std::sin(t));
  }
  m_gc.StrokePath(path);
}

void WxGraphicsDC::DrawFilledRect(const CRect& rect, COLORREF colour) {
  FlushBatch();
  ApplyClip();
  m_gc.SetPen(wxNullGraphicsPen);
  m_gc.SetBrush(m_gc.CreateBrush(wxBrush(ToWxColour(colour))));
  m_gc.DrawRectangle(rect.left, rect.top, rect.Width(), rect.Height());
}

void WxGraphicsDC::DrawText(CPoint point, const std::string& text) {
  FlushBatch();
  ApplyClip();
  UseFont();
  const State& state = GetState();
  const wxString shown = wxString::FromUTF8(text.c_str());
  const auto [width, height, descent] = MeasureText(shown, text);
  double dx = 0;
  if ((state.textAlign & TA_HORIZONTAL_MASK) == TA_CENTER) dx = -width / 2;
  if ((state.textAlign & TA_HORIZONTAL_MASK) == TA_RIGHT) dx = -width;
  double dy = 0;
  if ((state.textAlign & TA_VERTICAL_MASK) == TA_BASELINE) dy = -(height - descent);
  if ((state.textAlign & TA_VERTICAL_MASK) == TA_BOTTOM) dy = -height;
  m_gc.PushState();
  m_gc.Translate(point.x, point.y);
  // Counter-clockwise on a screen whose y grows downwards is a negative angle.
  if (state.font.rotation % 3600 != 0) m_gc.Rotate(-Radians(state.font.rotation));
  if (state.bkMode == OPAQUE) {
    m_gc.SetPen(wxNullGraphicsPen);
    m_gc.SetBrush(m_gc.CreateBrush(wxBrush(ToWxColour(state.bkColour))));
    m_gc.DrawRectangle(dx, dy, width, height);
  }
  m_gc.DrawText(shown, dx, dy);
  m_gc.PopState();
}

TextSize WxGraphicsDC::MeasureText(const wxString& shown, const std::string& text) const {
  static constexpr size_t kMostSizesPerFont = 50000;
  auto& sizes = CachedFont(GetState().font).sizes;
  if (const auto found = sizes.find(text); found != sizes.end()) return found->second;
  TextSize size;
  m_gc.GetTextExtent(shown, &size.width, &size.height, &size.descent, nullptr);
  if (sizes.size() == kMostSizesPerFont) sizes.clear();
  sizes.emplace(text, size);
  return size;
}

CSize WxGraphicsDC::GetTextExtent(const CString& text) const {
  UseFont();
  double width = 0;
  double height = 0;
  m_gc.GetTextExtent(wxString::FromUTF8(text.c_str()), &width, &height, nullptr, nullptr);
  return {static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height))};
}

bool WxGraphicsDC::StampDisc(const CRect& bounds) {
  static constexpr int kMostDiscPixels = 32;
  const State& state = GetState();
  if (state.pen.style != PS_NULL || state.brush.hollow) return false;
  const CSize size = bounds.Size();
  if (size.cx <= 0 || size.cy <= 0 || size.cx > kMostDiscPixels || size.cy > kMostDiscPixels) return false;
  const COLORREF colour = state.brush.colour;
  auto disc = std::find_if(m_discs.begin(), m_discs.end(),
                           [&](const Disc& made) { return made.size == size && made.colour == colour; });
  if (disc == m_discs.end()) {
    const wxGraphicsBitmap picture =
        m_gc.CreateBitmapFromImage(MakeDiscPicture(size.cx, size.cy, ToWxColour(colour)));
    disc = m_discs.insert(m_discs.end(), Disc{size, colour, picture, StampPictureOf(picture)});
  }
  FlushBatch();
  if (m_canvas != nullptr && !disc->pixels.pixels.empty()) {
    m_canvas->Stamp(disc->pixels, bounds.TopLeft(), state.clip.value_or(bounds));
    return true;
  }
  ApplyClip();
  m_gc.DrawBitmap(disc->picture, bounds.left, bounds.top, size.cx, size.cy);
  return true;
}

namespace {

// The picture of a ring: `at` places its top left from the ring's box.
struct RingPicture {
  CSize size;
  DCPen pen;
  CPoint at;
  StampPicture pixels;
};

const RingPicture& CachedRing(CSize size, const DCPen& pen) {
  static constexpr size_t kMostRings = 64;
  static std::vector<RingPicture> made;
  for (const RingPicture& ring : made) {
    if (ring.size == size && ring.pen == pen) return ring;
  }
  if (made.size() == kMostRings) made.clear();
  // The stroke reaches half the pen's width past the box; a whole pen's width of margin
  // holds it with its smoothed edge.
  const int width = std::max(pen.width, 1);
  const double offset = width % 2 == 1 ? 0.5 : 0.0;
  StampPicture pixels =
      StampPictureDrawn(size.cx + 2 * width, size.cy + 2 * width, [&](wxGraphicsContext& gc) {
        gc.DisableOffset();
        gc.SetBrush(wxNullGraphicsBrush);
        gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(ToWxColour(pen.colour), width)));
        gc.DrawEllipse(width + offset, width + offset, size.cx, size.cy);
      });
  made.push_back(RingPicture{size, pen, CPoint(-width, -width), std::move(pixels)});
  return made.back();
}

}  // namespace

bool WxGraphicsDC::StampRing(const CRect& bounds) {
  static constexpr int kMostRingPixels = 16;
  const State& state = GetState();
  if (m_canvas == nullptr || state.pen.style != PS_SOLID || !state.brush.hollow) return false;
  const CSize size = bounds.Size();
  if (size.cx <= 0 || size.cy <= 0 || size.cx > kMostRingPixels || size.cy > kMostRingPixels) return false;
  const RingPicture& ring = CachedRing(size, state.pen);
  if (ring.pixels.pixels.empty()) return false;
  FlushBatch();
  const CPoint at(bounds.left + ring.at.x, bounds.top + ring.at.y);
  m_canvas->Stamp(ring.pixels, at,
                  state.clip.value_or(CRect(at, CSize(ring.pixels.width, ring.pixels.height))));
  return true;
}
