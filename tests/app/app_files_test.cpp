// Opening components from a library, saving them back and closing them: what the user
// is shown and what ends up on disk.
#include <gtest/gtest.h>

#include <functional>

#include "app/app_resources.h"
#include "editor/grid/component_grid.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/utility/edit_grid.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "platform/mdi_tab_bar.h"
#include "tests/app/app_fixture.h"
#include "tests/support/atomic_write_fault.h"
#include "tests/support/permissions.h"

namespace {

class AppFilesTest : public AppTest {
 protected:
  std::vector<CString> Messages() {
    std::vector<CString> texts;
    for (const ShownMessageBox& box : Screen().MessageBoxesShown()) texts.push_back(box.text);
    return texts;
  }
  bool AnyMessageHolds(const char* part) {
    for (const CString& text : Messages()) {
      if (text.Find(part) >= 0) return true;
    }
    return false;
  }
  int PinOnDisk(const char* name, int record, int gate, int terminal) {
    CDesign design;
    CString error;
    if (!CComponentLibraryFile::LoadComponent(Library(), name, design, error)) return -100;
    POSITION position = nullptr;
    CComponent* component = design.FirstComponent(position);
    for (int i = 0; i < record && component != nullptr; ++i) component = design.NextComponent(position);
    return component != nullptr ? component->GetPinNumber(gate, terminal) : -100;
  }
  // Assign Pins and one pad and terminal clicked, the run still open: its undo step is
  // not made until the run ends.
  void AssignInAnOpenRun(int pin) {
    ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
    AssignByClicking(pin, 0, 1);
    ASSERT_TRUE(Frame().GetDesign()->IsUndoLevelOpen());
  }
  void ExpectSaveQuestion(int answer) {
    Screen().ExpectMessageBox(answer, CString("Save the changes to QUAD-NAND2 in sample.cmplib?"));
  }
  // One pin assigned by clicking, the run ended: an unsaved change.
  void ChangeOnePin() {
    ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
    AssignByClicking(14, 0, 1);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
    ASSERT_TRUE(Frame().GetDesign()->IsModified());
  }
};

TEST_F(AppFilesTest, OpenLibraryOpensTheComponentDoubleClickedInTheFilteredList) {
  prompt.openAnswers = {Library()};
  int listed = 0;
  int filtered = 0;
  CString firstMatch;
  CString packages;
  bool openWithoutMatch = true;
  Screen().ExpectDialog(IDD_COMPONENT_PICKER, [&](CDialog& dialog, UserInput& input) {
    auto* list = static_cast<CListBox*>(dialog.GetDlgItem(IDC_PICKER_LIST));
    CWnd* filter = dialog.GetDlgItem(IDC_PICKER_FILTER);
    listed = list->GetCount();
    input.TypeText(filter, "zzz");
    openWithoutMatch = dialog.GetDlgItem(IDOK)->IsWindowEnabled();
    input.TypeText(filter, "inv");
    filtered = list->GetCount();
    list->GetText(0, firstMatch);
    packages = dialog.GetDlgItem(IDC_PICKER_PACKAGES)->GetWindowText();
    input.DoubleClickListLine(list, 0);  // as Enter in the list does
  });
  EXPECT_FALSE(MenuEnabled(ID_APP_OPEN_COMPONENT)) << "no library has been opened yet";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_OPEN_LIBRARY));

  EXPECT_EQ(listed, 4);
  EXPECT_FALSE(openWithoutMatch) << "Open is off while the filter leaves no component";
  EXPECT_EQ(filtered, 1);
  EXPECT_EQ(firstMatch, "HEX-INV\tDIP-14, TSSOP-14\t7 gates") << "name, packages and gates in columns";
  EXPECT_EQ(packages.Find("Packages: "), 0);
  EXPECT_EQ(Frame().GetComponent(false)->GetName(), "HEX-INV");
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - HEX-INV - sample.cmplib");
  EXPECT_TRUE(MenuEnabled(ID_APP_OPEN_COMPONENT));
  EXPECT_FALSE(Frame().GetDesign()->IsModified()) << "opening is no change";
}

