// The package page: what it shows of the package record, and what it writes back when
// the sheet applies: only what changed, with the drawings refreshed only when the PCB
// symbol or its library changed, and never the record's pin count or pin map.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/libtools/library_manager.h"
#include "host/model/symbol_library.h"
#include "tests/editor/properties/component_page_sheet.h"
#include "tests/support/scratch_folder.h"

namespace {

// QUAD-NAND2: DIP-14 (the current record) and SOIC-14, both on footprints.pcblib.
class PackagePageTest : public PagesSheetTest {
 protected:
  void SetUp() override {
    PagesSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
  static CPackagePropertyPage& Page(PagesSheet& sheet) { return sheet.packagePage; }
  static bool IsReadOnly(CPropertyPage& page, int id) {
    return (Item(page, id)->GetStyle() & ES_READONLY) != 0;
  }
  // The record's pin map, gate by gate and terminal by terminal.
  std::vector<int> PinMap() {
    std::vector<int> pins;
    POSITION position = nullptr;
    int gate = 0;
    for (CGate* g = Component().FirstGate(position, gate); g != nullptr;
         g = Component().NextGate(position, gate)) {
      for (int terminal = 1; terminal <= g->CountPins(); ++terminal) {
        pins.push_back(Component().GetPinNumber(gate, terminal));
      }
    }
    return pins;
  }
  // Runs the sheet opened at the package page; `act` acts on that page before OK.
  INT_PTR ApplyPackagePage(const std::function<void(CPackagePropertyPage&, UserInput&)>& act) {
    return RunSheet(kPackagePage, [&](PagesSheet& sheet, UserInput& input) {
      act(Page(sheet), input);
      EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
      if (sheet.IsModalActive()) input.Click(SheetButton(sheet, IDCANCEL));
    });
  }
};

TEST_F(PackagePageTest, ShowsThePackageRecordAndItsPcbSymbol) {
  EXPECT_EQ(RunSheet(kPackagePage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       CPackagePropertyPage& page = Page(sheet);
                       EXPECT_EQ(TextOf(page, IDC_PACKAGE_NAME), "DIP-14");
                       const std::vector<std::string> packages = ComboLines(page, IDC_PACKAGE_NAME);
                       EXPECT_EQ(packages.size(), 10U);
                       EXPECT_NE(std::find(packages.begin(), packages.end(), "QFN-16"), packages.end());
                       EXPECT_EQ(TextOf(page, IDC_DESCRIPTION),
                                 "14-pin dual in-line, 2.54 mm pitch, through hole");
                       EXPECT_EQ(TextOf(page, IDC_PCB_LIBRARY_COMBO), "footprints.pcblib");
                       EXPECT_EQ(TextOf(page, IDC_PCB_SYMBOL_COMBO), "DIP-14");
                       EXPECT_EQ(ComboLines(page, IDC_PCB_SYMBOL_COMBO).size(), 10U);
                       EXPECT_EQ(TextOf(page, IDC_PAGE_PIN_COUNT), "14");
                       EXPECT_TRUE(IsReadOnly(page, IDC_PAGE_PIN_COUNT));
                       EXPECT_FALSE(SheetButton(sheet, ID_APPLY_NOW)->IsWindowEnabled());
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDCANCEL)));
                     }),
            IDCANCEL);
}

TEST_F(PackagePageTest, KeepingEverythingPassesAndWritesNothing) {
  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage&, UserInput&) {}), IDOK);
  EXPECT_EQ(Component().GetPackage(), "DIP-14");
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-14");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PackagePageTest, ARenameOnlyInCaseIsWrittenWithoutRedrawing) {
  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage& page, UserInput& input) {
              EXPECT_TRUE(input.TypeComboText(Item(page, IDC_PACKAGE_NAME), "dip-14"));
            }),
            IDOK);
  EXPECT_EQ(Component().GetPackage(), "dip-14");
  EXPECT_EQ(Design().CountComponents(), 2);
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PackagePageTest, ARenameToAStockNameAndANewDescriptionAreWritten) {
  CComponent* other = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage& page, UserInput& input) {
              EXPECT_TRUE(input.ChooseComboEntry(Item(page, IDC_PACKAGE_NAME), "DIP-16"));
              EXPECT_TRUE(input.TypeText(Item(page, IDC_DESCRIPTION), "Socketed"));
            }),
            IDOK);
  EXPECT_EQ(Component().GetPackage(), "DIP-16");
  EXPECT_EQ(Component().GetPackageDescription(), "Socketed");
  EXPECT_EQ(other->GetPackage(), "SOIC-14");
  EXPECT_EQ(other->GetPackageDescription(), "14-pin small outline, 1.27 mm pitch");
  // Neither the symbol nor its library changed: the drawings stay as they are.
  EXPECT_TRUE(Hints().All().empty());
}

