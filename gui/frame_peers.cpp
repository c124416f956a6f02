#include "gui/frame_peers.h"

#include <wx/frame.h>
#include <wx/panel.h>

#include <map>

#include "gui/menu_bar_view.h"
#include "platform/control_classes.h"
#include "platform/mdi_frame_wnd.h"

namespace {

wxPoint PositionOf(HWND hwnd) {
  return {hwnd->rect.left, hwnd->rect.top};
}
wxSize SizeOf(HWND hwnd) {
  return {hwnd->rect.Width(), hwnd->rect.Height()};
}

UINT ModifiersOf(const wxKeyEvent& event) {
  UINT modifiers = 0;
  if (event.ControlDown()) modifiers |= FCONTROL;
  if (event.ShiftDown()) modifiers |= FSHIFT;
  if (event.AltDown()) modifiers |= FALT;
  return modifiers;
}

// A top-level frame. The children's widgets go in a panel that fills the client area,
// where the platform places them.
class FramePeer : public WxPeer {
 public:
  explicit FramePeer(HWND hwnd)
      : WxPeer(hwnd, ThemeBackground(new wxFrame(nullptr, wxID_ANY, ToWx(hwnd->text), wxDefaultPosition,
                                                 wxDefaultSize, wxDEFAULT_FRAME_STYLE))),
        m_client(ThemeBackground(
            new wxPanel(m_window, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE))) {
    m_window->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) { OnResized(event); });
    m_window->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) { OnClose(event); });
    m_window->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) { OnKey(event); });
    m_window->Bind(wxEVT_MENU, [this](wxCommandEvent& event) { OnMenuChoice(event); });
    m_window->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) { OnMenuOpen(event); });
    m_window->Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent&) { OnMenuClosed(); });
    m_window->Bind(wxEVT_IDLE, [this](wxIdleEvent& event) { OnIdle(event); });
  }

  wxWindow* ClientWindow() const override { return m_client; }

 protected:
  void ShowVisibility() override {
    const bool shown = ShouldShow();
    if (Frame()->IsShown() != shown) Frame()->Show(shown);
  }
  void ShowText() override { Frame()->SetTitle(ToWx(m_hwnd->text)); }
  void ShowPosition() override {
    const wxSize size = SizeOf(m_hwnd);
    if (Frame()->GetClientSize() != size) Frame()->SetClientSize(size);
    m_client->SetSize(Frame()->GetClientSize());
  }
  void ShowContent() override {
    CFrameWnd* frame = PlatformFrame();
    m_menus.Show(*Frame(), frame != nullptr ? frame->GetMenu() : nullptr);
    // A menu bar that comes or goes takes its height from the client area or gives it
    // back; the client area stays the size the platform laid out.
    ShowPosition();
  }

 private:
  wxFrame* Frame() const { return static_cast<wxFrame*>(m_window); }
  CFrameWnd* PlatformFrame() const { return dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hwnd)); }

  // The user resized the window: the platform lays its client area out anew. The
  // frame's own layout is not wanted; the platform places everything.
  void OnResized(wxSizeEvent&) {
    const wxSize size = Frame()->GetClientSize();
    m_client->SetSize(size);
    if (Updating()) return;
    Act([&](UserInput& user) { user.ResizeWindow(Object(), size.x, size.y); });
  }

  void OnClose(wxCloseEvent& event) {
    const HWND hwnd = m_hwnd;
    if (event.CanVeto()) event.Veto();
    Act([&](UserInput& user) { user.CloseWindow(CWnd::FromHandle(hwnd)); });
    // A close that cannot be refused takes the window even when the frame would not go.
    if (!event.CanVeto() && IsWindowHandle(hwnd)) CWnd::FromHandle(hwnd)->DestroyWindow();
  }

  // Shortcuts come before the focused widget, as the platform's message loop translates
  // them first. A shortcut that a menu label shows but the frame does not have right now
  // (an in-cell edit turns them off) must not fire through the menu either.
  void OnKey(wxKeyEvent& event) {
    CFrameWnd* frame = PlatformFrame();
    const UINT key = VirtualKeyOf(event.GetKeyCode());
    const UINT modifiers = ModifiersOf(event);
    if (frame != nullptr && key != 0 && frame->FindAcceleratorCommand(key, modifiers) != 0) {
      Act([&](UserInput& user) { user.PressAccelerator(frame, key, modifiers); });
      return;
    }
    m_keyWithoutShortcut = true;  // until idle time, when the key has been handled
    event.Skip();
  }

  void OnMenuChoice(wxCommandEvent& event) {
    if (m_keyWithoutShortcut) return;
    const UINT id = CommandOfWxId(event.GetId());
    if (id == 0) return;
    Act([&](UserInput& user) { user.ChooseMenuItem(Object(), id); });
  }

  void OnMenuOpen(wxMenuEvent& event) {
    // A choice in an open menu is the user's, whatever key opened it (Alt+C, then K).
    m_keyWithoutShortcut = false;
    m_menus.OnMenuOpened();
    const int position = MenuBarView::TopLevelPosition(*Frame(), event.GetMenu());
    if (position < 0) return;
    Act([&](UserInput& user) { user.OpenMenu(Object(), PlatformPosition(position)); });
  }

  void OnMenuClosed() { m_menus.OnMenuClosed(); }

  // Idle time: a menu bar rebuild held back while a menu was open happens now, and the
  // bars refresh their commands, as the platform's idle processing does.
  void OnIdle(wxIdleEvent& event) {
    event.Skip();
    m_keyWithoutShortcut = false;
    if (m_menus.IsRebuildPending() && !m_menus.IsMenuOpen()) {
      UpdateScope scope(*this);
      ShowContent();
    }
    if (CFrameWnd* frame = PlatformFrame()) frame->OnIdleUpdateCmdUI();
  }

  // The wx bar holds only the popups of the platform's bar.
  int PlatformPosition(int wxPosition) const {
    const CFrameWnd* frame = PlatformFrame();
    const CMenu* menu = frame != nullptr ? frame->GetMenu() : nullptr;
    int popups = 0;
    for (int position = 0; menu != nullptr && position < menu->GetMenuItemCount(); ++position) {
      if (menu->GetSubMenu(position) == nullptr) continue;
      if (popups++ == wxPosition) return position;
    }
    return -1;
  }

  wxPanel* m_client;
  MenuBarView m_menus;
  bool m_keyWithoutShortcut = false;
};

