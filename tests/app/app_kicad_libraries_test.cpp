// The field's symbol and footprint libraries in the application: once the user has used
// one library of a folder, Add Gate and Add Package list its .kicad_sym files and .pretty
// folders; a footprint that names its balls, splits its exposed pad in two lands and has
// a mounting hole is shown and edited by those names, saves and reopens. File > Export
// to KiCad writes what the user chose. File > Import Symbol makes a symbol and a
// footprint chosen in its dialog a new, unsaved component in a tab of its own, one gate
// per unit and the pin map from the pin numbers.
#include <algorithm>
#include <sstream>

#include "app/kicad_export_dialog.h"
#include "host/picking/pick.h"
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

  // Runs the dialog: the symbol, then the footprint (none for an empty name) and the
  // package typed, if any.
  static void Choose(UserInput& input, CDialog& dialog, const std::string& symbol,
                     const std::string& footprint, const char* package = nullptr) {
    Fill(dialog, input,
         {{IDC_IMPORT_SCM_LIBRARY, Samples::kSymbolLibrary}, {IDC_IMPORT_SCM_SYMBOL, CString(symbol)}});
    if (footprint.empty()) {
      EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_PCB_SECTION)));
    } else {
      Fill(
          dialog, input,
          {{IDC_IMPORT_PCB_LIBRARY, Samples::kFootprintFolder}, {IDC_IMPORT_PCB_SYMBOL, CString(footprint)}});
    }
    if (package != nullptr) Fill(dialog, input, {{IDC_IMPORT_PACKAGE, package}});
  }

  // File > Import Symbol with the dialog run by `script`, then ended with `button`.
  void Import(const std::function<void(CDialog&, UserInput&)>& script, int button = IDOK) {
    Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [script, button](CDialog& dialog, UserInput& input) {
      script(dialog, input);
      EXPECT_TRUE(input.Click(dialog.GetDlgItem(button)));
    });
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  }
};

TEST_F(AppKicadLibrariesTest, AGateAndABallPackageFromTheFieldsLibrariesSaveReopenAndGoByBallNames) {
  ASSERT_TRUE(Open());
  const std::size_t scmPads = Pads(false).size();
  FillAndConfirm(ID_APP_ADD_GATE, IDD_ADD_GATE,
                 {{IDC_SCM_LIBRARY_COMBO, Samples::kSymbolLibrary}, {IDC_SCM_SYMBOL_COMBO, "QUAD:B"}});
  EXPECT_EQ(Pads(false).size(), scmPads + 5) << "three own pins and the two shared ones";
  FillAndConfirm(ID_APP_ADD_PACKAGE, IDD_ADD_PACKAGE,
                 {{IDC_PACKAGE_COMBO, "BGA-9"},
                  {IDC_PCB_LIBRARY_COMBO, Samples::kFootprintFolder},
                  {IDC_PCB_SYMBOL_COMBO, "BGA9"}});
  ASSERT_EQ(Frame().GetComponent(false)->GetPackage(), "BGA-9");
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "C3"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  // The library stores the pin number; nine balls and the exposed pad are pins, its
  // second land and the hole are none.
  const std::string bga = Described(*OnDisk("QUAD-NAND2", "BGA-9"));
  EXPECT_EQ(bga.rfind("BGA-9 Import.pretty:BGA9 10 U | logic.scmlib:NAND2 9 - - |", 0), 0u) << bga;

  Restart();
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "BGA-9"));
  EXPECT_EQ(Text(1, 3), "C3");
  EXPECT_EQ(Pads(true).size(), 12u) << "drawn again from the footprint folder";
  EXPECT_EQ(Pads(false).size(), scmPads + 5);

  // Ball names are taken, shown, checked and asked by, and the hole serves no pin.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "b2"));
  EXPECT_EQ(Pin(0, 1), 5) << "B2 is the fifth ball";
  EXPECT_EQ(Text(1, 3), "B2");
  ASSERT_TRUE(user.EditGridCell(&Cells(), 2, 3, "B2"));
  const auto problems = Frame().GetPinMapChecks()->Problems();
  EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [](const PinMapProblem& problem) {
    return problem.text == "gate a, terminal 1 (A): pin B2 is used by 2 terminals in BGA-9.";
  }));

  // Assign by Name names the pins it would change as the grid does.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 1, "C2"));
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_ASSIGN_BY_NAME));
  const CString asked = Screen().MessageBoxesShown().back().text;
  EXPECT_NE(asked.Find("Gate a, terminal 3 \"C2\": pin "), -1) << asked.str();
  EXPECT_NE(asked.Find(" becomes C2"), -1) << asked.str();

  // The pin pages name the ball, of the pad and of the terminal.
  for (const ClickTarget& target : {PcbPadTarget(Frame(), 5), ScmTerminalTarget(Frame(), 0, 1)}) {
    ExpectSheet(IDCANCEL, [](CWnd& page, UserInput&) {
      EXPECT_EQ(page.GetDlgItem(IDC_PIN_NUMBER)->GetWindowText(), "B2");
    });
    Click(target, true);
  }

  // A pin on two lands lights both; deleting the assignments of one asks by its name.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "ep"));
  EXPECT_EQ(Pin(0, 1), 10);
  const std::vector<CPadInstance*> lands = Pads(true);
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
  const auto picked = [view = Frame().GetSymbolsFrame()->GetPcbView()](const CPadInstance* land) {
    return CPick(view).PickItems(view->GetTransform().ToView(land->GetPosition()), kPickPads, nullptr,
                                 nullptr);
  };
  EXPECT_EQ(std::make_pair(picked(*hole), picked(drawn[0])), std::make_pair(false, true));
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

