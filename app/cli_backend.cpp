#include "app/cli_backend.h"

#include <cstdio>

#include "platform/constants.h"
#include "platform/dialog.h"

int CliBackend::RunModalLoop(CDialog& dialog) {
  dialog.EndDialog(IDCANCEL);
  return dialog.GetModalResult();
}

int CliBackend::ShowMessageBox(const CString& text, const CString&, UINT type) {
  std::fprintf(stderr, "%s\n", text.c_str());
  ++m_messages;
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    default:
      return IDCANCEL;
  }
}

void CliBackend::ShowTextFile(const CString& path, const CString&) {
  std::fprintf(stderr, "(not shown: %s)\n", path.c_str());
}
