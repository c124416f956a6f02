#include "gui/grid_peer.h"

#include <wx/app.h>
#include <wx/grid.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gui/grid_cell_renderer.h"
#include "gui/shown_grid_table.h"
#include "platform/grid_ctrl.h"

namespace {

bool LooksNumeric(const CString& text) {
  if (text.IsEmpty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end != nullptr && *end == '\0';
}

// How a cell looks on the screen. Its alignment code goes across in threes and down
// within each; the grid takes wxALIGN_CENTRE for centred either way.
CellLook LookOf(const GridData& data, long row, long col) {
  const GridCell& cell = *data.Cell(row, col);
  CellLook look{data.HasMark(row, col, GridMark::Bold), data.HasMark(row, col, GridMark::Disabled),
                !data.IsEditable(row, col), data.IsFixed(row, col), data.HasMark(row, col, GridMark::Marked)};
  if (cell.alignment == kGridAlignGeneral) {
    look.across = LooksNumeric(cell.text) ? wxALIGN_RIGHT : wxALIGN_LEFT;
    return look;
  }
  static const int across[] = {wxALIGN_LEFT, wxALIGN_CENTRE, wxALIGN_RIGHT};
  static const int down[] = {wxALIGN_TOP, wxALIGN_CENTRE, wxALIGN_BOTTOM};
  look.across = across[cell.alignment / 3];
  look.down = down[cell.alignment % 3];
  return look;
}

// The theme fades an entry's focus ring in over a fifth of a second. In a grid cell that
// fade is a dozen frames, each of them repainting the cell and every window around it, and
// cost three times what the key that opened the editor did; the ring now shows at once.
// wx keeps its styling call for GTK 3 among its widgets' own, so it is reached through a
// class that makes it public.
void WithoutTransitions(wxWindow* window) {
  struct Styled : wxWindow {
    using wxWindow::GTKApplyCssStyle;
  };
  const auto apply = static_cast<void (wxWindow::*)(const char*)>(&Styled::GTKApplyCssStyle);
  (window->*apply)("entry { transition: none; }");
}

// Header cells stand apart from the cells below and beside them.
wxColour HeaderColour() {
  return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE).ChangeLightness(90);
}

// A cell whose value a check flagged: a pale red that dark text stays readable on.
wxColour MarkedColour() {
  return wxColour(255, 205, 205);
}

class GridPeer : public WxPeer {
 public:
  static constexpr size_t kMostCellsRepaintedOneByOne = 64;

  GridPeer(HWND hwnd, wxWindow* parent)
      : WxPeer(hwnd,
               new wxGrid(parent, wxID_ANY, wxPoint(hwnd->rect.left, hwnd->rect.top),
                          wxSize(hwnd->rect.Width(), hwnd->rect.Height()), wxWANTS_CHARS | wxBORDER_NONE)) {
    auto table = std::make_unique<ShownGridTable>(HeaderColour(), MarkedColour());
    m_table = table.get();
    Grid()->AssignTable(table.release(), wxGrid::wxGridSelectCells);
    Grid()->SetRowLabelSize(0);
    Grid()->SetColLabelSize(0);
    Grid()->DisableDragRowSize();
    Grid()->SetDefaultCellOverflow(false);
    Grid()->SetDefaultRenderer(MakeGridTextRenderer());
    BindEvents();
  }

 protected:
  void ShowText() override {}

  // Only what changed is shown; a batch's changes are painted together.
  void OnGridChanged(const std::vector<GridChange>& changes) override {
    const GridData* data = GetGridData(m_hwnd);
    if (data == nullptr) return;
    UpdateScope scope(*this);
    if (!ShowsShape(*data) || std::any_of(changes.begin(), changes.end(), [](const GridChange& change) {
          return change.kind == GridChange::Kind::All;
        })) {
      ShowContent();
      return;
    }
    // A batch repaints the whole grid at its end; a few cells repaint only themselves.
    const bool batch = changes.size() > kMostCellsRepaintedOneByOne;
    if (batch) Grid()->BeginBatch();
    bool cursorMoved = false;
    for (const GridChange& change : changes) cursorMoved = ShowChange(*data, change) || cursorMoved;
    if (cursorMoved) ShowCursor(*data);
    if (batch) Grid()->EndBatch();
  }

