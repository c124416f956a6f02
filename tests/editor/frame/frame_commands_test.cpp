// The frame's commands that open no dialog of the editor's own: the host's value editing, the edit-in-library
// commands and their update handlers, and the view commands on the drawing under the cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/designops/designops_resources.h"
#include "host/model/gate.h"
#include "platform/cmd_target.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class FrameCommandsTest : public SampleEditorTest {
 protected:
  // Whether the update handler enables its command.
  bool Enabled(void (CComponentFrame::*handler)(CCmdUI*)) {
    CCmdUI state(0);
    (Frame().*handler)(&state);
    return state.WasEnableSet() && state.IsEnabled();
  }
  double Scale(const CSymbolView& view) { return view.GetTransform().GetScale(); }
};

// One scene: the edit-in-library commands and the view commands change no step, then
// Values makes the host's own.
TEST_F(FrameCommandsTest, EditInLibraryFollowsTheSelectionViewCommandsTheCursorAndValuesTheComponent) {
  EXPECT_FALSE(Enabled(&CComponentFrame::OnUpdateEditScmSymbolInLib));
  EXPECT_FALSE(Enabled(&CComponentFrame::OnUpdateEditPcbSymInLibrary));
  EXPECT_TRUE(Symbols().EditScmSymbolInLib().symbolName.IsEmpty());
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
  EXPECT_EQ(Scale(PcbView()), pcb) << "a refresh redraws without moving";
  EXPECT_EQ(Design().GetUndoCount(), 0);

  // Values edits the current component in the host's own step.
  ClearRecords();
  Screen().ExpectDialog(IDD_VALUES, [](CDialog& dialog, UserInput& input) {
    input.TypeText(dialog.GetDlgItem(IDC_VALUES_NAME), "Tolerance");
    input.TypeText(dialog.GetDlgItem(IDC_VALUES_VALUE), "5%");
    input.Click(dialog.GetDlgItem(IDC_VALUES_ADD));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  Frame().OnValues();
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_VALUES}) << "the frame opens none of its own";
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Design().GetUndoName(), "Values");
  const CAttribute* tolerance = Component().GetAttributes()->Find("Tolerance");
  ASSERT_NE(tolerance, nullptr);
  EXPECT_EQ(tolerance->GetValue(), "5%");
}

}  // namespace
