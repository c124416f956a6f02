// Which pages the property sheet holds and which it opens at, by what the user picked
// in the drawings of "QUAD-NAND2" in DIP-14 (gate c: A 9, B 10, Y 8).
#include <gtest/gtest.h>

#include "tests/editor/properties/properties_sheet_fixture.h"
#include "tests/support/control_texts.h"

namespace {

using Names = std::vector<std::string>;
using Lines = std::vector<std::string>;

class PropertiesSheetPagesTest : public PropertiesSheetTest {
 protected:
  void SetUp() override {
    PropertiesSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
};

TEST_F(PropertiesSheetPagesTest, WithNothingSelectedItOpensAtTheComponentPageBesideThePackagePage) {
  CString name;
  CString package;
  ExpectSheet(IDCANCEL, [&](CComponentProperties& sheet, UserInput& input) {
    name = PageText(sheet, IDC_COMPONENT_NAME);
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), 1));
    package = PageText(sheet, IDC_PACKAGE_NAME);
  });
  Frame().OnProperties();

  ASSERT_TRUE(Shown().shown);
  EXPECT_EQ(Shown().caption, "Properties");
  EXPECT_EQ(Shown().tabs, (std::vector<CString>{"Component", "Package"}));
  EXPECT_EQ(Shown().pages, (Names{"CComponentPropertyPage", "CPackagePropertyPage"}));
  EXPECT_EQ(Shown().active, 0);
  EXPECT_EQ(name, "QUAD-NAND2");
  EXPECT_EQ(package, "DIP-14");
}

TEST_F(PropertiesSheetPagesTest, AGateOfTheSchematicAddsItsGatePageAndOpensThere) {
  CString symbol;
  ExpectSheet(IDCANCEL, [&](CComponentProperties& sheet, UserInput&) {
    symbol = PageText(sheet, IDC_SCM_SYMBOL_COMBO);
  });
  Select(ScmGate(4));
  Frame().OnProperties();

  EXPECT_EQ(Shown().tabs, (std::vector<CString>{"Component", "Package", "Gate"}));
  EXPECT_EQ(Shown().pages, (Names{"CComponentPropertyPage", "CPackagePropertyPage", "CGatePropertyPage"}));
  EXPECT_EQ(Shown().active, 2);
  EXPECT_EQ(symbol, "POWER") << "the page shows the selected gate e";
}

TEST_F(PropertiesSheetPagesTest, ATerminalAddsItsGateAndSchematicPinPagesAndOpensAtThePinPage) {
  CString gate;
  CString terminal;
  CString name;
  CString pin;
  ExpectSheet(IDCANCEL, [&](CComponentProperties& sheet, UserInput&) {
    gate = PageText(sheet, IDC_GATE_NAME);
    terminal = PageText(sheet, IDC_TERMINAL_NUMBER);
    name = PageText(sheet, IDC_PIN_NAME);
    pin = PageText(sheet, IDC_PIN_NUMBER);
  });
  Select(ScmTerminal(2, 3));
  Frame().OnProperties();

  EXPECT_EQ(Shown().tabs, (std::vector<CString>{"Component", "Package", "Gate", "Schematic Pin"}));
  EXPECT_EQ(Shown().pages, (Names{"CComponentPropertyPage", "CPackagePropertyPage", "CGatePropertyPage",
                                  "CScmPinPropertyPage"}));
  EXPECT_EQ(Shown().active, 3);
  EXPECT_EQ(gate, "c");
  EXPECT_EQ(terminal, "3");
  EXPECT_EQ(name, "Y");
  EXPECT_EQ(pin, "8");
}

TEST_F(PropertiesSheetPagesTest, APcbPadAddsThePcbPinPageAndOpensThere) {
  CString number;
  Lines associations;
  ExpectSheet(IDCANCEL, [&](CComponentProperties& sheet, UserInput&) {
    number = PageText(sheet, IDC_PIN_NUMBER);
    if (const auto* list = DynamicDowncast<CListBox>(PageControl(sheet, IDC_PIN_ASSOCIATIONS))) {
      associations = ListBoxLines(*list);
    }
  });
  Select(PcbPad(9));
  Frame().OnProperties();

  EXPECT_EQ(Shown().tabs, (std::vector<CString>{"Component", "Package", "PCB Pin"}));
  EXPECT_EQ(Shown().pages, (Names{"CComponentPropertyPage", "CPackagePropertyPage", "CPcbPinPropertyPage"}));
  EXPECT_EQ(Shown().active, 2);
  EXPECT_EQ(number, "9");
  EXPECT_EQ(associations, Lines{"Gate c\tTerminal 1"});
}

// The PCB symbol belongs to no gate; it draws the package, whose page the sheet opens at.
TEST_F(PropertiesSheetPagesTest, ThePcbSymbolOpensTheTwoPageSheetAtThePackagePage) {
  CString package;
  ExpectSheet(IDCANCEL,
              [&](CComponentProperties& sheet, UserInput&) { package = PageText(sheet, IDC_PACKAGE_NAME); });
  Select(PcbFootprint());
  Frame().OnProperties();

  EXPECT_EQ(Shown().pages, (Names{"CComponentPropertyPage", "CPackagePropertyPage"}));
  EXPECT_EQ(Shown().active, 1);
  EXPECT_EQ(package, "DIP-14");
}

// The select mode's "&Properties..." reaches the frame with the item under the cursor,
// which the right click selected first.
TEST_F(PropertiesSheetPagesTest, TheSelectModesMenuItemOpensTheSheetOnTheItemUnderTheCursor) {
  CString terminal;
  ExpectSheet(IDCANCEL, [&](CComponentProperties& sheet, UserInput&) {
    terminal = PageText(sheet, IDC_TERMINAL_NUMBER);
  });
  Screen().ExpectContextMenu(ID_CONTEXT_PROPERTIES);
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(1, 2))));

  EXPECT_EQ(Shown().activePage, "CScmPinPropertyPage");
  EXPECT_EQ(terminal, "2");
  EXPECT_EQ(UndoLevels().Started(), (std::vector<UINT>{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());
}

}  // namespace
