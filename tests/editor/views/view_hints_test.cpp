// The update hints as the drawings hear them from the grid, the frame and each other:
// which are ignored, what they highlight, and how single pin changes are redrawn; and
// objects of a host's own class passed with a hint, which every pane ignores.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "editor/frame/symbols_frame.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component.h"
#include "platform/grid_ctrl.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/editor/support/view_items.h"

namespace {

using Marks = std::vector<std::string>;

// The packed value of HintHighlightPin exactly as it travels in the hint pointer.
CObject* Packed(std::uint32_t value) {
  return reinterpret_cast<CObject*>(static_cast<std::uintptr_t>(value));
}

// QUAD-NAND2 in DIP-14: gates 0 to 3 are NAND2 (A, B, Y), gate 4 is POWER (VCC 14,
// GND 7); gate 2 has A 9, B 10, Y 8.
class ViewHintsTest : public SampleEditorTest {
 protected:
  void Send(LPARAM hint, CObject* object, CView* sender = nullptr) {
    Design().UpdateAllViews(sender, hint, object);
  }
};

TEST_F(ViewHintsTest, HighlightPinCarriesASignedGateAndNumberAndAViewIgnoresItsOwnHints) {
  Send(HintHighlightPin, Packed(0xFFFF0007));
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{});
  Send(HintHighlightPin, Packed(0x00020003));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"2.3"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
  // The next terminal clears the one before.
  Send(HintHighlightPin, PackHighlightPin(1, 2));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});

  Send(HintClearHighlight, nullptr, &ScmView());
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  Send(HintHighlightPin, PackHighlightPin(kHighlightPcbPin, 5));
  for (LPARAM outOfRange : {8, -1, -6}) Send(outOfRange, nullptr);
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"5"});
}

TEST_F(ViewHintsTest, APickHighlightsTheCounterpartsInTheOtherDrawingOnly) {
  Send(HintPicked, Land(PcbView(), 5), &PcbView());
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  Send(HintClearHighlight, nullptr);
  Send(HintPicked, PlacedSymbols(ScmView())[4], &ScmView());
  EXPECT_EQ(HighlightedPads(PcbView()), (Marks{"7", "14"}));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{});
  // A picked item that is neither a pad nor a symbol highlights nothing.
  Send(HintClearHighlight, nullptr);
  Send(HintPicked, PlacedSymbols(PcbView())[0]->GetText(0), &PcbView());
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{});

  // Clearing drops selections too, and redraws each marked pad once, or a selected
  // symbol instead of its pads.
  Send(HintPicked, Land(PcbView(), 9), &PcbView());
  Terminal(ScmView(), 2, 1)->SetSelected(true);
  DrawLog scmDraws(ScmView());
  Send(HintClearHighlight, nullptr);
  EXPECT_EQ(ScmView().GetSelectedItem(), nullptr);
  EXPECT_EQ(scmDraws.Draws(), (Draws{{Terminal(ScmView(), 2, 1), kDrawAfterChange}}));
  CSymbolInstance* gate = PlacedSymbols(ScmView())[0];
  gate->SetSelected(true);
  Terminal(ScmView(), 0, 2)->SetHighlight(true);
  DrawLog draws(ScmView());
  Send(HintClearHighlight, nullptr);
  EXPECT_EQ(draws.Draws(), (Draws{{gate, kDrawClearedSymbol}}));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{});
  EXPECT_FALSE(ScmView().HasSelection());
}

// A component of its own: two NAND2 gates and an INV on a 10-pin header, pins 1 to 8
// in order, pins 9 and 10 free.
class ViewPinChangeTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Gates(1, 2).Package("HDR", "HDR-2x5")));
  }
  void SendPin(const char* symbol, int gate, int terminal, int pin) {
    CPinNumberHint hint(symbol, gate, terminal, pin);
    Design().UpdateAllViews(nullptr, HintPinNumber, &hint);
  }
};

