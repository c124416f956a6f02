// What stands at a path before it is read or replaced: only regular files are read or
// written, links are followed to the real file, and leftovers of interrupted writes are
// cleared away.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

#include "platform/cstring.h"

// "a FIFO", "a device", "a folder", ... for a file mode that is not a regular file's.
const char* DescribeFileKind(mode_t mode);

// Reads the whole regular file at path into text. Refuses, with a message naming the
// file, what is not a regular file (a FIFO is opened without waiting for a writer, so
// it never hangs) and a file larger than `limit` bytes, before memory is spent on it.
bool ReadRegularFile(const CString& path, std::string& text, std::uintmax_t limit, CString& error);

// The file a write to path reaches: symbolic links followed, each relative link read
// against the folder of the link. A link that leads nowhere gives the path it leads to,
// where a write creates the file. False, with a message, for a loop of links.
bool ResolveLinks(const std::string& path, std::string& real, CString& error);

// The name of the temporary file a write of path makes, "PATH.tmp-PID-N".
std::string TemporaryNameFor(const std::string& path, long pid, unsigned counter);

// Removes the temporary files "PATH.tmp-PID-N" beside path whose process is gone: what a
// write killed before its rename left. Files of running processes are left alone.
void RemoveStaleTemporaries(const std::string& path);
