// The user-input API for views and frames: the mouse, the keyboard, context menus and
// commands. Handlers may destroy the window they run in, so each sequence holds on to
// the window handle and stops once the window is gone.
#include "platform/cwnd.h"
#include "platform/frame_wnd.h"
#include "platform/user_input.h"
#include "platform/view.h"

namespace {
// A user reaches only a window that exists, is shown and is enabled, as is every window
// around it.
bool Reachable(const CWnd* wnd) {
  if (wnd == nullptr || !IsWindowHandle(wnd->GetSafeHwnd()) || !wnd->IsWindowVisible()) return false;
  for (HWND hwnd = wnd->GetSafeHwnd(); hwnd != nullptr; hwnd = hwnd->parent) {
    if ((hwnd->style & WS_DISABLED) != 0) return false;
  }
  return true;
}

// A press in a view makes it the active view of its frame, as mouse activation does.
void ActivateUnderMouse(CWnd* wnd) {
  auto* view = DynamicDowncast<CView>(wnd);
  CFrameWnd* frame = view != nullptr ? view->GetParentFrame() : nullptr;
  if (frame != nullptr) frame->SetActiveView(view);
}

// The windows around the target may take the input first, as they would take it from
// the message queue.
void SendMouse(HWND hwnd, UINT message, WPARAM keys, CPoint point) {
  if (!IsWindowHandle(hwnd)) return;
  MSG msg{hwnd, message, keys, MAKELPARAM(point.x, point.y)};
  if (CWnd::WalkPreTranslateTree(nullptr, &msg)) return;
  if (IsWindowHandle(hwnd)) SendMessage(hwnd, message, keys, msg.lParam);
}

// Presses a button: activation, then the button-down message.
bool Press(CWnd* wnd, UINT message, WPARAM keys, CPoint point) {
  if (!Reachable(wnd)) return false;
  const HWND hwnd = wnd->GetSafeHwnd();
  ActivateUnderMouse(wnd);
  SendMouse(hwnd, message, keys, point);
  return true;
}

bool Release(CWnd* wnd, UINT message, WPARAM keys, CPoint point) {
  if (!Reachable(wnd)) return false;
  SendMouse(wnd->GetSafeHwnd(), message, keys, point);
  return true;
}

LPARAM ScreenPoint(const CWnd* wnd, CPoint point) {
  wnd->ClientToScreen(&point);
  return MAKELPARAM(point.x, point.y);
}

// A command that its handlers disable cannot be chosen.
bool IsCommandEnabled(CWnd* target, UINT id) {
  CCmdUI state(id);
  target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, reinterpret_cast<LPARAM>(&state));
  return !state.WasHandled() || state.IsEnabled();
}
}  // namespace

bool UserInput::LeftClick(CWnd* view, CPoint point, WPARAM keys) {
  if (!Reachable(view)) return false;
  const HWND hwnd = view->GetSafeHwnd();
  Press(view, WM_LBUTTONDOWN, keys | MK_LBUTTON, point);
  SendMouse(hwnd, WM_LBUTTONUP, keys, point);
  return true;
}

bool UserInput::LeftDoubleClick(CWnd* view, CPoint point) {
  if (!Reachable(view)) return false;
  const HWND hwnd = view->GetSafeHwnd();
  Press(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMouse(hwnd, WM_LBUTTONUP, 0, point);
  SendMouse(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  SendMouse(hwnd, WM_LBUTTONUP, 0, point);
  return true;
}

bool UserInput::LeftDoubleDown(CWnd* view, CPoint point, WPARAM keys) {
  return Press(view, WM_LBUTTONDBLCLK, keys | MK_LBUTTON, point);
}

bool UserInput::LeftDown(CWnd* view, CPoint point, WPARAM keys) {
  return Press(view, WM_LBUTTONDOWN, keys | MK_LBUTTON, point);
}

bool UserInput::LeftUp(CWnd* view, CPoint point, WPARAM keys) {
  return Release(view, WM_LBUTTONUP, keys, point);
}

bool UserInput::MiddleDown(CWnd* view, CPoint point) {
  return Press(view, WM_MBUTTONDOWN, MK_MBUTTON, point);
}

bool UserInput::MiddleUp(CWnd* view, CPoint point) {
  return Release(view, WM_MBUTTONUP, 0, point);
}

bool UserInput::MoveMouse(CWnd* view, CPoint point, WPARAM keys) {
  return Release(view, WM_MOUSEMOVE, keys, point);
}

bool UserInput::Wheel(CWnd* view, CPoint point, int delta) {
  if (!Reachable(view)) return false;
  const WPARAM wParam = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta)));
  view->SendMessage(WM_MOUSEWHEEL, wParam, ScreenPoint(view, point));
  return true;
}

bool UserInput::TypeChar(CWnd* view, char ch) {
  if (!Reachable(view)) return false;
  const HWND hwnd = view->GetSafeHwnd();
  // Keys go to the window with the focus, so typing into a view focuses it first.
  if (CWnd::GetFocusHandle() != hwnd) view->SetFocus();
  if (IsWindowHandle(hwnd)) SendMessage(hwnd, WM_CHAR, static_cast<unsigned char>(ch), 1);
  return true;
}

bool UserInput::OpenContextMenu(CWnd* view, CPoint point) {
  if (!Reachable(view)) return false;
  const HWND hwnd = view->GetSafeHwnd();
  const LPARAM screenPoint = ScreenPoint(view, point);
  Press(view, WM_RBUTTONDOWN, MK_RBUTTON, point);
  SendMouse(hwnd, WM_RBUTTONUP, 0, point);
  if (IsWindowHandle(hwnd)) SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), screenPoint);
  return true;
}

bool UserInput::RunCommand(CWnd* target, UINT id) {
  if (!Reachable(target) || !IsCommandEnabled(target, id)) return false;
  target->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  return true;
}