// A window that only holds others (a frame inside a pane, a plain child window).
class ContainerPeer : public WxPeer {
 public:
  ContainerPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd, ThemeBackground(
                         new wxPanel(parent, wxID_ANY, PositionOf(hwnd), SizeOf(hwnd), wxBORDER_NONE))) {}

 protected:
  void ShowText() override {}
};

// The MDI client shows only the active child; while none is active, all of them.
class MDIClientPeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;

 protected:
  void ShowContent() override {
    for (const auto& child : m_hwnd->children) {
      if (WxPeer* peer = PeerOf(child.get())) peer->ShowVisibility();
    }
  }
};

class MDIChildPeer : public ContainerPeer {
 public:
  using ContainerPeer::ContainerPeer;

 protected:
  bool ShouldShow() const override {
    if (!WxPeer::ShouldShow()) return false;
    const auto* child = dynamic_cast<const CMDIChildWnd*>(CWnd::FromHandlePermanent(m_hwnd));
    const CMDIFrameWnd* frame = child != nullptr ? child->GetMDIFrame() : nullptr;
    if (frame == nullptr || frame->MDIGetActive() == nullptr) return true;
    return frame->MDIGetActive() == child;
  }
};

}  // namespace

std::unique_ptr<WxPeer> MakeFramePeer(HWND hwnd, wxWindow* parent) {
  if (IsWindowOfClass(hwnd, kClassMDIClient)) {
    return parent != nullptr ? std::make_unique<MDIClientPeer>(hwnd, parent) : nullptr;
  }
  CWnd* object = CWnd::FromHandlePermanent(hwnd);
  if (hwnd->parent == nullptr) {
    return DynamicDowncast<CFrameWnd>(object) != nullptr ? std::make_unique<FramePeer>(hwnd) : nullptr;
  }
  if (parent == nullptr) return nullptr;
  if (DynamicDowncast<CMDIChildWnd>(object) != nullptr) return std::make_unique<MDIChildPeer>(hwnd, parent);
  return std::make_unique<ContainerPeer>(hwnd, parent);
}

UINT VirtualKeyOf(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return static_cast<UINT>(code);
  if (code >= 'a' && code <= 'z') return static_cast<UINT>(code - 'a' + 'A');
  if (code >= WXK_F1 && code <= WXK_F12) return VK_F1 + static_cast<UINT>(code - WXK_F1);
  static const std::map<int, UINT> keys = {
      {WXK_BACK, VK_BACK},           {WXK_TAB, VK_TAB},        {WXK_RETURN, VK_RETURN},
      {WXK_NUMPAD_ENTER, VK_RETURN}, {WXK_ESCAPE, VK_ESCAPE},  {WXK_SPACE, VK_SPACE},
      {WXK_PAGEUP, VK_PRIOR},        {WXK_PAGEDOWN, VK_NEXT},  {WXK_END, VK_END},
      {WXK_HOME, VK_HOME},           {WXK_LEFT, VK_LEFT},      {WXK_UP, VK_UP},
      {WXK_RIGHT, VK_RIGHT},         {WXK_DOWN, VK_DOWN},      {WXK_INSERT, VK_INSERT},
      {WXK_DELETE, VK_DELETE},       {'=', VK_OEM_PLUS},       {'+', VK_OEM_PLUS},
      {'-', VK_OEM_MINUS},           {WXK_NUMPAD_ADD, VK_ADD}, {WXK_NUMPAD_SUBTRACT, VK_SUBTRACT},
  };
  const auto found = keys.find(code);
  return found != keys.end() ? found->second : 0;
}
