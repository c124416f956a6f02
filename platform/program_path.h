// Where the running program lives: stock data files ship beside it.
#pragma once

#include "platform/cstring.h"

// The directory of the running program with a trailing '/', so that a file name can be
// appended directly. "./" when the location cannot be found.
CString GetProgramPath();

// Makes GetProgramPath answer path (a trailing '/' is added when missing); an empty
// path restores the real location.
void SetProgramPathForTesting(const CString& path);
