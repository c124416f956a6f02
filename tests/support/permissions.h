// A folder made read-only for the rest of a scope, for tests of refused writes. Root
// ignores permission bits, so the process also lowers its permission override while
// the folder is read-only, and meets the bits as a user would.
//
//   ReadOnlyFolder readOnly(scratch.Path());
//   if (!readOnly.Enforced()) GTEST_SKIP() << "permission bits are not enforced";
#pragma once

#include <linux/capability.h>

#include <array>
#include <filesystem>

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder);
  // Gives the folder its owner's rights back and raises the override again.
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // False when the process can still create a file in the folder (a file system that
  // ignores the bits, or an override that could not be lowered): the test cannot run.
  bool Enforced() const;

 private:
  using Capabilities = std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3>;
  static bool Exchange(long call, Capabilities& capabilities);

  std::filesystem::path m_folder;
  Capabilities m_saved{};
  bool m_lowered = false;
};
