// The component page: what it shows of the component, and what it stores when the
// sheet applies (default reference, description and the twelve show names), nothing
// more and nothing when cancelled.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "host/model/scm_component.h"
#include "tests/editor/properties/component_page_sheet.h"

namespace {

struct ShowNameBox {
  int control;
  int flag;
};

// Each check box of the page with the flag it stands for.
constexpr std::array<ShowNameBox, 12> kBoxes{{
    {IDC_SCM_SHOW_REFERENCE, 2},
    {IDC_SCM_SHOW_COMPONENT, 1},
    {IDC_SCM_SHOW_SYMBOL, 8},
    {IDC_SCM_SHOW_PACKAGE, 4},
    {IDC_SCM_SHOW_PIN_NAME, 16},
    {IDC_SCM_SHOW_PIN_NUMBER, 32},
    {IDC_PCB_SHOW_REFERENCE, 512},
    {IDC_PCB_SHOW_COMPONENT, 256},
    {IDC_PCB_SHOW_SYMBOL, 2048},
    {IDC_PCB_SHOW_PACKAGE, 1024},
    {IDC_PCB_SHOW_PIN_NAME, 4096},
    {IDC_PCB_SHOW_PIN_NUMBER, 8192},
}};

class ComponentPageTest : public PagesSheetTest {
 protected:
  CComponentPropertyPage& Page(PagesSheet& sheet) { return sheet.componentPage; }

  // Ticks exactly the boxes whose flags are in `flags`.
  void TickOnly(PagesSheet& sheet, UserInput& input, unsigned flags) {
    for (const ShowNameBox& box : kBoxes) {
      EXPECT_TRUE(input.SetCheck(Item(Page(sheet), box.control), (flags & box.flag) != 0));
    }
  }
  // The flags whose boxes are ticked.
  unsigned TickedFlags(PagesSheet& sheet) {
    unsigned flags = 0;
    for (const ShowNameBox& box : kBoxes) {
      if (IsChecked(Page(sheet), box.control)) flags |= static_cast<unsigned>(box.flag);
    }
    return flags;
  }
};

TEST_F(ComponentPageTest, ShowsTheComponentWithItsOwnPackagesSorted) {
  // The frame edits the design's first record, one of DUT's; OTHER's packages are not DUT's.
  ComponentBuilder("DUT").Gates(1, 2).Package("SOT-23").Package("0805").Package("DIP-8").BuildInto(Design());
  ComponentBuilder("OTHER").Gates(1, 2).Package("TO-92", "SOT-23").BuildInto(Design());
  ASSERT_TRUE(OpenEditor());
  Component().SetDescription("Device under test");
  Component().SetDefaultReference("LED");

  EXPECT_EQ(RunSheet(kComponentPage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       CComponentPropertyPage& page = Page(sheet);
                       EXPECT_EQ(TextOf(page, IDC_COMPONENT_NAME), "DUT");
                       EXPECT_FALSE(Item(page, IDC_COMPONENT_NAME)->IsWindowEnabled());
                       EXPECT_EQ(ListLines(page, IDC_PACKAGE_LIST),
                                 (std::vector<std::string>{"0805", "DIP-8", "SOT-23"}));
                       EXPECT_EQ(TextOf(page, IDC_DESCRIPTION), "Device under test");
                       EXPECT_EQ(TextOf(page, IDC_DEFAULT_REFERENCE), "LED");
                       const std::vector<std::string> references = ComboLines(page, IDC_DEFAULT_REFERENCE);
                       EXPECT_EQ(references.size(), 16U);
                       EXPECT_NE(std::find(references.begin(), references.end(), "U"), references.end());
                       EXPECT_EQ(TickedFlags(sheet), CScmComponent::kDefaultShowNames);
                       // Showing the component is no change: Apply waits for one.
                       EXPECT_FALSE(SheetButton(sheet, ID_APPLY_NOW)->IsWindowEnabled());
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDCANCEL)));
                     }),
            IDCANCEL);
}

