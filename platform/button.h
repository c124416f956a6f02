// CButton: push buttons, default push buttons, check boxes, radio buttons and group
// boxes. The check state lives in the window (BM_GETCHECK/BM_SETCHECK); the object
// only sends messages, so it may be attached to a template's control by DDX_Control.
#pragma once

#include "platform/cwnd.h"
#include "platform/window_handle.h"

// Clicks a button as the user would (system value; constants.h does not list it).
inline constexpr UINT BM_CLICK = 0x00F5;

// The state a BUTTON window keeps.
class ButtonData : public ControlData {
 public:
  int check = BST_UNCHECKED;
};

// Made on first use; null when the window is not a button.
ButtonData* GetButtonData(HWND hwnd);

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
  // Clicks the button from code, as BM_CLICK: an automatic box toggles, then BN_CLICKED.
  void Click();
};