TEST_F(AppFilesTest, SavingWritesTheClickedPinAndKeepsTheRestOfTheLibrary) {
  const std::string others[] = {ComponentText(Library(), "HEX-INV"), ComponentText(Library(), "DUAL-OPAMP"),
                                ComponentText(Library(), "RESISTOR")};
  const int soicBefore = PinOnDisk("QUAD-NAND2", 1, 0, 1);
  ASSERT_TRUE(Open());
  ASSERT_NE(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14);
  ChangeOnePin();

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));

  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14) << "the current package's record took the pin";
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 1, 0, 1), soicBefore) << "the other package kept its pin map";
  EXPECT_EQ(ComponentText(Library(), "HEX-INV"), others[0]);
  EXPECT_EQ(ComponentText(Library(), "DUAL-OPAMP"), others[1]);
  EXPECT_EQ(ComponentText(Library(), "RESISTOR"), others[2]);
  EXPECT_FALSE(Frame().GetDesign()->IsModified());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(AppFilesTest, SavingWritesBackTheCellBeingEdited) {
  ASSERT_TRUE(Open());
  CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
  ASSERT_TRUE(user.BeginGridEdit(&cells, 1, 3));
  ASSERT_TRUE(user.TypeInGridEditor(&cells, "13"));

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));

  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 13);
}

TEST_F(AppFilesTest, UndoAndRedoNameTheStepAndTakeItBackAndForth) {
  ASSERT_TRUE(Open());
  const int before = Frame().GetComponent(false)->GetPinNumber(0, 1);
  EXPECT_FALSE(MenuEnabled(ID_APP_UNDO));
  ChangeOnePin();
  const CString step = Frame().GetDesign()->GetUndoName();
  ASSERT_FALSE(step.IsEmpty());
  EXPECT_EQ(MenuItem(ID_APP_UNDO).text, "&Undo " + step + "\tCtrl+Z");

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), before);
  EXPECT_EQ(MenuItem(ID_APP_REDO).text, "&Redo " + step + "\tCtrl+Y");

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 14);
}

TEST_F(AppFilesTest, ALibraryThatCannotBeReadIsReportedAndLeftAsItWas) {
  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(App().OpenLibrary(Path("missing.cmplib")));
  EXPECT_TRUE(AnyMessageHolds("missing.cmplib"));

  const std::string damaged = "{\"format\": \"component-library\", \"version\": 1, \"components\": [";
  WriteFileText(Path("damaged.cmplib").str(), damaged);
  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(App().OpenLibrary(Path("damaged.cmplib")));
  EXPECT_TRUE(AnyMessageHolds("damaged.cmplib"));
  EXPECT_EQ(ReadFileText(Path("damaged.cmplib").str()), damaged);

  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(App().OpenComponent(Library(), "NO-SUCH-PART"));
  EXPECT_TRUE(AnyMessageHolds("NO-SUCH-PART"));

  EXPECT_EQ(Messages().size(), 3U);
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(Main().MDIGetActive(), nullptr);
}

TEST_F(AppFilesTest, AFailedSaveSaysWhyAndLeavesTheFileUntouched) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  // The file was damaged behind the editor's back: writing into it would lose the rest.
  const std::string damaged = ReadFileText(Library().str()).substr(0, 200);
  WriteFileText(Library().str(), damaged);

  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_TRUE(AnyMessageHolds("The file on disk was not changed."));
  EXPECT_EQ(ReadFileText(Library().str()), damaged);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());

  // Save As into a folder that does not exist.
  prompt.saveAnswers = {Path("no-such-folder/copy.cmplib")};
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE_AS));
  EXPECT_EQ(Messages().size(), 2U);
  EXPECT_FALSE(std::filesystem::exists(Path("no-such-folder").str()));
  EXPECT_EQ(Frame().GetDesign()->GetPathName(), Library()) << "the component stays with its library";
}

TEST_F(AppFilesTest, SavingIntoAReadOnlyFolderFailsWithoutDamage) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  const std::string before = ReadFileText(Library().str());
  Screen().ExpectMessageBox(IDOK);
  const ReadOnlyFolder readOnly(Path("").str());
  ASSERT_TRUE(readOnly.Enforced()) << "the folder must refuse new files";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));

  EXPECT_TRUE(AnyMessageHolds("creating a temporary file beside it failed: Permission denied."));
  EXPECT_TRUE(AnyMessageHolds("The file on disk was not changed."));
  EXPECT_EQ(ReadFileText(Library().str()), before);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
}

