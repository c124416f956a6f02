// The update hints as the drawings hear them from the grid, the frame and each other:
// which are ignored, what they highlight, and how single pin changes are redrawn; and
// objects of a host's own class passed with a hint, which every pane ignores.
#include <gtest/gtest.h>

#include "tests/editor/grid/grid_test.h"
#include "tests/support/view_items.h"

namespace {

using Marks = std::vector<std::string>;

// QUAD-NAND2 in DIP-14: gates 0 to 3 are NAND2 (A, B, Y), gate 4 is POWER (VCC 14,
// GND 7); gate 2 has A 9, B 10, Y 8.
using ViewHintsTest = SampleGridTest;

TEST_F(ViewHintsTest, HighlightPinNamesATerminalOrAPinAndAViewIgnoresItsOwnHints) {
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(kHighlightPcbPin, 7));
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(2, 3));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"2.3"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"7"});
  // The next terminal clears the one before.
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(1, 2));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  // A view ignores its own hints, and every view hints out of range.
  Design().UpdateAllViews(&ScmView(), HintClearHighlight, nullptr);
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(kHighlightPcbPin, 5));
  for (LPARAM outOfRange : {8, -1, -6}) Design().UpdateAllViews(nullptr, outOfRange, nullptr);
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"1.2"});
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{"5"});

  // Clearing drops selections too, and redraws a selected symbol instead of its pads.
  Terminal(ScmView(), 2, 1)->SetSelected(true);
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(ScmView().GetSelectedItem(), nullptr);
  CSymbolInstance* gate = PlacedSymbols(ScmView())[0];
  gate->SetSelected(true);
  Terminal(ScmView(), 0, 2)->SetHighlight(true);
  DrawLog draws(ScmView());
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(draws.Draws(), (Draws{{gate, kDrawClearedSymbol}}));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{});
  EXPECT_FALSE(ScmView().HasSelection());
}

// Shipped bug (d148969): a hint's object was read as the kind the hint carries whatever
// its class. The object of a host's own class is smaller than any hint object the
// editor knows, so that reading it as one of those reads past its end.
class CHostObject : public CObject {
  DECLARE_DYNAMIC(CHostObject)
};
IMPLEMENT_DYNAMIC(CHostObject, CObject)

TEST_F(ViewHintsTest, ObjectsOfAnotherClassAreIgnoredUnderEveryHintThatCarriesOne) {
  // Something is marked, so that a hint taken wrongly has marks to disturb.
  Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), 5));
  const auto shown = [&] {
    std::string text = Rows(0, Cells().GetRows());
    for (const std::string& cell : BoldCells()) text += cell + "*";
    for (const CSymbolView* view :
         {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
      for (const CPadInstance* pad : PlacedPads(*view))
        text += pad->GetPinNumberText()->GetText().str() + pad->GetPinNameText()->GetText().str() +
                (pad->GetHighlight() ? "!" : "") + (pad->IsSelected() ? "s" : "") +
                (pad->IsAssigned() ? "a;" : ";");
    }
    return text;
  };
  const std::string before = shown();
  ASSERT_NE(before.find('*'), std::string::npos);
  ASSERT_NE(before.find('!'), std::string::npos);
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
    EXPECT_EQ(shown(), before);
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

// Each item drawn before the change, then each after it.
Draws AroundChange(const std::vector<CDesignItem*>& items) {
  Draws draws;
  for (int mode : {kDrawBeforeChange, kDrawAfterChange}) {
    for (CDesignItem* item : items) draws.emplace_back(item, mode);
  }
  return draws;
}

TEST_F(ViewHintsTest, ATerminalRenameReachesEveryGateOfTheSymbolInAnyLetterCase) {
  DrawLog scmDraws(ScmView());
  DrawLog pcbDraws(PcbView());
  CPinNameHint hint("nand2", 2, "CLK");
  Design().UpdateAllViews(nullptr, HintPinName, &hint);
  std::vector<CDesignItem*> terminals;
  for (int gate = 0; gate < 4; ++gate) terminals.push_back(Terminal(ScmView(), gate, 2));
  for (CDesignItem* terminal : terminals)
    EXPECT_EQ(static_cast<CPadInstance*>(terminal)->GetTerminalName(), "CLK");
  EXPECT_EQ(Terminal(ScmView(), 4, 2)->GetTerminalName(), "GND");
  EXPECT_EQ(Land(PcbView(), 13)->GetTerminalName(), "CLK");
  EXPECT_EQ(scmDraws.Draws(), AroundChange(terminals));
  EXPECT_EQ(pcbDraws.Draws(),
            AroundChange({Land(PcbView(), 2), Land(PcbView(), 5), Land(PcbView(), 10), Land(PcbView(), 13)}));
}

}  // namespace
