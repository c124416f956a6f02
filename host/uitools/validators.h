// Validators for the names a user types. Each returns true for an acceptable text;
// when it returns false it has recorded a message naming the rule that was broken
// (CAppError::SetLastErrorText), ready for CAppError::ReportLastError.
//
// Rules shared by component, package, symbol and terminal names:
//   - no control characters (tabs, line breaks and the like): a name is one line;
//   - no blank at the start or the end: names that differ only there would look alike;
//   - at most kMaxNameLength characters (terminal names: kMaxPinNameLength, symbol names
//     kMaxSymbolNameLength, as the field's footprint names are long), counted as
//     characters, not bytes, so that any script may be used.
// Component, package and symbol names are required (not empty). A terminal name may be
// empty: a terminal need not be named.
// A default reference stem is 1 to kMaxReferenceStemLength letters A to Z (either case):
// the reference of a part is the stem followed by a number, as in "U12".
#pragma once

#include "platform/cstring.h"

inline constexpr int kMaxNameLength = 64;
inline constexpr int kMaxPinNameLength = 32;
// At most four bytes a character keep a symbol name within the component library's
// limit of 1024 bytes.
inline constexpr int kMaxSymbolNameLength = 255;
inline constexpr int kMaxReferenceStemLength = 8;

bool ValidComponentName(const CString& name);
bool ValidPackageName(const CString& name);
bool ValidSymbolName(const CString& name);
bool ValidPinName(const CString& name);
bool ValidDefaultReferenceStem(const CString& stem);
