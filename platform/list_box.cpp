#include "platform/list_box.h"

#include <string>

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/control_window.h"
#include "platform/resource_registry.h"

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

// --- the LISTBOX window class

ListBoxData* GetListBoxData(HWND hwnd) {
  return control_detail::EnsureControlData<ListBoxData>(hwnd, kClassListBox);
}

namespace {

using control_detail::CopyItemText;
using control_detail::EraseListItem;
using control_detail::FindListItem;
using control_detail::ToInt;
using control_detail::ValidListIndex;

ListRules ListBoxRules(HWND hwnd) {
  const bool ownerDrawn = (hwnd->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  return {(hwnd->style & LBS_SORT) != 0, !ownerDrawn || (hwnd->style & LBS_HASSTRINGS) != 0};
}

void SelectListItem(HWND hwnd, ListBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) index = -1;
  if (data->curSel == index) return;
  data->curSel = index;
  NotifyPeer(hwnd, WindowChange::Content);
}

// The answer to an added or inserted line: its index, or LB_ERR.
LRESULT ListItemAdded(HWND hwnd, int index) {
  if (index < 0) return LB_ERR;
  NotifyPeer(hwnd, WindowChange::Content);
  return index;
}

LRESULT DeleteListBoxItem(HWND hwnd, ListBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return LB_ERR;
  EraseListItem(data->items, index, data->curSel);
  NotifyPeer(hwnd, WindowChange::Content);
  return static_cast<LRESULT>(data->items.size());
}

LRESULT ResetListContent(HWND hwnd, ListBoxData* data) {
  data->items.clear();
  data->curSel = -1;
  NotifyPeer(hwnd, WindowChange::Content);
  return LB_OKAY;
}

LRESULT SetListCurSel(HWND hwnd, ListBoxData* data, int index) {
  SelectListItem(hwnd, data, index);
  return ValidListIndex(data->items, index) ? index : LB_ERR;
}

LRESULT ListItemText(const ListBoxData* data, int index, LPARAM lParam) {
  if (!ValidListIndex(data->items, index)) return LB_ERR;
  return CopyItemText(data->items[static_cast<size_t>(index)], lParam);
}

LRESULT ListItemTextLength(const ListBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return LB_ERR;
  return data->items[static_cast<size_t>(index)].text.GetLength();
}

LRESULT ListItemData(const ListBoxData* data, int index) {
  if (!ValidListIndex(data->items, index)) return LB_ERR;
  return static_cast<LRESULT>(data->items[static_cast<size_t>(index)].data);
}

LRESULT SetListItemData(HWND hwnd, ListBoxData* data, int index, LPARAM lParam) {
  if (!ValidListIndex(data->items, index)) return LB_ERR;
  data->items[static_cast<size_t>(index)].data = static_cast<DWORD_PTR>(lParam);
  NotifyPeer(hwnd, WindowChange::Content);
  return LB_OKAY;
}

LRESULT FindListBoxItem(HWND hwnd, const ListBoxData* data, WPARAM wParam, LPARAM lParam, bool exact) {
  const int index = FindListItem(data->items, ListBoxRules(hwnd), wParam, lParam, exact);
  return index >= 0 ? index : LB_ERR;
}

LRESULT SelectListString(HWND hwnd, ListBoxData* data, WPARAM wParam, LPARAM lParam) {
  const int index = FindListItem(data->items, ListBoxRules(hwnd), wParam, lParam, false);
  if (index < 0) return LB_ERR;
  SelectListItem(hwnd, data, index);
  return index;
}

LRESULT SetListTabStops(HWND hwnd, ListBoxData* data, WPARAM wParam, LPARAM lParam) {
  if ((hwnd->style & LBS_USETABSTOPS) == 0) return FALSE;
  const int count = ToInt(wParam);
  const int* stops = reinterpret_cast<const int*>(lParam);
  data->tabStops.clear();
  for (int i = 0; i < count && stops != nullptr; ++i) data->tabStops.push_back(stops[i]);
  NotifyPeer(hwnd, WindowChange::Content);
  return TRUE;
}

}  // namespace

namespace control_detail {

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ListBoxData* data = GetListBoxData(hwnd);
  switch (message) {
    case LB_ADDSTRING:
      return ListItemAdded(hwnd, AddListItem(data->items, ListBoxRules(hwnd), lParam, data->curSel));
    case LB_INSERTSTRING:
      return ListItemAdded(hwnd,
                           InsertListItem(data->items, ListBoxRules(hwnd), wParam, lParam, data->curSel));
    case LB_DELETESTRING:
      return DeleteListBoxItem(hwnd, data, ToInt(wParam));
    case LB_RESETCONTENT:
      return ResetListContent(hwnd, data);
    case LB_GETCOUNT:
      return static_cast<LRESULT>(data->items.size());
    case LB_GETCURSEL:
      return data->curSel;
    case LB_SETCURSEL:
      return SetListCurSel(hwnd, data, ToInt(wParam));
    case LB_GETTEXT:
      return ListItemText(data, ToInt(wParam), lParam);
    case LB_GETTEXTLEN:
      return ListItemTextLength(data, ToInt(wParam));
    case LB_GETITEMDATA:
      return ListItemData(data, ToInt(wParam));
    case LB_SETITEMDATA:
      return SetListItemData(hwnd, data, ToInt(wParam), lParam);
    case LB_FINDSTRING:
      return FindListBoxItem(hwnd, data, wParam, lParam, false);
    case LB_FINDSTRINGEXACT:
      return FindListBoxItem(hwnd, data, wParam, lParam, true);
    case LB_SELECTSTRING:
      return SelectListString(hwnd, data, wParam, lParam);
    case LB_SETTABSTOPS:
      return SetListTabStops(hwnd, data, wParam, lParam);
    default:
      return DefaultControlProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace control_detail
