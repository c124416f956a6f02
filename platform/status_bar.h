// CStatusBar: panes of text along the bottom of a frame. A fresh bar has one pane that
// stretches; the first pane is where the frame shows messages (SetMessageText), such
// as an editing mode's prompt. The panes live in the window (StatusBarData).
#pragma once

#include <vector>

#include "platform/control_bar.h"

inline constexpr const char* kClassStatusBar = "msctls_statusbar32";

// An indicator id that makes the stretching message pane.
inline constexpr UINT ID_SEPARATOR = 0;

struct StatusBarPane {
  UINT id = ID_SEPARATOR;
  CString text;
  int width = -1;  // pixels; -1 takes what the other panes leave
};

class StatusBarData : public ControlData {
 public:
  StatusBarData() : panes(1) {}
  std::vector<StatusBarPane> panes;
};

// The panes of a status bar window, made on first use; null for another class.
StatusBarData* GetStatusBarData(HWND hwnd);

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  static constexpr int kHeight = 24;

  CStatusBar() = default;
  using CWnd::Create;
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);

  // One pane per id: ID_SEPARATOR stretches; another id makes a pane sized for the
  // string-table entry of that id, which it shows. FALSE, changing nothing, for none.
  BOOL SetIndicators(const UINT* ids, int count);
  int GetCount() const;
  // The index of the pane with this id, -1 when none has it.
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  BOOL SetPaneText(int index, const char* text);
  CString GetPaneText(int index) const;
  // width -1 stretches the pane.
  void SetPaneInfo(int index, UINT id, int width);
  int GetPaneWidth(int index) const;

  int CalcFixedHeight() const override;
  // A pane whose id has an update handler shows the text the handler sets.
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 private:
  StatusBarData* Data() const;
  StatusBarPane* Pane(int index) const;
};
