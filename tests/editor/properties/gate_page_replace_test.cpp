// The gate page: the gate's symbol as the page shows it, and a new symbol rebuilding
// the gate in the record being edited and the pin map in every other package record.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/properties/gate_property_page.h"
#include "editor/properties/pcb_pin_property_page.h"
#include "tests/editor/properties/pin_page_sheet.h"
#include "tests/editor/support/view_items.h"
#include "tests/support/control_texts.h"

namespace {

using Texts = std::vector<std::string>;
using Pins = std::vector<int>;

// QUAD-NAND2 in DIP-14 (current), SOIC-14 and TSSOP-14: gates a to d are NAND2 (A, B,
// Y), gate e is POWER. Gate b has pins 4, 5, 6 in DIP-14, 40, 50, 60 in SOIC-14 and
// 11, 12, 13 in TSSOP-14.
class GatePageTest : public PageSheetTest {
 protected:
  void SetUp() override {
    PageSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
    ASSERT_NE(soic, nullptr);
    for (int terminal = 1; terminal <= 3; ++terminal)
      ASSERT_TRUE(soic->SetPinNumber(1, terminal, 10 * (terminal + 3)));
    tssop = Design().AddComponent("QUAD-NAND2", "TSSOP-14");
    ASSERT_NE(tssop, nullptr);
    for (int terminal = 1; terminal <= 3; ++terminal)
      ASSERT_TRUE(tssop->SetPinNumber(1, terminal, 10 + terminal));
    ClearRecords();
  }

  // Chooses a library (none: the gate's stays) and a symbol from the lists, checks the
  // pin count the page shows, and confirms the sheet.
  void Choose(int gate, const char* library, const char* symbol, const char* pinCount) {
    page.SetGate(&Component(), gate);
    const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
      if (library != nullptr) {
        ASSERT_TRUE(input.ChooseComboEntry(Control(page, IDC_SCM_LIBRARY_COMBO), library));
      }
      ASSERT_TRUE(input.ChooseComboEntry(Control(page, IDC_SCM_SYMBOL_COMBO), symbol));
      EXPECT_EQ(Text(page, IDC_PAGE_PIN_COUNT), pinCount);
      ASSERT_TRUE(ClickOk(sheet, input));
    });
    EXPECT_EQ(result, IDOK);
  }

  static Texts Names(const CComponent& record, int gate) {
    Texts names;
    const CGate* found = record.FindGate(gate);
    for (int terminal = 1; found != nullptr && terminal <= found->CountPins(); ++terminal) {
      names.push_back(found->GetPinName(terminal).str());
    }
    return names;
  }
  static Pins PinsOf(const CComponent& record, int gate) {
    Pins pins;
    const CGate* found = record.FindGate(gate);
    for (int terminal = 1; found != nullptr && terminal <= found->CountPins(); ++terminal) {
      pins.push_back(found->GetPinNumber(terminal));
    }
    return pins;
  }
  // Every gate of every record but gate `except`.
  std::vector<GateValue> OtherGates(int except) {
    std::vector<GateValue> gates;
    for (const ComponentValue& record : Records()) {
      for (const GateValue& gate : record.gates) {
        if (gate.index != except) gates.push_back(gate);
      }
    }
    return gates;
  }
  static bool Contains(const Texts& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  CGatePropertyPage page;
  CComponent* soic = nullptr;
  CComponent* tssop = nullptr;
};

TEST_F(GatePageTest, ShowsTheGatesLibrarySymbolAndPinCount) {
  page.SetGate(&Component(), 4);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    const auto* libraries = DynamicDowncast<CComboBox>(Control(page, IDC_SCM_LIBRARY_COMBO));
    const auto* symbols = DynamicDowncast<CComboBox>(Control(page, IDC_SCM_SYMBOL_COMBO));
    ASSERT_NE(libraries, nullptr);
    ASSERT_NE(symbols, nullptr);
    EXPECT_EQ(ComboEntries(*libraries), (Texts{"analog.scmlib", "connectors.scmlib", "logic.scmlib"}));
    EXPECT_EQ(Text(page, IDC_SCM_LIBRARY_COMBO), "logic.scmlib");
    EXPECT_EQ(ComboEntries(*symbols), (Texts{"DFF", "INV", "NAND2", "POWER"}));
    EXPECT_EQ(Text(page, IDC_SCM_SYMBOL_COMBO), "POWER");
    EXPECT_EQ(Text(page, IDC_PAGE_PIN_COUNT), "2");
    EXPECT_TRUE(IsReadOnly(page, IDC_PAGE_PIN_COUNT)) << "the library gives the count";
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(page.GetCaption(), "Gate");
}

