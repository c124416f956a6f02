#include "platform/wait_cursor.h"

#include "platform/backend.h"

CWaitCursor::CWaitCursor() {
  CurrentBackend().SetWaitCursor(true);
}

CWaitCursor::~CWaitCursor() {
  CurrentBackend().SetWaitCursor(false);
}

void CWaitCursor::Restore() {
  CurrentBackend().SetWaitCursor(false);
  CurrentBackend().SetWaitCursor(true);
}
