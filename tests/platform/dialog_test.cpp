// Dialogs built from templates and run modally through the headless backend.
#include "platform/dialog.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/combo_box.h"
#include "platform/message_box.h"
#include "platform/resource_registry.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kTestDialog = 90001;
constexpr UINT kMissingDialog = 90099;
constexpr int kNameEdit = 101;
constexpr int kCountEdit = 102;
constexpr int kEnabledBox = 103;
constexpr int kKindCombo = 104;
constexpr int kHiddenEdit = 105;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "dialog_test";
    // The hidden edit is a tab stop the initial focus skips.
    DialogTemplate& dialog = m.dialogs[kTestDialog];
    const DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    dialog = {kTestDialog, "Test Dialog", 0, 0, 200, 100, style, "MS Sans Serif", 8, {}};
    dialog.controls = {
        {IDC_STATIC, kClassStatic, kChild | SS_LEFT, "Name:", 7, 9, 30, 8, 0},
        {kHiddenEdit, kClassEdit, WS_CHILD | WS_TABSTOP, "", 40, 0, 20, 14, 0},
        {kNameEdit, kClassEdit, kTab | ES_AUTOHSCROLL | WS_BORDER, "initial", 40, 7, 80, 14, 0},
        {kCountEdit, kClassEdit, kTab | ES_AUTOHSCROLL | WS_BORDER, "", 40, 25, 40, 14, 0},
        {kEnabledBox, kClassButton, kTab | BS_AUTOCHECKBOX, "Enabled", 7, 43, 60, 10, 0},
        {kKindCombo, kClassComboBox, kTab | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, "", 40, 57, 80, 60, 0},
        {IDOK, kClassButton, kTab | BS_DEFPUSHBUTTON, "OK", 143, 7, 50, 14, 0},
        {IDCANCEL, kClassButton, kTab | BS_PUSHBUTTON, "Cancel", 143, 24, 50, 14, 0},
    };
    return m;
  }();
  return module;
}

// A dialog with data exchange, a member combo and a notification handler.
class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(kTestDialog) {}

  CString m_name;
  int m_count = 3;
  int m_enabled = 0;
  CComboBox m_kind;
  int m_initCalls = 0;
  int m_kindChanges = 0;
  int m_endInInit = 0;  // non-zero: OnInitDialog ends the dialog with it

  BOOL OnInitDialog() override {
    ++m_initCalls;
    CDialog::OnInitDialog();
    m_kind.AddString("logic");
    m_kind.AddString("analog");
    if (m_endInInit != 0) EndDialog(m_endInInit);
    return TRUE;
  }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kKindCombo, m_kind);
    DDX_Text(dx, kNameEdit, m_name);
    DDX_Text(dx, kCountEdit, m_count);
    DDX_Check(dx, kEnabledBox, m_enabled);
  }
  void OnKindChanged() { ++m_kindChanges; }
};

const MessageMap TestDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, kKindCombo, &TestDialog::OnKindChanged),
    }};

class DialogTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    UseResourceModule(TestModule());
  }
};

// Dialog units to pixels for an 8-point font, as MulDiv rounds: x * 6 / 4, y * 13 / 8.
CRect Mapped(int x, int y, int cx, int cy) {
  const auto px = [](int v) { return (v * 6 + 2) / 4; };
  const auto py = [](int v) { return (v * 13 + 4) / 8; };
  return {px(x), py(y), px(x + cx), py(y + cy)};
}

