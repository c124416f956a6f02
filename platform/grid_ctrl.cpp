#include "platform/grid_ctrl.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <typeinfo>
#include <utility>

#include "platform/backend.h"

IMPLEMENT_DYNAMIC(CGridCtrl, CWnd)

namespace {

BOOL AsBool(bool value) {
  return value ? TRUE : FALSE;
}

// Many cells at once are shown faster by walking the grid once than one by one.
bool ShowsBetterWhole(const GridData& data, size_t changes) {
  const size_t cells = static_cast<size_t>(data.Rows()) * static_cast<size_t>(data.Cols());
  return changes > 64 && changes > cells / 4;
}

void Hold(GridData& data, const GridChange& change) {
  if (change.kind == GridChange::Kind::Cursor) {
    data.pendingCursor = true;
    return;
  }
  std::vector<GridChange>& pending = data.pending;
  if (!pending.empty() && pending.front().kind == GridChange::Kind::All) return;
  if (change.kind == GridChange::Kind::All || ShowsBetterWhole(data, pending.size() + 1)) {
    pending.assign(1, GridChange{});
    return;
  }
  pending.push_back(change);
}

// A row of which most cells changed is shown as a row.
std::vector<GridChange> Coalesced(const GridData& data, std::vector<GridChange> changes) {
  std::map<long, long> cellsOfRow;
  for (const GridChange& change : changes) {
    if (change.kind == GridChange::Kind::Cell) ++cellsOfRow[change.row];
  }
  std::vector<GridChange> shown;
  std::set<long> rowsShown;
  for (const GridChange& change : changes) {
    const bool wholeRow = change.kind == GridChange::Kind::Cell && cellsOfRow[change.row] * 2 > data.Cols();
    if (!wholeRow) {
      shown.push_back(change);
    } else if (rowsShown.insert(change.row).second) {
      shown.push_back({GridChange::Kind::Row, change.row, -1});
    }
  }
  return shown;
}

// Outside a batch the peer hears of each change at once; inside, at the batch's end.
void NotifyGrid(HWND grid, const GridChange& change) {
  if (grid == nullptr || grid->peer == nullptr) return;
  GridData* data = GetGridData(grid);
  if (data == nullptr) return;
  if (data->batchDepth > 0) {
    Hold(*data, change);
    return;
  }
  NotifyGridPeer(grid, {change});
}

void NotifyParent(HWND grid, UINT message) {
  if (!IsWindowHandle(grid) || grid->parent == nullptr) return;
  SendMessage(grid->parent, message, static_cast<WPARAM>(grid->id), reinterpret_cast<LPARAM>(grid));
}

// A click elsewhere ends an edit in progress, as on screen.
LRESULT GridProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_KILLFOCUS:
      grid_detail::FinishEdit(hwnd);
      return 0;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      hwnd->text = text != nullptr ? text : "";
      NotifyPeer(hwnd, WindowChange::Text);
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindowHandle(hwnd);
      return 0;
    default:
      return 0;
  }
}

std::unique_ptr<CWnd> MakeGridWrapper() {
  return std::make_unique<CGridCtrl>();
}

}  // namespace

// ---------------------------------------------------------------------------------
// Window class

void RegisterGridCtrlClass() {
  static const bool registered = [] {
    RegisterWindowClass(kClassGridCtrl, &GridProc, &MakeGridWrapper);
    return true;
  }();
  (void)registered;
}

GridData* GetGridData(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  // Asked for every cell a grid operation touches: the data's own type answers
  // before the class name is compared.
  if (hwnd->data != nullptr && typeid(*hwnd->data) == typeid(GridData))
    return static_cast<GridData*>(hwnd->data.get());
  if (hwnd->className != kClassGridCtrl) return nullptr;
  if (hwnd->data == nullptr) hwnd->data = std::make_unique<GridData>();
  return hwnd->Data<GridData>();
}

