#include "platform/combo_box.h"

#include <string>

#include "platform/control_classes.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {
LPARAM TextParam(const char* text) {
  return reinterpret_cast<LPARAM>(text != nullptr ? text : "");
}
WPARAM Index(int index) {
  return static_cast<WPARAM>(index);
}
}  // namespace

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassComboBox, "", style | WS_CHILD, rect, parent, id);
}

int CComboBox::GetCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
  return static_cast<int>(::SendMessage(m_hWnd, CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_SETCURSEL, Index(index)));
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, Index(index)));
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_SETITEMDATA, Index(index), static_cast<LPARAM>(data)));
}

void* CComboBox::GetItemDataPtr(int index) const {
  return reinterpret_cast<void*>(GetItemData(index));
}

int CComboBox::SetItemDataPtr(int index, void* data) {
  return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
}

void CComboBox::GetLBText(int index, CString& text) const {
  const int length = GetLBTextLen(index);
  if (length < 0) {
    text.Empty();
    return;
  }
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  GetLBText(index, buffer.data());
  buffer.resize(static_cast<size_t>(length));
  text = CString(std::move(buffer));
}

int CComboBox::GetLBText(int index, char* buffer) const {
  return static_cast<int>(
      ::SendMessage(m_hWnd, CB_GETLBTEXT, Index(index), reinterpret_cast<LPARAM>(buffer)));
}

int CComboBox::GetLBTextLen(int index) const {
  return static_cast<int>(::SendMessage(m_hWnd, CB_GETLBTEXTLEN, Index(index)));
}

int CComboBox::AddString(const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_ADDSTRING, 0, TextParam(text)));
}

int CComboBox::InsertString(int index, const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_INSERTSTRING, Index(index), TextParam(text)));
}

int CComboBox::DeleteString(int index) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_DELETESTRING, Index(index)));
}

void CComboBox::ResetContent() {
  ::SendMessage(m_hWnd, CB_RESETCONTENT);
}

int CComboBox::FindString(int startAfter, const char* text) const {
  return static_cast<int>(::SendMessage(m_hWnd, CB_FINDSTRING, Index(startAfter), TextParam(text)));
}

int CComboBox::FindStringExact(int startAfter, const char* text) const {
  return static_cast<int>(::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, Index(startAfter), TextParam(text)));
}

int CComboBox::SelectString(int startAfter, const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, CB_SELECTSTRING, Index(startAfter), TextParam(text)));
}

DWORD CComboBox::GetEditSel() const {
  return static_cast<DWORD>(::SendMessage(m_hWnd, CB_GETEDITSEL));
}

BOOL CComboBox::SetEditSel(int start, int end) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(start, end)));
}

BOOL CComboBox::LimitText(int chars) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(chars)));
}
