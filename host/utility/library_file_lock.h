// CLibraryFileLock: one writer at a time for a library file. Whoever reads, changes and
// replaces a library holds its lock for the whole of it, so that two writers (two
// commands, a command and the program, two programs) take turns instead of the last one
// silently undoing the other's change.
//
// The lock is an advisory lock (flock) on "LIBRARY.lock" beside the real file (links
// followed, so that every path to one library meets one lock). The holder writes its
// process number and program name into it, for the message of a writer that has waited
// in vain, and removes it when done. A folder where no lock file can be made is left to
// the write itself to refuse.
#pragma once

#include <chrono>
#include <string>

#include "platform/cstring.h"

class CLibraryFileLock {
 public:
  // How long a second writer waits for the first before it refuses.
  static constexpr std::chrono::milliseconds kWait{5000};

  CLibraryFileLock() = default;
  ~CLibraryFileLock();
  CLibraryFileLock(const CLibraryFileLock&) = delete;
  CLibraryFileLock& operator=(const CLibraryFileLock&) = delete;

  // Takes the lock of the library at path, waiting at most `wait` for another holder.
  // False, with a message naming the library and the holder, when it stays taken.
  bool Acquire(const CString& path, CString& error, std::chrono::milliseconds wait = kWait);
  void Release();
  bool Held() const { return m_fd >= 0; }

  // "LIBRARY.lock" for the real file of the library.
  static std::string LockPathOf(const std::string& realPath);

 private:
  int m_fd = -1;
  std::string m_lockPath;
};
