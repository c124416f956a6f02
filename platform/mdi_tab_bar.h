// CMDITabBar: a row of tabs along the top of an MDI frame's client area, one tab per
// MDI child with the child's caption, the active child's tab current. Choosing a tab
// (UserInput::ChooseTab) activates its child. The tabs live in the window as a tab
// strip's TabControlData; the frame keeps them in step (CMDIFrameWnd::EnableMDITabs).
#pragma once

#include "platform/control_bar.h"

class CMDIFrameWnd;
class CMDIChildWnd;

class CMDITabBar : public CControlBar {
  DECLARE_DYNAMIC(CMDITabBar)

 public:
  static constexpr int kHeight = 28;

  CMDITabBar() = default;
  using CWnd::Create;
  BOOL Create(CMDIFrameWnd* frame, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
              UINT id = AFX_IDW_MDI_TAB_BAR);

  // Shows the frame's children in order, leaving out `leaving` (a child being destroyed).
  void ShowChildren(const CMDIFrameWnd& frame, const CMDIChildWnd* leaving = nullptr);
  int GetTabCount() const;
  CString GetTabText(int index) const;
  // -1 when no child is active.
  int GetCurrentTab() const;

  int CalcFixedHeight() const override;
};
