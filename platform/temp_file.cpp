#include "platform/temp_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool Fail(CString& error, const CString& path, int err) {
  error.FormatMessage("Cannot write \"%1\": %2.", path, std::generic_category().message(err));
  return false;
}

// Opens a file beside path that did not exist before; its name is kept in tempPath.
// Not mkstemp: that would create the file 0600 regardless of the umask.
int CreateSibling(const std::string& path, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// Writes, copies the old file's permissions and closes; 0 or the errno of the first failure.
int FillAndClose(int fd, const std::string& path, std::string_view contents) {
  int err = WriteAll(fd, contents);
  struct stat old {};
  if (err == 0 && ::stat(path.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
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
  const int fd = CreateSibling(path.str(), tempPath);
  if (fd < 0) return Fail(error, path, errno);
  int err = FillAndClose(fd, path.str(), contents);
  if (err == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tempPath.c_str());
    return Fail(error, path, err);
  }
  SyncDirectory(path.str());
  return true;
}
