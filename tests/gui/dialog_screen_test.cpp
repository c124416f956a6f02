// A dialog shown on a real (virtual) screen: simulated mouse and keyboard input must
// reach the platform's state through the peers, exactly as a user's would.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <vector>

#include "gui/screenshot.h"
#include "gui/wx_backend.h"
#include "gui/wx_peer.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/resource_registry.h"
#include "resources/component_editor_resources.h"
#include "resources/resource_ids.h"

namespace {

class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// Runs steps one after another on the event loop, with a pause for the screen to
// catch up between them.
class Script {
 public:
  void Then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
  void Start() {
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { RunNext(); });
    m_timer.StartOnce(600);
  }

 private:
  void RunNext() {
    if (m_next >= m_steps.size()) return;
    m_steps[m_next++]();
    wxYield();
    m_timer.StartOnce(400);
  }
  std::vector<std::function<void()>> m_steps;
  size_t m_next = 0;
  wxTimer m_timer;
};

class LibraryDialog : public CDialog {
 public:
  LibraryDialog() : CDialog(19003) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_libraries.SubclassDlgItem(1030, this);
    for (const char* name : {"logic", "analog", "power"}) m_libraries.AddString(name);
    return TRUE;
  }
  CComboBox m_libraries;
};

wxPoint CentreOf(CWnd* control) {
  const wxRect area = PeerWindow(control->m_hWnd)->GetScreenRect();
  return {area.x + area.width / 2, area.y + area.height / 2};
}

void ClickAt(wxUIActionSimulator& sim, wxPoint point) {
  sim.MouseMove(point);
  wxYield();
  sim.MouseClick();
}

class DialogScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Resources::AddModule(&ComponentEditorResources());
    SetCurrentBackend(std::make_unique<WxBackend>());
  }
  static void TearDownTestSuite() { SetCurrentBackend(nullptr); }
};

TEST_F(DialogScreenTest, TypingAndChoosingReachThePlatformThenCancelEndsIt) {
  LibraryDialog dialog;
  wxUIActionSimulator sim;
  Script script;
  CComboBox& libraries = dialog.m_libraries;
  CString typed;
  CString chosen;
  int chosenIndex = -2;
  std::string screenshotError;
  bool screenshotSaved = false;

  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1021))); });
  script.Then([&] { sim.Text("12"); });
  script.Then([&] { typed = dialog.GetDlgItem(1021)->GetWindowText(); });
  // A click gives the drop-down list the focus (and may open it); Escape closes it
  // and the arrow key moves to the first entry, as a keyboard user would.
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(1030))); });
  script.Then([&] { sim.Char(WXK_ESCAPE); });
  script.Then([&] { sim.Char(WXK_DOWN); });
  script.Then([&] {
    chosenIndex = libraries.GetCurSel();
    chosen = libraries.GetWindowText();
  });
  script.Then([&] {
    screenshotSaved =
        SaveScreenshot(PeerWindow(dialog.m_hWnd), CE_ARTIFACTS_DIR "/dialog-19003.png", screenshotError);
  });
  script.Then([&] { ClickAt(sim, CentreOf(dialog.GetDlgItem(IDCANCEL))); });
  script.Start();

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(typed, "12");
  EXPECT_EQ(chosenIndex, 0) << "the first library in sorted order was chosen";
  EXPECT_EQ(chosen, "analog");
  EXPECT_TRUE(screenshotSaved) << screenshotError;
  EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window goes with the modal loop";
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxEntryStart(argc, argv);
  if (!wxTheApp->CallOnInit()) return 1;
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