  void ShowContent() override {
    const GridData* data = GetGridData(m_hwnd);
    if (data == nullptr) return;
    Grid()->BeginBatch();
    ShowShape(*data);
    for (long row = 0; row < data->Rows(); ++row) {
      for (long col = 0; col < data->Cols(); ++col) ShowCell(*data, row, col);
    }
    ShowCursor(*data);
    Grid()->EndBatch();
  }

 private:
  wxGrid* Grid() const { return static_cast<wxGrid*>(m_window); }

  static GridPeer* PeerFor(HWND hwnd) {
    return IsWindowHandle(hwnd) ? dynamic_cast<GridPeer*>(PeerOf(hwnd)) : nullptr;
  }

  void BindEvents() {
    m_window->Bind(wxEVT_GRID_SELECT_CELL, [this](wxGridEvent& event) { OnSelectCell(event); });
    m_window->Bind(wxEVT_GRID_EDITOR_SHOWN, [this](wxGridEvent& event) { OnEditorShown(event); });
    m_window->Bind(wxEVT_GRID_EDITOR_CREATED,
                   [this](wxGridEditorCreatedEvent& event) { OnEditorCreated(event); });
    // The platform puts the new text into the cell and the peer shows it from there.
    m_window->Bind(wxEVT_GRID_CELL_CHANGING, [](wxGridEvent& event) { event.Veto(); });
    m_window->Bind(wxEVT_GRID_EDITOR_HIDDEN, [this](wxGridEvent&) { OnEditorHidden(); });
    m_window->Bind(wxEVT_GRID_RANGE_SELECTED,
                   [this](wxGridRangeSelectEvent& event) { OnRangeSelected(event); });
    m_window->Bind(wxEVT_GRID_COL_SIZE,
                   [this](wxGridSizeEvent& event) { OnColumnSized(event.GetRowOrCol()); });
  }

  bool ShowsShape(const GridData& data) const {
    return m_table->GetRowsCount() == data.Rows() && m_table->GetColsCount() == data.Cols();
  }

  // Shows one change; true when it moved the current cell, which is shown last.
  bool ShowChange(const GridData& data, const GridChange& change) {
    switch (change.kind) {
      case GridChange::Kind::Cell:
        if (data.Contains(change.row, change.col)) ShowCell(data, change.row, change.col);
        return false;
      case GridChange::Kind::Row:
        for (long col = 0; col < data.Cols() && data.Contains(change.row, col); ++col)
          ShowCell(data, change.row, col);
        return false;
      case GridChange::Kind::Column:
        ShowColumnWidth(data, change.col);
        return false;
      case GridChange::Kind::Options:
        ShowOptions(data);
        return false;
      case GridChange::Kind::Cursor:
      case GridChange::Kind::All:
        return true;
    }
    return false;
  }

  void ShowColumnWidth(const GridData& data, long col) {
    const GridColumn* column = data.ColumnAt(col);
    if (column == nullptr) return;
    if (Grid()->GetColSize(static_cast<int>(col)) != column->width) {
      Grid()->SetColSize(static_cast<int>(col), column->width);
    }
  }

  void ShowOptions(const GridData& data) {
    if (data.options.allowUserResizing) {
      Grid()->EnableDragColSize();
    } else {
      Grid()->DisableDragColSize();
    }
    Grid()->SetCellHighlightPenWidth(data.options.focusShown ? 2 : 0);
  }

  void ShowShape(const GridData& data) {
    const int cols = static_cast<int>(data.Cols());
    m_table->Reshape(static_cast<int>(data.Rows()), cols);
    const wxGridCellCoords frozen(static_cast<int>(data.FixedRows()), static_cast<int>(data.FixedCols()));
    if (frozen != m_frozen && Grid()->FreezeTo(frozen)) m_frozen = frozen;
    for (int col = 0; col < cols; ++col) ShowColumnWidth(data, col);
    ShowOptions(data);
  }

