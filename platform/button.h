// CButton: push buttons, default push buttons, check boxes, radio buttons and group
// boxes. The check state lives in the window (BM_GETCHECK/BM_SETCHECK); the object
// only sends messages, so it may be attached to a template's control by DDX_Control.
#pragma once

#include "platform/cwnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  CButton() = default;
  using CWnd::Create;
  BOOL Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id);

  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; push buttons report unchecked.
  int GetCheck() const;
  void SetCheck(int check);
  // The button type (BS_TYPEMASK bits and the rest of the button style).
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  // Clicks the button from code, as BM_CLICK: an automatic box toggles, then BN_CLICKED.
  void Click();
};
