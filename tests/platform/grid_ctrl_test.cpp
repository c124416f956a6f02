// The grid control: cells kept in the window, a user's moves and edits through the
// user-input API, what the parent hears and can read back meanwhile, and what the grid
// tells its screen: each change names the cell, row, column or state it touched, and a
// batch of changes reaches the screen once, at its end.
#include "platform/grid_ctrl.h"

#include <string>
#include <tuple>
#include <vector>

#include "platform/edit.h"
#include "tests/support/grid_peer_recorder.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kGridId = 7;

// Records each grid message with what the grid shows when it arrives:
// "<message> <id> (<row>,<col>) <text>[ editing]".
class GridParent : public CWnd {
 public:
  const CGridCtrl* grid = nullptr;
  std::vector<std::string> heard;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (const char* name = NameOf(message)) heard.push_back(Describe(name, wParam, lParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  static const char* NameOf(UINT message) {
    if (message == CGridCtrl::GetSelectionChangedMessage()) return "selection";
    if (message == CGridCtrl::GetEditStartMessage()) return "start";
    if (message == CGridCtrl::GetEditChangeMessage()) return "change";
    if (message == CGridCtrl::GetEditStopMessage()) return "stop";
    return nullptr;
  }
  std::string Describe(const char* name, WPARAM wParam, LPARAM lParam) const {
    if (reinterpret_cast<HWND>(lParam) != grid->m_hWnd) return std::string(name) + " from another window";
    CString line;
    line.Format("%s %d (%ld,%ld) %s%s", name, static_cast<int>(wParam), grid->GetRow(), grid->GetCol(),
                grid->GetText(), grid->IsEditing() ? " editing" : "");
    return line.str();
  }
};

// A pin table: a header row, a number column, then two editable columns of names.
class GridCtrlTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(CreateParentWindow(parent));
    ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 300, 200), &parent, kGridId));
    parent.grid = &grid;
    grid.SetCols(3);
    grid.SetRows(4);
    for (long row = 0; row < 4; ++row) {
      for (long col = 0; col < 3; ++col) {
        CString text;
        text.Format("%c%ld", "#AB"[col], row);
        grid.SetTextMatrix(row, col, text);
        grid.SetCell(row, col);
        grid.SetCellEditClass(RUNTIME_CLASS(CEdit));
      }
    }
    grid.SetCell(1, 1);
  }
  void TearDown() override {
    parent.DestroyWindow();
    HeadlessTest::TearDown();
  }

  GridParent parent;
  CGridCtrl grid;
};

// Each edit tells the parent in order, with the new text readable; StopEdit and losing
// the focus end an edit as the user would, also while code reads another cell.
TEST_F(GridCtrlTest, EditingACellTellsTheParentInOrderWithTheNewTextReadable) {
  EXPECT_FALSE(user.MoveToGridCell(&grid, 0, 2)) << "header cells are out of a user's reach";
  EXPECT_FALSE(user.MoveToGridCell(&grid, 2, 0));
  EXPECT_TRUE(user.MoveToGridCell(&grid, 1, 1));
  EXPECT_TRUE(parent.heard.empty()) << "staying on the current cell changes nothing";
  EXPECT_EQ(grid.StopEdit(), 0);

  ASSERT_TRUE(user.EditGridCell(&grid, 1, 1, "A1"));
  EXPECT_FALSE(grid.GetCellModified()) << "unchanged text";
  ASSERT_TRUE(user.EditGridCell(&grid, 2, 2, "VCC"));
  EXPECT_TRUE(grid.GetCellModified());
  grid.SetCell(2, 1);
  EXPECT_TRUE(!grid.GetCellModified() && grid.GetText() == "A2");

  ASSERT_TRUE(user.BeginGridEdit(&grid, 3, 1));
  ASSERT_TRUE(user.TypeInGridEditor(&grid, "GND"));
  grid.SetCell(3, 2);
  EXPECT_EQ(grid.StopEdit(), 1);
  EXPECT_EQ(grid.StopEdit(), 0);
  CEdit other;
  ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(0, 210, 100, 230), &parent, 8));
  ASSERT_TRUE(user.BeginGridEdit(&grid, 3, 2));
  ASSERT_TRUE(user.TypeInGridEditor(&grid, "CLK"));
  ASSERT_TRUE(user.Focus(&other));
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(parent.heard, (std::vector<std::string>{
                              "start 7 (1,1) A1 editing", "stop 7 (1,1) A1",  // unchanged: no change
                              "selection 7 (2,2) B2", "start 7 (2,2) B2 editing", "change 7 (2,2) VCC",
                              "stop 7 (2,2) VCC", "selection 7 (3,1) A3", "start 7 (3,1) A3 editing",
                              "change 7 (3,1) GND", "stop 7 (3,1) GND", "selection 7 (3,2) B3",
                              "start 7 (3,2) B3 editing", "change 7 (3,2) CLK", "stop 7 (3,2) CLK"}));

  // A selection ends the edit in progress first.
  ASSERT_TRUE(user.BeginGridEdit(&grid, 1, 1));
  ASSERT_TRUE(user.TypeInGridEditor(&grid, "IN"));
  ASSERT_TRUE(user.ExtendGridSelection(&grid, 2, 2));
  EXPECT_TRUE(!grid.IsEditing() && grid.GetTextMatrix(1, 1) == "IN");
  EXPECT_EQ(grid.GetSelection(), (GridSelection{1, 1, 2, 2}));
}

