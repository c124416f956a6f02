// The window objects of the headless framework. A WindowHandle is what a window
// handle names: it holds the whole state of one window (the truth that a screen only
// shows), owns its child windows, and optionally owns the C++ object attached to it
// (views and frames made by dynamic creation live exactly as long as their window).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CWnd;
class WindowPeer;
struct WindowHandle;
using HWND = WindowHandle*;

// What a control keeps beyond the common window state (items, check state, ...).
class ControlData {
 public:
  virtual ~ControlData() = default;
};

// A system window class: how windows of that class answer messages that no C++
// object handled.
using WindowProcedure = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WindowHandle {
  std::string className;
  CString text;
  int id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  CRect rect;  // in the parent's client coordinates (screen coordinates at top level)
  HWND parent = nullptr;
  HWND owner = nullptr;
  std::vector<std::unique_ptr<WindowHandle>> children;  // in z and tab order
  CWnd* object = nullptr;                               // attached C++ object, if any
  std::unique_ptr<CWnd> ownedObject;                    // set when the window owns it
  std::unique_ptr<ControlData> data;
  std::unique_ptr<WindowPeer> peer;
  WindowProcedure procedure = nullptr;
  bool destroying = false;

  WindowHandle();
  ~WindowHandle();
  WindowHandle(const WindowHandle&) = delete;
  WindowHandle& operator=(const WindowHandle&) = delete;

  template <class T>
  T* Data() const {
    return dynamic_cast<T*>(data.get());
  }
};

struct CREATESTRUCT {
  std::string className;
  CString name;
  DWORD style = 0;
  DWORD exStyle = 0;
  CRect rect;
  HWND parent = nullptr;
  int id = 0;
  void* createParams = nullptr;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// Makes the plain C++ object for a window that has none, of the class's own kind, so
// that a control found by id can be used as that control.
using WrapperFactory = std::unique_ptr<CWnd> (*)();

// Window classes are registered by name with their default procedure.
void RegisterWindowClass(const std::string& className, WindowProcedure procedure,
                         WrapperFactory wrapper = nullptr);
WindowProcedure FindWindowClass(const std::string& className);
WrapperFactory FindWrapperFactory(const std::string& className);

// Creates a window, attaches `object` (may be null) and sends WM_CREATE. Returns null,
// with nothing left behind, when WM_CREATE answers -1.
HWND CreateWindowHandle(const CREATESTRUCT& cs, CWnd* object);
// Destroys a window and its children, deepest first, detaching their objects.
bool DestroyWindowHandle(HWND hwnd);
// True while the handle names a live window.
bool IsWindowHandle(HWND hwnd);

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message for the thread's pump; false when the window is gone.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The system's default handling of a message.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// One number per name, the same for every caller, from 0xC000 up.
UINT RegisterWindowMessage(const char* name);

// Hands an object made by dynamic creation to its window, which deletes it when destroyed.
void AdoptWindowObject(HWND hwnd, std::unique_ptr<CWnd> object);
