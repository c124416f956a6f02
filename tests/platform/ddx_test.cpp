// Dialog data exchange: DDX_Text (strings and whole numbers), DDX_Check, DDX_Control,
// DDX_CBString, DDX_CBIndex and DDX_LBIndex.
#include <vector>

#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/message_box.h"
#include "platform/resource_registry.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kDdxDialog = 90101;
constexpr int kIntEdit = 201;
constexpr int kUintEdit = 202;
constexpr int kTextEdit = 203;
constexpr int kCheck = 204;
constexpr int kDropDown = 205;
constexpr int kDropList = 206;
constexpr int kList = 207;

constexpr const char* kIntMessage = "Please enter an integer.";
constexpr const char* kUintMessage = "Please enter a positive integer.";

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "ddx_test";
    const DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT;
    DialogTemplate& dialog = m.dialogs[kDdxDialog];
    dialog = {kDdxDialog, "Exchange", 0, 0, 200, 180, style, "", 8, {}};
    const DWORD tab = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    dialog.controls = {
        {kIntEdit, kClassEdit, tab | ES_AUTOHSCROLL, "", 7, 7, 80, 14, 0},
        {kUintEdit, kClassEdit, tab | ES_AUTOHSCROLL, "", 7, 25, 80, 14, 0},
        {kTextEdit, kClassEdit, tab | ES_AUTOHSCROLL, "", 7, 43, 80, 14, 0},
        {kCheck, kClassButton, tab | BS_AUTOCHECKBOX, "", 7, 61, 80, 14, 0},
        {kDropDown, kClassComboBox, tab | CBS_DROPDOWN | CBS_SORT, "", 7, 79, 80, 14, 0},
        {kDropList, kClassComboBox, tab | CBS_DROPDOWNLIST | CBS_SORT, "", 7, 97, 80, 14, 0},
        {kList, kClassListBox, tab | LBS_SORT | LBS_NOTIFY, "", 7, 115, 80, 14, 0},
        {IDOK, kClassButton, tab | BS_DEFPUSHBUTTON, "", 7, 133, 80, 14, 0},
        {IDCANCEL, kClassButton, tab | BS_PUSHBUTTON, "", 7, 151, 80, 14, 0},
    };
    return m;
  }();
  return module;
}

class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : CDialog(kDdxDialog) {}

  int m_int = 7;
  UINT m_uint = 1;
  CString m_text;
  int m_check = 0;
  CString m_dropDownText;
  CString m_dropListText;
  int m_dropListIndex = -1;
  int m_listIndex = -1;
  CEdit m_textEdit;
  CListBox m_listBox;
  int m_textChanges = 0;
  bool m_exchangeCombos = false;

  BOOL OnInitDialog() override {
    // Fill the lists first, so the exchange can select in them.
    for (const char* text : {"SO8", "DIP8", "SOT23"}) {
      ::SendMessage(GetDlgItem(kDropDown)->m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      ::SendMessage(GetDlgItem(kDropList)->m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      ::SendMessage(GetDlgItem(kList)->m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    return CDialog::OnInitDialog();
  }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kTextEdit, m_textEdit);
    DDX_Control(dx, kList, m_listBox);
    DDX_Text(dx, kTextEdit, m_text);
    DDX_Check(dx, kCheck, m_check);
    if (m_exchangeCombos) {
      DDX_CBString(dx, kDropDown, m_dropDownText);
      DDX_CBString(dx, kDropList, m_dropListText);
      DDX_CBIndex(dx, kDropList, m_dropListIndex);
      DDX_LBIndex(dx, kList, m_listIndex);
    }
    DDX_Text(dx, kIntEdit, m_int);
    DDX_Text(dx, kUintEdit, m_uint);
  }
  void OnTextChange() { ++m_textChanges; }
};

const MessageMap ExchangeDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(EN_CHANGE, kTextEdit, &ExchangeDialog::OnTextChange),
    }};

class DdxTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    UseResourceModule(TestModule());
  }
  void TearDown() override {
    if (dlg.m_hWnd != nullptr) dlg.DestroyWindow();
    HeadlessTest::TearDown();
  }
  // A modeless dialog, shown, to call UpdateData on directly.
  void Open() {
    ASSERT_TRUE(dlg.Create(kDdxDialog));
    dlg.ShowWindow(SW_SHOW);
  }
  CWnd* Item(int id) { return dlg.GetDlgItem(id); }
  // Puts a text into a number edit and saves; true when the exchange succeeded.
  BOOL SaveWith(int id, const char* text) {
    Item(id)->SetWindowText(text);
    return dlg.UpdateData(TRUE);
  }

  ExchangeDialog dlg;
};

