// CMDIFrameWnd and CMDIChildWnd: the main window and the document frames inside it.
// The main window's client area is the MDI client window, which holds the children.
// With no screen to arrange them on, every child fills the MDI client, as if maximised.
#pragma once

#include <vector>

#include "platform/frame_wnd.h"
#include "platform/mdi_tab_bar.h"

class CMDIChildWnd;

inline constexpr const char* kClassMDIClient = "MDICLIENT";
inline constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  CMDIFrameWnd() = default;
  ~CMDIFrameWnd() override;

  HWND m_hWndMDIClient = nullptr;

  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  // Makes a child of this frame the active one; the children hear of it.
  void MDIActivate(CWnd* child);
  std::vector<CMDIChildWnd*> GetMDIChildren() const;

  // The active child's document.
  CDocument* GetActiveDocument() override;
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  void RecalcLayout(BOOL notify = TRUE) override;
  // "Title - Document" of the active child.
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // The active child first, then the frame's own route.
  BOOL OnCmdMsg(UINT id, int code, LPARAM extra) override;
  // The active child's shortcuts first, then the frame's own.
  UINT FindAcceleratorCommand(UINT key, UINT modifiers) const override;
  // The frame's bars, then the active child's.
  void OnIdleUpdateCmdUI() override;

  // A row of tabs above the children, one per child, for choosing the active one.
  // FALSE when the tab bar cannot be made.
  BOOL EnableMDITabs(BOOL enable = TRUE);
  CMDITabBar* GetMDITabBar() const;

 protected:
  void OnDestroy() override;

 private:
  friend class CMDIChildWnd;
  void OnChildDestroyed(const CMDIChildWnd* child);
  // The tabs follow the children, their captions and the active one; the screen shows
  // only the active child.
  void OnChildrenChanged(const CMDIChildWnd* leaving = nullptr);

  CMDIChildWnd* m_pActiveChild = nullptr;  // not owned
  std::unique_ptr<CMDITabBar> m_tabBar;
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  CMDIChildWnd() = default;
  ~CMDIChildWnd() override;

  // A child of `parent`, or of the application's main window when it is null; FALSE
  // when there is no MDI frame to go in. The default place fills the MDI client.
  BOOL Create(const char* className, const char* title,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
              const CRect& rect = rectDefault, CMDIFrameWnd* parent = nullptr,
              CCreateContext* context = nullptr);
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();

  // Shows the child and makes it the active one.
  void ActivateFrame(int cmdShow = -1) override;
  // The document's title alone; the main window follows when this child is active.
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // The child became (or stopped being) the active child; the base tells its view.
  virtual void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnDestroy() override;
};

// Dynamic creation of an MDI child frame on a document: makes the object of
// `frameClass`, loads the frame in `mainFrame` with `context`, hands the object to its
// window and runs the initial update. Null, with nothing left behind, on failure.
CMDIChildWnd* CreateMDIChild(const CRuntimeClass* frameClass, CMDIFrameWnd* mainFrame,
                             CCreateContext& context, UINT resourceId = 0);
