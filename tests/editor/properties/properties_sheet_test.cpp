// The frame's Properties: the pages the sheet holds for the item picked and what they
// show, and the sheet inside one undo level "Properties" (OK one step, Cancel none).
// Its write-back and assignment-run rule is swept with the frame's other level commands.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/model/component.h"
#include "host/model/scm_component.h"
#include "platform/tab_control.h"
#include "tests/editor/properties/properties_fixture.h"

namespace {

using Texts = std::vector<std::string>;
using Levels = std::vector<UINT>;

// Pin 2 of DIP-14 holds terminal 2 of gates a and b (renamed B2); pin 7 holds none, so
// terminal 2 of gate e has no pin.
TEST_F(PropertiesTest, TheSheetHoldsThePagesOfTheItemPickedAndOpensAtItsPage) {
  ASSERT_TRUE(Component().SetPinNumber(1, 2, 2));
  ASSERT_TRUE(Component().SetPinName(1, 2, "B2"));
  ASSERT_TRUE(Component().SetPinNumber(4, 2, CGate::kNoPin));
  const std::vector<CString> kBoth{"Component", "Package"}, kGate{"Component", "Package", "Gate"},
      kScm{"Component", "Package", "Gate", "Schematic Pin"}, kPcb{"Component", "Package", "PCB Pin"};
  const struct {
    CDesignItem* item;
    std::vector<CString> tabs;
    int active;  // -1: the sheet may open at any page
    std::vector<std::pair<int, std::string>> texts;
    Texts associations;
  } rows[] = {
      {nullptr, kBoth, 0, {{IDC_COMPONENT_NAME, "QUAD-NAND2"}}, {}},
      {ScmGate(4), kGate, 2, {{IDC_SCM_LIBRARY_COMBO, "logic.scmlib"}, {IDC_SCM_SYMBOL_COMBO, "POWER"}}, {}},
      {ScmTerminal(2, 3),
       kScm,
       3,
       {{IDC_GATE_NAME, "c"}, {IDC_TERMINAL_NUMBER, "3"}, {IDC_PIN_NAME, "Y"}, {IDC_PIN_NUMBER, "8"}},
       {}},
      {ScmTerminal(4, 2), kScm, 3, {{IDC_PIN_NAME, "GND"}, {IDC_PIN_NUMBER, "0"}}, {}},
      {PcbPad(8), kPcb, 2, {{IDC_PIN_NUMBER, "8"}, {IDC_PIN_NAME, "Y"}}, {"Gate c\tTerminal 3"}},
      {PcbPad(2), kPcb, 2, {{IDC_PIN_NAME, "B2"}}, {"Gate a\tTerminal 2", "Gate b\tTerminal 2"}},
      {PcbPad(7), kPcb, 2, {{IDC_PIN_NAME, ""}}, {}},
      {PcbFootprint(), kBoth, -1, {}, {}},  // it belongs to no gate
  };
  const std::vector<ComponentValue> before = Records();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tabs.size() * 10 + row.texts.size());
    RunSheet(row.item, [&](CComponentProperties& sheet, UserInput& input) {
      EXPECT_EQ(GetTabControlData(sheet.GetTabControl()->m_hWnd)->tabs, row.tabs);
      EXPECT_TRUE(row.active < 0 || sheet.GetActiveIndex() == row.active) << sheet.GetActiveIndex();
      for (const auto& [id, text] : row.texts) EXPECT_EQ(Text(sheet, id), text) << id;
      const CWnd* associations = row.tabs == kPcb ? Ctl(sheet, IDC_PIN_ASSOCIATIONS) : nullptr;
      EXPECT_EQ(associations ? ListBoxLines(*static_cast<const CListBox*>(associations)) : Texts{},
                row.associations);
      // Showing is no change, and OK on pages the user only looked at writes nothing.
      for (int page = 0; page < sheet.GetPageCount(); ++page) {
        ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), page));
        EXPECT_FALSE(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW))->IsWindowEnabled()) << page;
      }
    });
  }
  EXPECT_EQ(Records(), before);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
  EXPECT_TRUE(Hints().All().empty());
}

// Renames terminal A of gate a on its pin page, and on the component page describes the
// component, types a reference and shows its pin names; Apply clicked on the way or not.
PropertiesTest::Act EditEveryPage(bool clickApply) {
  return [clickApply](CComponentProperties& sheet, UserInput& input) {
    CWnd* apply = sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW));
    ASSERT_TRUE(input.TypeText(PropertiesTest::Ctl(sheet, IDC_PIN_NAME), "IN1"));
    EXPECT_TRUE(apply->IsWindowEnabled());
    if (clickApply) {
      ASSERT_TRUE(input.Click(apply));
      EXPECT_TRUE(sheet.IsModalActive());
      EXPECT_FALSE(apply->IsWindowEnabled());
    }
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), 0));
    ASSERT_TRUE(input.TypeText(PropertiesTest::Ctl(sheet, IDC_DESCRIPTION), "Four gates"));
    ASSERT_TRUE(input.TypeComboText(PropertiesTest::Ctl(sheet, IDC_DEFAULT_REFERENCE), "IC 7"));
    ASSERT_TRUE(!clickApply || input.Click(apply));
    // A check box's click is a change too (it once was not: 86eb87d).
    ASSERT_TRUE(input.SetCheck(PropertiesTest::Ctl(sheet, IDC_PCB_SHOW_PIN_NAME), true));
    EXPECT_TRUE(apply->IsWindowEnabled());
  };
}

// Cancelled from the select mode's "&Properties..." on the item under the cursor, then
// OK from the frame's command on the item selected.
TEST_F(PropertiesTest, OkIsOneUndoStepOnTheCurrentRecordAndCancelChangesNothing) {
  const std::vector<ComponentValue> before = Records();
  ExpectSheet(EditEveryPage(false), IDCANCEL);
  Screen().ExpectContextMenu(ID_CONTEXT_PROPERTIES);
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(0, 1))));
  EXPECT_EQ(Records(), before);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_EQ(Hints().Count(HintPinName), 0);
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());

  ClearRecords();
  RunSheet(nullptr, EditEveryPage(true));
  EXPECT_EQ(Component().GetPinName(0, 1), "IN1");
  EXPECT_EQ(Component().GetDescription(), "Four gates");
  EXPECT_EQ(Component().GetDefaultReference(), "IC 7");
  EXPECT_TRUE(Component().GetScmComponent()->GetShowName(CScmComponent::kPcbPinName));
  const CComponent* soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  EXPECT_EQ(soic->GetDescription(), "Quad 2-input NAND gate");
  EXPECT_EQ(soic->GetDefaultReference(), "U");
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_EQ(Design().GetUndoName(), "Properties");
  // The grid's write-back comes first, in a level of its own that holds nothing here.
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());
  // The pin page tells the views of the new name; the frame adds no rebuild.
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintPinName});
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Records(), before);
}

}  // namespace
