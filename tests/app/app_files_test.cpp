// Opening components from a library, saving them back and closing them, new components
// and libraries, and the picker's own changes to a library: what the user is shown and
// what ends up on disk, byte for byte outside the component a change touched.

#include <chrono>

#include "platform/mdi_tab_bar.h"
#include "tests/app/app_fixture.h"
#include "tests/support/atomic_write_fault.h"

namespace {

using AppFilesTest = AppTest;

const CString kSaveQuestion = "Save the changes to QUAD-NAND2 in sample.cmplib?";

// The user's path: open, change a pin, undo and redo it, save, edit a cell, save, reopen
// and save as another library. Title and tab mark unsaved changes; a save keeps every
// other byte of the library.
TEST_F(AppFilesTest, AChangeIsUndoneRedoneSavedAndReopened) {
  const int soicBefore = PinOnDisk("QUAD-NAND2", "SOIC-14");
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
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", "SOIC-14"), soicBefore) << "the other package kept its pin map";
  EXPECT_EQ(TextWithout(LibraryText(), "QUAD-NAND2"), TextWithout(original, "QUAD-NAND2"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(shown(), marked) << "the saved message goes with the next change";

  // A cell being edited is written back by the save.
  CEditGrid& cells = Cells();
  ASSERT_TRUE(user.BeginGridEdit(&cells, 1, 3));
  ASSERT_TRUE(user.TypeInGridEditor(&cells, "13"));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  App().CloseDocument(*Frame().GetDesign());
  ASSERT_TRUE(Open());
  EXPECT_EQ(Pin(), 13);

  ChangeOnePin(12);
  const CString mine = Path("mine.cmplib");
  prompt.saveAnswers = {mine};
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL | FSHIFT));
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", "", mine), 12);
  EXPECT_EQ(PinOnDisk(), 13) << "the first library is not touched";
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - QUAD-NAND2 - mine.cmplib");

  // Each failed save says why, leaves the file as it was and keeps the change to save.
  ChangeOnePin(11);
  const std::string unsaved = ReadFileText(mine.str());
  Screen().ExpectMessageBox(IDOK, "Cannot write \"" + mine +
                                      "\": putting the temporary file in the place of the file failed: "
                                      "Invalid cross-device link.\n\nThe file on disk was not changed.");
  {
    ScopedAtomicWriteFault renameFails(AtomicWriteStep::Rename, EXDEV);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  }
  EXPECT_EQ(ReadFileText(mine.str()), unsaved);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
  prompt.saveAnswers = {Path("no-such-folder/copy.cmplib")};
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE_AS));
  EXPECT_EQ(Frame().GetDesign()->GetPathName(), mine) << "the component stays with its library";

  // A read-only library is saved only when the user says so, and stays read-only.
  const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
  std::filesystem::permissions(mine.str(), readOnly);
  Screen().ExpectMessageBox(IDNO, CString("\"mine.cmplib\" is read-only. Save into it anyway?"));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(ReadFileText(mine.str()), unsaved);
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(PinOnDisk("QUAD-NAND2", "", mine), 11);
  EXPECT_EQ(std::filesystem::status(mine.str()).permissions(), readOnly);
}

