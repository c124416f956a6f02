// Libraries in the application. The field's symbol and footprint libraries: once the
// user has used one library of a folder, Add Gate and Add Package list its .kicad_sym
// files and .pretty folders; a footprint that names its balls, splits its exposed pad in
// two lands and has a mounting hole is shown and edited by those names, saves and
// reopens. A component library in a folder of its own is drawn from the symbol
// libraries beside it. File > Export to KiCad writes what the user chose.
#include <algorithm>
#include <set>
#include <sstream>

#include "app/kicad_export_dialog.h"
#include "host/picking/pick.h"
#include "platform/program_path.h"
#include "tests/app/app_fixture.h"

namespace {

// Balls A1 ... C3 on a 0.8 mm grid, the exposed pad "EP" on two lands below them and
// an unnumbered hole: pins 1 to 9 are the balls in natural order, pin 10 the EP.
std::string NineBallsAndAnExposedPad() {
  std::ostringstream text;
  text << "(footprint \"BGA9\" (version 20211014) (generator test_writer) (layer \"F.Cu\")\n";
  for (const char row : {'C', 'B', 'A'})
    for (int column = 3; column >= 1; --column)
      text << "  (pad \"" << row << column << "\" smd circle (at " << 0.8 * (column - 1) << " "
           << 0.8 * (row - 'A') << ") (size 0.4 0.4) (layers \"F.Cu\"))\n";
  text << "  (pad \"EP\" smd rect (at 0 3) (size 0.6 0.6) (layers \"F.Cu\"))\n"
       << "  (pad \"EP\" smd rect (at 1.6 3) (size 0.6 0.6) (layers \"F.Cu\"))\n"
       << "  (pad \"\" np_thru_hole circle (at -2 1) (size 1 1) (drill 1) (layers *.Cu *.Mask))\n)\n";
  return text.str();
}

class AppKicadLibrariesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    UseFieldLibraries();
    WriteFileText(Path(std::string(Samples::kFootprintFolder) + "/BGA9.kicad_mod").str(),
                  NineBallsAndAnExposedPad());
  }

  std::string Text(long row, long col) { return Cells().GetTextMatrix(row, col).str(); }

  void AddBallPackage() {
    Screen().ExpectDialog(IDD_ADD_PACKAGE, [](CDialog& dialog, UserInput& input) {
      EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_COMBO), "BGA-9"));
      EXPECT_TRUE(
          input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_LIBRARY_COMBO), Samples::kFootprintFolder));
      EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_SYMBOL_COMBO), "BGA9"));
      EXPECT_EQ(dialog.GetDlgItem(IDC_PCB_PIN_COUNT)->GetWindowText(), "10")
          << "nine balls and the exposed pad; its second land and the hole are no pins";
      input.Click(dialog.GetDlgItem(IDOK));
    });
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_PACKAGE));
    ASSERT_EQ(Frame().GetComponent(false)->GetPackage(), "BGA-9");
  }
};

TEST_F(AppKicadLibrariesTest, AGateAndABallPackageFromTheFieldsLibrariesShowSaveAndReopen) {
  ASSERT_TRUE(Open());
  const std::size_t scmPads = Pads(false).size();
  std::vector<CString> listed;
  Screen().ExpectDialog(IDD_ADD_GATE, [&listed](CDialog& dialog, UserInput& input) {
    listed = Items(dialog.GetDlgItem(IDC_SCM_LIBRARY_COMBO));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_SCM_LIBRARY_COMBO), Samples::kSymbolLibrary));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "QUAD:B"));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ADD_GATE));
  EXPECT_EQ(listed, (std::vector<CString>{Samples::kSymbolLibrary}))
      << "the folder holds no JSON symbol library";
  EXPECT_EQ(Pads(false).size(), scmPads + 5) << "three own pins and the two shared ones";
  EXPECT_EQ(Frame().GetComponent(false)->FindGate(5)->CountPins(), 5);
  AddBallPackage();
  std::multiset<std::string> labels;
  for (CPadInstance* land : Pads(true)) labels.insert(land->GetPinNumberText()->GetText().str());
  EXPECT_EQ(labels.count("EP"), 2u) << "a land named otherwise than by a number shows its name";
  EXPECT_EQ(labels.count("C3"), 1u);
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "C3"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  const CComponent* bga = OnDisk("QUAD-NAND2", "BGA-9");
  ASSERT_NE(bga, nullptr);
  EXPECT_EQ(bga->GetPcbComponent()->GetLibrary(), Samples::kFootprintFolder);
  EXPECT_EQ(bga->GetPinNumber(0, 1), 9) << "the library stores the pin number";
  EXPECT_EQ(bga->GetPinCount(), 10);

  Restart();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "BGA-9"));
  EXPECT_EQ(Text(1, 3), "C3");
  EXPECT_EQ(Pads(true).size(), 12u) << "drawn again from the footprint folder";
  EXPECT_EQ(Pads(false).size(), scmPads + 5);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

