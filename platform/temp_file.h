// Temporary files, and replacing a file through one so that it is never half written.
#pragma once

#include <functional>
#include <string_view>

#include "platform/cstring.h"

// Creates a fresh empty file named "ce-…" in $TMPDIR (in /tmp when that is unset or
// empty) and gives its path. False, with path unchanged, when no file could be made; a
// $TMPDIR that cannot hold one is an error, not a reason to write elsewhere. The caller
// deletes the file.
bool GetTempFile(CString& path);

// Replaces the file at path with contents so that a reader sees either the old file or
// the whole new one, also after a crash: writes a file beside it, flushes it to disk and
// renames it over the old one. A replaced file keeps its permissions; a new one gets
// 0666 less the umask. False on failure, with error naming the file, the step that
// failed and why; any old file is untouched and the temporary file is gone.
bool WriteFileAtomically(const CString& path, std::string_view contents, CString& error);

// The steps of WriteFileAtomically, in the order it takes them. Writing may take more
// than one step of kind Write.
enum class AtomicWriteStep { CreateTemporary, Write, CopyPermissions, Flush, Close, Rename };

// For tests: called before each step of every atomic write; a result other than 0 is
// taken as the error number of that step, which then fails as if the system had
// refused it (a failing Close still releases the file). An empty function, the
// default, lets every step run.
using AtomicWriteFault = std::function<int(AtomicWriteStep step)>;
void SetAtomicWriteFaultForTesting(AtomicWriteFault fault);
