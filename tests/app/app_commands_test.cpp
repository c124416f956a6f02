// Menus, tool bar, shortcuts and double clicks: which commands are on, what they reach in
// the editor, the settings the application keeps, and the command line.

#include "app/editor_menus.h"
#include "app/editor_options.h"
#include "editor/views/view_colours.h"
#include "tests/app/app_fixture.h"

namespace {

class AppCommandsTest : public AppTest {
 protected:
  CToolBar& Bar() { return Main().ToolBar(); }
  const ToolBarButton& Button(UINT command) {
    Main().OnIdleUpdateCmdUI();
    return *Bar().GetButton(Bar().CommandToIndex(command));
  }
  // The package list as idle time leaves it, and the package it shows.
  std::vector<CString> PackagesListed() {
    Main().OnIdleUpdateCmdUI();
    return Bar().GetComboItems(ID_APP_PACKAGE_LIST);
  }
  CString PackageShown() { return Bar().GetComboText(ID_APP_PACKAGE_LIST); }
};

// Commands are on when they can run. Edit Symbol in Library names a selected item's
// symbol and its file and offers to open its folder; Delete asks first.
TEST_F(AppCommandsTest, CommandsOnASelectedPad) {
  for (UINT command : {ID_APP_SAVE, ID_APP_UNDO, ID_APP_ASSIGN_PINS_121, ID_APP_PROPERTIES})
    EXPECT_FALSE(MenuEnabled(command)) << command;
  EXPECT_FALSE(Button(ID_APP_SAVE).enabled);
  ASSERT_TRUE(Open());
  EXPECT_TRUE(MenuEnabled(ID_APP_ASSIGN_PINS_121));
  for (UINT command : {ID_APP_DELETE, ID_APP_EDIT_SCM_SYMBOL, ID_APP_EDIT_PCB_SYMBOL})
    EXPECT_FALSE(MenuEnabled(command)) << "nothing is selected: " << command;
  EXPECT_FALSE(user.PressAccelerator(&Main(), 'E', FCONTROL | FSHIFT));

  Click(PcbPadTarget(Frame(), 1));
  EXPECT_TRUE(Button(ID_APP_DELETE).enabled);
  EXPECT_FALSE(MenuEnabled(ID_APP_EDIT_SCM_SYMBOL)) << "nothing is selected in the schematic";
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EDIT_PCB_SYMBOL));
  ASSERT_EQ(prompt.foldersShown.size(), 1u) << "the folder of the file named";
  EXPECT_EQ(
      Screen().MessageBoxesShown().back().text,
      "PCB symbol \"DIP-14\" is in the library file\n" + prompt.foldersShown[0] +
          "/footprints.pcblib\n\nThis editor does not edit symbols. Open the folder that holds the library?");
  prompt.foldersOpen = false;
  Screen().ExpectMessageBox(IDYES);
  Screen().ExpectMessageBox(IDOK, "The folder " + prompt.foldersShown[0] + " could not be opened.");
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'E', FCONTROL | FSHIFT));

  // While a cell is edited, the editing shortcuts step aside.
  Click(PcbPadTarget(Frame(), 2));
  CEditGrid& cells = Cells();
  ASSERT_TRUE(user.BeginGridEdit(&cells, 1, 3));
  EXPECT_FALSE(user.PressAccelerator(&Main(), VK_DELETE, 0)) << "Delete belongs to the cell now";
  EXPECT_FALSE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(UndoText(), "&Undo") << "the menu shows no shortcut that would not work";
  // Saving ends the edit as the user would, and the shortcuts come back.
  EXPECT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL)) << "the main window's shortcuts stay";
  EXPECT_FALSE(user.EndGridEdit(&cells)) << "no edit is left open";
  EXPECT_EQ(Frame().GetAccelerators().Find(VK_DELETE, 0), ID_APP_DELETE);

  Click(ScmTerminalTarget(Frame(), 0, 1));
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'E', FCONTROL));
  EXPECT_EQ(MessagesHolding("Schematic symbol \"NAND2\" is in the library file"), 1);
  EXPECT_EQ(prompt.foldersShown.size(), 2u) << "No opens nothing";
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_DELETE, 0));
  EXPECT_EQ(Pin(), CGate::kNoPin) << "pin 1 was unassigned";
}

