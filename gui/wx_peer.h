// The screen side of platform windows on wxWidgets. A peer shows the state of its
// window and turns what the user does into user-input calls; it never keeps state of
// its own, so the platform stays the truth.
#pragma once

#include <wx/window.h>

#include "platform/backend.h"
#include "platform/user_input.h"

class CWnd;

class WxPeer : public WindowPeer {
 public:
  WxPeer(HWND hwnd, wxWindow* window);
  ~WxPeer() override;

  void OnChanged(WindowChange change) override;
  // Shows everything the window holds; called once the peer is complete.
  void ShowWholeState();
  // Shows or hides the widget as the window's state (and ShouldShow) say; the base
  // leaves top-level widgets to whoever shows them (a modal loop).
  virtual void ShowVisibility();
  wxWindow* Window() const { return m_window; }
  // The widget that holds the widgets of the window's children.
  virtual wxWindow* ClientWindow() const { return m_window; }
  CWnd* Object() const;

 protected:
  // Copies the control's own data (items, selection, check state) to the widget.
  virtual void ShowContent() {}
  virtual void ShowText();
  virtual void ShowPosition();
  // Whether the widget is on show; the base follows WS_VISIBLE.
  virtual bool ShouldShow() const;
  // The size the widget takes; a closed drop-down is shorter than its window, whose
  // rectangle includes the dropped list.
  virtual wxSize ShownSize() const;
  // While set, widget events come from our own updates, not from the user.
  bool Updating() const { return m_updating > 0; }
  struct UpdateScope {
    explicit UpdateScope(WxPeer& peer) : m_peer(peer) { ++m_peer.m_updating; }
    ~UpdateScope() { --m_peer.m_updating; }
    WxPeer& m_peer;
  };
  // Runs a user action from a widget event. The action may destroy windows, this one
  // included: their widgets then go only after the event, so wx never returns into a
  // deleted widget. Nothing of the peer may be used after Act returns.
  template <class Action>
  static void Act(Action action) {
    EventScope scope;
    UserInput user;
    action(user);
  }

  HWND m_hwnd;
  wxWindow* m_window;  // owned by its wx parent, destroyed with the peer

 private:
  struct EventScope {
    EventScope();
    ~EventScope();
  };
  int m_updating = 0;
};

// A widget that only holds others, its background left to the theme. Such widgets are
// drawn again with every repaint of a child inside them; left to the default, each of
// those draws would make a device context (and look up the theme's font and colours)
// for an erase that nothing handles.
template <typename Widget>
Widget* ThemeBackground(Widget* window) {
  window->SetBackgroundStyle(wxBG_STYLE_SYSTEM);
  return window;
}

// The widget that shows a platform window, or null.
wxWindow* PeerWindow(HWND hwnd);
// The peer of a platform window, or null.
WxPeer* PeerOf(HWND hwnd);
// The widget in which the widgets of the window's children go, or null.
wxWindow* PeerClientWindow(HWND hwnd);
// Platform text with '&' mnemonics to a wx label (wx reads '&' the same way).
wxString ToWx(const CString& text);
CString FromWx(const wxString& text);
// Platform colours to wx.
wxColour ToWxColour(COLORREF colour);
// Command ids of menus and tools: wx takes ids below 0x7FFF only, so every command
// gets a wx id of its own, the same for as long as the program runs.
int WxCommandId(UINT command);
// The command of a wx id from WxCommandId; 0 for any other id.
UINT CommandOfWxId(int wxId);
