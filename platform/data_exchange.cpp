#include "platform/data_exchange.h"

#include <cctype>
#include <climits>
#include <iostream>
#include <string>

#include "platform/combo_box.h"
#include "platform/control_classes.h"
#include "platform/cwnd.h"
#include "platform/message_box.h"
#include "platform/resource_registry.h"

namespace {

// The framework's own messages for a text that is not a number.
constexpr const char* kParseIntMessage = "Please enter an integer.";
constexpr const char* kParseUintMessage = "Please enter a positive integer.";

// Sets a control's text only when it differs, so an unchanged value sends no EN_CHANGE.
void SetTextIfChanged(CWnd* control, const CString& text) {
  if (control->GetWindowText() != text) control->SetWindowText(text);
}

// A whole number: blanks, an optional sign ('-' only when allowed), decimal digits,
// blanks, nothing else; and within range.
bool ParseWholeNumber(const std::string& text, bool allowMinus, long long min, long long max,
                      long long& value) {
  size_t i = 0;
  const auto isBlank = [&](size_t at) { return at < text.size() && (text[at] == ' ' || text[at] == '\t'); };
  while (isBlank(i)) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    if (negative && !allowMinus) return false;
    ++i;
  }
  const size_t firstDigit = i;
  long long magnitude = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > max + 1) return false;  // out of range whatever the sign
    ++i;
  }
  if (i == firstDigit) return false;
  while (isBlank(i)) ++i;
  if (i != text.size()) return false;
  value = negative ? -magnitude : magnitude;
  return value >= min && value <= max;
}

[[noreturn]] void FailParse(CDataExchange* dx, const char* message) {
  AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  dx->Fail();
}

}  // namespace

CWnd* CDataExchange::PrepareCtrl(int id) {
  CWnd* control = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
  if (control == nullptr) {
    std::cerr << "data exchange: the dialog has no control " << id << '\n';
    throw DataExchangeFailure{};
  }
  m_lastControl = control;
  m_lastControlIsEdit = false;
  m_idLastControl = id;
  return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int id) {
  CWnd* control = PrepareCtrl(id);
  m_lastControlIsEdit = true;
  return control;
}

void CDataExchange::Fail() {
  CWnd* control =
      m_lastControl != nullptr && m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr;
  if (m_bSaveAndValidate && control != nullptr) {
    HWND hwnd = control->m_hWnd;
    control->SetFocus();
    if (m_lastControlIsEdit && IsWindowHandle(hwnd)) {
      if (IsWindowOfClass(hwnd, kClassComboBox)) {
        SendMessage(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
      } else {
        SendMessage(hwnd, EM_SETSEL, 0, -1);
      }
    }
  }
  throw DataExchangeFailure{};
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  CWnd* control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    control->GetWindowText(value);
  } else {
    SetTextIfChanged(control, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  CWnd* control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseWholeNumber(control->GetWindowText().str(), true, INT_MIN, INT_MAX, parsed)) {
      FailParse(dx, kParseIntMessage);
    }
    value = static_cast<int>(parsed);
  } else {
    SetTextIfChanged(control, CString(std::to_string(value)));
  }
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  CWnd* control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseWholeNumber(control->GetWindowText().str(), false, 0, UINT_MAX, parsed)) {
      FailParse(dx, kParseUintMessage);
    }
    value = static_cast<UINT>(parsed);
  } else {
    SetTextIfChanged(control, CString(std::to_string(value)));
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  CWnd* control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(control->SendMessage(BM_GETCHECK));
  } else {
    if (value < 0 || value > BST_INDETERMINATE) value = BST_UNCHECKED;  // as the framework does
    control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd != nullptr) return;  // attached by an earlier exchange
  CWnd* item = dx->m_pDlgWnd != nullptr ? dx->m_pDlgWnd->GetDlgItem(id) : nullptr;
  if (item == nullptr || !control.SubclassWindow(item->m_hWnd)) {
    std::cerr << "DDX_Control: cannot attach an object to control " << id << '\n';
    throw DataExchangeFailure{};
  }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  CWnd* control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    // The edit text, or for a drop-down list the selected entry's text.
    control->GetWindowText(value);
  } else if (control->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(value.c_str())) == CB_ERR) {
    // No entry starts with the value: just show it (a drop-down list ignores it).
    SetTextIfChanged(control, value);
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  CWnd* control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(control->SendMessage(CB_GETCURSEL));
  } else {
    control->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
  }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  CWnd* control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(control->SendMessage(LB_GETCURSEL));
  } else {
    control->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
  }
}
