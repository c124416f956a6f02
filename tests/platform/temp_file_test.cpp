// Temporary files, the program's path, regular files read within a limit, and replacing
// a file through a temporary one: every step that can fail, failed on purpose, leaves the
// old file (or no file) and nothing else, and says which step failed.
#include "platform/temp_file.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <set>

#include "platform/program_path.h"
#include "platform/regular_file.h"
#include "tests/support/atomic_write_fault.h"
#include "tests/support/environment.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using Step = AtomicWriteStep;

struct StepCase {
  Step step;
  int err;
  const char* said;  // what the message says of the step
};

const StepCase kStepCases[] = {
    {Step::CreateTemporary, EACCES, "creating a temporary file beside it failed"},
    {Step::Write, ENOSPC, "writing the temporary file failed"},
    {Step::CopyPermissions, EPERM, "giving the temporary file the permissions of the file failed"},
    {Step::Flush, EIO, "flushing the temporary file to disk failed"},
    {Step::Close, EIO, "closing the temporary file failed"},
    {Step::Rename, EXDEV, "putting the temporary file in the place of the file failed"},
};

TEST(AtomicWriteTest, TheNewContentsAreOnDiskFirstAndEachFailedStepIsNamedAndLeavesTheOldFileOrNone) {
  ScratchFolder dir;
  const std::string path = dir / "data.txt";
  CString error;
  {
    ScopedAtomicWriteFault steps;
    ASSERT_TRUE(WriteFileAtomically(CString(path), "first", error)) << error.str();
    EXPECT_EQ(steps.Steps(),
              (std::vector<Step>{Step::CreateTemporary, Step::Write, Step::Flush, Step::Close, Step::Rename}))
        << "a new file has no permissions to copy";
  }
  ScopedAtomicWriteFault steps;
  ASSERT_TRUE(WriteFileAtomically(CString(path), "second", error)) << error.str();
  EXPECT_EQ(steps.Steps(), (std::vector<Step>{Step::CreateTemporary, Step::Write, Step::CopyPermissions,
                                              Step::Flush, Step::Close, Step::Rename}));
  EXPECT_EQ(ReadFileText(path), "second");

  // Each failed step is named and leaves the old file, or none for a new file (which takes no CopyPermissions
  // step), and nothing else.
  for (const bool replacing : {true, false}) {
    for (const StepCase& c : kStepCases) {
      if (!replacing && c.step == Step::CopyPermissions) continue;
      SCOPED_TRACE(std::string(AtomicWriteStepName(c.step)) + (replacing ? " replacing" : " new"));
      ScratchFolder dir;
      const std::string path = dir / "data.txt";
      if (replacing) WriteFileText(path, "old contents");
      CString error;
      {
        ScopedAtomicWriteFault fault(c.step, c.err);
        EXPECT_FALSE(WriteFileAtomically(CString(path), "new contents", error));
      }
      EXPECT_EQ(error,
                CString("Cannot write \"" + path + "\": " + c.said + ": " + std::strerror(c.err) + "."));
      EXPECT_EQ(dir.CountEntries(), replacing ? 1U : 0U) << "a temporary file was left behind";
      EXPECT_EQ(fs::exists(path) ? ReadFileText(path) : "", replacing ? "old contents" : "");
    }
  }
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

// The system's own refusal, after some pieces went to disk.
TEST(AtomicWriteTest, ADiskThatFillsPartWayLeavesTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir / "data.txt";
  WriteFileText(path, "old contents");
  const std::string large(300 * 1024, 'x');
  CString error;
  {
    FileSizeLimit full(200 * 1024);
    ScopedAtomicWriteFault steps;
    EXPECT_FALSE(WriteFileAtomically(CString(path), large, error));
    EXPECT_GT(std::count(steps.Steps().begin(), steps.Steps().end(), Step::Write), 2) << "filled part way";
  }
  EXPECT_EQ(error, CString("Cannot write \"" + path +
                           "\": writing the temporary file failed: " + std::strerror(EFBIG) + "."));
  EXPECT_EQ(ReadFileText(path), "old contents");
  EXPECT_EQ(dir.CountEntries(), 1U);

  ASSERT_TRUE(WriteFileAtomically(CString(path), large, error)) << error.str();
  EXPECT_EQ(ReadFileText(path), large) << "written whole, in pieces";
}

// What stands at the path decides whether it is written and where: each case makes
// the folder, writes "new" to "data.txt", and checks what the folder holds then (a
// refused write leaves it as it was). Every row, and the owner test below, is a
// regression of saves that replaced a link, split a hard-linked file, dropped an owner
// or mode, or read a FIFO (d310fc0).
struct TargetCase {
  const char* what;
  std::function<void(const fs::path& dir)> make;
  AtomicWriteOptions options;
  const char* refusal;     // part of the message; null when the write goes through
  std::string after = {};  // the folder's listing after a write that went through
  mode_t mode = 0;         // of the file written, when not 0
};

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// What a folder holds, sorted: "name=contents" for files, "name->target" for links,
// "name/" for folders and "name?" for anything else.
std::string Listing(const fs::path& dir) {
  std::vector<std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
    std::string line = entry.path().lexically_relative(dir).string();
    if (entry.is_symlink()) {
      line += "->" + fs::read_symlink(entry.path()).string();
    } else {
      line += entry.is_directory() ? "/" : entry.is_regular_file() ? "=" + ReadFileText(entry.path()) : "?";
    }
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  std::string listing;
  for (const std::string& line : entries) listing += line + " ";
  return listing;
}

std::function<void(const fs::path&)> OldFile(mode_t mode) {
  return [mode](const fs::path& dir) {
    WriteFileText(dir / "data.txt", "old");
    ::chmod((dir / "data.txt").c_str(), mode);
  };
}

const TargetCase kTargetCases[] = {
    {"a link is written through, in the real file's folder, and stays a link",
     [](const fs::path& dir) {
       fs::create_directory(dir / "real");
       WriteFileText(dir / "real/lib.txt", "old");
       fs::create_symlink("real/lib.txt", dir / "data.txt");
     },
     {},
     nullptr,
     "data.txt->real/lib.txt real/ real/lib.txt=new ",
     0},
    {"a FIFO is refused and stays",
     [](const fs::path& dir) { ::mkfifo((dir / "data.txt").c_str(), 0644); },
     {},
     "it is a FIFO, not a regular file"},
    {"a link to a device is refused",
     [](const fs::path& dir) { fs::create_symlink("/dev/null", dir / "data.txt"); },
     {},
     "it is a device, not a regular file"},
    {"a folder is refused",
     [](const fs::path& dir) { fs::create_directory(dir / "data.txt"); },
     {},
     "it is a folder, not a regular file"},
    {"a hard-linked file is refused, never split",
     [](const fs::path& dir) {
       WriteFileText(dir / "data.txt", "old");
       fs::create_hard_link(dir / "data.txt", dir / "other.txt");
     },
     {},
     "it is one file under 2 names (hard links)"},
    {"a read-only file is refused", OldFile(0444), {}, "it is read-only"},
    {"a read-only file is written when the user asks, and stays read-only",
     OldFile(0444),
     {true, nullptr},
     nullptr,
     "data.txt=new ",
     0444},
    {"a file's mode is kept", OldFile(0640), {}, nullptr, "data.txt=new ", 0640},
    {"temporary files of a gone process go, a running one's stay",
     [](const fs::path& dir) {
       WriteFileText(dir / "data.txt", "old");
       WriteFileText(dir / TemporaryNameFor("data.txt", 999999999, 0), "left by a killed save");
       WriteFileText(dir / TemporaryNameFor("data.txt", 1, 0), "being written");
     },
     {},
     nullptr,
     "data.txt.tmp-1-0=being written data.txt=new ",
     0},
};

TEST(AtomicWriteTest, WhatStandsAtThePathDecidesWhetherAndWhereItIsWritten) {
  for (const TargetCase& c : kTargetCases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    c.make(dir.Path());
    const std::string before = Listing(dir.Path());
    const std::string path = dir / "data.txt";
    CString error;
    EXPECT_EQ(WriteFileAtomically(CString(path), "new", c.options, error), c.refusal == nullptr)
        << error.str();
    EXPECT_EQ(Listing(dir.Path()), c.refusal == nullptr ? c.after : before);
    EXPECT_TRUE(c.refusal == nullptr || error.Find(c.refusal) >= 0) << error.str();
    EXPECT_TRUE(c.mode == 0 || ModeOf(path) == c.mode) << std::oct << ModeOf(path);
  }
}

// Root keeps a replaced file's owner. A user who is not root cannot give it back: the
// write says so, to the caller or, for a command-line run, to the process's notes.
TEST(AtomicWriteTest, AReplacedFileKeepsItsOwnerOrTheLossIsNoted) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
  ScratchFolder dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
  const std::string path = dir / "data.txt";
  WriteFileText(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
  CString error;
  CString warning;
  ASSERT_TRUE(WriteFileAtomically(CString(path), "root's", {false, &warning}, error)) << error.str();
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(std::make_pair(info.st_uid, info.st_gid), std::make_pair(4321u, 4322u));
  EXPECT_TRUE(warning.IsEmpty()) << warning.str();

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    CString noted;
    SetAtomicWriteNotes([&](const CString& note) { noted = note; });
    const bool written = WriteFileAtomically(CString(path), "new", error);
    ::_exit(!written ? 4 : noted.Find("owner") < 0 ? 5 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: no other user, 4: not written, 5: nothing noted";
  EXPECT_EQ(ReadFileText(path), "new");
}

// Inputs that are not regular files, or too large, are refused before they are read:
// a FIFO without a writer would otherwise hang, and /dev/zero never ends.
TEST(RegularFileTest, OnlyRegularFilesWithinTheLimitAreRead) {
  ScratchFolder dir;
  WriteFileText(dir / "small.txt", "12345");
  ::mkfifo((dir / "fifo").c_str(), 0644);
  const struct {
    std::string path;
    const char* refusal;
  } cases[] = {
      {dir / "small.txt", nullptr},
      {dir / "fifo", "it is a FIFO, not a regular file"},
      {"/dev/zero", "it is a device, not a regular file"},
      {dir.Path().string(), "it is a folder, not a regular file"},
      {dir / "missing", "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string text;
    CString error;
    EXPECT_EQ(ReadRegularFile(CString(c.path), text, 5, error), c.refusal == nullptr);
    if (c.refusal != nullptr) {
      EXPECT_NE(error.Find(c.refusal), -1) << error.str();
    }
  }
  std::string text;
  CString error;
  EXPECT_TRUE(ReadRegularFile(CString(dir / "small.txt"), text, 5, error));
  EXPECT_EQ(text, "12345");
  // A file that measures 0 bytes until it is read, as the system's own under /proc.
  EXPECT_TRUE(ReadRegularFile(CString("/proc/self/status"), text, 1 << 20, error));
  EXPECT_NE(text.find("\nPid:"), std::string::npos) << text;
  EXPECT_FALSE(ReadRegularFile(CString(dir / "small.txt"), text, 4, error));
  EXPECT_NE(error.Find("it is larger than the 4 bytes this program reads"), -1) << error.str();
}

TEST(GetTempFileTest, MakesFreshEmptyFilesInTheTemporaryDirectoryAndTheProgramPathNamesItsDirectory) {
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

  EnvironmentOverride missing("TMPDIR", dir / "missing");
  CString path = "unchanged";
  EXPECT_FALSE(GetTempFile(path));
  EXPECT_EQ(path, "unchanged");

  // The program path names the directory of the running program unless overridden.
  const std::string program = GetProgramPath().str();
  ASSERT_TRUE(program.ends_with('/')) << program;
  EXPECT_TRUE(fs::path(program).is_absolute()) << program;
  EXPECT_TRUE(fs::exists(program + program_invocation_short_name)) << program;

  // An override gets the separator added; an empty one restores the real path.
  const CString real = GetProgramPath();
  SetProgramPathForTesting("/opt/stock");
  EXPECT_EQ(GetProgramPath() + "package.txt", "/opt/stock/package.txt");
  SetProgramPathForTesting("/opt/stock/");
  EXPECT_EQ(GetProgramPath(), "/opt/stock/");
  SetProgramPathForTesting("");
  EXPECT_EQ(GetProgramPath(), real);
}

}  // namespace
