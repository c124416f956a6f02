// Dialogs built from templates, run modally through the headless backend or modelessly,
// their data exchange: DDX_Text (strings and whole numbers), DDX_Check, DDX_Control,
// DDX_CBString, DDX_CBIndex and DDX_LBIndex; and message boxes through the backend.
#include "platform/dialog.h"

#include <string>
#include <tuple>
#include <vector>

#include "platform/combo_box.h"
#include "platform/edit.h"
#include "platform/list_box.h"
#include "platform/message_box.h"
#include "platform/resource_registry.h"
#include "platform/win_thread.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kTestDialog = 90001;
constexpr UINT kMissingDialog = 90099;
constexpr UINT kQuestion = 90301;
constexpr int kNameEdit = 101;
constexpr int kCountEdit = 102;
constexpr int kEnabledBox = 103;
constexpr int kKindCombo = 104;
constexpr int kHiddenEdit = 105;
constexpr int kUintEdit = 106;
constexpr int kDropDown = 107;
constexpr int kList = 108;

constexpr const char* kIntMessage = "Please enter an integer.";
constexpr const char* kUintMessage = "Please enter a positive integer.";

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "dialog_test";
    m.strings[kQuestion] = "Remove all pin assignments?";
    DialogTemplate& dialog = m.dialogs[kTestDialog];
    const DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    dialog = {kTestDialog, "Test Dialog", 0, 0, 200, 150, style, "MS Sans Serif", 8, {}};
    // The hidden edit is a tab stop the initial focus skips.
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD tab = child | WS_TABSTOP;
    dialog.controls = {
        {IDC_STATIC, kClassStatic, child | SS_LEFT, "Name:", 7, 9, 30, 8, 0},
        {kHiddenEdit, kClassEdit, WS_CHILD | WS_TABSTOP, "", 40, 0, 20, 14, 0},
        {kNameEdit, kClassEdit, tab | ES_AUTOHSCROLL | WS_BORDER, "initial", 40, 7, 80, 14, 0},
        {kCountEdit, kClassEdit, tab | ES_AUTOHSCROLL | WS_BORDER, "", 40, 25, 40, 14, 0},
        {kUintEdit, kClassEdit, tab | ES_AUTOHSCROLL | WS_BORDER, "", 90, 25, 40, 14, 0},
        {kEnabledBox, kClassButton, tab | BS_AUTOCHECKBOX, "Enabled", 7, 43, 60, 10, 0},
        {kKindCombo, kClassComboBox, tab | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, "", 40, 57, 80, 60, 0},
        {kDropDown, kClassComboBox, tab | CBS_DROPDOWN | CBS_SORT, "", 40, 75, 80, 60, 0},
        {kList, kClassListBox, tab | LBS_SORT | LBS_NOTIFY, "", 40, 93, 80, 40, 0},
        {IDOK, kClassButton, tab | BS_DEFPUSHBUTTON, "OK", 143, 7, 50, 14, 0},
        {IDCANCEL, kClassButton, tab | BS_PUSHBUTTON, "Cancel", 143, 24, 50, 14, 0},
    };
    return m;
  }();
  return module;
}

// A dialog with data exchange, member controls and notification handlers.
class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(kTestDialog) {}

  CString m_name;
  int m_count = 7;
  UINT m_uint = 1;
  int m_enabled = 0;
  CComboBox m_kind;
  CEdit m_nameEdit;
  CListBox m_list;
  CString m_dropDownText;
  CString m_kindText;
  int m_kindIndex = -1;
  int m_listIndex = -1;
  bool m_exchangeLists = false;
  int m_initCalls = 0;
  int m_kindChanges = 0;
  int m_nameChanges = 0;
  int m_endInInit = 0;  // non-zero: OnInitDialog ends the dialog with it

  BOOL OnInitDialog() override {
    ++m_initCalls;
    // Fill the lists first, so the exchange can select in them.
    for (const char* text : {"SO8", "DIP8", "SOT23"}) {
      ::SendMessage(GetDlgItem(kDropDown)->m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      ::SendMessage(GetDlgItem(kList)->m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    for (const char* text : {"logic", "analog"}) {
      ::SendMessage(GetDlgItem(kKindCombo)->m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    CDialog::OnInitDialog();
    if (m_endInInit != 0) EndDialog(m_endInInit);
    return TRUE;
  }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kKindCombo, m_kind);
    DDX_Control(dx, kNameEdit, m_nameEdit);
    DDX_Control(dx, kList, m_list);
    DDX_Text(dx, kNameEdit, m_name);
    DDX_Check(dx, kEnabledBox, m_enabled);
    if (m_exchangeLists) {
      DDX_CBString(dx, kDropDown, m_dropDownText);
      DDX_CBString(dx, kKindCombo, m_kindText);
      DDX_CBIndex(dx, kKindCombo, m_kindIndex);
      DDX_LBIndex(dx, kList, m_listIndex);
    }
    DDX_Text(dx, kCountEdit, m_count);
    DDX_Text(dx, kUintEdit, m_uint);
  }
  void OnKindChanged() { ++m_kindChanges; }
  void OnNameChanged() { ++m_nameChanges; }
};

const MessageMap TestDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, kKindCombo, &TestDialog::OnKindChanged),
        NotifyEntry(EN_CHANGE, kNameEdit, &TestDialog::OnNameChanged),
    }};

class DialogTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    UseResourceModule(TestModule());
  }
  void TearDown() override {
    if (dlg.m_hWnd != nullptr) dlg.DestroyWindow();
    HeadlessTest::TearDown();
  }
  // The dialog modeless and shown, to call UpdateData on directly.
  void Open() {
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.ShowWindow(SW_SHOW);
  }
  CWnd* Item(int id) { return dlg.GetDlgItem(id); }
  // Puts a text into a number edit and saves; true when the exchange succeeded.
  BOOL SaveWith(int id, const char* text) {
    Item(id)->SetWindowText(text);
    return dlg.UpdateData(TRUE);
  }

  TestDialog dlg;
};

// Dialog units to pixels for an 8-point font, as MulDiv rounds: x * 6 / 4, y * 13 / 8.
CRect Mapped(int x, int y, int cx, int cy) {
  const auto px = [](int v) { return (v * 6 + 2) / 4; };
  const auto py = [](int v) { return (v * 13 + 4) / 8; };
  return {px(x), py(y), px(x + cx), py(y + cy)};
}

// The window and every control of the template, as a child window in tab order.
void ExpectTemplateWindow(CDialog& shown) {
  ASSERT_NE(shown.m_hWnd, nullptr);
  const DialogTemplate& dialogTemplate = TestModule().dialogs.at(kTestDialog);
  EXPECT_EQ(shown.m_hWnd->className, kClassDialog);
  EXPECT_EQ(shown.GetWindowText(), "Test Dialog");
  EXPECT_EQ(shown.GetStyle() & (WS_POPUP | WS_CAPTION | WS_CHILD), static_cast<DWORD>(WS_POPUP | WS_CAPTION));
  CRect rect;
  shown.GetWindowRect(&rect);
  EXPECT_EQ(rect, Mapped(0, 0, dialogTemplate.cx, dialogTemplate.cy));
  const std::vector<CWnd*> children = shown.GetChildren();
  ASSERT_EQ(children.size(), dialogTemplate.controls.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const HWND hwnd = children[i]->m_hWnd;
    const ControlTemplate& c = dialogTemplate.controls[i];
    SCOPED_TRACE("control " + std::to_string(c.id));
    EXPECT_EQ(std::tie(hwnd->id, hwnd->className, hwnd->style, hwnd->text, hwnd->rect, hwnd->parent),
              std::make_tuple(c.id, c.className, c.style | WS_CHILD, c.text, Mapped(c.x, c.y, c.cx, c.cy),
                              shown.m_hWnd));
  }
  // A control made from the template, found by id, is an object of its own kind.
  auto* kind = DynamicDowncast<CComboBox>(shown.GetDlgItem(kKindCombo));
  ASSERT_NE(kind, nullptr);
  EXPECT_EQ(kind->AddString("lib"), 0);
}

