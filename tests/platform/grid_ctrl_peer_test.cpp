// What a grid control tells its screen: each change names the cell, row, column or
// state it touched, and a batch of changes reaches the screen once, at its end.
#include <gtest/gtest.h>

#include <vector>

#include "platform/edit.h"
#include "platform/grid_ctrl.h"
#include "tests/support/grid_peer_recorder.h"
#include "tests/support/headless_test.h"

namespace {

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

TEST_F(GridCtrlPeerTest, ABatchReachesTheScreenOnceAtTheEndOfTheOutermost) {
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
}

TEST_F(GridCtrlPeerTest, ABatchShowsMostOfARowAsTheRowAndMostOfTheGridAsAWhole) {
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