TEST_F(AppFilesTest, ASaveThatFailsPartWaySaysWhereAndLeavesTheLibraryAndTheChange) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  const std::string before = ReadFileText(Library().str());
  Screen().ExpectMessageBox(IDOK);
  {
    ScopedAtomicWriteFault renameFails(AtomicWriteStep::Rename, EXDEV);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  }

  ASSERT_EQ(Messages().size(), 1U);
  EXPECT_EQ(Messages()[0], "Cannot write \"" + Library() +
                               "\": putting the temporary file in the place of the file failed: Invalid "
                               "cross-device link.\n\nThe file on disk was not changed.");
  EXPECT_EQ(ReadFileText(Library().str()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("").str()),
                          std::filesystem::directory_iterator()),
            1)
      << "no temporary file is left beside the library";
  EXPECT_TRUE(Frame().GetDesign()->IsModified()) << "the change is still to be saved";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14);
}

TEST_F(AppFilesTest, SaveAsPutsTheComponentIntoANewLibrary) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  prompt.saveAnswers = {Path("mine.cmplib")};

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL | FSHIFT));

  std::vector<LibraryEntry> entries;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::ReadContents(Path("mine.cmplib"), entries, error)) << error.str();
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].name, "QUAD-NAND2");
  EXPECT_NE(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14) << "the first library is not touched";
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - QUAD-NAND2 - mine.cmplib");
}

TEST_F(AppFilesTest, UnsavedChangesAreMarkedAndTheSavedMessageGoesWithTheNextChange) {
  ASSERT_TRUE(Open());
  const auto shown = [this] {
    Main().OnIdleUpdateCmdUI();
    return Main().GetWindowText() + "|" + Main().GetMDITabBar()->GetTabText(0) + "|" +
           Main().StatusBar().GetPaneText(0);
  };
  EXPECT_EQ(shown(), "Component Editor - QUAD-NAND2 - sample.cmplib|QUAD-NAND2 - sample.cmplib|");
  ChangeOnePin();
  EXPECT_EQ(shown(), "Component Editor - *QUAD-NAND2 - sample.cmplib|*QUAD-NAND2 - sample.cmplib|");
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(shown(),
            "Component Editor - QUAD-NAND2 - sample.cmplib|QUAD-NAND2 - sample.cmplib|"
            "Saved QUAD-NAND2 in sample.cmplib.");
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(shown(), "Component Editor - *QUAD-NAND2 - sample.cmplib|*QUAD-NAND2 - sample.cmplib|");
}

TEST_F(AppFilesTest, ClosingWithChangesAsksAndDoesWhatTheAnswerSays) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  const std::string before = ReadFileText(Library().str());

  Screen().ExpectMessageBox(IDCANCEL, CString("Save the changes to QUAD-NAND2 in sample.cmplib?"));
  ASSERT_TRUE(user.CloseWindow(&Frame()));
  EXPECT_EQ(App().CountOpenComponents(), 1) << "Cancel keeps the component open";

  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(ReadFileText(Library().str()), before) << "No closes without saving";

  ASSERT_TRUE(Open());
  ChangeOnePin();
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_CLOSE));
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14) << "Yes saves, then closes";
}

TEST_F(AppFilesTest, QuittingClosesEverythingUnlessTheUserCancels) {
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(Open("QUAD-NAND2")) << "an open component comes forward";
  EXPECT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Frame().GetComponent(false)->GetName(), "QUAD-NAND2");
  ChangeOnePin();

  Screen().ExpectMessageBox(IDCANCEL);
  ASSERT_TRUE(user.CloseWindow(&Main()));
  EXPECT_NE(App().MainFrame(), nullptr);
  EXPECT_EQ(App().CountOpenComponents(), 1) << "the unchanged one went first";

  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Q', FCONTROL));
  EXPECT_EQ(App().MainFrame(), nullptr);
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_TRUE(Settings().GetNumber(CEditorApp::kWindowKey, "Width").has_value());
}

// A run of assignments is ended before the question, so its pins count as a change
// whichever way the component is closed.
TEST_F(AppFilesTest, ClosingInAnAssignmentRunAsksToSaveTheRunsPins) {
  struct Way {
    const char* name;
    std::function<bool()> close;
  };
  const Way ways[] = {
      {"Ctrl+W", [this] { return user.PressAccelerator(&Main(), 'W', FCONTROL); }},
      {"File > Close", [this] { return user.ChooseMenuItem(&Main(), ID_APP_CLOSE); }},
      {"the tab's close box", [this] { return user.CloseWindow(&Frame()); }},
  };
  int pin = 14;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    ASSERT_TRUE(Open());
    AssignInAnOpenRun(pin);
    ExpectSaveQuestion(IDYES);
    ASSERT_TRUE(way.close());
    EXPECT_EQ(App().CountOpenComponents(), 0);
    EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), pin) << "Yes saved the run's pin";
    --pin;
  }
}