TEST_F(ViewPinChangeTest, APinChangeRedrawsTheOldPadBeforeTheNewOne) {
  CPadInstance* oldLand = Land(PcbView(), 6);
  CPadInstance* newLand = Land(PcbView(), 9);
  DrawLog draws(PcbView());
  // As the grid does: change the component, then tell the views.
  Component().SetPinNumber(1, 3, CGate::kNoPin);
  SendPin("NAND2", 1, 3, CGate::kNoPin);
  Component().SetPinNumber(1, 3, 9);
  SendPin("NAND2", 1, 3, 9);
  EXPECT_EQ(draws.Draws(), (Draws{{oldLand, kDrawBeforeChange},
                                  {oldLand, kDrawAfterChange},
                                  {newLand, kDrawBeforeChange},
                                  {newLand, kDrawAfterChange}}));
  EXPECT_FALSE(oldLand->IsAssigned());
  EXPECT_TRUE(newLand->IsAssigned());
  EXPECT_EQ(Terminal(ScmView(), 1, 3)->GetPinNumber(), 9);

  // A pin no pad carries is stored without redrawing.
  DrawLog none(PcbView());
  SendPin("NAND2", 0, 1, 12);
  EXPECT_TRUE(none.Draws().empty());
  EXPECT_EQ(PlacedInstance(PcbView())->GetComponent()->GetPinNumber(0, 1), 12);
  EXPECT_EQ(Terminal(ScmView(), 0, 1)->GetPinNumber(), 12);
  EXPECT_FALSE(Land(PcbView(), 1)->IsAssigned());
}

TEST_F(ViewPinChangeTest, ATerminalRenameReachesEveryGateOfTheSymbolIgnoringCase) {
  DrawLog scmDraws(ScmView());
  DrawLog pcbDraws(PcbView());
  CPinNameHint hint("nand2", 2, "CLK");
  Design().UpdateAllViews(nullptr, HintPinName, &hint);
  CPadInstance* first = Terminal(ScmView(), 0, 2);
  CPadInstance* second = Terminal(ScmView(), 1, 2);
  EXPECT_EQ(first->GetTerminalName(), "CLK");
  EXPECT_EQ(second->GetTerminalName(), "CLK");
  EXPECT_EQ(Terminal(ScmView(), 2, 2)->GetTerminalName(), "T2");
  EXPECT_EQ(Land(PcbView(), 5)->GetTerminalName(), "CLK");
  EXPECT_EQ(scmDraws.Draws(), (Draws{{first, kDrawBeforeChange},
                                     {second, kDrawBeforeChange},
                                     {first, kDrawAfterChange},
                                     {second, kDrawAfterChange}}));
  CPadInstance* pin2 = Land(PcbView(), 2);
  CPadInstance* pin5 = Land(PcbView(), 5);
  EXPECT_EQ(pcbDraws.Draws(), (Draws{{pin2, kDrawBeforeChange},
                                     {pin5, kDrawBeforeChange},
                                     {pin2, kDrawAfterChange},
                                     {pin5, kDrawAfterChange}}));
}

TEST_F(ViewPinChangeTest,
       ThePendingPickIsUnmarkedRestoredAndForgottenOnARebuildAndLeavingTellsTheMainWindow) {
  PcbView().StartAssignPins();
  CAssignPinsMode& mode = PcbView().GetAssignPinsMode();
  EXPECT_EQ(mode.GetStatusInfo().GetStatusString(), "Assign Pins");
  CPadInstance* land = Land(PcbView(), 4);
  land->SetHighlight(true);
  mode.RememberPick(land);
  DrawLog draws(PcbView());
  PcbView().ClearAssignPick();
  EXPECT_FALSE(land->GetHighlight());
  EXPECT_EQ(mode.GetPendingItem(), nullptr);
  EXPECT_EQ(mode.GetCurrentState(), CAssignPinsMode::kAwaitPartnerState);
  mode.RememberPick(land);
  PcbView().RestoreAssignPick();
  EXPECT_TRUE(land->GetHighlight());
  EXPECT_EQ(mode.GetPendingItem(), land);
  EXPECT_EQ(mode.GetCurrentState(), CAssignPinsMode::kReadyState);
  EXPECT_EQ(draws.Draws(), (Draws{{land, kDrawAfterChange}, {land, kDrawAfterChange}}));
  // The rebuild deletes the pad: the mode must not hold on to it.
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  EXPECT_EQ(mode.GetPendingItem(), nullptr);
  // Leaving the mode tells the main window once.
  MainWindow().ClearCommands();
  PcbView().StartSelectMode();
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  EXPECT_TRUE(PcbView().GetSelectMode().IsRunning());
}