TEST_F(AppKicadLibrariesTest, BallNamesAreShownTakenCheckedAndAskedByAndTheHoleServesNoPin) {
  ASSERT_TRUE(Open());
  AddBallPackage();
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "b2"));
  EXPECT_EQ(Pin(0, 1), 5) << "B2 is the fifth ball";
  EXPECT_EQ(Text(1, 3), "B2");
  const std::vector<CPadInstance*> terminals = Pads(false);
  const auto a1 = std::find_if(terminals.begin(), terminals.end(), [](CPadInstance* terminal) {
    return terminal->GetGate() == 0 && terminal->GetTerminalNumber() == 1;
  });
  ASSERT_NE(a1, terminals.end());
  EXPECT_EQ((*a1)->GetPinNumberText()->GetText(), "B2") << "the schematic drawing names the ball too";
  Screen().ExpectMessageBox(IDOK, CString("\"Z9\" is not a pin number nor a pad name of BGA9."));
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "Z9"));
  EXPECT_EQ(Pin(0, 1), 5) << "the pin is kept";
  EXPECT_EQ(Text(1, 3), "B2") << "and shown again";
  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, "B2"));
  std::vector<CString> problems;
  for (const PinMapProblem& problem : Frame().GetPinMapChecks()->Problems()) problems.push_back(problem.text);
  EXPECT_NE(std::find(problems.begin(), problems.end(),
                      "gate a, terminal 1 (A): pin B2 is used by 2 terminals in BGA-9."),
            problems.end());

  // Assign by Name names the pins it would change as the grid does.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 1, "C2"));
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ASSIGN_BY_NAME));
  const CString asked = Screen().MessageBoxesShown().back().text;
  EXPECT_NE(asked.Find("Gate a, terminal 3 \"C2\": pin "), -1) << asked.str();
  EXPECT_NE(asked.Find(" becomes C2"), -1) << asked.str();

  // The pin pages name the ball, of the pad and of the terminal.
  std::vector<CString> shown;
  for (const ClickTarget& target : {PcbPadTarget(Frame(), 5), ScmTerminalTarget(Frame(), 0, 1)}) {
    ExpectSheet(IDCANCEL, [&shown](CWnd& page, UserInput&) {
      shown.push_back(page.GetDlgItem(IDC_PIN_NUMBER)->GetWindowText());
    });
    Click(target, true);
  }
  EXPECT_EQ(shown, (std::vector<CString>{"B2", "B2"}));

  // A pin on two lands lights both; deleting the assignments of one asks by its name.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "ep"));
  EXPECT_EQ(Pin(0, 1), 10);
  const std::vector<CPadInstance*> lands = Pads(true);
  ASSERT_EQ(lands.size(), 12u);
  std::vector<CPadInstance*> exposed;
  std::copy_if(lands.begin(), lands.end(), std::back_inserter(exposed), [](CPadInstance* land) {
    return land->GetPinNumber() == 10 && land->IsAssigned() && land->GetPinNumberText()->GetText() == "EP";
  });
  ASSERT_EQ(exposed.size(), 2u);
  exposed.back()->SetSelected(true);
  Screen().ExpectMessageBox(IDYES, CString("Remove pin assignments for pin EP?"));
  Frame().GetSymbolsFrame()->DeleteSelection();
  EXPECT_EQ(Pin(0, 1), -1);
  EXPECT_EQ(Text(1, 3), "");

  // Some terminal has no pin: the hole still serves none, and a click on it picks none.
  const std::vector<CPadInstance*> drawn = Pads(true);
  const auto hole = std::find_if(drawn.begin(), drawn.end(),
                                 [](CPadInstance* land) { return !land->GetPad()->IsNumbered(); });
  ASSERT_NE(hole, drawn.end());
  EXPECT_FALSE((*hole)->IsAssigned());
  CPcbSymbolView* view = Frame().GetSymbolsFrame()->GetPcbView();
  CPick pick(view);
  EXPECT_FALSE(
      pick.PickItems(view->GetTransform().ToView((*hole)->GetPosition()), kPickPads, nullptr, nullptr));
  EXPECT_TRUE(
      pick.PickItems(view->GetTransform().ToView(drawn[0]->GetPosition()), kPickPads, nullptr, nullptr));
}

