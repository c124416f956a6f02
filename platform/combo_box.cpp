#include "platform/combo_box.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/control_window.h"
#include "platform/resource_registry.h"

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

BOOL CComboBox::LimitText(int chars) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(chars)));
}

// --- the COMBOBOX window class

ComboBoxData* GetComboBoxData(HWND hwnd) {
  return control_detail::EnsureControlData<ComboBoxData>(hwnd, kClassComboBox);
}

namespace {

using control_detail::CopyItemText;
using control_detail::EraseListItem;
using control_detail::FindListItem;
using control_detail::TextArg;
using control_detail::ValidListIndex;

bool IsDropDownList(HWND hwnd) {
  return (hwnd->style & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
}

ListRules ComboRules(HWND hwnd) {
  const bool ownerDrawn = (hwnd->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  return {(hwnd->style & CBS_SORT) != 0, !ownerDrawn || (hwnd->style & CBS_HASSTRINGS) != 0};
}

void SetComboText(HWND hwnd, const CString& text) {
  if (hwnd->text == text) return;
  hwnd->text = text;
  NotifyPeer(hwnd, WindowChange::Text);
}

// Selects an entry (-1: none) and shows its text in the edit part, as CB_SETCURSEL does.
void SelectComboItem(HWND hwnd, ComboBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) index = -1;
  if (data->curSel != index) {
    data->curSel = index;
    NotifyPeer(hwnd, WindowChange::Content);
  }
  SetComboText(hwnd, index >= 0 ? data->items[static_cast<size_t>(index)].text : CString());
  data->editSelStart = 0;
  data->editSelEnd = hwnd->text.GetLength();
}

// The answer to an added or inserted entry: its index, or CB_ERR.
LRESULT ComboItemAdded(HWND hwnd, int index) {
  if (index < 0) return CB_ERR;
  NotifyPeer(hwnd, WindowChange::Content);
  return index;
}

LRESULT DeleteComboItem(HWND hwnd, ComboBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return CB_ERR;
  const bool selected = data->curSel == index;
  EraseListItem(data->items, index, data->curSel);
  if (selected && IsDropDownList(hwnd)) SetComboText(hwnd, CString());
  NotifyPeer(hwnd, WindowChange::Content);
  return static_cast<LRESULT>(data->items.size());
}

LRESULT ResetComboContent(HWND hwnd, ComboBoxData* data) {
  data->items.clear();
  data->curSel = -1;
  NotifyPeer(hwnd, WindowChange::Content);
  SetComboText(hwnd, CString());  // the edit part is cleared too
  return CB_OKAY;
}

LRESULT SetComboCurSel(HWND hwnd, ComboBoxData* data, int index) {
  SelectComboItem(hwnd, data, index);
  return ValidListIndex(data->items, index) ? index : CB_ERR;
}

LRESULT ComboItemData(const ComboBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return CB_ERR;
  return static_cast<LRESULT>(data->items[static_cast<size_t>(index)].data);
}

LRESULT SetComboItemData(HWND hwnd, ComboBoxData* data, int index, LPARAM lParam) {
  if (!ValidListIndex(data->items, index)) return CB_ERR;
  data->items[static_cast<size_t>(index)].data = static_cast<DWORD_PTR>(lParam);
  NotifyPeer(hwnd, WindowChange::Content);  // owner-drawn entries show their data
  return CB_OKAY;
}

LRESULT ComboItemText(const ComboBoxData* data, int index, LPARAM lParam) {
  if (!ValidListIndex(data->items, index)) return CB_ERR;
  return CopyItemText(data->items[static_cast<size_t>(index)], lParam);
}

LRESULT ComboItemTextLength(const ComboBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return CB_ERR;
  return data->items[static_cast<size_t>(index)].text.GetLength();
}

LRESULT FindComboItem(HWND hwnd, const ComboBoxData* data, WPARAM wParam, LPARAM lParam, bool exact) {
  const int index = FindListItem(data->items, ComboRules(hwnd), wParam, lParam, exact);
  return index >= 0 ? index : CB_ERR;
}

LRESULT SelectComboString(HWND hwnd, ComboBoxData* data, WPARAM wParam, LPARAM lParam) {
  const int index = FindListItem(data->items, ComboRules(hwnd), wParam, lParam, false);
  if (index < 0) return CB_ERR;  // the selection stays as it was
  SelectComboItem(hwnd, data, index);
  return index;
}

LRESULT SetComboEditSel(HWND hwnd, ComboBoxData* data, LPARAM lParam) {
  if (IsDropDownList(hwnd)) return CB_ERR;
  const int length = hwnd->text.GetLength();
  const int start = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const int end = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)));
  data->editSelStart = start < 0 ? length : std::min(start, length);
  data->editSelEnd = end < 0 ? length : std::min(end, length);
  if (start < 0) data->editSelEnd = data->editSelStart;
  if (data->editSelStart > data->editSelEnd) std::swap(data->editSelStart, data->editSelEnd);
  return TRUE;
}

