// The schematic pin page: what it shows of a terminal, and a renamed terminal reaching
// the record, the pin grid and both drawings, or refused with the focus on the name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/properties/scm_pin_property_page.h"
#include "tests/editor/properties/pin_page_sheet.h"
#include "tests/editor/support/view_items.h"

namespace {

// QUAD-NAND2 in DIP-14 (current) and SOIC-14: gates a to d are NAND2 (A, B, Y), gate e
// is POWER (VCC 14, GND 7); gate c has A 9, B 10, Y 8.
class ScmPinPageTest : public PageSheetTest {
 protected:
  void SetUp() override {
    PageSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }

  // Types `name` as the terminal's new name and confirms the sheet.
  void Rename(int gate, int terminal, const char* name) {
    page.SetPin(&Component(), gate, terminal);
    const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
      ASSERT_TRUE(input.TypeText(Control(page, IDC_PIN_NAME), name));
      ASSERT_TRUE(ClickOk(sheet, input));
    });
    EXPECT_EQ(result, IDOK);
  }

  CScmPinPropertyPage page;
};

TEST_F(ScmPinPageTest, ShowsTheGateTheTerminalItsNameAndItsPcbPin) {
  EXPECT_EQ(page.GetCaption(), "Schematic Pin");
  page.SetPin(&Component(), 2, 3);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    EXPECT_EQ(Text(page, IDC_GATE_NAME), "c");
    EXPECT_EQ(Text(page, IDC_TERMINAL_NUMBER), "3");
    EXPECT_EQ(Text(page, IDC_PIN_NAME), "Y");
    EXPECT_EQ(Text(page, IDC_PIN_NUMBER), "8");
    EXPECT_TRUE(IsReadOnly(page, IDC_GATE_NAME));
    EXPECT_TRUE(IsReadOnly(page, IDC_TERMINAL_NUMBER));
    EXPECT_TRUE(IsReadOnly(page, IDC_PIN_NUMBER));
    EXPECT_FALSE(IsReadOnly(page, IDC_PIN_NAME));
    ClickCancel(sheet, input);
  });
}

TEST_F(ScmPinPageTest, TerminalWithoutAPinShowsPinZero) {
  ASSERT_TRUE(Component().SetPinNumber(4, 2, CGate::kNoPin));
  page.SetPin(&Component(), 4, 2);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    EXPECT_EQ(Text(page, IDC_GATE_NAME), "e");
    EXPECT_EQ(Text(page, IDC_PIN_NAME), "GND");
    EXPECT_EQ(Text(page, IDC_PIN_NUMBER), "0");
    ClickCancel(sheet, input);
  });
}

TEST_F(ScmPinPageTest, RenamedTerminalReachesTheRecordTheGridAndBothDrawings) {
  Rename(1, 3, "OUT");

  // Every gate the symbol draws takes the name in the current package's record.
  for (int gate = 0; gate < 4; ++gate) EXPECT_EQ(Component().GetPinName(gate, 3), "OUT") << "gate " << gate;
  EXPECT_EQ(Component().GetPinName(4, 2), "GND");
  EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPinName(1, 3), "OUT")
      << "terminal names are the component's";

  const std::vector<RecordedHint> names = Hints().OfKind(HintPinName);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].symbol, "NAND2");
  EXPECT_EQ(names[0].terminal, 3);
  EXPECT_EQ(names[0].name, "OUT");
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintPinName});

  for (int gate = 0; gate < 4; ++gate) EXPECT_EQ(Terminal(ScmView(), gate, 3)->GetTerminalName(), "OUT");
  EXPECT_EQ(Land(PcbView(), 8)->GetTerminalName(), "OUT");
  const std::vector<std::string> nameColumn = GridColumn(1);
  EXPECT_NE(std::find(nameColumn.begin(), nameColumn.end(), "OUT"), nameColumn.end());
  EXPECT_EQ(std::find(nameColumn.begin(), nameColumn.end(), "Y"), nameColumn.end());
}

TEST_F(ScmPinPageTest, ClearedNameIsStoredAndSent) {
  Rename(4, 1, "");
  EXPECT_EQ(Component().GetPinName(4, 1), "");
  const std::vector<RecordedHint> names = Hints().OfKind(HintPinName);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].symbol, "POWER");
  EXPECT_EQ(names[0].name, "");
  EXPECT_EQ(Terminal(ScmView(), 4, 1)->GetTerminalName(), "");
}

TEST_F(ScmPinPageTest, NameChangedOnlyInLetterCaseCountsAsAChange) {
  Rename(0, 1, "a");
  EXPECT_EQ(Component().GetPinName(0, 1), "a");
  EXPECT_EQ(Hints().Count(HintPinName), 1);
}

TEST_F(ScmPinPageTest, UnchangedNameWritesNothingAndSendsNothing) {
  const std::vector<ComponentValue> before = Records();
  page.SetPin(&Component(), 0, 2);
  EXPECT_EQ(ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) { ClickOk(sheet, input); }), IDOK);
  Rename(0, 2, "B");
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

TEST_F(ScmPinPageTest, ApplyFollowsTheUsersTypingAndKeepsTheSheetOpen) {
  page.SetPin(&Component(), 2, 1);
  ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    CWnd* apply = sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW));
    EXPECT_FALSE(apply->IsWindowEnabled()) << "showing the terminal is no change";
    ASSERT_TRUE(input.TypeText(Control(page, IDC_PIN_NAME), "IN1"));
    EXPECT_TRUE(apply->IsWindowEnabled());
    ASSERT_TRUE(ClickApply(sheet, input));
    EXPECT_TRUE(sheet.IsModalActive());
    EXPECT_EQ(Component().GetPinName(2, 1), "IN1");
    EXPECT_EQ(Hints().Count(HintPinName), 1);
    EXPECT_FALSE(apply->IsWindowEnabled());
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(Component().GetPinName(2, 1), "IN1");
}

TEST_F(ScmPinPageTest, RefusedNameKeepsTheSheetOpenOnTheNameAndWritesNothing) {
  const std::vector<ComponentValue> before = Records();
  const struct {
    const char* typed;
    const char* message;
  } refusals[] = {
      {" Y", "Terminal name \" Y\" cannot begin or end with a blank."},
      {"Y\tOUT", "Terminal name cannot contain control characters such as tabs or line breaks."},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", "Terminal name cannot be longer than 32 characters."},
  };
  page.SetPin(&Component(), 2, 3);
  const INT_PTR result = ShowPage(page, [&](CPropertySheet& sheet, UserInput& input) {
    for (const auto& refusal : refusals) {
      ASSERT_TRUE(input.TypeText(Control(page, IDC_PIN_NAME), refusal.typed));
      Screen().ExpectMessageBox(IDOK, CString(refusal.message));
      ASSERT_TRUE(ClickOk(sheet, input));
      EXPECT_TRUE(sheet.IsModalActive()) << refusal.typed;
      EXPECT_EQ(sheet.GetActivePage(), &page);
      EXPECT_TRUE(HasFocus(page, IDC_PIN_NAME)) << refusal.typed;
      EXPECT_TRUE(WholeTextSelected(page, IDC_PIN_NAME)) << refusal.typed;
    }
    ClickCancel(sheet, input);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(MessageTexts().size(), 3u);
  EXPECT_EQ(Records(), before);
  EXPECT_TRUE(Hints().Values().empty());
}

}  // namespace
