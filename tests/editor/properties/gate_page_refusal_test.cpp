// The gate page refuses a symbol the chooser cannot vouch for: the message is shown, the
// focus goes back to the symbol, the sheet stays open and the design is unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/properties/gate_property_page.h"
#include "host/libtools/library_manager.h"
#include "host/model/symbol_library.h"
#include "tests/editor/properties/pin_page_sheet.h"
#include "tests/support/scratch_folder.h"

namespace {

class GatePageRefusalTest : public PageSheetTest {
 protected:
  // Types `typed` as the symbol, expects `message` on OK, and checks that the sheet
  // stayed open with the focus and the selection on the symbol.
  void Refuse(CPropertySheet& sheet, UserInput& input, const char* typed, const std::string& message) {
    CWnd* symbol = Control(page, IDC_SCM_SYMBOL_COMBO);
    if (typed != nullptr) {
      ASSERT_TRUE(input.TypeComboText(symbol, typed));
    }
    Screen().ExpectMessageBox(IDOK, CString(message));
    ASSERT_TRUE(ClickOk(sheet, input));
    EXPECT_TRUE(sheet.IsModalActive()) << message;
    EXPECT_EQ(sheet.GetActivePage(), &page);
    EXPECT_TRUE(HasFocus(page, IDC_SCM_SYMBOL_COMBO)) << message;
    const ComboBoxData* combo = GetComboBoxData(symbol->GetSafeHwnd());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->editSelStart, 0) << message;
    EXPECT_EQ(combo->editSelEnd, symbol->GetWindowText().GetLength()) << message;
  }

  CGatePropertyPage page;
};

TEST_F(GatePageRefusalTest, SymbolThatIsEmptyMissingOrBadlyNamedIsRefused) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ClearRecords();
  const std::vector<ComponentValue> before = Records();
  page.SetGate(&Component(), 1);
  const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    Refuse(sheet, input, "", "Symbol name cannot be empty.");
    Refuse(sheet, input, "NAND9", "Symbol NAND9 does not exist.");
    Refuse(sheet, input, " NAND2", "Symbol name \" NAND2\" cannot begin or end with a blank.");
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(MessageTexts().size(), 3u);
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

TEST_F(GatePageRefusalTest, LibraryThatCannotBeOpenedAnyMoreIsRefused) {
  // The schematic libraries are looked for beside the one last used: a folder holding
  // one library, which goes away while the page is open.
  const ScratchFolder folder;
  const std::string library = folder / "mine.scmlib";
  std::filesystem::copy_file(std::filesystem::path(DataDirectory().str()) / "logic.scmlib", library);
  ASSERT_TRUE(CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), library.c_str()));
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ClearRecords();
  const std::vector<ComponentValue> before = Records();

  page.SetGate(&Component(), 0);
  const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    EXPECT_EQ(Text(page, IDC_SCM_LIBRARY_COMBO), "mine.scmlib");
    EXPECT_EQ(Text(page, IDC_SCM_SYMBOL_COMBO), "NAND2");
    std::filesystem::remove(library);
    Refuse(sheet, input, nullptr, "Cannot open library \"" + library + "\".");
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

// The model refuses the rebuilt gate only after the old one has left the record: the
// page brings it back, and fails with the focus on the count. The count can be typed
// while the library does not tell it: here the gate's symbol has left its library.
TEST_F(GatePageRefusalTest, APinCountTheModelRefusesLosesNothing) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  POSITION position = nullptr;
  for (CComponent* record = Design().FirstComponent(position); record != nullptr;
       record = Design().NextComponent(position))
    record->FindGate(1)->SetSymbol("NAND9");
  ClearRecords();
  const std::vector<ComponentValue> before = Records();
  page.SetGate(&Component(), 1);
  const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    ASSERT_TRUE(input.TypeComboText(Control(page, IDC_SCM_SYMBOL_COMBO), "DFF"));
    ASSERT_TRUE(input.TypeText(Control(page, IDC_PAGE_PIN_COUNT), "40000"));
    Screen().ExpectMessageBox(IDOK, CString("40000 is not a pin count."));
    ASSERT_TRUE(ClickOk(sheet, input));
    EXPECT_TRUE(sheet.IsModalActive());
    EXPECT_TRUE(HasFocus(page, IDC_PAGE_PIN_COUNT));
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

}  // namespace
