// CControlBar: a bar along the top or bottom edge of a frame's client area (tool bar,
// status bar, MDI tab bar). The frame lays its visible bars out before its pane: top
// bars downwards from the top and bottom bars upwards from the bottom, each in the
// order it was created, at the height the bar asks for. A bar that is shown or hidden
// has its frame lay out again.
#pragma once

#include "platform/cwnd.h"

class CFrameWnd;

// Bar styles, given with the window style at creation and kept apart from it.
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr DWORD CBRS_BORDER_TOP = 0x0200;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
inline constexpr DWORD CBRS_ALL = 0x0040FFFF;

// Control bar identifiers: a frame lays out the children in this range as bars.
inline constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
inline constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
inline constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
inline constexpr UINT AFX_IDW_MDI_TAB_BAR = 0xE810;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  bool IsBottomBar() const { return (m_dwStyle & CBRS_ALIGN_BOTTOM) != 0; }

  // The height the bar takes along its edge, in pixels.
  virtual int CalcFixedHeight() const = 0;
  // Refreshes the bar's commands through the target's update-command-UI route; the
  // base has none.
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  CControlBar() = default;
  // Creates the bar's window of `className` along the edge its bar style names (top
  // when none) and has the frame lay out again.
  BOOL CreateBar(const char* className, CWnd* parent, DWORD style, UINT id);
  // The frame the bar lies in; null when its parent is none.
  CFrameWnd* GetBarFrame() const;
  void RelayoutFrame() const;

  DWORD m_dwStyle = 0;

 private:
  LRESULT OnShowWindowMessage(WPARAM show, LPARAM);
};