// Another program changed the component in the file while it was open: the save asks,
// and each answer does what it says, to this component and to the other program's.
TEST_F(AppFilesTest, ASaveOfAComponentChangedOnDiskAsksWhatToDo) {
  const struct {
    int answer;
    int pinOnDisk;     // of QUAD-NAND2 after the save
    const char* copy;  // the copy saved beside it, or null
  } cases[] = {{IDCANCEL, 13, nullptr}, {IDYES, 14, nullptr}, {IDNO, 13, "QUAD-NAND2-copy"}};
  std::string theirs = original;  // gate a's first pin, the file's first, made 13
  theirs.replace(theirs.find("\"pin\": 1\n"), 8, "\"pin\": 13");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    WriteFileText(Library().str(), original);
    ASSERT_TRUE(Open());
    ChangeOnePin();
    WriteFileText(Library().str(), theirs);

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

// Closing and quitting ask about unsaved changes and do what the answer says. A run of
// assignments is ended before the question (2513ed3), so its pins count as a change and
// Cancel keeps them as one step. Quitting closes the components last opened first: here
// the one without changes, before the one whose run is open.
TEST_F(AppFilesTest, ClosingAndQuittingAskAndDoWhatTheAnswerSays) {
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(Open("quad-nand2")) << "an open component comes forward";
  EXPECT_EQ(App().CountOpenComponents(), 2);
  AssignInAnOpenRun(14);
  Screen().ExpectMessageBox(IDCANCEL, kSaveQuestion);
  ASSERT_TRUE(user.CloseWindow(&Frame()));
  ASSERT_EQ(App().CountOpenComponents(), 2) << "Cancel keeps the component open";
  CDesign& design = *Frame().GetDesign();
  EXPECT_EQ(std::make_tuple(design.IsUndoLevelOpen(), design.IsModified(), design.GetUndoName()),
            std::make_tuple(false, true, CString("Assign Pins")));
  // The run is over: the select mode is back, and clicks select without assigning.
  EXPECT_FALSE(Frame().IsAssigningPins());
  AssignByClicking(13, 0, 2);
  EXPECT_EQ(Pin(0, 2), 2);

  Screen().ExpectMessageBox(IDCANCEL, kSaveQuestion);
  ASSERT_TRUE(user.CloseWindow(&Main()));
  ASSERT_NE(App().MainFrame(), nullptr);
  EXPECT_EQ(App().CountOpenComponents(), 1) << "the unchanged one went first";
  // The screen delivers posted messages while the question is up: a close posted
  // meanwhile closes the component, asking again, and the first close then has nothing
  // left to close.
  CAppComponentFrame* frame = &Frame();
  Screen().ExpectMessageBox(IDNO, kSaveQuestion, [frame] { EXPECT_TRUE(frame->PostMessage(WM_CLOSE)); });
  Screen().ExpectMessageBox(IDNO, kSaveQuestion);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  EXPECT_EQ(App().CountOpenComponents(), 0);
  EXPECT_EQ(LibraryText(), original) << "No closes without saving";

  ASSERT_TRUE(Open());
  AssignInAnOpenRun(13);
  Screen().ExpectMessageBox(IDYES, kSaveQuestion);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Q', FCONTROL));
  EXPECT_EQ(App().MainFrame(), nullptr);
  EXPECT_EQ(PinOnDisk(), 13) << "Yes saves the run's pin";
  EXPECT_TRUE(Settings().GetNumber(CEditorApp::kWindowKey, "Width").has_value());
}

// ---- New components and the library's own changes ----

// Selects the line of the component, as a click on it does.
void SelectComponent(CDialog& picker, UserInput& input, const char* name) {
  const std::vector<CString> lines = Items(picker.GetDlgItem(IDC_PICKER_LIST));
  const auto line = std::find_if(lines.begin(), lines.end(),
                                 [&](const CString& l) { return l.Find(CString(name) + "\t") == 0; });
  ASSERT_NE(line, lines.end()) << "the picker does not list " << name;
  EXPECT_TRUE(
      input.SelectListLine(picker.GetDlgItem(IDC_PICKER_LIST), static_cast<int>(line - lines.begin())));
}

void Press(CDialog& dialog, UserInput& input, int id) {
  EXPECT_TRUE(input.Click(dialog.GetDlgItem(id)));
}

// The name dialog comes up proposing `proposed`; the user types `name` and confirms.
void ExpectNameAsked(HeadlessBackend& screen, const char* proposed, const char* name) {
  screen.ExpectDialog(IDD_COMPONENT_NAME, [=](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_COMPONENT_NAME_EDIT)->GetWindowText(), proposed);
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_COMPONENT_NAME_EDIT), name));
    Press(dialog, input, IDOK);
  });
}

using AppLibraryTest = AppTest;

