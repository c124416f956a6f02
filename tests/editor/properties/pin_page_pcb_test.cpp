// The PCB pin page: the gate terminals a pin is assigned to, one line each, and nothing
// written when the sheet is confirmed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/properties/pcb_pin_property_page.h"
#include "tests/editor/properties/pin_page_sheet.h"
#include "tests/support/control_texts.h"

namespace {

using Lines = std::vector<std::string>;

class PcbPinPageTest : public PageSheetTest {
 protected:
  // What the page shows of `pin`: the association lines, the pin name and the number.
  struct Shown {
    Lines lines;
    std::string name;
    std::string number;
  };
  Shown ShowPin(int pin) {
    Shown shown;
    page.SetPin(&Component(), pin);
    const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
      const auto* list = DynamicDowncast<CListBox>(Control(page, IDC_PIN_ASSOCIATIONS));
      ASSERT_NE(list, nullptr);
      shown = {ListBoxLines(*list), Text(page, IDC_PIN_NAME), Text(page, IDC_PIN_NUMBER)};
      EXPECT_TRUE(IsReadOnly(page, IDC_PIN_NAME));
      EXPECT_TRUE(IsReadOnly(page, IDC_PIN_NUMBER));
      ClickOk(sheet, input);
    });
    EXPECT_EQ(result, IDOK);
    return shown;
  }

  CPcbPinPropertyPage page;
};

TEST_F(PcbPinPageTest, PadSharedByTwoTerminalsListsBothAndNamesTheLastOne) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  // Terminal 2 of gate b joins terminal 2 of gate a on pin 2.
  ASSERT_TRUE(Component().SetPinNumber(1, 2, 2));
  ASSERT_TRUE(Component().SetPinName(1, 2, "B2"));
  const std::vector<ComponentValue> before = Records();
  ClearRecords();

  const Shown shown = ShowPin(2);
  EXPECT_EQ(shown.lines, (Lines{"Gate a\tTerminal 2", "Gate b\tTerminal 2"}));
  EXPECT_EQ(shown.name, "B2");
  EXPECT_EQ(shown.number, "2");
  EXPECT_EQ(page.GetCaption(), "PCB Pin");

  EXPECT_EQ(Records(), before) << "the page changes nothing";
  EXPECT_TRUE(Hints().Values().empty());
}

TEST_F(PcbPinPageTest, PinOfNoTerminalShowsAnEmptyListAndNoName) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ASSERT_TRUE(Component().SetPinNumber(4, 1, CGate::kNoPin));  // pin 14 loses VCC
  const Shown shown = ShowPin(14);
  EXPECT_EQ(shown.lines, Lines{});
  EXPECT_EQ(shown.name, "");
  EXPECT_EQ(shown.number, "14");
}

TEST_F(PcbPinPageTest, LinesAreSortedAsText) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("HEADER").Gates(1, 10).Package("HDR", "HDR-2x5")));
  ASSERT_TRUE(Component().SetPinNumber(0, 10, 2));
  const Shown shown = ShowPin(2);
  EXPECT_EQ(shown.lines, (Lines{"Gate a\tTerminal 10", "Gate a\tTerminal 2"}));
  EXPECT_EQ(shown.name, "T10") << "terminal 10 is found last";
}

}  // namespace
