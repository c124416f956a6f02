// The component frame as the host opens it: its panes with and without the pin grid,
// the current component and the caption, the module's texts and message, the lookup of
// the frame from the windows inside it and the drawings' modes.
#include <gtest/gtest.h>

#include "editor/frame/editor_module.h"
#include "host/utility/flex_grid.h"
#include "platform/window_handle.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

const char* const kGridKey = "ComponentEditor\\Grid";
const char* const kGridUnavailable =
    "Due to a problem initialising a Microsoft OCX control the grid cannot be displayed.\n\n"
    "This option has now been turned off in Preferences.";

CRect RectOf(const CWnd* wnd) {
  CRect rect;
  wnd->GetWindowRect(&rect);
  return rect;
}

class ComponentFrameTest : public EditorTest {
 protected:
  CSplitterWnd* FrameSplitter() {
    return DynamicDowncast<CSplitterWnd>(Frame().GetDlgItem(AFX_IDW_PANE_FIRST));
  }
  CWnd* UpperPane() { return FrameSplitter()->GetPane(0, 0); }
  std::string PackageAttribute() {
    int count = 0;
    std::string value;
    POSITION position = nullptr;
    for (CAttribute* a = Design().GetAttributes()->First(position); a != nullptr;
         a = Design().GetAttributes()->Next(position)) {
      if (a->GetName().CompareNoCase("[PackageName]") != 0) continue;
      ++count;
      value = a->GetValue().str();
    }
    return count <= 1 ? value : "(" + std::to_string(count) + " attributes)";
  }
};

TEST_F(ComponentFrameTest, OpensWithTheGridAboveTheTwoDrawingsAndTheCurrentComponentChosenOnce) {
  Design().AddAttribute("[PackageName]", "stale");
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));

  ASSERT_NE(Grid(), nullptr);
  EXPECT_EQ(UpperPane(), Grid());
  EXPECT_EQ(FrameSplitter()->GetPane(1, 0), &Symbols());
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_TRUE(Settings().Writes().empty());
  // A third of the height for the grid, the drawings below it side by side.
  CRect client;
  Frame().GetClientRect(&client);
  EXPECT_EQ(RectOf(Grid()).Height(), client.Height() / 3);
  EXPECT_GT(RectOf(&Symbols()).top, RectOf(Grid()).bottom);
  EXPECT_GT(RectOf(&PcbView()).left, RectOf(&ScmView()).right);
  // The views' initial updates made both splitters visible.
  EXPECT_TRUE(FrameSplitter()->IsWindowVisible());
  EXPECT_TRUE(Symbols().GetSplitter().IsWindowVisible());
  EXPECT_EQ(Grid()->GetDocument(), &Design());

  // The first record is current and names the package in the design.
  CComponent* first = Design().FirstComponent();
  EXPECT_EQ(Frame().GetComponent(false), first);
  EXPECT_EQ(PackageAttribute(), "DIP-14");
  EXPECT_EQ(Frame().GetWindowText(), "sample.cmplib");

  // Once chosen, asking again neither chooses nor sets the caption.
  Design().SetTitle("renamed");
  Design().FindAttribute("[PackageName]")->SetValue("other");
  EXPECT_EQ(Frame().GetComponent(false), first);
  EXPECT_EQ(Design().GetTitle(), "renamed");
  EXPECT_EQ(PackageAttribute(), "other");

  // Reloading makes the first record current again and sets the caption.
  EXPECT_EQ(Frame().GetComponent(true), first);
  EXPECT_EQ(Design().GetTitle(), "sample.cmplib");
  EXPECT_EQ(Frame().GetWindowText(), "sample.cmplib");
  EXPECT_EQ(PackageAttribute(), "DIP-14");

  // Every window inside the editor finds its frame; both drawings switch modes together.
  CHostComponentFrame* second = OpenSecondFrame();
  ASSERT_NE(second, nullptr);
  for (CWnd* inside : {static_cast<CWnd*>(&ScmView()), static_cast<CWnd*>(&Symbols()),
                       static_cast<CWnd*>(&Grid()->GetEditGrid())})
    EXPECT_EQ(GetComponentFrame(inside), &Frame());
  EXPECT_EQ(GetComponentFrame(second->GetSymbolsFrame()->GetPcbView()), second);
  EXPECT_EQ(GetComponentFrame(&MainWindow()), nullptr);
  EXPECT_EQ(GetComponentFrame(nullptr), nullptr);
  // A popup window owned by a view (a tool window, a dialog) is inside the editor too.
  CWnd popup;
  ASSERT_TRUE(popup.CreateEx(0, kClassGenericWindow, "tip", WS_POPUP, CRect(0, 0, 10, 10), &PcbView(), 0));
  EXPECT_EQ(GetComponentFrame(&popup), &Frame());
  popup.DestroyWindow();

  Symbols().StartAssignPins();
  EXPECT_EQ(ScmView().GetDirector()->GetRunningActor(), &ScmView().GetAssignPinsMode());
  EXPECT_EQ(PcbView().GetDirector()->GetRunningActor(), &PcbView().GetAssignPinsMode());
  Symbols().StartSelectMode();
  EXPECT_EQ(ScmView().GetDirector()->GetRunningActor(), &ScmView().GetSelectMode());
  EXPECT_EQ(PcbView().GetDirector()->GetRunningActor(), &PcbView().GetSelectMode());
}

