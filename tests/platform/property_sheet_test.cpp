// Property sheets: pages created when first shown, applied only when created, and a
// sheet that stays open when a page refuses.
#include "platform/property_sheet.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/tab_control.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kPageA = 90201;
constexpr UINT kPageB = 90202;
constexpr UINT kPageC = 90203;
constexpr UINT kSheetCaption = 90210;
constexpr UINT kCaptionOverride = 90211;
constexpr int kValueEdit = 301;

DialogTemplate PageTemplate(UINT id, const char* caption, int cx, int cy) {
  DialogTemplate page{
      id, caption, 0, 0, cx, cy, WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT, "MS Sans Serif", 8, {}};
  const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER;
  page.controls = {{kValueEdit, kClassEdit, editStyle, "", 7, 7, 40, 14, 0}};
  return page;
}

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "property_sheet_test";
    m.dialogs[kPageA] = PageTemplate(kPageA, "Component", 175, 79);
    m.dialogs[kPageB] = PageTemplate(kPageB, "Package", 177, 151);
    m.dialogs[kPageC] = PageTemplate(kPageC, "Gate", 100, 60);
    m.strings[kSheetCaption] = "Properties";
    m.strings[kCaptionOverride] = "Schematic Pin";
    return m;
  }();
  return module;
}

// Records what the sheet asks of it, in one log shared by all pages.
class TestPage : public CPropertyPage {
 public:
  TestPage(UINT templateId, std::string name, std::vector<std::string>& log, UINT captionId = 0)
      : CPropertyPage(templateId, captionId), m_name(std::move(name)), m_log(log) {}

  int m_value = 0;
  bool m_refuseApply = false;
  bool m_refuseLeave = false;

  BOOL OnInitDialog() override {
    m_log.push_back(m_name + " init");
    // Showing the value sends EN_CHANGE (a single-line edit tells about text set from
    // code); that is no change by the user.
    m_initialising = true;
    const BOOL result = CPropertyPage::OnInitDialog();
    m_initialising = false;
    return result;
  }
  BOOL OnSetActive() override {
    m_log.push_back(m_name + " set active");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    m_log.push_back(m_name + " kill active");
    return m_refuseLeave ? FALSE : CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    m_log.push_back(m_name + " apply");
    if (m_refuseApply) return FALSE;
    return CPropertyPage::OnApply();
  }
  void OnCancel() override {
    m_log.push_back(m_name + " cancel");
    CPropertyPage::OnCancel();
  }

  static const MessageMap kMessageMap;
  const MessageMap* GetMessageMap() const override { return &kMessageMap; }

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kValueEdit, m_value); }
  void OnValueChanged() {
    if (!m_initialising) SetModified(TRUE);
  }

 private:
  std::string m_name;
  std::vector<std::string>& m_log;
  bool m_initialising = false;
};

const MessageMap TestPage::kMessageMap{&CPropertyPage::kMessageMap,
                                       {
                                           NotifyEntry(EN_CHANGE, kValueEdit, &TestPage::OnValueChanged),
                                       }};

class PropertySheetTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    UseResourceModule(TestModule());
  }

  // The log without the entries of initialisation and activation.
  std::vector<std::string> Asked(const std::string& what) const {
    std::vector<std::string> found;
    for (const std::string& entry : log) {
      if (entry.size() >= what.size() && entry.compare(entry.size() - what.size(), what.size(), what) == 0) {
        found.push_back(entry);
      }
    }
    return found;
  }

  std::vector<std::string> log;
  TestPage a{kPageA, "A", log};
  TestPage b{kPageB, "B", log};
  TestPage c{kPageC, "C", log, kCaptionOverride};
};

