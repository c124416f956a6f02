#include "platform/program_path.h"

#include <filesystem>
#include <system_error>

namespace {

CString& Override() {
  static CString path;
  return path;
}

CString WithTrailingSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return CString(std::move(dir));
}

}  // namespace

CString GetProgramPath() {
  if (!Override().IsEmpty()) return Override();
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return "./";
  return WithTrailingSlash(exe.parent_path().string());
}

void SetProgramPathForTesting(const CString& path) {
  Override() = path.IsEmpty() ? CString() : WithTrailingSlash(path.str());
}
