// Value editing: the values dialog edits a component's attributes, and OK writes them
// back as one undoable step.
#include "host/designops/set_op.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/designops/designops_resources.h"
#include "host/model/design.h"
#include "host/utility/app_error.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "tests/support/headless_test.h"

namespace {

using Values = std::vector<AttributeValue>;

class SetOpTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    component = design.AddComponent("74HC00", "DIP14");
    component->AddAttribute("Value", "74HC00");
    component->AddAttribute("Manufacturer", "Acme");
    component->AddAttribute("Datasheet", "hc00.pdf");
    original = component->GetAttributes()->GetValues();
  }

  static bool Click(CDialog& dlg, UserInput& user, int id) { return user.Click(dlg.GetDlgItem(id)); }
  static void Pick(CDialog& dlg, UserInput& user, int line) {
    user.SelectListLine(dlg.GetDlgItem(IDC_VALUES_LIST), line);
  }
  static void Type(CDialog& dlg, UserInput& user, const char* name, const char* value) {
    user.TypeText(dlg.GetDlgItem(IDC_VALUES_NAME), name);
    user.TypeText(dlg.GetDlgItem(IDC_VALUES_VALUE), value);
  }

  CDesign design;
  CComponent* component = nullptr;
  Values original;
};

TEST_F(SetOpTest, CancelNoChangeAndForeignItemsLeaveEverythingAloneAndOkMakesOneUndoStep) {
  Screen().ExpectDialog(IDD_VALUES, [](CDialog& dlg, UserInput& user) {
    Pick(dlg, user, 0);
    Click(dlg, user, IDC_VALUES_DELETE);
    Type(dlg, user, "Tolerance", "5%");
    Click(dlg, user, IDC_VALUES_ADD);
    Click(dlg, user, IDCANCEL);
  });
  EXPECT_FALSE(CSetOp::ChangeValues(&design, component));
  // Changing a line to what it was is no change either.
  Screen().ExpectDialog(IDD_VALUES, [](CDialog& dlg, UserInput& user) {
    Pick(dlg, user, 2);
    Click(dlg, user, IDC_VALUES_CHANGE);
    Click(dlg, user, IDOK);
  });
  EXPECT_FALSE(CSetOp::ChangeValues(&design, component));
  EXPECT_EQ(component->GetAttributes()->GetValues(), original);
  EXPECT_EQ(design.GetUndoCount(), 0);

  // No dialog opens for an item without values or of another design.
  CDesign other;
  CAppError::ClearLastError();
  EXPECT_FALSE(CSetOp::ChangeValues(&design, other.AddComponent("LM358", "SO8")));
  EXPECT_TRUE(CAppError::HasLastError());
  EXPECT_FALSE(CSetOp::ChangeValues(&design, nullptr));

  // Adding, changing and deleting lines is one step.
  Screen().ExpectMessageBox(IDOK, CString("There is already a value named \"Value\"."));
  Screen().ExpectDialog(IDD_VALUES, [](CDialog& dlg, UserInput& user) {
    EXPECT_FALSE(Click(dlg, user, IDC_VALUES_CHANGE)) << "nothing is selected yet";
    Pick(dlg, user, 1);
    EXPECT_EQ(dlg.GetDlgItem(IDC_VALUES_VALUE)->GetWindowText(), "Acme");
    Type(dlg, user, "Maker", "Widget Co");
    EXPECT_TRUE(Click(dlg, user, IDC_VALUES_CHANGE));
    Type(dlg, user, " value ", "refused");
    Click(dlg, user, IDC_VALUES_ADD);
    Type(dlg, user, " Tolerance ", "5%");
    Click(dlg, user, IDC_VALUES_ADD);
    Pick(dlg, user, 2);
    EXPECT_TRUE(Click(dlg, user, IDC_VALUES_DELETE));
    EXPECT_FALSE(Click(dlg, user, IDC_VALUES_DELETE)) << "the selection went with the line";
    CString line;
    static_cast<CListBox*>(dlg.GetDlgItem(IDC_VALUES_LIST))->GetText(1, line);
    EXPECT_EQ(line, "Maker\tWidget Co");
    Click(dlg, user, IDOK);
  });
  EXPECT_TRUE(CSetOp::ChangeValues(&design, component));
  EXPECT_EQ(component->GetAttributes()->GetValues(),
            Values({{"Value", "74HC00"}, {"Maker", "Widget Co"}, {"Tolerance", "5%"}}));
  EXPECT_EQ(std::make_pair(design.GetUndoCount(), design.GetUndoName()),
            std::make_pair(1, CString("Values")));
  ASSERT_TRUE(design.Undo());
  EXPECT_EQ(component->GetAttributes()->GetValues(), original);
}

}  // namespace
