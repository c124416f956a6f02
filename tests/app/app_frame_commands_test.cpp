// The frame's commands as a user reaches them in the application: Add Gate, the
// package commands and the tool bar's package list, Display Colours kept in the
// settings file across a restart, and Edit Symbol in Library.
#include <gtest/gtest.h>

#include <vector>

#include "editor/resources/resource_ids.h"
#include "editor/views/view_colours.h"
#include "host/model/design.h"
#include "host/uitools/design_colours_combo_box.h"
#include "platform/app_registry.h"
#include "platform/dialog.h"
#include "tests/app/app_fixture.h"

namespace {

class AppFrameCommandsTest : public AppTest {
 protected:
  CToolBar& Bar() { return Main().ToolBar(); }
  // The package list as idle time leaves it.
  std::vector<CString> PackagesListed() {
    Main().OnIdleUpdateCmdUI();
    return Bar().GetComboItems(ID_APP_PACKAGE_LIST);
  }
  CString PackageShown() {
    Main().OnIdleUpdateCmdUI();
    return Bar().GetComboText(ID_APP_PACKAGE_LIST);
  }
  CString CurrentPackage() { return Frame().GetComponent(false)->GetPackage(); }
  CString UndoText() { return MenuItem(ID_APP_UNDO).text; }

  // The Add Package dialog answered with a new package drawn by an existing footprint.
  void ExpectAddPackage(const char* package) {
    Screen().ExpectDialog(IDD_ADD_PACKAGE, [package](CDialog& dialog, UserInput& input) {
      EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_COMBO), package));
      EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_LIBRARY_COMBO), "footprints.pcblib"));
      EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PCB_SYMBOL_COMBO), "SOIC-14"));
      EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_PCB_PIN_COUNT), "14"));
      input.Click(dialog.GetDlgItem(IDOK));
    });
  }
  // The Display dialog with the background set to the palette's colour `index`; the
  // colour the combo box then holds is noted.
  void ExpectDisplay(int button, int index, COLORREF* chosen) {
    Screen().ExpectDialog(IDD_DISPLAY, [=](CDialog& dialog, UserInput& input) {
      CWnd* background = dialog.GetDlgItem(IDC_COLOUR_BACKGROUND);
      EXPECT_TRUE(input.ChooseComboIndex(background, index));
      if (auto* combo = DynamicDowncast<CDesignColoursComboBox>(background)) *chosen = combo->GetColour();
      input.Click(dialog.GetDlgItem(button));
    });
  }
};

TEST_F(AppFrameCommandsTest, InsertAddsAGateAsOneUndoStepNamedInTheEditMenu) {
  ASSERT_TRUE(Open());
  const int gates = Frame().GetComponent(false)->CountGates();
  Screen().ExpectDialog(IDD_ADD_GATE, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_GATE_COUNT), "2"));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_INSERT, 0));
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), gates + 2);
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), 1) << "both gates are one step";
  EXPECT_EQ(UndoText(), "&Undo Add Gate\tCtrl+Z");

  Screen().ExpectDialog(IDD_ADD_GATE,
                        [](CDialog& dialog, UserInput& input) { input.Click(dialog.GetDlgItem(IDCANCEL)); });
  ASSERT_TRUE(user.ClickToolBarButton(&Bar(), ID_APP_ADD_GATE));
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), gates + 2);
  EXPECT_EQ(UndoText(), "&Undo Add Gate\tCtrl+Z") << "an empty step leaves the last one named";

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), gates);
}

TEST_F(AppFrameCommandsTest, ThePackageListFollowsThePackageCommandsUndoAndTheActiveTab) {
  EXPECT_TRUE(PackagesListed().empty());
  EXPECT_FALSE(user.ChooseToolBarItem(&Bar(), ID_APP_PACKAGE_LIST, "DIP-14")) << "no component, no list";
  ASSERT_TRUE(Open());
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "SOIC-14"}));
  EXPECT_EQ(PackageShown(), "DIP-14");

  // Which package is shown is no change of the component: the undo history, which
  // keeps changes only, gets no step for it.
  ASSERT_TRUE(user.ChooseToolBarItem(&Bar(), ID_APP_PACKAGE_LIST, "SOIC-14"));
  EXPECT_EQ(CurrentPackage(), "SOIC-14");
  EXPECT_EQ(PackageShown(), "SOIC-14");
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), 0);
  EXPECT_EQ(Main().StatusBar().GetPaneText(1), "QUAD-NAND2, package SOIC-14");

  ExpectAddPackage("TSSOP-14");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_PACKAGE));
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "SOIC-14", "TSSOP-14"}));
  EXPECT_EQ(PackageShown(), "TSSOP-14") << "the new package is current";
  EXPECT_EQ(UndoText(), "&Undo Add Package\tCtrl+Z");

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "SOIC-14"}));
  EXPECT_EQ(PackageShown(), CurrentPackage());
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "SOIC-14", "TSSOP-14"}));
  EXPECT_EQ(PackageShown(), CurrentPackage());
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));

  Screen().ExpectDialog(IDD_DELETE_PACKAGE,
                        [](CDialog& dialog, UserInput& input) { input.Click(dialog.GetDlgItem(IDOK)); });
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_DELETE, FCONTROL | FSHIFT));
  EXPECT_EQ(PackagesListed().size(), 1u);
  EXPECT_EQ(PackageShown(), CurrentPackage());
  EXPECT_EQ(UndoText(), "&Undo Delete Package\tCtrl+Z");

  // Another component in its own tab has its own packages.
  ASSERT_TRUE(Open("HEX-INV"));
  EXPECT_EQ(PackagesListed(), (std::vector<CString>{"DIP-14", "TSSOP-14"}));
  EXPECT_EQ(PackageShown(), "DIP-14");
}

