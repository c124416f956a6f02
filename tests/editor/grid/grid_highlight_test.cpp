// Bold cells in the pin grid mirror what is picked in the drawings, and moving in the
// grid tells the drawings which terminal and pin the user is on.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/model/component.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Texts = std::vector<std::string>;

std::uint32_t Raw(const RecordedHint& hint) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hint.object));
}

// QUAD-NAND2 in DIP-14, laid out as
//   row 1 NAND2 A 1 | 1  4  9 12  -
//   row 2       B 2 | 2  5 10 13  -
//   row 3       Y 3 | 3  6  8 11  -
//   row 4 POWER VCC | -  -  -  - 14
//   row 5       GND | -  -  -  -  7
class GridHighlightTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  }
  void ClearFromElsewhere() { Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr); }
  static Texts GateCells(long firstRow, long lastRow, long firstCol, long lastCol) {
    Texts cells;
    for (long row = firstRow; row <= lastRow; ++row) {
      for (long col = firstCol; col <= lastCol; ++col)
        cells.push_back(std::to_string(row) + "," + std::to_string(col));
    }
    return cells;
  }
};

TEST_F(GridHighlightTest, MovingToALeadingColumnOnlyClearsTheHighlights) {
  for (long col = 0; col < 3; ++col) {
    ClearRecords();
    ASSERT_TRUE(MoveTo(2 + col % 2, col));
    EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight}) << "column " << col;
    EXPECT_EQ(Hints().All()[0].sender, Grid());
  }
}

TEST_F(GridHighlightTest, MovingToAGateCellNamesItsTerminalAndThenItsPin) {
  ClearRecords();
  ASSERT_TRUE(MoveTo(3, 5));
  std::vector<RecordedHint> sent = Hints().OfKind(HintHighlightPin);
  EXPECT_EQ(Hints().Values(), (std::vector<LPARAM>{HintHighlightPin, HintHighlightPin}));
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(Raw(sent[0]), 0x00020003u);  // gate c, terminal 3
  EXPECT_EQ(Raw(sent[1]), 0xFFFF0008u);  // PCB pin 8
  EXPECT_EQ(sent[0].sender, Grid());

  // An empty cell is pin 0 to the drawings.
  Component().SetPinNumber(0, 2, CGate::kNoPin);
  Refill();
  ClearRecords();
  ASSERT_TRUE(MoveTo(2, 3));
  sent = Hints().OfKind(HintHighlightPin);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(Raw(sent[0]), 0x00000002u);
  EXPECT_EQ(Raw(sent[1]), 0xFFFF0000u);

  // The POWER rows in gate a's column: terminal 1 of gate a, no pin.
  ClearRecords();
  ASSERT_TRUE(MoveTo(4, 3));
  sent = Hints().OfKind(HintHighlightPin);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(Raw(sent[0]), 0x00000001u);
  EXPECT_EQ(Raw(sent[1]), 0xFFFF0000u);
}

TEST_F(GridHighlightTest, ThePackagesSymbolBoldsEveryGateCell) {
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells(), GateCells(1, 5, 3, 7));

  // Moving in the grid clears them all, greyed cells too, and keeps the user's cell.
  ASSERT_TRUE(MoveTo(2, 1));
  EXPECT_EQ(BoldCells(), Texts{});
  EXPECT_EQ(Cells().GetRow(), 2);
  EXPECT_EQ(Cells().GetCol(), 1);
  EXPECT_TRUE(Cells().IsFocusShown());
}

TEST_F(GridHighlightTest, AGateSymbolBoldsItsColumn) {
  Picked(ScmView(), ScmGate(3));
  EXPECT_EQ(BoldCells(), GateCells(1, 5, 6, 6));
  Picked(ScmView(), ScmGate(4));
  EXPECT_EQ(BoldCells(), GateCells(1, 5, 7, 7));
  ClearFromElsewhere();
  EXPECT_EQ(BoldCells(), Texts{});
}

TEST_F(GridHighlightTest, ASchematicTerminalBoldsItsOwnCell) {
  Picked(ScmView(), ScmTerminal(2, 3));
  EXPECT_EQ(BoldCells(), Texts{"3,5"});
  Picked(ScmView(), ScmTerminal(4, 2));
  EXPECT_EQ(BoldCells(), Texts{"5,7"});
  ClearFromElsewhere();
  EXPECT_EQ(BoldCells(), Texts{});
}

TEST_F(GridHighlightTest, APcbPadBoldsEveryTerminalMappedToItsPin) {
  // Pin 1 on terminal A of gates a and b (one row), pin 13 on A of c and B of d.
  Component().SetPinNumber(1, 1, 1);
  Component().SetPinNumber(2, 1, 13);
  Refill();
  ASSERT_EQ(Row(1), (Texts{"NAND2", "A", "1", "1", "1", "13", "12", ""}));

  Picked(PcbView(), PcbPad(8));
  EXPECT_EQ(BoldCells(), Texts{"3,5"});
  Picked(PcbView(), PcbPad(1));
  EXPECT_EQ(BoldCells(), (Texts{"1,3", "1,4"}));
  Picked(PcbView(), PcbPad(13));
  EXPECT_EQ(BoldCells(), (Texts{"1,5", "2,6"}));
  Picked(PcbView(), PcbPad(14));
  EXPECT_EQ(BoldCells(), Texts{"4,7"});
  // A pad no terminal is mapped to bolds nothing.
  Picked(PcbView(), PcbPad(4));
  Picked(PcbView(), PcbPad(5));
  EXPECT_EQ(BoldCells(), Texts{"2,4"});
  ClearFromElsewhere();
  EXPECT_EQ(BoldCells(), Texts{});
}

TEST_F(GridHighlightTest, BoldCellsLastUntilTheNextClearOrRefill) {
  Picked(PcbView(), PcbFootprint());
  // A pick in the grid's own terms adds to what is bold until something clears.
  Design().UpdateAllViews(&ScmView(), HintPicked, ScmTerminal(0, 1));
  EXPECT_EQ(BoldCells().size(), 25u);
  Refill();
  EXPECT_EQ(BoldCells(), Texts{});

  // Items other than pads and symbols are not the grid's.
  Picked(PcbView(), PcbPad(8));
  Design().UpdateAllViews(&PcbView(), HintPicked, &Design());
  EXPECT_EQ(BoldCells(), Texts{"3,5"});
  // Moving to a gate cell clears before it names the new terminal.
  ASSERT_TRUE(MoveTo(1, 3));
  EXPECT_EQ(BoldCells(), Texts{});
}

}  // namespace
