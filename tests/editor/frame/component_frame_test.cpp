// The component frame as the host opens it: its panes with and without the pin grid,
// the current component and the caption, the lookup of the frame from the windows inside
// it, the module's texts; and the commands that open no dialog of the editor's own:
// edit-in-library, the view commands and the host's Values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/frame/editor_module.h"
#include "host/designops/designops_resources.h"
#include "host/utility/flex_grid.h"
#include "platform/cmd_target.h"
#include "platform/window_handle.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Texts = std::vector<std::string>;
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
  // The design's "[PackageName]" value, the package its caption names.
  std::string PackageAttribute() {
    const CAttribute* attribute = Design().FindAttribute("[PackageName]");
    return attribute != nullptr ? attribute->GetValue().str() : "(none)";
  }
  // Whether the update handler enables its command.
  bool Enabled(void (CComponentFrame::*handler)(CCmdUI*)) {
    CCmdUI state(0);
    (Frame().*handler)(&state);
    return state.WasEnableSet() && state.IsEnabled();
  }
  static double Scale(const CSymbolView& view) { return view.GetTransform().GetScale(); }
};

TEST_F(ComponentFrameTest, OpensWithTheGridAboveTheTwoDrawingsAndRunsItsCommandsOnTheComponentShown) {
  Design().AddAttribute("[PackageName]", "stale");
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ASSERT_NE(Grid(), nullptr);
  // A third of the height for the grid, the drawings below it side by side.
  CRect client;
  Frame().GetClientRect(&client);
  EXPECT_EQ(RectOf(Grid()).Height(), client.Height() / 3);
  EXPECT_GT(RectOf(&Symbols()).top, RectOf(Grid()).bottom);
  EXPECT_GT(RectOf(&PcbView()).left, RectOf(&ScmView()).right);
  EXPECT_TRUE(FrameSplitter()->IsWindowVisible());
  EXPECT_TRUE(Symbols().GetSplitter().IsWindowVisible());

  // The first record is current and names the package in the design; once chosen,
  // asking again neither chooses nor sets the caption; reloading does both again.
  CComponent* first = Design().FirstComponent();
  EXPECT_EQ(Frame().GetComponent(false), first);
  EXPECT_EQ(PackageAttribute(), "DIP-14");
  EXPECT_EQ(Frame().GetWindowText(), "sample.cmplib");
  Design().SetTitle("renamed");
  EXPECT_EQ(Frame().GetComponent(false), first);
  EXPECT_EQ(Design().GetTitle(), "renamed");
  EXPECT_EQ(Frame().GetComponent(true), first);
  EXPECT_EQ(Design().GetTitle(), "sample.cmplib");

  // Edit-in-library follows the selection and hands the host the item's symbol.
  EXPECT_FALSE(Enabled(&CComponentFrame::OnUpdateEditScmSymbolInLib));
  EXPECT_FALSE(Enabled(&CComponentFrame::OnUpdateEditPcbSymInLibrary));
  Select(PcbPad(3));
  EXPECT_FALSE(Enabled(&CComponentFrame::OnUpdateEditScmSymbolInLib));
  EXPECT_TRUE(Enabled(&CComponentFrame::OnUpdateEditPcbSymInLibrary));
  Select(ScmTerminal(2, 3));
  EXPECT_TRUE(Enabled(&CComponentFrame::OnUpdateEditScmSymbolInLib));
  Frame().OnEditScmSymbolInLib();
  Frame().OnEditPcbSymInLibrary();
  Texts edits;
  for (const auto& edit : Frame().LibraryEdits())
    edits.push_back((edit.symbol.symbolName + " " + edit.symbol.libraryFile).str() +
                    (edit.pcbSymbol ? " pcb" : ""));
  EXPECT_EQ(edits, (Texts{"NAND2 " + DataDirectory().str() + "/logic.scmlib",
                          "DIP-14 " + DataDirectory().str() + "/footprints.pcblib pcb"}));

  // The view commands act on the drawing under the cursor only.
  const double scm = Scale(ScmView());
  const double pcb = Scale(PcbView());
  Frame().OnZoomAtCursor();
  EXPECT_EQ(Scale(ScmView()), scm) << "the cursor is over neither drawing";
  ASSERT_TRUE(user.MoveMouse(&ScmView(), CPoint(30, 30)));
  Frame().OnZoomAtCursor();
  EXPECT_GT(Scale(ScmView()), scm);
  EXPECT_EQ(Scale(PcbView()), pcb);
  Frame().OnUnzoomAtCursor();
  Frame().OnUnzoomAtCursor();
  EXPECT_LT(Scale(ScmView()), scm);
  Frame().OnViewExtents();
  EXPECT_DOUBLE_EQ(Scale(ScmView()), scm);
  ASSERT_TRUE(user.MoveMouse(&PcbView(), CPoint(20, 20)));
  const CPoint origin = PcbView().GetTransform().GetOrigin();
  const CPoint scmOrigin = ScmView().GetTransform().GetOrigin();
  Frame().OnViewPan();
  EXPECT_NE(PcbView().GetTransform().GetOrigin(), origin);
  EXPECT_EQ(ScmView().GetTransform().GetOrigin(), scmOrigin);
  Frame().OnRefreshView();
  EXPECT_NE(PcbView().GetTransform().GetOrigin(), origin) << "a refresh redraws without moving";

  // Values opens the host's dialog on the current component and shows the result.
  ClearRecords();
  ExpectDialogClosedBy(Screen(), IDD_VALUES, IDCANCEL);
  Frame().OnValues();
  EXPECT_TRUE(UndoLevels().Events().empty()) << "the frame opens no level of its own";
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});

  // Every window inside the editor finds its frame, a popup a view owns too (a second
  // frame's is the failed grid scene's).
  EXPECT_EQ(GetComponentFrame(&Grid()->GetEditGrid()), &Frame());
  EXPECT_EQ(GetComponentFrame(&MainWindow()), nullptr);
  EXPECT_EQ(GetComponentFrame(nullptr), nullptr);
  CWnd popup;
  ASSERT_TRUE(popup.CreateEx(0, kClassGenericWindow, "tip", WS_POPUP, CRect(0, 0, 10, 10), &PcbView(), 0));
  EXPECT_EQ(GetComponentFrame(&popup), &Frame());
  popup.DestroyWindow();
}

