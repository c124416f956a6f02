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

// How a file may be replaced, and what the caller wants to hear of it.
struct AtomicWriteOptions {
  // The user asked to write over a read-only file.
  bool replaceReadOnly = false;
  // When not null, receives a note of what the file could not keep (its owner or
  // group, which only the system's administrator may give away); empty otherwise.
  CString* warning = nullptr;
};

// Replaces the file at path with contents so that a reader sees either the old file or
// the whole new one, also after a crash: writes a file beside it, flushes it to disk and
// renames it over the old one. A symbolic link is followed and the real file is
// replaced, in its own folder; the link stays. A replaced file keeps its owner, group
// and permissions where the system allows; a new one gets 0666 less the umask. What is
// not a regular file (a device, a FIFO, a folder), a file with more than one hard link
// and, unless the options allow it, a read-only file are refused untouched. Temporary
// files of earlier writes of the same file whose process is gone are removed. False on
// failure, with error naming the file, the step that failed and why; any old file is
// untouched and the temporary file is gone.
bool WriteFileAtomically(const CString& path, std::string_view contents, CString& error);
bool WriteFileAtomically(const CString& path, std::string_view contents, const AtomicWriteOptions& options,
                         CString& error);

// For a command-line run whose user asked to write over read-only files: every write of
// the process then does, as if its options allowed it.
void SetReplaceReadOnlyFiles(bool replace);

// For a command-line run: where the note of a write whose caller asked for none goes
// (its standard error), so that a file that lost its owner is never passed over in
// silence. An empty function, the default, drops such notes.
using AtomicWriteNotes = std::function<void(const CString& note)>;
void SetAtomicWriteNotes(AtomicWriteNotes notes);

// True when the file at path (links followed) exists and is not to be written: it has
// no write permission for anyone, or none for this process.
bool IsReadOnlyFile(const CString& path);

// The steps of WriteFileAtomically, in the order it takes them. Writing may take more
// than one step of kind Write.
enum class AtomicWriteStep { CreateTemporary, Write, CopyPermissions, Flush, Close, Rename };

// For tests: called before each step of every atomic write; a result other than 0 is
// taken as the error number of that step, which then fails as if the system had
// refused it (a failing Close still releases the file). An empty function, the
// default, lets every step run.
using AtomicWriteFault = std::function<int(AtomicWriteStep step)>;
void SetAtomicWriteFaultForTesting(AtomicWriteFault fault);
