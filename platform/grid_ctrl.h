// The grid control: rows and columns of text cells, the first rows and columns fixed as
// headers, one current cell and an in-cell editor. All of it lives in the window
// (GridData), so a screen peer shows exactly what a test sees; CGridCtrl works on that
// data and tells the peer about every change.
//
// The parent hears four registered messages, each sent as
//   SendMessage(parent, message, (WPARAM)controlId, (LPARAM)gridHwnd):
//   selection changed  a user made another cell current (sent after the change);
//   edit start         an in-cell edit began on the current cell;
//   edit change        an edit ended with a new text: the cell already holds it, is
//                      marked modified and is the current cell;
//   edit stop          an edit ended, its text changed or not (after edit change).
// The edit state has ended before edit change arrives, so a receiver may rewrite the
// cell's text. Changes made from code send nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/cwnd.h"

inline constexpr const char* kClassGridCtrl = "GridCtrl";

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

// Registers the window class; cheap and idempotent.
void RegisterGridCtrlClass();
// The state of a grid window, made on first use; null for a window of another class.
GridData* GetGridData(HWND hwnd);

class CGridCtrl : public CWnd {
  DECLARE_DYNAMIC(CGridCtrl)

 public:
  CGridCtrl() = default;
  using CWnd::Create;
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Whatever class name the caller gave, the window is a grid.
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // The registered messages to the parent, one number per name; a reference, so a
  // message map can name them in a RegisteredMessageEntry.
  static const UINT& GetSelectionChangedMessage();
  static const UINT& GetEditStartMessage();
  static const UINT& GetEditChangeMessage();
  static const UINT& GetEditStopMessage();

  long GetRows() const;
  BOOL SetRows(long rows);
  long GetCols() const;
  BOOL SetCols(long cols);
  long GetFixedRows() const;
  BOOL SetFixedRows(long rows);
  long GetFixedCols() const;
  BOOL SetFixedCols(long cols);

  // The current cell; setting it from code sends nothing.
  long GetRow() const;
  BOOL SetRow(long row);
  long GetCol() const;
  BOOL SetCell(long row, long col);
  // Focuses the grid and makes a cell a user could reach current, telling the parent
  // as a click would; FALSE for a fixed cell or one outside the grid.
  BOOL GoToCell(long row, long col);
  // The selected block, the current cell alone when nothing wider is selected. Setting
  // its extent from code sends nothing; the current cell stays.
  GridSelection GetSelection() const;
  long GetExtentRow() const;
  long GetExtentCol() const;
  BOOL SetSelectionExtent(long row, long col);

  // The current cell's text, and any cell's.
  CString GetText() const;
  BOOL SetText(const char* text);
  CString GetTextMatrix(long row, long col) const;
  BOOL SetTextMatrix(long row, long col, const char* text);

  LONG_PTR GetRowData(long row) const;
  BOOL SetRowData(long row, LONG_PTR data);
  LONG_PTR GetColData(long col) const;
  BOOL SetColData(long col, LONG_PTR data);
  // Widths in pixels; -1 restores the default width.
  int GetColWidth(long col) const;
  BOOL SetColWidth(long col, int width);

  // The current cell's formatting. Alignment takes the codes above.
  short GetCellAlignment() const;
  BOOL SetCellAlignment(short alignment);
  BOOL GetCellFontBold() const;
  BOOL SetCellFontBold(BOOL bold);
  BOOL SetCellDisabled(BOOL disabled);
  // A cell with an edit class is editable; null makes it read-only.
  const CRuntimeClass* GetCellEditClass() const;
  BOOL SetCellEditClass(const CRuntimeClass* editClass);
  BOOL GetCellModified() const;
  BOOL SetCellModified(BOOL modified);
  // Marks flag any cell, the current one or not, without moving the current cell.
  // FALSE outside the grid.
  BOOL GetCellMarked(long row, long col) const;
  BOOL SetCellMarked(long row, long col, BOOL marked);
  // A placeholder is shown, greyed, while a cell's text is empty: an edit starts from
  // the empty text and the cell's text stays empty until the user types. FALSE outside
  // the grid.
  BOOL SetCellPlaceholder(long row, long col, const char* placeholder);
  // What the user sees in the cell: its text, or the placeholder while that is empty.
  CString GetShownText(long row, long col) const;

  // Whether a user may edit the cell: inside, not fixed, with an edit class, enabled.
  BOOL GetCellEditable(long row, long col) const;
  BOOL IsEditing() const;
  // Ends an edit in progress as the user would (edit change when the text changed,
  // then edit stop). 0 when no edit was in progress, 1 when one ended.
  int StopEdit();

  void SetAllowUserResizing(BOOL allow);
  void SetProcessKeys(BOOL process);
  void HideFocus();
  void ShowFocus();
  BOOL IsFocusShown() const;

  // Changes made between the two reach the screen together, once the outermost batch
  // ends: a fill or a highlight of many cells is shown once, not cell by cell.
  void BeginBatch();
  void EndBatch();

 private:
  GridData* Data() const;
  GridCell* CurrentCell() const;
  GridChange CurrentCellChange() const;
  BOOL GetCellMarked(long row, long col, GridMark mark) const;
  BOOL SetCellMarked(long row, long col, GridMark mark, BOOL on);
  // Tells the peer; `changed` passes through as the caller's result.
  BOOL Changed(const GridChange& change, bool changed) const;
};

// A batch of a grid's changes for as long as it lives; the grid may go meanwhile.
class CGridBatch {
 public:
  explicit CGridBatch(CGridCtrl& grid);
  ~CGridBatch();
  CGridBatch(const CGridBatch&) = delete;
  CGridBatch& operator=(const CGridBatch&) = delete;

 private:
  HWND m_grid;
};

// The sequences that tell the parent, shared by the control and the user-input API.
// Handlers may destroy the grid, so each step checks that it is still there.
namespace grid_detail {
// Makes a cell current; when it was not, tells the peer and sends selection changed.
// False outside the grid.
bool SelectCell(HWND grid, long row, long col);
// Widens the selection from the current cell to (row, col) and tells the peer; the
// parent hears nothing, as the current cell stays. False outside the grid.
bool ExtendSelection(HWND grid, long row, long col);
// Opens the editor on the current cell and sends edit start; false when no edit is
// possible there or one is already open.
bool StartEdit(HWND grid);
// Closes the editor: a new text goes into its cell, which becomes current and is
// marked modified, and edit change is sent; edit stop follows in any case. False when
// no edit was open.
bool FinishEdit(HWND grid);
// Tells the grid's peer what changed, now or at the end of the batch in progress.
void Notify(HWND grid, const GridChange& change);
// Opens a batch; the outermost one's end hands the peer what changed meanwhile.
void BeginBatch(HWND grid);
void EndBatch(HWND grid);
}  // namespace grid_detail
