#include "platform/edit.h"

#include "platform/control_classes.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassEdit, "", style | WS_CHILD, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL) {
  ::SendMessage(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
  SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::GetSel(int& start, int& end) const {
  DWORD first = 0;
  DWORD last = 0;
  ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  start = static_cast<int>(first);
  end = static_cast<int>(last);
}

DWORD CEdit::GetSel() const {
  return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETSEL));
}

void CEdit::ReplaceSel(const char* text, BOOL canUndo) {
  ::SendMessage(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
}

BOOL CEdit::IsReadOnly() const {
  return (GetStyle() & ES_READONLY) != 0;
}

void CEdit::LimitText(int chars) {
  ::SendMessage(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(chars));
}

void CEdit::SetLimitText(UINT chars) {
  ::SendMessage(m_hWnd, EM_LIMITTEXT, chars);
}

UINT CEdit::GetLimitText() const {
  return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETLIMITTEXT));
}

int CEdit::GetLineCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT));
}
