// CEdit: single- and multi-line text boxes. Text, selection, read-only state and the
// text limit live in the window; the object only sends messages. Setting the text from
// code (SetWindowText) sends EN_UPDATE and EN_CHANGE to the parent, except for a
// multi-line edit, as the system does.
#pragma once

#include "platform/cwnd.h"
#include "platform/window_handle.h"

// Messages and styles of edits that constants.h does not list (system values).
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr DWORD ES_LOWERCASE = 0x0010;

// The state an EDIT window keeps beyond its text.
class EditData : public ControlData {
 public:
  // The selection as character offsets into the window text, start <= end.
  int selStart = 0;
  int selEnd = 0;
  int limit = 0;  // 0: no limit
};

// Made on first use; null when the window is not an edit.
EditData* GetEditData(HWND hwnd);

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  CEdit() = default;
  using CWnd::Create;
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

  // Start -1 removes the selection; end -1 means the end of the text.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  DWORD GetSel() const;
  // Replaces the selection (inserts at the caret); sends EN_UPDATE and EN_CHANGE.
  void ReplaceSel(const char* text, BOOL canUndo = FALSE);
  // Sets or clears ES_READONLY.
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  BOOL IsReadOnly() const;
  // The most characters a user may type; 0: no limit.
  void LimitText(int chars = 0);
  int GetLineCount() const;
};
