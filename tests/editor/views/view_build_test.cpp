// The two drawings as the editor opens them: what each one places, how it is fitted,
// the colours it is drawn in, and what the user is told when a drawing cannot be made.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/view_colours.h"
#include "host/utility/evt.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

const char* const kColoursKey = "ComponentEditor\\Colours";

class ViewBuildTest : public EditorTest {
 protected:
  void StoreColour(const char* name, COLORREF colour) {
    ASSERT_TRUE(Settings().Set(kColoursKey, name, static_cast<unsigned long>(colour)));
  }
  void Rebuild() { Design().UpdateAllViews(nullptr, HintComponent, &Component()); }
  CTextInstance* ReferenceText(CSymbolInstance* symbol) {
    return symbol->FindText(CTextInstance::Role::Reference);
  }
};

TEST_F(ViewBuildTest, OneGateIsReferencedAsGateAAndSeveralByTheirLetters) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));
  ASSERT_EQ(PlacedSymbols(ScmView()).size(), 1u);
  EXPECT_EQ(PlacedInstance(ScmView())->GetReference(), "Gate a");
  EXPECT_EQ(ReferenceText(PlacedSymbols(ScmView())[0])->GetText(), "Gate a");

  Component().AddGate(1, "logic.scmlib", "INV", 2, nullptr, nullptr);
  Rebuild();

  EXPECT_EQ(PlacedInstance(ScmView())->GetReference(), "Gate ");
  const std::vector<CSymbolInstance*> symbols = PlacedSymbols(ScmView());
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_EQ(ReferenceText(symbols[0])->GetText(), "Gate a");
  EXPECT_EQ(ReferenceText(symbols[1])->GetText(), "Gate b");
  // The gates stand side by side, not on top of each other.
  EXPECT_LT(symbols[0]->GetExtents().GetMax().x, symbols[1]->GetExtents().GetMin().x);
  // The PCB drawing shows the footprint alone, with its name and no reference.
  EXPECT_EQ(PlacedInstance(PcbView())->GetReference(), "");
  EXPECT_TRUE(PlacedInstance(PcbView())->GetDisplay().symbolName);
  EXPECT_FALSE(PlacedInstance(PcbView())->GetDisplay().componentName);
}

TEST_F(ViewBuildTest, APcbOnlyComponentIsDrawnWithoutItsNames) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));
  EXPECT_TRUE(PlacedInstance(ScmView())->GetDisplay().componentName);
  EXPECT_TRUE(PlacedInstance(ScmView())->GetDisplay().symbolName);

  Component().SetPcbOnly(true);
  Rebuild();

  ASSERT_NE(PlacedInstance(ScmView()), nullptr);
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().componentName);
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().symbolName);
}

TEST_F(ViewBuildTest, WithoutAPcbSymbolThePcbDrawingIsEmptyAndStillFitted) {
  ComponentBuilder("DUT").Gates(2, 3).BuildInto(Design());
  Design().FirstComponent()->SetPcbSymbol("");
  ASSERT_TRUE(OpenEditor());

  EXPECT_EQ(PlacedInstance(PcbView()), nullptr);
  EXPECT_EQ(PcbView().GetViewDesign()->GetDesignArea(), CRect(0, 0, 1016000, 1016000));
  EXPECT_EQ(PlacedSymbols(ScmView()).size(), 2u);
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ViewBuildTest, ASymbolThatCannotBeReadIsReportedAndLeavesThatDrawingEmpty) {
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, "NAND2", 3, "missing.scmlib")));

  ASSERT_EQ(MessageTexts().size(), 1u);
  EXPECT_NE(MessageTexts()[0].Find("missing.scmlib"), -1) << MessageTexts()[0].str();
  EXPECT_EQ(PlacedInstance(ScmView()), nullptr);
  EXPECT_EQ(ScmView().GetViewDesign()->GetDesignArea(), CRect(0, 0, 1016000, 1016000));
  EXPECT_NE(PlacedInstance(PcbView()), nullptr);
}

// A footprint of one hairline 100 wide and 300 high, and nothing else shown.
class FitDesignTest : public ViewBuildTest {
 protected:
  void SetUp() override {
    ViewBuildTest::SetUp();
    WriteFileText(m_library, R"({"format": "symbol-library", "kind": "pcb", "version": 1, "symbols": [
        {"name": "BAR", "origin": {"x": 0, "y": 0}, "pads": [], "graphics": [
          {"type": "line", "layer": "Silkscreen", "width": 0,
           "from": {"x": 0, "y": 0}, "to": {"x": 100, "y": 300}}]}]})");
  }

  ScratchFolder m_scratch;
  std::filesystem::path m_library = m_scratch.Path() / "fit_design_test.pcblib";
};

