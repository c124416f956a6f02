#include "tests/gui/screen_test_support.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/window.h>

#include "gui/screenshot.h"
#include "gui/wx_backend.h"
#include "gui/wx_peer.h"
#include "platform/cwnd.h"
#include "tests/support/resource_modules.h"

void Script::Start() {
  m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { RunNext(); });
  m_timer.StartOnce(600);
}

void Script::Run() {
  wxGUIEventLoop loop;
  Then([&loop] { loop.Exit(); });
  Start();
  loop.Run();
}

// The next step is due even while this one runs a nested loop (a popup menu waits for
// its choice), so the timer starts first; a step that runs inside that loop must not
// yield again.
void Script::RunNext() {
  if (m_next >= m_steps.size()) return;
  const size_t step = m_next++;
  m_timer.StartOnce(400);
  m_steps[step]();
  wxYieldIfNeeded();
}

wxPoint CentreOf(const wxWindow* window) {
  const wxRect area = window->GetScreenRect();
  return {area.x + area.width / 2, area.y + area.height / 2};
}

wxPoint CentreOf(CWnd* control) {
  return CentreOf(PeerWindow(control->m_hWnd));
}

wxPoint ScreenPointIn(CWnd* window, CPoint client) {
  return PeerWindow(window->m_hWnd)->ClientToScreen(wxPoint(client.x, client.y));
}

void ClickAt(wxUIActionSimulator& sim, wxPoint point, int button) {
  sim.MouseMove(point);
  wxYieldIfNeeded();
  sim.MouseClick(button);
}

void DragFromTo(wxUIActionSimulator& sim, wxPoint from, wxPoint to) {
  sim.MouseMove(from);
  wxYieldIfNeeded();
  sim.MouseDown();
  wxYieldIfNeeded();
  // Through a point on the way, as a hand moves.
  sim.MouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
  wxYieldIfNeeded();
  sim.MouseMove(to);
  wxYieldIfNeeded();
  sim.MouseUp();
}

std::string RedOrColourAt(wxPoint point) {
  wxImage image;
  std::string error;
  if (!CaptureScreen(wxRect(point, wxSize(1, 1)), image, error)) return error;
  const wxColour shown(image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
  return shown.Red() > 180 && shown.Green() < 60 ? "red" : shown.GetAsString().ToStdString();
}

void ScreenTest::Screenshot(CWnd* window, const std::string& name) {
  std::string error;
  EXPECT_TRUE(SaveScreenshot(PeerWindow(window->m_hWnd), std::string(CE_ARTIFACTS_DIR) + "/" + name, error))
      << error;
}

void ScreenTest::SetUpTestSuite() {
  AddProductResourceModules();
  SetCurrentBackend(std::make_unique<WxBackend>());
}

void ScreenTest::TearDownTestSuite() {
  SetCurrentBackend(nullptr);
}