TEST_F(DialogTest, TheTemplateBuildsEveryControlAndOnlyExpectedDialogsReachTheModalLoop) {
  CDialog plain(kTestDialog);
  Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
    EXPECT_TRUE(&shown == &plain && shown.IsModalActive() && shown.IsWindowVisible());
    ExpectTemplateWindow(shown);
    input.Click(shown.GetDlgItem(IDCANCEL));
  });
  EXPECT_EQ(plain.DoModal(), IDCANCEL);
  EXPECT_EQ(plain.m_hWnd, nullptr) << "the window goes when DoModal returns";

  ASSERT_TRUE(plain.Create(kTestDialog));
  ExpectTemplateWindow(plain);
  EXPECT_FALSE(plain.IsModalActive());
  plain.DestroyWindow();

  // The units follow the template's font: 1.5 -> 2, 1.625 -> 2, 4.875 -> 5 for 8 points.
  EXPECT_EQ(dlg.MapDialogRect(CRect(1, 1, 2, 3)), CRect(2, 2, 3, 5));
  DialogTemplate big;
  big.fontSize = 16;
  EXPECT_EQ(CDialog::DialogBaseUnits(big), CSize(12, 26));

  // Neither a missing template nor a dialog ended in OnInitDialog reaches the modal loop.
  CDialog missing(kMissingDialog);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.m_hWnd != nullptr || missing.Create(kMissingDialog));
  dlg.m_endInInit = 42;
  EXPECT_EQ(dlg.DoModal(), 42);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  dlg.m_endInInit = 0;

  // An unexpected dialog, or one its responder leaves open, is reported at once and cancelled.
  for (const bool expected : {false, true}) {
    SCOPED_TRACE(expected ? "left open" : "unexpected");
    std::vector<std::string> problems;
    Screen().SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
    if (expected) Screen().ExpectDialog(kTestDialog, [](CDialog&, UserInput&) {});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ASSERT_EQ(problems.size(), 1u);
    for (const char* said : expected ? std::vector<const char*>{"left open"}
                                     : std::vector<const char*>{"unexpected dialog 90001", "Test Dialog"}) {
      EXPECT_NE(problems[0].find(said), std::string::npos) << problems[0];
    }
  }
}

// A user's session: the members shown, the focus on the first visible tab stop, a
// count that is not a whole number refused with the framework's message, then saved.
TEST_F(DialogTest, ScriptedModalDialogExchangesDataRefusesANonNumberAndRunsAgainAfterCancelOrClose) {
  dlg.m_name = "NAND2";
  dlg.m_count = 4;
  Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
    EXPECT_EQ(dlg.m_initCalls, 1);
    CWnd* name = shown.GetDlgItem(kNameEdit);
    CWnd* count = shown.GetDlgItem(kCountEdit);
    EXPECT_EQ(name->GetWindowText() + "|" + count->GetWindowText(), "NAND2|4");
    EXPECT_EQ(CWnd::GetFocus(), name) << "the hidden edit before it is skipped";
    EXPECT_EQ(name->SendMessage(EM_GETSEL), MAKELPARAM(0, 5));
    shown.NextDlgCtrl();
    EXPECT_EQ(CWnd::GetFocus(), count);
    shown.GotoDlgCtrl(shown.GetDlgItem(IDCANCEL));
    shown.NextDlgCtrl();
    EXPECT_EQ(CWnd::GetFocus(), name) << "tabbing wraps around";
    // DDX_Control attached the member combo to the template's control.
    EXPECT_TRUE(shown.GetDlgItem(kKindCombo) == &dlg.m_kind && dlg.m_kind.GetCount() == 2);

    ASSERT_TRUE(input.TypeText(name, "NOR3"));
    ASSERT_TRUE(input.SetCheck(shown.GetDlgItem(kEnabledBox), true));
    ASSERT_TRUE(input.ChooseComboEntry(shown.GetDlgItem(kKindCombo), "logic"));
    EXPECT_EQ(std::make_pair(dlg.m_kindChanges, dlg.m_kind.GetCurSel()), std::make_pair(1, 1));
    ASSERT_TRUE(input.TypeText(count, "12abc"));
    Screen().ExpectMessageBox(IDOK, CString(kIntMessage));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    EXPECT_TRUE(shown.IsModalActive()) << "the dialog stays open";
    EXPECT_EQ(CWnd::GetFocus(), count) << "the focus is back on the control at fault";
    EXPECT_EQ(count->SendMessage(EM_GETSEL), MAKELPARAM(0, 5)) << "with its text selected";
    EXPECT_EQ(dlg.m_count, 4);
    ASSERT_TRUE(input.TypeText(count, " -12 "));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(std::make_tuple(dlg.m_name, dlg.m_count, dlg.m_enabled),
            std::make_tuple(CString("NOR3"), -12, 1));
  EXPECT_TRUE(dlg.m_kind.m_hWnd == nullptr && dlg.m_hWnd == nullptr);
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 1u);
  EXPECT_EQ(std::make_pair(Screen().MessageBoxesShown()[0].caption, Screen().MessageBoxesShown()[0].type),
            std::make_pair(CString("Component Editor"), static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION)));

  // Closing the window is Cancel, which leaves the members alone; the same object runs again; the focus goes
  // back where it was.
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, "", "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  owner.SetFocus();
  dlg.m_name = "NAND2";
  for (const bool close : {false, true}) {
    Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
      EXPECT_EQ(shown.GetDlgItem(kKindCombo), &dlg.m_kind) << "attached again on the new window";
      ASSERT_TRUE(input.TypeText(shown.GetDlgItem(kNameEdit), "changed"));
      if (close) {
        shown.SendMessage(WM_CLOSE);
      } else {
        ASSERT_TRUE(input.Click(shown.GetDlgItem(IDCANCEL)));
      }
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_name, "NAND2");
  }
  EXPECT_TRUE(dlg.m_initCalls == 3 && CWnd::GetFocus() == &owner);
  owner.DestroyWindow();
}

