#include "gui/wx_peer.h"

#include <wx/toplevel.h>

#include "platform/cwnd.h"

WxPeer::WxPeer(HWND hwnd, wxWindow* window) : m_hwnd(hwnd), m_window(window) {}

void WxPeer::ShowWholeState() {
  UpdateScope scope(*this);
  ShowPosition();
  ShowContent();
  if (!m_window->IsTopLevel()) m_window->Show((m_hwnd->style & WS_VISIBLE) != 0);
  m_window->Enable((m_hwnd->style & WS_DISABLED) == 0);
}

WxPeer::~WxPeer() {
  if (m_window == nullptr) return;
  if (m_window->IsTopLevel()) {
    m_window->Hide();
    m_window->Destroy();
  } else {
    delete m_window;
  }
}

CWnd* WxPeer::Object() const {
  return CWnd::FromHandle(m_hwnd);
}

void WxPeer::OnChanged(WindowChange change) {
  UpdateScope scope(*this);
  switch (change) {
    case WindowChange::Created:
    case WindowChange::Content:
      ShowContent();
      break;
    case WindowChange::Text:
      ShowText();
      break;
    case WindowChange::Position:
      ShowPosition();
      break;
    case WindowChange::Style:
    case WindowChange::Visibility:
      if (!m_window->IsTopLevel()) m_window->Show((m_hwnd->style & WS_VISIBLE) != 0);
      ShowContent();
      break;
    case WindowChange::Enabled:
      m_window->Enable((m_hwnd->style & WS_DISABLED) == 0);
      break;
    case WindowChange::Focus:
      if (CWnd::GetFocusHandle() == m_hwnd && !m_window->HasFocus()) m_window->SetFocus();
      break;
    case WindowChange::Redraw:
      m_window->Refresh();
      break;
  }
}

void WxPeer::ShowText() {
  m_window->SetLabel(ToWx(m_hwnd->text));
}

void WxPeer::ShowPosition() {
  const CRect& r = m_hwnd->rect;
  if (m_window->IsTopLevel()) {
    m_window->SetClientSize(r.Width(), r.Height());
    return;
  }
  const wxSize size = ShownSize();
  m_window->SetSize(r.left, r.top, size.x, size.y);
}

wxSize WxPeer::ShownSize() const {
  return {m_hwnd->rect.Width(), m_hwnd->rect.Height()};
}

wxWindow* PeerWindow(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto* peer = dynamic_cast<WxPeer*>(hwnd->peer.get());
  return peer != nullptr ? peer->Window() : nullptr;
}

wxString ToWx(const CString& text) {
  return wxString::FromUTF8(text.c_str());
}

CString FromWx(const wxString& text) {
  return CString(std::string(text.utf8_str()));
}
