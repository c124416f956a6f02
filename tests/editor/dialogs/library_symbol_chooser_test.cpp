// The library symbol chooser in a dialog, driven as a user drives it: the libraries of
// a kind beside the last-used one, the pin count that follows the list and is locked
// while the library supplies it, the checks on OK with their messages and the focus on
// the symbol, libraries that become unreadable while the dialog is open, and the Find
// Symbol sequence that shows each symbol taken in the host's find dialog.
#include "editor/dialogs/library_symbol_chooser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/resources/resource_ids.h"
#include "host/libtools/find_library_item.h"
#include "host/libtools/library_manager.h"
#include "host/libtools/libtools_resources.h"
#include "host/model/symbol_library.h"
#include "platform/settings_store.h"
#include "tests/editor/dialogs/chooser_dialog.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"
#include "tests/support/scratch_folder.h"

namespace {

using Entries = std::vector<std::string>;
// The pin-count edit as the user sees it: its text, and whether it is locked.
using PinCount = std::pair<std::string, bool>;
constexpr bool kLocked = true;
constexpr bool kOpen = false;

PinCount Shown(CChooserDialog& dialog) {
  return {dialog.PinCount()->GetWindowText().str(), dialog.PinCount()->IsReadOnly() != FALSE};
}

CComboBox& Combo(CWnd* combo) {
  return *static_cast<CComboBox*>(combo);
}

class LibrarySymbolChooserTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InstallMemorySettings();
    for (const char* name : {"logic.scmlib", "analog.scmlib", "footprints.pcblib"}) {
      std::filesystem::copy_file(std::filesystem::path(CE_DATA_DIR) / name, libraries / name);
    }
    ASSERT_TRUE(CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), Library("logic.scmlib")));
    ASSERT_TRUE(
        CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), Library("footprints.pcblib")));
  }

  CString Library(const char* name) const { return CString(libraries / name); }

  // Runs the dialog; `act` plays the user and must end it.
  INT_PTR Run(CChooserDialog& dialog, const std::function<void(CChooserDialog&)>& act) {
    Screen().ExpectDialog(dialog.GetTemplateId(), [&](CDialog&, UserInput&) { act(dialog); });
    return dialog.DoModal();
  }

  // OK is refused with `message` shown and the focus back on the symbol, its text selected.
  void ExpectRefused(CChooserDialog& dialog, const CString& message) {
    Screen().ExpectMessageBox(IDOK, message);
    user.Click(dialog.GetDlgItem(IDOK));
    EXPECT_TRUE(dialog.IsModalActive()) << "the dialog stays open";
    EXPECT_EQ(CWnd::GetFocusHandle(), dialog.Symbol()->m_hWnd);
    const ComboBoxData* symbol = GetComboBoxData(dialog.Symbol()->m_hWnd);
    EXPECT_EQ(symbol->editSelStart, 0);
    EXPECT_EQ(symbol->editSelEnd, dialog.Symbol()->GetWindowText().GetLength());
  }

  ScratchFolder libraries;
};

TEST_F(LibrarySymbolChooserTest, ListsTheLibrariesBesideTheLastUsedOneAndTheSymbolsOfTheOneChosen) {
  CChooserDialog dialog(AddGateLayout(), false);
  EXPECT_EQ(Run(dialog,
                [&](CChooserDialog& dlg) {
                  EXPECT_EQ(ComboEntries(Combo(dlg.Library())), Entries({"analog.scmlib", "logic.scmlib"}));
                  EXPECT_EQ(dlg.Library()->GetWindowText(), "logic.scmlib");
                  EXPECT_EQ(ComboEntries(Combo(dlg.Symbol())), Entries({"DFF", "INV", "NAND2", "POWER"}));
                  EXPECT_EQ(Combo(dlg.Symbol()).GetCurSel(), CB_ERR);
                  EXPECT_EQ(Shown(dlg), PinCount("", kOpen));
                  user.ChooseComboEntry(dlg.Library(), "analog.scmlib");
                  EXPECT_EQ(dlg.Chooser().GetLibraryPath(), Library("analog.scmlib"));
                  EXPECT_EQ(ComboEntries(Combo(dlg.Symbol())), Entries({"OPAMP", "RESISTOR"}));
                  user.ChooseComboEntry(dlg.Symbol(), "OPAMP");
                  user.Click(dlg.GetDlgItem(IDOK));
                }),
            IDOK);
  EXPECT_EQ(dialog.Result().library, "analog.scmlib");
  EXPECT_EQ(dialog.Result().symbol, "OPAMP");
  EXPECT_EQ(dialog.Result().pinCount, 3);

  CChooserDialog package(AddPackageLayout(), false);
  EXPECT_EQ(Run(package,
                [&](CChooserDialog& dlg) {
                  EXPECT_EQ(ComboEntries(Combo(dlg.Library())), Entries({"footprints.pcblib"}));
                  user.ChooseComboEntry(dlg.Symbol(), "SOIC-14");
                  EXPECT_EQ(Shown(dlg), PinCount("14", kLocked));
                  user.Click(dlg.GetDlgItem(IDOK));
                }),
            IDOK);
  EXPECT_EQ(package.Result().symbol, "SOIC-14");
  EXPECT_EQ(package.Result().pinCount, 14);
}

