// "Assign Pins 1-1": the terminals of all gates, in order, take the package's pads.
#include <gtest/gtest.h>

#include "tests/editor/modes/modes_fixture.h"

namespace {

using Pins = std::vector<int>;
constexpr int kNone = CGate::kNoPin;
constexpr const char* kMismatch =
    "There is a mismatch between terminals and pads. Process will assign as best as possible.";

using AssignPins121Test = ModesTest;

TEST_F(AssignPins121Test, EqualCountsNumberTheTerminalsInGateOrderInOneStep) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  EXPECT_TRUE(Frame().CanDoAssignPins121());
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().AssignPins121();
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS_121});
  EXPECT_EQ(Design().GetUndoCount(), steps + 1);
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].object, &Component());

  // Only pins change: both drawings take them back and again as they are, with the marks
  // dropped and the drawings fitted, without placing their items again (which would
  // show the symbol's name again).
  const double fitted = PcbView().GetTransform().GetScale();
  const auto nameShown = [&] { return ScmGate(1)->GetComponentInstance()->GetDisplay().symbolName; };
  ScmGate(1)->GetComponentInstance()->SetSymbolNameDisplayed(false);
  Select(PcbPad(8));
  ScmTerminal(0, 1)->SetHighlight(true);
  PcbView().OnZoomInAtCursor();
  ASSERT_TRUE(Design().Undo());
  EXPECT_FALSE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), kNone);
  EXPECT_FALSE(PcbPad(8)->IsAssigned());
  EXPECT_FALSE(ScmTerminal(0, 1)->GetHighlight());
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), fitted);
  ASSERT_TRUE(Design().Redo());
  EXPECT_FALSE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), 8);
  EXPECT_TRUE(PcbPad(8)->IsAssigned());

  // An undo that changes more than pins places the drawing again.
  const CString name = Component().GetPinName(1, 1);
  Design().StartUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Component().SetPinName(1, 1, "RENAMED");
  Component().SetPinNumber(1, 1, kNone);
  Design().EndUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  ASSERT_TRUE(Design().Undo());
  EXPECT_TRUE(nameShown());
  EXPECT_EQ(ScmGate(1)->GetComponentInstance()->GetComponent()->GetPinName(1, 1), name);
  EXPECT_EQ(ScmTerminal(1, 1)->GetPinNumber(), 5);
}

TEST_F(AssignPins121Test, UnequalCountsWarnOnceBeforeTheStepAndFillAsFarAsTheyGo) {
  ComponentBuilder("DUT").Gates(2, 3).Package("P1", "SOT-23").BuildInto(Design());
  for (int i = 0; i < 6; ++i) Design().FirstComponent()->SetPinNumber(i / 3, i % 3 + 1, 2);
  ASSERT_TRUE(OpenEditor());
  size_t shownAtStart = 0;
  Design().SetUndoLevelObserver([&](const UndoLevelEvent& event) {
    if (event.kind == UndoLevelEvent::Kind::Start) shownAtStart = Screen().MessageBoxesShown().size();
  });
  Screen().ExpectMessageBox(IDOK, kMismatch);
  Frame().AssignPins121();
  EXPECT_EQ(MessageTexts().size(), 1u);
  EXPECT_EQ(shownAtStart, 1u);
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, kNone, kNone, kNone}));
  CloseEditor();

  Design().FirstComponent()->SetPcbSymbol("DIP-8");  // more pads than terminals
  ASSERT_TRUE(OpenEditor());
  Screen().ExpectMessageBox(IDOK, kMismatch);
  Frame().AssignPins121();
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(PcbPad(7)->IsAssigned());
}

TEST_F(AssignPins121Test, InsideARunItJoinsTheRunsUndoStepAndRestartsThePair) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().OnAssignPins();
  // The drawings are rebuilt under the first pick: the pair starts again.
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  Frame().AssignPins121();
  EXPECT_EQ(UndoLevels().Started(), (std::vector<UINT>{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_ASSIGN_PINS_121}));
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(0, 1)));
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6, 7, 8}));
  ASSERT_TRUE(Click(PcbView(), PcbPad(6)));
  EXPECT_EQ(PinMap(), (Pins{6, 2, 3, 4, 5, 6, 7, 8}));
  Frame().OnSelectMode();
  EXPECT_EQ(UndoLevels().Ended(), (std::vector<UINT>{IDS_UNDO_ASSIGN_PINS_121, IDS_UNDO_ASSIGN_PINS}));
  ASSERT_EQ(Design().GetUndoCount(), steps + 1);
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinMap(), Pins(8, kNone));
}

// Shipped bug (cf14cdc): without a drawn footprint the command still assigned pins.
TEST_F(AssignPins121Test, WithoutADrawnFootprintThereIsNothingToAssignToAndNothingHappens) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8")));
  const Pins before = PinMap();
  const int steps = Design().GetUndoCount();
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
    EXPECT_EQ(PinMap(), before);
    EXPECT_TRUE(UndoLevels().Events().empty());
    EXPECT_EQ(Design().GetUndoCount(), steps);
    EXPECT_TRUE(Hints().All().empty());
  }
  EXPECT_FALSE(Frame().CanDoAssignPins121()) << "no PCB symbol";
  Component().SetPcbSymbol("DIP-8");
  ASSERT_TRUE(Component().DeleteGate(0));
  ASSERT_TRUE(Component().DeleteGate(1));
  EXPECT_FALSE(Frame().CanDoAssignPins121()) << "no gates";
}

}  // namespace
