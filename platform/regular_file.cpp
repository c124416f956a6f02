#include "platform/regular_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr int kMaxLinks = 40;

CString Refusal(const CString& path, const std::string& why) {
  CString error;
  error.FormatMessage("Cannot read \"%1\": %2.", path, CString(why));
  return error;
}

std::string LimitText(std::uintmax_t limit) {
  if (limit >= (1u << 20) && limit % (1u << 20) == 0) return std::to_string(limit >> 20) + " MiB";
  return std::to_string(limit) + " bytes";
}

// Reads at most limit + 1 bytes straight into `text`, room first made for the size the
// file had when measured (and one byte more, so that its end is seen in the same call):
// a file that grew past the limit since it was measured is still caught, and a caller
// that keeps `text` from file to file allocates nothing for most of them.
int ReadUpTo(int fd, std::string& text, std::uintmax_t limit, std::uintmax_t measured) {
  const auto most = static_cast<size_t>(std::min<std::uintmax_t>(limit, SIZE_MAX / 2) + 1);
  size_t filled = 0;
  text.resize(static_cast<size_t>(std::min<std::uintmax_t>(measured + 1, most)));
  for (;;) {
    if (filled == text.size()) {
      if (text.size() == most) break;
      text.resize(std::min(2 * text.size(), most));
    }
    const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      text.resize(filled);
      return got < 0 ? errno : 0;
    }
    filled += static_cast<size_t>(got);
  }
  text.resize(filled);
  return 0;
}

// The process number of "NAME.tmp-PID-N" given the part after ".tmp-"; 0 when the
// name is not of that pattern.
long PidOfTemporary(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
  for (const char ch : rest.substr(dash + 1))
    if (ch < '0' || ch > '9') return 0;
  long pid = 0;
  const auto [end, code] = std::from_chars(rest.data(), rest.data() + dash, pid);
  return code == std::errc() && end == rest.data() + dash ? pid : 0;
}

bool ProcessIsGone(long pid) {
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

const char* DescribeFileKind(mode_t mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "not a file";
}

bool ReadRegularFile(const CString& path, std::string& text, std::uintmax_t limit, CString& error) {
  text.clear();
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = Refusal(path, std::strerror(errno));
    return false;
  }
  struct stat info {};
  std::string why;
  if (::fstat(fd, &info) != 0) {
    why = std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    why = std::string("it is ") + DescribeFileKind(info.st_mode) + ", not a regular file";
  } else if (static_cast<std::uintmax_t>(info.st_size) > limit) {
    why = "it is larger than the " + LimitText(limit) + " this program reads";
  } else if (const int err = ReadUpTo(fd, text, limit, static_cast<std::uintmax_t>(info.st_size))) {
    why = std::strerror(err);
  } else if (text.size() > limit) {
    why = "it grew larger than the " + LimitText(limit) + " this program reads";
  }
  ::close(fd);
  if (why.empty()) return true;
  text.clear();
  error = Refusal(path, why);
  return false;
}

bool ResolveLinks(const std::string& path, std::string& real, CString& error) {
  namespace fs = std::filesystem;
  real = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(real.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::error_code code;
    const fs::path target = fs::read_symlink(real, code);
    if (code) {
      error.FormatMessage("Cannot follow the link \"%1\": %2.", CString(real), CString(code.message()));
      return false;
    }
    real = target.is_absolute() ? target.string() : (fs::path(real).parent_path() / target).string();
  }
  error.FormatMessage("Cannot follow the link \"%1\": it leads through more than %2 links.", CString(path),
                      CString(std::to_string(kMaxLinks)));
  return false;
}

std::string TemporaryNameFor(const std::string& path, long pid, unsigned counter) {
  return path + ".tmp-" + std::to_string(pid) + "-" + std::to_string(counter);
}

void RemoveStaleTemporaries(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path file(path);
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const std::string prefix = file.filename().string() + ".tmp-";
  std::error_code code;
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const long pid = PidOfTemporary(std::string_view(name).substr(prefix.size()));
    if (pid <= 0 || pid == static_cast<long>(::getpid()) || !ProcessIsGone(pid)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
}
