#include "host/drawing/design_drawing.h"

#include <algorithm>
#include <cmath>

#include "host/drawing/design_renderer.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "platform/device_context.h"

IMPLEMENT_DYNAMIC(CDesignDrawing, CView)

namespace {

// Each side of the fitted area keeps this share of it free.
constexpr double kFitMargin = 0.05;

// The drawing that saw the last mouse move: the mouse is over no other.
CDesignDrawing* g_mouseOwner = nullptr;  // not owned

CPoint PointOf(LPARAM lParam) {
  return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

int Round(double value) {
  return static_cast<int>(std::lround(value));
}

// Strokes as heavy as a pin's, and pin-end marks, reach this far past the items' boxes
// on the screen; text estimates may fall short of the real letters by half a letter.
constexpr int kItemMarginPixels = 4;
constexpr int kItemMarginWorld = 2540;

CBox TextBox(const CTextInstance* text) {
  if (text == nullptr) return {};
  CRect bounds = text->GetBounds();
  bounds.InflateRect(text->GetSize() / 2, text->GetSize() / 2);
  return CBox(bounds);
}

CBox PadBox(const CPadInstance& pad) {
  return CBox(pad.GetBounds()).Union(TextBox(pad.GetPinNameText())).Union(TextBox(pad.GetPinNumberText()));
}

// What an item covers in design units, with what belongs to it; empty for an item of
// no known kind.
CBox ItemWorldBox(const CDesignItem& item) {
  CBox box;
  if (const auto* pad = DynamicDowncast<CPadInstance>(&item)) {
    box = PadBox(*pad);
  } else if (const auto* symbol = DynamicDowncast<CSymbolInstance>(&item)) {
    box = symbol->GetExtents();
    for (int i = 0; i < symbol->CountTexts(); ++i) box = box.Union(TextBox(symbol->GetText(i)));
  } else if (const auto* text = DynamicDowncast<CTextInstance>(&item)) {
    box = TextBox(text);
  } else if (const auto* copper = DynamicDowncast<CCopperInstance>(&item)) {
    box = CBox(copper->GetBounds());
  }
  if (box.IsEmpty()) return box;
  const CPoint low = box.GetMin();
  const CPoint high = box.GetMax();
  return CBox(low.x - kItemMarginWorld, low.y - kItemMarginWorld, high.x + kItemMarginWorld,
              high.y + kItemMarginWorld);
}

}  // namespace

const MessageMap CDesignDrawing::kMessageMap{
    &CView::kMessageMap,
    {
        MessageEntry(WM_MBUTTONDOWN, &CDesignDrawing::HandleMButtonDown),
        MessageEntry(WM_MBUTTONUP, &CDesignDrawing::HandleMButtonUp),
        MessageEntry(WM_MOUSEMOVE, &CDesignDrawing::HandleMouseMove),
        MessageEntry(WM_MOUSEWHEEL, &CDesignDrawing::HandleMouseWheel),
    }};

CDesignDrawing::CDesignDrawing() = default;

CDesignDrawing::~CDesignDrawing() {
  if (g_mouseOwner == this) g_mouseOwner = nullptr;
}

void CDesignDrawing::SetDrawnDesign(CDesign* design) {
  m_design = design;
  Invalidate();
}

void CDesignDrawing::OnInitialUpdate() {
  OnZoomAll();
  CView::OnInitialUpdate();
}

void CDesignDrawing::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  CView::OnUpdate(sender, hint, hintObject);
}