// The window and every control of the template, as a child window in tab order.
void ExpectTemplateWindow(CDialog& dlg) {
  ASSERT_NE(dlg.m_hWnd, nullptr);
  const DialogTemplate& dialogTemplate = TestModule().dialogs.at(kTestDialog);
  EXPECT_EQ(dlg.m_hWnd->className, kClassDialog);
  EXPECT_EQ(dlg.GetWindowText(), "Test Dialog");
  EXPECT_EQ(dlg.GetStyle() & (WS_POPUP | WS_CAPTION | WS_CHILD), static_cast<DWORD>(WS_POPUP | WS_CAPTION));
  CRect rect;
  dlg.GetWindowRect(&rect);
  EXPECT_EQ(rect, Mapped(0, 0, dialogTemplate.cx, dialogTemplate.cy));
  const std::vector<CWnd*> children = dlg.GetChildren();
  ASSERT_EQ(children.size(), dialogTemplate.controls.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const HWND hwnd = children[i]->m_hWnd;
    const ControlTemplate& c = dialogTemplate.controls[i];
    SCOPED_TRACE("control " + std::to_string(c.id));
    EXPECT_EQ(hwnd->id, c.id);
    EXPECT_EQ(hwnd->className, c.className);
    EXPECT_EQ(hwnd->style, c.style | WS_CHILD);
    EXPECT_EQ(hwnd->text, c.text);
    EXPECT_EQ(hwnd->rect, Mapped(c.x, c.y, c.cx, c.cy));
    EXPECT_EQ(hwnd->parent, dlg.m_hWnd);
  }
  // A control made from the template answers its class's messages.
  EXPECT_EQ(dlg.GetDlgItem(kKindCombo)->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("lib")), 0);
}

TEST_F(DialogTest, TheTemplateBuildsEveryControlModallyAndModelessly) {
  CDialog dlg(kTestDialog);
  Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
    EXPECT_EQ(&shown, &dlg);
    EXPECT_TRUE(shown.IsModalActive());
    EXPECT_TRUE(shown.IsWindowVisible());
    ExpectTemplateWindow(shown);
    input.Click(shown.GetDlgItem(IDCANCEL));
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window goes when DoModal returns";

  ASSERT_TRUE(dlg.Create(kTestDialog));
  ExpectTemplateWindow(dlg);
  EXPECT_FALSE(dlg.IsModalActive());
  dlg.DestroyWindow();
}

TEST_F(DialogTest, MapDialogRectUsesTheTemplateFont) {
  CDialog dlg(kTestDialog);
  EXPECT_EQ(dlg.MapDialogRect(CRect(0, 0, 4, 8)), CRect(0, 0, 6, 13));
  EXPECT_EQ(dlg.MapDialogRect(CRect(1, 1, 2, 3)), CRect(2, 2, 3, 5));  // 1.5 -> 2, 1.625 -> 2, 4.875 -> 5
  DialogTemplate big;
  big.fontSize = 16;
  EXPECT_EQ(CDialog::DialogBaseUnits(big), CSize(12, 26));
  DialogTemplate normal;
  normal.fontSize = 8;
  EXPECT_EQ(CDialog::DialogBaseUnits(normal), CSize(6, 13));
}

TEST_F(DialogTest, MissingTemplateReturnsMinusOne) {
  CDialog dlg(kMissingDialog);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_FALSE(dlg.Create(kMissingDialog));
}

