#include "gui/shown_grid_table.h"

#include "gui/wx_peer.h"

void ShownGridTable::Reshape(int rows, int cols) {
  const int oldRows = m_rows;
  const int oldCols = m_cols;
  const size_t cells = static_cast<size_t>(rows) * static_cast<size_t>(cols);
  if (cols != oldCols) {
    m_cells.assign(cells, ShownCell{});
  } else {
    m_cells.resize(cells);
  }
  m_rows = rows;
  m_cols = cols;
  if (rows < oldRows) Tell(wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows, oldRows - rows);
  if (rows > oldRows) Tell(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, rows - oldRows, -1);
  if (cols < oldCols) Tell(wxGRIDTABLE_NOTIFY_COLS_DELETED, cols, oldCols - cols);
  if (cols > oldCols) Tell(wxGRIDTABLE_NOTIFY_COLS_APPENDED, cols - oldCols, -1);
}

ShownCell& ShownGridTable::At(int row, int col) {
  return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_cols) + static_cast<size_t>(col)];
}

void ShownGridTable::SetLook(int row, int col, const CellLook& look) {
  ShownCell& cell = At(row, col);
  cell.look = look;
  cell.attr = GetView() != nullptr ? m_looks.Of(*GetView(), look) : nullptr;
}

bool ShownGridTable::IsEmptyCell(int row, int col) {
  return !Contains(row, col) || At(row, col).text.IsEmpty();
}

wxString ShownGridTable::GetValue(int row, int col) {
  return Contains(row, col) ? ToWx(At(row, col).text) : wxString();
}

wxString ShownGridTable::PlaceholderOf(int row, int col) {
  return Contains(row, col) ? ToWx(At(row, col).placeholder) : wxString();
}

// Cells and the whole grid share the attribute; rows and columns have none of their own.
wxGridCellAttr* ShownGridTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) {
  if (kind == wxGridCellAttr::Row || kind == wxGridCellAttr::Col || !Contains(row, col)) return nullptr;
  wxGridCellAttr* attr = At(row, col).attr;
  if (attr != nullptr) attr->IncRef();
  return attr;
}

void ShownGridTable::Tell(int message, int first, int second) {
  if (GetView() == nullptr) return;
  wxGridTableMessage change(this, message, first, second);
  GetView()->ProcessTableMessage(change);
}
