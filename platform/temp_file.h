// Temporary files, and replacing a file through one so that it is never half written.
#pragma once

#include <string_view>

#include "platform/cstring.h"

// Creates a fresh empty file named "ce-…" in $TMPDIR (in /tmp when that is unset or
// empty) and gives its path. False, with path unchanged, when no file could be made; a
// $TMPDIR that cannot hold one is an error, not a reason to write elsewhere. The caller
// deletes the file.
bool GetTempFile(CString& path);

// Replaces the file at path with contents so that a reader sees either the old file or
// the whole new one: writes a file beside it, flushes it to disk and renames it over the
// old one. A replaced file keeps its permissions; a new one gets 0666 less the umask.
// False on failure, with the reason in error and any old file untouched.
bool WriteFileAtomically(const CString& path, std::string_view contents, CString& error);