TEST_F(AppFilesTest, CancellingTheCloseOfARunKeepsItsPinsAsOneUndoableChange) {
  ASSERT_TRUE(Open());
  AssignInAnOpenRun(14);
  ExpectSaveQuestion(IDCANCEL);
  ASSERT_TRUE(user.CloseWindow(&Frame()));
  ASSERT_EQ(App().CountOpenComponents(), 1);

  CDesign& design = *Frame().GetDesign();
  EXPECT_FALSE(design.IsUndoLevelOpen());
  EXPECT_TRUE(design.IsModified());
  EXPECT_EQ(design.GetUndoName(), "Assign Pins");
  // The run is over: the select mode is back, and clicks select without assigning.
  EXPECT_FALSE(Frame().IsAssigningPins());
  AssignByClicking(13, 0, 2);
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 2), 2);
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 14);
}

// Quitting closes the components last opened first: here the one without changes,
// before the one whose run is open.
TEST_F(AppFilesTest, QuittingInAnAssignmentRunAsksToSaveTheRunsPins) {
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(Open("QUAD-NAND2"));
  AssignInAnOpenRun(14);

  ExpectSaveQuestion(IDCANCEL);
  ASSERT_TRUE(user.CloseWindow(&Main()));
  ASSERT_NE(App().MainFrame(), nullptr);
  EXPECT_EQ(App().CountOpenComponents(), 1);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());

  AssignInAnOpenRun(13);
  ExpectSaveQuestion(IDYES);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Q', FCONTROL));
  EXPECT_EQ(App().MainFrame(), nullptr);
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 13);
}

// The screen delivers posted messages while the question is up: a close posted
// meanwhile closes the component, asking again, and the first close then has nothing
// left to close.
TEST_F(AppFilesTest, AClosePostedWhileTheQuestionIsUpClosesTheComponentOnce) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  CAppComponentFrame* frame = &Frame();
  Screen().ExpectMessageBox(IDNO, CString("Save the changes to QUAD-NAND2 in sample.cmplib?"),
                            [frame] { EXPECT_TRUE(frame->PostMessage(WM_CLOSE)); });
  ExpectSaveQuestion(IDNO);

  ASSERT_TRUE(user.CloseWindow(frame));
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 2u);
}

// Another program changed the component in the file while it was open: the save asks,
// and each answer does what it says, to this component and to the other program's.
TEST_F(AppFilesTest, ASaveOfAComponentChangedOnDiskAsksWhatToDo) {
  const struct {
    int answer;
    int pinOnDisk;     // of QUAD-NAND2 after the save
    const char* copy;  // the copy saved beside it, or null
    bool stillModified;
  } cases[] = {
      {IDCANCEL, 13, nullptr, true}, {IDYES, 14, nullptr, false}, {IDNO, 13, "QUAD-NAND2-copy", false}};
  const std::string original = ReadFileText(Library().str());
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

    EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), c.pinOnDisk);
    if (c.copy != nullptr) {
      EXPECT_EQ(PinOnDisk(c.copy, 0, 0, 1), 14);
      EXPECT_EQ(Frame().GetDesign()->FirstComponent()->GetName(), c.copy);
      EXPECT_EQ(Main().GetMDITabBar()->GetTabText(0), CString(c.copy) + " - sample.cmplib")
          << "the tab is the copy now";
    }
    EXPECT_EQ(Frame().GetDesign()->IsModified(), c.stillModified);
    if (c.stillModified) Screen().ExpectMessageBox(IDNO);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_CLOSE));
  }
}

TEST_F(AppFilesTest, AReadOnlyLibraryIsSavedOnlyWhenTheUserSaysSo) {
  ASSERT_TRUE(Open());
  ChangeOnePin();
  std::filesystem::permissions(Library().str(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const std::string before = ReadFileText(Library().str());

  Screen().ExpectMessageBox(IDNO, CString("\"sample.cmplib\" is read-only. Save into it anyway?"));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(ReadFileText(Library().str()), before);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());

  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", 0, 0, 1), 14);
  EXPECT_EQ(std::filesystem::status(Library().str()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read)
      << "it stays read-only";
}

}  // namespace