TEST_F(PropertySheetTest, OnlyThePagesShownAreCreatedAndAppliedAndEachShowCreatesThemAgain) {
  CPropertySheet sheet(kSheetCaption);
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  sheet.AddPage(&c);
  EXPECT_TRUE(sheet.GetPageCount() == 3 && sheet.GetPage(1) == &b && sheet.GetPageIndex(&c) == 2 &&
              sheet.GetTemplateId() == 0u);
  EXPECT_EQ(c.GetCaption() + "|" + a.GetCaption(), "Schematic Pin|Component")
      << "the caption id overrides the template's";

  Screen().ExpectDialog(0, [&](CDialog& shown, UserInput& input) {
    auto* running = DynamicDowncast<CPropertySheet>(&shown);
    ASSERT_EQ(running, &sheet);
    EXPECT_EQ(shown.GetWindowText(), "Properties");
    EXPECT_EQ(sheet.GetActivePage(), &a);
    CWnd* tabs = sheet.GetTabControl();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->m_hWnd->className, kClassTabControl);
    const TabControlData* data = GetTabControlData(tabs->m_hWnd);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->tabs, (std::vector<CString>{"Component", "Package", "Schematic Pin"}));
    EXPECT_EQ(data->current, 0);

    ASSERT_TRUE(input.ChooseTab(tabs, 2));
    EXPECT_TRUE(sheet.GetActiveIndex() == 2 && data->current == 2);
    ASSERT_NE(c.m_hWnd, nullptr);
    EXPECT_TRUE(c.m_hWnd->parent == shown.m_hWnd && c.IsWindowVisible() && c.IsWindowEnabled() &&
                !a.IsWindowVisible());
    EXPECT_EQ(b.m_hWnd, nullptr) << "a page never shown is never created";

    // The page area is as tall as the tallest page (151 dialog units) and as wide as the
    // widest page or the row of tabs; every page fills it.
    CRect pageRect;
    c.GetWindowRect(&pageRect);
    EXPECT_EQ(pageRect.Height(), 245);
    EXPECT_GE(pageRect.Width(), 266);
    CRect firstPageRect;
    a.GetWindowRect(&firstPageRect);
    EXPECT_EQ(firstPageRect.Size(), pageRect.Size());
    CRect ok;
    shown.GetDlgItem(IDOK)->GetWindowRect(&ok);
    EXPECT_GT(ok.top, pageRect.bottom);

    c.m_refuseLeave = true;
    EXPECT_FALSE(input.ChooseTab(tabs, 0)) << "the page left refuses: the sheet stays on it";
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_EQ(static_cast<int>(tabs->SendMessage(TCM_GETCURSEL)), 2);
    c.m_refuseLeave = false;

    ASSERT_TRUE(input.TypeText(c.GetDlgItem(kValueEdit), "5"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log,
            (std::vector<std::string>{"A init", "A set active", "A kill active", "C init", "C set active",
                                      "C kill active", "C kill active", "A apply", "C apply"}));
  EXPECT_TRUE(c.m_value == 5 && sheet.m_hWnd == nullptr && c.m_hWnd == nullptr)
      << "the pages go with the sheet";

  // Cancel tells only the pages created; a second show creates them again, and long tab captions added
  // meanwhile widen it so that every tab shows. A sheet nobody expects is reported as dialog 0.
  log.clear();
  TestPage longCaption{kPageC, "D", log, kCaptionOverride};
  TestPage longerCaption{kPageC, "E", log, kCaptionOverride};
  CPropertySheet again("Sheet");
  again.AddPage(&a);
  again.AddPage(&b);
  again.SetActivePage(2);
  EXPECT_EQ(again.GetActiveIndex(), 2) << "before the again is shown: the start page asked for";
  a.m_value = 4;
  std::vector<LONG> widths;
  for (int run = 0; run < 2; ++run) {
    Screen().ExpectDialog(0, [&](CDialog& shown, UserInput& input) {
      EXPECT_EQ(again.GetActivePage(), &a);
      EXPECT_EQ(CWnd::GetFocus(), a.GetDlgItem(kValueEdit)) << "the focus starts in the page";
      EXPECT_EQ(a.GetDlgItem(kValueEdit)->GetWindowText(), "4");
      CRect pageRect;
      a.GetWindowRect(&pageRect);
      widths.push_back(pageRect.Width());
      input.Click(shown.GetDlgItem(IDCANCEL));
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    if (run == 0) again.AddPage(&longCaption);
    if (run == 0) again.AddPage(&longerCaption);
    again.SetActivePage(4);
  }
  // Tabs of 9 + 7 + 13 + 13 characters need more than the 177 units of page B.
  ASSERT_EQ(widths.size(), 2u);
  EXPECT_GT(widths[1], widths[0]);
  EXPECT_EQ(Asked("cancel"), (std::vector<std::string>{"A cancel", "A cancel"}));
  EXPECT_EQ(Asked("init").size(), 2u);

  std::vector<std::string> problems;
  Screen().SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("unexpected dialog 0 \"Sheet\""), std::string::npos) << problems[0];
  EXPECT_TRUE(Asked("apply").empty());
}

// The sheet stays open on a page that refuses to apply or fails its exchange; Apply is
// enabled only while a page is modified, and applies without closing.
TEST_F(PropertySheetTest, ARefusingPageKeepsTheSheetOpenAndApplyFollowsTheModifiedFlag) {
  CPropertySheet sheet("Sheet", nullptr, 1);
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  sheet.AddPage(&c);
  a.m_refuseApply = true;
  Screen().ExpectDialog(0, [&](CDialog& shown, UserInput& input) {
    EXPECT_EQ(sheet.GetActivePage(), &b);
    ASSERT_TRUE(sheet.SetActivePage(0));
    ASSERT_TRUE(sheet.SetActivePage(1));
    log.clear();

    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    EXPECT_TRUE(shown.IsModalActive()) << "the sheet stays open";
    EXPECT_EQ(sheet.GetActivePage(), &a) << "on the page that refused";
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_EQ(log, (std::vector<std::string>{"B kill active", "A apply", "A set active"}))
        << "B is not applied after A refused";

    a.m_refuseApply = false;
    log.clear();
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (std::vector<std::string>{"A kill active", "A apply", "B apply"}));

  log.clear();
  CPropertySheet twoPages("Sheet");
  twoPages.AddPage(&a);
  twoPages.AddPage(&b);
  Screen().ExpectDialog(0, [&](CDialog& shown, UserInput& input) {
    CWnd* apply = shown.GetDlgItem(static_cast<int>(ID_APPLY_NOW));
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->GetWindowText(), "&Apply");
    EXPECT_FALSE(apply->IsWindowEnabled());
    EXPECT_FALSE(input.Click(apply));

    ASSERT_TRUE(input.TypeText(a.GetDlgItem(kValueEdit), "many"));
    Screen().ExpectMessageBox(IDOK, CString("Please enter an integer."));
    EXPECT_FALSE(twoPages.SetActivePage(&b)) << "leaving the page runs its exchange";
    EXPECT_EQ(twoPages.GetActivePage(), &a);
    EXPECT_EQ(b.m_hWnd, nullptr);
    Screen().ExpectMessageBox(IDOK, CString("Please enter an integer."));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
    EXPECT_TRUE(shown.IsModalActive());
    EXPECT_EQ(CWnd::GetFocus(), a.GetDlgItem(kValueEdit));
    EXPECT_TRUE(Asked("apply").empty());

    ASSERT_TRUE(input.TypeText(a.GetDlgItem(kValueEdit), "9"));  // EN_CHANGE: SetModified
    EXPECT_TRUE(a.IsModified() && apply->IsWindowEnabled());
    ASSERT_TRUE(input.Click(apply));
    EXPECT_TRUE(shown.IsModalActive()) << "Apply keeps the twoPages open";
    EXPECT_TRUE(a.m_value == 9 && !a.IsModified() && !apply->IsWindowEnabled());
    EXPECT_EQ(Asked("apply"), (std::vector<std::string>{"A apply"}));
    a.SetModified(TRUE);
    EXPECT_TRUE(apply->IsWindowEnabled());
    a.SetModified(FALSE);
    EXPECT_FALSE(apply->IsWindowEnabled());
    ASSERT_TRUE(input.TypeText(a.GetDlgItem(kValueEdit), "3"));
    ASSERT_TRUE(input.Click(shown.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(twoPages.DoModal(), IDOK);
  EXPECT_EQ(a.m_value, 3);
}

}  // namespace