  // The table keeps what each cell shows, so that the screen is touched only where
  // something changed.
  void ShowCell(const GridData& data, long row, long col) {
    const int r = static_cast<int>(row);
    const int c = static_cast<int>(col);
    const GridCell& cell = *data.Cell(row, col);
    const CellLook look = LookOf(data, row, col);
    ShownCell& shown = m_table->At(r, c);
    const bool textChanged =
        shown.stale || shown.pending || shown.text != cell.text || shown.placeholder != cell.placeholder;
    const bool lookChanged = shown.stale || shown.look != look;
    if (!textChanged && !lookChanged) return;
    if (textChanged) {
      // The cell being edited keeps what the user types until the edit ends.
      shown.pending = Grid()->IsCellEditControlShown() && Grid()->GetGridCursorRow() == r &&
                      Grid()->GetGridCursorCol() == c;
      if (!shown.pending) shown.text = cell.text;
      shown.placeholder = cell.placeholder;
    }
    if (lookChanged) {
      m_table->SetLook(r, c, look);
      Grid()->RefreshAttr(r, c);
    }
    shown.stale = false;
    if (Grid()->GetBatchCount() == 0) Grid()->RefreshBlock(r, c, r, c);
  }

  void ShowCursor(const GridData& data) {
    const int row = static_cast<int>(data.Row());
    const int col = static_cast<int>(data.Col());
    if (!data.Edit().active && Grid()->IsCellEditControlEnabled()) Grid()->DisableCellEditControl();
    const bool moved = Grid()->GetGridCursorRow() != row || Grid()->GetGridCursorCol() != col;
    if (moved && row < Grid()->GetNumberRows() && col < Grid()->GetNumberCols()) {
      Grid()->SetGridCursor(row, col);
      Grid()->MakeCellVisible(row, col);
    }
    ShowSelection(data);
  }

  // wx shows a block wider than the current cell as selected; the current cell alone is
  // shown by the cursor only.
  void ShowSelection(const GridData& data) {
    const GridSelection selection = data.Selection();
    const bool single = selection.Rows() == 1 && selection.Cols() == 1;
    if (single || selection.bottom >= Grid()->GetNumberRows() || selection.right >= Grid()->GetNumberCols()) {
      if (Grid()->IsSelection()) Grid()->ClearSelection();
      return;
    }
    const wxGridBlockCoords wanted(static_cast<int>(selection.top), static_cast<int>(selection.left),
                                   static_cast<int>(selection.bottom), static_cast<int>(selection.right));
    const wxGridBlocks blocks = Grid()->GetSelectedBlocks();
    auto block = blocks.begin();
    if (block != blocks.end() && *block == wanted && ++block == blocks.end()) return;
    Grid()->SelectBlock(wanted.GetTopRow(), wanted.GetLeftCol(), wanted.GetBottomRow(), wanted.GetRightCol());
  }

  // A drag or a shift+click selected a block: its corner away from the cursor is the
  // platform's extent. The platform's selection is shown back, so a block it refuses
  // (one reaching into the headers) goes away.
  void OnRangeSelected(wxGridRangeSelectEvent& event) {
    if (Updating() || !event.Selecting()) return;
    const HWND hwnd = m_hwnd;
    const int cursorRow = Grid()->GetGridCursorRow();
    const int cursorCol = Grid()->GetGridCursorCol();
    const long row = cursorRow == event.GetTopRow() ? event.GetBottomRow() : event.GetTopRow();
    const long col = cursorCol == event.GetLeftCol() ? event.GetRightCol() : event.GetLeftCol();
    Act([&](UserInput& user) { user.ExtendGridSelection(CWnd::FromHandle(hwnd), row, col); });
    GridPeer* peer = PeerFor(hwnd);
    const GridData* data = IsWindowHandle(hwnd) ? GetGridData(hwnd) : nullptr;
    if (peer == nullptr || data == nullptr) return;
    UpdateScope scope(*peer);
    peer->ShowSelection(*data);
  }