// The program's folder holds nothing: no bundled library can stand in.
TEST_F(AppKicadLibrariesTest, ALibraryInAFolderOfItsOwnIsDrawnFromTheSymbolLibrariesBesideIt) {
  fs::create_directories(Path("program").str());
  SetProgramPathForTesting(Path("program"));
  fs::create_directories(Path("own").str());
  for (const char* file :
       {"sample.cmplib", "logic.scmlib", "analog.scmlib", "connectors.scmlib", "footprints.pcblib"})
    fs::copy_file(fs::path(CE_DATA_DIR) / file, Path("own/").str() + file);
  ASSERT_TRUE(App().OpenComponent(Path("own/sample.cmplib"), "QUAD-NAND2"));
  EXPECT_EQ(Pads(false).size(), 4u * 3 + 2) << "four NAND2 gates and the power gate";
  EXPECT_EQ(Pads(true).size(), 14u) << "the pads of DIP-14";
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 0, "DFF"));
  EXPECT_EQ(Frame().GetComponent(false)->FindGate(0)->CountPins(), 4) << "a DFF read beside the library";
  EXPECT_EQ(Pads(false).size(), 4u + 3 * 3 + 2);
  ChangeOnePin(14, 1, 1);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  const CComponent* own = OnDisk("QUAD-NAND2", "", Path("own/sample.cmplib"));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->GetPinNumber(1, 1), 14) << "the library in its folder takes the change";
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());

  fs::remove(Path("own/logic.scmlib").str());
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(App().OpenComponent(Path("own/sample.cmplib"), "HEX-INV"));
  const CString shown = Screen().MessageBoxesShown().back().text;
  EXPECT_EQ(shown.Find("Cannot open library logic.scmlib: it is not "), 0) << shown.str();
  EXPECT_EQ(Pads(false).size(), 0u);
  EXPECT_EQ(Pads(true).size(), 14u) << "the footprint is beside the library";
}

TEST_F(AppKicadLibrariesTest, ExportToKicadWritesTheCurrentComponentAsItStandsOrTheChosenOnes) {
  ASSERT_TRUE(Open());
  // Unsaved: the export takes the tab's component, not the library's.
  ASSERT_TRUE(Frame().GetComponent(false)->SetPinNumber(0, 1, 12));
  const CString output = Path("parts.kicad_sym");
  Screen().ExpectDialog(IDD_KICAD_EXPORT, [&output](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_KICAD_EXPORT_WHAT)->GetWindowText(), "Current component: QUAD-NAND2");
    for (const CString& out : {CString("/nowhere/out.kicad_sym"), output}) {
      EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_KICAD_EXPORT_OUTPUT), out));
      EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
    }
  });
  Screen().ExpectMessageBox(
      IDOK, CString("Cannot write \"/nowhere/out.kicad_sym\": there is no folder \"/nowhere\"."));
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_KICAD));
  EXPECT_EQ(Screen().MessageBoxesShown().back().text.Find("Wrote 2 symbols to " + output +
                                                          ": QUAD-NAND2_DIP-14, QUAD-NAND2_SOIC-14."),
            0);
  const std::string text = ReadFileText(output.str());
  EXPECT_LT(text.find("(number \"12\""), text.find("QUAD-NAND2_DIP-14_2_1")) << "pin 12 in unit A";

  // Components chosen from the library go out in the library's order, and only they: a
  // line moves by a double click or a button, and back again.
  Screen().ExpectDialog(IDD_KICAD_EXPORT, [&output](CDialog& dialog, UserInput& input) {
    CWnd* library = dialog.GetDlgItem(IDC_KICAD_EXPORT_LIBRARY);
    EXPECT_TRUE(input.DoubleClickListLine(library, 3));  // RESISTOR
    EXPECT_TRUE(input.SelectListLine(library, 1));       // HEX-INV
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_ADD)));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_ADD)));  // DUAL-OPAMP, next in line
    EXPECT_TRUE(input.SelectListLine(dialog.GetDlgItem(IDC_KICAD_EXPORT_CHOSEN), 1));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_REMOVE)));
    EXPECT_EQ(dialog.GetDlgItem(IDC_KICAD_EXPORT_WHAT)->GetWindowText(), "The components chosen below");
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_KICAD_EXPORT_OUTPUT), output));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_KICAD));
  EXPECT_EQ(Screen().MessageBoxesShown().back().text.Find("Wrote 3 symbols to " + output +
                                                          ": HEX-INV_DIP-14, HEX-INV_TSSOP-14, RESISTOR."),
            0);
}

}  // namespace
