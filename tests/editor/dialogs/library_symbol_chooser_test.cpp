// The library symbol chooser, met in the Add Gate dialog that owns one, driven as a user
// drives it: the libraries of a kind beside the last-used one, the pin count that
// follows the list and is locked while the library supplies it, the checks on OK with
// their messages and the focus on the symbol, a library that becomes unreadable while
// the dialog is open, and the Find Symbol sequence; and the Add Gate dialog's own
// fields: the title naming the first new gate and How Many. (The Add Package and New
// Component tests keep one row each for the chooser's wiring.)

#include <filesystem>

#include "editor/dialogs/add_gate_dialog.h"
#include "host/libtools/find_library_item.h"
#include "host/libtools/library_manager.h"
#include "host/libtools/libtools_resources.h"
#include "host/model/symbol_library.h"
#include "platform/app_registry.h"
#include "platform/edit.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// What the user sees: "title|library|symbol|pin count|locked or open|How Many".
std::string Shown(CDialog& dlg) {
  std::string shown = dlg.GetWindowText().str();
  for (int id : {IDC_SCM_LIBRARY_COMBO, IDC_SCM_SYMBOL_COMBO, IDC_SCM_PIN_COUNT})
    shown += "|" + dlg.GetDlgItem(id)->GetWindowText().str();
  shown += static_cast<CEdit*>(dlg.GetDlgItem(IDC_SCM_PIN_COUNT))->IsReadOnly() ? "|locked|" : "|open|";
  return shown + dlg.GetDlgItem(IDC_GATE_COUNT)->GetWindowText().str();
}
Texts Entries(CDialog& dlg, int id) {
  return ComboEntries(*static_cast<CComboBox*>(dlg.GetDlgItem(id)));
}

class LibrarySymbolChooserTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InstallMemorySettings();
    for (const char* name : {"logic.scmlib", "analog.scmlib", "footprints.pcblib"}) Copy(name);
    ASSERT_TRUE(CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), Library("logic.scmlib")));
  }

  CString Library(const char* name) const { return CString(libraries / name); }
  void Copy(const char* name) {
    fs::copy_file(fs::path(CE_DATA_DIR) / name, libraries / name, fs::copy_options::overwrite_existing);
  }

  // Runs Add Gate; `act` plays the user and must end it. Returns what the dialog hands
  // back after Add, "library|symbol|pin count|How Many", or nothing after Cancel.
  std::string Run(CAddGateDialog& dialog, const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& dlg, UserInput&) { act(dlg); });
    if (dialog.DoModal() != IDOK) return "";
    return dialog.GetLibraryName().str() + "|" + dialog.GetSymbolName().str() + "|" +
           std::to_string(dialog.GetPins()) + "|" + std::to_string(dialog.GetHowMany());
  }

  // OK is refused with `message` shown (any text when null), the focus on `control` and,
  // on the symbol, its text selected for retyping.
  void ExpectRefused(CDialog& dlg, const char* message, int control = IDC_SCM_SYMBOL_COMBO) {
    ExpectRefusedOnOk(Screen(), user, dlg, message, control);
    if (control != IDC_SCM_SYMBOL_COMBO) return;
    const ComboBoxData* symbol = GetComboBoxData(dlg.GetDlgItem(control)->m_hWnd);
    EXPECT_EQ(std::make_pair(symbol->editSelStart, symbol->editSelEnd),
              std::make_pair(0, dlg.GetDlgItem(control)->GetWindowText().GetLength()));
  }

  ScratchFolder libraries;
};