namespace grid_detail {

bool SelectCell(HWND grid, long row, long col) {
  GridData* data = GetGridData(grid);
  if (data == nullptr || !data->Contains(row, col)) return false;
  if (data->Row() == row && data->Col() == col) return true;
  data->SetCurrent(row, col);
  NotifyGrid(grid, {GridChange::Kind::Cursor});
  NotifyParent(grid, CGridCtrl::GetSelectionChangedMessage());
  return true;
}

bool ExtendSelection(HWND grid, long row, long col) {
  GridData* data = GetGridData(grid);
  if (data == nullptr || !data->Contains(row, col)) return false;
  if (data->ExtentRow() == row && data->ExtentCol() == col) return true;
  data->SetExtent(row, col);
  NotifyGrid(grid, {GridChange::Kind::Cursor});
  return true;
}

bool StartEdit(HWND grid) {
  GridData* data = GetGridData(grid);
  if (data == nullptr || data->Edit().active || !data->IsEditable(data->Row(), data->Col())) return false;
  data->StartEdit();
  NotifyGrid(grid, {GridChange::Kind::Cursor});
  NotifyParent(grid, CGridCtrl::GetEditStartMessage());
  return true;
}

bool FinishEdit(HWND grid) {
  GridData* data = GetGridData(grid);
  if (data == nullptr || !data->Edit().active) return false;
  const GridEdit edit = data->TakeEdit();
  GridCell* cell = data->Cell(edit.row, edit.col);
  const bool changed = cell != nullptr && cell->text != edit.text;
  if (changed) {
    cell->text = edit.text;
    data->SetMark(edit.row, edit.col, GridMark::Modified, true);
    data->SetCurrent(edit.row, edit.col);
  }
  NotifyGrid(grid, {GridChange::Kind::Cell, edit.row, edit.col});
  NotifyGrid(grid, {GridChange::Kind::Cursor});
  if (changed) NotifyParent(grid, CGridCtrl::GetEditChangeMessage());
  NotifyParent(grid, CGridCtrl::GetEditStopMessage());
  return true;
}

void Notify(HWND grid, const GridChange& change) {
  NotifyGrid(grid, change);
}

void BeginBatch(HWND grid) {
  if (GridData* data = GetGridData(grid)) ++data->batchDepth;
}

void EndBatch(HWND grid) {
  GridData* data = GetGridData(grid);
  if (data == nullptr || data->batchDepth == 0 || --data->batchDepth > 0) return;
  std::vector<GridChange> changes = Coalesced(*data, std::exchange(data->pending, {}));
  if (std::exchange(data->pendingCursor, false)) changes.push_back({GridChange::Kind::Cursor});
  NotifyGridPeer(grid, changes);
}

}  // namespace grid_detail

// ---------------------------------------------------------------------------------
// CGridCtrl

BOOL CGridCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return CreateEx(0, kClassGridCtrl, "", style | WS_CHILD, rect, parent, id);
}

BOOL CGridCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  RegisterGridCtrlClass();
  cs.className = kClassGridCtrl;
  return CWnd::PreCreateWindow(cs);
}

const UINT& CGridCtrl::GetSelectionChangedMessage() {
  static const UINT message = RegisterWindowMessage("GridCtrl.SelectionChanged");
  return message;
}

const UINT& CGridCtrl::GetEditStartMessage() {
  static const UINT message = RegisterWindowMessage("GridCtrl.EditStart");
  return message;
}

const UINT& CGridCtrl::GetEditChangeMessage() {
  static const UINT message = RegisterWindowMessage("GridCtrl.EditChange");
  return message;
}

const UINT& CGridCtrl::GetEditStopMessage() {
  static const UINT message = RegisterWindowMessage("GridCtrl.EditStop");
  return message;
}

GridData* CGridCtrl::Data() const {
  return GetGridData(m_hWnd);
}

