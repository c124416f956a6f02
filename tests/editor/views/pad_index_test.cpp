// A picked land's counterparts are looked up by pin, in the schematic drawing and in
// the grid: the lookup must follow every change of a terminal's pin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/grid/component_grid.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "platform/grid_ctrl.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/view_items.h"

namespace {

using Marks = std::vector<std::string>;

// QUAD-NAND2 in DIP-14: terminal 2 of gate 1 is on pin 5; gate 2's terminal 1 on pin 9.
class PadIndexTest : public SampleEditorTest {
 protected:
  // What a pick of the land marks: the schematic terminals, then the bold grid cells
  // as "gate.terminal" read from the column headers' gates and the terminal column.
  Marks Picked(int pin) {
    Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), pin));
    Marks marks = HighlightedPads(ScmView());
    const GridData* cells = GetGridData(Grid()->GetEditGrid().GetSafeHwnd());
    for (long row = 1; row < cells->Rows(); ++row) {
      for (long col = CComponentGrid::kFirstGateColumn; col < cells->Cols(); ++col) {
        if (cells->Cell(row, col)->bold)
          marks.push_back("cell " + std::to_string(Grid()->GetColumnGate(col)) + "." +
                          cells->Cell(row, CComponentGrid::kTerminalNumberColumn)->text.str());
      }
    }
    Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
    return marks;
  }
};

TEST_F(PadIndexTest, APickFindsTheTerminalsOfAPinAfterAnEditItsUndoAndItsRedo) {
  const Marks onNine{"2.1", "cell 2.1"};
  const Marks bothOnNine{"1.2", "2.1", "cell 2.1", "cell 1.2"};
  ASSERT_EQ(Picked(9), onNine);
  long row = 0;
  ASSERT_TRUE(Grid()->FindSymbolRows("NAND2", row));
  ASSERT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), row + 1, Grid()->FindGateColumn(1), "9"));
  EXPECT_EQ(Picked(9), bothOnNine);
  EXPECT_EQ(Picked(5), Marks{});
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Picked(9), onNine);
  EXPECT_EQ(Picked(5), (Marks{"1.2", "cell 1.2"}));
  ASSERT_TRUE(Design().Redo());
  EXPECT_EQ(Picked(9), bothOnNine);
}

}  // namespace
