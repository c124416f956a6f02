// Assigning pins by clicking a pad in one drawing and its partner in the other, on a
// component of two NAND2 gates (terminals 1 to 3) in DIP-8.
#include <gtest/gtest.h>

#include "tests/editor/modes/modes_fixture.h"

namespace {

using Marks = std::vector<std::string>;
using Pins = std::vector<int>;
constexpr int kNone = CGate::kNoPin;

ComponentBuilder TwoGates() {
  return ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8");
}

class AssignPinsTest : public ModesTest {
 protected:
  // Clicks the PCB pad and the terminal, in that order or the other.
  void Pair(int pin, int gate, int terminal, bool pcbFirst = true) {
    if (pcbFirst) {
      ASSERT_TRUE(Click(PcbView(), PcbPad(pin)));
      ASSERT_TRUE(Click(ScmView(), ScmTerminal(gate, terminal)));
    } else {
      ASSERT_TRUE(Click(ScmView(), ScmTerminal(gate, terminal)));
      ASSERT_TRUE(Click(PcbView(), PcbPad(pin)));
    }
  }

  std::vector<int> PinNumberHints() {
    std::vector<int> pins;
    for (const RecordedHint& hint : Hints().OfKind(HintPinNumber)) {
      EXPECT_EQ(hint.symbol, "NAND2");
      pins.push_back(hint.pin);
    }
    return pins;
  }
};

class PairOrderTest : public AssignPinsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PairOrderTest, APairAssignsTheSameWhicheverDrawingIsClickedFirst) {
  const bool pcbFirst = GetParam();
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  Frame().OnAssignPins();
  ClearRecords();

  Pair(5, 1, 2, pcbFirst);
  EXPECT_EQ(PinMap(), (Pins{kNone, kNone, kNone, kNone, 5, kNone}));
  EXPECT_EQ(PinNumberHints(), (std::vector<int>{kNone, 5}));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"5"});
  EXPECT_EQ(Selected(ScmView()), nullptr);
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_TRUE(PcbPad(5)->IsAssigned());

  // Both drawings are ready again: the next pair may start on either side.
  Pair(7, 0, 1, !pcbFirst);
  EXPECT_EQ(PinMap(), (Pins{7, kNone, kNone, kNone, 5, kNone}));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"0.1"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
}

INSTANTIATE_TEST_SUITE_P(BothOrders, PairOrderTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "PcbFirst" : "SchematicFirst"; });

TEST_F(AssignPinsTest, TheOldNumberDecidesBetweenOneAndTwoPinNumberHints) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  ASSERT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6}));
  Frame().OnAssignPins();
  ClearRecords();

  ASSERT_TRUE(Click(PcbView(), PcbPad(5)));
  EXPECT_EQ(Selected(PcbView()), PcbPad(5));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(1, 2)));
  EXPECT_EQ(PinNumberHints(), std::vector<int>{5});

  Hints().Clear();
  Pair(7, 1, 2);
  EXPECT_EQ(PinNumberHints(), (std::vector<int>{kNone, 7}));
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 7, 6}));
  EXPECT_FALSE(PcbPad(5)->IsAssigned());
  EXPECT_TRUE(PcbPad(7)->IsAssigned());
}

TEST_F(AssignPinsTest, AClickOnNoPadEndsTheWaitAndTheNextClickBeginsAPair) {
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  Frame().OnAssignPins();
  const Pins unassigned(6, kNone);

  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  ASSERT_TRUE(ClickEmpty(ScmView()));
  EXPECT_EQ(PinMap(), unassigned);

  // A gate's body is no pad either: nothing is picked.
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(0))));
  EXPECT_EQ(Selected(ScmView()), nullptr);

  ASSERT_TRUE(Click(ScmView(), ScmTerminal(0, 1)));
  EXPECT_EQ(PinMap(), unassigned);
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(0, 1));
  ASSERT_TRUE(Click(PcbView(), PcbPad(4)));
  EXPECT_EQ(PinMap(), (Pins{4, kNone, kNone, kNone, kNone, kNone}));
}

