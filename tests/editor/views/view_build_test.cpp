// The two drawings as the editor opens them: what each one places, how it is fitted,
// the colours it is drawn in, what the user is told when a drawing cannot be made, and
// the technology file merged on every rebuild (read again only when it changed).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/view_colours.h"
#include "host/model/design.h"
#include "host/utility/evt.h"
#include "platform/app_registry.h"
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
  EXPECT_EQ(PlacedInstance(ScmView())->GetReference(), "Gate a");
  EXPECT_EQ(ReferenceText(PlacedSymbols(ScmView())[0])->GetText(), "Gate a");
  EXPECT_TRUE(PlacedInstance(ScmView())->GetDisplay().componentName);
  Component().AddGate(1, "logic.scmlib", "INV", 2, nullptr, nullptr);
  Rebuild();
  EXPECT_EQ(PlacedInstance(ScmView())->GetReference(), "Gate ");
  const std::vector<CSymbolInstance*> symbols = PlacedSymbols(ScmView());
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_EQ(ReferenceText(symbols[1])->GetText(), "Gate b");
  EXPECT_LT(symbols[0]->GetExtents().GetMax().x, symbols[1]->GetExtents().GetMin().x) << "side by side";
  // The PCB drawing shows the footprint alone, with its name and no reference.
  EXPECT_EQ(PlacedInstance(PcbView())->GetReference(), "");
  EXPECT_TRUE(PlacedInstance(PcbView())->GetDisplay().symbolName);
  EXPECT_FALSE(PlacedInstance(PcbView())->GetDisplay().componentName);
  // A PCB-only component is drawn without its names.
  Component().SetPcbOnly(true);
  Rebuild();
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().componentName);
  EXPECT_FALSE(PlacedInstance(ScmView())->GetDisplay().symbolName);
}

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

// A footprint of one hairline 100 wide and 300 high, and nothing else shown.
TEST_F(ViewBuildTest, TheDesignAreaIsASquareRoundTheContentsWithTheContentsInTheMiddle) {
  ScratchFolder scratch;
  WriteFileText(scratch.Path() / "bar.pcblib", R"({"format": "symbol-library", "kind": "pcb", "version": 1,
      "symbols": [{"name": "BAR", "origin": {"x": 0, "y": 0}, "pads": [], "graphics": [{"type": "line",
      "layer": "Silkscreen", "width": 0, "from": {"x": 0, "y": 0}, "to": {"x": 100, "y": 300}}]}]})");
  ComponentBuilder("DUT").Gates(1, 2).BuildInto(Design());
  Design().FirstComponent()->SetPcbSymbol("BAR");
  Design().FirstComponent()->GetPcbComponent()->SetLibrary((scratch.Path() / "bar.pcblib").c_str());
  ASSERT_TRUE(OpenEditor());
  CSymbolInstance* bar = PlacedInstance(PcbView())->FirstSymbolInstance();
  for (int index = 0; index < bar->CountTexts(); ++index) bar->GetText(index)->SetVisible(false);
  // Wherever the build left it, the hairline goes back to the origin first.
  const CRect before = PcbView().GetViewDesign()->GetExtents();
  PcbView().GetViewDesign()->Shift(-before.left, -before.top);
  PcbView().FitDesign();
  EXPECT_EQ(PcbView().GetViewDesign()->GetDesignArea(), CRect(0, 0, 1016300, 1016300));
  EXPECT_EQ(PcbView().GetViewDesign()->GetExtents(), CRect(508100, 508000, 508200, 508300));
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

TEST_F(ViewBuildTest, AColourNeverStoredTakesTheNextPaletteEntry) {
  const std::vector<COLORREF> palette(kViewColourPalette.begin(), kViewColourPalette.begin() + 10);
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3)));
  EXPECT_EQ(ColoursOf(ScmView()), palette);
  EXPECT_EQ(ColoursOf(PcbView()), palette);
  EXPECT_FALSE(ScmView().GetViewDesign()->GetDesignColours()->GetHighlightUnconnectedPins());

  // "AssignedPins" is read a second time for the unconnected pins: the next entry again.
  CloseEditor();
  StoreColour("Background", RGB(1, 2, 3));
  ASSERT_TRUE(OpenEditor());
  const COLORREF* p = kViewColourPalette.data();
  EXPECT_EQ(ColoursOf(ScmView()),
            (std::vector<COLORREF>{RGB(1, 2, 3), p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8]}));

  CloseEditor();
  for (const char* name :
       {"UnassignedPins", "Text", "Outlines", "Selection", "Highlight", "PinNames", "PinNumbers"})
    StoreColour(name, RGB(9, 9, 9));
  ASSERT_TRUE(OpenEditor());
  const COLORREF n = RGB(9, 9, 9);
  EXPECT_EQ(ColoursOf(PcbView()), (std::vector<COLORREF>{RGB(1, 2, 3), p[0], n, n, n, n, n, n, n, p[1]}));

  // The colours hint reads them again and tells the drawings' windows.
  StoreColour("Highlight", RGB(200, 100, 50));
  ColourListener listener;
  Design().UpdateAllViews(nullptr, HintColours, nullptr);
  EXPECT_EQ(ColoursOf(PcbView())[6], RGB(200, 100, 50));
  EXPECT_EQ(listener.designs, (std::vector<long>{reinterpret_cast<long>(ScmView().GetViewDesign()),
                                                 reinterpret_cast<long>(PcbView().GetViewDesign())}));
}

// The drawings merge their technology file on every rebuild. An unchanged file is not
// read again; a file that changed (its time or size) is.
namespace fs = std::filesystem;

// A PCB technology whose only layer is `layer`.
std::string TechnologyWithLayer(const std::string& layer) {
  return R"({"format": "technology", "version": 1, "kind": "pcb",
    "layers": [{"name": ")" +
         layer + R"(", "colour": "#C83434", "visible": true}],
    "textStyles": [],
    "colours": {"AssignedPins": "#00FF00", "Background": "#000000", "Highlight": "#804000",
      "Outlines": "#FFFF00", "PinNames": "#008000", "PinNumbers": "#0000C0", "Selection": "#8080FF",
      "Text": "#00FFFF", "UnassignedPins": "#0000FF"}})";
}

TEST_F(EditorTest, ARebuildReadsTheTechnologyFileOnlyWhenItChanged) {
  ScratchFolder scratch;
  const fs::path file = scratch.Path() / "board.pcbtech";
  WriteFileText(file, TechnologyWithLayer("Probe A"));
  CAppRegistry settings("Technology");
  settings.SetValue("Directory", scratch.Path().c_str());
  settings.SetValue("LastPcb", "board.pcbtech");
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(1, 3).Package("P1", "DIP-8")));
  const auto rebuiltHas = [&](const char* layer) {
    Design().UpdateAllViews(nullptr, HintComponent, &Component());
    return PcbView().GetViewDesign()->FindLayer(layer) != nullptr;
  };
  ASSERT_TRUE(rebuiltHas("Probe A"));
  // Other text of the same size under the same time: the kept technology is merged.
  const fs::file_time_type written = fs::last_write_time(file);
  WriteFileText(file, TechnologyWithLayer("Probe B"));
  fs::last_write_time(file, written);
  EXPECT_FALSE(rebuiltHas("Probe B"));
  // A newer time: the file is read again; so it is for a new size under the same time.
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(rebuiltHas("Probe B"));
  WriteFileText(file, TechnologyWithLayer("Probe Cee"));
  fs::last_write_time(file, written + std::chrono::seconds(2));
  EXPECT_TRUE(rebuiltHas("Probe Cee"));
}

}  // namespace