TEST_F(DialogTest, ScriptedModalDialogExchangesDataBothWays) {
  TestDialog dlg;
  dlg.m_name = "NAND2";
  dlg.m_count = 4;
  Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
    EXPECT_EQ(dlg.m_initCalls, 1);
    // OnInitDialog showed the members.
    EXPECT_EQ(shown.GetDlgItem(kNameEdit)->GetWindowText(), "NAND2");
    EXPECT_EQ(shown.GetDlgItem(kCountEdit)->GetWindowText(), "4");
    // DDX_Control attached the member combo to the template's control.
    EXPECT_EQ(shown.GetDlgItem(kKindCombo), &dlg.m_kind);
    EXPECT_EQ(dlg.m_kind.GetCount(), 2);

    ASSERT_TRUE(input.TypeText(shown.GetDlgItem(kNameEdit), "NOR3"));
    ASSERT_TRUE(input.TypeText(shown.GetDlgItem(kCountEdit), " 12 "));
    ASSERT_TRUE(input.SetCheck(shown.GetDlgItem(kEnabledBox), true));
    ASSERT_TRUE(input.ChooseComboEntry(shown.GetDlgItem(kKindCombo), "logic"));
    EXPECT_EQ(dlg.m_kindChanges, 1);
    EXPECT_EQ(dlg.m_kind.GetCurSel(), 1);
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_name, "NOR3");
  EXPECT_EQ(dlg.m_count, 12);
  EXPECT_EQ(dlg.m_enabled, 1);
  EXPECT_EQ(dlg.m_kind.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// Closing the window is Cancel, which leaves the members alone; the same object runs again.
TEST_F(DialogTest, CancelOrCloseLeavesTheMembersAloneAndTheObjectRunsAgain) {
  TestDialog dlg;
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
  EXPECT_EQ(dlg.m_initCalls, 2);
}

TEST_F(DialogTest, InitialFocusSelectsTheFirstVisibleTabStopsText) {
  TestDialog dlg;
  dlg.m_name = "NAND2";
  Screen().ExpectDialog(kTestDialog, [](CDialog& shown, UserInput& input) {
    CWnd* name = shown.GetDlgItem(kNameEdit);
    EXPECT_EQ(CWnd::GetFocus(), name) << "the hidden edit before it is skipped";
    EXPECT_EQ(name->SendMessage(EM_GETSEL), MAKELPARAM(0, 5));
    shown.NextDlgCtrl();
    EXPECT_EQ(CWnd::GetFocus(), shown.GetDlgItem(kCountEdit));
    shown.GotoDlgCtrl(shown.GetDlgItem(IDCANCEL));
    shown.NextDlgCtrl();
    EXPECT_EQ(CWnd::GetFocus(), name) << "tabbing wraps around";
    input.Click(shown.GetDlgItem(IDCANCEL));
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, EndDialogInOnInitDialogNeverReachesTheModalLoop) {
  TestDialog dlg;
  dlg.m_endInInit = 42;
  EXPECT_EQ(dlg.DoModal(), 42);  // no dialog expected: the backend never sees it
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, MessageBoxFromAScriptedDialog) {
  class AskingDialog : public CDialog {
   public:
    AskingDialog() : CDialog(kTestDialog) {}
    int answer = 0;
    void OnOK() override {
      answer = AfxMessageBox("Delete gate A?", MB_YESNO | MB_ICONQUESTION);
      if (answer == IDYES) CDialog::OnOK();
    }
  };
  AskingDialog dlg;
  Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
    Screen().ExpectMessageBox(IDNO, CString("Delete gate A?"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    EXPECT_TRUE(shown.IsModalActive()) << "No keeps the dialog open";
    Screen().ExpectMessageBox(IDYES, CString("Delete gate A?"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.answer, IDYES);
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 2u);
  EXPECT_EQ(Screen().MessageBoxesShown()[0].type, MB_YESNO | MB_ICONQUESTION);
}

// An unexpected dialog, or one its responder leaves open, is reported at once and
// cancelled, never a hang.
TEST_F(DialogTest, UnexpectedOrLeftOpenDialogsFailFast) {
  for (const bool expected : {false, true}) {
    SCOPED_TRACE(expected ? "left open" : "unexpected");
    std::vector<std::string> problems;
    Screen().SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
    if (expected) Screen().ExpectDialog(kTestDialog, [](CDialog&, UserInput&) {});
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ASSERT_EQ(problems.size(), 1u);
    for (const char* said : expected ? std::vector<const char*>{"left open"}
                                     : std::vector<const char*>{"unexpected dialog 90001", "Test Dialog"}) {
      EXPECT_NE(problems[0].find(said), std::string::npos) << problems[0];
    }
  }
}

TEST_F(DialogTest, FocusReturnsWhereItWasAfterTheDialog) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, "", "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  owner.SetFocus();
  TestDialog dlg;
  Screen().ExpectDialog(kTestDialog,
                        [](CDialog& shown, UserInput& input) { input.Click(shown.GetDlgItem(IDCANCEL)); });
  dlg.DoModal();
  EXPECT_EQ(CWnd::GetFocus(), &owner);
  owner.DestroyWindow();
}

}  // namespace
