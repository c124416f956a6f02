// Replacing a file through a temporary one: every step that can fail, failed on purpose,
// leaves the old file (or no file) and nothing else, and says which step failed.
#include <errno.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/temp_file.h"
#include "tests/support/atomic_write_fault.h"
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

TEST(AtomicWriteTest, TheNewContentsAreOnDiskBeforeTheyTakeThePlaceOfTheFile) {
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
}

TEST(AtomicWriteTest, EachFailedStepIsNamedAndLeavesTheOldFileAndNothingElse) {
  for (const StepCase& c : kStepCases) {
    SCOPED_TRACE(AtomicWriteStepName(c.step));
    ScratchFolder dir;
    const std::string path = dir / "data.txt";
    WriteFileText(path, "old contents");
    CString error;
    {
      ScopedAtomicWriteFault fault(c.step, c.err);
      EXPECT_FALSE(WriteFileAtomically(CString(path), "new contents", error));
    }
    EXPECT_EQ(error, CString("Cannot write \"" + path + "\": " + c.said + ": " + std::strerror(c.err) + "."));
    EXPECT_EQ(ReadFileText(path), "old contents");
    EXPECT_EQ(dir.CountEntries(), 1U) << "a temporary file was left behind";
  }
}

TEST(AtomicWriteTest, AFailedFirstWriteLeavesNoFileAtAll) {
  for (const StepCase& c : kStepCases) {
    if (c.step == Step::CopyPermissions) continue;  // not taken for a new file
    SCOPED_TRACE(AtomicWriteStepName(c.step));
    ScratchFolder dir;
    const std::string path = dir / "data.txt";
    CString error;
    {
      ScopedAtomicWriteFault fault(c.step, c.err);
      EXPECT_FALSE(WriteFileAtomically(CString(path), "new contents", error));
    }
    EXPECT_NE(error.Find(c.said), -1) << error.str();
    EXPECT_EQ(dir.CountEntries(), 0U);
  }
}

TEST(AtomicWriteTest, ADiskThatFillsPartWayLeavesTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir / "data.txt";
  WriteFileText(path, "old contents");
  const std::string large(300 * 1024, 'x');
  CString error;
  {
    ScopedAtomicWriteFault fault(Step::Write, ENOSPC, 3);
    EXPECT_FALSE(WriteFileAtomically(CString(path), large, error));
    EXPECT_EQ(std::count(fault.Steps().begin(), fault.Steps().end(), Step::Write), 3)
        << "two pieces were written before the disk was full";
  }
  EXPECT_NE(error.Find("writing the temporary file failed: No space left on device."), -1) << error.str();
  EXPECT_EQ(ReadFileText(path), "old contents");
  EXPECT_EQ(dir.CountEntries(), 1U);

  ASSERT_TRUE(WriteFileAtomically(CString(path), large, error)) << error.str();
  EXPECT_EQ(ReadFileText(path), large) << "written whole, in pieces";
}

}  // namespace
