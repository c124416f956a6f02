// The Add Gate dialog as the user meets it: the title naming the first new gate, the
// library and symbol the caller proposes, How Many, the results it hands back, and each
// refusal of Add with its message and the focus on the field to correct.
#include "editor/dialogs/add_gate_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/libtools/library_manager.h"
#include "host/libtools/libtools_resources.h"
#include "host/model/symbol_library.h"
#include "platform/app_registry.h"
#include "platform/edit.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

// What the user sees in the dialog's fields.
struct Fields {
  std::string title;
  std::string library;
  std::string symbol;
  std::string pins;
  bool pinsLocked = false;
  std::string howMany;

  bool operator==(const Fields&) const = default;
};

void PrintTo(const Fields& f, std::ostream* os) {
  *os << "{\"" << f.title << "\", \"" << f.library << "\", \"" << f.symbol << "\", \"" << f.pins << "\", "
      << (f.pinsLocked ? "locked" : "open") << ", \"" << f.howMany << "\"}";
}

// The results handed back after Add.
struct Results {
  std::string library;
  std::string symbol;
  int pins = 0;
  int howMany = 0;

  bool operator==(const Results&) const = default;
};

void PrintTo(const Results& r, std::ostream* os) {
  *os << "{\"" << r.library << "\", \"" << r.symbol << "\", " << r.pins << ", " << r.howMany << "}";
}

class AddGateDialogTest : public EditorTest {
 protected:
  // Runs the dialog; `act` plays the user and must end it.
  INT_PTR Run(CAddGateDialog& dialog, const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& dlg, UserInput&) { act(dlg); });
    return dialog.DoModal();
  }

  static Fields Shown(CDialog& dlg) {
    auto* pins = static_cast<CEdit*>(dlg.GetDlgItem(IDC_SCM_PIN_COUNT));
    return {dlg.GetWindowText().str(),
            dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->GetWindowText().str(),
            dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO)->GetWindowText().str(),
            pins->GetWindowText().str(),
            pins->IsReadOnly() != FALSE,
            dlg.GetDlgItem(IDC_GATE_COUNT)->GetWindowText().str()};
  }

  static Results Returned(const CAddGateDialog& dialog) {
    return {dialog.GetLibraryName().str(), dialog.GetSymbolName().str(), dialog.GetPins(),
            dialog.GetHowMany()};
  }

  // Add is refused: `message` is shown, the dialog stays open and the focus is on
  // `control`.
  void ExpectRefused(CDialog& dlg, const CString& message, int control) {
    Screen().ExpectMessageBox(IDOK, message);
    user.Click(dlg.GetDlgItem(IDOK));
    EXPECT_TRUE(dlg.IsModalActive()) << "the dialog stays open after " << message.str();
    EXPECT_EQ(CWnd::GetFocusHandle(), dlg.GetDlgItem(control)->m_hWnd) << message.str();
  }
};

TEST_F(AddGateDialogTest, TheTitleNamesTheFirstNewGateAndTheFieldsShowWhatTheCallerProposes) {
  const std::vector<std::pair<int, std::string>> gates = {
      {0, "Add Gate a"}, {25, "Add Gate z"}, {27, "Add Gate ab"}};
  for (const auto& [index, title] : gates) {
    CAddGateDialog dialog(index, "analog.scmlib", "opamp");
    Fields shown;
    HWND focus = nullptr;
    EXPECT_EQ(Run(dialog,
                  [&](CDialog& dlg) {
                    shown = Shown(dlg);
                    focus = CWnd::GetFocusHandle();
                    EXPECT_EQ(focus, dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->m_hWnd) << "the first tab stop";
                    user.Click(dlg.GetDlgItem(IDCANCEL));
                  }),
              IDCANCEL);
    // The symbol is found in the list whatever its case, and its pad count is locked.
    EXPECT_EQ(shown, (Fields{title, "analog.scmlib", "OPAMP", "3", true, "1"}));
  }
}

TEST_F(AddGateDialogTest, WithNothingProposedTheSymbolIsEmptyAndThePinCountOpen) {
  CAddGateDialog dialog(0, "", "");
  Fields shown;
  Run(dialog, [&](CDialog& dlg) {
    shown = Shown(dlg);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
  // The library list starts at the library last used, the bundled one on a fresh machine.
  EXPECT_EQ(shown, (Fields{"Add Gate a", "logic.scmlib", "", "", false, "1"}));
}

TEST_F(AddGateDialogTest, AddHandsBackTheSymbolPickedWithItsPadCountAndHowMany) {
  CAddGateDialog dialog(4, "logic.scmlib", "NAND2");
  EXPECT_EQ(Run(dialog,
                [&](CDialog& dlg) {
                  user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO), "analog.scmlib");
                  user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "RESISTOR");
                  user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "3");
                  EXPECT_EQ(Shown(dlg), (Fields{"Add Gate e", "analog.scmlib", "RESISTOR", "2", true, "3"}));
                  user.Click(dlg.GetDlgItem(IDOK));
                }),
            IDOK);
  EXPECT_EQ(Returned(dialog), (Results{"analog.scmlib", "RESISTOR", 2, 3}));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(AddGateDialogTest, ATypedSymbolKeepsThePinCountTheUserTyped) {
  CAddGateDialog dialog(0, "", "");
  EXPECT_EQ(Run(dialog,
                [&](CDialog& dlg) {
                  user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "DFF");
                  EXPECT_TRUE(user.TypeText(dlg.GetDlgItem(IDC_SCM_PIN_COUNT), "12abc"));
                  user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "0");
                  user.Click(dlg.GetDlgItem(IDOK));
                }),
            IDOK);
  // The count is read as far as it is a number; How Many 0 is the caller's to judge.
  EXPECT_EQ(Returned(dialog), (Results{"logic.scmlib", "DFF", 12, 0}));
}