// The new component's path: a name the library holds is refused in the dialog, which
// keeps every field (9401dca: it was refused after the dialog closed, losing them); the
// component is copied for recovery before its first save, saved into the library,
// reopened, and saved again in its place.
TEST_F(AppLibraryTest, ANewComponentIsCreatedEditedSavedAndReopened) {
  ASSERT_TRUE(Open());
  Screen().ExpectMessageBox(IDOK, CString("The library \"sample.cmplib\" already holds a component named "
                                          "\"hex-inv\". Choose another name."));
  Screen().ExpectDialog(IDD_NEW_COMPONENT, [](CDialog& dialog, UserInput& input) {
    Fill(dialog, input,
         {{IDC_COMPONENT_NAME, "hex-inv"},
          {IDC_PACKAGE_COMBO, "DIP-14"},
          {IDC_DEFAULT_REFERENCE, "U"},
          {IDC_PCB_SYMBOL_COMBO, "DIP-14"},
          {IDC_SCM_SYMBOL_COMBO, "NAND2"},
          {IDC_GATE_COUNT, "4"}});
    Press(dialog, input, IDOK);
    ASSERT_TRUE(dialog.IsModalActive());
    EXPECT_EQ(CWnd::GetFocusHandle(), dialog.GetDlgItem(IDC_COMPONENT_NAME)->m_hWnd);
    EXPECT_EQ(dialog.GetDlgItem(IDC_SCM_SYMBOL_COMBO)->GetWindowText(), "NAND2");
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_COMPONENT_NAME), "NAND-X"));
    Press(dialog, input, IDOK);
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'N', FCONTROL));
  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - NAND-X - sample.cmplib");
  EXPECT_TRUE(Frame().GetDesign()->IsModified()) << "a component not yet in its library is unsaved";
  EXPECT_EQ(LibraryText(), original) << "nothing is written before the first save";
  // Its recovery copy, once due, holds it as a component not yet in the library (ddff18f).
  App().SetRecoveryClock([] { return std::chrono::steady_clock::now() + std::chrono::minutes(2); });
  App().OnRecoveryTimer();
  App().WaitForRecoveryCopies();
  ASSERT_EQ(RecoveryFiles().size(), 1u);
  const RecoveryCopy copy = ReadRecovery(RecoveryFiles()[0]);
  EXPECT_EQ(copy.component.name + (copy.inLibrary ? " in the library" : ""), "NAND-X");

  ChangeOnePin(7, 2, 3);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  App().WaitForRecoveryCopies();
  EXPECT_TRUE(RecoveryFiles().empty()) << "the first save removed the copy";
  EXPECT_EQ(TextWithout(LibraryText(), "NAND-X"), original) << "the other components keep their bytes";
  App().CloseDocument(*Frame().GetDesign());
  ASSERT_TRUE(App().OpenComponent(Library(), "nand-x"));
  EXPECT_EQ(Shown(),
            "NAND-X DIP-14 footprints.pcblib:DIP-14 14 U | logic.scmlib:NAND2 - - - | logic.scmlib:NAND2 - - "
            "- | logic.scmlib:NAND2 - - 7 | logic.scmlib:NAND2 - - -");

  ChangeOnePin(1);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(TextWithout(LibraryText(), "NAND-X"), original) << "a later save replaces it in its place";
}

// With no library open New Component asks which, and Cancel opens nothing. New Library
// never overwrites a file; the library it makes takes its first component on the first
// save.
TEST_F(AppLibraryTest, NewComponentAsksForALibraryAndNewLibraryMakesOne) {
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_OPEN_LIBRARY)) << "the file chooser cancelled";
  prompt.openAnswers = {Library()};
  Screen().ExpectDialog(IDD_NEW_COMPONENT,
                        [](CDialog& dialog, UserInput& input) { Press(dialog, input, IDCANCEL); });
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'N', FCONTROL));
  EXPECT_EQ(prompt.asked, 2);
  EXPECT_EQ(App().CountOpenComponents(), 0);

  prompt.saveAnswers = {Library()};
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_NEW_LIBRARY));
  EXPECT_EQ(MessagesHolding("already exists"), 1);
  EXPECT_EQ(LibraryText(), original);

  const CString path = Path("mine.cmplib");
  prompt.saveAnswers = {path};
  FillAndConfirm(ID_APP_NEW_LIBRARY, IDD_NEW_COMPONENT,
                 {{IDC_COMPONENT_NAME, "FIRST"},
                  {IDC_PACKAGE_COMBO, "TO-92"},
                  {IDC_DEFAULT_REFERENCE, "Q"},
                  {IDC_PCB_PIN_COUNT, "3"}});
  Screen().ExpectMessageBox(IDOK);
  {
    ScopedAtomicWriteFault renameFails(AtomicWriteStep::Rename, EXDEV);
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  }
  EXPECT_EQ(MessagesHolding("The file on disk was not changed."), 1) << "a failed first save adds nothing";
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SAVE));
  EXPECT_EQ(Described(*OnDisk("FIRST", "", path)), "TO-92 footprints.pcblib: 3 Q")
      << "no footprint, no gates";
  EXPECT_EQ(LibraryText(), original);

  // A library or a component that cannot be read is named, and nothing more opens.
  Screen().ExpectMessageBox(IDOK);
  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(App().OpenLibrary(Path("missing.cmplib")));
  EXPECT_FALSE(App().OpenComponent(Library(), "NO-SUCH-PART"));
  EXPECT_EQ(MessagesHolding("missing.cmplib") + MessagesHolding("NO-SUCH-PART"), 2);
  EXPECT_EQ(App().CountOpenComponents(), 1);
}

