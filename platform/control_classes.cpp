#include "platform/control_classes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/button.h"
#include "platform/combo_box.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/static_ctrl.h"

namespace {

// ---------------------------------------------------------------------------------
// Shared helpers

int ToInt(WPARAM value) {
  return static_cast<int>(static_cast<INT_PTR>(value));
}
int ToInt(LPARAM value) {
  return static_cast<int>(value);
}

const char* TextArg(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  return text != nullptr ? text : "";
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareListText(a, b) == 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

// Sends a control notification to the parent as WM_COMMAND(MAKEWPARAM(id, code), hwnd).
void NotifyParent(HWND hwnd, UINT code) {
  if (!IsWindowHandle(hwnd)) return;  // an earlier notification may have destroyed it
  HWND parent = hwnd->parent;
  if (parent == nullptr) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(hwnd));
}

// What every class does with the messages it does not handle itself, as the default
// procedure of a window without a class would.
LRESULT BaseDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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

template <class T>
T* EnsureData(HWND hwnd, const char* className) {
  if (hwnd == nullptr || !IsWindowOfClass(hwnd, className)) return nullptr;
  if (hwnd->data == nullptr) hwnd->data = std::make_unique<T>();
  return hwnd->Data<T>();
}

// Copies an entry's text into a caller's buffer, as CB_GETLBTEXT and LB_GETTEXT do.
LRESULT CopyItemText(const ListItem& item, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (buffer != nullptr)
    std::memcpy(buffer, item.text.c_str(), static_cast<size_t>(item.text.GetLength()) + 1);
  return item.text.GetLength();
}

// ---------------------------------------------------------------------------------
// Item lists shared by combo boxes and list boxes

struct ListRules {
  bool sorted;
  bool hasStrings;
};

ListItem MakeItem(const ListRules& rules, LPARAM lParam) {
  ListItem item;
  if (rules.hasStrings) {
    item.text = TextArg(lParam);
  } else {
    item.data = static_cast<DWORD_PTR>(lParam);  // owner-drawn without strings: the value is the item data
  }
  return item;
}

// Adds an entry where the list's order puts it; returns its index.
int AddItem(std::vector<ListItem>& items, const ListRules& rules, LPARAM lParam, int& curSel) {
  ListItem item = MakeItem(rules, lParam);
  size_t index = items.size();
  if (rules.sorted && rules.hasStrings) {
    // After the entries that compare equal, before the first greater one.
    const auto it = std::upper_bound(
        items.begin(), items.end(), item,
        [](const ListItem& a, const ListItem& b) { return CompareListText(a.text, b.text) < 0; });
    index = static_cast<size_t>(it - items.begin());
  }
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  if (curSel >= static_cast<int>(index)) ++curSel;
  return static_cast<int>(index);
}

// Inserts at an index (-1: at the end) without sorting; -1 when the index is invalid.
int InsertItem(std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
               int& curSel) {
  int index = ToInt(wParam);
  if (index == -1) index = static_cast<int>(items.size());
  if (index < 0 || index > static_cast<int>(items.size())) return -1;
  items.insert(items.begin() + index, MakeItem(rules, lParam));
  if (curSel >= index) ++curSel;
  return index;
}

bool ValidIndex(const std::vector<ListItem>& items, int index) {
  return index >= 0 && index < static_cast<int>(items.size());
}

// Searches from the entry after `start` (start -1 or out of range: from the first),
// wrapping around to the start entry itself. Exact: the whole text, ignoring case;
// otherwise a prefix, ignoring case. Lists without strings compare the item data.
int FindItem(const std::vector<ListItem>& items, const ListRules& rules, WPARAM wParam, LPARAM lParam,
             bool exact) {
  const int count = static_cast<int>(items.size());
  if (count == 0) return -1;
  int start = ToInt(wParam);
  if (start < -1 || start >= count) start = -1;
  for (int step = 1; step <= count; ++step) {
    const int index = (start + step) % count;
    const ListItem& item = items[static_cast<size_t>(index)];
    if (!rules.hasStrings) {
      if (item.data == static_cast<DWORD_PTR>(lParam)) return index;
      continue;
    }
    const std::string_view wanted = TextArg(lParam);
    if (exact ? EqualsNoCase(item.text, wanted) : StartsWithNoCase(item.text, wanted)) return index;
  }
  return -1;
}

// ---------------------------------------------------------------------------------
// STATIC

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return BaseDefault(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------
// BUTTON

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
  NotifyParent(hwnd, BN_CLICKED);
}

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
      return BaseDefault(hwnd, message, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------
// EDIT

CString ApplyCase(HWND hwnd, CString text) {
  if ((hwnd->style & ES_UPPERCASE) != 0) text.MakeUpper();
  if ((hwnd->style & ES_LOWERCASE) != 0) text.MakeLower();
  return text;
}

void SetEditSelection(HWND hwnd, EditData* data, int start, int end) {
  const int length = hwnd->text.GetLength();
  if (start == -1) {
    start = data->selEnd;  // -1 removes the selection and keeps the caret
    end = data->selEnd;
  } else {
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::min(end, length);
  }
  if (start > end) std::swap(start, end);
  if (start == data->selStart && end == data->selEnd) return;
  data->selStart = start;
  data->selEnd = end;
  NotifyPeer(hwnd, WindowChange::Content);
}

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditData* data = GetEditData(hwnd);
  switch (message) {
    case WM_SETTEXT: {
      hwnd->text = ApplyCase(hwnd, TextArg(lParam));
      data->selStart = 0;
      data->selEnd = 0;
      NotifyPeer(hwnd, WindowChange::Text);
      // As the system does: a single-line edit tells its parent about text set from
      // code; a multi-line edit does not.
      if ((hwnd->style & ES_MULTILINE) == 0) {
        NotifyParent(hwnd, EN_UPDATE);
        NotifyParent(hwnd, EN_CHANGE);
      }
      return TRUE;
    }
    case EM_SETSEL:
      SetEditSelection(hwnd, data, ToInt(wParam), ToInt(lParam));
      return 0;
    case EM_GETSEL: {
      if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = static_cast<DWORD>(data->selStart);
      if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = static_cast<DWORD>(data->selEnd);
      if (data->selStart > 0xFFFF || data->selEnd > 0xFFFF) return -1;
      return MAKELPARAM(data->selStart, data->selEnd);
    }
    case EM_REPLACESEL: {
      std::string text = hwnd->text.str();
      std::string inserted = ApplyCase(hwnd, TextArg(lParam)).str();
      const int kept = static_cast<int>(text.size()) - (data->selEnd - data->selStart);
      if (data->limit > 0 && kept + static_cast<int>(inserted.size()) > data->limit) {
        inserted.resize(static_cast<size_t>(std::max(0, data->limit - kept)));
      }
      text.replace(static_cast<size_t>(data->selStart), static_cast<size_t>(data->selEnd - data->selStart),
                   inserted);
      hwnd->text = CString(std::move(text));
      data->selStart += static_cast<int>(inserted.size());
      data->selEnd = data->selStart;
      NotifyPeer(hwnd, WindowChange::Text);
      NotifyParent(hwnd, EN_UPDATE);
      NotifyParent(hwnd, EN_CHANGE);
      return 0;
    }
    case EM_SETREADONLY: {
      const DWORD style = wParam != 0 ? (hwnd->style | ES_READONLY) : (hwnd->style & ~ES_READONLY);
      if (style != hwnd->style) {
        hwnd->style = style;
        NotifyPeer(hwnd, WindowChange::Style);
      }
      return TRUE;
    }
    case EM_LIMITTEXT:
      data->limit = ToInt(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return data->limit > 0 ? data->limit : 0x7FFFFFFE;
    case EM_GETLINECOUNT:
      if ((hwnd->style & ES_MULTILINE) == 0) return 1;
      return 1 + static_cast<LRESULT>(std::count(hwnd->text.str().begin(), hwnd->text.str().end(), '\n'));
    case WM_SETFOCUS:
      NotifyParent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, EN_KILLFOCUS);
      return 0;
    default:
      return BaseDefault(hwnd, message, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------
// COMBOBOX

bool IsDropDownList(HWND hwnd) {
  return (hwnd->style & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
}

ListRules ComboRules(HWND hwnd) {
  const bool ownerDrawn = (hwnd->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  return {(hwnd->style & CBS_SORT) != 0, !ownerDrawn || (hwnd->style & CBS_HASSTRINGS) != 0};
}

void SetComboText(HWND hwnd, const CString& text) {
  if (hwnd->text == text) return;
  hwnd->text = text;
  NotifyPeer(hwnd, WindowChange::Text);
}

// Selects an entry (-1: none) and shows its text in the edit part, as CB_SETCURSEL does.
void SelectComboItem(HWND hwnd, ComboBoxData* data, int index) {
  if (!ValidIndex(data->items, index)) index = -1;
  if (data->curSel != index) {
    data->curSel = index;
    NotifyPeer(hwnd, WindowChange::Content);
  }
  SetComboText(hwnd, index >= 0 ? data->items[static_cast<size_t>(index)].text : CString());
  data->editSelStart = 0;
  data->editSelEnd = hwnd->text.GetLength();
}

LRESULT ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboBoxData* data = GetComboBoxData(hwnd);
  const ListRules rules = ComboRules(hwnd);
  switch (message) {
    case CB_ADDSTRING: {
      const int index = AddItem(data->items, rules, lParam, data->curSel);
      NotifyPeer(hwnd, WindowChange::Content);
      return index;
    }
    case CB_INSERTSTRING: {
      const int index = InsertItem(data->items, rules, wParam, lParam, data->curSel);
      if (index < 0) return CB_ERR;
      NotifyPeer(hwnd, WindowChange::Content);
      return index;
    }
    case CB_DELETESTRING: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return CB_ERR;
      data->items.erase(data->items.begin() + index);
      if (data->curSel == index) {
        data->curSel = -1;
        if (IsDropDownList(hwnd)) SetComboText(hwnd, CString());
      } else if (data->curSel > index) {
        --data->curSel;
      }
      NotifyPeer(hwnd, WindowChange::Content);
      return static_cast<LRESULT>(data->items.size());
    }
    case CB_RESETCONTENT:
      data->items.clear();
      data->curSel = -1;
      NotifyPeer(hwnd, WindowChange::Content);
      SetComboText(hwnd, CString());  // the edit part is cleared too
      return CB_OKAY;
    case CB_GETCOUNT:
      return static_cast<LRESULT>(data->items.size());
    case CB_GETCURSEL:
      return data->curSel;
    case CB_SETCURSEL: {
      const int index = ToInt(wParam);
      SelectComboItem(hwnd, data, index);
      return ValidIndex(data->items, index) ? index : CB_ERR;
    }
    case CB_GETITEMDATA: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return CB_ERR;
      return static_cast<LRESULT>(data->items[static_cast<size_t>(index)].data);
    }
    case CB_SETITEMDATA: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return CB_ERR;
      data->items[static_cast<size_t>(index)].data = static_cast<DWORD_PTR>(lParam);
      NotifyPeer(hwnd, WindowChange::Content);  // owner-drawn entries show their data
      return CB_OKAY;
    }
    case CB_GETLBTEXT: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return CB_ERR;
      return CopyItemText(data->items[static_cast<size_t>(index)], lParam);
    }
    case CB_GETLBTEXTLEN: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return CB_ERR;
      return data->items[static_cast<size_t>(index)].text.GetLength();
    }
    case CB_FINDSTRING: {
      const int index = FindItem(data->items, rules, wParam, lParam, false);
      return index >= 0 ? index : CB_ERR;
    }
    case CB_FINDSTRINGEXACT: {
      const int index = FindItem(data->items, rules, wParam, lParam, true);
      return index >= 0 ? index : CB_ERR;
    }
    case CB_SELECTSTRING: {
      const int index = FindItem(data->items, rules, wParam, lParam, false);
      if (index < 0) return CB_ERR;  // the selection stays as it was
      SelectComboItem(hwnd, data, index);
      return index;
    }
    case CB_GETEDITSEL: {
      if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = static_cast<DWORD>(data->editSelStart);
      if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = static_cast<DWORD>(data->editSelEnd);
      return MAKELPARAM(data->editSelStart, data->editSelEnd);
    }
    case CB_SETEDITSEL: {
      if (IsDropDownList(hwnd)) return CB_ERR;
      const int length = hwnd->text.GetLength();
      const int start = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)));
      const int end = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)));
      data->editSelStart = start < 0 ? length : std::min(start, length);
      data->editSelEnd = end < 0 ? length : std::min(end, length);
      if (start < 0) data->editSelEnd = data->editSelStart;
      if (data->editSelStart > data->editSelEnd) std::swap(data->editSelStart, data->editSelEnd);
      return TRUE;
    }
    case CB_LIMITTEXT:
      data->limit = ToInt(wParam);
      return TRUE;
    case WM_SETTEXT: {
      const CString text = TextArg(lParam);
      if (!IsDropDownList(hwnd)) {
        // The edit part takes the text; the list selection stays as it was.
        SetComboText(hwnd, text);
        return TRUE;
      }
      // A drop-down list shows only its entries: the text selects the entry it names.
      if (text.IsEmpty()) {
        SelectComboItem(hwnd, data, -1);
        return TRUE;
      }
      const int index = FindItem(data->items, rules, static_cast<WPARAM>(-1), lParam, true);
      if (index < 0) return CB_ERR;
      SelectComboItem(hwnd, data, index);
      return TRUE;
    }
    case WM_SETFOCUS:
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    default:
      return BaseDefault(hwnd, message, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------
// LISTBOX

ListRules ListRulesOf(HWND hwnd) {
  const bool ownerDrawn = (hwnd->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  return {(hwnd->style & LBS_SORT) != 0, !ownerDrawn || (hwnd->style & LBS_HASSTRINGS) != 0};
}

void SelectListItem(HWND hwnd, ListBoxData* data, int index) {
  if (!ValidIndex(data->items, index)) index = -1;
  if (data->curSel == index) return;
  data->curSel = index;
  NotifyPeer(hwnd, WindowChange::Content);
}

LRESULT ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ListBoxData* data = GetListBoxData(hwnd);
  const ListRules rules = ListRulesOf(hwnd);
  switch (message) {
    case LB_ADDSTRING: {
      const int index = AddItem(data->items, rules, lParam, data->curSel);
      NotifyPeer(hwnd, WindowChange::Content);
      return index;
    }
    case LB_INSERTSTRING: {
      const int index = InsertItem(data->items, rules, wParam, lParam, data->curSel);
      if (index < 0) return LB_ERR;
      NotifyPeer(hwnd, WindowChange::Content);
      return index;
    }
    case LB_DELETESTRING: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return LB_ERR;
      data->items.erase(data->items.begin() + index);
      if (data->curSel == index) {
        data->curSel = -1;
      } else if (data->curSel > index) {
        --data->curSel;
      }
      NotifyPeer(hwnd, WindowChange::Content);
      return static_cast<LRESULT>(data->items.size());
    }
    case LB_RESETCONTENT:
      data->items.clear();
      data->curSel = -1;
      NotifyPeer(hwnd, WindowChange::Content);
      return LB_OKAY;
    case LB_GETCOUNT:
      return static_cast<LRESULT>(data->items.size());
    case LB_GETCURSEL:
      return data->curSel;
    case LB_SETCURSEL: {
      const int index = ToInt(wParam);
      SelectListItem(hwnd, data, index);
      return ValidIndex(data->items, index) ? index : LB_ERR;
    }
    case LB_GETTEXT: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return LB_ERR;
      return CopyItemText(data->items[static_cast<size_t>(index)], lParam);
    }
    case LB_GETTEXTLEN: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return LB_ERR;
      return data->items[static_cast<size_t>(index)].text.GetLength();
    }
    case LB_GETITEMDATA: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return LB_ERR;
      return static_cast<LRESULT>(data->items[static_cast<size_t>(index)].data);
    }
    case LB_SETITEMDATA: {
      const int index = ToInt(wParam);
      if (!ValidIndex(data->items, index)) return LB_ERR;
      data->items[static_cast<size_t>(index)].data = static_cast<DWORD_PTR>(lParam);
      NotifyPeer(hwnd, WindowChange::Content);
      return LB_OKAY;
    }
    case LB_FINDSTRING: {
      const int index = FindItem(data->items, rules, wParam, lParam, false);
      return index >= 0 ? index : LB_ERR;
    }
    case LB_FINDSTRINGEXACT: {
      const int index = FindItem(data->items, rules, wParam, lParam, true);
      return index >= 0 ? index : LB_ERR;
    }
    case LB_SELECTSTRING: {
      const int index = FindItem(data->items, rules, wParam, lParam, false);
      if (index < 0) return LB_ERR;
      SelectListItem(hwnd, data, index);
      return index;
    }
    case LB_SETTABSTOPS: {
      if ((hwnd->style & LBS_USETABSTOPS) == 0) return FALSE;
      const int count = ToInt(wParam);
      const int* stops = reinterpret_cast<const int*>(lParam);
      data->tabStops.clear();
      for (int i = 0; i < count && stops != nullptr; ++i) data->tabStops.push_back(stops[i]);
      NotifyPeer(hwnd, WindowChange::Content);
      return TRUE;
    }
    default:
      return BaseDefault(hwnd, message, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------
// The property sheet's tab strip

LRESULT TabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TabControlData* data = GetTabControlData(hwnd);
  switch (message) {
    case TCM_GETITEMCOUNT:
      return static_cast<LRESULT>(data->tabs.size());
    case TCM_GETCURSEL:
      return data->current;
    default:
      return BaseDefault(hwnd, message, wParam, lParam);
  }
}

}  // namespace