// Libraries in a folder of their own, as the installed ones are: the user types the
// folder into a filter or chooses it with the Folder button (one without libraries is
// refused), narrows the list and names the symbol without a unit; the saved
// component still finds its libraries after a restart with fresh settings.
TEST_F(AppKicadLibrariesTest, LibrariesOfAFolderTypedInDrawTheSavedComponentAgainWithFreshSettings) {
  std::filesystem::remove(Path(Samples::kSymbolLibrary).str());
  std::filesystem::remove_all(Path(Samples::kFootprintFolder).str());
  ScratchFolder elsewhere;
  Samples::Write(elsewhere.Path());
  std::filesystem::copy_file(elsewhere / Samples::kSymbolLibrary, elsewhere / "Other.kicad_sym");
  ASSERT_TRUE(Open());
  ScratchFolder empty;
  for (const ScratchFolder* folder : {&empty, &elsewhere, &elsewhere})
    prompt.folderAnswers.push_back(CString(folder->Path().string()));
  Screen().ExpectMessageBox(IDOK, CString("The folder \"" + empty.Path().string() +
                                          "/\" holds no symbol libraries. Choose another folder."));
  Import([&elsewhere](CDialog& dialog, UserInput& input) {
    const auto listed = [&dialog] { return Items(dialog.GetDlgItem(IDC_IMPORT_SCM_LIBRARY)); };
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_SCM_FOLDER)));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_SCM_FOLDER)));
    EXPECT_EQ(listed(), (std::vector<CString>{Samples::kSymbolLibrary, "Other.kicad_sym"}));
    EXPECT_EQ(dialog.GetDlgItem(IDC_IMPORT_SCM_LIBRARY)->GetWindowText(), Samples::kSymbolLibrary);
    EXPECT_GT(DynamicDowncast<CComboBox>(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL))->GetCount(), 0);
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_SCM_FILTER), CString(elsewhere.Path().string())));
    EXPECT_EQ(listed(), (std::vector<CString>{Samples::kSymbolLibrary, "Other.kicad_sym"}));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_SCM_FILTER), "imp"));
    EXPECT_EQ(listed(), (std::vector<CString>{Samples::kSymbolLibrary}));
    Fill(dialog, input, {{IDC_IMPORT_SCM_SYMBOL, Samples::kQuad}});
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_PCB_FOLDER)));
    Fill(dialog, input,
         {{IDC_IMPORT_PCB_LIBRARY, Samples::kFootprintFolder}, {IDC_IMPORT_PCB_SYMBOL, Samples::kDip}});
    EXPECT_EQ(dialog.GetDlgItem(IDC_IMPORT_PCB_PINS)->GetWindowText(), "14");
  });
  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - QUAD - sample.cmplib");
  // The footprint names the package; the symbol's name imports every unit.
  const std::string at = elsewhere.Path().string() + "/Import.";
  EXPECT_EQ(Shown(), "QUAD DIP-14 " + at + "pretty:DIP-14 14 U | " + at + "kicad_sym:QUAD:A 1 2 3 7 14 | " +
                         at + "kicad_sym:QUAD:B 4 5 6 7 14");
  EXPECT_TRUE(Frame().GetDesign()->IsModified()) << "unsaved until the first save";
  EXPECT_FALSE(MenuEnabled(ID_APP_UNDO)) << "a new component starts without undo levels";
  EXPECT_EQ(LibraryText(), original) << "nothing written before the save";
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_FALSE(Frame().GetDesign()->IsModified());

  InstallMemorySettings();
  Restart();
  ASSERT_TRUE(App().OpenComponent(Library(), "QUAD"));
  EXPECT_EQ(Pads(true).size(), 14u);
  EXPECT_EQ(Pads(false).size(), 2u * 5) << "two units of three pins and two shared ones";
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u) << "only the folder without libraries was refused";
}

