#include "gui/wx_peer.h"

#include <wx/app.h>
#include <wx/toplevel.h>
#include <wx/weakref.h>

#include <map>

#include "platform/cwnd.h"

namespace {
// Clear of wx's own ids (wxID_LOWEST is 4999) and of those it makes itself.
constexpr int kFirstCommandId = 10000;

std::map<UINT, int>& WxIds() {
  static std::map<UINT, int> ids;
  return ids;
}
std::map<int, UINT>& Commands() {
  static std::map<int, UINT> commands;
  return commands;
}

// How many widget events are running user actions right now.
int& EventDepth() {
  static int depth = 0;
  return depth;
}
}  // namespace

WxPeer::EventScope::EventScope() {
  ++EventDepth();
}

WxPeer::EventScope::~EventScope() {
  --EventDepth();
}

WxPeer::WxPeer(HWND hwnd, wxWindow* window) : m_hwnd(hwnd), m_window(window) {}

void WxPeer::ShowWholeState() {
  UpdateScope scope(*this);
  ShowPosition();
  ShowContent();
  ShowVisibility();
  m_window->Enable((m_hwnd->style & WS_DISABLED) == 0);
}

WxPeer::~WxPeer() {
  if (m_window == nullptr) return;
  if (m_window->HasCapture()) m_window->ReleaseMouse();
  if (m_window->IsTopLevel()) {
    m_window->Hide();
    m_window->Destroy();
    return;
  }
  // The widget's handlers use this peer, which is going.
  m_window->SetEvtHandlerEnabled(false);
  if (EventDepth() == 0 || wxTheApp == nullptr) {
    delete m_window;
    return;
  }
  // An event of this widget (or of one inside it) may still be running.
  m_window->Hide();
  const wxWeakRef<wxWindow> dying(m_window);
  wxTheApp->CallAfter([dying] {
    if (dying) delete dying.get();
  });
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
      ShowVisibility();
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

bool WxPeer::ShouldShow() const {
  return (m_hwnd->style & WS_VISIBLE) != 0;
}

void WxPeer::ShowVisibility() {
  if (m_window->IsTopLevel()) return;
  const bool shown = ShouldShow();
  if (m_window->IsShown() != shown) m_window->Show(shown);
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

WxPeer* PeerOf(HWND hwnd) {
  return hwnd != nullptr ? dynamic_cast<WxPeer*>(hwnd->peer.get()) : nullptr;
}

wxWindow* PeerWindow(HWND hwnd) {
  const WxPeer* peer = PeerOf(hwnd);
  return peer != nullptr ? peer->Window() : nullptr;
}

wxWindow* PeerClientWindow(HWND hwnd) {
  const WxPeer* peer = PeerOf(hwnd);
  return peer != nullptr ? peer->ClientWindow() : nullptr;
}

wxString ToWx(const CString& text) {
  return wxString::FromUTF8(text.c_str());
}

CString FromWx(const wxString& text) {
  return CString(std::string(text.utf8_str()));
}

wxColour ToWxColour(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

int WxCommandId(UINT command) {
  const auto found = WxIds().find(command);
  if (found != WxIds().end()) return found->second;
  const int id = kFirstCommandId + static_cast<int>(WxIds().size());
  WxIds()[command] = id;
  Commands()[id] = command;
  return id;
}

UINT CommandOfWxId(int wxId) {
  const auto found = Commands().find(wxId);
  return found != Commands().end() ? found->second : 0;
}
