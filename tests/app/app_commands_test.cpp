// Menus, tool bar and shortcuts: which commands are on, what they reach in the editor,
// and the settings the application keeps.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "app/app_resources.h"
#include "app/editor_menus.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/resources/resource_ids.h"
#include "host/model/design.h"
#include "host/utility/edit_grid.h"
#include "platform/dialog.h"
#include "tests/app/app_fixture.h"

namespace {

class AppCommandsTest : public AppTest {
 protected:
  const ToolBarButton& Button(UINT command) {
    Main().OnIdleUpdateCmdUI();
    CToolBar& bar = Main().ToolBar();
    return *bar.GetButton(bar.CommandToIndex(command));
  }
};

TEST_F(AppCommandsTest, WithoutAComponentOnlyOpeningAndQuittingAreOn) {
  EXPECT_TRUE(MenuEnabled(ID_APP_OPEN_LIBRARY));
  EXPECT_TRUE(MenuEnabled(ID_APP_QUIT));
  for (UINT command : {ID_APP_OPEN_COMPONENT, ID_APP_SAVE, ID_APP_SAVE_AS, ID_APP_CLOSE, ID_APP_UNDO,
                       ID_APP_DELETE, ID_APP_ASSIGN_PINS, ID_APP_ZOOM_IN, ID_APP_CHECK_VALIDITY}) {
    EXPECT_FALSE(MenuEnabled(command)) << command;
  }
  EXPECT_FALSE(Button(ID_APP_SAVE).enabled);
}

TEST_F(AppCommandsTest, EditorCommandsFollowTheFramesTests) {
  ASSERT_TRUE(Open());
  EXPECT_FALSE(MenuEnabled(ID_APP_DELETE)) << "nothing is selected";
  EXPECT_TRUE(MenuEnabled(ID_APP_ASSIGN_PINS_121));
  EXPECT_TRUE(MenuEnabled(ID_APP_VALUES));
  EXPECT_TRUE(MenuEnabled(ID_APP_CHECK_VALIDITY));
  EXPECT_TRUE(MenuEnabled(ID_APP_ZOOM_EXTENTS));
  for (UINT command : {ID_APP_ADD_GATE, ID_APP_ADD_PACKAGE, ID_APP_SELECT_PACKAGE, ID_APP_DELETE_PACKAGE,
                       ID_APP_DISPLAY_COLOURS}) {
    EXPECT_TRUE(MenuEnabled(command)) << command;
  }
  for (UINT command : {ID_APP_ADD_GATE, ID_APP_ADD_PACKAGE, ID_APP_DELETE_PACKAGE, ID_APP_ZOOM_IN})
    EXPECT_TRUE(Button(command).enabled) << command;

  // A click on a pad in the select mode selects it: Delete comes on, and asks first.
  const ClickTarget pad = PcbPadTarget(Frame(), 1);
  ASSERT_NE(pad.view, nullptr);
  ASSERT_TRUE(user.LeftClick(pad.view, pad.point));
  EXPECT_TRUE(Frame().AnythingSelected());
  EXPECT_TRUE(MenuEnabled(ID_APP_DELETE));
  EXPECT_TRUE(Button(ID_APP_DELETE).enabled);
  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_DELETE, 0));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), CGate::kNoPin) << "pin 1 was unassigned";
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), 1);
}

TEST_F(AppCommandsTest, TheEndOfAnAssignmentRunBringsBackTheSelectModeTools) {
  ASSERT_TRUE(Open());
  EXPECT_TRUE(Button(ID_APP_SELECT_MODE).checked);
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  EXPECT_TRUE(Button(ID_APP_ASSIGN_PINS).checked);
  EXPECT_FALSE(Button(ID_APP_SELECT_MODE).checked);
  EXPECT_TRUE(MenuItem(ID_APP_ASSIGN_PINS).checked);

  // The editor ends the run itself (the select mode, or any of its commands) and tells
  // the main window with command 32814.
  Frame().OnSelectMode();

  EXPECT_TRUE(Button(ID_APP_SELECT_MODE).checked);
  EXPECT_FALSE(Button(ID_APP_ASSIGN_PINS).checked);
  EXPECT_FALSE(MenuItem(ID_APP_ASSIGN_PINS).checked);
}

// Undo ends the run; the drawings go back to selecting, as the tools show, so that no
// click changes the pin map outside an undo step.
TEST_F(AppCommandsTest, AfterUndoEndsAnAssignmentRunAClickSelectsAndAssignsNothing) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(14, 0, 1);
  ASSERT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 14);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  ASSERT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 1);
  EXPECT_TRUE(Button(ID_APP_SELECT_MODE).checked);

  AssignByClicking(14, 0, 1);
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 1);
  EXPECT_FALSE(Frame().GetDesign()->IsUndoLevelOpen());
  EXPECT_TRUE(Frame().AnythingSelected()) << "the terminal clicked last is selected";
  EXPECT_TRUE(Frame().GetDesign()->CanRedo());
}

TEST_F(AppCommandsTest, LeavingATabInAnAssignmentRunClosesTheRunsUndoStepOnItsOwnDesign) {
  ASSERT_TRUE(Open("QUAD-NAND2"));
  CAppComponentFrame& first = Frame();
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(14, 0, 1);
  ASSERT_TRUE(first.GetDesign()->IsUndoLevelOpen());

  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_NE(&Frame(), &first);
  EXPECT_FALSE(first.GetDesign()->IsUndoLevelOpen()) << "the run ended with its tab";
  EXPECT_EQ(first.GetDesign()->GetUndoCount(), 1);
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_SELECT_MODE));
  EXPECT_FALSE(Frame().GetDesign()->IsUndoLevelOpen());
  EXPECT_TRUE(first.GetDesign()->CanUndo());
}

