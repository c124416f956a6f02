// The interaction modes of the drawings: assigning pins by clicking a pad in
// one drawing and its partner in the other, on a component of two NAND2 gates
// (terminals 1 to 3) in DIP-8, and the run of pairs, one for the whole module, closed by
// the frame that opened it on its own design; and "Assign Pins 1-1", which gives the
// terminals of all gates, in order, the package's pads; clicks that select when the
// assignment mode is cancelled.
#include <gtest/gtest.h>

#include "tests/editor/modes/modes_fixture.h"

namespace {

using Marks = std::vector<std::string>;
using Pins = std::vector<int>;
constexpr int kNone = CGate::kNoPin;

TEST_F(ModesTest, ARunOfPairsInEitherOrderIsOneUndoStepThatCancelLeavesOpenForClicksThatSelect) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 3).Package("P1", "DIP-8").Unassigned()));
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().OnAssignPins();
  Frame().OnAssignPins();
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  EXPECT_EQ(PcbView().GetAssignPinsMode().GetStatusInfo().GetStatusString(), "Assign Pins");
  Pair(Frame(), 5, 1, 2);
  // The terminal's old pin (none) is redrawn, then its new one.
  EXPECT_EQ(Hints().Count(HintPinNumber), 2) << "started twice, each click still runs once";
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"5"});
  EXPECT_EQ(ScmView().GetSelectedItem(), PcbView().GetSelectedItem());
  // Both drawings are ready again: the next pair may start on the other side. A terminal
  // given another pin releases the old one first.
  Pair(Frame(), 8, 0, 1, false);
  Pair(Frame(), 7, 1, 2);
  EXPECT_EQ(Hints().Count(HintPinNumber), 6);
  EXPECT_FALSE(PcbPad(5)->IsAssigned());
  // A click on no pad, or on a gate's body, ends the wait for a partner.
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  ASSERT_TRUE(ClickEmpty(ScmView()));
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(0))));
  EXPECT_EQ(ScmView().GetSelectedItem(), nullptr) << "a gate's body is no pad either";
  Pair(Frame(), 4, 0, 2, false);
  EXPECT_EQ(PinsOf(Component()), (PinMap{{8, 4, kNone}, {kNone, 7, kNone}}));

  // Cancel, or Escape in the other drawing, stops the mode but leaves the run open.
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  Screen().ExpectContextMenu(ID_CONTEXT_CANCEL_ASSIGN_PINS);
  ASSERT_TRUE(user.OpenContextMenu(&PcbView(), ClientPointOf(PcbView(), PcbPad(6))));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  EXPECT_EQ(Screen().ContextMenusShown()[0].at(0).text, "Cancel");
  EXPECT_TRUE(PcbView().GetSelectMode().IsRunning());
  EXPECT_FALSE(PcbPad(3)->GetHighlight());
  ASSERT_TRUE(user.TypeChar(&ScmView(), '\x1b'));
  EXPECT_TRUE(ScmView().GetSelectMode().IsRunning());
  EXPECT_TRUE(Design().IsUndoLevelOpen());
  // Clicks select now: a pad, whose terminal the other drawing then shows, or a gate's
  // body, whose pads the PCB drawing shows; a right click on nothing clears every mark.
  Hints().Clear();
  ASSERT_TRUE(Click(PcbView(), PcbPad(4)));
  EXPECT_EQ(PcbView().GetSelectedItem(), PcbPad(4));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"0.2"});
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintClearHighlight, HintPicked}));
  EXPECT_EQ(Hints().All()[0].sender, nullptr);
  EXPECT_EQ(Hints().All()[1].sender, &PcbView());
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(1))));
  EXPECT_EQ(ScmView().GetSelectedItem(), ScmGate(1));
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
  Hints().Clear();
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), CPoint(2, 2)));
  EXPECT_EQ(Screen().ContextMenusShown().size(), 1u) << "no menu for nothing";
  EXPECT_EQ(ScmView().GetSelectedItem(), nullptr);
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight});
  // Stopping the run tells the main window once, and ends a grid edit too.
  ASSERT_TRUE(user.BeginGridEdit(&Grid()->GetEditGrid(), 1, CComponentGrid::kFirstGateColumn));
  MainWindow().ClearCommands();
  Frame().StopAssignPins();
  EXPECT_FALSE(Grid()->GetEditGrid().IsEditing());
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  ASSERT_EQ(Design().GetUndoCount(), steps + 1);
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinsOf(Component()), PinMap(2, Pins(3, kNone)));
}