GridCell* CGridCtrl::CurrentCell() const {
  GridData* data = Data();
  return data != nullptr ? data->Cell(data->Row(), data->Col()) : nullptr;
}

GridChange CGridCtrl::CurrentCellChange() const {
  return {GridChange::Kind::Cell, GetRow(), GetCol()};
}

BOOL CGridCtrl::Changed(const GridChange& change, bool changed) const {
  if (changed) NotifyGrid(m_hWnd, change);
  return AsBool(changed);
}

long CGridCtrl::GetRows() const {
  const GridData* data = Data();
  return data != nullptr ? data->Rows() : 0;
}

BOOL CGridCtrl::SetRows(long rows) {
  GridData* data = Data();
  return Changed(GridChange{}, data != nullptr && data->SetRows(rows));
}

long CGridCtrl::GetCols() const {
  const GridData* data = Data();
  return data != nullptr ? data->Cols() : 0;
}

BOOL CGridCtrl::SetCols(long cols) {
  GridData* data = Data();
  return Changed(GridChange{}, data != nullptr && data->SetCols(cols));
}

long CGridCtrl::GetFixedRows() const {
  const GridData* data = Data();
  return data != nullptr ? data->FixedRows() : 0;
}

BOOL CGridCtrl::SetFixedRows(long rows) {
  GridData* data = Data();
  return Changed(GridChange{}, data != nullptr && data->SetFixedRows(rows));
}

long CGridCtrl::GetFixedCols() const {
  const GridData* data = Data();
  return data != nullptr ? data->FixedCols() : 0;
}

BOOL CGridCtrl::SetFixedCols(long cols) {
  GridData* data = Data();
  return Changed(GridChange{}, data != nullptr && data->SetFixedCols(cols));
}

long CGridCtrl::GetRow() const {
  const GridData* data = Data();
  return data != nullptr ? data->Row() : 0;
}

BOOL CGridCtrl::SetRow(long row) {
  return SetCell(row, GetCol());
}

long CGridCtrl::GetCol() const {
  const GridData* data = Data();
  return data != nullptr ? data->Col() : 0;
}

BOOL CGridCtrl::SetCell(long row, long col) {
  GridData* data = Data();
  return Changed({GridChange::Kind::Cursor}, data != nullptr && data->SetCurrent(row, col));
}

BOOL CGridCtrl::GoToCell(long row, long col) {
  const GridData* data = Data();
  if (data == nullptr || !data->Contains(row, col) || data->IsFixed(row, col)) return FALSE;
  const HWND hwnd = m_hWnd;
  if (CWnd::GetFocusHandle() != hwnd) SetFocus();
  if (IsWindowHandle(hwnd)) grid_detail::FinishEdit(hwnd);
  return AsBool(IsWindowHandle(hwnd) && grid_detail::SelectCell(hwnd, row, col));
}

BOOL CGridCtrl::GetCellEditable(long row, long col) const {
  const GridData* data = Data();
  return AsBool(data != nullptr && data->IsEditable(row, col));
}

GridSelection CGridCtrl::GetSelection() const {
  const GridData* data = Data();
  return data != nullptr ? data->Selection() : GridSelection{};
}

long CGridCtrl::GetExtentRow() const {
  const GridData* data = Data();
  return data != nullptr ? data->ExtentRow() : 0;
}

long CGridCtrl::GetExtentCol() const {
  const GridData* data = Data();
  return data != nullptr ? data->ExtentCol() : 0;
}

BOOL CGridCtrl::SetSelectionExtent(long row, long col) {
  GridData* data = Data();
  return Changed({GridChange::Kind::Cursor}, data != nullptr && data->SetExtent(row, col));
}

CString CGridCtrl::GetText() const {
  const GridCell* cell = CurrentCell();
  return cell != nullptr ? cell->text : CString();
}

BOOL CGridCtrl::SetText(const char* text) {
  return SetTextMatrix(GetRow(), GetCol(), text);
}

