// AfxMessageBox: a message box over the application, shown through the backend (the
// headless backend answers from its script and records the text). The caption is the
// application's name, or "Component Editor" when there is no application object.
#pragma once

#include "platform/constants.h"
#include "platform/cstring.h"

inline constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr UINT MB_ICONSTOP = MB_ICONERROR;
inline constexpr UINT MB_ICONHAND = MB_ICONERROR;
inline constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;

// The caption every message box of the application carries.
CString AfxMessageBoxCaption();

// Returns the answer: IDOK, IDCANCEL, IDYES or IDNO. The help id is accepted and ignored.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The text comes from the string table; an unknown id shows an empty text.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
