// File > Import Symbol as a user runs it: a symbol of the field's libraries and a
// footprint chosen in the dialog become a new, unsaved component in a tab of its own,
// one gate per unit and the pin map from the pin numbers; pins without a pad are
// reported; a footprint name too long for a package name is refused in the dialog and a
// long footprint name itself saves.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/utility/edit_grid.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/file_text.h"
#include "tests/support/kicad_import_samples.h"

namespace {

namespace Samples = KicadImportSamples;

class AppImportSymbolTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Samples::Write(Path("").str());
    // The user once picked a library of each kind in this folder.
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CScmSymbolLibrary), Path(Samples::kSymbolLibrary));
    CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CPcbSymbolLibrary), Path(Samples::kFootprintFolder));
    m_original = ReadFileText(Library().str());
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
    if (package != nullptr) {
      EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_PACKAGE), package));
    }
  }

  std::set<std::string> GridTexts() {
    CEditGrid& cells = Frame().GetGrid()->GetEditGrid();
    std::set<std::string> texts;
    for (long row = 0; row < cells.GetRows(); ++row)
      for (long col = 0; col < cells.GetCols(); ++col) texts.insert(cells.GetTextMatrix(row, col).str());
    return texts;
  }

  int PadsDrawn(bool pcb) {
    CSymbolsFrame* symbols = Frame().GetSymbolsFrame();
    const CSymbolView* view =
        pcb ? static_cast<const CSymbolView*>(symbols->GetPcbView()) : symbols->GetScmView();
    return view != nullptr ? static_cast<int>(PlacedPads(*view).size()) : 0;
  }

  std::string m_original;
};

TEST_F(AppImportSymbolTest, ASymbolAndFootprintBecomeANewComponentThatSavesAndReopens) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [](CDialog& dialog, UserInput& input) {
    const auto* symbols = DynamicDowncast<CComboBox>(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL));
    EXPECT_EQ(symbols->GetCount(), 0) << "the dialog shows before the symbols are read";
    AfxGetThread()->PumpMessages();
    EXPECT_GT(symbols->GetCount(), 0);
    Choose(input, dialog, "QUAD:B", Samples::kDip);
    EXPECT_EQ(dialog.GetDlgItem(IDC_IMPORT_PCB_PINS)->GetWindowText(), "14");
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));

  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Main().GetWindowText(), "Component Editor - QUAD - sample.cmplib");
  const CComponent& record = *Frame().GetComponent(false);
  EXPECT_EQ(record.GetPackage(), "DIP-14") << "the footprint names the package";
  ASSERT_EQ(record.CountGates(), 2);
  EXPECT_EQ(record.GetPinNumber(0, 4), 7);
  EXPECT_EQ(record.GetPinNumber(1, 3), 6);
  const std::set<std::string> texts = GridTexts();
  for (const char* text : {"QUAD:A", "QUAD:B", "14", "6"})
    EXPECT_TRUE(texts.count(text)) << text << " in " << ::testing::PrintToString(texts);
  EXPECT_TRUE(Frame().GetDesign()->IsModified()) << "unsaved until the first save";
  EXPECT_FALSE(MenuEnabled(ID_APP_UNDO)) << "a new component starts without undo levels";
  EXPECT_EQ(ReadFileText(Library().str()), m_original) << "nothing written before the save";
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_FALSE(Frame().GetDesign()->IsModified());
  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(Library(), "QUAD", saved, error)) << error.str();
  const CComponent& reopened = *saved.FirstComponent();
  EXPECT_EQ(reopened.FindGate(1)->GetSymbol(), "QUAD:B");
  EXPECT_EQ(reopened.FindGate(1)->GetLibrary(), Samples::kSymbolLibrary);
  EXPECT_EQ(reopened.GetPcbComponent()->GetLibrary(), Samples::kFootprintFolder);
  EXPECT_EQ(reopened.GetPinNumber(1, 5), 14);
}

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
  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [&elsewhere](CDialog& dialog, UserInput& input) {
    const auto listed = [&dialog] {
      const auto* combo = DynamicDowncast<CComboBox>(dialog.GetDlgItem(IDC_IMPORT_SCM_LIBRARY));
      std::vector<std::string> names;
      for (int i = 0; combo != nullptr && i < combo->GetCount(); ++i) {
        CString name;
        combo->GetLBText(i, name);
        names.push_back(name.str());
      }
      return names;
    };
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_SCM_FOLDER)));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_SCM_FOLDER)));
    EXPECT_EQ(listed(), (std::vector<std::string>{Samples::kSymbolLibrary, "Other.kicad_sym"}));
    EXPECT_EQ(dialog.GetDlgItem(IDC_IMPORT_SCM_LIBRARY)->GetWindowText(), Samples::kSymbolLibrary);
    EXPECT_GT(DynamicDowncast<CComboBox>(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL))->GetCount(), 0);
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_SCM_FILTER), CString(elsewhere.Path().string())));
    EXPECT_EQ(listed(), (std::vector<std::string>{Samples::kSymbolLibrary, "Other.kicad_sym"}));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_SCM_FILTER), "imp"));
    EXPECT_EQ(listed(), (std::vector<std::string>{Samples::kSymbolLibrary}));
    EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_IMPORT_SCM_SYMBOL), Samples::kQuad));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_IMPORT_PCB_FOLDER)));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_LIBRARY), Samples::kFootprintFolder));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_IMPORT_PCB_SYMBOL), Samples::kDip));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  ASSERT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(Frame().GetComponent(false)->CountGates(), 2) << "the symbol's name imports every unit";
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));

  InstallMemorySettings();
  Restart();
  ASSERT_TRUE(App().OpenComponent(Library(), "QUAD"));
  EXPECT_EQ(PadsDrawn(true), 14);
  EXPECT_EQ(PadsDrawn(false), 2 * 5) << "two units of three pins and two shared ones";
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u) << "only the folder without libraries was refused";
}