TEST_F(GridCtrlTest, ResizingKeepsTheCellsThatRemainAndEditingIsRefusedWhereAUserCannotEdit) {
  int pin = 0;
  grid.SetCell(2, 2);
  grid.SetCellFontBold(TRUE);
  grid.SetCellAlignment(kGridAlignRightCenter);
  grid.SetRowData(2, reinterpret_cast<LONG_PTR>(&pin));
  grid.SetColData(2, 42);
  grid.SetColWidth(2, 120);
  ASSERT_TRUE(user.BeginGridEdit(&grid, 3, 2));

  ASSERT_TRUE(grid.SetRows(3));
  EXPECT_FALSE(grid.IsEditing()) << "the edited cell went away";
  EXPECT_EQ(grid.GetRow(), 2);
  ASSERT_TRUE(grid.SetCols(4));
  ASSERT_TRUE(grid.SetRows(5));

  EXPECT_EQ(
      std::make_tuple(grid.GetText(), grid.GetTextMatrix(1, 0), grid.GetCellFontBold(),
                      grid.GetCellAlignment(), grid.GetRowData(2), grid.GetColData(2), grid.GetColWidth(2)),
      std::make_tuple(CString("B2"), CString("#1"), TRUE, kGridAlignRightCenter,
                      reinterpret_cast<LONG_PTR>(&pin), 42L, 120L));

  EXPECT_EQ(grid.GetTextMatrix(3, 2) + grid.GetTextMatrix(2, 3), "") << "a row that came back is new";
  EXPECT_EQ(grid.GetColWidth(3), kGridDefaultColWidth);
  grid.SetCell(3, 2);
  EXPECT_FALSE(grid.GetCellEditClass() != nullptr || grid.GetCellFontBold());
  EXPECT_FALSE(grid.SetRows(-1) || grid.SetFixedRows(6));
  EXPECT_EQ(grid.GetRows(), 5);

  // A user resizes columns only when the grid allows it.
  EXPECT_FALSE(user.ResizeGridColumn(&grid, 1, 90));
  grid.SetAllowUserResizing(TRUE);
  EXPECT_TRUE(user.ResizeGridColumn(&grid, 1, 90));
  EXPECT_FALSE(user.ResizeGridColumn(&grid, 4, 90)) << "no such column";
  EXPECT_EQ(grid.GetColWidth(1), 90);
  grid.SetColWidth(1, -1);
  EXPECT_EQ(grid.GetColWidth(1), kGridDefaultColWidth);

  // Editing is refused where a user cannot edit.
  parent.heard.clear();
  grid.SetCell(3, 1);
  grid.SetCellEditClass(nullptr);
  grid.SetCell(3, 2);
  grid.SetCellDisabled(TRUE);
  grid.SetCell(1, 1);

  EXPECT_FALSE(user.BeginGridEdit(&grid, 3, 1)) << "read-only";
  EXPECT_FALSE(user.BeginGridEdit(&grid, 3, 2)) << "disabled";
  EXPECT_FALSE(user.BeginGridEdit(&grid, 0, 2)) << "fixed, though it has an edit class";
  EXPECT_FALSE(user.BeginGridEdit(&grid, 5, 1)) << "outside";
  EXPECT_FALSE(user.TypeInGridEditor(&grid, "x") || user.EndGridEdit(&grid));

  grid.EnableWindow(FALSE);
  EXPECT_FALSE(user.EditGridCell(&grid, 2, 1, "x"));
  grid.EnableWindow(TRUE);
  grid.ShowWindow(SW_HIDE);
  EXPECT_FALSE(user.MoveToGridCell(&grid, 2, 1));
  grid.ShowWindow(SW_SHOW);
  grid.DestroyWindow();
  EXPECT_FALSE(user.MoveToGridCell(&grid, 2, 1));

  EXPECT_TRUE(parent.heard.empty());
}

