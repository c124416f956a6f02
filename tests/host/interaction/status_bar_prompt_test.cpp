// The prompt of the status on show reaches the main window's status bar.
#include <gtest/gtest.h>

#include "host/interaction/status_info.h"
#include "platform/frame_wnd.h"
#include "platform/status_bar.h"
#include "platform/win_thread.h"

namespace {

class StatusBarPromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.Create(nullptr, "Editor"));
    ASSERT_TRUE(statusBar.Create(&frame));
    AfxGetThread()->m_pMainWnd = &frame;
  }
  void TearDown() override { AfxGetThread()->m_pMainWnd = nullptr; }

  CFrameWnd frame;
  CStatusBar statusBar;
};

TEST_F(StatusBarPromptTest, TheStatusOnShowWritesTheMessagePane) {
  CStatusInfo idle;
  CStatusInfo picking;
  idle.SetStatusString("Select");
  idle.Show();
  EXPECT_EQ(statusBar.GetPaneText(0), "Select");

  picking.SetStatusString("Pick a pad");
  EXPECT_EQ(statusBar.GetPaneText(0), "Select") << "a status not on show stays off the bar";
  picking.Show();
  EXPECT_EQ(statusBar.GetPaneText(0), "Pick a pad");
  picking.SetStatusString("Pick a terminal");
  EXPECT_EQ(statusBar.GetPaneText(0), "Pick a terminal");
  picking.Hide();
  EXPECT_EQ(statusBar.GetPaneText(0), "");
}

}  // namespace
