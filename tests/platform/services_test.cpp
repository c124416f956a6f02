#include <errno.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <set>

#include "platform/program_path.h"
#include "platform/temp_file.h"
#include "tests/support/environment.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(GetTempFileTest, MakesFreshEmptyFilesInTheTemporaryDirectory) {
  ScratchFolder dir;
  EnvironmentOverride tmp("TMPDIR", dir.Path().string() + "/");
  std::set<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    CString path;
    ASSERT_TRUE(GetTempFile(path));
    EXPECT_EQ(fs::path(path.str()).parent_path(), dir.Path());
    EXPECT_TRUE(fs::path(path.str()).filename().string().starts_with("ce-")) << path.str();
    EXPECT_TRUE(fs::is_regular_file(path.str()));
    EXPECT_EQ(fs::file_size(path.str()), 0U);
    paths.insert(path.str());
  }
  EXPECT_EQ(paths.size(), 3U);
}

TEST(GetTempFileTest, FailsWhenTheTemporaryDirectoryIsMissing) {
  ScratchFolder dir;
  EnvironmentOverride tmp("TMPDIR", dir / "missing");
  CString path = "unchanged";
  EXPECT_FALSE(GetTempFile(path));
  EXPECT_EQ(path, "unchanged");
}

TEST(WriteFileAtomicallyTest, ReplacesContentsAndKeepsPermissions) {
  ScratchFolder dir;
  const std::string path = dir / "data.txt";
  WriteFileText(path, "old contents that are longer");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  CString error;
  ASSERT_TRUE(WriteFileAtomically(CString(path), "new", error)) << error.str();
  EXPECT_EQ(ReadFileText(path), "new");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(dir.CountEntries(), 1U);
}

// A full disk: writes beyond the limit fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limited = m_old;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int);
};

TEST(WriteFileAtomicallyTest, FailedWriteLeavesTheOldFileAndNoLeftovers) {
  ScratchFolder dir;
  const std::string path = dir / "data.txt";
  WriteFileText(path, "old");
  CString error;
  {
    FileSizeLimit full(8);
    EXPECT_FALSE(WriteFileAtomically(CString(path), std::string(64, 'x'), error));
  }
  EXPECT_NE(error.Find(path.c_str()), -1) << error.str();
  EXPECT_EQ(ReadFileText(path), "old");
  EXPECT_EQ(dir.CountEntries(), 1U);
}

TEST(ProgramPathTest, NamesTheDirectoryOfTheRunningProgram) {
  const std::string path = GetProgramPath().str();
  ASSERT_TRUE(path.ends_with('/')) << path;
  EXPECT_TRUE(fs::path(path).is_absolute()) << path;
  EXPECT_TRUE(fs::exists(path + program_invocation_short_name)) << path;
}

TEST(ProgramPathTest, OverrideAddsTheSeparatorAndEmptyRestores) {
  const CString real = GetProgramPath();
  SetProgramPathForTesting("/opt/stock");
  EXPECT_EQ(GetProgramPath() + "package.txt", "/opt/stock/package.txt");
  SetProgramPathForTesting("/opt/stock/");
  EXPECT_EQ(GetProgramPath(), "/opt/stock/");
  SetProgramPathForTesting("");
  EXPECT_EQ(GetProgramPath(), real);
}

}  // namespace