TEST_F(LibrarySymbolChooserTest, PinCountFollowsTheListAndIsLockedOnlyWhileTheLibrarySuppliesIt) {
  CChooserDialog dialog(AddGateLayout(), false);
  Run(dialog, [&](CChooserDialog& dlg) {
    user.ChooseComboEntry(dlg.Symbol(), "NAND2");
    EXPECT_EQ(Shown(dlg), PinCount("3", kLocked));
    EXPECT_FALSE(user.TypeText(dlg.PinCount(), "9"));
    user.ChooseComboEntry(dlg.Symbol(), "DFF");
    EXPECT_EQ(Shown(dlg), PinCount("4", kLocked));
    // Typed text is no list selection: the count stays with the entry chosen last.
    user.TypeComboText(dlg.Symbol(), "INV");
    EXPECT_EQ(Shown(dlg), PinCount("4", kLocked));
    // The library changes under the open dialog and loses NAND2: the count it cannot
    // supply is the user's to type, starting from the old one.
    std::filesystem::copy_file(libraries / "analog.scmlib", libraries / "logic.scmlib",
                               std::filesystem::copy_options::overwrite_existing);
    user.ChooseComboEntry(dlg.Symbol(), "NAND2");
    EXPECT_EQ(Shown(dlg), PinCount("4", kOpen));
    EXPECT_TRUE(user.TypeText(dlg.PinCount(), "7"));
    ExpectRefused(dlg, "Symbol NAND2 does not exist.");
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
}

TEST_F(LibrarySymbolChooserTest, SymbolNamesAreFoundWhateverTheirCaseAndOthersAreShownAsGiven) {
  CChooserDialog dialog(AddGateLayout(), false);
  dialog.ShowAtStart("ANALOG.scmlib", "opamp");
  Run(dialog, [&](CChooserDialog& dlg) {
    EXPECT_EQ(dlg.Library()->GetWindowText(), "analog.scmlib");
    EXPECT_EQ(dlg.Symbol()->GetWindowText(), "OPAMP");
    EXPECT_EQ(Shown(dlg), PinCount("3", kLocked));
    const int opamp = Combo(dlg.Symbol()).GetCurSel();
    dlg.Chooser().SetSymbolName("NOR9");
    EXPECT_EQ(dlg.Symbol()->GetWindowText(), "NOR9");
    EXPECT_EQ(Combo(dlg.Symbol()).GetCurSel(), opamp);
    EXPECT_EQ(Shown(dlg), PinCount("3", kLocked));
    ExpectRefused(dlg, "Symbol NOR9 does not exist.");
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
}

TEST_F(LibrarySymbolChooserTest, OkNamesWhatIsWrongWithTheSymbolAndPutsTheFocusOnIt) {
  CChooserDialog dialog(AddGateLayout(), false);
  Run(dialog, [&](CChooserDialog& dlg) {
    ExpectRefused(dlg, "Symbol name cannot be empty.");
    user.TypeComboText(dlg.Symbol(), " NAND2");
    ExpectRefused(dlg, "Symbol name \" NAND2\" cannot begin or end with a blank.");
    user.TypeComboText(dlg.Symbol(), "NAND2");
    user.Click(dlg.GetDlgItem(IDOK));
  });
  EXPECT_EQ(dialog.Result().symbol, "NAND2");
}

TEST_F(LibrarySymbolChooserTest, ALibraryDeletedOrDamagedAfterTheListWasFilledIsNamedInFull) {
  CChooserDialog dialog(AddGateLayout(), false);
  const CString cannotOpen = "Cannot open library \"" + Library("logic.scmlib") + "\".";
  Run(dialog, [&](CChooserDialog& dlg) {
    user.ChooseComboEntry(dlg.Symbol(), "INV");
    std::filesystem::remove(libraries / "logic.scmlib");
    user.ChooseComboEntry(dlg.Symbol(), "DFF");
    EXPECT_EQ(Shown(dlg), PinCount("2", kOpen));
    ExpectRefused(dlg, cannotOpen);
    WriteFileText(libraries / "logic.scmlib", "{ \"format\": \"damaged");
    ExpectRefused(dlg, cannotOpen);
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });

  // Where an empty symbol is allowed, it is accepted without opening the library.
  CChooserDialog optional(AddGateLayout(), true);
  EXPECT_EQ(Run(optional, [&](CChooserDialog& dlg) { user.Click(dlg.GetDlgItem(IDOK)); }), IDOK);
  EXPECT_EQ(optional.Result().symbol, "");
}

TEST_F(LibrarySymbolChooserTest, PinCountIsReadAsItsLeadingNumber) {
  struct Case {
    const char* typed;
    int count;
  };
  for (const Case& typed : {Case{"12abc", 12}, Case{"", 0}, Case{" -3", -3}}) {
    CChooserDialog dialog(AddGateLayout(), false);
    EXPECT_EQ(Run(dialog,
                  [&](CChooserDialog& dlg) {
                    user.TypeComboText(dlg.Symbol(), "POWER");
                    user.TypeText(dlg.PinCount(), typed.typed);
                    user.Click(dlg.GetDlgItem(IDOK));
                  }),
              IDOK)
        << typed.typed;
    EXPECT_EQ(dialog.Result().pinCount, typed.count) << typed.typed;
  }
}

// The find dialog of a chooser that shows logic.scmlib: searches that chooser's folder
// for its kind, and starts at its library.
void ExpectFindSetUpFromTheChooser(CDialog& dlg, const std::string& folder) {
  auto& find = static_cast<CFindLibraryItem&>(dlg);
  EXPECT_EQ(find.m_pLibraryKind, RUNTIME_CLASS(CScmSymbolLibrary));
  EXPECT_EQ(find.m_strSearchDirectory, folder + "/");
  EXPECT_EQ(find.m_strLibraryFile, "logic.scmlib");
}

TEST_F(LibrarySymbolChooserTest, EachSymbolTakenInTheFindDialogIsShownWithItsLibraryAndPinCount) {
  CChooserDialog dialog(AddGateLayout(), false);
  EXPECT_EQ(Run(dialog,
                [&](CChooserDialog& dlg) {
                  Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM, [&](CDialog& find, UserInput&) {
                    ExpectFindSetUpFromTheChooser(find, libraries.Path().string());
                    user.TypeText(find.GetDlgItem(IDC_FIND_PATTERN), "OPAMP");
                    user.Click(find.GetDlgItem(IDC_FIND_SEARCH));
                    user.SelectListLine(find.GetDlgItem(IDC_FIND_RESULTS), 0);
                    user.Click(find.GetDlgItem(IDC_FIND_USE));
                    EXPECT_EQ(dlg.Library()->GetWindowText(), "analog.scmlib");
                    EXPECT_EQ(ComboEntries(Combo(dlg.Symbol())), Entries({"OPAMP", "RESISTOR"}));
                    EXPECT_EQ(dlg.Symbol()->GetWindowText(), "OPAMP");
                    EXPECT_EQ(Shown(dlg), PinCount("3", kLocked));
                    // Another symbol of the library now shown needs no switch.
                    user.TypeText(find.GetDlgItem(IDC_FIND_PATTERN), "res*");
                    user.Click(find.GetDlgItem(IDC_FIND_SEARCH));
                    user.SelectListLine(find.GetDlgItem(IDC_FIND_RESULTS), 0);
                    user.Click(find.GetDlgItem(IDC_FIND_USE));
                    user.Click(find.GetDlgItem(IDCANCEL));
                  });
                  user.Click(dlg.GetDlgItem(IDC_ADD_GATE_FIND_SYMBOL));
                  user.Click(dlg.GetDlgItem(IDOK));
                }),
            IDOK);
  EXPECT_EQ(dialog.Result().library, "analog.scmlib");
  EXPECT_EQ(dialog.Result().symbol, "RESISTOR");
  EXPECT_EQ(dialog.Result().pinCount, 2);
}

TEST_F(LibrarySymbolChooserTest, AFindThatFindsNothingOrIsCancelledLeavesTheChooserAsItWas) {
  CChooserDialog dialog(AddGateLayout(), false);
  Run(dialog, [&](CChooserDialog& dlg) {
    user.ChooseComboEntry(dlg.Symbol(), "DFF");
    Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM, [&](CDialog& find, UserInput&) {
      user.TypeText(find.GetDlgItem(IDC_FIND_PATTERN), "NOSUCH*");
      user.Click(find.GetDlgItem(IDC_FIND_SEARCH));
      EXPECT_EQ(ListBoxLines(*static_cast<CListBox*>(find.GetDlgItem(IDC_FIND_RESULTS))), Entries());
      EXPECT_FALSE(user.Click(find.GetDlgItem(IDC_FIND_USE)));
      user.Click(find.GetDlgItem(IDCANCEL));
    });
    user.Click(dlg.GetDlgItem(IDC_ADD_GATE_FIND_SYMBOL));
    Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM,
                          [&](CDialog& find, UserInput&) { user.Click(find.GetDlgItem(IDCANCEL)); });
    user.Click(dlg.GetDlgItem(IDC_ADD_GATE_FIND_SYMBOL));
    EXPECT_EQ(dlg.Library()->GetWindowText(), "logic.scmlib");
    EXPECT_EQ(dlg.Symbol()->GetWindowText(), "DFF");
    EXPECT_EQ(Shown(dlg), PinCount("4", kLocked));
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });
}

}  // namespace
