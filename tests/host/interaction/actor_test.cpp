// Actors and their director: bindings, states, the running actor and its prompt without
// a window; a view that passes its input to a director, driven the way a user drives it.
#include "host/interaction/actor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/interaction/director.h"
#include "host/interaction/status_info.h"
#include "platform/constants.h"
#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"
#include "tests/support/headless_test.h"
#include "tests/support/view_frame.h"

namespace {

using Log = std::vector<std::string>;

// An actor that logs what the framework makes it do.
class RecordingActor : public CActor {
 public:
  explicit RecordingActor(const char* name = "recorder") : CActor(nullptr, name) {}

  using CActor::OnAction;
  using CActor::OnLeftClick;

  std::vector<std::string> log;
  bool allowed = true;

  void Place(CPoint point, UINT flags) { Log("place", point, flags); }
  void Mark(CPoint point, UINT flags) { Log("mark", point, flags); }
  bool IsAllowedAt(CPoint, UINT) { return allowed; }
  bool IsAllowed() { return allowed; }
  void Ping() { log.push_back("ping"); }
  void Pong() { log.push_back("pong"); }
  void Deny() { log.push_back("deny"); }

  void OnStart() override { log.push_back("start " + std::to_string(GetCurrentState())); }
  void OnStop() override { log.push_back("stop"); }
  void OnMiddleButton(bool pressed, UINT flags, CPoint point) override {
    Log(pressed ? "middle down" : "middle up", point, flags);
  }
  void OnChar(UINT ch, UINT, UINT) override { log.push_back(std::string("char ") + static_cast<char>(ch)); }

 private:
  void Log(const char* what, CPoint point, UINT flags) {
    log.push_back(std::string(what) + " " + std::to_string(point.x) + "," + std::to_string(point.y) +
                  " flags " + std::to_string(flags));
  }
};

constexpr int kEvent = 16016;

// Binds again while its own binding runs, as a mode does when an action restarts it.
class RebindingActor : public RecordingActor {
 public:
  void Go() { log.push_back("go"); }
  void Rebind() {
    log.push_back("rebind");
    OnAction(0, kEvent, &RebindingActor::Rebind, 6);
  }
};

class OtherActor : public CActor {
 public:
  OtherActor() : CActor(nullptr, "other") {}
  void Act() {}
};

TEST(ActorBindings, InputRunsTheBindingOfTheCurrentStateOrOfAnyStateAndAFailedTestTheAlternative) {
  RebindingActor actor;
  actor.OnLeftClick(0, &RecordingActor::Place, 1);
  actor.OnLeftClick(CActor::kAnyState, &RecordingActor::Mark, 2);
  actor.OnAction(CActor::kAnyState, kEvent, &RecordingActor::Ping, CActor::kKeepState);
  actor.OnAction(2, kEvent, &RecordingActor::Deny, 3);
  actor.OnAction(2, kEvent, &RecordingActor::Pong, 3);  // binding again replaces
  EXPECT_FALSE(actor.OnAction(4, kEvent, &OtherActor::Act, 0));

  EXPECT_TRUE(actor.RunLeftClick(CPoint(3, 4), MK_SHIFT) && actor.RunLeftClick(CPoint(5, 6), 0));
  EXPECT_EQ(actor.GetCurrentState(), 2);
  EXPECT_TRUE(actor.RunAction(kEvent) && actor.RunAction(kEvent));
  EXPECT_EQ(actor.GetCurrentState(), 3);
  EXPECT_FALSE(actor.RunAction(kEvent + 1));
  actor.SetCurrentState(CActor::kKeepState);
  EXPECT_EQ(actor.GetCurrentState(), 3);

  // A failed test runs the alternative, which may replace its own binding, and takes its state.
  actor.OnAction(0, kEvent, &RebindingActor::Go, 1, &RecordingActor::IsAllowed, &RebindingActor::Rebind, 2);
  actor.OnLeftClick(2, &RecordingActor::Place, 3, &RecordingActor::IsAllowedAt, nullptr, 5);
  actor.allowed = false;
  actor.SetCurrentState(0);
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 2);
  actor.RunLeftClick(CPoint(8, 9), 0);
  EXPECT_EQ(actor.GetCurrentState(), 5);
  actor.SetCurrentState(0);
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 6);
  actor.allowed = true;
  actor.OnAction(0, kEvent, &RecordingActor::Ping, 1, &RecordingActor::IsAllowed, &RecordingActor::Deny, 2);
  actor.SetCurrentState(0);
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 1);
  EXPECT_EQ(actor.log,
            (Log{"place 3,4 flags 4", "mark 5,6 flags 0", "pong", "ping", "rebind", "rebind", "ping"}));
}

class RunningActorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousSink =
        CStatusInfo::SetStatusSink([this](const CString& text) { statusBar.push_back(text.str()); });
    idle.SetDirector(&director);
    picking.SetDirector(&director);
  }
  void TearDown() override { CStatusInfo::SetStatusSink(previousSink); }

  CStatusInfo::Sink previousSink;
  Log statusBar;
  RecordingActor idle{"idle"};
  RecordingActor picking{"picking"};
  CDirector director{nullptr, &idle, 0};
};

TEST_F(RunningActorTest, OneActorRunsAtATimeStoppingFallsBackToTheFirstAndTheStatusBarShowsItsPrompt) {
  idle.GetStatusInfo().SetStatusString("Select");
  picking.GetStatusInfo().SetStatusString("Assign Pins");
  picking.OnAction(0, kEvent, &RecordingActor::Pong, 0);
  EXPECT_FALSE(director.OnCommand(kEvent));
  idle.StartActor(0, true);
  picking.StartActor(1, true);
  picking.StartActor(0, false);
  EXPECT_TRUE(director.OnCommand(kEvent));
  picking.StartActor(0, true);
  picking.GetStatusInfo().SetStatusString("Pick a pad");
  idle.GetStatusInfo().SetStatusString("Select an item");
  picking.StopActor();
  picking.StopActor();

  EXPECT_EQ(idle.log, (Log{"start 0", "stop", "start 0"}));
  EXPECT_EQ(picking.log, (Log{"start 1", "pong", "stop", "start 0", "stop"}));
  EXPECT_EQ(director.GetRunningActor(), &idle);
  EXPECT_EQ(statusBar,
            (Log{"Select", "", "Assign Pins", "", "Assign Pins", "Pick a pad", "", "Select an item"}));
}

constexpr UINT kCancel = 16045;
constexpr UINT kClose = 16100;
constexpr UINT kModeEnded = 32814;

// Picks in two steps until cancelled from its menu or by Escape.
class PickingActor : public RecordingActor {
 public:
  void Start(CDirector* director) {
    SetDirector(director);
    OnLeftClick(0, &PickingActor::Place, 1);
    OnLeftClick(1, &PickingActor::Mark, 0);
    OnAction(kAnyState, kStopEvent, &PickingActor::StopActor, kKeepState);
    OnAction(kAnyState, static_cast<int>(kCancel), &PickingActor::StopActor, kKeepState);
    OnAction(kAnyState, static_cast<int>(kClose), &PickingActor::CloseFrame, 1);
    StartActor(0, true);
  }
  void CloseFrame() { GetView()->GetParentFrame()->DestroyWindow(); }
};

// Routes its input to the director as a drawing view does.
class ActorView : public CView {
  DECLARE_DYNCREATE(ActorView)

 public:
  RecordingActor idle{"idle"};
  PickingActor picking;
  CDirector director{this, &idle, kModeEnded};
  int modeEndedCount = 0;

