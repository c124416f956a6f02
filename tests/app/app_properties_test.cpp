// The property sheet in the application: Edit > Properties and a double click on an item
// of a drawing open it; Cancel leaves everything as it was, OK is one undo step
// "Properties", and a save writes what the sheet changed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editor/resources/resource_ids.h"
#include "host/model/design.h"
#include "platform/property_sheet.h"
#include "tests/app/app_fixture.h"

namespace {

class AppPropertiesTest : public AppTest {
 protected:
  using SheetAction = std::function<void(CPropertySheet& sheet, UserInput& input)>;

  // The next dialog must be the property sheet: its pages and the page it opened at are
  // noted, `act` works on it, and `button` ends it.
  void ExpectSheet(int button, SheetAction act = {}) {
    Screen().ExpectDialog(0, [this, button, act](CDialog& dialog, UserInput& input) {
      auto* sheet = DynamicDowncast<CPropertySheet>(&dialog);
      if (sheet == nullptr) {
        ADD_FAILURE() << "the dialog shown is not a property sheet";
        input.Click(dialog.GetDlgItem(IDCANCEL));
        return;
      }
      m_pages = sheet->GetPageCount();
      m_openedAt = sheet->GetActivePage()->GetRuntimeClass()->m_lpszClassName;
      if (act) act(*sheet, input);
      input.Click(sheet->GetDlgItem(button));
    });
  }
  static CWnd* PageControl(const CPropertySheet& sheet, int id) {
    return sheet.GetActivePage()->GetDlgItem(id);
  }
  static void Describe(CPropertySheet& sheet, UserInput& input) {
    ASSERT_TRUE(input.TypeText(PageControl(sheet, IDC_DESCRIPTION), "Four NAND gates"));
  }

  CDesign& Design() { return *Frame().GetDesign(); }
  CString Description() { return Frame().GetComponent(false)->GetDescription(); }
  CString PinNameOnDisk(int gate, int terminal) {
    CDesign design;
    CString error;
    if (!CComponentLibraryFile::LoadComponent(Library(), "QUAD-NAND2", design, error)) return "unreadable";
    return design.FirstComponent()->GetPinName(gate, terminal);
  }

  int m_pages = 0;
  std::string m_openedAt;
};

TEST_F(AppPropertiesTest, EditPropertiesComesOnWithAnOpenComponent) {
  EXPECT_FALSE(MenuEnabled(ID_APP_PROPERTIES));
  ASSERT_TRUE(Open());
  EXPECT_TRUE(MenuEnabled(ID_APP_PROPERTIES));
}

TEST_F(AppPropertiesTest, CancelLeavesTheDesignTheFileAndTheUndoHistoryAsTheyWere) {
  ASSERT_TRUE(Open());
  const std::string file = ReadFileText(Library().str());
  ExpectSheet(IDCANCEL, Describe);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_PROPERTIES));

  EXPECT_EQ(m_pages, 2) << "nothing was selected: the component and package pages";
  EXPECT_EQ(m_openedAt, "CComponentPropertyPage");
  EXPECT_EQ(Description(), "Quad 2-input NAND gate");
  EXPECT_FALSE(Design().IsModified());
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(MenuEnabled(ID_APP_UNDO));
  EXPECT_EQ(ReadFileText(Library().str()), file);
}

TEST_F(AppPropertiesTest, OkIsOneUndoStepNamedPropertiesThatUndoTakesBack) {
  ASSERT_TRUE(Open());
  ExpectSheet(IDOK, Describe);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_PROPERTIES));

  EXPECT_EQ(Description(), "Four NAND gates");
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(MenuItem(ID_APP_UNDO).text.Find("&Undo Properties"), 0) << MenuItem(ID_APP_UNDO).text.str();

  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Description(), "Quad 2-input NAND gate");
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(AppPropertiesTest, ADoubleClickOnATerminalOpensItsPinPageAndTheNewNameIsSaved) {
  ASSERT_TRUE(Open());
  const ClickTarget terminal = ScmTerminalTarget(Frame(), 0, 1);
  ASSERT_NE(terminal.view, nullptr);
  ExpectSheet(IDOK, [](CPropertySheet& sheet, UserInput& input) {
    ASSERT_TRUE(input.TypeText(PageControl(sheet, IDC_PIN_NAME), "IN1"));
  });
  ASSERT_TRUE(user.LeftDoubleClick(terminal.view, terminal.point));

  EXPECT_EQ(m_pages, 4);
  EXPECT_EQ(m_openedAt, "CScmPinPropertyPage");
  EXPECT_EQ(Frame().GetComponent(false)->GetPinName(0, 1), "IN1");
  EXPECT_EQ(Design().GetUndoName(), "Properties");
  EXPECT_EQ(Design().GetUndoCount(), 1);

  ASSERT_TRUE(user.PressAccelerator(&Main(), 'S', FCONTROL));
  EXPECT_FALSE(Design().IsModified());
  EXPECT_EQ(PinNameOnDisk(0, 1), "IN1");
}

TEST_F(AppPropertiesTest, ADoubleClickOnAPcbPadOpensThePcbPinPageOfItsPin) {
  ASSERT_TRUE(Open());
  const ClickTarget pad = PcbPadTarget(Frame(), 9);
  ASSERT_NE(pad.view, nullptr);
  CString number;
  ExpectSheet(IDCANCEL, [&](CPropertySheet& sheet, UserInput&) {
    number = PageControl(sheet, IDC_PIN_NUMBER)->GetWindowText();
  });
  ASSERT_TRUE(user.LeftDoubleClick(pad.view, pad.point));

  EXPECT_EQ(m_pages, 3);
  EXPECT_EQ(m_openedAt, "CPcbPinPropertyPage");
  EXPECT_EQ(number, "9");
  EXPECT_FALSE(Design().CanUndo());
}

// An unexpected sheet would fail the test at once.
TEST_F(AppPropertiesTest, ADoubleClickOnNothingOrWhileAssigningPinsOpensNoSheet) {
  ASSERT_TRUE(Open());
  const ClickTarget pad = PcbPadTarget(Frame(), 1);
  ASSERT_NE(pad.view, nullptr);
  ASSERT_TRUE(user.LeftDoubleClick(pad.view, CPoint(2, 2)));
  EXPECT_FALSE(Frame().AnythingSelected());

  ASSERT_TRUE(user.ClickToolBarButton(&Main().ToolBar(), ID_APP_ASSIGN_PINS));
  ASSERT_TRUE(user.LeftDoubleClick(pad.view, pad.point));
  EXPECT_TRUE(Frame().IsAssigningPins());
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SELECT_MODE));
  EXPECT_FALSE(Design().IsModified());
}

}  // namespace
