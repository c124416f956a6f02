#include "platform/edit.h"

#include <algorithm>
#include <string>

#include "platform/backend.h"
#include "platform/control_classes.h"
#include "platform/control_window.h"
#include "platform/resource_registry.h"

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

int CEdit::GetLineCount() const {
  return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT));
}

// --- the EDIT window class

EditData* GetEditData(HWND hwnd) {
  return control_detail::EnsureControlData<EditData>(hwnd, kClassEdit);
}

namespace {

using control_detail::NotifyParent;
using control_detail::TextArg;

CString ApplyCase(HWND hwnd, CString text) {
  if ((hwnd->style & ES_UPPERCASE) != 0) text.MakeUpper();
  if ((hwnd->style & ES_LOWERCASE) != 0) text.MakeLower();
  return text;
}

LRESULT SetEditText(HWND hwnd, EditData* data, LPARAM lParam) {
  hwnd->text = ApplyCase(hwnd, TextArg(lParam));
  data->selStart = 0;
  data->selEnd = 0;
  NotifyPeer(hwnd, WindowChange::Text);
  // As the system does: a single-line edit tells its parent about text set from code;
  // a multi-line edit does not.
  if ((hwnd->style & ES_MULTILINE) == 0) {
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
  }
  return TRUE;
}

void SetEditSelection(HWND hwnd, EditData* data, int start, int end) {
  const int length = hwnd->text.GetLength();
  if (start == -1) {
    start = data->selEnd;  // -1 removes the selection and keeps the caret
    end = data->selEnd;
  } else {
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::min(end, length);
  }
  if (start > end) std::swap(start, end);
  if (start == data->selStart && end == data->selEnd) return;
  data->selStart = start;
  data->selEnd = end;
  NotifyPeer(hwnd, WindowChange::Content);
}

LRESULT GetEditSelection(const EditData* data, WPARAM wParam, LPARAM lParam) {
  if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = static_cast<DWORD>(data->selStart);
  if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = static_cast<DWORD>(data->selEnd);
  if (data->selStart > 0xFFFF || data->selEnd > 0xFFFF) return -1;
  return MAKELPARAM(data->selStart, data->selEnd);
}

// Replaces the selection with the text, cut to the limit, and puts the caret after it.
void ReplaceEditSelection(HWND hwnd, EditData* data, LPARAM lParam) {
  std::string text = hwnd->text.str();
  std::string inserted = ApplyCase(hwnd, TextArg(lParam)).str();
  const int kept = static_cast<int>(text.size()) - (data->selEnd - data->selStart);
  if (data->limit > 0 && kept + static_cast<int>(inserted.size()) > data->limit) {
    inserted.resize(static_cast<size_t>(std::max(0, data->limit - kept)));
  }
  text.replace(static_cast<size_t>(data->selStart), static_cast<size_t>(data->selEnd - data->selStart),
               inserted);
  hwnd->text = CString(std::move(text));
  data->selStart += static_cast<int>(inserted.size());
  data->selEnd = data->selStart;
  NotifyPeer(hwnd, WindowChange::Text);
  NotifyParent(hwnd, EN_UPDATE);
  NotifyParent(hwnd, EN_CHANGE);
}

void SetEditReadOnly(HWND hwnd, bool readOnly) {
  const DWORD style = readOnly ? (hwnd->style | ES_READONLY) : (hwnd->style & ~ES_READONLY);
  if (style == hwnd->style) return;
  hwnd->style = style;
  NotifyPeer(hwnd, WindowChange::Style);
}

LRESULT EditLineCount(HWND hwnd) {
  if ((hwnd->style & ES_MULTILINE) == 0) return 1;
  return 1 + static_cast<LRESULT>(std::count(hwnd->text.str().begin(), hwnd->text.str().end(), '\n'));
}

}  // namespace

namespace control_detail {

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditData* data = GetEditData(hwnd);
  switch (message) {
    case WM_SETTEXT:
      return SetEditText(hwnd, data, lParam);
    case EM_SETSEL:
      SetEditSelection(hwnd, data, ToInt(wParam), ToInt(lParam));
      return 0;
    case EM_GETSEL:
      return GetEditSelection(data, wParam, lParam);
    case EM_REPLACESEL:
      ReplaceEditSelection(hwnd, data, lParam);
      return 0;
    case EM_SETREADONLY:
      SetEditReadOnly(hwnd, wParam != 0);
      return TRUE;
    case EM_LIMITTEXT:
      data->limit = ToInt(wParam);
      return 0;
    case EM_GETLINECOUNT:
      return EditLineCount(hwnd);
    case WM_SETFOCUS:
      NotifyParent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParent(hwnd, EN_KILLFOCUS);
      return 0;
    default:
      return DefaultControlProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace control_detail
