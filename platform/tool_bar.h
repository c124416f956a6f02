// CToolBar: a row of command buttons along the top of a frame. Each button sends its
// command to the frame (UserInput::ClickToolBarButton); its enabled and checked state
// follows the frame's update-command-UI route, refreshed at idle time
// (CFrameWnd::OnIdleUpdateCmdUI). The buttons live in the window (ToolBarData), so a
// screen shows exactly what a test sees.
#pragma once

#include <vector>

#include "platform/control_bar.h"

inline constexpr const char* kClassToolBar = "ToolbarWindow32";

// Button styles.
inline constexpr UINT TBBS_BUTTON = 0x0000;
inline constexpr UINT TBBS_SEPARATOR = 0x0001;
inline constexpr UINT TBBS_CHECKBOX = 0x0002;
// A drop-down list of texts in place of a button: choosing one sends the command, and
// its handler reads the choice with CToolBar::GetComboText.
inline constexpr UINT TBBS_COMBOBOX = 0x0004;

struct ToolBarButton {
  UINT id = 0;  // 0 for a separator
  UINT style = TBBS_BUTTON;
  // A freedesktop icon name ("document-new", "document-open", "document-save",
  // "edit-undo", "edit-delete", "zoom-in", "zoom-fit-best", ...); empty, or a name the
  // screen does not know, shows the label instead.
  CString image;
  CString label;  // a short text
  CString toolTip;
  bool enabled = true;
  bool checked = false;
  // A drop-down list's texts, the one shown (which need not be among them) and its
  // width in pixels.
  std::vector<CString> items;
  CString text;
  int width = 0;
};

class ToolBarData : public ControlData {
 public:
  std::vector<ToolBarButton> buttons;
  CSize buttonSize{28, 28};  // pixels, border included
};

// The buttons of a tool bar window, made on first use; null for another class.
ToolBarData* GetToolBarData(HWND hwnd);

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  // Space around the buttons, above and below.
  static constexpr int kBorder = 3;

  CToolBar() = default;
  using CWnd::Create;
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);

  // FALSE for a command id of 0 or a button with neither image nor label.
  BOOL AddButton(UINT id, const char* image, const char* label, const char* toolTip,
                 UINT style = TBBS_BUTTON);
  BOOL AddSeparator();
  // A drop-down list `width` pixels wide, empty at first; FALSE for a command id of 0.
  BOOL AddComboBox(UINT id, int width, const char* toolTip);
  // The list's texts and the one shown; FALSE when `id` has no drop-down list. Setting
  // what is shown already changes nothing on the screen.
  BOOL SetComboItems(UINT id, const std::vector<CString>& items);
  BOOL SetComboText(UINT id, const CString& text);
  // Empty when `id` has no drop-down list.
  std::vector<CString> GetComboItems(UINT id) const;
  CString GetComboText(UINT id) const;
  int GetCount() const;
  // The index of the command's button, -1 when there is none.
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  // Null past the end.
  const ToolBarButton* GetButton(int index) const;
  UINT GetButtonStyle(int index) const;

  // As high as a button and its border.
  int CalcFixedHeight() const override;
  // Enables and checks the buttons as the target's route says.
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 private:
  ToolBarData* Data() const;
  ToolBarButton* FindCombo(UINT id) const;
};
