#include "platform/list_box.h"

#include <string>

#include "platform/control_classes.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace {
LPARAM TextParam(const char* text) {
  return reinterpret_cast<LPARAM>(text != nullptr ? text : "");
}
WPARAM Index(int index) {
  return static_cast<WPARAM>(index);
}
}  // namespace

BOOL CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  RegisterControlClasses();
  return CreateEx(0, kClassListBox, "", style | WS_CHILD, rect, parent, id);
}

int CListBox::GetCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_SETCURSEL, Index(index)));
}

void CListBox::GetText(int index, CString& text) const {
  const int length = GetTextLen(index);
  if (length < 0) {
    text.Empty();
    return;
  }
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  GetText(index, buffer.data());
  buffer.resize(static_cast<size_t>(length));
  text = CString(std::move(buffer));
}

int CListBox::GetText(int index, char* buffer) const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_GETTEXT, Index(index), reinterpret_cast<LPARAM>(buffer)));
}

int CListBox::GetTextLen(int index) const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_GETTEXTLEN, Index(index)));
}

DWORD_PTR CListBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, LB_GETITEMDATA, Index(index)));
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_SETITEMDATA, Index(index), static_cast<LPARAM>(data)));
}

void* CListBox::GetItemDataPtr(int index) const {
  return reinterpret_cast<void*>(GetItemData(index));
}

int CListBox::SetItemDataPtr(int index, void* data) {
  return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
}

int CListBox::AddString(const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_ADDSTRING, 0, TextParam(text)));
}

int CListBox::InsertString(int index, const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_INSERTSTRING, Index(index), TextParam(text)));
}

int CListBox::DeleteString(int index) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_DELETESTRING, Index(index)));
}

void CListBox::ResetContent() {
  ::SendMessage(m_hWnd, LB_RESETCONTENT);
}

int CListBox::FindString(int startAfter, const char* text) const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_FINDSTRING, Index(startAfter), TextParam(text)));
}

int CListBox::FindStringExact(int startAfter, const char* text) const {
  return static_cast<int>(::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, Index(startAfter), TextParam(text)));
}

int CListBox::SelectString(int startAfter, const char* text) {
  return static_cast<int>(::SendMessage(m_hWnd, LB_SELECTSTRING, Index(startAfter), TextParam(text)));
}

void CListBox::SetTabStops() {
  ::SendMessage(m_hWnd, LB_SETTABSTOPS, 0, 0);
}

BOOL CListBox::SetTabStops(const int& eachStop) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&eachStop)));
}

BOOL CListBox::SetTabStops(int count, const int* stops) {
  return static_cast<BOOL>(
      ::SendMessage(m_hWnd, LB_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(stops)));
}
