// The platform as the host sets it up for a component frame, with nobody at the screen:
// an unexpected message box is printed and answered with No. Benchmarks that open
// component frames headless share it.
#pragma once

#include <memory>

#include "platform/headless_backend.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/win_thread.h"

class HeadlessHost {
 public:
  HeadlessHost(int width, int height);

  CMDIFrameWnd* MainWindow() { return m_mainWindow.get(); }
  HeadlessBackend& Backend() { return *m_backend; }

 private:
  HeadlessBackend* m_backend = nullptr;  // not owned: the platform's current backend
  std::unique_ptr<CWinApp> m_app;
  std::unique_ptr<CMDIFrameWnd> m_mainWindow;
};
