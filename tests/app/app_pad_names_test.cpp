// A package on a footprint that names its balls, splits its exposed pad in two lands
// and has a mounting hole: the grid shows and takes the ball names, the live checks
// name the balls, every land of a pin lights with it, the hole serves no pin, and the
// component saves and reopens with the names.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/picking/pick.h"
#include "host/utility/edit_grid.h"
#include "platform/dialog.h"
#include "platform/property_sheet.h"
#include "tests/app/app_fixture.h"
#include "tests/app/click_targets.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/file_text.h"

namespace {

namespace fs = std::filesystem;

// Balls A1 ... C3 on a 0.8 mm grid, the exposed pad "EP" on two lands below them and
// an unnumbered hole: pins 1 to 9 are the balls in natural order, pin 10 the EP.
std::string NineBallsAndAnExposedPad() {
  std::ostringstream text;
  text << "(footprint \"BGA9\" (version 20211014) (generator test_writer) (layer \"F.Cu\")\n";
  for (const char row : {'C', 'B', 'A'}) {
    for (int column = 3; column >= 1; --column) {
      text << "  (pad \"" << row << column << "\" smd circle (at " << 0.8 * (column - 1) << " "
           << 0.8 * (row - 'A') << ") (size 0.4 0.4) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
    }
  }
  text << "  (pad \"EP\" smd rect (at 0 3) (size 0.6 0.6) (layers \"F.Cu\"))\n"
       << "  (pad \"EP\" smd rect (at 1.6 3) (size 0.6 0.6) (layers \"F.Cu\"))\n"
       << "  (pad \"\" np_thru_hole circle (at -2 1) (size 1 1) (drill 1) (layers *.Cu *.Mask))\n)\n";
  return text.str();
}

class AppPadNamesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fs::create_directory(Path("Balls.pretty").str());
    WriteFileText(Path("Balls.pretty/BGA9.kicad_mod").str(), NineBallsAndAnExposedPad());
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CPcbSymbolLibrary), Path("Balls.pretty"));
  }

  CEditGrid& Cells() { return Frame().GetGrid()->GetEditGrid(); }
  std::string Text(long row, long col) { return Cells().GetTextMatrix(row, col).str(); }

  void AddBallPackage() {
    Screen().ExpectDialog(IDD_ADD_PACKAGE, [](CDialog& dialog, UserInput& input) {
      EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_COMBO), "BGA-9"));
      EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_LIBRARY_COMBO), "Balls.pretty"));
      EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_SYMBOL_COMBO), "BGA9"));
      EXPECT_EQ(dialog.GetDlgItem(IDC_PCB_PIN_COUNT)->GetWindowText(), "10")
          << "nine balls and the exposed pad; its second land and the hole are no pins";
      input.Click(dialog.GetDlgItem(IDOK));
    });
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_PACKAGE));
  }

  std::vector<CPadInstance*> Lands() { return PlacedPads(*Frame().GetSymbolsFrame()->GetPcbView()); }

  std::vector<CString> Problems() {
    std::vector<CString> texts;
    for (const PinMapProblem& problem : Frame().GetPinMapChecks()->Problems()) texts.push_back(problem.text);
    return texts;
  }
};

TEST_F(AppPadNamesTest, TheGridShowsAndTakesBallNamesAndRefusesAnUnknownOne) {
  ASSERT_TRUE(Open());
  AddBallPackage();
  ASSERT_EQ(Frame().GetComponent(false)->GetPackage(), "BGA-9");

  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "b2"));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 5) << "B2 is the fifth ball";
  EXPECT_EQ(Text(1, 3), "B2");
  const std::vector<CPadInstance*> terminals = PlacedPads(*Frame().GetSymbolsFrame()->GetScmView());
  const auto a1 = std::find_if(terminals.begin(), terminals.end(), [](CPadInstance* terminal) {
    return terminal->GetGate() == 0 && terminal->GetTerminalNumber() == 1;
  });
  ASSERT_NE(a1, terminals.end());
  EXPECT_EQ((*a1)->GetPinNumberText()->GetText(), "B2") << "the schematic drawing names the ball too";
  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, "7"));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 2), 7) << "a number is still a number";
  EXPECT_EQ(Text(2, 3), "C1") << "and shows as its ball";

  Screen().ExpectMessageBox(IDOK, CString("\"Z9\" is not a pin number nor a pad name of BGA9."));
  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, "Z9"));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 2), 7) << "the pin is kept";
  EXPECT_EQ(Text(2, 3), "C1") << "and shown again";

  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, "B2"));
  const std::vector<CString> problems = Problems();
  EXPECT_NE(std::find(problems.begin(), problems.end(),
                      CString("gate a, terminal 1 (A): pin B2 is used by 2 terminals in BGA-9.")),
            problems.end())
      << ::testing::PrintToString(problems);

  // Assign by Name names the pins it would change as the grid does.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 1, "C2"));
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ASSIGN_BY_NAME));
  ASSERT_FALSE(Screen().MessageBoxesShown().empty());
  const CString asked = Screen().MessageBoxesShown().back().text;
  EXPECT_NE(asked.Find("Gate a, terminal 3 \"C2\": pin "), -1) << asked.str();
  EXPECT_NE(asked.Find(" becomes C2"), -1) << asked.str();
}