// Cancel in a drawing's context menu goes back to selecting but leaves the run's undo
// level open; leaving the tab still closes it, so that the next tab's run has a level of
// its own and its pins count as a change there.
TEST_F(AppCommandsTest, LeavingATabAfterCancellingTheModeStillEndsTheRun) {
  ASSERT_TRUE(Open("QUAD-NAND2"));
  CAppComponentFrame& first = Frame();
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  AssignByClicking(14, 0, 1);
  const ClickTarget pad = PcbPadTarget(first, 2);
  ASSERT_NE(pad.view, nullptr);
  Screen().ExpectContextMenu(ID_CONTEXT_CANCEL_ASSIGN_PINS);
  ASSERT_TRUE(user.OpenContextMenu(pad.view, pad.point));
  ASSERT_FALSE(first.IsAssigningPins());
  ASSERT_TRUE(first.GetDesign()->IsUndoLevelOpen());

  ASSERT_TRUE(Open("HEX-INV"));
  EXPECT_FALSE(first.GetDesign()->IsUndoLevelOpen());
  EXPECT_TRUE(first.GetDesign()->IsModified());

  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  EXPECT_TRUE(Frame().GetDesign()->IsUndoLevelOpen()) << "the new tab's run has its own level";
  AssignByClicking(6, 0, 1);
  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_SELECT_MODE));
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
  EXPECT_EQ(Frame().GetDesign()->GetUndoName(), "Assign Pins");
}

TEST_F(AppCommandsTest, EditingShortcutsStepAsideWhileACellIsEdited) {
  ASSERT_TRUE(Open());
  const ClickTarget pad = PcbPadTarget(Frame(), 2);
  ASSERT_TRUE(user.LeftClick(pad.view, pad.point));
  CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
  ASSERT_TRUE(user.BeginGridEdit(&cells, 1, 3));

  EXPECT_FALSE(user.PressAccelerator(&Main(), VK_DELETE, 0)) << "Delete belongs to the cell now";
  EXPECT_FALSE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(MenuItem(ID_APP_UNDO).text, "&Undo") << "the menu shows no shortcut that would not work";
  // Saving ends the edit as the user would, and the shortcuts come back.
  EXPECT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL)) << "the main window's shortcuts stay";
  EXPECT_FALSE(user.EndGridEdit(&cells)) << "no edit is left open";
  EXPECT_EQ(Frame().GetAccelerators().Find(VK_DELETE, 0), ID_APP_DELETE);
}

TEST_F(AppCommandsTest, MenuLabelsShowTheShortcutsThatWork) {
  const CAcceleratorTable main = MainWindowShortcuts();
  const CAcceleratorTable editing = CAppComponentFrame::EditingShortcuts();
  for (const CAcceleratorTable* table : {&main, &editing}) {
    for (const Accelerator& shortcut : table->GetEntries()) {
      const MenuEntry* item = Main().GetMenu()->FindCommand(shortcut.command);
      ASSERT_NE(item, nullptr) << "no menu item for command " << shortcut.command;
      const CString label = item->text;
      EXPECT_GE(label.Find("\t" + table->TextFor(shortcut.command)), 0) << label.str();
    }
  }
}

// Every shortcut a menu shows needs a modifier or a key that types no text, so typing
// in a drawing runs nothing; the keypad keys behind the zooms are not letters either.
TEST_F(AppCommandsTest, NoMenuShortcutIsABareLetterAndTheViewKeysFollowTheDesktop) {
  ASSERT_TRUE(Open());
  std::vector<const CMenu*> menus = {Main().GetMenu()};
  int shortcuts = 0;
  while (!menus.empty()) {
    const CMenu* menu = menus.back();
    menus.pop_back();
    for (int position = 0; position < menu->GetMenuItemCount(); ++position) {
      const MenuEntry& entry = *menu->GetEntry(position);
      if (entry.popup != nullptr) menus.push_back(entry.popup.get());
      const int tab = entry.text.Find("\t");
      if (tab < 0) continue;
      const std::string key = entry.text.str().substr(static_cast<size_t>(tab) + 1);
      ++shortcuts;
      EXPECT_FALSE(key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) << entry.text.str();
    }
  }
  EXPECT_GT(shortcuts, 20);
  const std::pair<UINT, const char*> shown[] = {{ID_APP_ZOOM_IN, "Zoom &In at Cursor\tCtrl+="},
                                                {ID_APP_ZOOM_OUT, "Zoom &Out at Cursor\tCtrl+-"},
                                                {ID_APP_REFRESH, "&Refresh\tF5"},
                                                {ID_APP_SHOW_PROBLEMS, "Pin Grid &Problems...\tF8"}};
  for (const auto& [command, text] : shown) EXPECT_EQ(MenuItem(command).text, text);
  for (const UINT letter : {'K', 'M', 'T', 'W'}) EXPECT_FALSE(user.PressAccelerator(&Main(), letter, 0));
  EXPECT_EQ(Main().FindAcceleratorCommand(VK_ADD, 0), ID_APP_ZOOM_IN) << "the keypad's + zooms too";
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
}

}  // namespace
