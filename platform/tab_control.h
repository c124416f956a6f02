// The tab strip window class ("SysTabControl32") that property sheets and the MDI tab
// bar use. It has no C++ control class: its owners change the tabs in its state and
// tell the peer; a screen backend reads the state to show it.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/window_handle.h"

inline constexpr const char* kClassTabControl = "SysTabControl32";

// Messages of the tab strip and the id a property sheet gives it (system values).
inline constexpr UINT TCM_GETITEMCOUNT = 0x1304;
inline constexpr UINT TCM_GETCURSEL = 0x130B;
inline constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;

class TabControlData : public ControlData {
 public:
  std::vector<CString> tabs;
  int current = -1;
};

// Made on first use; null when the window is not a tab strip.
TabControlData* GetTabControlData(HWND hwnd);
