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
#include <utility>

#include "platform/regular_file.h"

namespace {

std::string TempDirectory() {
  const char* env = std::getenv("TMPDIR");
  std::string dir = env != nullptr && *env != '\0' ? env : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

AtomicWriteNotes& Notes() {
  static AtomicWriteNotes notes;
  return notes;
}

std::atomic<bool>& ReplaceReadOnlyFiles() {
  static std::atomic<bool> replace{false};
  return replace;
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
    tempPath = TemporaryNameFor(path, ::getpid(), counter++);
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

// A replaced file keeps its owner, group and permissions; a new file has nothing to
// copy. An owner the system does not let this process give is not a failure: the
// contents matter more, and the caller is told.
int CopyPermissions(int fd, const struct stat* old, CString& lost) {
  if (old == nullptr) return 0;
  return RunStep(AtomicWriteStep::CopyPermissions, [&] {
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
        lost = ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) == 0 ? "owner" : "owner and group";
      }
    }
    return ::fchmod(fd, old->st_mode & 07777);
  });
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
StepFailure FillAndClose(int fd, const struct stat* old, std::string_view contents, CString& lost) {
  StepFailure failure{AtomicWriteStep::Write, WriteAll(fd, contents)};
  if (failure.err == 0) failure = {AtomicWriteStep::CopyPermissions, CopyPermissions(fd, old, lost)};
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

// Only a regular file is replaced, and only one that replacing leaves whole: a file of
// several hard links would keep its old contents under its other names, and a read-only
// file is replaced only when the user asked for it.
bool AcceptTarget(const CString& path, const std::string& real, const struct stat& old,
                  const AtomicWriteOptions& options, CString& error) {
  if (!S_ISREG(old.st_mode)) {
    error.FormatMessage("Cannot write \"%1\": it is %2, not a regular file; it was left as it was.", path,
                        DescribeFileKind(old.st_mode));
    return false;
  }
  if (old.st_nlink > 1) {
    error.FormatMessage(
        "Cannot write \"%1\": it is one file under %2 names (hard links), and saving would split them "
        "apart; it was left as it was.",
        path, CString(std::to_string(old.st_nlink)));
    return false;
  }
  if (!options.replaceReadOnly && !ReplaceReadOnlyFiles() && IsReadOnlyFile(CString(real))) {
    error.FormatMessage("Cannot write \"%1\": it is read-only; it was left as it was.", path);
    return false;
  }
  return true;
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
  return WriteFileAtomically(path, contents, AtomicWriteOptions{}, error);
}

bool WriteFileAtomically(const CString& path, std::string_view contents, const AtomicWriteOptions& options,
                         CString& error) {
  std::string real;
  if (!ResolveLinks(path.str(), real, error)) return false;
  struct stat old {};
  const bool replacing = ::stat(real.c_str(), &old) == 0;
  if (replacing && !AcceptTarget(path, real, old, options, error)) return false;
  RemoveStaleTemporaries(real);
  std::string tempPath;
  int fd = -1;
  StepFailure failure{AtomicWriteStep::CreateTemporary, CreateSibling(real, tempPath, fd)};
  if (failure.err != 0) return Fail(error, path, failure);
  CString lost;
  failure = FillAndClose(fd, replacing ? &old : nullptr, contents, lost);
  if (failure.err == 0) {
    failure = {AtomicWriteStep::Rename,
               RunStep(AtomicWriteStep::Rename, [&] { return ::rename(tempPath.c_str(), real.c_str()); })};
  }
  if (failure.err != 0) {
    ::unlink(tempPath.c_str());
    return Fail(error, path, failure);
  }
  SyncDirectory(real);
  if (lost.IsEmpty()) return true;
  CString note;
  note.FormatMessage("\"%1\" was saved, but its %2 could not be kept: it now belongs to you.", path, lost);
  if (options.warning != nullptr) {
    *options.warning = note;
  } else if (Notes()) {
    Notes()(note);
  }
  return true;
}

void SetAtomicWriteNotes(AtomicWriteNotes notes) {
  Notes() = std::move(notes);
}

void SetReplaceReadOnlyFiles(bool replace) {
  ReplaceReadOnlyFiles() = replace;
}

bool IsReadOnlyFile(const CString& path) {
  std::string real;
  CString ignored;
  struct stat info {};
  if (!ResolveLinks(path.str(), real, ignored) || ::stat(real.c_str(), &info) != 0) return false;
  // Root may write anything, so the bits alone say that a file is meant to stay as it is.
  return (info.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, real.c_str(), W_OK, AT_EACCESS) != 0;
}

void SetAtomicWriteFaultForTesting(AtomicWriteFault fault) {
  InstalledFault() = std::move(fault);
}