TEST_F(GridCtrlTest, AShiftClickSelectsTheBlockFromTheCurrentCellUntilTheCurrentCellMoves) {
  EXPECT_EQ(grid.GetSelection(), (GridSelection{1, 1, 1, 1})) << "the current cell alone";
  ASSERT_TRUE(user.MoveToGridCell(&grid, 3, 2));
  parent.heard.clear();
  ASSERT_TRUE(user.ExtendGridSelection(&grid, 1, 1));
  EXPECT_EQ(grid.GetSelection(), (GridSelection{1, 1, 3, 2})) << "either corner may be the anchor";
  EXPECT_TRUE(grid.GetRow() == 3 && grid.GetCol() == 2 && parent.heard.empty()) << "the current cell stayed";
  EXPECT_FALSE(user.ExtendGridSelection(&grid, 0, 1) || user.ExtendGridSelection(&grid, 4, 1))
      << "header cells are out of a user's reach";
  EXPECT_EQ(grid.GetSelection(), (GridSelection{1, 1, 3, 2}));

  ASSERT_TRUE(user.MoveToGridCell(&grid, 2, 1));
  EXPECT_EQ(grid.GetSelection(), (GridSelection{2, 1, 2, 1})) << "a plain click selects one cell again";
  ASSERT_TRUE(user.ExtendGridSelection(&grid, 3, 2));
  grid.SetRows(3);
  EXPECT_EQ(grid.GetSelection(), (GridSelection{2, 1, 2, 2})) << "the selection shrinks with the grid";
}

using Kind = GridChange::Kind;
using Changes = std::vector<GridChange>;

constexpr long kRows = 12;
constexpr long kCols = 10;

class GridCtrlPeerTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(CreateParentWindow(parent));
    ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 7));
    grid.SetCols(kCols);
    grid.SetRows(kRows);
    for (long col = 1; col < kCols; ++col) {
      grid.SetCell(1, col);
      grid.SetCellEditClass(RUNTIME_CLASS(CEdit));
    }
    screen = &GridPeerRecorder::Watch(grid);
  }
  void TearDown() override {
    parent.DestroyWindow();
    HeadlessTest::TearDown();
  }

  CWnd parent;
  CGridCtrl grid;
  GridPeerRecorder* screen = nullptr;
};