// The end of a run, by the editor itself (command 32814) or by Undo, brings back the
// select mode's tools and drawings, so that no click changes the pin map outside an undo
// step (f3ebcd1). Leaving a tab ends its run and closes the run's undo step on its own
// design (4845ff8), also after Cancel in a drawing's context menu left the mode but not
// the level (2513ed3), so that the next tab's run has a level of its own.
TEST_F(AppCommandsTest, TheEndOfAnAssignmentRunBringsBackTheSelectMode) {
  // The select button, the assign button and the assign menu item checked.
  const auto checked = [this] {
    return std::to_string(Button(ID_APP_SELECT_MODE).checked) +
           std::to_string(Button(ID_APP_ASSIGN_PINS).checked) +
           std::to_string(MenuItem(ID_APP_ASSIGN_PINS).checked);
  };
  ASSERT_TRUE(Open("QUAD-NAND2"));
  CAppComponentFrame& first = Frame();
  EXPECT_EQ(checked(), "100");
  AssignInAnOpenRun(14);
  EXPECT_EQ(checked(), "011");
  Frame().OnSelectMode();
  EXPECT_EQ(checked(), "100");

  AssignInAnOpenRun(13);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  ASSERT_EQ(Pin(), 14);
  EXPECT_EQ(checked(), "100");
  AssignByClicking(13, 0, 1);  // selects: no change, no level, the terminal clicked last selected
  EXPECT_EQ(std::make_tuple(Pin(), first.GetDesign()->IsUndoLevelOpen(), first.AnythingSelected(),
                            first.GetDesign()->CanRedo()),
            std::make_tuple(14, false, true, true));

  AssignInAnOpenRun(12);
  const ClickTarget pad = PcbPadTarget(first, 2);
  ASSERT_NE(pad.view, nullptr);
  Screen().ExpectContextMenu(ID_CONTEXT_CANCEL_ASSIGN_PINS);
  ASSERT_TRUE(user.OpenContextMenu(pad.view, pad.point));
  ASSERT_FALSE(first.IsAssigningPins());
  ASSERT_TRUE(first.GetDesign()->IsUndoLevelOpen());
  ASSERT_TRUE(Open("HEX-INV"));
  EXPECT_FALSE(first.GetDesign()->IsUndoLevelOpen());
  EXPECT_EQ(first.GetDesign()->GetUndoCount(), 2);
  CAppComponentFrame& second = Frame();
  AssignInAnOpenRun(6);
  ASSERT_TRUE(Open("QUAD-NAND2"));
  CDesign& design = *second.GetDesign();
  EXPECT_EQ(std::make_tuple(design.IsUndoLevelOpen(), design.IsModified(), design.GetUndoName()),
            std::make_tuple(false, true, CString("Assign Pins")));
}

// Menu labels show the shortcuts that work, and every shortcut needs a modifier or a key
// that types no text, so typing in a drawing runs nothing.
TEST_F(AppCommandsTest, MenuLabelsShowTheShortcutsThatWorkAndNoneIsABareLetter) {
  const CAcceleratorTable main = MainWindowShortcuts();
  const CAcceleratorTable editing = CAppComponentFrame::EditingShortcuts();
  for (const CAcceleratorTable* table : {&main, &editing}) {
    for (const Accelerator& shortcut : table->GetEntries()) {
      const MenuEntry* item = Main().GetMenu()->FindCommand(shortcut.command);
      ASSERT_NE(item, nullptr) << "no menu item for command " << shortcut.command;
      EXPECT_GE(item->text.Find("\t" + table->TextFor(shortcut.command)), 0) << item->text.str();
      const bool letter =
          (shortcut.key >= 'A' && shortcut.key <= 'Z') || (shortcut.key >= '0' && shortcut.key <= '9');
      EXPECT_FALSE(shortcut.modifiers == 0 && letter) << item->text.str();
    }
  }
  ASSERT_TRUE(Open());
  for (const UINT letter : {'K', 'M', 'T', 'W'}) EXPECT_FALSE(user.PressAccelerator(&Main(), letter, 0));
}

