#include "platform/grid_data.h"

#include <algorithm>
#include <utility>

namespace {

size_t Index(long value) {
  return static_cast<size_t>(value);
}

template <class T>
bool InRange(const std::vector<T>& items, long index) {
  return index >= 0 && Index(index) < items.size();
}

}  // namespace

// ---------------------------------------------------------------------------------
// GridPlaceholder

GridPlaceholder::GridPlaceholder(const GridPlaceholder& other)
    : m_text(other.m_text != nullptr ? std::make_unique<CString>(*other.m_text) : nullptr) {}

GridPlaceholder& GridPlaceholder::operator=(const GridPlaceholder& other) {
  if (this != &other) m_text = other.m_text != nullptr ? std::make_unique<CString>(*other.m_text) : nullptr;
  return *this;
}

GridPlaceholder& GridPlaceholder::operator=(const char* text) {
  if (text == nullptr || *text == '\0') {
    m_text.reset();
  } else if (m_text != nullptr) {
    *m_text = text;
  } else {
    m_text = std::make_unique<CString>(text);
  }
  return *this;
}

const CString& GridPlaceholder::Text() const {
  static const CString empty;
  return m_text != nullptr ? *m_text : empty;
}

// ---------------------------------------------------------------------------------
// GridData

GridData::GridData() {
  SetCols(2);
  SetRows(2);
}

bool GridData::Contains(long row, long col) const {
  return InRange(m_rows, row) && InRange(m_columns, col);
}

bool GridData::IsFixed(long row, long col) const {
  return row < m_fixedRows || col < m_fixedCols;
}

bool GridData::IsEditable(long row, long col) const {
  const GridCellState* state = State(row, col);
  return state != nullptr && !IsFixed(row, col) && state->editClass != 0 &&
         (state->marks & static_cast<uint8_t>(GridMark::Disabled)) == 0;
}

const GridCell* GridData::Cell(long row, long col) const {
  if (!Contains(row, col)) return nullptr;
  static const GridCell empty;
  const CellColumn& column = m_cells[Index(col)];
  return Index(row) < column.cleared ? &column.cells[Index(row)] : &empty;
}

// A cell the grid took back without clearing is cleared here, with those above it in its
// column, so that a refill, which goes down each column, clears a cell as it fills it
// rather than in a pass of its own over every cell.
GridCell* GridData::Cell(long row, long col) {
  if (!Contains(row, col)) return nullptr;
  CellColumn& column = m_cells[Index(col)];
  for (; column.cleared <= Index(row); ++column.cleared) column.cells[column.cleared] = GridCell{};
  return &column.cells[Index(row)];
}

const GridCellState* GridData::State(long row, long col) const {
  return Contains(row, col) ? &m_cells[Index(col)].states[Index(row)] : nullptr;
}

GridCellState* GridData::State(long row, long col) {
  return Contains(row, col) ? &m_cells[Index(col)].states[Index(row)] : nullptr;
}

const CRuntimeClass* GridData::EditClass(long row, long col) const {
  const GridCellState* state = State(row, col);
  return state != nullptr && state->editClass != 0 ? m_editClasses[state->editClass - 1U] : nullptr;
}

bool GridData::SetEditClass(long row, long col, const CRuntimeClass* editClass) {
  GridCellState* state = State(row, col);
  if (state == nullptr) return false;
  if (editClass == nullptr) {
    state->editClass = 0;
    return true;
  }
  auto known = std::find(m_editClasses.begin(), m_editClasses.end(), editClass);
  if (known == m_editClasses.end()) {
    if (m_editClasses.size() >= UINT8_MAX) return false;
    known = m_editClasses.insert(known, editClass);
  }
  state->editClass = static_cast<uint8_t>(known - m_editClasses.begin() + 1);
  return true;
}

bool GridData::HasMark(long row, long col, GridMark mark) const {
  const GridCellState* state = State(row, col);
  return state != nullptr && (state->marks & static_cast<uint8_t>(mark)) != 0;
}

