// The interaction modes of the drawings: selecting; assigning pins by clicking a pad in
// one drawing and its partner in the other, on a component of two NAND2 gates
// (terminals 1 to 3) in DIP-8, and the run of pairs, one for the whole module, closed by
// the frame that opened it on its own design; and "Assign Pins 1-1", which gives the
// terminals of all gates, in order, the package's pads.
#include <gtest/gtest.h>

#include <memory>

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
  std::vector<int> PinNumberHints() {
    std::vector<int> pins;
    for (const RecordedHint& hint : Hints().OfKind(HintPinNumber)) pins.push_back(hint.pin);
    return pins;
  }
};

class PairOrderTest : public AssignPinsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PairOrderTest, ARunOfPairsIsOneUndoStepWhicheverDrawingIsClickedFirst) {
  const bool pcbFirst = GetParam();
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  const int steps = Design().GetUndoCount();
  ClearRecords();
  Frame().OnAssignPins();
  Frame().OnAssignPins();
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  Pair(Frame(), 5, 1, 2, pcbFirst);
  EXPECT_EQ(PinMap(), (Pins{kNone, kNone, kNone, kNone, 5, kNone}));
  EXPECT_EQ(PinNumberHints(), (std::vector<int>{kNone, 5})) << "started twice, each click still runs once";
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"5"});
  EXPECT_EQ(Selected(ScmView()), Selected(PcbView()));
  EXPECT_TRUE(PcbPad(5)->IsAssigned());
  // Both drawings are ready again: the next pair may start on either side.
  Pair(Frame(), 8, 0, 1, !pcbFirst);
  EXPECT_EQ(PinMap(), (Pins{8, kNone, kNone, kNone, 5, kNone}));

  MainWindow().ClearCommands();
  Frame().StopAssignPins();
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  ASSERT_EQ(Design().GetUndoCount(), steps + 1);
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinMap(), Pins(6, kNone));
  EXPECT_FALSE(PcbPad(8)->IsAssigned());
}

INSTANTIATE_TEST_SUITE_P(BothOrders, PairOrderTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "PcbFirst" : "SchematicFirst"; });

TEST_F(AssignPinsTest, ATakenPinMovesAndAClickOnNoPadEndsTheWait) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  Frame().OnAssignPins();
  ClearRecords();
  // The terminal's own pin again: one hint; another pin: the old one is released first.
  Pair(Frame(), 5, 1, 2);
  EXPECT_EQ(PinNumberHints(), std::vector<int>{5});
  Pair(Frame(), 7, 1, 2);
  EXPECT_EQ(PinNumberHints(), (std::vector<int>{5, kNone, 7}));
  EXPECT_FALSE(PcbPad(5)->IsAssigned());
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  EXPECT_EQ(Selected(PcbView()), PcbPad(3));
  ASSERT_TRUE(user.LeftClick(&ScmView(), CPoint(2, 2)));
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(0))));
  EXPECT_EQ(Selected(ScmView()), nullptr) << "a gate's body is no pad either";
  Pair(Frame(), 4, 0, 1, false);
  EXPECT_EQ(PinMap(), (Pins{4, 2, 3, 4, 7, 6}));
}

TEST_F(AssignPinsTest, CancelStopsTheModeButLeavesTheRunOpenAndStoppingEndsAGridEdit) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  Frame().OnAssignPins();
  ASSERT_TRUE(Click(PcbView(), PcbPad(3)));
  ClearRecords();
  Screen().ExpectContextMenu(ID_CONTEXT_CANCEL_ASSIGN_PINS);
  ASSERT_TRUE(user.OpenContextMenu(&PcbView(), ClientPointOf(PcbView(), PcbPad(6))));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  EXPECT_EQ(Screen().ContextMenusShown()[0].at(0).text, "Cancel");
  EXPECT_TRUE(PcbView().GetSelectMode().IsRunning());
  EXPECT_FALSE(PcbPad(3)->GetHighlight());
  ASSERT_TRUE(user.TypeChar(&ScmView(), '\x1b'));  // Escape, in the other drawing
  EXPECT_TRUE(ScmView().GetSelectMode().IsRunning());
  EXPECT_TRUE(Design().IsUndoLevelOpen());
  Pair(Frame(), 6, 0, 1);
  EXPECT_EQ(PinMap(), (Pins{1, 2, 3, 4, 5, 6})) << "clicks select now and assign nothing";
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(0, 1));
  Frame().OnSelectMode();
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});

  // Without a run, stopping sends nothing but ends a grid edit.
  CEditGrid& grid = Grid()->GetEditGrid();
  ASSERT_TRUE(user.BeginGridEdit(&grid, 1, CComponentGrid::kFirstGateColumn));
  ClearRecords();
  MainWindow().ClearCommands();
  Frame().StopAssignPins();
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{});
  EXPECT_TRUE(UndoLevels().Events().empty());
}