TEST_F(AppCommandsTest, SettingsAreKeptInTheStore) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(Settings().GetString(CEditorApp::kRecentKey, "Library1"), Library().str());
  EXPECT_EQ(MenuItem(ID_APP_RECENT_FIRST).text, "&1 sample.cmplib");

  EXPECT_TRUE(MenuItem(ID_APP_SHOW_GRID).checked);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SHOW_GRID));
  EXPECT_EQ(Settings().GetBool("ComponentEditor\\Grid", "Enabled"), false);
  EXPECT_FALSE(MenuItem(ID_APP_SHOW_GRID).checked);
  EXPECT_NE(Frame().GetGrid(), nullptr) << "an open component keeps its grid";
  ASSERT_TRUE(Open("HEX-INV"));
  EXPECT_EQ(Frame().GetGrid(), nullptr) << "the next one opens without";

  // A recent library opens through the picker again.
  Screen().ExpectDialog(IDD_COMPONENT_PICKER,
                        [](CDialog& dialog, UserInput& input) { input.Click(dialog.GetDlgItem(IDCANCEL)); });
  EXPECT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_RECENT_FIRST));
  EXPECT_EQ(App().CountOpenComponents(), 2);

  // A broken colour is named at start and takes its default.
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Text", std::string("cyan")));
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Selection", 0x1000000ul));
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Outlines", 0x00FF00ul));
  Screen().ExpectMessageBox(IDOK);
  Restart();
  EXPECT_EQ(MessagesHolding("\"Text\" in the settings is not a colour (cyan)"), 1);
  EXPECT_EQ(MessagesHolding("\"Selection\""), 1);
  EXPECT_EQ(MessagesHolding("\"Outlines\""), 0) << "a sound colour is no problem";
  EXPECT_FALSE(Settings().Find(kViewColoursKey, "Text"));
  EXPECT_EQ(ReadViewColours().outlines, 0x00FF00u);
  EXPECT_EQ(ReadViewColours().text, kViewColourPalette[3]) << "the fourth colour takes the fourth default";
  ASSERT_TRUE(Open()) << "the editor works on";
}

// The tool bar's package list follows the package commands, undo and redo (721558d)
// and the active tab. Which package is shown is no change: no undo step is made for it.
TEST_F(AppCommandsTest, ThePackageListFollowsThePackageCommandsUndoAndTheActiveTab) {
  EXPECT_FALSE(user.ChooseToolBarItem(&Bar(), ID_APP_PACKAGE_LIST, "DIP-14")) << "no component, no list";
  ASSERT_TRUE(Open());
  const std::vector<CString> two{"DIP-14", "SOIC-14"};
  EXPECT_EQ(PackagesListed(), two);
  ASSERT_TRUE(user.ChooseToolBarItem(&Bar(), ID_APP_PACKAGE_LIST, "SOIC-14"));
  EXPECT_EQ(Frame().GetComponent(false)->GetPackage(), "SOIC-14");
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), 0);
  EXPECT_EQ(PackagesListed(), two);
  EXPECT_EQ(Main().StatusBar().GetPaneText(1), "QUAD-NAND2, package SOIC-14");
  Screen().ExpectDialog(IDD_DELETE_PACKAGE,
                        [](CDialog& dialog, UserInput& input) { input.Click(dialog.GetDlgItem(IDOK)); });
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_DELETE, FCONTROL | FSHIFT));
  EXPECT_EQ(PackagesListed(), std::vector<CString>{"DIP-14"});
  EXPECT_EQ(PackageShown(), "DIP-14");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(PackagesListed(), two);
  EXPECT_EQ(PackageShown(), Frame().GetComponent(false)->GetPackage());
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  EXPECT_EQ(PackagesListed(), std::vector<CString>{"DIP-14"});
  ASSERT_TRUE(Open("HEX-INV"));
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "TSSOP-14"}));
}

