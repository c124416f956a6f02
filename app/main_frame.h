// CMainFrame: the application's main window. It holds the menu bar, tool bar, status
// bar and the tabs of the open components, answers the end of a pin-assignment run
// (command 32814) and hands its close box to the application, which may refuse.
#pragma once

#include <vector>

#include "platform/mdi_frame_wnd.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"

class CAppComponentFrame;
class CDesign;

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  static constexpr const char* kTitle = "Component Editor";

  CToolBar& ToolBar() { return m_toolBar; }
  CStatusBar& StatusBar() { return m_statusBar; }
  // The component frames, in the order they were opened.
  std::vector<CAppComponentFrame*> ComponentFrames() const;
  CAppComponentFrame* ActiveComponentFrame() const;
  // Lists the recent libraries (most recent first) in the File menu.
  void ShowRecentLibraries(const std::vector<CString>& libraries);

  // The end of a pin-assignment run is the host's to answer: it brings back the
  // select-mode state of the tool bar and menu, and goes no further, since the views
  // would read the command as their own.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // "Component Editor - COMPONENT - library.cmplib".
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // Shows a message about the design that stays until the design changes again.
  void SetMessageUntilChanged(const CString& text, const CDesign& design);
  // The tabs and the title mark the components with unsaved changes; a message about a
  // design goes once the design changes.
  void OnIdleUpdateCmdUI() override;

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;

 private:
  void OnAssignmentRunEnded();
  LRESULT OnCloseMessage(WPARAM, LPARAM);
  void OnUpdateComponentPane(CCmdUI* state);
  void OnUpdateProblemsPane(CCmdUI* state);
  void OnUpdatePackageList(CCmdUI* state);

  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  // The message shown until its design changes, and that design (not owned; it is
  // looked up among the open frames before use, as it may have closed).
  CString m_untilChanged;
  const CDesign* m_untilChangedDesign = nullptr;
};
