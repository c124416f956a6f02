#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <iterator>
#include <system_error>

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ce-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a scratch folder from " << pattern;
  m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::size_t ScratchFolder::CountEntries() const {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
}
