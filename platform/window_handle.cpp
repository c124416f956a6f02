#include "platform/window_handle.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "platform/backend.h"
#include "platform/cwnd.h"
#include "platform/win_thread.h"

namespace {
struct WindowClass {
  WindowProcedure procedure = nullptr;
  WrapperFactory wrapper = nullptr;
};

std::map<std::string, WindowClass>& WindowClasses() {
  static std::map<std::string, WindowClass> classes;
  return classes;
}

std::unordered_set<const WindowHandle*>& LiveWindows() {
  static std::unordered_set<const WindowHandle*> live;
  return live;
}

std::vector<std::unique_ptr<WindowHandle>>& TopLevel() {
  static std::vector<std::unique_ptr<WindowHandle>> windows;
  return windows;
}

std::vector<std::unique_ptr<WindowHandle>>& SiblingsOf(HWND hwnd) {
  return hwnd->parent != nullptr ? hwnd->parent->children : TopLevel();
}

// Takes the window out of its parent's list; the caller now owns it.
std::unique_ptr<WindowHandle> Unlink(HWND hwnd) {
  auto& siblings = SiblingsOf(hwnd);
  auto it = std::find_if(siblings.begin(), siblings.end(), [hwnd](const auto& p) { return p.get() == hwnd; });
  if (it == siblings.end()) return nullptr;
  std::unique_ptr<WindowHandle> owned = std::move(*it);
  siblings.erase(it);
  return owned;
}

void DestroyDeepestFirst(HWND hwnd) {
  // Children first, so a parent's object sees them already gone after WM_DESTROY.
  while (!hwnd->children.empty()) DestroyWindowHandle(hwnd->children.back().get());
}
}  // namespace

WindowHandle::WindowHandle() {
  LiveWindows().insert(this);
}

WindowHandle::~WindowHandle() {
  LiveWindows().erase(this);
}

void RegisterWindowClass(const std::string& className, WindowProcedure procedure, WrapperFactory wrapper) {
  WindowClasses()[className] = {procedure, wrapper};
}

WindowProcedure FindWindowClass(const std::string& className) {
  const auto it = WindowClasses().find(className);
  return it != WindowClasses().end() ? it->second.procedure : nullptr;
}

WrapperFactory FindWrapperFactory(const std::string& className) {
  const auto it = WindowClasses().find(className);
  return it != WindowClasses().end() ? it->second.wrapper : nullptr;
}

bool IsWindowHandle(HWND hwnd) {
  return hwnd != nullptr && LiveWindows().count(hwnd) != 0 && !hwnd->destroying;
}

void AdoptWindowObject(HWND hwnd, std::unique_ptr<CWnd> object) {
  if (hwnd->object == object.get()) hwnd->ownedObject = std::move(object);
}

HWND CreateWindowHandle(const CREATESTRUCT& cs, CWnd* object) {
  auto owned = std::make_unique<WindowHandle>();
  HWND hwnd = owned.get();
  hwnd->className = cs.className;
  hwnd->text = cs.name;
  hwnd->style = cs.style;
  hwnd->exStyle = cs.exStyle;
  hwnd->rect = cs.rect;
  hwnd->id = cs.id;
  hwnd->procedure = FindWindowClass(cs.className);
  if ((cs.style & WS_CHILD) != 0) {
    hwnd->parent = cs.parent;
  } else {
    hwnd->owner = cs.parent;
  }
  SiblingsOf(hwnd).push_back(std::move(owned));
  if (object != nullptr) {
    object->m_hWnd = hwnd;
    hwnd->object = object;
  }
  CREATESTRUCT copy = cs;
  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&copy)) == -1) {
    DestroyWindowHandle(hwnd);
    return nullptr;
  }
  hwnd->peer = CurrentBackend().CreatePeer(hwnd);
  return hwnd;
}

bool DestroyWindowHandle(HWND hwnd) {
  if (!IsWindowHandle(hwnd)) return false;
  SendMessage(hwnd, WM_DESTROY);
  hwnd->destroying = true;
  DestroyDeepestFirst(hwnd);
  if (AfxGetThread()->m_focus == hwnd) AfxGetThread()->m_focus = nullptr;
  hwnd->peer.reset();
  for (const auto& top : TopLevel()) {
    if (top->owner == hwnd) top->owner = nullptr;
  }
  CWnd* object = hwnd->object;
  std::unique_ptr<WindowHandle> owned = Unlink(hwnd);
  if (object != nullptr) {
    object->m_hWnd = nullptr;
    hwnd->object = nullptr;
    object->PostNcDestroy();
  }
  // `owned` goes here, and with it any object that the window owned.
  return true;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == nullptr || LiveWindows().count(hwnd) == 0) return 0;
  if (hwnd->object != nullptr) return hwnd->object->WindowProc(message, wParam, lParam);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindowHandle(hwnd)) return false;
  AfxGetThread()->QueueMessage(hwnd, message, wParam, lParam);
  return true;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd->procedure != nullptr) return hwnd->procedure(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = reinterpret_cast<const char*>(lParam);
      NotifyPeer(hwnd, WindowChange::Text);
      return TRUE;
    case WM_CLOSE:
      DestroyWindowHandle(hwnd);
      return 0;
    default:
      return 0;
  }
}

UINT RegisterWindowMessage(const char* name) {
  static std::map<std::string, UINT> messages;
  const auto [it, added] =
      messages.emplace(name, kFirstRegisteredMessage + static_cast<UINT>(messages.size()));
  return it->second;
}
