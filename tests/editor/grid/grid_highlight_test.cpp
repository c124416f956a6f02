// Bold cells in the pin grid mirror what is picked in the drawings, and moving in the
// grid tells the drawings which terminal and pin the user is on.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/model/component.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Texts = std::vector<std::string>;

class GridHighlightTest : public SampleGridTest {
 protected:
  // The packed HintHighlightPin values the grid sent.
  std::vector<std::uint32_t> Sent() {
    std::vector<std::uint32_t> values;
    for (const RecordedHint& hint : Hints().OfKind(HintHighlightPin))
      values.push_back(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hint.object)));
    return values;
  }
};

TEST_F(GridHighlightTest, MovingInTheGridNamesTheTerminalAndThenThePinOrOnlyClears) {
  for (long col = 0; col < 3; ++col) {
    ClearRecords();
    ASSERT_TRUE(MoveTo(2 + col % 2, col));
    EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight}) << "column " << col;
    EXPECT_EQ(Hints().All()[0].sender, Grid());
  }
  ClearRecords();
  ASSERT_TRUE(MoveTo(3, 5));
  EXPECT_EQ(Sent(), (std::vector<std::uint32_t>{0x00020003u, 0xFFFF0008u}));  // gate c terminal 3, PCB pin 8
  EXPECT_EQ(Hints().All()[0].sender, Grid());
  // An empty cell is pin 0 to the drawings; so is a POWER row in gate a's column.
  Component().SetPinNumber(0, 2, CGate::kNoPin);
  Refill();
  ClearRecords();
  ASSERT_TRUE(MoveTo(2, 3));
  ASSERT_TRUE(MoveTo(4, 3));
  EXPECT_EQ(Sent(), (std::vector<std::uint32_t>{0x00000002u, 0xFFFF0000u, 0x00000001u, 0xFFFF0000u}));
}

TEST_F(GridHighlightTest, APickBoldsTheCellsOfWhatWasPickedUntilTheNextClearOrRefill) {
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells().size(), 25u) << "every gate cell, greyed ones too";
  // A pick in the grid's own terms adds to what is bold until something clears.
  Design().UpdateAllViews(&ScmView(), HintPicked, ScmTerminal(0, 1));
  EXPECT_EQ(BoldCells().size(), 25u);
  // Moving in the grid clears them all and keeps the user's cell.
  ASSERT_TRUE(MoveTo(2, 1));
  EXPECT_EQ(BoldCells(), Texts{});
  EXPECT_EQ(Cells().GetRow(), 2);
  EXPECT_TRUE(Cells().IsFocusShown());
  Picked(ScmView(), ScmGate(3));
  EXPECT_EQ(BoldCells(), (Texts{"1,6", "2,6", "3,6", "4,6", "5,6"}));
  Picked(ScmView(), ScmTerminal(4, 2));
  EXPECT_EQ(BoldCells(), Texts{"5,7"});
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(BoldCells(), Texts{});

  // A pad bolds every terminal on its pin: pin 1 on A of gates a and b, 13 on A of c and B of d.
  Component().SetPinNumber(1, 1, 1);
  Component().SetPinNumber(2, 1, 13);
  Refill();
  Picked(PcbView(), PcbPad(1));
  EXPECT_EQ(BoldCells(), (Texts{"1,3", "1,4"}));
  Picked(PcbView(), PcbPad(13));
  Design().UpdateAllViews(&PcbView(), HintPicked, &Design());  // not an item of the grid's
  EXPECT_EQ(BoldCells(), (Texts{"1,5", "2,6"}));
  Refill();
  EXPECT_EQ(BoldCells(), Texts{});
}

}  // namespace