// The dummy grid of a failed grid and of the setting switched off is the same empty pane.
TEST_F(ComponentFrameTest, AGridThatFailsIsReportedOnceAndTheSettingIsTurnedOff) {
  FailGridCreation();
  Screen().ExpectMessageBox(IDOK, CString(kGridUnavailable));
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  EXPECT_EQ(Grid(), nullptr);
  EXPECT_EQ(RectOf(FrameSplitter()->GetPane(0, 0)).Height(), 0);
  EXPECT_EQ(Settings().Writes(),
            (std::vector<SettingsWrite>{{"ComponentEditor\\Grid", "Enabled", "false", false}}));
  // Nothing is left of the failed grid view; the drawings still show the component and
  // write-back has nothing to do.
  EXPECT_EQ(Design().GetViewCount(), 4);  // spy, dummy grid, two drawings
  EXPECT_NE(PcbPad(14), nullptr);
  ClearRecords();
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_TRUE(UndoLevels().Events().empty());
  // With the setting off, the next frame goes straight to the dummy grid, silently.
  CHostComponentFrame* second = OpenSecondFrame();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetGrid(), nullptr);
  EXPECT_TRUE(Settings().Writes().empty());
  // Switched on again, a working grid control is used.
  CFlexGrid::SetFailCreationForTesting(false);
  SetComponentEditGrid(true);
  CHostComponentFrame* third = OpenSecondFrame();
  ASSERT_NE(third, nullptr);
  EXPECT_NE(third->GetGrid(), nullptr);
  EXPECT_EQ(GetComponentFrame(third->GetGrid()), third);
}

// The module's texts go with it.
TEST_F(ComponentFrameTest, ADesignWithoutComponentsOpensTitledByItsFileAndTakesUpALaterOne) {
  Design().SetPathName("/tmp/libraries/empty.cmplib");
  Design().SetTitle("untitled");
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(Frame().GetComponent(false), nullptr);
  EXPECT_FALSE(Frame().AnythingSelected());
  EXPECT_EQ(Design().GetTitle(), "empty.cmplib");
  EXPECT_EQ(PackageAttribute(), "(none)");
  ComponentBuilder("LATE").Gates(1, 2).Package("SMD", "0805").BuildInto(Design());
  EXPECT_EQ(Component().GetName(), "LATE");
  EXPECT_EQ(PackageAttribute(), "SMD");

  UnloadComponentEditorModule();
  CString text;
  EXPECT_FALSE(text.LoadString(IDS_ERR_GRID_UNAVAILABLE));
  LoadComponentEditorModule();
  EXPECT_TRUE(text.LoadString(IDS_ERR_GRID_UNAVAILABLE));
}

}  // namespace
