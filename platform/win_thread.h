// The user-interface thread: main window, focus, and the queue of posted messages.
#pragma once

#include <deque>

#include "platform/cmd_target.h"
#include "platform/window_handle.h"

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread() = default;
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }

  void QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Delivers posted messages, including those posted meanwhile, until none is left;
  // messages to windows destroyed in the meantime are dropped. Returns how many ran.
  int PumpMessages();

  CWnd* m_pMainWnd = nullptr;  // not owned
  HWND m_focus = nullptr;

 private:
  struct QueuedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::deque<QueuedMessage> m_queue;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  CString m_pszAppName;
};

CWinThread* AfxGetThread();
// The application object, null when none was constructed.
CWinApp* AfxGetApp();
