// CAppError: the application's last error. An operation that refuses records why and
// returns false; its caller decides when to show the message to the user.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CAppError {
 public:
  // The message is string `stringId` of the string table with %1..%9 replaced by the
  // inserts in order. An id missing from the table still records a message naming it.
  template <class... Args>
  static void SetLastError(UINT stringId, const Args&... inserts) {
    if (!IsKnownString(stringId)) {
      SetLastErrorText(MissingStringText(stringId));
      return;
    }
    CString text;
    text.FormatMessage(stringId, inserts...);
    SetLastErrorText(text);
  }
  // For messages already formatted (validators, file readers).
  static void SetLastErrorText(const CString& text);
  static const CString& GetLastError();
  static bool HasLastError();
  static void ClearLastError();
  // Shows the recorded message in a warning box and returns the box's answer. With
  // nothing recorded there is nothing to show and the result is 0. The message stays
  // recorded.
  static int ReportLastError();

 private:
  static bool IsKnownString(UINT stringId);
  static CString MissingStringText(UINT stringId);
};
