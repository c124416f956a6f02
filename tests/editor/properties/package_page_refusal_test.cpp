// The package page refuses a package name the validator rejects, a package another
// record already has, and a PCB symbol that cannot be found: the message is shown, the
// focus goes to the control at fault, the sheet stays open and nothing is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/libtools/library_manager.h"
#include "host/model/symbol_library.h"
#include "tests/editor/properties/component_page_sheet.h"
#include "tests/support/scratch_folder.h"

namespace {

// What one refused OK is expected to show and where it leaves the user.
struct Refusal {
  CString message;
  int focus;
};

// QUAD-NAND2: DIP-14 (the current record) and SOIC-14, both on footprints.pcblib.
class PackagePageRefusalTest : public PagesSheetTest {
 protected:
  void SetUp() override {
    PagesSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
  static CPackagePropertyPage& Page(PagesSheet& sheet) { return sheet.packagePage; }

  // Runs the sheet at the package page: `act` edits the page, OK must be refused as
  // `refusal` says, and the user then cancels.
  void ExpectRefused(const std::function<void(CPackagePropertyPage&, UserInput&)>& act,
                     const Refusal& refusal) {
    Screen().ExpectMessageBox(IDOK, refusal.message);
    const INT_PTR result = RunSheet(kPackagePage, [&](PagesSheet& sheet, UserInput& input) {
      CPackagePropertyPage& page = Page(sheet);
      // An edit the page would write if it got that far.
      EXPECT_TRUE(input.TypeText(Item(page, IDC_DESCRIPTION), "Must not be written"));
      act(page, input);
      EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
      EXPECT_TRUE(sheet.IsModalActive());
      EXPECT_EQ(sheet.GetActivePage(), &page);
      EXPECT_TRUE(HasFocus(page, refusal.focus)) << "the focus is not on control " << refusal.focus;
      EXPECT_TRUE(input.Click(SheetButton(sheet, IDCANCEL)));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(MessageTexts(), std::vector<CString>{refusal.message});
    ExpectNothingWritten();
  }

  void ExpectNothingWritten() {
    EXPECT_EQ(Component().GetPackage(), "DIP-14");
    EXPECT_EQ(Component().GetPackageDescription(), "14-pin dual in-line, 2.54 mm pitch, through hole");
    EXPECT_EQ(Component().GetPcbSymbol(), "DIP-14");
    EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), "footprints.pcblib");
    EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPackage(), "SOIC-14");
    EXPECT_TRUE(Hints().All().empty());
  }

  static void TypePackage(CPackagePropertyPage& page, UserInput& input, const char* package) {
    EXPECT_TRUE(input.TypeComboText(Item(page, IDC_PACKAGE_NAME), package));
  }
  static void TypeSymbol(CPackagePropertyPage& page, UserInput& input, const char* symbol) {
    EXPECT_TRUE(input.TypeComboText(Item(page, IDC_PCB_SYMBOL_COMBO), symbol));
  }
};

TEST_F(PackagePageRefusalTest, AnEmptyPackageNameIsRefused) {
  ExpectRefused([](CPackagePropertyPage& page, UserInput& input) { TypePackage(page, input, ""); },
                {"Package name cannot be empty.", IDC_PACKAGE_NAME});
}

TEST_F(PackagePageRefusalTest, APackageNameWithBlanksAroundItIsRefused) {
  ExpectRefused([](CPackagePropertyPage& page, UserInput& input) { TypePackage(page, input, " DIP-16"); },
                {"Package name \" DIP-16\" cannot begin or end with a blank.", IDC_PACKAGE_NAME});
}

TEST_F(PackagePageRefusalTest, APackageOfAnotherRecordIsRefusedWhateverItsCase) {
  ExpectRefused([](CPackagePropertyPage& page, UserInput& input) { TypePackage(page, input, "soic-14"); },
                {"Package \"soic-14\" is already defined for this component.", IDC_PACKAGE_NAME});
}

TEST_F(PackagePageRefusalTest, AnEmptySymbolNameIsRefused) {
  ExpectRefused(
      [](CPackagePropertyPage& page, UserInput& input) {
        TypePackage(page, input, "DIP-16");
        TypeSymbol(page, input, "");
      },
      {"Symbol name cannot be empty.", IDC_PCB_SYMBOL_COMBO});
}

TEST_F(PackagePageRefusalTest, AnInvalidSymbolNameIsRefused) {
  ExpectRefused([](CPackagePropertyPage& page, UserInput& input) { TypeSymbol(page, input, "DIP-14 "); },
                {"Symbol name \"DIP-14 \" cannot begin or end with a blank.", IDC_PCB_SYMBOL_COMBO});
}

TEST_F(PackagePageRefusalTest, ASymbolTheLibraryLacksIsRefused) {
  ExpectRefused([](CPackagePropertyPage& page, UserInput& input) { TypeSymbol(page, input, "DIP-40"); },
                {"Symbol DIP-40 does not exist.", IDC_PCB_SYMBOL_COMBO});
}

TEST_F(PackagePageRefusalTest, ALibraryThatNoLongerOpensIsRefused) {
  ScratchFolder folder;
  const std::string library = folder / "footprints.pcblib";
  std::filesystem::copy_file(DataDirectory().str() + "/footprints.pcblib", library);
  ASSERT_TRUE(CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), library));

  ExpectRefused([&](CPackagePropertyPage&, UserInput&) { std::filesystem::remove(library); },
                {"Cannot open library \"" + CString(library) + "\".", IDC_PCB_SYMBOL_COMBO});
}

TEST_F(PackagePageRefusalTest, ThePackageIsCheckedBeforeTheSymbol) {
  ExpectRefused(
      [](CPackagePropertyPage& page, UserInput& input) {
        TypeSymbol(page, input, "");
        TypePackage(page, input, "SOIC-14");
      },
      {"Package \"SOIC-14\" is already defined for this component.", IDC_PACKAGE_NAME});
}

TEST_F(PackagePageRefusalTest, ARefusalFoundFromAnotherPageTakesTheUserToThePackagePage) {
  Screen().ExpectMessageBox(IDOK, CString("Symbol DIP-40 does not exist."));
  EXPECT_EQ(RunSheet(kPackagePage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       TypeSymbol(Page(sheet), input, "DIP-40");
                       EXPECT_TRUE(input.ChooseTab(sheet.GetTabControl(), static_cast<int>(kComponentPage)));
                       EXPECT_TRUE(input.TypeText(Item(sheet.componentPage, IDC_DESCRIPTION), "Edited too"));
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
                       EXPECT_TRUE(sheet.IsModalActive());
                       EXPECT_EQ(sheet.GetActivePage(), &Page(sheet));
                       EXPECT_TRUE(HasFocus(Page(sheet), IDC_PCB_SYMBOL_COMBO));

                       // Put right, the same sheet is accepted.
                       EXPECT_TRUE(input.ChooseComboEntry(Item(Page(sheet), IDC_PCB_SYMBOL_COMBO), "DIP-16"));
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
                     }),
            IDOK);
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-16");
  EXPECT_EQ(Component().GetDescription(), "Edited too");
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
}

}  // namespace