TEST_F(AppPadNamesTest, APinOnTwoLandsLightsBothAndTheHoleServesNoPin) {
  ASSERT_TRUE(Open());
  AddBallPackage();
  const std::vector<CPadInstance*> lands = Lands();
  ASSERT_EQ(lands.size(), 12u);
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "ep"));
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), 10);
  EXPECT_EQ(Text(1, 3), "EP");
  int exposed = 0;
  for (CPadInstance* land : lands) {
    if (land->GetPinNumber() != 10) continue;
    ++exposed;
    EXPECT_TRUE(land->IsAssigned());
    EXPECT_EQ(land->GetPinNumberText()->GetText(), "EP");
  }
  EXPECT_EQ(exposed, 2);

  // Deleting the assignments of a named land asks by its name.
  CPadInstance* second = *std::find_if(lands.rbegin(), lands.rend(),
                                       [](CPadInstance* land) { return land->GetPinNumber() == 10; });
  second->SetSelected(true);
  Screen().ExpectMessageBox(IDYES, CString("Remove pin assignments for pin EP?"));
  Frame().GetSymbolsFrame()->DeleteSelection();
  EXPECT_EQ(Frame().GetComponent(false)->GetPinNumber(0, 1), -1);
  EXPECT_EQ(Text(1, 3), "");
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "EP"));

  // Some terminal has no pin: the hole still shows as serving none. The drawing may
  // have been built anew meanwhile.
  const std::vector<CPadInstance*> drawn = Lands();
  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, ""));
  const auto hole = std::find_if(drawn.begin(), drawn.end(),
                                 [](CPadInstance* land) { return !land->GetPad()->IsNumbered(); });
  ASSERT_NE(hole, drawn.end());
  EXPECT_FALSE((*hole)->IsAssigned());
  EXPECT_EQ((*hole)->GetPinNumberText()->GetText(), "");
  EXPECT_EQ((*hole)->GetGate(), -1);
  CPcbSymbolView* view = Frame().GetSymbolsFrame()->GetPcbView();
  CPick pick(view);
  EXPECT_FALSE(
      pick.PickItems(view->GetTransform().ToView((*hole)->GetPosition()), kPickPads, nullptr, nullptr))
      << "a click on the hole picks no pad";
  EXPECT_TRUE(
      pick.PickItems(view->GetTransform().ToView(drawn[0]->GetPosition()), kPickPads, nullptr, nullptr));
}

TEST_F(AppPadNamesTest, TheComponentSavesAndReopensWithItsBallNames) {
  ASSERT_TRUE(Open());
  AddBallPackage();
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "C3"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(Library(), "QUAD-NAND2", saved, error)) << error.str();
  const CComponent* bga = saved.FindComponent("QUAD-NAND2", "BGA-9");
  ASSERT_NE(bga, nullptr);
  EXPECT_EQ(bga->GetPinNumber(0, 1), 9) << "the library stores the pin number";
  EXPECT_EQ(bga->GetPinCount(), 10);

  Restart();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "BGA-9"));
  EXPECT_EQ(Text(1, 3), "C3");
  EXPECT_EQ(Lands().size(), 12u);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

TEST_F(AppPadNamesTest, ThePinPagesNameTheBall) {
  ASSERT_TRUE(Open());
  AddBallPackage();
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "B3"));
  std::vector<CString> shown;
  const auto readPinNumber = [&shown](CDialog& dialog, UserInput& input) {
    auto* sheet = DynamicDowncast<CPropertySheet>(&dialog);
    ASSERT_NE(sheet, nullptr);
    shown.push_back(sheet->GetActivePage()->GetDlgItem(IDC_PIN_NUMBER)->GetWindowText());
    input.Click(sheet->GetDlgItem(IDCANCEL));
  };
  const ClickTarget pad = PcbPadTarget(Frame(), 6);
  ASSERT_NE(pad.view, nullptr);
  Screen().ExpectDialog(0, readPinNumber);
  ASSERT_TRUE(user.LeftDoubleClick(pad.view, pad.point));
  const ClickTarget terminal = ScmTerminalTarget(Frame(), 0, 1);
  ASSERT_NE(terminal.view, nullptr);
  Screen().ExpectDialog(0, readPinNumber);
  ASSERT_TRUE(user.LeftDoubleClick(terminal.view, terminal.point));
  EXPECT_EQ(shown, (std::vector<CString>{"B3", "B3"})) << "the PCB pin page and the schematic pin page";
}

}  // namespace
