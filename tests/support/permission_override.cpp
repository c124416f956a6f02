#include "tests/support/permission_override.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

WithoutPermissionOverride::WithoutPermissionOverride() {
  if (!Exchange(SYS_capget, m_saved)) return;
  Caps lowered = m_saved;
  lowered[0].effective &= ~(1U << CAP_DAC_OVERRIDE);
  m_lowered = Exchange(SYS_capset, lowered);
}

WithoutPermissionOverride::~WithoutPermissionOverride() {
  if (m_lowered) Exchange(SYS_capset, m_saved);
}

bool WithoutPermissionOverride::Exchange(long call, Caps& caps) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return ::syscall(call, &header, caps.data()) == 0;
}

bool PermissionBitsHold(const char* folder) {
  const std::string probe = std::string(folder) + "/permission-probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.c_str());
  return false;
}
