// A view that passes its input to a director, driven the way a user drives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/resources/resource_ids.h"
#include "host/interaction/director.h"
#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"
#include "tests/host/interaction/recording_actor.h"
#include "tests/support/headless_test.h"
#include "tests/support/view_frame.h"

namespace {

using Log = std::vector<std::string>;
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
    OnAction(kAnyState, kContextMenuEvent, &PickingActor::ContextMenu, kKeepState);
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
    if (message == WM_CONTEXTMENU) director.OnContextMenu(this, point);
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
    view->picking.menuText = IDS_MENU_CANCEL;
  }

  CDocument document;
  CFrameWnd frame;
  ActorView* view = nullptr;
};

TEST_F(DirectorViewTest, APressAndReleaseInPlaceIsOneClick) {
  ASSERT_TRUE(user.LeftClick(view, CPoint(10, 20), MK_SHIFT));
  ASSERT_TRUE(user.LeftDown(view, CPoint(30, 30)));
  ASSERT_TRUE(user.LeftUp(view, CPoint(33, 26)));
  ASSERT_TRUE(user.LeftDown(view, CPoint(50, 50)));
  ASSERT_TRUE(user.MoveMouse(view, CPoint(80, 50), MK_LBUTTON));
  ASSERT_TRUE(user.LeftUp(view, CPoint(50, 50)));
  ASSERT_TRUE(user.LeftDown(view, CPoint(50, 50)));
  ASSERT_TRUE(user.LeftUp(view, CPoint(45, 56)));
  ASSERT_TRUE(user.LeftDoubleClick(view, CPoint(60, 70)));
  ASSERT_TRUE(user.MiddleDown(view, CPoint(5, 6)));
  ASSERT_TRUE(user.TypeChar(view, 'z'));

  EXPECT_EQ(view->picking.log, (Log{"place 10,20 flags 5", "mark 30,30 flags 1", "place 60,70 flags 1",
                                    "middle down 5,6 flags 16", "char z"}));
}

TEST_F(DirectorViewTest, EscapeStopsTheActorAndTheFirstActorTakesOver) {
  ASSERT_TRUE(user.TypeChar(view, '\x1b'));
  ASSERT_TRUE(user.LeftClick(view, CPoint(1, 1)));

  EXPECT_EQ(view->picking.log, Log{"stop"});
  EXPECT_EQ(view->director.GetRunningActor(), &view->idle);
  EXPECT_EQ(view->modeEndedCount, 1);
}

TEST_F(DirectorViewTest, AContextMenuChoiceRunsTheActorsBinding) {
  view->picking.menuCommand = kCancel;
  Screen().ExpectContextMenu(kCancel);
  ASSERT_TRUE(user.OpenContextMenu(view, CPoint(10, 20)));

  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  const std::vector<MenuItem>& items = Screen().ContextMenusShown().front();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].id, kCancel);
  EXPECT_EQ(items[0].text, "Cancel");
  EXPECT_EQ(view->picking.log, (Log{"fill 10,20 flags 0", "stop"}));
}

TEST_F(DirectorViewTest, AnEmptyOrDismissedMenuRunsNothing) {
  ASSERT_TRUE(user.OpenContextMenu(view, CPoint(4, 5)));
  EXPECT_TRUE(Screen().ContextMenusShown().empty());
  // From the keyboard the request comes without a point: the menu opens at the mouse.
  ASSERT_TRUE(user.MoveMouse(view, CPoint(30, 40)));
  view->SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
  view->picking.menuCommand = kCancel;
  Screen().ExpectContextMenu(0);
  ASSERT_TRUE(user.OpenContextMenu(view, CPoint(6, 7)));

  EXPECT_EQ(view->picking.log, (Log{"fill 4,5 flags 0", "fill 30,40 flags 0", "fill 6,7 flags 0"}));
  EXPECT_TRUE(view->picking.IsRunning());
}

TEST_F(DirectorViewTest, TheRegisteredCommandMessageCarriesTheCommandInItsLParam) {
  view->SendMessage(RegisterWindowMessage("CActor::Command"), 0, kCancel);
  EXPECT_EQ(view->picking.log, Log{"stop"});
}

TEST_F(DirectorViewTest, AnActionMayCloseTheViewItRunsIn) {
  const HWND viewWindow = view->GetSafeHwnd();
  EXPECT_TRUE(view->director.OnCommand(kClose));
  EXPECT_FALSE(IsWindowHandle(viewWindow));
}

}  // namespace