TEST_F(PackagePageTest, TheSameSymbolInAnotherCaseChangesNothing) {
  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage& page, UserInput& input) {
              EXPECT_TRUE(input.TypeComboText(Item(page, IDC_PCB_SYMBOL_COMBO), "dip-14"));
            }),
            IDOK);
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-14");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PackagePageTest, AnotherSymbolRedrawsButKeepsThePinCountAndPinMap) {
  const std::vector<int> pinMap = PinMap();
  ASSERT_EQ(pinMap.size(), 14U);
  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage& page, UserInput& input) {
              EXPECT_TRUE(input.ChooseComboEntry(Item(page, IDC_PCB_SYMBOL_COMBO), "DIP-16"));
              // The pin count shows the chosen symbol's pads, for information only.
              EXPECT_EQ(TextOf(page, IDC_PAGE_PIN_COUNT), "16");
            }),
            IDOK);
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-16");
  EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(Component().GetPinCount(), 14);
  EXPECT_EQ(PinMap(), pinMap);
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].sender, nullptr);
  EXPECT_EQ(Hints().All()[0].object, nullptr);
  EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPcbSymbol(), "SOIC-14");
}

TEST_F(PackagePageTest, AnotherLibraryIsWrittenAndRedraws) {
  ScratchFolder folder;
  std::filesystem::copy_file(std::string(DataDirectory().str()) + "/footprints.pcblib",
                             folder / "footprints.pcblib");
  std::filesystem::copy_file(std::string(DataDirectory().str()) + "/footprints.pcblib",
                             folder / "spare.pcblib");
  ASSERT_TRUE(
      CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CPcbSymbolLibrary), folder / "footprints.pcblib"));

  EXPECT_EQ(ApplyPackagePage([](CPackagePropertyPage& page, UserInput& input) {
              EXPECT_EQ(ComboLines(page, IDC_PCB_LIBRARY_COMBO),
                        (std::vector<std::string>{"footprints.pcblib", "spare.pcblib"}));
              EXPECT_TRUE(input.ChooseComboEntry(Item(page, IDC_PCB_LIBRARY_COMBO), "spare.pcblib"));
              EXPECT_TRUE(input.ChooseComboEntry(Item(page, IDC_PCB_SYMBOL_COMBO), "DIP-14"));
            }),
            IDOK);
  EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), "spare.pcblib");
  EXPECT_EQ(Component().GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
}

TEST_F(PackagePageTest, APageNeverOpenedAppliesNothing) {
  // A library the library list does not offer: the page, once shown, would take the
  // listed one in its place.
  Component().GetPcbComponent()->SetLibrary("retired.pcblib");

  EXPECT_EQ(RunSheet(kComponentPage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       EXPECT_TRUE(input.TypeText(Item(sheet.componentPage, IDC_DESCRIPTION), "Touched"));
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
                     }),
            IDOK);
  EXPECT_EQ(Component().GetDescription(), "Touched");
  EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), "retired.pcblib");
  EXPECT_TRUE(Hints().All().empty());

  // Shown once, even without an edit, the page applies what its controls hold.
  EXPECT_EQ(RunSheet(kComponentPage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       EXPECT_TRUE(input.ChooseTab(sheet.GetTabControl(), static_cast<int>(kPackagePage)));
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
                     }),
            IDOK);
  EXPECT_EQ(Component().GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
}

}  // namespace
