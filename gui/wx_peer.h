// The screen side of platform windows on wxWidgets. A peer shows the state of its
// window and turns what the user does into user-input calls; it never keeps state of
// its own, so the platform stays the truth.
#pragma once

#include <wx/window.h>

#include "platform/backend.h"

class CWnd;

class WxPeer : public WindowPeer {
 public:
  WxPeer(HWND hwnd, wxWindow* window);
  ~WxPeer() override;

  void OnChanged(WindowChange change) override;
  // Shows everything the window holds; called once the peer is complete.
  void ShowWholeState();
  wxWindow* Window() const { return m_window; }
  HWND Handle() const { return m_hwnd; }
  CWnd* Object() const;

 protected:
  // Copies the control's own data (items, selection, check state) to the widget.
  virtual void ShowContent() {}
  virtual void ShowText();
  void ShowPosition();
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

  HWND m_hwnd;
  wxWindow* m_window;  // owned by its wx parent, destroyed with the peer

 private:
  int m_updating = 0;
};

// The widget that shows a platform window, or null.
wxWindow* PeerWindow(HWND hwnd);
// Platform text with '&' mnemonics to a wx label (wx reads '&' the same way).
wxString ToWx(const CString& text);
CString FromWx(const wxString& text);
