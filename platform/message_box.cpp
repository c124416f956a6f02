#include "platform/message_box.h"

#include <iostream>

#include "platform/backend.h"
#include "platform/win_thread.h"

CString AfxMessageBoxCaption() {
  const CWinApp* app = AfxGetApp();
  if (app != nullptr && !app->m_pszAppName.IsEmpty()) return app->m_pszAppName;
  return "Component Editor";
}

int AfxMessageBox(const char* text, UINT type, UINT) {
  return CurrentBackend().ShowMessageBox(CString(text), AfxMessageBoxCaption(), type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
  CString text;
  if (!text.LoadString(stringId))
    std::cerr << "AfxMessageBox: no string " << stringId << " in the string table\n";
  return AfxMessageBox(text.c_str(), type, helpId);
}