// The dummy grid of a failed grid and of the setting switched off is the same empty pane.
TEST_F(ComponentFrameTest, AGridThatFailsIsReportedOnceAndTheSettingIsTurnedOff) {
  FailGridCreation();
  Screen().ExpectMessageBox(IDOK, CString(kGridUnavailable));
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));

  EXPECT_EQ(Grid(), nullptr);
  EXPECT_NE(DynamicDowncast<CDummyGrid>(UpperPane()), nullptr);
  EXPECT_EQ(RectOf(UpperPane()).Height(), 0);
  EXPECT_EQ(Screen().MessageBoxesShown().at(0).type & MB_YESNO, 0u);
  EXPECT_EQ(Settings().Writes(), (std::vector<SettingsWrite>{{kGridKey, "Enabled", "false", false}}));
  // Nothing is left of the failed grid view on the design; the drawings still show the
  // component and write-back has nothing to do.
  EXPECT_EQ(Design().GetViewCount(), 4);  // spy, dummy grid, two drawings
  EXPECT_NE(PcbPad(14), nullptr);
  ClearRecords();
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_TRUE(UndoLevels().Events().empty());

  // With the setting off, the next frame goes straight to the dummy grid, says nothing
  // and writes nothing.
  CHostComponentFrame* second = OpenSecondFrame();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetGrid(), nullptr);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u);
  EXPECT_TRUE(Settings().Writes().empty());

  // Switched on again, a working grid control is used.
  CFlexGrid::SetFailCreationForTesting(false);
  SetComponentEditGrid(true);
  CHostComponentFrame* third = OpenSecondFrame();
  ASSERT_NE(third, nullptr);
  EXPECT_NE(third->GetGrid(), nullptr);
  EXPECT_EQ(GetComponentFrame(third->GetGrid()), third);
}

TEST_F(ComponentFrameTest, ADesignWithoutComponentsOpensAndIsTitledByItsFileAndTheModuleKeepsItsTexts) {
  Design().SetPathName("/tmp/libraries/empty.cmplib");
  Design().SetTitle("untitled");
  ASSERT_TRUE(OpenEditor());

  EXPECT_EQ(Frame().GetComponent(false), nullptr);
  EXPECT_EQ(Design().GetTitle(), "empty.cmplib");
  EXPECT_EQ(Design().FindAttribute("[PackageName]"), nullptr);
  EXPECT_FALSE(Frame().AnythingSelected());

  // Components that arrive later are taken up by the next lazy choice.
  ComponentBuilder("LATE").Gates(1, 2).Package("SMD", "0805").BuildInto(Design());
  ASSERT_NE(Frame().GetComponent(false), nullptr);
  EXPECT_EQ(Component().GetName(), "LATE");
  EXPECT_EQ(PackageAttribute(), "SMD");

  // The module brings its texts and takes them away.
  UnloadComponentEditorModule();
  EXPECT_FALSE(IsComponentEditorModuleLoaded());
  CString text;
  EXPECT_FALSE(text.LoadString(IDS_ERR_GRID_UNAVAILABLE));

  LoadComponentEditorModule();
  LoadComponentEditorModule();
  EXPECT_TRUE(IsComponentEditorModuleLoaded());
  ASSERT_TRUE(text.LoadString(IDS_ERR_GRID_UNAVAILABLE));
  EXPECT_EQ(text, kGridUnavailable);
  EXPECT_EQ(CComponentFrame::GetInvalidateFrameMessage(), RegisterWindowMessage("Invalidate.Frame"));
}

}  // namespace
