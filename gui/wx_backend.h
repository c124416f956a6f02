// The backend that shows the platform on screen with wxWidgets. Install it after the
// wx application object exists; everything then runs on the wx event loop.
#pragma once

#include "platform/backend.h"

class wxIdleEvent;

class WxBackend : public Backend {
 public:
  WxBackend();
  ~WxBackend() override;

  std::unique_ptr<WindowPeer> CreatePeer(HWND hwnd) override;
  // Runs the dialog's peer in a real modal loop, ending it once the platform dialog
  // has ended; posted platform messages are pumped while it runs.
  int RunModalLoop(CDialog& dialog) override;
  int ShowMessageBox(const CString& text, const CString& caption, UINT type) override;
  UINT TrackPopupMenu(const std::vector<MenuItem>& items, CPoint screenPoint, HWND owner) override;
  void SetWaitCursor(bool on) override;
  void ShowTextFile(const CString& path, const CString& title) override;

 private:
  void OnIdle(wxIdleEvent& event);
};
