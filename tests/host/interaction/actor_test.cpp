// Bindings, states and the running actor, without a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/interaction/director.h"
#include "platform/constants.h"
#include "tests/host/interaction/recording_actor.h"

namespace {

using Log = std::vector<std::string>;
constexpr int kEvent = 16016;

TEST(ActorBindings, InputRunsTheBindingOfTheCurrentStateOrElseOfAnyState) {
  RecordingActor actor;
  actor.OnLeftClick(0, &RecordingActor::Place, 1);
  actor.OnLeftClick(CActor::kAnyState, &RecordingActor::Mark, 2);
  actor.OnAction(CActor::kAnyState, kEvent, &RecordingActor::Ping, CActor::kKeepState);
  actor.OnAction(2, kEvent, &RecordingActor::Pong, 3);

  EXPECT_TRUE(actor.RunLeftClick(CPoint(3, 4), MK_SHIFT));
  EXPECT_TRUE(actor.RunLeftClick(CPoint(5, 6), 0));
  EXPECT_EQ(actor.GetCurrentState(), 2);
  EXPECT_TRUE(actor.RunAction(kEvent));
  EXPECT_TRUE(actor.RunAction(kEvent));
  EXPECT_EQ(actor.GetCurrentState(), 3);
  EXPECT_FALSE(actor.RunAction(kEvent + 1));
  actor.SetCurrentState(CActor::kKeepState);
  EXPECT_EQ(actor.GetCurrentState(), 3);
  EXPECT_EQ(actor.log, (Log{"place 3,4 flags 4", "mark 5,6 flags 0", "pong", "ping"}));
}

class OtherActor : public CActor {
 public:
  OtherActor() : CActor(nullptr, "other") {}
  void Act() {}
};

TEST(ActorBindings, BindingAgainReplacesTheEarlierBinding) {
  RecordingActor actor;
  actor.OnAction(0, kEvent, &RecordingActor::Ping, 0);
  actor.OnAction(0, kEvent, &RecordingActor::Pong, 4);
  EXPECT_FALSE(actor.OnAction(4, kEvent, &OtherActor::Act, 0));

  actor.RunAction(kEvent);
  EXPECT_FALSE(actor.RunAction(kEvent));
  EXPECT_EQ(actor.log, Log{"pong"});
}

TEST(ActorBindings, AFailedTestRunsTheAlternativeAndTakesItsState) {
  RecordingActor actor;
  actor.OnAction(0, kEvent, &RecordingActor::Ping, 1, &RecordingActor::IsAllowed, &RecordingActor::Deny, 2);
  actor.OnLeftClick(2, &RecordingActor::Place, 3, &RecordingActor::IsAllowedAt, nullptr, 5);

  actor.allowed = false;
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 2);
  actor.RunLeftClick(CPoint(8, 9), 0);
  EXPECT_EQ(actor.GetCurrentState(), 5);
  actor.allowed = true;
  actor.SetCurrentState(0);
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 1);
  EXPECT_EQ(actor.log, (Log{"deny", "ping"}));
}

// Binds again while its own binding runs, as a mode does when an action restarts it.
class RebindingActor : public RecordingActor {
 public:
  void Go() { log.push_back("go"); }
  void Rebind() {
    log.push_back("rebind");
    OnAction(0, kEvent, &RebindingActor::Rebind, 6);
  }
};

TEST(ActorBindings, AnActionMayReplaceItsOwnBindingWhileItRuns) {
  RebindingActor actor;
  actor.OnAction(0, kEvent, &RebindingActor::Go, 1, &RebindingActor::IsAllowed, &RebindingActor::Rebind, 2);
  actor.allowed = false;

  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 2);
  actor.SetCurrentState(0);
  actor.RunAction(kEvent);
  EXPECT_EQ(actor.GetCurrentState(), 6);
  EXPECT_EQ(actor.log, (Log{"rebind", "rebind"}));
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

TEST_F(RunningActorTest, OneActorRunsAtATimeAndStoppingFallsBackToTheFirst) {
  picking.OnAction(0, kEvent, &RecordingActor::Pong, 0);
  EXPECT_FALSE(director.OnCommand(kEvent));
  idle.StartActor(0, true);
  picking.StartActor(1, true);
  picking.StartActor(0, false);
  EXPECT_TRUE(director.OnCommand(kEvent));
  picking.StartActor(0, true);
  picking.StopActor();
  picking.StopActor();

  EXPECT_EQ(idle.log, (Log{"start 0", "stop", "start 0"}));
  EXPECT_EQ(picking.log, (Log{"start 1", "pong", "stop", "start 0", "stop"}));
  EXPECT_EQ(director.GetRunningActor(), &idle);
}

TEST_F(RunningActorTest, TheStatusBarShowsTheRunningActorsPrompt) {
  idle.GetStatusInfo().SetStatusString("Select");
  picking.GetStatusInfo().SetStatusString("Assign Pins");
  idle.StartActor(0, true);
  picking.StartActor(0, true);
  picking.GetStatusInfo().SetStatusString("Pick a pad");
  idle.GetStatusInfo().SetStatusString("Select an item");

  EXPECT_EQ(statusBar, (Log{"Select", "", "Assign Pins", "Pick a pad"}));
}

TEST(ActorLifetime, ADirectorOrAnActorMayGoFirst) {
  RecordingActor survivor;
  {
    CDirector shortLived(nullptr, &survivor, 0);
    survivor.SetDirector(&shortLived);
    survivor.StartActor(0, true);
  }
  EXPECT_EQ(survivor.GetDirector(), nullptr);
  EXPECT_FALSE(survivor.IsRunning());

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