// Whole numbers allow blanks and a sign; other texts fail and stop the exchanges after
// them, with the focus on the control at fault.
TEST_F(DialogTest, WholeNumbersAllowBlanksAndASignAndOtherTextsFail) {
  Open();
  EXPECT_EQ(Item(kCountEdit)->GetWindowText() + "|" + Item(kUintEdit)->GetWindowText(), "7|1");
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c : {Case{"42", 42}, Case{"  42\t", 42}, Case{"+7", 7}, Case{"-3", -3}, Case{"007", 7},
                        Case{"-2147483648", -2147483648LL}, Case{"2147483647", 2147483647}}) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(SaveWith(kCountEdit, c.text));
    EXPECT_EQ(dlg.m_count, c.value);
  }
  for (const char* text : {"4294967295", " +12 ", "0"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(SaveWith(kUintEdit, text));
  }
  EXPECT_EQ(dlg.m_uint, 0u);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());

  dlg.m_count = 5;
  Item(kUintEdit)->SetWindowText("33");
  for (const char* text : {"", " ", "12abc", "1 2", "1.5", "-", "+-1", "2147483648", "-2147483649", "0x10"}) {
    SCOPED_TRACE(text);
    Screen().ExpectMessageBox(IDOK, CString(kIntMessage));
    EXPECT_FALSE(SaveWith(kCountEdit, text));
    EXPECT_TRUE(dlg.m_count == 5 && CWnd::GetFocus() == Item(kCountEdit));
  }
  EXPECT_EQ(dlg.m_uint, 0u) << "the exchanges after the failing one did not run";
  SaveWith(kCountEdit, "5");
  dlg.m_uint = 9;
  for (const char* text : {"-1", "-0", "4294967296", "x"}) {
    SCOPED_TRACE(text);
    Screen().ExpectMessageBox(IDOK, CString(kUintMessage));
    EXPECT_FALSE(SaveWith(kUintEdit, text));
    EXPECT_TRUE(dlg.m_uint == 9u && CWnd::GetFocus() == Item(kUintEdit));
  }
}

