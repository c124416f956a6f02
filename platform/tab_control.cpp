#include "platform/tab_control.h"

#include "platform/control_window.h"

TabControlData* GetTabControlData(HWND hwnd) {
  return control_detail::EnsureControlData<TabControlData>(hwnd, kClassTabControl);
}

namespace control_detail {

LRESULT TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TabControlData* data = GetTabControlData(hwnd);
  switch (message) {
    case TCM_GETITEMCOUNT:
      return static_cast<LRESULT>(data->tabs.size());
    case TCM_GETCURSEL:
      return data->current;
    default:
      return DefaultControlProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace control_detail
