// Dialog data exchange: moving values between member variables and controls.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  // The control that the next exchange works on; remembered for Fail().
  CWnd* PrepareCtrl(int id);
  CWnd* PrepareEditCtrl(int id);
  // Puts the focus back on the last prepared control and stops the exchange.
  [[noreturn]] void Fail();

  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  CWnd* m_lastControl = nullptr;
  bool m_lastControlIsEdit = false;
  // Fail() finds the control again by its id: the object above may be a temporary one
  // that a later DDX_Control of the same control has replaced.
  int m_idLastControl = 0;
};

// Thrown by CDataExchange::Fail and caught by CDialog::UpdateData, which returns FALSE.
struct DataExchangeFailure {};

void DDX_Text(CDataExchange* dx, int id, CString& value);
// A text that is not a whole number fails with the framework's own message.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// Attaches a member control to the dialog's control (the first exchange only).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
