#include "platform/cwnd.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/win_thread.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const MessageMap CWnd::kMessageMap{&CCmdTarget::kMessageMap, {}};

CWnd::~CWnd() {
  if (IsWindowHandle(m_hWnd)) DestroyWindowHandle(m_hWnd);
  if (m_hWnd != nullptr && m_hWnd->object == this) m_hWnd->object = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  return hwnd != nullptr ? hwnd->object : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  if (hwnd->object != nullptr) return hwnd->object;
  const WrapperFactory wrapper = FindWrapperFactory(hwnd->className);
  hwnd->ownedObject = wrapper != nullptr ? wrapper() : std::make_unique<CWnd>();
  hwnd->object = hwnd->ownedObject.get();
  hwnd->object->m_hWnd = hwnd;
  return hwnd->object;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const CRect& rect, CWnd* parent,
                  UINT id, CCreateContext* context) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const CRect& rect, CWnd* parent, UINT id, void* params) {
  CREATESTRUCT cs;
  cs.className = className != nullptr && *className != '\0' ? className : GetRuntimeClass()->m_lpszClassName;
  cs.name = windowName;
  cs.style = style;
  cs.exStyle = exStyle;
  cs.rect = rect;
  cs.parent = parent != nullptr ? parent->m_hWnd : nullptr;
  cs.id = static_cast<int>(id);
  cs.createParams = params;
  if (!PreCreateWindow(cs)) return FALSE;
  return CreateWindowHandle(cs, this) != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  return DestroyWindowHandle(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!IsWindowHandle(hwnd) || m_hWnd != nullptr) return FALSE;
  if (hwnd->object != nullptr && hwnd->object != hwnd->ownedObject.get()) return FALSE;
  if (hwnd->ownedObject != nullptr) {
    hwnd->ownedObject->m_hWnd = nullptr;
    hwnd->ownedObject.reset();
  }
  hwnd->object = this;
  m_hWnd = hwnd;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  CWnd* item = parent != nullptr ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
  return item != nullptr && SubclassWindow(item->m_hWnd);
}

CWnd* CWnd::GetParent() const {
  return m_hWnd != nullptr ? FromHandle(m_hWnd->parent) : nullptr;
}

CWnd* CWnd::GetOwner() const {
  if (m_hWnd == nullptr) return nullptr;
  return FromHandle(m_hWnd->owner != nullptr ? m_hWnd->owner : m_hWnd->parent);
}

CWnd* CWnd::GetDlgItem(int id) const {
  if (m_hWnd == nullptr) return nullptr;
  for (const auto& child : m_hWnd->children) {
    if (child->id == id && !child->destroying) return FromHandle(child.get());
  }
  return nullptr;
}

int CWnd::GetDlgCtrlID() const {
  return m_hWnd != nullptr ? m_hWnd->id : 0;
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hwnd = m_hWnd;
  while (hwnd != nullptr && hwnd->parent != nullptr) hwnd = hwnd->parent;
  return FromHandle(hwnd);
}

BOOL CWnd::IsChild(const CWnd* wnd) const {
  if (wnd == nullptr || m_hWnd == nullptr) return FALSE;
  for (HWND h = wnd->m_hWnd != nullptr ? wnd->m_hWnd->parent : nullptr; h != nullptr; h = h->parent) {
    if (h == m_hWnd) return TRUE;
  }
  return FALSE;
}

std::vector<CWnd*> CWnd::GetChildren() const {
  std::vector<CWnd*> result;
  if (m_hWnd == nullptr) return result;
  for (const auto& child : m_hWnd->children) result.push_back(FromHandle(child.get()));
  return result;
}