// Shipped bug (9fabb63): any frame closed the module's run, and a frame destroyed in
// the middle of a run left its design's undo level open.
TEST_F(ModesTest, OnlyTheRunsFrameClosesItAlsoWhenClosedInTheMiddleOfTheRun) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 3).Package("P1", "DIP-8").Unassigned()));
  CHostComponentFrame* second = OpenSecondFrame();
  ASSERT_NE(second, nullptr);
  Design().SetModifiedFlag(FALSE);
  second->OnAssignPins();
  Pair(*second, 5, 1, 2);
  ClearRecords();
  Frame().OnSelectMode();
  Frame().StopAssignPins();
  EXPECT_TRUE(Design().IsUndoLevelOpen()) << "another frame's commands end runs of its own only";
  MainWindow().ClearCommands();

  // Closing the run's frame in the middle of the run closes the run, once.
  second->DestroyWindow();
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  EXPECT_EQ(Component().GetPinNumber(1, 2), 5);
  // The other frame can start a run of its own now.
  Frame().OnAssignPins();
  EXPECT_TRUE(Design().IsUndoLevelOpen());
  Pair(Frame(), 3, 0, 2);
  Frame().OnSelectMode();
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(Component().GetPinNumber(0, 2), 3);
}

// "Assign Pins 1-1": the terminals of all gates, in order, take the package's pads.
constexpr const char* kMismatch =
    "There is a mismatch between terminals and pads. Process will assign as best as possible.";

TEST_F(ModesTest, AssignPins121NumbersTheTerminalsInOneStepOfItsOwnOrOfTheRunOrWithoutAFootprintNone) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().AssignPins121();
  EXPECT_EQ(PinsOf(Component()), (PinMap{{1, 2, 3, 4}, {5, 6, 7, 8}}));
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS_121});
  EXPECT_EQ(Design().GetUndoCount(), steps + 1);
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].object, &Component());

  // Only pins change: both drawings take them back as they are, with the marks dropped,
  // keeping the user's zoom, without placing their items again (which would show the
  // symbol's name again).
  ScmGate(1)->GetComponentInstance()->SetSymbolNameDisplayed(false);
  Select(PcbPad(8));
  ScmTerminal(0, 1)->SetHighlight(true);
  PcbView().OnZoomInAtCursor();
  const CViewTransform zoomed = PcbView().GetTransform();
  ASSERT_TRUE(Design().Undo());
  EXPECT_FALSE(ScmGate(1)->GetComponentInstance()->GetDisplay().symbolName);
  EXPECT_FALSE(ScmTerminal(0, 1)->GetHighlight());
  EXPECT_EQ(PcbView().GetSelectedItem(), nullptr);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), zoomed.GetScale());
  EXPECT_EQ(PcbView().GetTransform().GetOrigin(), zoomed.GetOrigin());

  // Inside a run it joins the run's step; the drawings are rebuilt under the first pick,
  // so the pair starts again.
  ClearRecords();
  Frame().OnAssignPins();
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  Frame().AssignPins121();
  EXPECT_EQ(UndoLevels().Started(), (std::vector<UINT>{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_ASSIGN_PINS_121}));
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(0, 1)));
  EXPECT_EQ(PinsOf(Component()), (PinMap{{1, 2, 3, 4}, {5, 6, 7, 8}}));
  ASSERT_TRUE(Click(PcbView(), PcbPad(6)));
  EXPECT_EQ(PinsOf(Component()), (PinMap{{6, 2, 3, 4}, {5, 6, 7, 8}}));
  Frame().OnSelectMode();
  EXPECT_EQ(UndoLevels().Ended(), (std::vector<UINT>{IDS_UNDO_ASSIGN_PINS_121, IDS_UNDO_ASSIGN_PINS}));
  ASSERT_EQ(Design().GetUndoCount(), steps + 1);

  // Shipped bug (cf14cdc): without a drawn footprint the command still assigned pins.
  const PinMap before = PinsOf(Component());
  // A PCB symbol its library lacks, and none at all (the command given anyway).
  for (const char* footprint : {"NO-SUCH-FOOTPRINT", ""}) {
    SCOPED_TRACE(std::string("PCB symbol \"") + footprint + "\"");
    Component().SetPcbSymbol(footprint);
    if (*footprint != '\0') Screen().ExpectMessageBox(IDOK);  // the drawing cannot be made
    Design().UpdateAllViews(nullptr, HintComponent, nullptr);
    ASSERT_EQ(PlacedInstance(PcbView()), nullptr);
    const size_t shown = Screen().MessageBoxesShown().size();
    ClearRecords();
    Frame().AssignPins121();
    EXPECT_EQ(Screen().MessageBoxesShown().size(), shown);
    EXPECT_EQ(PinsOf(Component()), before);
    EXPECT_TRUE(UndoLevels().Events().empty());
  }
  EXPECT_FALSE(Frame().CanDoAssignPins121()) << "no PCB symbol";
  // Fewer pads than terminals: one warning, and the terminals past the last pad lose
  // their pins.
  Component().SetPcbSymbol("SOT-23");
  Design().UpdateAllViews(nullptr, HintComponent, nullptr);
  const size_t warned = MessageTexts().size();
  Screen().ExpectMessageBox(IDOK, kMismatch);
  Frame().AssignPins121();
  EXPECT_EQ(MessageTexts().size(), warned + 1);
  EXPECT_EQ(PinsOf(Component()), (PinMap{{1, 2, 3, kNone}, Pins(4, kNone)}));
  ASSERT_TRUE(Component().DeleteGate(0));
  ASSERT_TRUE(Component().DeleteGate(1));
  EXPECT_FALSE(Frame().CanDoAssignPins121()) << "no gates";
}

}  // namespace
