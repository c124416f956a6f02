// What the screen tests share: the backend on a real (virtual) screen, steps run one
// after another on the event loop, and the mouse and keyboard of a user.
#pragma once

#include <gtest/gtest.h>
#include <wx/colour.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <sstream>
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
void ClickAt(wxUIActionSimulator& sim, wxPoint point, int button = wxMOUSE_BTN_LEFT);
// Presses at one point, moves to another and releases there.
void DragFromTo(wxUIActionSimulator& sim, wxPoint from, wxPoint to);
// "red" where the screen shows red at a point, else the colour it shows.
std::string RedOrColourAt(wxPoint point);

// Installs the screen backend for a suite, with the editor's resources. What a test sees
// on the way is written down a line at a time and compared at the end as one text.
class ScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  template <class... Parts>
  void Saw(const Parts&... parts) {
    std::ostringstream line;
    (line << ... << parts);
    seen += line.str() + "\n";
  }
  // Saves a picture of the window into the build's artifacts folder.
  static void Screenshot(CWnd* window, const std::string& name);

  Script script;
  std::string seen;
  wxUIActionSimulator sim;
};
