#include "platform/control_window.h"

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/constants.h"

namespace control_detail {

const char* TextArg(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text != nullptr ? text : "";
}

void NotifyParent(HWND hwnd, UINT code) {
  if (!IsWindowHandle(hwnd)) return;  // an earlier notification may have destroyed it
  HWND parent = hwnd->parent;
  if (parent == nullptr) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(hwnd));
}

LRESULT DefaultControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      hwnd->text = TextArg(lParam);
      NotifyPeer(hwnd, WindowChange::Text);
      return TRUE;
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lParam);
      const size_t size = static_cast<size_t>(wParam);
      if (buffer == nullptr || size == 0) return 0;
      const size_t count = std::min(size - 1, static_cast<size_t>(hwnd->text.GetLength()));
      std::memcpy(buffer, hwnd->text.c_str(), count);
      buffer[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_CLOSE:
      DestroyWindowHandle(hwnd);
      return 0;
    default:
      return 0;
  }
}

}  // namespace control_detail
