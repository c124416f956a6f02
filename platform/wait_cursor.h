// CWaitCursor: shows the wait cursor for as long as the object lives.
#pragma once

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

  // Shows the wait cursor again after something (a message box) took it away.
  void Restore();
};