bool IsWindowOfClass(HWND hwnd, const char* className) {
  return hwnd != nullptr && EqualsNoCase(hwnd->className, className);
}

int CompareListText(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

ButtonData* GetButtonData(HWND hwnd) {
  return EnsureData<ButtonData>(hwnd, kClassButton);
}
EditData* GetEditData(HWND hwnd) {
  return EnsureData<EditData>(hwnd, kClassEdit);
}
ComboBoxData* GetComboBoxData(HWND hwnd) {
  return EnsureData<ComboBoxData>(hwnd, kClassComboBox);
}
ListBoxData* GetListBoxData(HWND hwnd) {
  return EnsureData<ListBoxData>(hwnd, kClassListBox);
}
TabControlData* GetTabControlData(HWND hwnd) {
  return EnsureData<TabControlData>(hwnd, kClassTabControl);
}

namespace {
template <class T>
std::unique_ptr<CWnd> MakeWrapper() {
  return std::make_unique<T>();
}
}  // namespace

void RegisterControlClasses() {
  static const bool registered = [] {
    RegisterWindowClass(kClassStatic, &StaticProc, &MakeWrapper<CStatic>);
    RegisterWindowClass(kClassButton, &ButtonProc, &MakeWrapper<CButton>);
    RegisterWindowClass(kClassEdit, &EditProc, &MakeWrapper<CEdit>);
    RegisterWindowClass(kClassComboBox, &ComboProc, &MakeWrapper<CComboBox>);
    RegisterWindowClass(kClassListBox, &ListProc, &MakeWrapper<CListBox>);
    RegisterWindowClass(kClassTabControl, &TabProc);
    return true;
  }();
  (void)registered;
}

namespace control_detail {
void ReplaceComboEditText(HWND combo, const CString& text) {
  ComboBoxData* data = GetComboBoxData(combo);
  if (data == nullptr) return;
  CString typed = text;
  if (data->limit > 0 && typed.GetLength() > data->limit) typed = typed.Left(data->limit);
  if (data->curSel != -1) {
    data->curSel = -1;
    NotifyPeer(combo, WindowChange::Content);
  }
  SetComboText(combo, typed);
  data->editSelStart = data->editSelEnd = typed.GetLength();
}
}  // namespace control_detail