TEST_F(ComponentPageTest, StoresTheDescriptionAndAReferenceTypedOrChosen) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ClearRecords();
  CComponent* other = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  ASSERT_NE(other, nullptr);

  EXPECT_EQ(
      RunSheet(kComponentPage,
               [&](PagesSheet& sheet, UserInput& input) {
                 CComponentPropertyPage& page = Page(sheet);
                 EXPECT_TRUE(input.TypeText(Item(page, IDC_DESCRIPTION), "Four gates\r\nin one package"));
                 EXPECT_TRUE(SheetButton(sheet, ID_APPLY_NOW)->IsWindowEnabled());
                 // Not a stock reference: stored as typed, without any check.
                 EXPECT_TRUE(input.TypeComboText(Item(page, IDC_DEFAULT_REFERENCE), "IC 7"));
                 EXPECT_TRUE(input.Click(SheetButton(sheet, ID_APPLY_NOW)));
                 EXPECT_EQ(Component().GetDefaultReference(), "IC 7");
                 EXPECT_FALSE(SheetButton(sheet, ID_APPLY_NOW)->IsWindowEnabled());

                 EXPECT_TRUE(input.ChooseComboEntry(Item(page, IDC_DEFAULT_REFERENCE), "LED"));
                 EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
               }),
      IDOK);
  EXPECT_EQ(Component().GetDefaultReference(), "LED");
  EXPECT_EQ(Component().GetDescription(), "Four gates\r\nin one package");
  // Only the current package's record is written, and no view is told.
  EXPECT_EQ(other->GetDefaultReference(), "U");
  EXPECT_EQ(other->GetDescription(), "Quad 2-input NAND gate");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ComponentPageTest, EachShowNameRoundTripsThroughItsOwnCheckBox) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  for (const ShowNameBox& box : kBoxes) {
    SCOPED_TRACE(box.control);
    const unsigned flag = static_cast<unsigned>(box.flag);
    EXPECT_EQ(RunSheet(kComponentPage,
                       [&](PagesSheet& sheet, UserInput& input) {
                         TickOnly(sheet, input, flag);
                         EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
                       }),
              IDOK);
    EXPECT_EQ(Component().GetScmComponent()->GetShowNames(), flag);
    RunSheet(kComponentPage, [&](PagesSheet& sheet, UserInput& input) {
      EXPECT_EQ(TickedFlags(sheet), flag);
      EXPECT_TRUE(input.Click(SheetButton(sheet, IDCANCEL)));
    });
  }
}

TEST_F(ComponentPageTest, APcbOnlyComponentShowsNoNamesAndStoresNone) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  const unsigned before = Component().GetScmComponent()->GetShowNames();
  Component().SetPcbOnly(true);

  RunSheet(kComponentPage, [&](PagesSheet& sheet, UserInput& input) {
    EXPECT_EQ(TickedFlags(sheet), 0U);
    TickOnly(sheet, input, CScmComponent::kPcbPinNumber);
    EXPECT_TRUE(input.TypeText(Item(Page(sheet), IDC_DESCRIPTION), "Footprint only"));
    EXPECT_TRUE(input.Click(SheetButton(sheet, IDOK)));
  });
  EXPECT_EQ(Component().GetDescription(), "Footprint only");
  Component().SetPcbOnly(false);
  EXPECT_EQ(Component().GetScmComponent()->GetShowNames(), before);
}

TEST_F(ComponentPageTest, CancelStoresNothing) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  const unsigned before = Component().GetScmComponent()->GetShowNames();

  EXPECT_EQ(RunSheet(kComponentPage,
                     [&](PagesSheet& sheet, UserInput& input) {
                       CComponentPropertyPage& page = Page(sheet);
                       EXPECT_TRUE(input.TypeText(Item(page, IDC_DESCRIPTION), "changed"));
                       EXPECT_TRUE(input.TypeComboText(Item(page, IDC_DEFAULT_REFERENCE), "Q"));
                       TickOnly(sheet, input, CScmComponent::kPcbPinName);
                       EXPECT_TRUE(input.Click(SheetButton(sheet, IDCANCEL)));
                     }),
            IDCANCEL);
  EXPECT_EQ(Component().GetDescription(), "Quad 2-input NAND gate");
  EXPECT_EQ(Component().GetDefaultReference(), "U");
  EXPECT_EQ(Component().GetScmComponent()->GetShowNames(), before);
}

}  // namespace
