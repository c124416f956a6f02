#include "platform/button.h"

#include "platform/control_classes.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassButton, caption, style | WS_CHILD, rect, parent, id);
}

int CButton::GetCheck() const {
  return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK));
}

void CButton::SetCheck(int check) {
  ::SendMessage(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetButtonStyle() const {
  return static_cast<UINT>(GetStyle() & 0xFFFF);
}

void CButton::SetButtonStyle(UINT style, BOOL) {
  ModifyStyle(0xFFFF, style & 0xFFFF);
}

void CButton::Click() {
  ::SendMessage(m_hWnd, BM_CLICK);
}