TEST_F(GatePageTest, SymbolWithMoreTerminalsCarriesNamesAndPinsOverInEveryRecord) {
  const std::vector<GateValue> untouched = OtherGates(1);
  Choose(1, nullptr, "DFF", "4");

  const CGate* gate = Component().FindGate(1);
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(gate->GetSymbol(), "DFF");
  EXPECT_EQ(gate->GetLibrary(), "logic.scmlib");
  EXPECT_EQ(Names(Component(), 1), (Texts{"A", "B", "Y", ""}));
  EXPECT_EQ(PinsOf(Component(), 1), (Pins{4, 5, 6, -1}));
  // The other packages keep their own pins, on the new symbol.
  for (CComponent* record : {soic, tssop}) {
    EXPECT_EQ(record->FindGate(1)->GetSymbol(), "DFF") << record->GetPackage().str();
    EXPECT_EQ(Names(*record, 1), (Texts{"A", "B", "Y", ""})) << record->GetPackage().str();
  }
  EXPECT_EQ(PinsOf(*soic, 1), (Pins{40, 50, 60, -1}));
  EXPECT_EQ(PinsOf(*tssop, 1), (Pins{11, 12, 13, -1}));
  EXPECT_EQ(OtherGates(1), untouched);

  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  ASSERT_NE(Terminal(ScmView(), 1, 4), nullptr) << "the drawing shows the new symbol";
  EXPECT_EQ(Terminal(ScmView(), 1, 4)->GetPinNumber(), -1);
  EXPECT_TRUE(Contains(GridColumn(0), "DFF"));
}

TEST_F(GatePageTest, SymbolWithFewerTerminalsFromAnotherLibraryKeepsTheFirstOnes) {
  const std::vector<GateValue> untouched = OtherGates(1);
  Choose(1, "analog.scmlib", "RESISTOR", "2");

  const CGate* gate = Component().FindGate(1);
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(gate->GetSymbol(), "RESISTOR");
  EXPECT_EQ(gate->GetLibrary(), "analog.scmlib");
  EXPECT_EQ(Names(Component(), 1), (Texts{"A", "B"}));
  EXPECT_EQ(PinsOf(Component(), 1), (Pins{4, 5}));
  EXPECT_EQ(soic->FindGate(1)->GetLibrary(), "analog.scmlib");
  EXPECT_EQ(PinsOf(*soic, 1), (Pins{40, 50}));
  EXPECT_EQ(PinsOf(*tssop, 1), (Pins{11, 12}));
  EXPECT_EQ(OtherGates(1), untouched);

  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_NE(Terminal(ScmView(), 1, 2), nullptr);
  EXPECT_EQ(Terminal(ScmView(), 1, 3), nullptr);
  EXPECT_FALSE(Land(PcbView(), 6)->IsAssigned()) << "pin 6 lost its terminal";
  EXPECT_TRUE(Contains(GridColumn(0), "RESISTOR"));
}

TEST_F(GatePageTest, SameSymbolOrLibraryInAnotherCaseChangesNothing) {
  const std::vector<ComponentValue> before = Records();
  page.SetGate(&Component(), 0);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    ASSERT_TRUE(input.TypeComboText(Control(page, IDC_SCM_SYMBOL_COMBO), "nand2"));
    ASSERT_TRUE(ClickOk(sheet, input));
  });
  EXPECT_EQ(Records(), before);

  Component().FindGate(2)->SetLibrary("LOGIC.SCMLIB");
  const std::vector<ComponentValue> renamedLibrary = Records();
  page.SetGate(&Component(), 2);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    EXPECT_EQ(Text(page, IDC_SCM_LIBRARY_COMBO), "logic.scmlib");
    ASSERT_TRUE(ClickOk(sheet, input));
  });
  EXPECT_EQ(Records(), renamedLibrary);
  EXPECT_TRUE(Hints().Values().empty());
}

TEST_F(GatePageTest, PageTheUserNeverOpenedAppliesNothing) {
  const std::vector<ComponentValue> before = Records();
  CPcbPinPropertyPage pinPage;
  pinPage.SetPin(&Component(), 5);
  page.SetGate(&Component(), 1);
  const INT_PTR result = ShowSheet({&pinPage, &page}, [&](CPropertySheet& sheet, UserInput& input) {
    EXPECT_EQ(page.GetSafeHwnd(), nullptr);
    ASSERT_TRUE(ClickOk(sheet, input));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

}  // namespace