void CWnd::SetWindowText(const char* text) {
  if (m_hWnd != nullptr) ::SendMessage(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void CWnd::GetWindowText(CString& text) const {
  text = m_hWnd != nullptr ? m_hWnd->text : CString();
}

CString CWnd::GetWindowText() const {
  CString text;
  GetWindowText(text);
  return text;
}

void CWnd::SetDlgItemText(int id, const char* text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

void CWnd::GetWindowRect(CRect* rect) const {
  *rect = m_hWnd != nullptr ? m_hWnd->rect : CRect();
}

void CWnd::GetClientRect(CRect* rect) const {
  *rect = m_hWnd != nullptr ? CRect(0, 0, m_hWnd->rect.Width(), m_hWnd->rect.Height()) : CRect();
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  MoveWindow(CRect(x, y, x + width, y + height), repaint);
}

void CWnd::MoveWindow(const CRect& rect, BOOL) {
  if (m_hWnd == nullptr) return;
  const bool resized = rect.Size() != m_hWnd->rect.Size();
  m_hWnd->rect = rect;
  NotifyPeer(m_hWnd, WindowChange::Position);
  if (resized) ::SendMessage(m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
  if (m_hWnd == nullptr) return FALSE;
  CRect rect = m_hWnd->rect;
  if ((flags & SWP_NOMOVE) == 0) rect = CRect(CPoint(x, y), rect.Size());
  if ((flags & SWP_NOSIZE) == 0) rect = CRect(rect.TopLeft(), CSize(cx, cy));
  if (rect != m_hWnd->rect) MoveWindow(rect);
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(SW_HIDE);
  return TRUE;
}

void CWnd::ClientToScreen(CPoint* point) const {
  for (HWND h = m_hWnd; h != nullptr; h = h->parent) point->Offset(h->rect.left, h->rect.top);
}

void CWnd::ScreenToClient(CPoint* point) const {
  for (HWND h = m_hWnd; h != nullptr; h = h->parent) point->Offset(-h->rect.left, -h->rect.top);
}

DWORD CWnd::GetStyle() const {
  return m_hWnd != nullptr ? m_hWnd->style : 0;
}

BOOL CWnd::ShowWindow(int command) {
  if (m_hWnd == nullptr) return FALSE;
  const BOOL wasVisible = (m_hWnd->style & WS_VISIBLE) != 0;
  const bool show = command != SW_HIDE;
  if (show == (wasVisible != FALSE)) return wasVisible;
  m_hWnd->style = show ? (m_hWnd->style | WS_VISIBLE) : (m_hWnd->style & ~WS_VISIBLE);
  ::SendMessage(m_hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  NotifyPeer(m_hWnd, WindowChange::Visibility);
  return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
  for (HWND h = m_hWnd; h != nullptr; h = h->parent) {
    if ((h->style & WS_VISIBLE) == 0) return FALSE;
  }
  return m_hWnd != nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (m_hWnd == nullptr) return FALSE;
  const BOOL wasDisabled = (m_hWnd->style & WS_DISABLED) != 0;
  if ((enable != FALSE) == (wasDisabled != FALSE)) {
    m_hWnd->style = enable ? (m_hWnd->style & ~WS_DISABLED) : (m_hWnd->style | WS_DISABLED);
    ::SendMessage(m_hWnd, WM_ENABLE, enable, 0);
    NotifyPeer(m_hWnd, WindowChange::Enabled);
  }
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
  return m_hWnd != nullptr && (m_hWnd->style & WS_DISABLED) == 0;
}

CWnd* CWnd::SetFocus() {
  CWinThread* thread = AfxGetThread();
  HWND old = thread->m_focus;
  if (old == m_hWnd || m_hWnd == nullptr) return FromHandle(old);
  thread->m_focus = m_hWnd;
  if (IsWindowHandle(old)) {
    ::SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hWnd), 0);
    NotifyPeer(old, WindowChange::Focus);
  }
  ::SendMessage(m_hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  NotifyPeer(m_hWnd, WindowChange::Focus);
  return IsWindowHandle(old) ? FromHandle(old) : nullptr;
}

CWnd* CWnd::GetFocus() {
  return FromHandle(GetFocusHandle());
}

HWND CWnd::GetFocusHandle() {
  HWND focus = AfxGetThread()->m_focus;
  return IsWindowHandle(focus) ? focus : nullptr;
}

void CWnd::Invalidate(BOOL) {
  if (m_hWnd != nullptr) NotifyPeer(m_hWnd, WindowChange::Redraw);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
  if (rect == nullptr) {
    Invalidate(erase);
    return;
  }
  if (m_hWnd != nullptr && !rect->IsRectEmpty()) NotifyPeerOfRect(m_hWnd, *rect);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
  return FALSE;
}

// The parent is read before each window looks, since a window that lets the message
// pass may still have changed the tree.
BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND hwnd = msg != nullptr ? msg->hwnd : nullptr; IsWindowHandle(hwnd);) {
    const HWND parent = hwnd->parent;
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd != nullptr && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == stop) break;
    hwnd = parent;
  }
  return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessage(m_hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

namespace {
// The messages being handled, innermost last. Kept outside the objects, because a
// handler may destroy the very window (and object) it runs for.
struct MessageInProgress {
  const CWnd* wnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<MessageInProgress>& MessagesInProgress() {
  static std::vector<MessageInProgress> stack;
  return stack;
}
}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  auto& stack = MessagesInProgress();
  stack.push_back({this, message, wParam, lParam});
  const LRESULT result = HandleMessage(message, wParam, lParam);
  stack.pop_back();
  return result;
}

LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
  LRESULT result = 0;
  if (DispatchMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    default:
      return DefWindowProc(message, wParam, lParam);
  }
}

LRESULT CWnd::Default() {
  const auto& stack = MessagesInProgress();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (it->wnd == this) return DefWindowProc(it->message, it->wParam, it->lParam);
  }
  return 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_hWnd != nullptr ? ::DefWindowProc(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  const UINT id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  return OnCmdMsg(id, code, 0);
}

int CWnd::OnCreate(LPCREATESTRUCT) {
  return 0;
}

void CWnd::OnDestroy() {}

void CWnd::OnSize(UINT, int, int) {}

void CWnd::PostNcDestroy() {}
