// CComboBox: simple, drop-down and drop-down-list combo boxes (CBS_TYPEMASK), sorted
// (CBS_SORT) or not, owner-drawn or not. Items with their item data, the list selection
// and the edit text live in the window; the object only sends messages.
//
// The edit text (the window text) is kept apart from the list selection: choosing an
// entry shows its text, typing changes the text and clears the selection, and setting
// the text from code leaves the selection alone. A drop-down list's text is always the
// selected entry's text, or empty. Owner-drawn entries without strings
// (CBS_OWNERDRAWFIXED/VARIABLE without CBS_HASSTRINGS) keep only item data: AddString
// takes the data (a COLORREF for a colour combo), and a screen draws from it.
#pragma once

#include <vector>

#include "platform/cwnd.h"
#include "platform/list_items.h"
#include "platform/window_handle.h"

// Messages of combo boxes that constants.h does not list (system values).
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_SETEDITSEL = 0x0142;

// The state a COMBOBOX window keeps; the edit text is the window's text.
class ComboBoxData : public ControlData {
 public:
  std::vector<ListItem> items;
  int curSel = -1;  // the list selection
  int editSelStart = 0;
  int editSelEnd = 0;
  int limit = 0;
};

// Made on first use; null when the window is not a combo box.
ComboBoxData* GetComboBoxData(HWND hwnd);

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  CComboBox() = default;
  using CWnd::Create;
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

  int GetCount() const;
  // -1 (CB_ERR) when no entry is selected.
  int GetCurSel() const;
  // Selects an entry and shows its text; -1 clears both. CB_ERR for -1 or a bad index.
  int SetCurSel(int index);
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  void GetLBText(int index, CString& text) const;
  int GetLBText(int index, char* buffer) const;
  int GetLBTextLen(int index) const;

  // A sorted combo puts the entry in its place and returns that index.
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(int index);
  void ResetContent();
  // Searches begin after `startAfter` (-1: from the first entry) and wrap around;
  // case is ignored. FindString matches a prefix, FindStringExact the whole text.
  int FindString(int startAfter, const char* text) const;
  int FindStringExact(int startAfter, const char* text) const;
  // Selects the first entry that starts with the text; the selection stays when none does.
  int SelectString(int startAfter, const char* text);

  BOOL LimitText(int chars);
};

namespace control_detail {
// What a user's typing does to a combo box: the edit text becomes `text` and the
// list selection is cleared. Tells the peer; sends no notification (the caller does).
void ReplaceComboEditText(HWND combo, const CString& text);
}  // namespace control_detail
