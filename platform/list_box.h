// CListBox: single-selection list boxes, sorted (LBS_SORT) or not, with tab stops
// (LBS_USETABSTOPS). Items with their item data, the selection and the tab stops live
// in the window; the object only sends messages.
#pragma once

#include <vector>

#include "platform/cwnd.h"
#include "platform/list_items.h"
#include "platform/window_handle.h"

// Messages and styles of list boxes that constants.h does not list (system values).
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;

// The state a LISTBOX window keeps.
class ListBoxData : public ControlData {
 public:
  std::vector<ListItem> items;
  int curSel = -1;
  // As given to LB_SETTABSTOPS, in dialog units; empty means the default stops.
  std::vector<int> tabStops;
};

// Made on first use; null when the window is not a list box.
ListBoxData* GetListBoxData(HWND hwnd);

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  CListBox() = default;
  using CWnd::Create;
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  void GetText(int index, CString& text) const;
  int GetText(int index, char* buffer) const;
  int GetTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);

  // A sorted list puts the line in its place and returns that index.
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(int index);
  void ResetContent();
  int FindString(int startAfter, const char* text) const;
  int FindStringExact(int startAfter, const char* text) const;
  int SelectString(int startAfter, const char* text);

  // Tab stops in dialog units (the list needs LBS_USETABSTOPS): the default stops,
  // one stop every `eachStop` units, or the stops given.
  void SetTabStops();
  BOOL SetTabStops(const int& eachStop);
  BOOL SetTabStops(int count, const int* stops);
};
