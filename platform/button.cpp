#include "platform/button.h"

#include <algorithm>

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/control_window.h"
#include "platform/resource_registry.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassButton, caption, style | WS_CHILD, rect, parent, id);
}

int CButton::GetCheck() const {
  return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK));
}

void CButton::SetCheck(int check) {
  ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetButtonStyle() const {
  return static_cast<UINT>(GetStyle() & 0xFFFF);
}

void CButton::Click() {
  ::SendMessage(m_hWnd, BM_CLICK);
}

// --- the BUTTON window class

ButtonData* GetButtonData(HWND hwnd) {
  return control_detail::EnsureControlData<ButtonData>(hwnd, kClassButton);
}

namespace {

DWORD ButtonType(HWND hwnd) {
  return hwnd->style & BS_TYPEMASK;
}

// The highest check state a button of this type holds; -1 for buttons without one.
int MaxCheckState(DWORD type) {
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return BST_INDETERMINATE;
    default:
      return -1;
  }
}

void SetButtonCheck(HWND hwnd, int check) {
  ButtonData* data = GetButtonData(hwnd);
  const int max = MaxCheckState(ButtonType(hwnd));
  if (data == nullptr || max < 0) return;
  check = std::clamp(check, 0, max);
  if (data->check == check) return;
  data->check = check;
  NotifyPeer(hwnd, WindowChange::Content);
}

// An automatic radio button, once checked, unchecks the other automatic radio buttons
// of its group: the siblings from the group's first control (WS_GROUP) up to the next.
void UncheckRadioGroup(HWND hwnd) {
  HWND parent = hwnd->parent;
  if (parent == nullptr) return;
  const auto& siblings = parent->children;
  auto self =
      std::find_if(siblings.begin(), siblings.end(), [hwnd](const auto& p) { return p.get() == hwnd; });
  if (self == siblings.end()) return;
  auto first = self;
  while (first != siblings.begin() && ((*first)->style & WS_GROUP) == 0) --first;
  for (auto it = first; it != siblings.end(); ++it) {
    if (it != first && ((*it)->style & WS_GROUP) != 0) break;
    HWND other = it->get();
    if (other != hwnd && IsWindowOfClass(other, kClassButton) && ButtonType(other) == BS_AUTORADIOBUTTON) {
      SetButtonCheck(other, BST_UNCHECKED);
    }
  }
}

// A click: automatic check boxes and radio buttons change their state first, then the
// parent hears BN_CLICKED. Group boxes ignore clicks.
void ClickButton(HWND hwnd) {
  const DWORD type = ButtonType(hwnd);
  if (type == BS_GROUPBOX) return;
  ButtonData* data = GetButtonData(hwnd);
  if (type == BS_AUTOCHECKBOX) {
    SetButtonCheck(hwnd, data->check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
  } else if (type == BS_AUTO3STATE) {
    SetButtonCheck(hwnd, (data->check + 1) % 3);
  } else if (type == BS_AUTORADIOBUTTON) {
    SetButtonCheck(hwnd, BST_CHECKED);
    UncheckRadioGroup(hwnd);
  }
  control_detail::NotifyParent(hwnd, BN_CLICKED);
}

}  // namespace

namespace control_detail {

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ButtonData* data = GetButtonData(hwnd);
  switch (message) {
    case BM_GETCHECK:
      return MaxCheckState(ButtonType(hwnd)) < 0 ? BST_UNCHECKED : data->check;
    case BM_SETCHECK:
      SetButtonCheck(hwnd, ToInt(wParam));
      return 0;
    case BM_CLICK:
      if ((hwnd->style & WS_DISABLED) == 0) ClickButton(hwnd);
      return 0;
    default:
      return DefaultControlProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace control_detail