  void OnDraw(CDC*) override {}
  LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
    const auto flags = static_cast<UINT>(w);
    const CPoint point(GET_X_LPARAM(l), GET_Y_LPARAM(l));
    if (message == WM_LBUTTONDOWN) director.OnLButtonDown(flags, point);
    if (message == WM_LBUTTONUP) director.OnLButtonUp(flags, point);
    if (message == WM_LBUTTONDBLCLK) director.OnLButtonDblClk(flags, point);
    if (message == WM_MBUTTONDOWN) director.OnMButtonDown(flags, point);
    if (message == WM_MBUTTONUP) director.OnMButtonUp(flags, point);
    if (message == WM_MOUSEMOVE) director.OnMouseMove(flags, point);
    if (message == WM_CHAR) director.OnChar(flags, 1, 0);
    if (message == WM_COMMAND && LOWORD(w) == kModeEnded) ++modeEndedCount;
    if (message == CDirector::GetCommandMessage()) director.OnCommand(static_cast<UINT>(l));
    return CView::WindowProc(message, w, l);
  }
};

IMPLEMENT_DYNCREATE(ActorView, CView)

// A frame at (100, 50) on the screen whose view fills its client area; the picking
// actor runs and the idle one is the director's first.
class DirectorViewTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    view = OpenViewFrame<ActorView>(frame, document);
    ASSERT_NE(view, nullptr);
    view->idle.SetDirector(&view->director);
    view->picking.Start(&view->director);
    view->picking.log.clear();
  }

  CDocument document;
  CFrameWnd frame;
  ActorView* view = nullptr;
};

TEST_F(DirectorViewTest, APressAndReleaseInPlaceIsOneClick) {
  ASSERT_TRUE(user.LeftClick(view, CPoint(10, 20), MK_SHIFT) && user.LeftDown(view, CPoint(30, 30)) &&
              user.LeftUp(view, CPoint(33, 26)) && user.LeftDown(view, CPoint(50, 50)) &&
              user.MoveMouse(view, CPoint(80, 50), MK_LBUTTON) && user.LeftUp(view, CPoint(50, 50)) &&
              user.LeftDown(view, CPoint(50, 50)) && user.LeftUp(view, CPoint(45, 56)) &&
              user.LeftDoubleClick(view, CPoint(60, 70)) && user.MiddleDown(view, CPoint(5, 6)) &&
              user.TypeChar(view, 'z'));

  EXPECT_EQ(view->picking.log, (Log{"place 10,20 flags 5", "mark 30,30 flags 1", "place 60,70 flags 1",
                                    "middle down 5,6 flags 16", "char z"}));
}

TEST_F(DirectorViewTest, EscapeOrACommandStopsTheActorTheFirstTakesOverAndAnActionMayCloseTheView) {
  ASSERT_TRUE(user.TypeChar(view, '\x1b') && user.LeftClick(view, CPoint(1, 1)));
  EXPECT_EQ(std::make_pair(view->director.GetRunningActor(), view->modeEndedCount),
            (std::pair<CActor*, int>(&view->idle, 1)));
  view->picking.StartActor(0, true);
  view->SendMessage(RegisterWindowMessage("CActor::Command"), 0, kCancel);  // the command in its lParam
  EXPECT_EQ(view->picking.log, (Log{"stop", "start 0", "stop"}));

  // An action may close the view it runs in.
  view->picking.StartActor(0, true);
  const HWND viewWindow = view->GetSafeHwnd();
  EXPECT_TRUE(view->director.OnCommand(kClose));
  EXPECT_FALSE(IsWindowHandle(viewWindow));
}

TEST(ActorLifetime, ADirectorOrAnActorMayGoFirst) {
  RecordingActor survivor;
  {
    CDirector shortLived(nullptr, &survivor, 0);
    survivor.SetDirector(&shortLived);
    survivor.StartActor(0, true);
  }
  EXPECT_EQ(std::make_pair(survivor.GetDirector(), survivor.IsRunning()),
            (std::pair<CDirector*, bool>{nullptr, false}));

  auto first = std::make_unique<RecordingActor>();
  CDirector director(nullptr, first.get(), 0);
  first->SetDirector(&director);
  survivor.SetDirector(&director);
  first->StartActor(0, true);
  first.reset();
  EXPECT_EQ(director.GetRunningActor(), nullptr);
  survivor.StartActor(0, true);
  survivor.StopActor();
  EXPECT_EQ(director.GetRunningActor(), nullptr);
}

}  // namespace