TEST_F(GridCtrlPeerTest, EachChangeNamesWhatItTouched) {
  grid.SetTextMatrix(3, 4, "x");
  grid.SetCell(5, 6);
  grid.SetCellFontBold(TRUE);
  grid.SetColWidth(2, 80);
  grid.HideFocus();
  grid.SetRows(kRows + 1);
  EXPECT_EQ(screen->Deliveries(), (std::vector<Changes>{{{Kind::Cell, 3, 4}},
                                                        {{Kind::Cursor}},
                                                        {{Kind::Cell, 5, 6}},
                                                        {{Kind::Column, -1, 2}},
                                                        {{Kind::Options}},
                                                        {{Kind::All}}}));

  // What no screen shows is not sent.
  screen->Clear();
  grid.SetRowData(2, 1);
  grid.SetColData(2, 1);
  grid.SetCellModified(TRUE);
  EXPECT_TRUE(screen->Deliveries().empty());

  // A user's edit shows its cell and where the cursor is.
  screen->Clear();
  ASSERT_TRUE(user.EditGridCell(&grid, 1, 3, "typed"));
  EXPECT_EQ(
      screen->Deliveries(),
      (std::vector<Changes>{
          {{Kind::Cursor}}, {{Kind::Cursor}}, {{Kind::Cell, 1, 3}}, {{Kind::Cell, 1, 3}}, {{Kind::Cursor}}}));
  EXPECT_FALSE(screen->AnyWholeGrid());
}

TEST_F(GridCtrlPeerTest, ABatchReachesTheScreenOnceAtTheEndOfTheOutermostShowingMostOfARowAsTheRow) {
  {
    const CGridBatch outer(grid);
    grid.SetTextMatrix(2, 1, "a");
    {
      const CGridBatch inner(grid);
      grid.SetCell(7, 8);
      grid.SetCellFontBold(TRUE);
      grid.SetCell(2, 2);
    }
    EXPECT_TRUE(screen->Deliveries().empty()) << "an inner batch hands nothing over";
  }
  // The cursor comes once, after the cells, wherever it went meanwhile.
  EXPECT_EQ(screen->Deliveries(),
            (std::vector<Changes>{{{Kind::Cell, 2, 1}, {Kind::Cell, 7, 8}, {Kind::Cursor}}}));
  EXPECT_EQ(grid.GetRow(), 2);

  // A batch shows most of a row as the row and most of the grid as a whole.
  screen->Clear();
  {
    const CGridBatch batch(grid);
    for (long col = 0; col < kCols; ++col) grid.SetTextMatrix(4, col, "r");
    grid.SetTextMatrix(9, 9, "c");
  }
  EXPECT_EQ(screen->Deliveries(), (std::vector<Changes>{{{Kind::Row, 4, -1}, {Kind::Cell, 9, 9}}}));
  EXPECT_EQ(screen->CellsToShow(), kCols + 1);

  screen->Clear();
  {
    const CGridBatch batch(grid);
    for (long row = 0; row < kRows; ++row) {
      for (long col = 0; col < kCols; ++col) grid.SetTextMatrix(row, col, "all");
    }
  }
  EXPECT_EQ(screen->Deliveries(), (std::vector<Changes>{{{Kind::All}}}));

  // A shape change inside a batch takes the cells with it.
  screen->Clear();
  {
    const CGridBatch batch(grid);
    grid.SetTextMatrix(1, 1, "gone");
    grid.SetCols(kCols + 2);
    grid.SetTextMatrix(1, kCols + 1, "new");
  }
  EXPECT_EQ(screen->Deliveries(), (std::vector<Changes>{{{Kind::All}}}));
}

TEST_F(GridCtrlPeerTest, ABatchOutlivingItsGridEndsQuietly) {
  {
    const CGridBatch batch(grid);
    grid.SetTextMatrix(1, 1, "x");
    grid.DestroyWindow();
  }
  EXPECT_FALSE(IsWindowHandle(grid.GetSafeHwnd()));
  // An end without a beginning changes nothing either.
  CGridCtrl other;
  ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 8));
  GridPeerRecorder& otherScreen = GridPeerRecorder::Watch(other);
  other.EndBatch();
  other.SetTextMatrix(1, 1, "y");
  EXPECT_EQ(otherScreen.Deliveries(), (std::vector<Changes>{{{Kind::Cell, 1, 1}}}));
}

}  // namespace
