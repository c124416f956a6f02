// The system window classes of the standard controls: STATIC, BUTTON, EDIT, COMBOBOX,
// LISTBOX and the property sheet's tab strip. Each keeps its own state in the window
// (a ControlData subclass below) and answers the classic messages over it, so a
// control made from a dialog template and a member object attached to it behave
// alike: the C++ control classes only send messages.
//
// A screen backend may read the data classes to show a control (combo items with their
// item data, the list's tab stops, the edit's selection); it never changes them: every
// change goes through a message or the user-input API, which tell the peer.
#pragma once

#include <string>
#include <vector>

#include "platform/constants.h"
#include "platform/cstring.h"
#include "platform/resource_registry.h"
#include "platform/window_handle.h"

// Messages of the standard controls that constants.h does not list (system values).
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT BM_CLICK = 0x00F5;
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_SETEDITSEL = 0x0142;
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr DWORD ES_LOWERCASE = 0x0010;
inline constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr UINT TCM_GETITEMCOUNT = 0x1304;
inline constexpr UINT TCM_GETCURSEL = 0x130B;
inline constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;

// The window class of the property sheet's tab strip.
inline constexpr const char* kClassTabControl = "SysTabControl32";

// Registers the window classes above; cheap and idempotent. Dialogs and the control
// classes' Create call it before making controls.
void RegisterControlClasses();

class ButtonData : public ControlData {
 public:
  int check = BST_UNCHECKED;
};

class EditData : public ControlData {
 public:
  // The selection as character offsets into the window text, start <= end.
  int selStart = 0;
  int selEnd = 0;
  int limit = 0;  // 0: no limit
};

// One entry of a combo box or list box.
struct ListItem {
  CString text;  // empty for owner-drawn entries without strings
  DWORD_PTR data = 0;
};

class ComboBoxData : public ControlData {
 public:
  std::vector<ListItem> items;
  int curSel = -1;  // the list selection; the edit text is the window's text
  int editSelStart = 0;
  int editSelEnd = 0;
  int limit = 0;
};

class ListBoxData : public ControlData {
 public:
  std::vector<ListItem> items;
  int curSel = -1;
  // As given to LB_SETTABSTOPS, in dialog units; empty means the default stops.
  std::vector<int> tabStops;
};

class TabControlData : public ControlData {
 public:
  std::vector<CString> tabs;
  int current = -1;
};

// The state of a control window, made on first use; null when the window is of
// another class.
ButtonData* GetButtonData(HWND hwnd);
EditData* GetEditData(HWND hwnd);
ComboBoxData* GetComboBoxData(HWND hwnd);
ListBoxData* GetListBoxData(HWND hwnd);
TabControlData* GetTabControlData(HWND hwnd);

// True when the window is of that system class (the name compares without case).
bool IsWindowOfClass(HWND hwnd, const char* className);

// The order of sorted lists: character by character ignoring (ASCII) case, as the
// system's case-insensitive comparison does. Negative, zero or positive.
int CompareListText(std::string_view a, std::string_view b);

namespace control_detail {
// What a user's typing does to a combo box: the edit text becomes `text` and the
// list selection is cleared. Tells the peer; sends no notification (the caller does).
void ReplaceComboEditText(HWND combo, const CString& text);
}  // namespace control_detail
