// File > Import Symbol as a user runs it: a symbol of the field's libraries and a
// footprint chosen in the dialog become a new, unsaved component in a tab of its own,
// one gate per unit and the pin map from the pin numbers.

#include "tests/app/app_fixture.h"

namespace {

class AppImportSymbolTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    UseFieldLibraries();
  }

  // Runs the dialog: the symbol, then the footprint (none for an empty name) and the
  // package typed, if any.
  static void Choose(UserInput& input, CDialog& dialog, const std::string& symbol,
                     const std::string& footprint, const char* package = nullptr) {
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_SCM_LIBRARY), Samples::kSymbolLibrary));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL), CString(symbol)));
    if (footprint.empty()) {
      EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_PCB_SECTION)));
    } else {
      EXPECT_TRUE(
          input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_LIBRARY), Samples::kFootprintFolder));
      EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_SYMBOL), CString(footprint)));
    }
    EXPECT_TRUE(package == nullptr || input.TypeText(dialog.GetDlgItem(IDC_IMPORT_PACKAGE), package));
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

// Libraries in a folder of their own, as the installed ones are: the user types the
// folder into a filter or chooses it with the Folder button (one without libraries is
// refused), narrows the list and names the symbol without a unit; the saved
// component still finds its libraries after a restart with fresh settings.
TEST_F(AppImportSymbolTest, LibrariesOfAFolderTypedInDrawTheSavedComponentAgainWithFreshSettings) {
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
    EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL), Samples::kQuad));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_PCB_FOLDER)));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_LIBRARY), Samples::kFootprintFolder));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_SYMBOL), Samples::kDip));
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
TEST_F(AppImportSymbolTest, PinsComeFromThePadsOrThePlainNumbersAndCancelAddsNothing) {
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
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_PACKAGE), "DSUB-15"));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_NAME), "DSUB"));
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
