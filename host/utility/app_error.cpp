#include "host/utility/app_error.h"

#include "platform/message_box.h"

namespace {
CString& LastError() {
  static CString text;
  return text;
}
}  // namespace

void CAppError::SetLastErrorText(const CString& text) {
  LastError() = text;
}

const CString& CAppError::GetLastError() {
  return LastError();
}

bool CAppError::HasLastError() {
  return !LastError().IsEmpty();
}

void CAppError::ClearLastError() {
  LastError().Empty();
}

int CAppError::ReportLastError() {
  if (!HasLastError()) return 0;
  return AfxMessageBox(LastError().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool CAppError::IsKnownString(UINT stringId) {
  CString probe;
  return probe.LoadString(stringId);
}

CString CAppError::MissingStringText(UINT stringId) {
  CString text;
  text.Format("Error %u", stringId);
  return text;
}