// Edit > Properties and a double click on an item of a drawing open the sheet at that
// item, and OK is one undo step "Properties". A double click on nothing, or while pins
// are assigned, opens none (any sheet would fail the test at once).
TEST_F(AppCommandsTest, PropertiesOpenFromTheMenuOrADoubleClickOnAnItem) {
  ASSERT_TRUE(Open());
  ExpectSheet(IDOK, [](CWnd& page, UserInput& input) {
    EXPECT_TRUE(input.TypeText(page.GetDlgItem(IDC_DESCRIPTION), "Four NAND gates"));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_PROPERTIES));
  EXPECT_EQ(sheetOpenedAt, "CComponentPropertyPage");
  EXPECT_EQ(Frame().GetComponent(false)->GetDescription(), "Four NAND gates");
  EXPECT_EQ(UndoText(), "&Undo Properties\tCtrl+Z");

  ExpectSheet(IDCANCEL, [](CWnd&, UserInput&) {});
  Click(ScmTerminalTarget(Frame(), 0, 1), true);
  EXPECT_EQ(sheetOpenedAt, "CScmPinPropertyPage");

  const ClickTarget pad = PcbPadTarget(Frame(), 1);
  Click({pad.view, CPoint(2, 2)}, true);
  EXPECT_FALSE(Frame().AnythingSelected());
  ASSERT_TRUE(user.ClickToolBarButton(&Bar(), ID_APP_ASSIGN_PINS));
  Click(pad, true);
  EXPECT_TRUE(Frame().IsAssigningPins());
}

// Each row: the words after the program's name, and what they read as
// ("library|component|folders") or the words the refusal must hold.
TEST(EditorOptionsTest, ReadsTheLibraryTheComponentAndTheFoldersAndRefusesWhatDoesNotFit) {
  const std::pair<std::vector<const char*>, std::string> rows[] = {
      {{}, "||"},
      {{"lib.cmplib"}, "lib.cmplib||"},
      {{"--component", "NAND", "--open", "a.cmplib"}, "a.cmplib|NAND|"},
      {{"b.cmplib", "--component", "INV"}, "b.cmplib|INV|"},
      {{"--library-folder", "/a", "x.cmplib", "--library-folder", "/b"}, "x.cmplib||/a,/b,"},
      {{"--library-folder"}, "--library-folder needs a value"},
      {{"a.cmplib", "--component"}, "--component needs a value"},
      {{"--component", "NAND"}, "--component needs a library"},
      {{"a.cmplib", "b.cmplib"}, "\"b.cmplib\" is one too many"},
      {{"--colour", "red"}, "\"--colour\""},
  };
  for (const auto& [given, expected] : rows) {
    std::vector<const char*> words = given;
    words.insert(words.begin(), "component-editor");
    EditorOptions options;
    options.library = "kept";
    CString error;
    const bool accepted = ParseEditorOptions(static_cast<int>(words.size()), words.data(), options, error);
    std::string read = options.library.str() + "|" + options.component.str() + "|";
    for (const CString& folder : options.libraryFolders) read += folder.str() + ",";
    // A refused line changes nothing and says what is wrong.
    if (!accepted)
      read = options.library.str() + (error.Find(CString(expected)) >= 0 ? "" : " " + error.str());
    EXPECT_EQ(read, expected.find('|') != std::string::npos ? expected : "kept");
  }
}

}  // namespace
