#include "tests/support/permissions.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <system_error>

ReadOnlyFolder::ReadOnlyFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {
  // The override stays permitted, only the effective set loses it, so it can come back.
  if (Exchange(SYS_capget, m_saved)) {
    Capabilities lowered = m_saved;
    lowered[0].effective &= ~(1U << CAP_DAC_OVERRIDE);
    m_lowered = Exchange(SYS_capset, lowered);
  }
  std::filesystem::permissions(m_folder,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (m_lowered) Exchange(SYS_capset, m_saved);
  std::error_code ignored;
  std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, ignored);
}

bool ReadOnlyFolder::Enforced() const {
  const std::string probe = (m_folder / "probe").string();
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.c_str());
  return false;
}

bool ReadOnlyFolder::Exchange(long call, Capabilities& capabilities) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return ::syscall(call, &header, capabilities.data()) == 0;
}
