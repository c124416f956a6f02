// The two drawings as the editor opens them: what each one places, how it is fitted,
// the colours it is drawn in, what the user is told when a drawing cannot be made, and
// the technology file merged on every rebuild.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editor/views/view_colours.h"
#include "host/utility/evt.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/view_items.h"

namespace {

using ViewBuildTest = EditorTest;

TEST_F(ViewBuildTest, ADrawingThatCannotBeMadeIsEmptyAndStillFitted) {
  Screen().ExpectMessageBox(IDOK);
  ComponentBuilder("DUT").Gates(1, "NAND2", 3, "missing.scmlib").BuildInto(Design());
  Design().FirstComponent()->SetPcbSymbol("");
  ASSERT_TRUE(OpenEditor());
  ASSERT_EQ(MessageTexts().size(), 1u) << "no PCB symbol is no fault";
  EXPECT_NE(MessageTexts()[0].Find("missing.scmlib"), -1) << MessageTexts()[0].str();
  for (CSymbolView* view : {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
    EXPECT_EQ(PlacedInstance(*view), nullptr);
    EXPECT_EQ(view->GetViewDesign()->GetDesignArea(), CRect(0, 0, 1016000, 1016000));
  }
}

// The colours in the order they are read: every colour the drawings take.
std::vector<COLORREF> ColoursOf(CSymbolView& view) {
  CDesignColours* c = view.GetViewDesign()->GetDesignColours();
  return {c->GetBackground(),
          c->GetAssignedPins(),
          c->GetColour(RUNTIME_CLASS(CPadInstance)),
          c->GetColour(RUNTIME_CLASS(CTextInstance)),
          c->GetColour(RUNTIME_CLASS(CCopperInstance)),
          c->GetSelection(),
          c->GetHighlight(),
          c->GetColour(RUNTIME_CLASS(CPinNameInstance)),
          c->GetColour(RUNTIME_CLASS(CPinNumberInstance)),
          c->GetUnconnectedPins()};
}

// Listens to "DesignColoursChanged" as a drawing window of the host would.
class ColourListener : public CEvt {
 public:
  ColourListener() { CEvt::Register("DesignColoursChanged", this, &ColourListener::OnChanged); }
  ~ColourListener() override { CEvt::UnregisterAll(this); }
  int OnChanged(long design, long) {
    designs.push_back(design);
    return 1;
  }
  std::vector<long> designs;
};

// One gate is referenced as gate a, several by their letters; a colour never stored
// takes the next palette entry.
TEST_F(ViewBuildTest, TheDrawingsReferenceTheGatesAndTakeTheStoredColoursOrThePalettes) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));
  EXPECT_EQ(ColoursOf(ScmView()),
            std::vector<COLORREF>(kViewColourPalette.begin(), kViewColourPalette.begin() + 10));
  EXPECT_FALSE(ScmView().GetViewDesign()->GetDesignColours()->GetHighlightUnconnectedPins());
  const auto reference = [&](size_t gate) {
    return PlacedSymbols(ScmView()).at(gate)->FindText(CTextInstance::Role::Reference)->GetText();
  };
  EXPECT_EQ(PlacedInstance(ScmView())->GetReference() + "/" + reference(0), "Gate a/Gate a");
  EXPECT_TRUE(PlacedInstance(ScmView())->GetDisplay().componentName);
  Component().AddGate(1, "logic.scmlib", "INV", 2, nullptr, nullptr);
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  EXPECT_EQ(PlacedInstance(ScmView())->GetReference() + "/" + reference(1), "Gate /Gate b");
  const std::vector<CSymbolInstance*> symbols = PlacedSymbols(ScmView());
  EXPECT_LT(symbols[0]->GetExtents().GetMax().x, symbols[1]->GetExtents().GetMin().x) << "side by side";
  // Each drawing is fitted into a square, its larger side and a margin wide, round it.
  for (CSymbolView* view : {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
    const CRect area = view->GetViewDesign()->GetDesignArea();
    const CRect contents = view->GetViewDesign()->GetExtents();
    EXPECT_EQ(area, CRect(0, 0, area.right, area.right));
    EXPECT_EQ(area.right, std::max(contents.Width(), contents.Height()) + 1016000);
    EXPECT_NEAR(contents.CenterPoint().x, area.right / 2, 1);
    EXPECT_NEAR(contents.CenterPoint().y, area.right / 2, 1);
  }
  // The PCB drawing shows the footprint alone, with its name and no reference.
  EXPECT_EQ(PlacedInstance(PcbView())->GetReference(), "");
  EXPECT_TRUE(PlacedInstance(PcbView())->GetDisplay().symbolName);
  EXPECT_FALSE(PlacedInstance(PcbView())->GetDisplay().componentName);
  // A PCB-only component is drawn without its names.
  Component().SetPcbOnly(true);
  Design().UpdateAllViews(nullptr, HintComponent, &Component());
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().componentName);
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().symbolName);

  // "AssignedPins" is read a second time for the unconnected pins: the next entry again.
  CloseEditor();
  const COLORREF n = RGB(9, 9, 9);
  for (const char* name : {"Background", "UnassignedPins", "Text", "Outlines", "Selection", "Highlight",
                           "PinNames", "PinNumbers"})
    ASSERT_TRUE(Settings().Set(kViewColoursKey, name, static_cast<unsigned long>(n)));
  ASSERT_TRUE(OpenEditor());
  const COLORREF* p = kViewColourPalette.data();
  EXPECT_EQ(ColoursOf(PcbView()), (std::vector<COLORREF>{n, p[0], n, n, n, n, n, n, n, p[1]}));
  EXPECT_NE(PcbView().GetViewDesign()->FindLayer("Top Copper"), nullptr) << "the technology file is merged";

  // The colours hint tells the drawings' windows.
  ColourListener listener;
  Design().UpdateAllViews(nullptr, HintColours, nullptr);
  EXPECT_EQ(listener.designs, (std::vector<long>{reinterpret_cast<long>(ScmView().GetViewDesign()),
                                                 reinterpret_cast<long>(PcbView().GetViewDesign())}));
}

}  // namespace