class AssignmentRunTest : public ModesTest {
 protected:
  void TearDown() override {
    // The other frame goes before its design does.
    if (IsWindowHandle(m_otherHandle)) CWnd::FromHandlePermanent(m_otherHandle)->DestroyWindow();
    ModesTest::TearDown();
  }
  // A second editor window, on a design of its own.
  CHostComponentFrame* OpenOtherDesign() {
    other = std::make_unique<CDesign>();
    other->SetPathName(SamplePath().c_str());
    TwoGates().Unassigned().BuildInto(*other);
    CCreateContext context;
    context.m_pCurrentDoc = other.get();
    auto* frame = static_cast<CHostComponentFrame*>(
        CreateMDIChild(RUNTIME_CLASS(CHostComponentFrame), &MainWindow(), context));
    if (frame != nullptr) m_otherHandle = frame->GetSafeHwnd();
    other->SetModifiedFlag(FALSE);
    return frame;
  }

  std::unique_ptr<CDesign> other;

 private:
  HWND m_otherHandle = nullptr;
};

// Shipped bug (9fabb63): any frame closed the module's run, and a frame destroyed in
// the middle of a run left its design's undo level open.
TEST_F(AssignmentRunTest, OnlyTheRunsFrameClosesItAlsoWhenClosedInTheMiddleOfTheRun) {
  ASSERT_TRUE(OpenEditor(TwoGates().Unassigned()));
  CHostComponentFrame* otherFrame = OpenOtherDesign();
  ASSERT_NE(otherFrame, nullptr);
  Design().SetModifiedFlag(FALSE);
  Frame().OnAssignPins();
  Pair(Frame(), 5, 1, 2);
  ClearRecords();
  otherFrame->OnSelectMode();
  otherFrame->StopAssignPins();
  EXPECT_TRUE(Design().IsUndoLevelOpen()) << "another frame's commands end runs of its own only";
  EXPECT_FALSE(other->IsUndoLevelOpen());

  MainWindow().ClearCommands();
  CloseEditor();
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  EXPECT_EQ(Design().FirstComponent()->GetPinNumber(1, 2), 5);

  // The other frame can start a run of its own now.
  otherFrame->OnAssignPins();
  EXPECT_TRUE(other->IsUndoLevelOpen());
  Pair(*otherFrame, 3, 0, 2);
  otherFrame->OnSelectMode();
  EXPECT_FALSE(other->IsUndoLevelOpen());
  EXPECT_TRUE(other->IsModified()) << "the pin assigned in the other frame counts as a change";
  EXPECT_EQ(other->FirstComponent()->GetPinNumber(0, 2), 3);
}

// "Assign Pins 1-1": the terminals of all gates, in order, take the package's pads.
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
  // dropped, keeping the user's zoom, without placing their items again (which would
  // show the symbol's name again).
  const double fitted = PcbView().GetTransform().GetScale();
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
  EXPECT_FALSE(ScmTerminal(0, 1)->GetHighlight());
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), zoomed.GetScale());
  EXPECT_EQ(PcbView().GetTransform().GetOrigin(), zoomed.GetOrigin());
  ASSERT_TRUE(Design().Redo());
  EXPECT_FALSE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 4)->GetPinNumber(), 8);
  EXPECT_TRUE(PcbPad(8)->IsAssigned());

  // An undo that changes more than pins places the drawing again and fits it.
  Design().StartUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Component().SetPinCount(9);
  Component().SetPinNumber(1, 1, kNone);
  Design().EndUndoLevel(IDS_UNDO_ASSIGN_PINS);
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  ScmGate(1)->GetComponentInstance()->SetSymbolNameDisplayed(false);
  PcbView().OnZoomInAtCursor();
  ASSERT_TRUE(Design().Undo());
  EXPECT_TRUE(nameShown());
  EXPECT_EQ(ScmTerminal(1, 1)->GetPinNumber(), 5);
  EXPECT_EQ(PcbView().GetTransform().GetScale(), fitted);
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

// The select mode, driven by clicks in the drawings of "QUAD-NAND2" in DIP-14 (gate c:
// A 9, B 10, Y 8).

class SelectModeTest : public ModesTest {
 protected:
  void SetUp() override {
    ModesTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
};

TEST_F(SelectModeTest, AClickSelectsWhatItHitsAndAClickOnNothingClearsEveryMark) {
  ASSERT_TRUE(Click(PcbView(), PcbPad(9)));
  EXPECT_EQ(Selected(PcbView()), PcbPad(9));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"2.1"});
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintClearHighlight, HintPicked}));
  EXPECT_EQ(Hints().All()[0].sender, nullptr);
  EXPECT_EQ(Hints().All()[1].sender, &PcbView());
  // A gate's body selects the gate, whose pads the PCB drawing then shows.
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(2))));
  EXPECT_EQ(Selected(ScmView()), ScmGate(2));
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_EQ(HighlightedPads(PcbView()), (Marks{"8", "9", "10"}));
  Hints().Clear();
  ASSERT_TRUE(user.LeftClick(&ScmView(), CPoint(2, 2)));
  EXPECT_EQ(Selected(ScmView()), nullptr);
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight});
}

TEST_F(SelectModeTest, ARightClickOffersPropertiesForAnItemOnly) {
  Screen().ExpectContextMenu(0);
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(1, 3))));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  ASSERT_EQ(Screen().ContextMenusShown()[0].size(), 1u);
  EXPECT_EQ(Screen().ContextMenusShown()[0][0].text, "&Properties...");
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(1, 3));
  // Nothing under the cursor: the selection goes and no menu is shown at all.
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), CPoint(2, 2)));
  EXPECT_EQ(Screen().ContextMenusShown().size(), 1u);
  EXPECT_EQ(Selected(ScmView()), nullptr);
}

}  // namespace
