// Dialogs built from templates and run modally through the headless backend.
#include "platform/dialog.h"

#include <memory>
#include <string>
#include <vector>

#include "editor/resources/component_editor_resources.h"
#include "platform/backend.h"
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

ControlTemplate Control(int id, const char* className, DWORD style, const char* text, int x, int y, int cx,
                        int cy) {
  ControlTemplate control;
  control.id = id;
  control.className = className;
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.text = text;
  control.x = x;
  control.y = y;
  control.cx = cx;
  control.cy = cy;
  return control;
}

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "dialog_test";
    DialogTemplate dialog;
    dialog.id = kTestDialog;
    dialog.caption = "Test Dialog";
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    dialog.fontName = "MS Sans Serif";
    dialog.fontSize = 8;
    dialog.controls = {
        Control(IDC_STATIC, kClassStatic, SS_LEFT, "Name:", 7, 9, 30, 8),
        Control(kHiddenEdit, kClassEdit, WS_TABSTOP, "", 40, 0, 20, 14),
        Control(kNameEdit, kClassEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "initial", 40, 7, 80, 14),
        Control(kCountEdit, kClassEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 40, 25, 40, 14),
        Control(kEnabledBox, kClassButton, BS_AUTOCHECKBOX | WS_TABSTOP, "Enabled", 7, 43, 60, 10),
        Control(kKindCombo, kClassComboBox, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, "", 40, 57,
                80, 60),
        Control(IDOK, kClassButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 143, 7, 50, 14),
        Control(IDCANCEL, kClassButton, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 143, 24, 50, 14),
    };
    dialog.controls[1].style &= ~WS_VISIBLE;  // a hidden tab stop is skipped
    m.dialogs[kTestDialog] = dialog;
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
int Px(int x) {
  return (x * 6 + 2) / 4;
}
int Py(int y) {
  return (y * 13 + 4) / 8;
}
CRect Mapped(int x, int y, int cx, int cy) {
  return {Px(x), Py(y), Px(x + cx), Py(y + cy)};
}

void ExpectAddGateWindow(CDialog& dlg) {
  ASSERT_NE(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_hWnd->className, kClassDialog);
  EXPECT_EQ(dlg.GetWindowText(), "Add Gate");
  EXPECT_NE(dlg.GetStyle() & WS_POPUP, 0u);
  EXPECT_NE(dlg.GetStyle() & WS_CAPTION, 0u);
  EXPECT_EQ(dlg.GetStyle() & WS_CHILD, 0u);
  CRect rect;
  dlg.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(0, 0, 429, 302));  // 286 x 186 dialog units

  // Every control of the template becomes a child window, in tab order.
  const DialogTemplate* dialogTemplate = Resources::FindDialog(IDD_ADD_GATE);
  ASSERT_NE(dialogTemplate, nullptr);
  const std::vector<CWnd*> children = dlg.GetChildren();
  ASSERT_EQ(children.size(), dialogTemplate->controls.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const HWND hwnd = children[i]->m_hWnd;
    const ControlTemplate& control = dialogTemplate->controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + " (" + std::to_string(control.id) + ")");
    EXPECT_EQ(hwnd->id, control.id);
    EXPECT_EQ(hwnd->className, control.className);
    EXPECT_EQ(hwnd->style, control.style | WS_CHILD);
    EXPECT_NE(hwnd->style & WS_VISIBLE, 0u);
    EXPECT_EQ(hwnd->text, control.text);
    EXPECT_EQ(hwnd->rect, Mapped(control.x, control.y, control.cx, control.cy));
    EXPECT_EQ(hwnd->parent, dlg.m_hWnd);
  }
  // Two rectangles worked out by hand: rounding as MulDiv does.
  EXPECT_EQ(dlg.GetDlgItem(1030)->m_hWnd->rect, CRect(69, 11, 234, 124));
  EXPECT_EQ(dlg.GetDlgItem(IDOK)->m_hWnd->rect, CRect(344, 11, 419, 34));
  // Edit text of the simple combo is its own; the window procedures are in place.
  EXPECT_EQ(dlg.GetDlgItem(1019)->SendMessage(CB_GETCOUNT), 0);
  EXPECT_EQ(dlg.GetDlgItem(1030)->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("lib")), 0);
}

TEST_F(DialogTest, AddGateTemplateBuildsEveryControlInOrder) {
  CDialog dlg(IDD_ADD_GATE);
  bool inspected = false;
  Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& shown, UserInput& input) {
    EXPECT_EQ(&shown, &dlg);
    EXPECT_TRUE(shown.IsModalActive());
    EXPECT_TRUE(shown.IsWindowVisible());
    ExpectAddGateWindow(shown);
    // The base OnInitDialog put the focus on the first tab stop.
    EXPECT_EQ(CWnd::GetFocus(), shown.GetDlgItem(1030));
    inspected = true;
    input.Click(shown.GetDlgItem(IDCANCEL));
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(inspected);
  EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window goes when DoModal returns";
}

TEST_F(DialogTest, CreateBuildsTheTemplateModelessly) {
  CDialog dlg(IDD_ADD_GATE);
  ASSERT_TRUE(dlg.Create(IDD_ADD_GATE));
  ExpectAddGateWindow(dlg);
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

TEST_F(DialogTest, CancelLeavesTheMembersAlone) {
  TestDialog dlg;
  dlg.m_name = "NAND2";
  Screen().ExpectDialog(kTestDialog, [](CDialog& shown, UserInput& input) {
    ASSERT_TRUE(input.TypeText(shown.GetDlgItem(kNameEdit), "changed"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDCANCEL)));
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_name, "NAND2");
}

TEST_F(DialogTest, TheSameObjectRunsTwice) {
  TestDialog dlg;
  for (int run = 0; run < 2; ++run) {
    Screen().ExpectDialog(kTestDialog, [&](CDialog& shown, UserInput& input) {
      EXPECT_EQ(shown.GetDlgItem(kKindCombo), &dlg.m_kind) << "attached again on the new window";
      ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
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

TEST_F(DialogTest, ClosingTheWindowIsCancel) {
  TestDialog dlg;
  Screen().ExpectDialog(kTestDialog, [](CDialog& shown, UserInput&) { shown.SendMessage(WM_CLOSE); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
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

// An unexpected dialog is reported at once and cancelled, never a hang.
TEST_F(DialogTest, UnexpectedDialogFailsFast) {
  std::vector<std::string> problems;
  auto recording = std::make_unique<HeadlessBackend>();
  recording->SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  std::unique_ptr<Backend> previous = SetCurrentBackend(std::move(recording));

  TestDialog dlg;
  const INT_PTR result = dlg.DoModal();

  SetCurrentBackend(std::move(previous));
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("unexpected dialog 90001"), std::string::npos) << problems[0];
  EXPECT_NE(problems[0].find("Test Dialog"), std::string::npos) << problems[0];
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, ResponderThatLeavesTheDialogOpenFails) {
  std::vector<std::string> problems;
  auto recording = std::make_unique<HeadlessBackend>();
  HeadlessBackend* screen = recording.get();
  recording->SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  std::unique_ptr<Backend> previous = SetCurrentBackend(std::move(recording));

  screen->ExpectDialog(kTestDialog, [](CDialog&, UserInput&) {});
  TestDialog dlg;
  const INT_PTR result = dlg.DoModal();

  SetCurrentBackend(std::move(previous));
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("left open"), std::string::npos) << problems[0];
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
