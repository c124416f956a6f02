// The symbol-search dialog: name patterns, what a search lists, and what each take
// tells the caller.
#include "host/libtools/find_library_item.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/libtools/libtools_resources.h"
#include "host/model/symbol_library.h"
#include "platform/settings_store.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(NamePatternTest, QuestionMarksTakeExactlyOneCharacterAndStarsGiveBackWhatTheyTook) {
  EXPECT_TRUE(MatchesNamePattern("NAND2", "nand?"));
  EXPECT_FALSE(MatchesNamePattern("", "?"));
  EXPECT_TRUE(MatchesNamePattern("abcabd", "*abd"));
  EXPECT_FALSE(MatchesNamePattern("aaa", "a*a*a*a"));
}

std::vector<std::string> Lines(CWnd* list) {
  return ListBoxLines(*static_cast<CListBox*>(list));
}

class FindLibraryItemTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InstallMemorySettings();
    for (const char* name : {"logic.scmlib", "analog.scmlib", "connectors.scmlib", "footprints.pcblib"})
      std::filesystem::copy_file(std::filesystem::path(CE_DATA_DIR) / name, dir / name);
    WriteFileText(dir / "broken.scmlib", "{ not a library");
  }

  // Each take as "switch file symbol", its path checked to be the file in the folder.
  static void RecordTake(CFindLibraryItem* dialog, void* context) {
    auto* test = static_cast<FindLibraryItemTest*>(context);
    const std::string file = dialog->GetLibraryFile().str();
    EXPECT_EQ(dialog->GetLibraryPath().str(), test->dir / file);
    test->takes.push_back(std::to_string(dialog->GetSwitchLibrary()) + " " + file + " " +
                          dialog->GetSymbolName().str());
  }
  // Set up as a chooser showing logic.scmlib sets it up.
  void Run(const char* identifier, const CRuntimeClass* kind, HeadlessBackend::DialogResponder responder) {
    Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM, std::move(responder));
    CFindLibraryItem dialog(identifier);
    dialog.m_pLibraryKind = kind;
    dialog.m_strSearchDirectory = dir.Path().string().c_str();
    dialog.m_strLibraryFile = "logic.scmlib";
    dialog.m_pfnCallback = &RecordTake;
    dialog.m_pCallbackContext = this;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }

  ScratchFolder dir;
  std::vector<std::string> takes;
};

TEST_F(FindLibraryItemTest, SearchListsMatchesOfTheKindAndEachUseTellsTheCaller) {
  Run("Addgate", RUNTIME_CLASS(CScmSymbolLibrary), [](CDialog& dlg, UserInput& user) {
    CWnd* results = dlg.GetDlgItem(IDC_FIND_RESULTS);
    CWnd* use = dlg.GetDlgItem(IDC_FIND_USE);
    user.TypeText(dlg.GetDlgItem(IDC_FIND_PATTERN), " *o* ");
    user.Click(dlg.GetDlgItem(IDC_FIND_SEARCH));
    EXPECT_EQ(Lines(results), std::vector<std::string>({"analog.scmlib\tOPAMP", "analog.scmlib\tRESISTOR",
                                                        "connectors.scmlib\tCONN10", "logic.scmlib\tPOWER"}));
    const CString status = dlg.GetDlgItem(IDC_FIND_STATUS)->GetWindowText();
    EXPECT_NE(status.Find("4 found in 3 libraries. Cannot read: broken.scmlib"), -1) << status.str();
    EXPECT_FALSE(user.Click(use)) << "nothing is selected yet";
    for (int line : {0, 1, 3, 3}) {
      user.SelectListLine(results, line);
      EXPECT_TRUE(user.Click(use));
    }
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
  // The caller has switched: another symbol of the same library needs no switch.
  EXPECT_EQ(takes, (std::vector<std::string>{"1 analog.scmlib OPAMP", "0 analog.scmlib RESISTOR",
                                             "1 logic.scmlib POWER", "0 logic.scmlib POWER"}));
}

TEST_F(FindLibraryItemTest, AMissingFolderIsReported) {
  Run("NewCompPcb", RUNTIME_CLASS(CPcbSymbolLibrary), [this](CDialog& dlg, UserInput& user) {
    std::filesystem::remove_all(dir.Path());
    user.Click(dlg.GetDlgItem(IDC_FIND_SEARCH));
    EXPECT_TRUE(Lines(dlg.GetDlgItem(IDC_FIND_RESULTS)).empty());
    EXPECT_NE(dlg.GetDlgItem(IDC_FIND_STATUS)->GetWindowText().Find("cannot be searched"), -1);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
  EXPECT_TRUE(takes.empty());
}

TEST_F(FindLibraryItemTest, TheFieldsLibrariesAreSearchedBesideTheOwnAndReadAgainWhenChanged) {
  WriteFileText(dir / "Regulators.kicad_sym",
                "(kicad_symbol_lib (version 20211014)\n"
                "(symbol \"LM317\" (symbol \"LM317_1_1\"))\n"
                "(symbol \"LM7805\" (symbol \"LM7805_1_1\")))\n");
  std::filesystem::create_directory(dir.Path() / "Small.pretty");
  WriteFileText(dir.Path() / "Small.pretty" / "SOT-223.kicad_mod",
                "(footprint \"SOT-223\" (version 20211014))\n");
  const auto search = [](const char* pattern, std::vector<std::string>& lines) {
    return [pattern, &lines](CDialog& dlg, UserInput& user) {
      user.TypeText(dlg.GetDlgItem(IDC_FIND_PATTERN), pattern);
      user.Click(dlg.GetDlgItem(IDC_FIND_SEARCH));
      lines = Lines(dlg.GetDlgItem(IDC_FIND_RESULTS));
      user.Click(dlg.GetDlgItem(IDCANCEL));
    };
  };
  std::vector<std::string> lines;
  Run("Addgate", RUNTIME_CLASS(CScmSymbolLibrary), search("LM*", lines));
  EXPECT_EQ(lines, std::vector<std::string>({"Regulators.kicad_sym\tLM317", "Regulators.kicad_sym\tLM7805"}));
  Run("Addpackage", RUNTIME_CLASS(CPcbSymbolLibrary), search("SOT-2*", lines));
  EXPECT_EQ(lines, std::vector<std::string>({"Small.pretty\tSOT-223", "footprints.pcblib\tSOT-23"}));

  // The names kept from the first search give way to the changed file's.
  WriteFileText(dir / "Regulators.kicad_sym",
                "(kicad_symbol_lib (version 20211014) (symbol \"LM1117\" (symbol \"LM1117_1_1\")))\n");
  std::filesystem::last_write_time(dir / "Regulators.kicad_sym",
                                   std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
  Run("Addgate", RUNTIME_CLASS(CScmSymbolLibrary), search("LM*", lines));
  EXPECT_EQ(lines, std::vector<std::string>({"Regulators.kicad_sym\tLM1117"}));
}

}  // namespace
