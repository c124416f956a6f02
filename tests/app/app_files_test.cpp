// Opening components from a library, saving them back and closing them: what the user
// is shown and what ends up on disk.
#include <gtest/gtest.h>

#include "editor/grid/component_grid.h"
#include "host/model/design.h"
#include "host/utility/edit_grid.h"
#include "platform/mdi_tab_bar.h"
#include "tests/app/app_fixture.h"
#include "tests/support/atomic_write_fault.h"
#include "tests/support/library_text.h"

namespace {

using AppFilesTest = AppTest;

const CString kSaveQuestion = "Save the changes to QUAD-NAND2 in sample.cmplib?";

// The user's path: open, change a pin, undo and redo it, save, edit a cell, save, reopen
// and save as another library. Title and tab mark unsaved changes; a save keeps every
// other byte of the library.
TEST_F(AppFilesTest, AChangeIsUndoneRedoneSavedAndReopened) {
  const std::string others = TextWithout(LibraryText(), "QUAD-NAND2");
  const int soicBefore = PinOnDisk("QUAD-NAND2", 1);
  ASSERT_TRUE(Open());
  const auto shown = [this] {
    Main().OnIdleUpdateCmdUI();
    return Main().GetWindowText() + "|" + Main().GetMDITabBar()->GetTabText(0) + "|" +
           Main().StatusBar().GetPaneText(0);
  };
  const CString clean = "Component Editor - QUAD-NAND2 - sample.cmplib|QUAD-NAND2 - sample.cmplib|";
  const CString marked = "Component Editor - *QUAD-NAND2 - sample.cmplib|*QUAD-NAND2 - sample.cmplib|";
  EXPECT_EQ(shown(), clean);
  EXPECT_FALSE(MenuEnabled(ID_APP_UNDO));
  const int before = Pin();
  ChangeOnePin();
  EXPECT_EQ(shown(), marked);
  EXPECT_EQ(UndoText(), "&Undo Assign Pins\tCtrl+Z");
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(Pin(), before);
  EXPECT_EQ(MenuItem(ID_APP_REDO).text, "&Redo Assign Pins\tCtrl+Y");
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  EXPECT_EQ(Pin(), 14);

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(shown(), clean + "Saved QUAD-NAND2 in sample.cmplib.");
  EXPECT_EQ(PinOnDisk(), 14) << "the current package's record took the pin";
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 1), soicBefore) << "the other package kept its pin map";
  EXPECT_EQ(TextWithout(LibraryText(), "QUAD-NAND2"), others);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(shown(), marked) << "the saved message goes with the next change";

  // A cell being edited is written back by the save.
  CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
  ASSERT_TRUE(user.BeginGridEdit(&cells, 1, 3));
  ASSERT_TRUE(user.TypeInGridEditor(&cells, "13"));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  App().CloseDocument(*Frame().GetDesign());
  ASSERT_TRUE(Open());
  EXPECT_EQ(Pin(), 13);

  ChangeOnePin(12);
  prompt.saveAnswers = {Path("mine.cmplib")};
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL | FSHIFT));
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, Path("mine.cmplib")), 12);
  EXPECT_EQ(PinOnDisk(), 13) << "the first library is not touched";
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - QUAD-NAND2 - mine.cmplib");
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

TEST_F(AppFilesTest, ALibraryOrComponentThatCannotBeReadIsReported) {
  Screen().ExpectMessageBox(IDOK);
  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(App().OpenLibrary(Path("missing.cmplib")));
  EXPECT_FALSE(App().OpenComponent(Library(), "NO-SUCH-PART"));
  EXPECT_EQ(MessagesHolding("missing.cmplib"), 1);
  EXPECT_EQ(MessagesHolding("NO-SUCH-PART"), 1);
  EXPECT_EQ(App().CountOpenComponents(), 0);
}

// Each failed save says why, leaves the file as it was and keeps the change to save.
TEST_F(AppFilesTest, AFailedSaveSaysWhyAndLeavesTheFileAndTheChange) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  const std::string before = LibraryText();
  Screen().ExpectMessageBox(IDOK, "Cannot write \"" + Library() +
                                      "\": putting the temporary file in the place of the file failed: "
                                      "Invalid cross-device link.\n\nThe file on disk was not changed.");
  {
    ScopedAtomicWriteFault renameFails(AtomicWriteStep::Rename, EXDEV);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  }
  EXPECT_EQ(LibraryText(), before);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("").str()), {}), 1)
      << "no temporary file is left beside the library";
  prompt.saveAnswers = {Path("no-such-folder/copy.cmplib")};
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE_AS));
  EXPECT_FALSE(std::filesystem::exists(Path("no-such-folder").str()));
  EXPECT_EQ(Frame().GetDesign()->GetPathName(), Library()) << "the component stays with its library";
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 2U);

  // A read-only library is saved only when the user says so, and stays read-only.
  const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
  std::filesystem::permissions(Library().str(), readOnly);
  Screen().ExpectMessageBox(IDNO, CString("\"sample.cmplib\" is read-only. Save into it anyway?"));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(LibraryText(), before);
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(PinOnDisk(), 14);
  EXPECT_EQ(std::filesystem::status(Library().str()).permissions(), readOnly);
}

