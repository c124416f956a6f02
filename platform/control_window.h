// What the window procedures of the standard controls share: reading message
// arguments, telling the parent, the default handling of text and closing, and making
// a control's state on first use. The procedures themselves are declared here for
// RegisterControlClasses; nothing outside the control classes includes this header.
#pragma once

#include <memory>

#include "platform/control_classes.h"
#include "platform/window_handle.h"

namespace control_detail {

inline int ToInt(WPARAM value) {
  return static_cast<int>(static_cast<INT_PTR>(value));
}
inline int ToInt(LPARAM value) {
  return static_cast<int>(value);
}

// The text a message carries in its lParam; empty for null.
const char* TextArg(LPARAM lParam);

// Sends a control notification to the parent as WM_COMMAND(MAKEWPARAM(id, code), hwnd).
void NotifyParent(HWND hwnd, UINT code);

// What every class does with the messages it does not handle itself, as the default
// procedure of a window without a class would.
LRESULT DefaultControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The control's state, made on first use; null when the window is of another class.
template <class T>
T* EnsureControlData(HWND hwnd, const char* className) {
  if (hwnd == nullptr || !IsWindowOfClass(hwnd, className)) return nullptr;
  if (hwnd->data == nullptr) hwnd->data = std::make_unique<T>();
  return hwnd->Data<T>();
}

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace control_detail
