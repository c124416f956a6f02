// What the screen tests share: the backend on a real (virtual) screen, steps run one
// after another on the event loop, and the mouse and keyboard of a user.
#pragma once

#include <gtest/gtest.h>
#include <wx/colour.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

class CWnd;
class wxWindow;

// Runs steps one after another on the event loop, with a pause for the screen to catch
// up between them.
class Script {
 public:
  void Then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
  // Starts the steps; the caller then runs an event loop (a modal dialog's, or RunLoop).
  void Start();
  // Starts the steps and runs an event loop until they are all done.
  void Run();

 private:
  void RunNext();

  std::vector<std::function<void()>> m_steps;
  size_t m_next = 0;
  wxTimer m_timer;
};

// Screen points of a window's centre and of a point in its client area.
wxPoint CentreOf(const wxWindow* window);
wxPoint CentreOf(CWnd* control);
wxPoint ScreenPointIn(CWnd* window, CPoint client);
void ClickAt(wxUIActionSimulator& sim, wxPoint point);
// Presses at one point, moves to another and releases there.
void DragFromTo(wxUIActionSimulator& sim, wxPoint from, wxPoint to);
// The colour the screen shows at a point.
wxColour ScreenColourAt(wxPoint point);
// Where screenshots go: the build's artifacts folder.
std::string ArtifactPath(const std::string& name);

// Installs the screen backend for a suite, with the editor's resources.
class ScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
};