TEST_F(AppFrameCommandsTest, SelectPackageFromTheMenuShowsInTheList) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_SELECT_PACKAGE, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PACKAGE_LIST), "SOIC-14"));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_PACKAGE));
  EXPECT_EQ(PackageShown(), "SOIC-14");
  EXPECT_EQ(CurrentPackage(), "SOIC-14");
}

TEST_F(AppFrameCommandsTest, DisplayColoursAreKeptInTheSettingsFileAcrossARestart) {
  const CString file = Path("settings.json");
  SetCurrentSettings(std::make_unique<FileSettingsStore>(file));
  ASSERT_TRUE(Open());
  COLORREF chosen = 0;
  ExpectDisplay(IDCANCEL, 19, &chosen);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_DISPLAY_COLOURS));
  EXPECT_FALSE(CurrentSettings().Find(kViewColoursKey, "Background")) << "Cancel writes nothing";

  ExpectDisplay(IDOK, 19, &chosen);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_DISPLAY_COLOURS));
  ASSERT_NE(chosen, kViewColourPalette[0]) << "the background must differ from its default";
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), 0) << "colours are no change of the component";

  // The program starts again and reads its settings from the file.
  SetCurrentSettings(std::make_unique<FileSettingsStore>(file));
  Restart();
  EXPECT_EQ(ReadViewColours().background, chosen);
  ASSERT_TRUE(Open());
  COLORREF shown = 0;
  Screen().ExpectDialog(IDD_DISPLAY, [&shown](CDialog& dialog, UserInput& input) {
    if (auto* combo = DynamicDowncast<CDesignColoursComboBox>(dialog.GetDlgItem(IDC_COLOUR_BACKGROUND)))
      shown = combo->GetColour();
    input.Click(dialog.GetDlgItem(IDCANCEL));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_DISPLAY_COLOURS));
  EXPECT_EQ(shown, chosen) << "the dialog offers the kept colour";
}

TEST_F(AppFrameCommandsTest, ABrokenColourInTheSettingsIsNamedAndTakesItsDefault) {
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Text", std::string("cyan")));
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Selection", 0x1000000ul));
  ASSERT_TRUE(Settings().Set(kViewColoursKey, "Outlines", 0x00FF00ul));
  Screen().ExpectMessageBox(IDOK);
  Restart();
  ASSERT_FALSE(Screen().MessageBoxesShown().empty());
  const std::string text = Screen().MessageBoxesShown().back().text.str();
  EXPECT_NE(text.find("\"Text\" in the settings is not a colour (cyan)"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Selection\""), std::string::npos) << text;
  EXPECT_EQ(text.find("\"Outlines\""), std::string::npos) << "a sound colour is no problem";

  EXPECT_FALSE(Settings().Find(kViewColoursKey, "Text"));
  EXPECT_FALSE(Settings().Find(kViewColoursKey, "Selection"));
  const ViewColours colours = ReadViewColours();
  EXPECT_EQ(colours.outlines, 0x00FF00u);
  EXPECT_EQ(colours.text, kViewColourPalette[3]) << "the fourth colour missing takes the fourth default";
  ASSERT_TRUE(Open()) << "the editor works on";
}

TEST_F(AppFrameCommandsTest, EditSymbolInLibraryNamesTheSymbolAndItsFileAndOffersItsFolder) {
  ASSERT_TRUE(Open());
  EXPECT_FALSE(MenuEnabled(ID_APP_EDIT_SCM_SYMBOL)) << "nothing is selected";
  EXPECT_FALSE(MenuEnabled(ID_APP_EDIT_PCB_SYMBOL));
  EXPECT_FALSE(user.PressAccelerator(&Main(), 'E', FCONTROL | FSHIFT));

  const ClickTarget pad = PcbPadTarget(Frame(), 1);
  ASSERT_NE(pad.view, nullptr);
  ASSERT_TRUE(user.LeftClick(pad.view, pad.point));
  EXPECT_TRUE(MenuEnabled(ID_APP_EDIT_PCB_SYMBOL));
  EXPECT_FALSE(MenuEnabled(ID_APP_EDIT_SCM_SYMBOL)) << "nothing is selected in the schematic";

  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'E', FCONTROL | FSHIFT));
  const std::string text = Screen().MessageBoxesShown().back().text.str();
  EXPECT_NE(text.find("PCB symbol \"DIP-14\" is in the library file"), std::string::npos) << text;
  EXPECT_NE(text.find("footprints.pcblib"), std::string::npos) << text;
  EXPECT_TRUE(prompt.foldersShown.empty()) << "No opens nothing";

  Screen().ExpectMessageBox(IDYES);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EDIT_PCB_SYMBOL));
  ASSERT_EQ(prompt.foldersShown.size(), 1u);
  EXPECT_NE(text.find(prompt.foldersShown[0].str() + "/footprints.pcblib"), std::string::npos)
      << "the folder of the file named: " << prompt.foldersShown[0].str();

  prompt.foldersOpen = false;
  Screen().ExpectMessageBox(IDYES);
  Screen().ExpectMessageBox(IDOK, "The folder " + prompt.foldersShown[0] + " could not be opened.");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EDIT_PCB_SYMBOL));

  const ClickTarget terminal = ScmTerminalTarget(Frame(), 0, 1);
  ASSERT_NE(terminal.view, nullptr);
  ASSERT_TRUE(user.LeftClick(terminal.view, terminal.point));
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'E', FCONTROL));
  const std::string scm = Screen().MessageBoxesShown().back().text.str();
  EXPECT_NE(scm.find("Schematic symbol \"NAND2\" is in the library file"), std::string::npos) << scm;
  EXPECT_NE(scm.find("logic.scmlib"), std::string::npos) << scm;
}

}  // namespace