TEST_F(FitDesignTest, TheDesignAreaIsASquareRoundTheContentsWithTheContentsInTheMiddle) {
  ComponentBuilder("DUT").Gates(1, 2).BuildInto(Design());
  Design().FirstComponent()->SetPcbSymbol("BAR");
  Design().FirstComponent()->GetPcbComponent()->SetLibrary(m_library.c_str());
  ASSERT_TRUE(OpenEditor());
  CSymbolInstance* bar = PlacedInstance(PcbView())->FirstSymbolInstance();
  ASSERT_NE(bar, nullptr);
  for (int index = 0; index < bar->CountTexts(); ++index) bar->GetText(index)->SetVisible(false);
  // Wherever the build left it, the hairline goes back to the origin first.
  const CRect before = PcbView().GetViewDesign()->GetExtents();
  PcbView().GetViewDesign()->Shift(-before.left, -before.top);
  ASSERT_EQ(PcbView().GetViewDesign()->GetExtents(), CRect(0, 0, 100, 300));

  PcbView().FitDesign();

  EXPECT_EQ(PcbView().GetViewDesign()->GetDesignArea(), CRect(0, 0, 1016300, 1016300));
  EXPECT_EQ(PcbView().GetViewDesign()->GetExtents(), CRect(508100, 508000, 508200, 508300));
}

TEST_F(ViewBuildTest, WithNoColoursStoredBothDrawingsTakeThePaletteInOrder) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));

  for (CSymbolView* view : {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
    CDesignColours* colours = view->GetViewDesign()->GetDesignColours();
    EXPECT_EQ(colours->GetBackground(), RGB(0, 0, 0));
    EXPECT_EQ(colours->GetAssignedPins(), RGB(0, 255, 0));
    EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CPadInstance)), RGB(0, 0, 255));
    EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CTextInstance)), RGB(0, 255, 255));
    EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CCopperInstance)), RGB(255, 255, 0));
    EXPECT_EQ(colours->GetSelection(), RGB(128, 128, 255));
    EXPECT_EQ(colours->GetHighlight(), RGB(128, 64, 0));
    EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CPinNameInstance)), RGB(0, 128, 0));
    EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CPinNumberInstance)), RGB(0, 0, 192));
    EXPECT_EQ(colours->GetUnconnectedPins(), RGB(0, 192, 192));
    EXPECT_FALSE(colours->GetHighlightUnconnectedPins());
  }
}

TEST_F(ViewBuildTest, AStoredColourLeavesItsPaletteEntryToTheNextAbsentOne) {
  StoreColour("Background", RGB(1, 2, 3));
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));

  CDesignColours* colours = ScmView().GetViewDesign()->GetDesignColours();
  EXPECT_EQ(colours->GetBackground(), RGB(1, 2, 3));
  EXPECT_EQ(colours->GetAssignedPins(), kViewColourPalette[0]);
  EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CPadInstance)), kViewColourPalette[1]);
  EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CPinNumberInstance)), kViewColourPalette[7]);
  // "AssignedPins" is read a second time for the unconnected pins: the next entry again.
  EXPECT_EQ(colours->GetUnconnectedPins(), kViewColourPalette[8]);
}

TEST_F(ViewBuildTest, AMissingAssignedPinsColourTakesTwoPaletteEntries) {
  const char* const stored[] = {"Background", "UnassignedPins", "Text",     "Outlines",
                                "Selection",  "Highlight",      "PinNames", "PinNumbers"};
  for (const char* name : stored) StoreColour(name, RGB(9, 9, 9));
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));

  CDesignColours* colours = PcbView().GetViewDesign()->GetDesignColours();
  EXPECT_EQ(colours->GetAssignedPins(), RGB(0, 0, 0));
  EXPECT_EQ(colours->GetUnconnectedPins(), RGB(0, 255, 0));
  EXPECT_EQ(colours->GetColour(RUNTIME_CLASS(CTextInstance)), RGB(9, 9, 9));
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

TEST_F(ViewBuildTest, TheColoursHintReadsTheColoursAgainAndTellsTheDrawings) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));
  StoreColour("Highlight", RGB(200, 100, 50));
  ColourListener listener;

  Design().UpdateAllViews(nullptr, HintColours, nullptr);

  EXPECT_EQ(ScmView().GetViewDesign()->GetDesignColours()->GetHighlight(), RGB(200, 100, 50));
  EXPECT_EQ(PcbView().GetViewDesign()->GetDesignColours()->GetHighlight(), RGB(200, 100, 50));
  EXPECT_EQ(listener.designs, (std::vector<long>{reinterpret_cast<long>(ScmView().GetViewDesign()),
                                                 reinterpret_cast<long>(PcbView().GetViewDesign())}));
}

}  // namespace
