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

#include "platform/backend.h"
#include "platform/cwnd.h"
#include "platform/grid_data.h"

inline constexpr const char* kClassGridCtrl = "GridCtrl";

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