CString CGridCtrl::GetTextMatrix(long row, long col) const {
  const GridData* data = Data();
  const GridCell* cell = data != nullptr ? data->Cell(row, col) : nullptr;
  return cell != nullptr ? cell->text : CString();
}

BOOL CGridCtrl::SetTextMatrix(long row, long col, const char* text) {
  GridData* data = Data();
  GridCell* cell = data != nullptr ? data->Cell(row, col) : nullptr;
  if (cell != nullptr) cell->text = text;
  return Changed({GridChange::Kind::Cell, row, col}, cell != nullptr);
}

LONG_PTR CGridCtrl::GetRowData(long row) const {
  const GridData* data = Data();
  const GridRow* line = data != nullptr ? data->RowAt(row) : nullptr;
  return line != nullptr ? line->data : 0;
}

BOOL CGridCtrl::SetRowData(long row, LONG_PTR value) {
  GridData* data = Data();
  GridRow* line = data != nullptr ? data->RowAt(row) : nullptr;
  if (line != nullptr) line->data = value;
  return AsBool(line != nullptr);  // row data is never shown
}

LONG_PTR CGridCtrl::GetColData(long col) const {
  const GridData* data = Data();
  const GridColumn* column = data != nullptr ? data->ColumnAt(col) : nullptr;
  return column != nullptr ? column->data : 0;
}

BOOL CGridCtrl::SetColData(long col, LONG_PTR value) {
  GridData* data = Data();
  GridColumn* column = data != nullptr ? data->ColumnAt(col) : nullptr;
  if (column != nullptr) column->data = value;
  return AsBool(column != nullptr);  // column data is never shown
}

int CGridCtrl::GetColWidth(long col) const {
  const GridData* data = Data();
  const GridColumn* column = data != nullptr ? data->ColumnAt(col) : nullptr;
  return column != nullptr ? column->width : 0;
}

BOOL CGridCtrl::SetColWidth(long col, int width) {
  GridData* data = Data();
  GridColumn* column = data != nullptr ? data->ColumnAt(col) : nullptr;
  if (column == nullptr || width < -1) return FALSE;
  column->width = width == -1 ? kGridDefaultColWidth : width;
  return Changed({GridChange::Kind::Column, -1, col}, true);
}

short CGridCtrl::GetCellAlignment() const {
  const GridCell* cell = CurrentCell();
  return cell != nullptr ? cell->alignment : kGridAlignGeneral;
}

BOOL CGridCtrl::SetCellAlignment(short alignment) {
  GridCell* cell = CurrentCell();
  if (cell == nullptr || alignment < kGridAlignLeftTop || alignment > kGridAlignGeneral) return FALSE;
  cell->alignment = alignment;
  return Changed(CurrentCellChange(), true);
}

BOOL CGridCtrl::GetCellFontBold() const {
  return GetCellMarked(GetRow(), GetCol(), GridMark::Bold);
}

BOOL CGridCtrl::SetCellFontBold(BOOL bold) {
  return SetCellMarked(GetRow(), GetCol(), GridMark::Bold, bold);
}

BOOL CGridCtrl::SetCellDisabled(BOOL disabled) {
  return SetCellMarked(GetRow(), GetCol(), GridMark::Disabled, disabled);
}

const CRuntimeClass* CGridCtrl::GetCellEditClass() const {
  const GridData* data = Data();
  return data != nullptr ? data->EditClass(data->Row(), data->Col()) : nullptr;
}

BOOL CGridCtrl::SetCellEditClass(const CRuntimeClass* editClass) {
  GridData* data = Data();
  const bool set = data != nullptr && data->SetEditClass(data->Row(), data->Col(), editClass);
  return Changed(CurrentCellChange(), set);
}

BOOL CGridCtrl::GetCellModified() const {
  return GetCellMarked(GetRow(), GetCol(), GridMark::Modified);
}