// One visit of the picker: the filter narrows the list, Duplicate, Rename and Delete
// each ask first, refuse what they must and leave the other components' bytes, a
// component open in a tab is neither renamed nor deleted, and a double click opens one.
TEST_F(AppLibraryTest, ThePickerFiltersDuplicatesRenamesDeletesAndOpensComponents) {
  EXPECT_FALSE(MenuEnabled(ID_APP_OPEN_COMPONENT)) << "no library has been opened yet";
  ASSERT_TRUE(Open("HEX-INV"));
  prompt.openAnswers = {Library()};
  Screen().ExpectDialog(IDD_COMPONENT_PICKER, [&](CDialog& picker, UserInput& input) {
    auto* list = static_cast<CListBox*>(picker.GetDlgItem(IDC_PICKER_LIST));
    CWnd* filter = picker.GetDlgItem(IDC_PICKER_FILTER);
    input.TypeText(filter, "zzz");
    EXPECT_FALSE(picker.GetDlgItem(IDOK)->IsWindowEnabled()) << "Open is off while no component is listed";
    input.TypeText(filter, "inv");
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(Items(list).at(0), "HEX-INV\tDIP-14, TSSOP-14\t7 gates")
        << "name, packages and gates in columns";
    input.TypeText(filter, "");

    SelectComponent(picker, input, "HEX-INV");
    Screen().ExpectMessageBox(IDOK,
                              CString("HEX-INV is open in a tab. Close its tab first, then rename it here."));
    Press(picker, input, IDC_PICKER_RENAME);
    Screen().ExpectMessageBox(IDOK,
                              CString("HEX-INV is open in a tab. Close its tab first, then delete it here."));
    Press(picker, input, IDC_PICKER_DELETE);
    Screen().ExpectDialog(IDD_COMPONENT_NAME, [](CDialog& dialog, UserInput& input) {
      EXPECT_EQ(dialog.GetWindowText(), "Duplicate HEX-INV");
      EXPECT_EQ(dialog.GetDlgItem(IDC_COMPONENT_NAME_EDIT)->GetWindowText(), "HEX-INV-COPY");
      EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_COMPONENT_NAME_EDIT), " "));
      Press(dialog, input, IDOK);
      EXPECT_TRUE(dialog.IsModalActive()) << "an empty name is refused";
      EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_COMPONENT_NAME_EDIT), "HEX-INV-SMD"));
      Press(dialog, input, IDOK);
    });
    Screen().ExpectMessageBox(IDOK, CString("Component name cannot be empty."));
    Press(picker, input, IDC_PICKER_DUPLICATE);
    EXPECT_EQ(Items(list).at(static_cast<size_t>(list->GetCurSel())),
              "HEX-INV-SMD\tDIP-14, TSSOP-14\t7 gates");

    SelectComponent(picker, input, "DUAL-OPAMP");
    ExpectNameAsked(Screen(), "DUAL-OPAMP", "Resistor");
    Screen().ExpectMessageBox(IDOK, CString("The library \"sample.cmplib\" already holds a component named "
                                            "\"Resistor\".\n\nThe library was not changed."));
    Press(picker, input, IDC_PICKER_RENAME);
    ExpectNameAsked(Screen(), "DUAL-OPAMP", "OPAMP-2");
    Press(picker, input, IDC_PICKER_RENAME);
    EXPECT_EQ(Items(list).at(static_cast<size_t>(list->GetCurSel())).Find("OPAMP-2\t"), 0);

    SelectComponent(picker, input, "RESISTOR");
    Screen().ExpectMessageBox(IDNO, CString("Delete RESISTOR from sample.cmplib? This cannot be undone."));
    Press(picker, input, IDC_PICKER_DELETE);
    EXPECT_NE(ComponentBytes(LibraryText(), "RESISTOR"), "") << "No keeps it";
    Screen().ExpectMessageBox(IDYES);
    Press(picker, input, IDC_PICKER_DELETE);
    EXPECT_EQ(list->GetCount(), 4);
    input.TypeText(filter, "smd");
    input.DoubleClickListLine(list, 0);  // as Enter in the list does
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_OPEN_LIBRARY));

  EXPECT_EQ(Main().GetWindowText(), "Component Editor - HEX-INV-SMD - sample.cmplib");
  // The copy right after the original, the renamed one in its place, every other byte kept.
  std::string expected = TextWithout(original, "RESISTOR");
  expected.replace(expected.find("\"DUAL-OPAMP\""), 12, "\"OPAMP-2\"");
  const std::string hexInv = ComponentBytes(original, "HEX-INV");
  expected.insert(expected.find(hexInv) + hexInv.size(),
                  ",\n" + ComponentBytes(LibraryText(), "HEX-INV-SMD"));
  EXPECT_EQ(LibraryText(), expected);
}

}  // namespace