// A host may pass any object with an update hint. The pin grid and the drawings take a
// hint's object only when it is of the class the hint carries; anything else is ignored,
// never read as if it were the expected kind.
// An object of the host's own, smaller than any hint object the editor knows, so that
// reading it as one of those reads past its end.
class CHostObject : public CObject {
  DECLARE_DYNAMIC(CHostObject)
};
IMPLEMENT_DYNAMIC(CHostObject, CObject)

// Everything the user and the design show: the grid's cells with their bold marks,
// every pad each drawing shows with its texts and marks, and the pin map and names.
std::string Shown(CComponentGrid& grid, std::initializer_list<CSymbolView*> views, CComponent& component) {
  std::ostringstream shown;
  const GridData* cells = GetGridData(grid.GetEditGrid().GetSafeHwnd());
  for (long row = 0; row < cells->Rows(); ++row) {
    for (long col = 0; col < cells->Cols(); ++col)
      shown << cells->Cell(row, col)->text.str() << (cells->Cell(row, col)->bold ? "*|" : "|");
  }
  for (const CSymbolView* view : views) {
    for (const CPadInstance* pad : PlacedPads(*view))
      shown << pad->GetPinNumberText()->GetText().str() << ' ' << pad->GetPinNameText()->GetText().str()
            << (pad->GetHighlight() ? " lit" : "") << (pad->IsSelected() ? " selected" : "")
            << (pad->IsAssigned() ? " assigned\n" : "\n");
  }
  for (int gate = 0; gate < component.CountGates(); ++gate) {
    for (int terminal = 1; terminal <= component.FindGate(gate)->CountPins(); ++terminal)
      shown << component.GetPinName(gate, terminal).str() << ' ' << component.GetPinNumber(gate, terminal)
            << '\n';
  }
  return shown.str();
}

// Shipped bug (d148969): a hint's object was read as the kind the hint carries whatever
// its class.
TEST_F(SampleEditorTest, ObjectsOfAnotherClassAreIgnoredUnderEveryHintThatCarriesOne) {
  // Something is marked, so that a hint taken wrongly has marks to disturb.
  Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), 5));
  const std::string before = Shown(*Grid(), {&ScmView(), &PcbView()}, Component());
  ASSERT_NE(before.find('*'), std::string::npos);
  ASSERT_NE(before.find(" lit"), std::string::npos);
  CHostObject host;
  CPinNumberHint pinNumber("NAND2", 0, 1, 9);
  CPinNameHint pinName("NAND2", 1, "X");
  const std::vector<std::pair<LPARAM, CObject*>> sent = {
      {HintPicked, &host},          {HintPicked, &pinNumber},
      {HintPinNumber, &host},       {HintPinNumber, &pinName},
      {HintPinName, &host},         {HintPinName, &pinNumber},
      {HintComponentObject, &host}, {HintComponentObject, &pinNumber}};
  for (const auto& [hint, object] : sent) {
    SCOPED_TRACE("hint " + std::to_string(hint) + " with a " + object->GetRuntimeClass()->m_lpszClassName);
    Design().UpdateAllViews(nullptr, hint, object);
    EXPECT_EQ(Shown(*Grid(), {&ScmView(), &PcbView()}, Component()), before);
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

}  // namespace
