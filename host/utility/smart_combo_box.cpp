#include "host/utility/smart_combo_box.h"

IMPLEMENT_DYNAMIC(CSmartComboBox, CComboBox)

CString CSmartComboBox::GetText() const {
  if (m_hWnd == nullptr) return CString();
  return GetWindowText();
}

bool CSmartComboBox::SetText(const CString& text) {
  if (m_hWnd == nullptr) return false;
  const LRESULT result = ::SendMessage(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return result != CB_ERR;
}

bool CSmartComboBox::SetSelected(int index) {
  if (m_hWnd == nullptr) return false;
  return SetCurSel(index) == index;
}
