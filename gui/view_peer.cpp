#include "gui/view_peer.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/region.h>

#include <vector>

#include "gui/offscreen_canvas.h"
#include "gui/wx_graphics_dc.h"
#include "platform/view.h"

namespace {

CPoint ToPoint(wxPoint point) {
  return {point.x, point.y};
}

// The key and button state of a mouse message.
WPARAM KeysOf(const wxMouseEvent& event) {
  WPARAM keys = 0;
  if (event.LeftIsDown()) keys |= MK_LBUTTON;
  if (event.MiddleIsDown()) keys |= MK_MBUTTON;
  if (event.RightIsDown()) keys |= MK_RBUTTON;
  if (event.ShiftDown()) keys |= MK_SHIFT;
  if (event.ControlDown()) keys |= MK_CONTROL;
  return keys;
}

// Keys other than the buttons, for a press or release whose button state is the message's own.
WPARAM ModifierKeysOf(const wxMouseEvent& event) {
  return KeysOf(event) & (MK_SHIFT | MK_CONTROL);
}

class ViewPeer : public WxPeer {
 public:
  ViewPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, new wxWindow(parent, wxID_ANY, wxPoint(hwnd->rect.left, hwnd->rect.top),
                                  wxSize(hwnd->rect.Width(), hwnd->rect.Height()),
                                  wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS | wxBORDER_NONE)) {
    m_window->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_window->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { Paint(); });
    BindMouse();
    m_window->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) { OnChar(event); });
    m_window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
  }

 protected:
  void ShowText() override {}

 private:
  void BindMouse() {
    m_window->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
      Capture();
      const CPoint at = ToPoint(event.GetPosition());
      const WPARAM keys = ModifierKeysOf(event);
      Act([&](UserInput& user) { user.LeftDown(Object(), at, keys); });
    });
    m_window->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
      Capture();
      const CPoint at = ToPoint(event.GetPosition());
      const WPARAM keys = ModifierKeysOf(event);
      Act([&](UserInput& user) { user.LeftDoubleDown(Object(), at, keys); });
    });
    m_window->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
      Release();
      const CPoint at = ToPoint(event.GetPosition());
      const WPARAM keys = ModifierKeysOf(event);
      Act([&](UserInput& user) { user.LeftUp(Object(), at, keys); });
    });
    m_window->Bind(wxEVT_MIDDLE_DOWN, [this](wxMouseEvent& event) {
      Capture();
      const CPoint at = ToPoint(event.GetPosition());
      Act([&](UserInput& user) { user.MiddleDown(Object(), at); });
    });
    m_window->Bind(wxEVT_MIDDLE_UP, [this](wxMouseEvent& event) {
      Release();
      const CPoint at = ToPoint(event.GetPosition());
      Act([&](UserInput& user) { user.MiddleUp(Object(), at); });
    });
    m_window->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
      const CPoint at = ToPoint(event.GetPosition());
      Act([&](UserInput& user) { user.OpenContextMenu(Object(), at); });
    });
    m_window->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
      const CPoint at = ToPoint(event.GetPosition());
      const WPARAM keys = KeysOf(event);
      Act([&](UserInput& user) { user.MoveMouse(Object(), at, keys); });
    });
    // The wheel zooms at the cursor: the view hears where the cursor is.
    m_window->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) {
      if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) return;
      const CPoint at = ToPoint(event.GetPosition());
      const int delta = event.GetWheelRotation();
      Act([&](UserInput& user) { user.Wheel(Object(), at, delta); });
    });
  }

  // Characters go to the view; what is not a plain character (arrows, function keys)
  // goes on to the frame.
  void OnChar(wxKeyEvent& event) {
    const wxChar ch = event.GetUnicodeKey();
    if (ch == WXK_NONE || ch >= 0x80 || event.ControlDown() || event.AltDown()) {
      event.Skip();
      return;
    }
    Act([&](UserInput& user) { user.TypeChar(Object(), static_cast<char>(ch)); });
  }

  // A drag keeps the mouse until the button goes up, even outside the view.
  void Capture() {
    if (!m_window->HasCapture()) m_window->CaptureMouse();
  }
  void Release() {
    if (m_window->HasCapture()) m_window->ReleaseMouse();
  }

  // A part of the view repaints only that part.
  void OnInvalidated(const CRect& rect) override {
    m_window->RefreshRect(wxRect(rect.left, rect.top, rect.Width(), rect.Height()), false);
  }

  // Only what needs repainting is drawn: each rectangle of the update region is drawn on
  // its own, off the screen where it can be, clipping the view's drawing, which passes
  // over the items outside it. A region of many pieces is drawn as the box round them.
  void Paint() {
    wxPaintDC paint(m_window);
    std::unique_ptr<wxGraphicsContext> window(wxGraphicsContext::Create(paint));
    if (window == nullptr) return;
    for (const CRect& part : UpdateParts()) {
      OffscreenCanvas canvas(part);
      if (canvas.Context() != nullptr) {
        DrawPart(*canvas.Context(), &canvas, part);
      } else {
        DrawPart(*window, nullptr, part);
      }
      canvas.PutOn(*window);
    }
  }

  // The context's state (its clip) is kept, for the next part drawn on the same window.
  void DrawPart(wxGraphicsContext& gc, OffscreenCanvas* canvas, const CRect& part) {
    gc.PushState();
    {
      WxGraphicsDC dc(gc, canvas);
      dc.FillSolidRect(part, RGB(255, 255, 255));
      auto* view = DynamicDowncast<CView>(CWnd::FromHandlePermanent(m_hwnd));
      dc.IntersectClipRect(part);
      if (view != nullptr) view->OnDraw(&dc);
    }
    gc.PopState();
  }

  std::vector<CRect> UpdateParts() const {
    static constexpr size_t kMostParts = 8;
    const wxRegion& region = m_window->GetUpdateRegion();
    const wxRect box = region.GetBox();
    if (box.IsEmpty()) {
      const wxSize size = m_window->GetClientSize();
      return {CRect(0, 0, size.x, size.y)};
    }
    std::vector<CRect> parts;
    for (wxRegionIterator part(region); part; ++part) {
      if (parts.size() == kMostParts) return {CRect(box.x, box.y, box.GetRight() + 1, box.GetBottom() + 1)};
      parts.emplace_back(part.GetX(), part.GetY(), part.GetX() + part.GetW(), part.GetY() + part.GetH());
    }
    return parts;
  }
};

}  // namespace

std::unique_ptr<WxPeer> MakeViewPeer(HWND hwnd, wxWindow* parent) {
  if (parent == nullptr || DynamicDowncast<CView>(CWnd::FromHandlePermanent(hwnd)) == nullptr) return nullptr;
  return std::make_unique<ViewPeer>(hwnd, parent);
}
