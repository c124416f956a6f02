// CListBox: single-selection list boxes, sorted (LBS_SORT) or not, with tab stops
// (LBS_USETABSTOPS). Items with their item data, the selection and the tab stops live
// in the window; the object only sends messages.
#pragma once

#include "platform/cwnd.h"

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
  void* GetItemDataPtr(int index) const;
  int SetItemDataPtr(int index, void* data);

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
