// The state a grid window keeps (GridData): its rows and columns, their cells, the
// current cell and selection, and the in-cell edit. CGridCtrl (grid_ctrl.h) works on it
// and tells the screen peer of every change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/object.h"

// Cell alignment codes: horizontal placement in threes, vertical placement within each
// three. General puts text on the left and numbers on the right, centred vertically.
inline constexpr short kGridAlignLeftTop = 0;
inline constexpr short kGridAlignLeftCenter = 1;
inline constexpr short kGridAlignLeftBottom = 2;
inline constexpr short kGridAlignCenterTop = 3;
inline constexpr short kGridAlignCenterCenter = 4;
inline constexpr short kGridAlignCenterBottom = 5;
inline constexpr short kGridAlignRightTop = 6;
inline constexpr short kGridAlignRightCenter = 7;
inline constexpr short kGridAlignRightBottom = 8;
inline constexpr short kGridAlignGeneral = 9;

inline constexpr int kGridDefaultColWidth = 64;  // pixels

// A cell's placeholder. Few cells have one, so an empty one costs a pointer rather than
// a string: a grid of tens of thousands of rows then walks through less memory.
class GridPlaceholder {
 public:
  GridPlaceholder() = default;
  GridPlaceholder(const GridPlaceholder& other);
  GridPlaceholder(GridPlaceholder&&) noexcept = default;
  GridPlaceholder& operator=(const GridPlaceholder& other);
  GridPlaceholder& operator=(GridPlaceholder&&) noexcept = default;
  ~GridPlaceholder() = default;
  GridPlaceholder& operator=(const char* text);

  const CString& Text() const;
  operator const CString&() const { return Text(); }  // NOLINT: reads as the text it holds
  const std::string& str() const { return Text().str(); }
  bool IsEmpty() const { return m_text == nullptr; }

 private:
  std::unique_ptr<CString> m_text;  // null while empty
};

// What a cell shows. Its kind of editor and its marks are kept apart (GridCellState).
struct GridCell {
  CString text;
  short alignment = kGridAlignGeneral;
  GridPlaceholder placeholder;  // shown greyed while the text is empty; never the cell's text
};

enum class GridMark : uint8_t {
  Bold = 1,
  Disabled = 2,  // shown greyed out; never edited
  Modified = 4,  // an edit changed the text
  Marked = 8,    // flagged by a check of its value: shown on a warning colour
};

// A cell's kind of editor and its marks, two bytes kept apart from the texts: the walks
// over many cells of a big grid for these alone (disabling the unused cells, bolding,
// the write-back's modified marks) then run through little memory.
struct GridCellState {
  uint8_t editClass = 0;  // 1 + its place among the grid's kinds of editor; 0: read-only
  uint8_t marks = 0;      // GridMark bits
};

struct GridRow {
  LONG_PTR data = 0;
};

struct GridColumn {
  int width = kGridDefaultColWidth;
  LONG_PTR data = 0;
};

struct GridEdit {
  bool active = false;
  long row = -1;
  long col = -1;
  CString text;  // what the in-cell editor shows
};

// The block of selected cells, corners included: the current cell is one corner (the
// anchor), the selection's extent the other.
struct GridSelection {
  long top = 0;
  long left = 0;
  long bottom = 0;
  long right = 0;
  long Rows() const { return bottom - top + 1; }
  long Cols() const { return right - left + 1; }
  bool operator==(const GridSelection&) const = default;
};

struct GridOptions {
  bool allowUserResizing = false;  // the user may drag column borders
  bool processKeys = true;         // the control moves and starts edits on keys itself
  bool focusShown = true;          // the current cell carries a focus rectangle
};

// The state of one grid window. Fresh, it has two rows and two columns, one of each
// fixed, and the first non-fixed cell current. The current cell may be any cell,
// fixed ones included (code addresses headers that way); a user reaches only the
// others.
class GridData : public ControlData {
 public:
  GridData();

  long Rows() const { return static_cast<long>(m_rows.size()); }
  long Cols() const { return static_cast<long>(m_columns.size()); }
  long FixedRows() const { return m_fixedRows; }
  long FixedCols() const { return m_fixedCols; }
  long Row() const { return m_row; }
  long Col() const { return m_col; }
  bool Contains(long row, long col) const;
  bool IsFixed(long row, long col) const;
  // A cell a user may edit: inside, not fixed, with an edit class and not disabled.
  bool IsEditable(long row, long col) const;

  // Null outside the grid.
  const GridCell* Cell(long row, long col) const;
  GridCell* Cell(long row, long col);
  // The cell's kind of in-cell editor; null for a read-only cell and outside the grid.
  const CRuntimeClass* EditClass(long row, long col) const;
  // False outside the grid, and for a 256th kind of editor.
  bool SetEditClass(long row, long col, const CRuntimeClass* editClass);
  bool HasMark(long row, long col, GridMark mark) const;     // false outside the grid
  bool SetMark(long row, long col, GridMark mark, bool on);  // false outside the grid
  const GridRow* RowAt(long row) const;
  GridRow* RowAt(long row);
  const GridColumn* ColumnAt(long col) const;
  GridColumn* ColumnAt(long col);

  // Cells that remain keep their contents, new ones start empty. Fixed counts shrink
  // with the grid, the current cell moves into it, and an edit of a cell that went
  // away is dropped. False for a negative count.
  bool SetRows(long count);
  bool SetCols(long count);
  // False unless 0 <= count <= the number of rows (columns).
  bool SetFixedRows(long count);
  bool SetFixedCols(long count);
  // False, changing nothing, outside the grid. The selection shrinks to the new cell.
  bool SetCurrent(long row, long col);
  // The selection runs from the current cell to this one; false outside the grid.
  bool SetExtent(long row, long col);
  long ExtentRow() const { return m_extentRow; }
  long ExtentCol() const { return m_extentCol; }
  GridSelection Selection() const;

  const GridEdit& Edit() const { return m_edit; }
  // Opens the editor on the current cell, showing its text.
  void StartEdit();
  void SetEditorText(const CString& text);
  // Closes the editor and returns what it held.
  GridEdit TakeEdit();

  GridOptions options;
  // Changes held back from the peer while a batch is open (CGridCtrl::BeginBatch).
  int batchDepth = 0;
  std::vector<GridChange> pending;
  bool pendingCursor = false;  // the current cell moved; shown once, after the cells

 private:
  void DropEditOutside();
  // A column's cells and their states in order, and how many of the first cells are
  // the grid's own; the others read as empty until written.
  struct CellColumn {
    std::vector<GridCell> cells;
    std::vector<GridCellState> states;
    size_t cleared = 0;
  };
  // The column held `before` of the grid's rows and now holds `rows`: the new ones
  // start empty.
  static void UseCells(CellColumn& column, size_t before, size_t rows);
  GridCellState* State(long row, long col);
  const GridCellState* State(long row, long col) const;

  std::vector<GridRow> m_rows;
  std::vector<GridColumn> m_columns;
  // Column by column, each column's cells in one block that keeps its room when the
  // grid shrinks: a grid emptied and filled again allocates nothing, a column added
  // moves no other cell, and the walks that matter for a big grid (down a gate's
  // column, down the names) run through memory in order. Only the first Rows() cells
  // of the first Cols() columns are the grid's.
  std::vector<CellColumn> m_cells;
  std::vector<const CRuntimeClass*> m_editClasses;  // the kinds of editor the cells name
  long m_fixedRows = 1;
  long m_fixedCols = 1;
  long m_row = 1;
  long m_col = 1;
  long m_extentRow = 1;
  long m_extentCol = 1;
  GridEdit m_edit;
};