TEST_F(AssignPinsTest, ARunOfPairsIsOneUndoStep) {
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().OnAssignPins();
  Frame().OnAssignPins();
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});

  // Started twice, each click still runs once.
  Pair(1, 0, 3);
  EXPECT_EQ(PinNumberHints(), (std::vector<int>{kNone, 1}));
  Pair(2, 1, 1, false);
  Pair(8, 1, 3);
  ASSERT_EQ(PinMap(), (Pins{kNone, kNone, 1, 2, kNone, 8}));

  MainWindow().ClearCommands();
  Frame().StopAssignPins();
  // Each drawing's director reports its mode stopping, then the frame the end of the run.
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>(3, ID_PIN_ASSIGNMENT_ENDED));
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  EXPECT_TRUE(UndoLevels().Balanced());
  ASSERT_EQ(Design().GetUndoCount(), steps + 1);
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");

  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinMap(), Pins(6, kNone));
  EXPECT_EQ(ScmTerminal(1, 3)->GetPinNumber(), kNone);
  EXPECT_FALSE(PcbPad(8)->IsAssigned());
}

TEST_F(AssignPinsTest, StoppingWithoutARunSendsNothingButEndsAGridEdit) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  ASSERT_NE(Grid(), nullptr);
  CEditGrid& grid = Grid()->GetEditGrid();
  ASSERT_TRUE(user.BeginGridEdit(&grid, 1, CComponentGrid::kFirstGateColumn));
  ASSERT_TRUE(grid.IsEditing());
  ClearRecords();
  MainWindow().ClearCommands();

  Frame().StopAssignPins();
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{});
  EXPECT_TRUE(UndoLevels().Events().empty());
}

// Undo, Delete and every command end a run through StopAssignPins: its undo step is
// closed, so the drawings must stop assigning too, or the next pair would change the
// pin map outside any undo step.
TEST_F(AssignPinsTest, EndingTheRunReturnsTheDrawingsToSelecting) {
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  Frame().OnAssignPins();
  Pair(1, 0, 3);
  Frame().StopAssignPins();
  ASSERT_EQ(PinMap(), (Pins{kNone, kNone, 1, kNone, kNone, kNone}));
  EXPECT_TRUE(ScmView().GetSelectMode().IsRunning());
  EXPECT_TRUE(PcbView().GetSelectMode().IsRunning());

  Pair(2, 1, 1);
  EXPECT_EQ(PinMap(), (Pins{kNone, kNone, 1, kNone, kNone, kNone}));
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(1, 1));
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinMap(), Pins(6, kNone));
}

TEST_F(AssignPinsTest, CancelStopsTheModeButLeavesTheRunOpen) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  Frame().OnAssignPins();
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  ClearRecords();

  Screen().ExpectContextMenu(ID_CONTEXT_CANCEL_ASSIGN_PINS);
  ASSERT_TRUE(RightClick(PcbView(), ClientPointOf(PcbView(), PcbPad(6))));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  ASSERT_EQ(Screen().ContextMenusShown()[0].size(), 1u);
  EXPECT_EQ(Screen().ContextMenusShown()[0][0].text, "Cancel");
  EXPECT_TRUE(PcbView().GetSelectMode().IsRunning());
  EXPECT_FALSE(PcbPad(3)->GetHighlight());
  // Escape stops it just so in the other drawing.
  ASSERT_TRUE(user.TypeChar(&ScmView(), '\x1b'));
  EXPECT_TRUE(ScmView().GetSelectMode().IsRunning());
  EXPECT_TRUE(Design().IsUndoLevelOpen());
  EXPECT_TRUE(UndoLevels().Ended().empty());

  // Clicks select now and assign nothing.
  Pair(6, 0, 1);
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(0, 1));

  Frame().OnSelectMode();
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
}

}  // namespace
