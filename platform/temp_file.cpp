#include "platform/temp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::string TempDirectory() {
  const char* env = std::getenv("TMPDIR");
  std::string dir = env != nullptr && *env != '\0' ? env : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

AtomicWriteFault& InstalledFault() {
  static AtomicWriteFault fault;
  return fault;
}

// The error number a test wants the step to fail with; 0 lets it run.
int InjectedFault(AtomicWriteStep step) {
  const AtomicWriteFault& fault = InstalledFault();
  return fault ? fault(step) : 0;
}

// Runs a step whose call returns 0 or -1 with errno set; gives 0 or the error number.
template <class Call>
int RunStep(AtomicWriteStep step, Call call) {
  if (const int injected = InjectedFault(step)) return injected;
  return call() == 0 ? 0 : errno;
}

const char* StepDescription(AtomicWriteStep step) {
  switch (step) {
    case AtomicWriteStep::CreateTemporary:
      return "creating a temporary file beside it";
    case AtomicWriteStep::Write:
      return "writing the temporary file";
    case AtomicWriteStep::CopyPermissions:
      return "giving the temporary file the permissions of the file";
    case AtomicWriteStep::Flush:
      return "flushing the temporary file to disk";
    case AtomicWriteStep::Close:
      return "closing the temporary file";
    case AtomicWriteStep::Rename:
      return "putting the temporary file in the place of the file";
  }
  return "an unknown step";
}

// The step that failed and its error number; no failure while err is 0.
struct StepFailure {
  AtomicWriteStep step = AtomicWriteStep::CreateTemporary;
  int err = 0;
};

bool Fail(CString& error, const CString& path, const StepFailure& failure) {
  error.FormatMessage("Cannot write \"%1\": %2 failed: %3.", path, StepDescription(failure.step),
                      std::generic_category().message(failure.err));
  return false;
}

// Opens a file beside path that did not exist before; its name is kept in tempPath.
// Not mkstemp: that would create the file 0600 regardless of the umask.
int CreateSibling(const std::string& path, std::string& tempPath, int& fd) {
  fd = -1;
  if (const int injected = InjectedFault(AtomicWriteStep::CreateTemporary)) return injected;
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// Written in pieces, each a step of its own, so that a write can fail part way.
constexpr size_t kWritePiece = 64 * 1024;

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    if (const int injected = InjectedFault(AtomicWriteStep::Write)) return injected;
    const ssize_t written = ::write(fd, data.data(), std::min(data.size(), kWritePiece));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// A replaced file keeps its permissions; a new file has nothing to copy.
int CopyPermissions(int fd, const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) return 0;
  return RunStep(AtomicWriteStep::CopyPermissions, [&] { return ::fchmod(fd, old.st_mode & 07777); });
}

// The file is released even when the step is made to fail.
int CloseFile(int fd) {
  const int injected = InjectedFault(AtomicWriteStep::Close);
  const int closed = ::close(fd) == 0 ? 0 : errno;
  return injected != 0 ? injected : closed;
}

// Writes, copies the old file's permissions, flushes to disk and closes: the new
// contents are on disk before the rename makes them the file's, so that a crash leaves
// the old file or the new one.
StepFailure FillAndClose(int fd, const std::string& path, std::string_view contents) {
  StepFailure failure{AtomicWriteStep::Write, WriteAll(fd, contents)};
  if (failure.err == 0) failure = {AtomicWriteStep::CopyPermissions, CopyPermissions(fd, path)};
  if (failure.err == 0)
    failure = {AtomicWriteStep::Flush, RunStep(AtomicWriteStep::Flush, [fd] { return ::fsync(fd); })};
  const int closed = CloseFile(fd);
  if (failure.err == 0) failure = {AtomicWriteStep::Close, closed};
  return failure;
}

// The rename is only durable once the directory is flushed. A failure here is not
// reported: the new contents are already in place and readers see them.
void SyncDirectory(const std::string& path) {
  std::string dir = std::filesystem::path(path).parent_path().string();
  if (dir.empty()) dir = ".";
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool GetTempFile(CString& path) {
  std::string pattern = TempDirectory() + "/ce-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  ::close(fd);
  path = CString(std::move(pattern));
  return true;
}

bool WriteFileAtomically(const CString& path, std::string_view contents, CString& error) {
  std::string tempPath;
  int fd = -1;
  StepFailure failure{AtomicWriteStep::CreateTemporary, CreateSibling(path.str(), tempPath, fd)};
  if (failure.err != 0) return Fail(error, path, failure);
  failure = FillAndClose(fd, path.str(), contents);
  if (failure.err == 0) {
    failure = {AtomicWriteStep::Rename,
               RunStep(AtomicWriteStep::Rename, [&] { return ::rename(tempPath.c_str(), path.c_str()); })};
  }
  if (failure.err != 0) {
    ::unlink(tempPath.c_str());
    return Fail(error, path, failure);
  }
  SyncDirectory(path.str());
  return true;
}

void SetAtomicWriteFaultForTesting(AtomicWriteFault fault) {
  InstalledFault() = std::move(fault);
}
