// A folder of the test's own under the system's temporary directory, removed with its
// contents when the test is done, even when the test left it read-only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  // The path of an entry of the folder.
  std::string operator/(const std::string& name) const { return (m_path / name).string(); }
  // How many entries the folder holds: what a failed write must not leave behind.
  std::size_t CountEntries() const;

 private:
  std::filesystem::path m_path;
};
