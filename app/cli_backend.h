// The backend of the command-line tool: nothing is shown and nobody answers. A message
// box the editor raises is written to standard error and answered with its refusal, so
// a run reports the problem and goes on; dialogs and menus are cancelled at once.
#pragma once

#include "platform/backend.h"

class CliBackend : public Backend {
 public:
  // How many message boxes were written to standard error.
  int CountMessages() const { return m_messages; }

  std::unique_ptr<WindowPeer> CreatePeer(HWND) override { return nullptr; }
  int RunModalLoop(CDialog& dialog) override;
  int ShowMessageBox(const CString& text, const CString& caption, UINT type) override;
  UINT TrackPopupMenu(const std::vector<MenuItem>&, CPoint, HWND) override { return 0; }
  void SetWaitCursor(bool) override {}
  void ShowTextFile(const CString& path, const CString& title) override;

 private:
  int m_messages = 0;
};
