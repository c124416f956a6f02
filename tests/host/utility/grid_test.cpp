// The grid wrapper: column widths that outlive the grid through the registry, a
// creation that can be made to fail, headers from the string table, in-cell edits.
#include <gtest/gtest.h>

#include "host/utility/edit_grid.h"
#include "platform/app_registry.h"
#include "platform/settings_store.h"
#include "tests/support/headless_test.h"

namespace {

constexpr const char* kGridKey = "ComponentEditor\\Grid";

class GridTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    settings = &InstallMemorySettings();
    ASSERT_TRUE(CreateParentWindow(parent));
  }
  void TearDown() override {
    CFlexGrid::SetFailCreationForTesting(false);
    HeadlessTest::TearDown();
  }

  // As the pin grid makes it: three columns, one header row, columns resizable.
  bool MakeGrid(CEditGrid& grid) {
    if (!grid.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 0)) return false;
    grid.SetCols(3);
    grid.SetFixedCols(0);
    grid.SetRows(2);
    grid.SetFixedRows(1);
    grid.SetAllowUserResizing(TRUE);
    grid.SetRegistryKey(kGridKey);
    return true;
  }

  CWnd parent;
  MemorySettingsStore* settings = nullptr;
};

TEST_F(GridTest, ColumnWidthsAUserSetComeBackInTheNextGrid) {
  {
    CEditGrid first;
    ASSERT_TRUE(MakeGrid(first));
    ASSERT_TRUE(user.ResizeGridColumn(&first, 0, 150));
    ASSERT_TRUE(user.ResizeGridColumn(&first, 2, 35));
    ASSERT_TRUE(first.SaveSettings());
  }
  CAppRegistry registry(kGridKey);
  unsigned long stored = 0;
  ASSERT_TRUE(registry.GetValue("Col0", stored));
  EXPECT_EQ(stored, 150u);
  // A damaged value is passed over; a column with no value keeps its width.
  registry.SetValue("Col1", 1000000ul);

  CEditGrid second;
  ASSERT_TRUE(MakeGrid(second));
  second.SetCols(4);
  ASSERT_TRUE(second.LoadSettings());
  EXPECT_EQ(second.GetColWidth(0), 150);
  EXPECT_EQ(second.GetColWidth(1), kGridDefaultColWidth);
  EXPECT_EQ(second.GetColWidth(2), 35);
  EXPECT_EQ(second.GetColWidth(3), kGridDefaultColWidth);

  settings->SetWritable(false);
  EXPECT_FALSE(second.SaveSettings());
  second.SetRegistryKey("");
  EXPECT_FALSE(second.LoadSettings());
}

TEST_F(GridTest, CreationFailsWhileTheHookIsSetAndLeavesNoWindow) {
  CFlexGrid::SetFailCreationForTesting(true);
  CEditGrid failed;
  EXPECT_FALSE(MakeGrid(failed));
  EXPECT_EQ(failed.m_hWnd, nullptr);
  EXPECT_FALSE(failed.Create(WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
  failed.SetRegistryKey(kGridKey);
  EXPECT_FALSE(failed.SaveSettings());

  CFlexGrid::SetFailCreationForTesting(false);
  CEditGrid grid;
  EXPECT_TRUE(MakeGrid(grid));
}

TEST_F(GridTest, HeadersComeFromTheStringTableAndStopEditEndsAUsersEdit) {
  CEditGrid grid;
  ASSERT_TRUE(MakeGrid(grid));
  ASSERT_TRUE(grid.SetTextMatrix(0, 0, 19001));
  EXPECT_EQ(grid.GetTextMatrix(0, 0), "Schematic Symbol");
  EXPECT_FALSE(grid.SetTextMatrix(0, 0, 18999));
  EXPECT_EQ(grid.GetTextMatrix(0, 0), "Schematic Symbol");

  grid.SetCell(1, 1);
  grid.SetCellEditClass(RUNTIME_CLASS(CGridEdit));
  ASSERT_TRUE(user.BeginGridEdit(&grid, 1, 1));
  ASSERT_TRUE(user.TypeInGridEditor(&grid, "VCC"));

  EXPECT_EQ(grid.StopEdit(0, 0), 1);
  EXPECT_EQ(grid.GetText(), "VCC");
  EXPECT_TRUE(grid.GetCellModified());
  EXPECT_EQ(grid.StopEdit(0, 0), 0);
}

}  // namespace
