#include "platform/win_thread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_app = nullptr;
}

void CWinThread::QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  m_queue.push_back({hwnd, message, wParam, lParam});
}

int CWinThread::PumpMessages() {
  int delivered = 0;
  while (!m_queue.empty()) {
    const QueuedMessage next = m_queue.front();
    m_queue.pop_front();
    if (!IsWindowHandle(next.hwnd)) continue;
    SendMessage(next.hwnd, next.message, next.wParam, next.lParam);
    ++delivered;
  }
  return delivered;
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinThread* AfxGetThread() {
  if (g_app != nullptr) return g_app;
  static CWinThread thread;
  return &thread;
}

CWinApp* AfxGetApp() {
  return g_app;
}
