// The user-input API for the grid control. A user reaches only a grid that exists, is
// shown and is enabled, and only its non-fixed cells; a click on another cell or a
// start of another edit first ends the edit in progress, as it does on screen.
// Handlers of the grid's messages may destroy it, so each sequence checks that it is
// still there before going on.
#include "platform/backend.h"
#include "platform/cwnd.h"
#include "platform/grid_ctrl.h"
#include "platform/user_input.h"

namespace {

bool Reachable(HWND hwnd) {
  for (HWND h = hwnd; h != nullptr; h = h->parent) {
    if ((h->style & WS_VISIBLE) == 0 || (h->style & WS_DISABLED) != 0) return false;
  }
  return true;
}

// The grid's state while a user can act on it, else null.
GridData* ReachableGrid(HWND hwnd) {
  if (!IsWindowHandle(hwnd) || !Reachable(hwnd)) return nullptr;
  return GetGridData(hwnd);
}

HWND HandleOf(CWnd* grid) {
  return grid != nullptr ? grid->GetSafeHwnd() : nullptr;
}

bool IsEditingCell(const GridData& data, long row, long col) {
  return data.Edit().active && data.Edit().row == row && data.Edit().col == col;
}

// Focus as a click gives it; false when the grid went away meanwhile.
bool FocusOn(HWND hwnd) {
  if (CWnd::GetFocusHandle() != hwnd) CWnd::FromHandle(hwnd)->SetFocus();
  return IsWindowHandle(hwnd);
}

// Each step takes the handle, which stays safe to check after a handler destroyed the
// grid together with its C++ object.
bool MoveTo(HWND hwnd, long row, long col) {
  const GridData* data = ReachableGrid(hwnd);
  if (data == nullptr || !data->Contains(row, col) || data->IsFixed(row, col)) return false;
  if (IsEditingCell(*data, row, col)) return true;
  if (!FocusOn(hwnd)) return true;
  grid_detail::FinishEdit(hwnd);
  if (IsWindowHandle(hwnd)) grid_detail::SelectCell(hwnd, row, col);
  return true;
}

bool BeginEdit(HWND hwnd, long row, long col) {
  const GridData* data = ReachableGrid(hwnd);
  if (data == nullptr || !data->IsEditable(row, col)) return false;
  if (IsEditingCell(*data, row, col)) return true;
  // A double click: the cell becomes current first.
  if (!MoveTo(hwnd, row, col)) return false;
  return !IsWindowHandle(hwnd) || grid_detail::StartEdit(hwnd);
}

bool TypeInEditor(HWND hwnd, const CString& text) {
  GridData* data = ReachableGrid(hwnd);
  if (data == nullptr || !data->Edit().active) return false;
  data->SetEditorText(text);
  grid_detail::Notify(hwnd, {GridChange::Kind::Cell, data->Edit().row, data->Edit().col});
  return true;
}

bool EndEdit(HWND hwnd) {
  return ReachableGrid(hwnd) != nullptr && grid_detail::FinishEdit(hwnd);
}

}  // namespace

bool UserInput::MoveToGridCell(CWnd* grid, long row, long col) {
  return MoveTo(HandleOf(grid), row, col);
}

bool UserInput::ExtendGridSelection(CWnd* grid, long row, long col) {
  HWND hwnd = HandleOf(grid);
  const GridData* data = ReachableGrid(hwnd);
  if (data == nullptr || !data->Contains(row, col) || data->IsFixed(row, col)) return false;
  if (!FocusOn(hwnd)) return true;
  grid_detail::FinishEdit(hwnd);
  return !IsWindowHandle(hwnd) || grid_detail::ExtendSelection(hwnd, row, col);
}

bool UserInput::BeginGridEdit(CWnd* grid, long row, long col) {
  return BeginEdit(HandleOf(grid), row, col);
}

bool UserInput::TypeInGridEditor(CWnd* grid, const CString& text) {
  return TypeInEditor(HandleOf(grid), text);
}

bool UserInput::EndGridEdit(CWnd* grid) {
  return EndEdit(HandleOf(grid));
}

bool UserInput::EditGridCell(CWnd* grid, long row, long col, const CString& text) {
  HWND hwnd = HandleOf(grid);
  return MoveTo(hwnd, row, col) && BeginEdit(hwnd, row, col) && TypeInEditor(hwnd, text) && EndEdit(hwnd);
}

bool UserInput::ResizeGridColumn(CWnd* grid, long col, int width) {
  HWND hwnd = HandleOf(grid);
  GridData* data = ReachableGrid(hwnd);
  GridColumn* column = data != nullptr ? data->ColumnAt(col) : nullptr;
  if (column == nullptr || !data->options.allowUserResizing || width < 0) return false;
  column->width = width;
  grid_detail::Notify(hwnd, {GridChange::Kind::Column, -1, col});
  return true;
}