bool GridData::SetMark(long row, long col, GridMark mark, bool on) {
  GridCellState* state = State(row, col);
  if (state == nullptr) return false;
  const auto bit = static_cast<uint8_t>(mark);
  state->marks = static_cast<uint8_t>(on ? state->marks | bit : state->marks & ~bit);
  return true;
}

const GridRow* GridData::RowAt(long row) const {
  return InRange(m_rows, row) ? &m_rows[Index(row)] : nullptr;
}

GridRow* GridData::RowAt(long row) {
  return InRange(m_rows, row) ? &m_rows[Index(row)] : nullptr;
}

const GridColumn* GridData::ColumnAt(long col) const {
  return InRange(m_columns, col) ? &m_columns[Index(col)] : nullptr;
}

GridColumn* GridData::ColumnAt(long col) {
  return InRange(m_columns, col) ? &m_columns[Index(col)] : nullptr;
}

bool GridData::SetRows(long count) {
  if (count < 0) return false;
  const size_t before = m_rows.size();
  m_rows.resize(Index(count));
  for (size_t col = 0; col < m_columns.size(); ++col) UseCells(m_cells[col], before, Index(count));
  m_fixedRows = std::min(m_fixedRows, count);
  m_row = std::clamp(m_row, 0L, std::max(count - 1, 0L));
  m_extentRow = std::clamp(m_extentRow, 0L, std::max(count - 1, 0L));
  DropEditOutside();
  return true;
}

bool GridData::SetCols(long count) {
  if (count < 0) return false;
  const size_t before = m_columns.size();
  m_columns.resize(Index(count));
  if (m_cells.size() < Index(count)) m_cells.resize(Index(count));
  for (size_t col = before; col < Index(count); ++col) UseCells(m_cells[col], 0, m_rows.size());
  m_fixedCols = std::min(m_fixedCols, count);
  m_col = std::clamp(m_col, 0L, std::max(count - 1, 0L));
  m_extentCol = std::clamp(m_extentCol, 0L, std::max(count - 1, 0L));
  DropEditOutside();
  return true;
}

// Cells past the grid's own are left as they were until they are next written: a grid
// emptied and filled again then clears each cell once, as it fills it, rather than
// destroying all of them and making them anew. Their states are two bytes each, cleared
// at once.
void GridData::UseCells(CellColumn& column, size_t before, size_t rows) {
  column.cleared = std::min({column.cleared, before, rows});
  if (column.cells.size() < rows) column.cells.resize(rows);
  if (column.states.size() < rows) column.states.resize(rows);
  for (size_t at = before; at < rows; ++at) column.states[at] = GridCellState{};
}

bool GridData::SetFixedRows(long count) {
  if (count < 0 || count > Rows()) return false;
  m_fixedRows = count;
  return true;
}

bool GridData::SetFixedCols(long count) {
  if (count < 0 || count > Cols()) return false;
  m_fixedCols = count;
  return true;
}

bool GridData::SetCurrent(long row, long col) {
  if (!Contains(row, col)) return false;
  m_row = row;
  m_col = col;
  m_extentRow = row;
  m_extentCol = col;
  return true;
}

bool GridData::SetExtent(long row, long col) {
  if (!Contains(row, col)) return false;
  m_extentRow = row;
  m_extentCol = col;
  return true;
}

GridSelection GridData::Selection() const {
  return {std::min(m_row, m_extentRow), std::min(m_col, m_extentCol), std::max(m_row, m_extentRow),
          std::max(m_col, m_extentCol)};
}

void GridData::StartEdit() {
  const GridCell* cell = Cell(m_row, m_col);
  m_edit = GridEdit{true, m_row, m_col, cell != nullptr ? cell->text : CString()};
}

void GridData::SetEditorText(const CString& text) {
  if (m_edit.active) m_edit.text = text;
}

GridEdit GridData::TakeEdit() {
  return std::exchange(m_edit, GridEdit{});
}

void GridData::DropEditOutside() {
  if (m_edit.active && !Contains(m_edit.row, m_edit.col)) m_edit = GridEdit{};
}
