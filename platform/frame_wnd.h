// CFrameWnd: a window that frames views. It lays its client out (the pane child fills
// it), keeps the active view, routes commands to that view before itself and the
// application, and shows the title of its document in its caption.
#pragma once

#include <memory>

#include "platform/accelerator_table.h"
#include "platform/create_context.h"
#include "platform/cwnd.h"
#include "platform/menu.h"

class CView;
class CDocument;
class CControlBar;
class CStatusBar;

// Frame style: the caption shows the document's title.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd() = default;
  ~CFrameWnd() override;

  // The place of a frame that is not told where to go.
  static const CRect rectDefault;

  using CWnd::Create;
  BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
              const CRect& rect = rectDefault, CWnd* parent = nullptr, const char* menuName = nullptr,
              DWORD exStyle = 0, CCreateContext* context = nullptr);
  // Creates the frame with the title from the string table entry `resourceId` (its
  // first line); a missing entry leaves the title empty.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);

  // Creates the client area while the frame is being created; the base makes one view
  // of the context's view class, if it names one. FALSE fails the frame's creation.
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  // A view of the context's view class as a child pane; the window owns it.
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

  CView* GetActiveView() const { return m_pViewActive; }
  // Only views inside this frame can become active. The old view hears of it always,
  // the new one only with `notify`.
  void SetActiveView(CView* view, BOOL notify = TRUE);
  // The active view's document, else the document the frame was created on.
  virtual CDocument* GetActiveDocument();

  // The visible control bars go along the edges of the client area; the pane child
  // (AFX_IDW_PANE_FIRST) fills what they leave.
  virtual void RecalcLayout(BOOL notify = TRUE);
  // Shows or hides a bar of this frame and lays the frame out again.
  void ShowControlBar(CControlBar* bar, BOOL show);

  // The menu bar; the frame owns it. Setting one tells the screen.
  void SetMenu(std::unique_ptr<CMenu> menu);
  CMenu* GetMenu() const { return m_menu.get(); }
  // A popup of the menu bar opens: its commands take the state their update handlers
  // give, and with m_bAutoMenuEnable a command nobody handles is disabled.
  void OnInitMenuPopup(CMenu* popup);
  BOOL m_bAutoMenuEnable = TRUE;

  // The frame's keyboard shortcuts.
  void SetAccelerators(CAcceleratorTable table) { m_accelerators = std::move(table); }
  const CAcceleratorTable& GetAccelerators() const { return m_accelerators; }
  // The command a shortcut gives in this frame, 0 when none.
  virtual UINT FindAcceleratorCommand(UINT key, UINT modifiers) const;

  // Idle time: every control bar refreshes its commands through this frame's route.
  virtual void OnIdleUpdateCmdUI();

  // The status bar (AFX_IDW_STATUS_BAR), null when the frame has none; its first pane
  // shows messages.
  CStatusBar* GetMessageBar() const;
  void SetMessageText(const char* text);
  // Makes the first pane the active view if there is none, gives every view in the
  // frame that has not had it its initial update, and shows the frame.
  void InitialUpdateFrame(CDocument* document, BOOL makeVisible = TRUE);
  virtual void ActivateFrame(int cmdShow = -1);

  const CString& GetTitle() const { return m_strTitle; }
  void SetTitle(const char* title) { m_strTitle = title; }
  // Sets the caption from the frame's title and its document's title.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  void UpdateFrameTitleForDocument(const char* documentName);

  // The active view (and its document) first, then the frame, then the application.
  BOOL OnCmdMsg(UINT id, int code, LPARAM extra) override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnSize(UINT type, int cx, int cy) override;
  // The first line of a string table entry; empty when there is none.
  static CString LoadFrameTitle(UINT resourceId);

  CString m_strTitle;

 private:
  friend class CDocument;
  friend class CView;
  void ForgetView(const CView* view);
  CView* FindFirstPaneView() const;
  void SendInitialUpdates();

  // The client area left after laying out the bars.
  CRect RepositionBars();

  CView* m_pViewActive = nullptr;    // not owned
  CDocument* m_pDocument = nullptr;  // not owned; the document the frame was created on
  std::unique_ptr<CMenu> m_menu;
  CAcceleratorTable m_accelerators;
};

// Makes an object of a run-time class when the class is creatable and a kind of T.
template <class T>
std::unique_ptr<T> CreateObjectAs(const CRuntimeClass* cls) {
  if (cls == nullptr) return nullptr;
  std::unique_ptr<CObject> object = cls->CreateObject();
  if (DynamicDowncast<T>(object.get()) == nullptr) return nullptr;
  return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

// Dynamic creation of a child window: makes the object of `cls`, creates its window
// and hands the object to the window. Null, with nothing left behind, when the class
// is no creatable window class or the window's creation fails.
CWnd* CreateDynamicWindow(const CRuntimeClass* cls, CWnd* parent, DWORD style, const CRect& rect, UINT id,
                          CCreateContext* context);