BOOL CGridCtrl::SetCellModified(BOOL modified) {
  GridData* data = Data();
  // The mark is never shown.
  return AsBool(data != nullptr &&
                data->SetMark(data->Row(), data->Col(), GridMark::Modified, modified != FALSE));
}

BOOL CGridCtrl::GetCellMarked(long row, long col) const {
  return GetCellMarked(row, col, GridMark::Marked);
}

BOOL CGridCtrl::SetCellMarked(long row, long col, BOOL marked) {
  return SetCellMarked(row, col, GridMark::Marked, marked);
}

BOOL CGridCtrl::GetCellMarked(long row, long col, GridMark mark) const {
  const GridData* data = Data();
  return AsBool(data != nullptr && data->HasMark(row, col, mark));
}

// A shown mark set as it already is changes nothing on the screen.
BOOL CGridCtrl::SetCellMarked(long row, long col, GridMark mark, BOOL on) {
  GridData* data = Data();
  if (data == nullptr || !data->Contains(row, col)) return FALSE;
  if (data->HasMark(row, col, mark) == (on != FALSE)) return TRUE;
  data->SetMark(row, col, mark, on != FALSE);
  return Changed({GridChange::Kind::Cell, row, col}, true);
}

BOOL CGridCtrl::SetCellPlaceholder(long row, long col, const char* placeholder) {
  GridData* data = Data();
  GridCell* cell = data != nullptr ? data->Cell(row, col) : nullptr;
  if (cell == nullptr) return FALSE;
  if (cell->placeholder.Text() == (placeholder != nullptr ? placeholder : "")) return TRUE;
  cell->placeholder = placeholder;
  return Changed({GridChange::Kind::Cell, row, col}, true);
}

CString CGridCtrl::GetShownText(long row, long col) const {
  const GridData* data = Data();
  const GridCell* cell = data != nullptr ? data->Cell(row, col) : nullptr;
  if (cell == nullptr) return CString();
  return cell->text.IsEmpty() ? cell->placeholder.Text() : cell->text;
}

BOOL CGridCtrl::IsEditing() const {
  const GridData* data = Data();
  return AsBool(data != nullptr && data->Edit().active);
}

int CGridCtrl::StopEdit() {
  return grid_detail::FinishEdit(m_hWnd) ? 1 : 0;
}

void CGridCtrl::SetAllowUserResizing(BOOL allow) {
  GridData* data = Data();
  if (data != nullptr) data->options.allowUserResizing = allow != FALSE;
  Changed({GridChange::Kind::Options}, data != nullptr);
}

void CGridCtrl::SetProcessKeys(BOOL process) {
  GridData* data = Data();
  if (data != nullptr) data->options.processKeys = process != FALSE;
  Changed({GridChange::Kind::Options}, data != nullptr);
}

void CGridCtrl::HideFocus() {
  GridData* data = Data();
  if (data != nullptr) data->options.focusShown = false;
  Changed({GridChange::Kind::Options}, data != nullptr);
}

void CGridCtrl::ShowFocus() {
  GridData* data = Data();
  if (data != nullptr) data->options.focusShown = true;
  Changed({GridChange::Kind::Options}, data != nullptr);
}

BOOL CGridCtrl::IsFocusShown() const {
  const GridData* data = Data();
  return AsBool(data != nullptr && data->options.focusShown);
}

void CGridCtrl::BeginBatch() {
  grid_detail::BeginBatch(m_hWnd);
}

void CGridCtrl::EndBatch() {
  grid_detail::EndBatch(m_hWnd);
}

CGridBatch::CGridBatch(CGridCtrl& grid) : m_grid(grid.GetSafeHwnd()) {
  grid_detail::BeginBatch(m_grid);
}

CGridBatch::~CGridBatch() {
  if (IsWindowHandle(m_grid)) grid_detail::EndBatch(m_grid);
}