TEST_F(AppImportSymbolTest, PinsWithoutAPadAreReportedAndLeftUnassigned) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [](CDialog& dialog, UserInput& input) {
    Choose(input, dialog, Samples::kBall, Samples::kBallFootprint);
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_NAME), "SENSOR"));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  Screen().ExpectMessageBox(IDOK, CString("1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, "
                                          "terminal 5)."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  const CComponent& record = *Frame().GetComponent(false);
  EXPECT_EQ(record.GetName(), "SENSOR");
  EXPECT_EQ(record.GetPinNumber(0, 1), 1);
  EXPECT_EQ(record.GetPinNumber(0, 4), 4);
  EXPECT_EQ(record.GetPinNumber(0, 5), CGate::kNoPin);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u);
}

// A footprint name of 95 bytes is too long for a package name: the dialog says so at
// once and keeps what was chosen; with a package typed the component saves whole.
TEST_F(AppImportSymbolTest, ALongFootprintNeedsAShorterPackageNameAndThenSaves) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [this](CDialog& dialog, UserInput& input) {
    Choose(input, dialog, "QUAD:A", Samples::LongFootprint());
    Screen().ExpectMessageBox(IDOK,
                              CString("Package name cannot be longer than 64 characters. Type a shorter "
                                      "name for the package."));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
    EXPECT_TRUE(dialog.IsWindowVisible()) << "the dialog stays open";
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_IMPORT_PACKAGE), "DSUB-15"));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  ASSERT_EQ(App().CountOpenComponents(), 2);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u) << "the save says nothing";
  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(Library(), "QUAD", saved, error)) << error.str();
  EXPECT_EQ(saved.FirstComponent()->GetPcbSymbol(), Samples::LongFootprint());
  EXPECT_EQ(saved.FirstComponent()->GetPackage(), "DSUB-15");
}

TEST_F(AppImportSymbolTest, WithoutAFootprintPlainNumbersBecomePinsAndCancelAddsNothing) {
  ASSERT_TRUE(Open());
  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [](CDialog& dialog, UserInput& input) {
    Choose(input, dialog, "QUAD:A", "", "SO-14");
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  const CComponent& record = *Frame().GetComponent(false);
  EXPECT_EQ(record.GetPackage(), "SO-14");
  EXPECT_TRUE(record.GetPcbSymbol().IsEmpty());
  EXPECT_EQ(record.GetPinNumber(1, 1), 4);

  Screen().ExpectDialog(IDD_IMPORT_SYMBOL, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDCANCEL)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_SYMBOL));
  EXPECT_EQ(App().CountOpenComponents(), 2);
  EXPECT_EQ(ReadFileText(Library().str()), m_original);
}

}  // namespace
