// The user-input API for the standard controls: buttons, check boxes, edits, combo
// boxes, list boxes and the focus. Each action refuses (false, nothing changed) what a
// user could not do: a control that is gone, disabled or hidden (itself or a parent),
// a read-only edit, an entry that is not in the list, typing into a drop-down list.
#include <cctype>

#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/cwnd.h"
#include "platform/edit.h"
#include "platform/resource_registry.h"
#include "platform/user_input.h"

namespace {

HWND HandleOf(CWnd* control) {
  return control != nullptr && IsWindowHandle(control->m_hWnd) ? control->m_hWnd : nullptr;
}

// A user reaches a control only while it and every window above it are enabled and shown.
bool Reachable(HWND hwnd) {
  if (hwnd == nullptr) return false;
  for (HWND h = hwnd; h != nullptr; h = h->parent) {
    if ((h->style & WS_VISIBLE) == 0 || (h->style & WS_DISABLED) != 0) return false;
  }
  return true;
}

HWND ReachableOfClass(CWnd* control, const char* className) {
  HWND hwnd = HandleOf(control);
  return hwnd != nullptr && IsWindowOfClass(hwnd, className) && Reachable(hwnd) ? hwnd : nullptr;
}

void NotifyParent(HWND hwnd, UINT code) {
  if (!IsWindowHandle(hwnd) || hwnd->parent == nullptr) return;
  SendMessage(hwnd->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(hwnd));
}

// Focus as a click gives it; false when the window went away meanwhile.
bool FocusOn(HWND hwnd) {
  if (CWnd::GetFocusHandle() != hwnd) CWnd::FromHandle(hwnd)->SetFocus();
  return IsWindowHandle(hwnd);
}

DWORD ButtonType(HWND hwnd) {
  return hwnd->style & BS_TYPEMASK;
}

bool IsCheckType(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
         type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

int CheckOf(HWND hwnd) {
  return static_cast<int>(SendMessage(hwnd, BM_GETCHECK));
}

bool IsDropDownList(HWND combo) {
  return (combo->style & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
}

}  // namespace

bool UserInput::Click(CWnd* button) {
  HWND hwnd = ReachableOfClass(button, kClassButton);
  if (hwnd == nullptr || ButtonType(hwnd) == BS_GROUPBOX) return false;
  if (!FocusOn(hwnd)) return true;
  // The button's own procedure toggles an automatic box, then sends BN_CLICKED.
  SendMessage(hwnd, BM_CLICK);
  return true;
}

bool UserInput::SetCheck(CWnd* checkBox, bool checked) {
  HWND hwnd = ReachableOfClass(checkBox, kClassButton);
  if (hwnd == nullptr || !IsCheckType(ButtonType(hwnd))) return false;
  const int wanted = checked ? BST_CHECKED : BST_UNCHECKED;
  if (CheckOf(hwnd) == wanted) return true;
  const DWORD type = ButtonType(hwnd);
  // A radio button cannot be unchecked by clicking it.
  if (!checked && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)) return false;
  // A three-state box may need two clicks; any other box one (a box that is not
  // automatic changes only if the application toggles it on BN_CLICKED).
  const int clicksAllowed = type == BS_3STATE || type == BS_AUTO3STATE ? 2 : 1;
  for (int clicks = 0; clicks < clicksAllowed; ++clicks) {
    if (!Click(checkBox)) return false;
    if (!IsWindowHandle(hwnd)) return true;
    if (CheckOf(hwnd) == wanted) return true;
  }
  return CheckOf(hwnd) == wanted;
}

bool UserInput::TypeText(CWnd* edit, const CString& text) {
  HWND hwnd = ReachableOfClass(edit, kClassEdit);
  if (hwnd == nullptr || (hwnd->style & ES_READONLY) != 0) return false;
  if ((hwnd->style & ES_NUMBER) != 0) {
    for (char ch : text.str()) {
      if (std::isdigit(static_cast<unsigned char>(ch)) == 0) return false;  // the edit refuses the key
    }
  }
  if (!FocusOn(hwnd)) return true;
  // Select everything and type over it: EN_UPDATE and EN_CHANGE follow.
  SendMessage(hwnd, EM_SETSEL, 0, -1);
  SendMessage(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  return true;
}

bool UserInput::ChooseComboEntry(CWnd* combo, const CString& text) {
  HWND hwnd = ReachableOfClass(combo, kClassComboBox);
  if (hwnd == nullptr) return false;
  // The entry with exactly this text; else the first one equal to it ignoring case.
  const ComboBoxData* data = GetComboBoxData(hwnd);
  for (size_t i = 0; i < data->items.size(); ++i) {
    if (data->items[i].text == text) return ChooseComboIndex(combo, static_cast<int>(i));
  }
  const LRESULT index =
      SendMessage(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR) return false;
  return ChooseComboIndex(combo, static_cast<int>(index));
}

bool UserInput::ChooseComboIndex(CWnd* combo, int index) {
  HWND hwnd = ReachableOfClass(combo, kClassComboBox);
  if (hwnd == nullptr) return false;
  const int count = static_cast<int>(SendMessage(hwnd, CB_GETCOUNT));
  if (index < 0 || index >= count) return false;
  if (!FocusOn(hwnd)) return true;
  SendMessage(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index));
  NotifyParent(hwnd, CBN_SELCHANGE);
  NotifyParent(hwnd, CBN_SELENDOK);
  return true;
}

bool UserInput::TypeComboText(CWnd* combo, const CString& text) {
  HWND hwnd = ReachableOfClass(combo, kClassComboBox);
  if (hwnd == nullptr || IsDropDownList(hwnd)) return false;
  if (!FocusOn(hwnd)) return true;
  control_detail::ReplaceComboEditText(hwnd, text);
  NotifyParent(hwnd, CBN_EDITUPDATE);
  NotifyParent(hwnd, CBN_EDITCHANGE);
  return true;
}

bool UserInput::SelectListLine(CWnd* list, int index) {
  HWND hwnd = ReachableOfClass(list, kClassListBox);
  if (hwnd == nullptr) return false;
  const int count = static_cast<int>(SendMessage(hwnd, LB_GETCOUNT));
  if (index < 0 || index >= count) return false;
  if (!FocusOn(hwnd)) return true;
  SendMessage(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index));
  if ((hwnd->style & LBS_NOTIFY) != 0) NotifyParent(hwnd, LBN_SELCHANGE);
  return true;
}

bool UserInput::DoubleClickListLine(CWnd* list, int index) {
  HWND hwnd = ReachableOfClass(list, kClassListBox);
  if (hwnd == nullptr || !SelectListLine(list, index)) return false;
  if (IsWindowHandle(hwnd) && (hwnd->style & LBS_NOTIFY) != 0) NotifyParent(hwnd, LBN_DBLCLK);
  return true;
}

bool UserInput::Focus(CWnd* control) {
  HWND hwnd = HandleOf(control);
  if (!Reachable(hwnd)) return false;
  FocusOn(hwnd);
  return true;
}
