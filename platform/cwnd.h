// CWnd: the C++ face of a window. All state lives in the window (WindowHandle); the
// object adds behaviour through its message map and virtual operations.
#pragma once

#include "platform/cmd_target.h"
#include "platform/constants.h"
#include "platform/window_handle.h"

class CFrameWnd;
struct CCreateContext;

// A message on its way to its window, which the windows around it may take first.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  // The object attached to a window; unattached windows get a plain CWnd that the
  // window owns, so the pointer stays valid until the window is destroyed.
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);

  // Creation. className empty means a generic window of this object's kind.
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const CRect& rect,
                      CWnd* parent, UINT id, CCreateContext* context = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const CRect& rect,
                CWnd* parent, UINT id, void* params = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL DestroyWindow();
  // Attaches this object to an existing window; false when the window already has one.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  // Tree.
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  CFrameWnd* GetParentFrame() const;
  CWnd* GetTopLevelParent() const;
  BOOL IsChild(const CWnd* wnd) const;
  std::vector<CWnd*> GetChildren() const;

  // Text.
  void SetWindowText(const char* text);
  void GetWindowText(CString& text) const;
  CString GetWindowText() const;
  void SetDlgItemText(int id, const char* text);

  // Geometry: rectangles in the parent's client coordinates; the client area starts at 0,0.
  void GetWindowRect(CRect* rect) const;
  void GetClientRect(CRect* rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void ClientToScreen(CPoint* point) const;
  void ScreenToClient(CPoint* point) const;

  // Style and state.
  DWORD GetStyle() const;
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  static HWND GetFocusHandle();
  void Invalidate(BOOL erase = TRUE);
  // Only a part of the client area (client coordinates) must be drawn again: null
  // means all of it, an empty rectangle nothing.
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The user's mouse input passes its window and the windows around it, innermost
  // first, before it is sent: TRUE takes it, and the window never gets it. Base: FALSE.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Offers `msg` to its window and each parent up to `stop` (the top-level window when
  // null); TRUE when one of them took it.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
  // Passes the message being handled on to the window's default procedure.
  LRESULT Default();

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual int OnCreate(LPCREATESTRUCT cs);
  virtual void OnDestroy();
  virtual void OnSize(UINT type, int cx, int cy);
  // Called after the window is gone; the object no longer has a handle.
  virtual void PostNcDestroy();

 private:
  friend bool DestroyWindowHandle(HWND hwnd);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

inline constexpr UINT SIZE_RESTORED = 0;

// Window class names of generic windows.
inline constexpr const char* kClassGenericWindow = "CWnd";