// Pins without a pad are reported and stay unassigned; a footprint name too long for a
// package name is refused at once, keeping what was chosen, until a package is typed;
// without a footprint, plain pin numbers become the pins. Cancel adds nothing.
TEST_F(AppKicadLibrariesTest, PinsComeFromThePadsOrThePlainNumbersAndCancelAddsNothing) {
  ASSERT_TRUE(Open());
  Screen().ExpectMessageBox(IDOK, CString("1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, "
                                          "terminal 5)."));
  Import([](CDialog& dialog, UserInput& input) {
    // The symbols are read once the dialog shows (0781f65).
    const auto* symbols = DynamicDowncast<CComboBox>(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL));
    EXPECT_EQ(symbols->GetCount(), 0) << "the dialog shows before the symbols are read";
    AfxGetThread()->PumpMessages();
    EXPECT_GT(symbols->GetCount(), 0);
    Choose(input, dialog, Samples::kBall, Samples::kBallFootprint);
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_NAME), "SENSOR"));
  });
  // Saved, libraries beside the component library are named by their file name.
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(Described(*OnDisk("SENSOR")), "BGA-4 Import.pretty:BGA-4 4 U | Import.kicad_sym:BGA5 1 2 3 4 -");

  Import([this](CDialog& dialog, UserInput& input) {
    Choose(input, dialog, "QUAD:A", Samples::LongFootprint());
    Screen().ExpectMessageBox(IDOK,
                              CString("Package name cannot be longer than 64 characters. Type a shorter "
                                      "name for the package."));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
    EXPECT_TRUE(dialog.IsWindowVisible()) << "the dialog stays open";
    Fill(dialog, input, {{IDC_IMPORT_PACKAGE, "DSUB-15"}, {IDC_IMPORT_NAME, "DSUB"}});
  });
  EXPECT_EQ(Shown(), "DSUB DSUB-15 Import.pretty:" + Samples::LongFootprint() +
                         " 14 U | Import.kicad_sym:QUAD:A 1 2 3 7 14 | Import.kicad_sym:QUAD:B 4 5 6 7 14");

  Import([](CDialog& dialog, UserInput& input) { Choose(input, dialog, "QUAD:A", "", "SO-14"); });
  EXPECT_EQ(Shown(),
            "QUAD SO-14 : 14 U | Import.kicad_sym:QUAD:A 1 2 3 7 14 | Import.kicad_sym:QUAD:B 4 5 6 7 14");

  Import([](CDialog&, UserInput&) {}, IDCANCEL);
  EXPECT_EQ(App().CountOpenComponents(), 4);
  EXPECT_EQ(TextWithout(LibraryText(), "SENSOR"), original);
}

}  // namespace