TEST_F(LibrarySymbolChooserTest, AddNamesWhatIsWrongAndPutsTheFocusOnTheFieldToCorrect) {
  // The symbol and How Many typed, the message (null: the platform's own wording for a
  // number), the control at fault.
  const std::tuple<const char*, const char*, const char*, int> refusals[] = {
      {"", "1", "Symbol name cannot be empty.", IDC_SCM_SYMBOL_COMBO},
      {" INV", "1", "Symbol name \" INV\" cannot begin or end with a blank.", IDC_SCM_SYMBOL_COMBO},
      {"NOR9", "1", "Symbol NOR9 does not exist.", IDC_SCM_SYMBOL_COMBO},
      {"INV", "two", nullptr, IDC_GATE_COUNT}};
  const CString cannotOpen = "Cannot open library \"" + Library("logic.scmlib") + "\".";
  CAddGateDialog dialog(27, "ANALOG.scmlib", "opamp");
  const std::string added = Run(dialog, [&](CDialog& dlg) {
    // What the caller proposes is shown whatever its case; the title names the gate and
    // the pin count is locked while the library supplies it.
    EXPECT_EQ(Shown(dlg), "Add Gate ab|analog.scmlib|OPAMP|3|locked|1");
    EXPECT_FALSE(user.TypeText(dlg.GetDlgItem(IDC_SCM_PIN_COUNT), "9"));
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO), "logic.scmlib");
    for (const auto& [symbol, howMany, message, focus] : refusals) {
      user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), symbol);
      user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), howMany);
      ExpectRefused(dlg, message, focus);
    }
    // Both wrong: both are told, and the focus goes to the symbol.
    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "");
    Screen().ExpectMessageBox(IDOK);
    ExpectRefused(dlg, "Symbol name cannot be empty.");
    // The library deleted or damaged after the list was filled.
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV");
    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "2");
    fs::remove(libraries / "logic.scmlib");
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "DFF");
    EXPECT_EQ(Shown(dlg), "Add Gate ab|logic.scmlib|DFF|2|open|2");
    ExpectRefused(dlg, cannotOpen.c_str());
    WriteFileText(libraries / "logic.scmlib", "{ \"format\": \"damaged");
    ExpectRefused(dlg, cannotOpen.c_str());
    // Put right, Add goes through; the open count is read as its leading number.
    Copy("logic.scmlib");
    user.TypeText(dlg.GetDlgItem(IDC_SCM_PIN_COUNT), "12abc");
    user.Click(dlg.GetDlgItem(IDOK));
  });
  EXPECT_EQ(added, "logic.scmlib|DFF|12|2");
}

// Find Symbol: the find dialog searches the chooser's folder for its kind, starts at its
// library and at what was last searched for from Add Gate; each symbol taken is shown
// with its library and pin count.
TEST_F(LibrarySymbolChooserTest, EachSymbolTakenInTheFindDialogIsShownWithItsLibraryAndPinCount) {
  ASSERT_TRUE(CAppRegistry("FindLibraryItem").SetValue("Addgate", "RES*"));
  CAddGateDialog dialog(0, "", "");
  const auto find = [this](CDialog& found, const char* pattern) {
    user.TypeText(found.GetDlgItem(IDC_FIND_PATTERN), pattern);
    user.Click(found.GetDlgItem(IDC_FIND_SEARCH));
    user.SelectListLine(found.GetDlgItem(IDC_FIND_RESULTS), 0);
    return user.Click(found.GetDlgItem(IDC_FIND_USE));
  };
  const std::string added = Run(dialog, [&](CDialog& dlg) {
    // With no library proposed the list stays at the library last used (9cab679).
    EXPECT_EQ(Shown(dlg), "Add Gate a|logic.scmlib|||open|1");
    EXPECT_EQ(Entries(dlg, IDC_SCM_LIBRARY_COMBO), (Texts{"analog.scmlib", "logic.scmlib"}));
    EXPECT_EQ(Entries(dlg, IDC_SCM_SYMBOL_COMBO), (Texts{"DFF", "INV", "NAND2", "POWER"}));
    Screen().ExpectDialog(IDD_FIND_LIBRARY_ITEM, [&](CDialog& found, UserInput&) {
      EXPECT_EQ(found.GetDlgItem(IDC_FIND_PATTERN)->GetWindowText(), "RES*");
      auto& item = static_cast<CFindLibraryItem&>(found);
      EXPECT_EQ(item.m_pLibraryKind, RUNTIME_CLASS(CScmSymbolLibrary));
      EXPECT_EQ(item.m_strSearchDirectory + item.m_strLibraryFile,
                libraries.Path().string() + "/logic.scmlib");
      EXPECT_TRUE(find(found, "OPAMP"));
      EXPECT_EQ(Shown(dlg), "Add Gate a|analog.scmlib|OPAMP|3|locked|1");
      EXPECT_EQ(Entries(dlg, IDC_SCM_SYMBOL_COMBO), (Texts{"OPAMP", "RESISTOR"}));
      // Another symbol of the library now shown needs no switch.
      EXPECT_TRUE(find(found, "res*"));
      user.Click(found.GetDlgItem(IDCANCEL));
    });
    user.Click(dlg.GetDlgItem(IDC_ADD_GATE_FIND_SYMBOL));
    user.Click(dlg.GetDlgItem(IDOK));
  });
  EXPECT_EQ(added, "analog.scmlib|RESISTOR|2|1");
}

}  // namespace
