#include "host/utility/library_file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/regular_file.h"

namespace {

constexpr std::chrono::milliseconds kPoll{3};

// Opened and locked; -1 with errno set when it could not be opened, -2 when another
// holds it. A lock file that its holder removed while this one waited is taken again,
// so that no two writers ever hold two different files of one name.
int TryLock(const std::string& lockPath) {
  for (;;) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return -2;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return fd;
    ::close(fd);
  }
}

// Who holds the lock, as its holder wrote it.
std::string Holder(const std::string& lockPath) {
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return "another program";
  char text[256] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  ::close(fd);
  std::string holder(text, got > 0 ? static_cast<size_t>(got) : 0);
  while (!holder.empty() && (holder.back() == '\n' || holder.back() == '\0')) holder.pop_back();
  return holder.empty() ? "another program" : holder;
}

void SayWhoHolds(int fd) {
  const std::string text =
      std::string(program_invocation_short_name) + " (process " + std::to_string(::getpid()) + ")\n";
  if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.data(), text.size(), 0) < 0) return;
}

}  // namespace

CLibraryFileLock::~CLibraryFileLock() {
  Release();
}

std::string CLibraryFileLock::LockPathOf(const std::string& realPath) {
  return realPath + ".lock";
}

bool CLibraryFileLock::Acquire(const CString& path, CString& error, std::chrono::milliseconds wait) {
  Release();
  std::string real;
  if (!ResolveLinks(path.str(), real, error)) return false;
  const std::string lockPath = LockPathOf(real);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd = TryLock(lockPath);
    if (fd >= 0) {
      SayWhoHolds(fd);
      m_fd = fd;
      m_lockPath = lockPath;
      return true;
    }
    // No lock file can be made where the library is: neither can its new contents, and
    // the write says why.
    if (fd == -1) return true;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPoll);
  }
  error.FormatMessage("\"%1\" is being changed by %2; it was left as it was. Try again when that is done.",
                      path, CString(Holder(lockPath)));
  return false;
}

void CLibraryFileLock::Release() {
  if (m_fd < 0) return;
  // Removed while still held: a waiter that opened it sees that it is gone and opens anew.
  ::unlink(m_lockPath.c_str());
  ::close(m_fd);
  m_fd = -1;
  m_lockPath.clear();
}
