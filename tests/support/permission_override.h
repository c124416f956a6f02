// Root ignores permission bits, and the tests run as root on the build machines. While
// a WithoutPermissionOverride lives, CAP_DAC_OVERRIDE is lowered from the effective set,
// so that the process meets permission bits as a user would; the capability stays
// permitted and is raised again at the end of the scope. For a process that does not
// hold the capability there is nothing to lower.
#pragma once

#include <linux/capability.h>

#include <array>

class WithoutPermissionOverride {
 public:
  WithoutPermissionOverride();
  ~WithoutPermissionOverride();
  WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
  WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

 private:
  using Caps = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;
  static bool Exchange(long call, Caps& caps);

  Caps m_saved{};
  bool m_lowered = false;
};

// Whether permission bits keep this process from making a file in `folder`: true when
// a file cannot be created there. A test of a refused write skips when they do not.
bool PermissionBitsHold(const char* folder);