// The Add Gate dialog's How Many field given something that is not a whole number.
TEST_F(DdxTest, NonNumberIsRefusedWithTheFrameworksMessageAndTheDialogStaysOpen) {
  ExchangeDialog modal;
  Screen().ExpectDialog(kDdxDialog, [&](CDialog& shown, UserInput& input) {
    CWnd* count = shown.GetDlgItem(kIntEdit);
    ASSERT_TRUE(input.TypeText(count, "12abc"));
    Screen().ExpectMessageBox(IDOK, CString(kIntMessage));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    EXPECT_TRUE(shown.IsModalActive()) << "the dialog stays open";
    EXPECT_EQ(CWnd::GetFocus(), count) << "the focus is back on the control at fault";
    EXPECT_EQ(count->SendMessage(EM_GETSEL), MAKELPARAM(0, 5)) << "with its text selected";
    EXPECT_EQ(modal.m_int, 7);

    ASSERT_TRUE(input.TypeText(count, "-12"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(modal.DoModal(), IDOK);
  EXPECT_EQ(modal.m_int, -12);
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 1u);
  const ShownMessageBox& shown = Screen().MessageBoxesShown()[0];
  EXPECT_EQ(shown.text, kIntMessage);
  EXPECT_EQ(shown.caption, "Component Editor");
  EXPECT_EQ(shown.type, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(DdxTest, WholeNumbersAllowBlanksAndASign) {
  Open();
  EXPECT_EQ(Item(kIntEdit)->GetWindowText(), "7");
  EXPECT_EQ(Item(kUintEdit)->GetWindowText(), "1");
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c : {Case{"42", 42}, Case{"  42\t", 42}, Case{"+7", 7}, Case{"-3", -3}, Case{"007", 7},
                        Case{"-2147483648", -2147483648LL}, Case{"2147483647", 2147483647}}) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(SaveWith(kIntEdit, c.text));
    EXPECT_EQ(dlg.m_int, c.value);
  }
  for (const char* text : {"4294967295", " +12 ", "0"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(SaveWith(kUintEdit, text));
  }
  EXPECT_EQ(dlg.m_uint, 0u);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}

TEST_F(DdxTest, TextsThatAreNotWholeNumbersFailAndStopTheExchanges) {
  Open();
  dlg.m_int = 5;
  Item(kUintEdit)->SetWindowText("33");
  for (const char* text : {"", " ", "12abc", "1 2", "1.5", "-", "+-1", "2147483648", "-2147483649", "0x10"}) {
    SCOPED_TRACE(text);
    Screen().ExpectMessageBox(IDOK, CString(kIntMessage));
    EXPECT_FALSE(SaveWith(kIntEdit, text));
    EXPECT_EQ(dlg.m_int, 5);
    EXPECT_EQ(CWnd::GetFocus(), Item(kIntEdit));
  }
  EXPECT_EQ(dlg.m_uint, 1u) << "the exchanges after the failing one did not run";
  SaveWith(kIntEdit, "5");
  dlg.m_uint = 9;
  for (const char* text : {"-1", "-0", "4294967296", "x"}) {
    SCOPED_TRACE(text);
    Screen().ExpectMessageBox(IDOK, CString(kUintMessage));
    EXPECT_FALSE(SaveWith(kUintEdit, text));
    EXPECT_EQ(dlg.m_uint, 9u);
    EXPECT_EQ(CWnd::GetFocus(), Item(kUintEdit));
  }
}

TEST_F(DdxTest, TextsChecksAndControlsExchangeBothWays) {
  dlg.m_text = "first";
  dlg.m_check = 1;
  Open();
  EXPECT_EQ(Item(kTextEdit)->GetWindowText(), "first");
  EXPECT_EQ(dlg.m_textChanges, 1);
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dlg.m_textChanges, 1) << "an unchanged text is not set again";
  dlg.m_text = "second";
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dlg.m_textChanges, 2);
  Item(kTextEdit)->SetWindowText("typed");
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_text, "typed");

  EXPECT_EQ(Item(kCheck)->SendMessage(BM_GETCHECK), BST_CHECKED);
  ASSERT_TRUE(user.Click(Item(kCheck)));
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_check, 0);
  dlg.m_check = 7;  // out of range: unchecked, as the framework does
  dlg.UpdateData(FALSE);
  EXPECT_EQ(Item(kCheck)->SendMessage(BM_GETCHECK), BST_UNCHECKED);

  // Controls are attached on the first exchange only, and detached with the window.
  EXPECT_EQ(Item(kTextEdit), &dlg.m_textEdit);
  EXPECT_EQ(Item(kList), &dlg.m_listBox);
  const HWND attached = dlg.m_textEdit.m_hWnd;
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(dlg.m_textEdit.m_hWnd, attached);
  EXPECT_EQ(dlg.m_listBox.GetCount(), 3);
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_textEdit.m_hWnd, nullptr);
}

TEST_F(DdxTest, ComboAndListExchanges) {
  dlg.m_exchangeCombos = true;
  dlg.m_dropDownText = "sot";  // selects the first entry that starts with it
  dlg.m_dropListText = "QFN";  // not an entry: a drop-down list ignores it
  dlg.m_dropListIndex = 0;
  dlg.m_listIndex = 2;
  Open();
  CWnd* dropDown = Item(kDropDown);
  CWnd* dropList = Item(kDropList);
  EXPECT_EQ(dropDown->SendMessage(CB_GETCURSEL), 2);
  EXPECT_EQ(dropDown->GetWindowText(), "SOT23");
  EXPECT_EQ(dropList->SendMessage(CB_GETCURSEL), 0);
  EXPECT_EQ(dropList->GetWindowText(), "DIP8");
  EXPECT_EQ(dlg.m_listBox.GetCurSel(), 2);

  ASSERT_TRUE(user.TypeComboText(dropDown, "QFN32"));
  ASSERT_TRUE(user.ChooseComboEntry(dropList, "SO8"));
  ASSERT_TRUE(user.SelectListLine(&dlg.m_listBox, 0));
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_dropDownText, "QFN32");
  EXPECT_EQ(dlg.m_dropListText, "SO8");
  EXPECT_EQ(dlg.m_dropListIndex, 1);
  EXPECT_EQ(dlg.m_listIndex, 0);

  // A value no entry starts with goes into a drop-down's edit text.
  dlg.m_dropDownText = "TSSOP";
  dlg.m_dropListIndex = -1;
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dropDown->GetWindowText(), "TSSOP");
  EXPECT_EQ(dropList->SendMessage(CB_GETCURSEL), CB_ERR);
}

}  // namespace