TEST_F(AddGateDialogTest, AddIsRefusedWithTheReasonAndTheFocusOnTheFieldToCorrect) {
  struct Refusal {
    const char* symbol;
    const char* howMany;
    const char* message;
    int focus;
  };
  const std::vector<Refusal> refusals = {
      {"", "1", "Symbol name cannot be empty.", IDC_SCM_SYMBOL_COMBO},
      {"NOR3", "1", "Symbol NOR3 does not exist.", IDC_SCM_SYMBOL_COMBO},
      {" INV", "1", "Symbol name \" INV\" cannot begin or end with a blank.", IDC_SCM_SYMBOL_COMBO},
      {"INV", "two", "Please enter an integer.", IDC_GATE_COUNT},
      {"INV", "", "Please enter an integer.", IDC_GATE_COUNT},
  };
  for (const Refusal& refusal : refusals) {
    CAddGateDialog dialog(0, "logic.scmlib", "NAND2");
    EXPECT_EQ(Run(dialog,
                  [&](CDialog& dlg) {
                    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), refusal.symbol);
                    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), refusal.howMany);
                    ExpectRefused(dlg, refusal.message, refusal.focus);
                    // Corrected, Add goes through.
                    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV");
                    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "2");
                    user.Click(dlg.GetDlgItem(IDOK));
                  }),
              IDOK)
        << refusal.message;
    EXPECT_EQ(Returned(dialog).symbol, "INV");
    EXPECT_EQ(Returned(dialog).howMany, 2);
  }
  // Each refusal is told once.
  EXPECT_EQ(MessageTexts().size(), refusals.size());
}

TEST_F(AddGateDialogTest, AnInvalidHowManyAndAMissingSymbolAreBothReportedAndTheSymbolComesFirst) {
  CAddGateDialog dialog(0, "logic.scmlib", "NAND2");
  Run(dialog, [&](CDialog& dlg) {
    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "");
    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "x");
    Screen().ExpectMessageBox(IDOK, CString("Please enter an integer."));
    ExpectRefused(dlg, "Symbol name cannot be empty.", IDC_SCM_SYMBOL_COMBO);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
}

TEST_F(AddGateDialogTest, ALibraryThatCannotBeReadRefusesAddAndNamesTheFile) {
  ScratchFolder folder;
  for (const char* name : {"logic.scmlib", "analog.scmlib"}) {
    std::filesystem::copy_file(std::filesystem::path(DataDirectory().str()) / name, folder.Path() / name);
  }
  ASSERT_TRUE(
      CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), CString(folder / "logic.scmlib")));
  CAddGateDialog dialog(0, "analog.scmlib", "OPAMP");
  Run(dialog, [&](CDialog& dlg) {
    std::filesystem::remove(folder.Path() / "analog.scmlib");
    ExpectRefused(dlg, CString("Cannot open library \"") + CString(folder / "analog.scmlib") + "\".",
                  IDC_SCM_SYMBOL_COMBO);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
}

TEST_F(AddGateDialogTest, FindSymbolShowsTheSymbolTakenAndCancelStillAddsNothing) {
  ASSERT_TRUE(CAppRegistry("FindLibraryItem").SetValue("Addgate", "RES*"));
  CAddGateDialog dialog(0, "logic.scmlib", "NAND2");
  Fields shown;
  EXPECT_EQ(Run(dialog,
                [&](CDialog& dlg) {
                  Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM, [&](CDialog& find, UserInput&) {
                    // The find dialog remembers what was searched for from this dialog.
                    EXPECT_EQ(find.GetDlgItem(IDC_FIND_PATTERN)->GetWindowText(), "RES*");
                    user.Click(find.GetDlgItem(IDC_FIND_SEARCH));
                    user.SelectListLine(find.GetDlgItem(IDC_FIND_RESULTS), 0);
                    user.Click(find.GetDlgItem(IDC_FIND_USE));
                    user.Click(find.GetDlgItem(IDCANCEL));
                  });
                  user.Click(dlg.GetDlgItem(IDC_ADD_GATE_FIND_SYMBOL));
                  shown = Shown(dlg);
                  user.Click(dlg.GetDlgItem(IDCANCEL));
                }),
            IDCANCEL);
  EXPECT_EQ(shown, (Fields{"Add Gate a", "analog.scmlib", "RESISTOR", "2", true, "1"}));
}

}  // namespace
