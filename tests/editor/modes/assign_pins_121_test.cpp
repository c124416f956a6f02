// "Assign Pins 1-1": the terminals of all gates, in order, take the package's pads.
#include <gtest/gtest.h>

#include "tests/editor/modes/modes_fixture.h"

namespace {

using Pins = std::vector<int>;
constexpr int kNone = CGate::kNoPin;
constexpr const char* kMismatch =
    "There is a mismatch between terminals and pads. Process will assign as best as possible.";

class AssignPins121Test : public ModesTest {
 protected:
  // What the user had been shown, and the pin map, when the command's level opened.
  struct AtLevelStart {
    size_t messages = 0;
    Pins pins;
  };

  void WatchLevelStart() {
    Design().SetUndoLevelObserver([this](const UndoLevelEvent& event) {
      UndoLevels().Record(event);
      if (event.kind == UndoLevelEvent::Kind::Start && event.id == IDS_UNDO_ASSIGN_PINS_121)
        m_atStart = {Screen().MessageBoxesShown().size(), PinMap()};
    });
  }

  AtLevelStart m_atStart;
};

TEST_F(AssignPins121Test, EqualCountsNumberTheTerminalsInGateOrder) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  EXPECT_TRUE(Frame().CanDoAssignPins121());
  const int steps = Design().GetUndoCount();
  ClearRecords();

  Frame().AssignPins121();
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS_121});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Design().GetUndoCount(), steps + 1);
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].object, &Component());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), 8);
  EXPECT_TRUE(PcbPad(8)->IsAssigned());
}

// Only pins change: both drawings take them as they are, with the marks dropped as a
// rebuild would leave them, without placing their items again or refitting the view.
TEST_F(AssignPins121Test, UndoAndRedoSetThePinsInTheDrawingsWithoutPlacingThemAgain) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  Frame().AssignPins121();
  ASSERT_EQ(ScmTerminal(1, 4)->GetPinNumber(), 8);
  // Placing the schematic drawing again would show the symbol's name again.
  const auto nameShown = [&] { return ScmGate(1)->GetComponentInstance()->GetDisplay().symbolName; };
  ScmGate(1)->GetComponentInstance()->SetSymbolNameDisplayed(false);
  Select(PcbPad(8));
  ScmTerminal(0, 1)->SetHighlight(true);
  PcbView().OnZoomInAtCursor();
  const CViewTransform zoomed = PcbView().GetTransform();

  ASSERT_TRUE(Design().Undo());
  EXPECT_FALSE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), kNone);
  EXPECT_FALSE(PcbPad(8)->IsAssigned());
  EXPECT_FALSE(PcbPad(8)->IsSelected());
  EXPECT_FALSE(ScmTerminal(0, 1)->GetHighlight());
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), zoomed.GetScale());
  EXPECT_EQ(PcbView().GetTransform().GetOrigin(), zoomed.GetOrigin());

  ASSERT_TRUE(Design().Redo());
  EXPECT_FALSE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), 8);
  EXPECT_TRUE(PcbPad(8)->IsAssigned());
}

TEST_F(AssignPins121Test, AnUndoThatChangesMoreThanPinsPlacesTheDrawingAgain) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8").Unassigned()));
  Frame().AssignPins121();
  const double fitted = PcbView().GetTransform().GetScale();
  Design().StartUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Component().SetPinCount(9);
  Component().SetPinNumber(1, 1, kNone);
  Design().EndUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  ScmGate(1)->GetComponentInstance()->SetSymbolNameDisplayed(false);
  PcbView().OnZoomInAtCursor();

  ASSERT_TRUE(Design().Undo());
  EXPECT_TRUE(ScmGate(1)->GetComponentInstance()->GetDisplay().symbolName);
  EXPECT_EQ(ScmTerminal(1, 1)->GetPinNumber(), 5);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), fitted);
}

TEST_F(AssignPins121Test, MoreTerminalsThanPadsWarnsOnceFirstAndUnassignsTheLast) {
  ComponentBuilder("DUT").Gates(2, 3).Package("P1", "SOT-23").BuildInto(Design());
  CComponent* component = Design().FirstComponent();
  for (int gate = 0; gate < 2; ++gate) {
    for (int terminal = 1; terminal <= 3; ++terminal) component->SetPinNumber(gate, terminal, 2);
  }
  ASSERT_TRUE(OpenEditor());
  WatchLevelStart();
  Screen().ExpectMessageBox(IDOK, kMismatch);

  Frame().AssignPins121();
  EXPECT_EQ(MessageTexts().size(), 1u);
  EXPECT_EQ(m_atStart.messages, 1u);
  EXPECT_EQ(m_atStart.pins, Pins(6, 2));
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, kNone, kNone, kNone}));
}

TEST_F(AssignPins121Test, MorePadsThanTerminalsLeavesTheHighestPadsFree) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 2).Package("P1", "DIP-8").Unassigned()));
  Screen().ExpectMessageBox(IDOK, kMismatch);

  Frame().AssignPins121();
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4}));
  EXPECT_TRUE(PcbPad(4)->IsAssigned());
  for (int pin = 5; pin <= 8; ++pin) EXPECT_FALSE(PcbPad(pin)->IsAssigned()) << "pin " << pin;
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

TEST_F(AssignPins121Test, WithoutADrawnFootprintThereIsNothingToAssignToAndNothingHappens) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(2, 4).Package("P1", "DIP-8")));
  const Pins before = PinMap();
  ASSERT_EQ(before, (Pins{1, 2, 3, 4, 5, 6, 7, 8}));
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
}

TEST_F(AssignPins121Test, NeedsGatesAndAPcbSymbol) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(1, 2).Package("P1", "DIP-8")));
  EXPECT_TRUE(Frame().CanDoAssignPins121());
  Component().SetPcbSymbol("");
  EXPECT_FALSE(Frame().CanDoAssignPins121());
  Component().SetPcbSymbol("DIP-8");
  ASSERT_TRUE(Component().DeleteGate(0));
  EXPECT_FALSE(Frame().CanDoAssignPins121());
}

}  // namespace