void CDesignDrawing::OnDraw(CDC* dc) {
  if (dc == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const CRect clip = dc->GetClipBox(client);
  const CRect area(std::max(client.left, clip.left), std::max(client.top, clip.top),
                   std::min(client.right, clip.right), std::min(client.bottom, clip.bottom));
  if (area.IsRectEmpty()) return;
  Render(*dc, area);
}

int CDesignDrawing::Render(CDC& dc, const CRect& clientRect) const {
  const int saved = dc.SaveDC();
  CDesignColours* colours = m_design != nullptr ? m_design->GetDesignColours() : nullptr;
  dc.FillSolidRect(clientRect, colours != nullptr ? colours->GetBackground() : RGB(0, 0, 0));
  int drawn = 0;
  if (colours != nullptr) {
    CDesignRenderer renderer(dc, m_transform, *colours, m_transform.ToWorld(clientRect));
    renderer.DrawDesign(*m_design);
    drawn = renderer.CountDrawn();
  }
  dc.RestoreDC(saved);
  return drawn;
}

void CDesignDrawing::Draw(CDesignItem* item, int mode) {
  if (m_drawObserver) m_drawObserver(item, mode);
  // The screen repaints the area from the design as it is by then: an erased item that
  // changed shows its new state, one that went is gone.
  if (item != nullptr) InvalidateItem(item);
}

void CDesignDrawing::InvalidateItem(const CDesignItem* item) {
  if (item == nullptr) return;
  const CRect rect = GetItemViewRect(*item);
  if (rect.IsRectEmpty()) {
    Invalidate();
    return;
  }
  InvalidateRect(&rect);
}

CRect CDesignDrawing::GetItemViewRect(const CDesignItem& item) const {
  const CBox world = ItemWorldBox(item);
  if (world.IsEmpty()) return {};
  CRect view = m_transform.ToView(world.ToRect());
  view.InflateRect(kItemMarginPixels, kItemMarginPixels);
  return view;
}

bool CDesignDrawing::CursorOverWindow(bool update) const {
  if (update) {
    CRect client;
    GetClientRect(&client);
    m_cursorOver = g_mouseOwner == this && client.PtInRect(m_cursor);
  }
  return m_cursorOver;
}

void CDesignDrawing::TrackCursor(CPoint point) {
  if (g_mouseOwner != nullptr && g_mouseOwner != this) g_mouseOwner->m_cursorOver = false;
  g_mouseOwner = this;
  m_cursor = point;
  CursorOverWindow(true);
}

CSize CDesignDrawing::GetClientSize() const {
  CRect client;
  GetClientRect(&client);
  return client.Size();
}

CPoint CDesignDrawing::GetZoomPoint() const {
  if (CursorOverWindow(true)) return m_cursor;
  const CSize size = GetClientSize();
  return {size.cx / 2, size.cy / 2};
}

void CDesignDrawing::ZoomAt(CPoint viewPoint, double factor) {
  const CPoint held = m_transform.ToWorld(viewPoint);
  m_transform.SetScale(m_transform.GetScale() * factor);
  const double scale = m_transform.GetScale();
  m_transform.SetOrigin(CPoint(Round(held.x - viewPoint.x / scale), Round(held.y + viewPoint.y / scale)));
  m_showsAll = false;
  Invalidate();
}

void CDesignDrawing::CentreOn(CPoint designPoint) {
  m_clientSize = GetClientSize();
  const double scale = m_transform.GetScale();
  m_transform.SetOrigin(CPoint(Round(designPoint.x - m_clientSize.cx / 2.0 / scale),
                               Round(designPoint.y + m_clientSize.cy / 2.0 / scale)));
}

void CDesignDrawing::OnZoomInAtCursor() {
  ZoomAt(GetZoomPoint(), kZoomStep);
}

void CDesignDrawing::OnZoomOutAtCursor() {
  ZoomAt(GetZoomPoint(), 1 / kZoomStep);
}

// The contents, not the whole area: a design area is often a generous square round a
// small symbol, and fitting it would leave the symbol too small to read.
void CDesignDrawing::OnZoomAll() {
  ZoomToExtents(m_design != nullptr ? m_design->GetExtents() : CRect());
}

void CDesignDrawing::ZoomToExtents(CRect area) {
  m_showsAll = true;
  if (area.IsRectEmpty() && m_design != nullptr) area = m_design->GetDesignArea();
  const CSize client = GetClientSize();
  if (client.cx > 0 && client.cy > 0 && !(area.Width() == 0 && area.Height() == 0)) {
    const double width = std::max(area.Width(), 1) * (1 + 2 * kFitMargin);
    const double height = std::max(area.Height(), 1) * (1 + 2 * kFitMargin);
    m_transform.SetScale(std::min(client.cx / width, client.cy / height));
  }
  CentreOn(CPoint(Round((static_cast<double>(area.left) + area.right) / 2),
                  Round((static_cast<double>(area.top) + area.bottom) / 2)));
  Invalidate();
}

void CDesignDrawing::OnRefresh() {
  Invalidate();
}

void CDesignDrawing::OnPan() {
  OnPanTo(m_transform.ToWorld(m_cursor), true);
}

void CDesignDrawing::OnPanTo(CPoint designPoint, bool redraw) {
  CentreOn(designPoint);
  m_showsAll = false;
  if (redraw) Invalidate();
}

void CDesignDrawing::OnMButtonDown(UINT, CPoint point) {
  TrackCursor(point);
  m_dragging = true;
  m_dragAnchor = m_transform.ToWorld(point);
}

void CDesignDrawing::OnMButtonUp(UINT, CPoint point) {
  TrackCursor(point);
  m_dragging = false;
}

void CDesignDrawing::OnMouseMove(UINT flags, CPoint point) {
  TrackCursor(point);
  if (!m_dragging) return;
  // A release outside the view never arrived: the drag ended there.
  if ((flags & MK_MBUTTON) == 0) {
    m_dragging = false;
    return;
  }
  const double scale = m_transform.GetScale();
  m_transform.SetOrigin(
      CPoint(Round(m_dragAnchor.x - point.x / scale), Round(m_dragAnchor.y + point.y / scale)));
  m_showsAll = false;
  Invalidate();
}

void CDesignDrawing::OnMouseWheel(UINT, short delta, CPoint point) {
  ScreenToClient(&point);
  TrackCursor(point);
  if (delta == 0) return;
  ZoomAt(point, delta > 0 ? kZoomStep : 1 / kZoomStep);
}

int CDesignDrawing::OnCreate(LPCREATESTRUCT cs) {
  const int result = CView::OnCreate(cs);
  m_clientSize = GetClientSize();
  return result;
}

void CDesignDrawing::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (m_showsAll) {
    OnZoomAll();
    return;
  }
  const double scale = m_transform.GetScale();
  const CPoint origin = m_transform.GetOrigin();
  const CPoint centre(Round(origin.x + m_clientSize.cx / 2.0 / scale),
                      Round(origin.y - m_clientSize.cy / 2.0 / scale));
  CentreOn(centre);
  Invalidate();
}

LRESULT CDesignDrawing::HandleMButtonDown(WPARAM flags, LPARAM point) {
  OnMButtonDown(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CDesignDrawing::HandleMButtonUp(WPARAM flags, LPARAM point) {
  OnMButtonUp(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CDesignDrawing::HandleMouseMove(WPARAM flags, LPARAM point) {
  OnMouseMove(static_cast<UINT>(flags), PointOf(point));
  return 0;
}

LRESULT CDesignDrawing::HandleMouseWheel(WPARAM flags, LPARAM screenPoint) {
  OnMouseWheel(LOWORD(flags), static_cast<short>(HIWORD(flags)), PointOf(screenPoint));
  return 0;
}

CPoint CDesignWindow::GetCurrentPosition() const {
  if (m_view == nullptr) return {};
  return m_view->GetTransform().ToWorld(m_view->GetCursorPoint());
}