LRESULT SetComboWindowText(HWND hwnd, ComboBoxData* data, LPARAM lParam) {
  const CString text = TextArg(lParam);
  if (!IsDropDownList(hwnd)) {
    // The edit part takes the text; the list selection stays as it was.
    SetComboText(hwnd, text);
    return TRUE;
  }
  // A drop-down list shows only its entries: the text selects the entry it names.
  if (text.IsEmpty()) {
    SelectComboItem(hwnd, data, -1);
    return TRUE;
  }
  const int index = FindListItem(data->items, ComboRules(hwnd), static_cast<WPARAM>(-1), lParam, true);
  if (index < 0) return CB_ERR;
  SelectComboItem(hwnd, data, index);
  return TRUE;
}

}  // namespace

namespace control_detail {

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboBoxData* data = GetComboBoxData(hwnd);
  switch (message) {
    case CB_ADDSTRING:
      return ComboItemAdded(hwnd, AddListItem(data->items, ComboRules(hwnd), lParam, data->curSel));
    case CB_INSERTSTRING:
      return ComboItemAdded(hwnd,
                            InsertListItem(data->items, ComboRules(hwnd), wParam, lParam, data->curSel));
    case CB_DELETESTRING:
      return DeleteComboItem(hwnd, data, ToInt(wParam));
    case CB_RESETCONTENT:
      return ResetComboContent(hwnd, data);
    case CB_GETCOUNT:
      return static_cast<LRESULT>(data->items.size());
    case CB_GETCURSEL:
      return data->curSel;
    case CB_SETCURSEL:
      return SetComboCurSel(hwnd, data, ToInt(wParam));
    case CB_GETITEMDATA:
      return ComboItemData(data, ToInt(wParam));
    case CB_SETITEMDATA:
      return SetComboItemData(hwnd, data, ToInt(wParam), lParam);
    case CB_GETLBTEXT:
      return ComboItemText(data, ToInt(wParam), lParam);
    case CB_GETLBTEXTLEN:
      return ComboItemTextLength(data, ToInt(wParam));
    case CB_FINDSTRING:
      return FindComboItem(hwnd, data, wParam, lParam, false);
    case CB_FINDSTRINGEXACT:
      return FindComboItem(hwnd, data, wParam, lParam, true);
    case CB_SELECTSTRING:
      return SelectComboString(hwnd, data, wParam, lParam);
    case CB_SETEDITSEL:
      return SetComboEditSel(hwnd, data, lParam);
    case CB_LIMITTEXT:
      data->limit = ToInt(wParam);
      return TRUE;
    case WM_SETTEXT:
      return SetComboWindowText(hwnd, data, lParam);
    case WM_SETFOCUS:
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    default:
      return DefaultControlProc(hwnd, message, wParam, lParam);
  }
}

void ReplaceComboEditText(HWND combo, const CString& text) {
  ComboBoxData* data = GetComboBoxData(combo);
  if (data == nullptr) return;
  CString typed = text;
  if (data->limit > 0 && typed.GetLength() > data->limit) typed = typed.Left(data->limit);
  if (data->curSel != -1) {
    data->curSel = -1;
    NotifyPeer(combo, WindowChange::Content);
  }
  SetComboText(combo, typed);
  data->editSelStart = data->editSelEnd = typed.GetLength();
}

}  // namespace control_detail