// Another program changed the component in the file while it was open: the save asks,
// and each answer does what it says, to this component and to the other program's.
TEST_F(AppFilesTest, ASaveOfAComponentChangedOnDiskAsksWhatToDo) {
  const struct {
    int answer;
    int pinOnDisk;     // of QUAD-NAND2 after the save
    const char* copy;  // the copy saved beside it, or null
  } cases[] = {{IDCANCEL, 13, nullptr}, {IDYES, 14, nullptr}, {IDNO, 13, "QUAD-NAND2-copy"}};
  const std::string original = LibraryText();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    WriteFileText(Library().str(), original);
    ASSERT_TRUE(Open());
    ChangeOnePin();
    CDesign theirs;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::LoadComponent(Library(), "QUAD-NAND2", theirs, error));
    theirs.FirstComponent()->SetPinNumber(0, 1, 13);
    ASSERT_TRUE(CComponentLibraryFile::SaveComponent(Library(), "QUAD-NAND2", theirs, error));

    Screen().ExpectMessageBox(
        c.answer,
        CString("QUAD-NAND2 in sample.cmplib was changed by another program since you opened it.\n\n"
                "Yes: overwrite it with your version.\nNo: save your version as a copy beside it.\n"
                "Cancel: save nothing."));
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));

    EXPECT_EQ(PinOnDisk(), c.pinOnDisk);
    if (c.copy != nullptr) {
      EXPECT_EQ(PinOnDisk(c.copy), 14);
      EXPECT_EQ(Frame().GetDesign()->FirstComponent()->GetName(), c.copy);
      // Shipped without it (57e403b): the tab kept the old name until the next change.
      EXPECT_EQ(Main().GetMDITabBar()->GetTabText(0), CString(c.copy) + " - sample.cmplib");
    }
    EXPECT_EQ(Frame().GetDesign()->IsModified(), c.answer == IDCANCEL);
    if (c.answer == IDCANCEL) Screen().ExpectMessageBox(IDNO);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_CLOSE));
  }
}

// The screen delivers posted messages while the question is up: a close posted
// meanwhile closes the component, asking again, and the first close then has nothing
// left to close.
TEST_F(AppFilesTest, AClosePostedWhileTheQuestionIsUpClosesTheComponentOnce) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  CAppComponentFrame* frame = &Frame();
  Screen().ExpectMessageBox(IDNO, kSaveQuestion, [frame] { EXPECT_TRUE(frame->PostMessage(WM_CLOSE)); });
  Screen().ExpectMessageBox(IDNO, kSaveQuestion);
  ASSERT_TRUE(user.CloseWindow(frame));
  EXPECT_EQ(App().CountOpenComponents(), 0);
}

// Closing and quitting ask about unsaved changes and do what the answer says. A run of
// assignments is ended before the question (2513ed3), so its pins count as a change and
// Cancel keeps them as one step. Quitting closes the components last opened first: here
// the one without changes, before the one whose run is open.
TEST_F(AppFilesTest, ClosingAndQuittingAskAndDoWhatTheAnswerSays) {
  const std::string before = LibraryText();
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(Open("quad-nand2")) << "an open component comes forward";
  EXPECT_EQ(App().CountOpenComponents(), 2);
  AssignInAnOpenRun(14);
  Screen().ExpectMessageBox(IDCANCEL, kSaveQuestion);
  ASSERT_TRUE(user.CloseWindow(&Frame()));
  ASSERT_EQ(App().CountOpenComponents(), 2) << "Cancel keeps the component open";
  CDesign& design = *Frame().GetDesign();
  EXPECT_FALSE(design.IsUndoLevelOpen());
  EXPECT_TRUE(design.IsModified());
  EXPECT_EQ(design.GetUndoName(), "Assign Pins");
  // The run is over: the select mode is back, and clicks select without assigning.
  EXPECT_FALSE(Frame().IsAssigningPins());
  AssignByClicking(13, 0, 2);
  EXPECT_EQ(Pin(0, 2), 2);

  Screen().ExpectMessageBox(IDCANCEL, kSaveQuestion);
  ASSERT_TRUE(user.CloseWindow(&Main()));
  ASSERT_NE(App().MainFrame(), nullptr);
  EXPECT_EQ(App().CountOpenComponents(), 1) << "the unchanged one went first";
  Screen().ExpectMessageBox(IDNO, kSaveQuestion);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(LibraryText(), before) << "No closes without saving";

  ASSERT_TRUE(Open());
  AssignInAnOpenRun(13);
  Screen().ExpectMessageBox(IDYES, kSaveQuestion);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Q', FCONTROL));
  EXPECT_EQ(App().MainFrame(), nullptr);
  EXPECT_EQ(PinOnDisk(), 13) << "Yes saves the run's pin";
  EXPECT_TRUE(Settings().GetNumber(CEditorApp::kWindowKey, "Width").has_value());
}

}  // namespace