TEST_F(DialogTest, TextsChecksListsAndControlsExchangeBothWays) {
  dlg.m_name = "first";
  dlg.m_enabled = 1;
  dlg.m_exchangeLists = true;
  dlg.m_dropDownText = "sot";  // selects the first entry that starts with it
  dlg.m_kindText = "QFN";      // not an entry: a drop-down list ignores it
  dlg.m_kindIndex = 0;
  dlg.m_listIndex = 2;
  Open();
  CWnd* dropDown = Item(kDropDown);
  CWnd* kind = Item(kKindCombo);
  EXPECT_EQ(Item(kNameEdit)->GetWindowText() + "|" + dropDown->GetWindowText() + "|" + kind->GetWindowText(),
            "first|SOT23|analog");
  EXPECT_EQ(std::make_tuple(dlg.m_nameChanges, dropDown->SendMessage(CB_GETCURSEL),
                            kind->SendMessage(CB_GETCURSEL), dlg.m_list.GetCurSel()),
            std::make_tuple(1, 2, 0, 2));
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dlg.m_nameChanges, 1) << "an unchanged text is not set again";
  dlg.m_name = "second";
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dlg.m_nameChanges, 2);

  ASSERT_TRUE(user.TypeText(Item(kNameEdit), "typed"));
  ASSERT_TRUE(user.TypeComboText(dropDown, "QFN32"));
  ASSERT_TRUE(user.ChooseComboEntry(kind, "logic"));
  ASSERT_TRUE(user.SelectListLine(&dlg.m_list, 0));
  EXPECT_EQ(Item(kEnabledBox)->SendMessage(BM_GETCHECK), BST_CHECKED);
  ASSERT_TRUE(user.Click(Item(kEnabledBox)));
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_name + "|" + dlg.m_dropDownText + "|" + dlg.m_kindText, "typed|QFN32|logic");
  EXPECT_EQ(std::make_tuple(dlg.m_enabled, dlg.m_kindIndex, dlg.m_listIndex), std::make_tuple(0, 1, 0));

  // A value no entry starts with goes into a drop-down's edit text.
  dlg.m_dropDownText = "TSSOP";
  dlg.m_kindIndex = -1;
  dlg.m_enabled = 7;  // out of range: unchecked, as the framework does
  dlg.UpdateData(FALSE);
  EXPECT_EQ(dropDown->GetWindowText(), "TSSOP");
  EXPECT_EQ(std::make_pair(kind->SendMessage(CB_GETCURSEL), Item(kEnabledBox)->SendMessage(BM_GETCHECK)),
            (std::pair<LRESULT, LRESULT>(CB_ERR, BST_UNCHECKED)));

  // Controls are attached on the first exchange only, and detached with the window.
  EXPECT_TRUE(Item(kNameEdit) == &dlg.m_nameEdit && Item(kList) == &dlg.m_list);
  const HWND attached = dlg.m_nameEdit.m_hWnd;
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_TRUE(dlg.m_nameEdit.m_hWnd == attached && dlg.m_list.GetCount() == 3);
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_nameEdit.m_hWnd, nullptr);
}

// A scripted answer is returned and the box recorded. An unexpected box is answered
// with the refusing answer, a box with the wrong text as scripted; both are reported.
TEST_F(DialogTest, MessageBoxesTakeTheirScriptedAnswersAndUnexpectedOnesAreReported) {
  std::vector<std::string> problems;
  Screen().SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  Screen().ExpectMessageBox(IDYES, CString("Delete gate A?"));
  EXPECT_EQ(AfxMessageBox("Delete gate A?", MB_YESNO | MB_ICONQUESTION), IDYES);
  Screen().ExpectMessageBox(IDNO, CString("Remove all pin assignments?"));
  EXPECT_EQ(AfxMessageBox(kQuestion, MB_YESNO), IDNO) << "the text from the string table";
  Screen().ExpectMessageBox(IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL), IDCANCEL);
  Screen().ExpectMessageBox(IDYES, CString("Delete gate A?"));
  EXPECT_EQ(AfxMessageBox("Delete gate B?", MB_YESNO), IDYES);
  EXPECT_EQ(AfxMessageBox("Continue anyway?", MB_YESNO), IDNO);
  EXPECT_EQ(AfxMessageBox("Really?", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Note."), IDOK);
  {
    CWinApp app("Schematic Capture");
    Screen().ExpectMessageBox(IDOK);
    AfxMessageBox("Hello");
    EXPECT_EQ(AfxMessageBoxCaption(), "Schematic Capture");
  }
  EXPECT_EQ(AfxMessageBoxCaption(), "Component Editor");

  const std::vector<ShownMessageBox>& shown = Screen().MessageBoxesShown();
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_TRUE(shown[0].type == (MB_YESNO | MB_ICONQUESTION) && shown[0].answer == IDYES &&
              shown[2].text == "Save changes?" && shown[6].type == MB_OK &&
              shown[7].caption == "Schematic Capture");
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("Delete gate B?"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("unexpected message box \"Continue anyway?\""), std::string::npos)
      << problems[1];
}

}  // namespace
