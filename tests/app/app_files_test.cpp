// Opening components from a library, saving them back and closing them: what the user
// is shown and what ends up on disk.
#include <gtest/gtest.h>

#include "app/app_resources.h"
#include "editor/grid/component_grid.h"
#include "host/model/design.h"
#include "host/utility/edit_grid.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "tests/app/app_fixture.h"
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
  // One pin assigned by clicking, the run ended: an unsaved change.
  void ChangeOnePin() {
    ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
    AssignByClicking(14, 0, 1);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
    ASSERT_TRUE(Frame().GetDesign()->IsModified());
  }
};

TEST_F(AppFilesTest, OpenLibraryPicksAComponentFromTheFilteredList) {
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
    input.Click(dialog.GetDlgItem(IDOK));
  });
  EXPECT_FALSE(MenuEnabled(ID_APP_OPEN_COMPONENT)) << "no library has been opened yet";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_OPEN_LIBRARY));

  EXPECT_EQ(listed, 4);
  EXPECT_FALSE(openWithoutMatch) << "Open is off while the filter leaves no component";
  EXPECT_EQ(filtered, 1);
  EXPECT_EQ(firstMatch, "HEX-INV");
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
  ReadOnlyFolder readOnly(Path("").str());
  if (!readOnly.Enforced()) GTEST_SKIP() << "permission bits are not enforced";
  ASSERT_TRUE(Open());
  ChangeOnePin();
  const std::string before = ReadFileText(Library().str());
  Screen().ExpectMessageBox(IDOK);

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));

  EXPECT_TRUE(AnyMessageHolds("The file on disk was not changed."));
  EXPECT_EQ(ReadFileText(Library().str()), before);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
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

}  // namespace