  // wx asks before it moves the cursor; the platform decides where it goes.
  void OnSelectCell(wxGridEvent& event) {
    if (Updating()) {
      event.Skip();
      return;
    }
    const HWND hwnd = m_hwnd;
    const long row = event.GetRow();
    const long col = event.GetCol();
    bool moved = false;
    Act([&](UserInput& user) { moved = user.MoveToGridCell(CWnd::FromHandle(hwnd), row, col); });
    const GridData* data = IsWindowHandle(hwnd) ? GetGridData(hwnd) : nullptr;
    if (moved && data != nullptr && data->Row() == row && data->Col() == col) {
      event.Skip();
    } else {
      event.Veto();
    }
  }

  void OnEditorShown(wxGridEvent& event) {
    if (Updating()) return;
    const HWND hwnd = m_hwnd;
    const long row = event.GetRow();
    const long col = event.GetCol();
    Act([&](UserInput& user) { user.BeginGridEdit(CWnd::FromHandle(hwnd), row, col); });
    const GridData* data = IsWindowHandle(hwnd) ? GetGridData(hwnd) : nullptr;
    const bool editing =
        data != nullptr && data->Edit().active && data->Edit().row == row && data->Edit().col == col;
    if (!editing) event.Veto();
  }

  // What the user types reaches the platform's in-cell editor as it is typed, so an
  // edit the platform ends itself keeps it.
  void OnEditorCreated(wxGridEditorCreatedEvent& event) {
    auto* text = dynamic_cast<wxTextCtrl*>(event.GetWindow());
    if (text == nullptr) return;
    WithoutTransitions(text);
    m_editorText = text;
    const HWND hwnd = m_hwnd;
    text->Bind(wxEVT_TEXT, [hwnd, text](wxCommandEvent&) {
      GridPeer* peer = PeerFor(hwnd);
      if (peer == nullptr || peer->Updating()) return;
      const CString typed = FromWx(text->GetValue());
      Act([&](UserInput& user) { user.TypeInGridEditor(CWnd::FromHandle(hwnd), typed); });
    });
  }

  // The edit ends once wx has finished with its editor: the editor's text (the typed
  // one, or the old one after Escape) goes in, then the platform ends the edit.
  void OnEditorHidden() {
    if (Updating()) return;
    const HWND hwnd = m_hwnd;
    wxTheApp->CallAfter([hwnd] {
      GridPeer* peer = PeerFor(hwnd);
      if (peer == nullptr) return;
      const CString text = peer->m_editorText != nullptr ? FromWx(peer->m_editorText->GetValue()) : CString();
      const bool known = peer->m_editorText != nullptr;
      Act([&](UserInput& user) {
        if (known) user.TypeInGridEditor(CWnd::FromHandle(hwnd), text);
        if (IsWindowHandle(hwnd)) user.EndGridEdit(CWnd::FromHandle(hwnd));
      });
    });
  }

  void OnColumnSized(int col) {
    if (Updating()) return;
    const HWND hwnd = m_hwnd;
    const int width = Grid()->GetColSize(col);
    bool taken = false;
    Act([&](UserInput& user) { taken = user.ResizeGridColumn(CWnd::FromHandle(hwnd), col, width); });
    GridPeer* peer = PeerFor(hwnd);
    if (taken || peer == nullptr) return;
    UpdateScope scope(*peer);
    peer->ShowContent();
  }

  ShownGridTable* m_table = nullptr;  // not owned: the grid owns its table
  wxGridCellCoords m_frozen{0, 0};
  wxTextCtrl* m_editorText = nullptr;  // owned by the grid
};

}  // namespace

std::unique_ptr<WxPeer> MakeGridPeer(HWND hwnd, wxWindow* parent) {
  if (parent == nullptr || hwnd->className != kClassGridCtrl) return nullptr;
  return std::make_unique<GridPeer>(hwnd, parent);
}
