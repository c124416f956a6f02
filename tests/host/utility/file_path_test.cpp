// File paths taken apart and joined back, the library-path recipe the dialogs follow,
// and showing a text file to the user.
#include "host/utility/file_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "host/utility/app_error.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"

namespace {

struct Split {
  const char* path;
  const char* directory;
  const char* fileName;
  const char* extension;
};

TEST(FilePathTest, SplitsEveryShapeOfPathJoinsItBackUnchangedAndJoinsPartsSetSeparately) {
  const Split cases[] = {
      {"/usr/share/lib/logic.scmlib", "/usr/share/lib/", "logic", "scmlib"},
      {"logic.scmlib", "", "logic", "scmlib"},
      {"lib/archive.tar.gz", "lib/", "archive.tar", "gz"},
      {"lib/README", "lib/", "README", ""},
      {"/home/user/.profile", "/home/user/", ".profile", ""},
      {"/home/user/.config.json", "/home/user/", ".config", "json"},
      {"dir.d/name", "dir.d/", "name", ""},
      {"name.", "", "name.", ""},
      {"/tmp/out/", "/tmp/out/", "", ""},
      {"..", "", "..", ""},
      {"/", "/", "", ""},
      {"", "", "", ""},
  };
  for (const Split& c : cases) {
    SCOPED_TRACE(c.path);
    const CFilePath path{CString(c.path)};
    EXPECT_EQ(
        path.GetDrive() + "|" + path.GetDirectory() + "|" + path.GetFileName() + "|" + path.GetExtension(),
        CString("|") + c.directory + "|" + c.fileName + "|" + c.extension);
    EXPECT_EQ(path.GetPath() + CString(path), CString(c.path) + c.path);
  }

  // The library path: the last-used file's directory, a listed name that carries its
  // own extension.
  CFilePath library(CString("/data/libs/last.pcblib"));
  library.SetExtension("");
  library.SetFileName("footprints.pcblib");
  EXPECT_EQ(library.GetPath(), "/data/libs/footprints.pcblib");

  CFilePath technology;
  technology.SetDirectory("/etc/tech");
  technology.SetFileName("default");
  technology.SetExtension(".scmtech");
  EXPECT_EQ(technology.GetPath(), "/etc/tech/default.scmtech");
  EXPECT_EQ(technology.GetDriveAndDirectory(), "/etc/tech/");

  technology.SetPath("/x/y/../z");
  EXPECT_EQ(technology.GetFullPath(), "/x/z");
}

class EditFileTest : public HeadlessTest {};

TEST_F(EditFileTest, ShowsAReadableFileAndRefusesOthers) {
  CString report;
  ASSERT_TRUE(GetTempFile(report));
  WriteFileText(report.str(), "gate A: terminal 3 has no pin\n");
  EXPECT_TRUE(EditFile(report, true));
  ASSERT_EQ(Screen().TextFilesShown().size(), 1u);
  EXPECT_EQ(Screen().TextFilesShown()[0], report);
  ::unlink(report.c_str());

  CAppError::ClearLastError();
  EXPECT_FALSE(EditFile(report, true));
  EXPECT_FALSE(EditFile(CString(std::filesystem::temp_directory_path().string()), true));
  EXPECT_EQ(Screen().TextFilesShown().size(), 1u);
  EXPECT_NE(CAppError::GetLastError().Find("cannot be read"), -1);
}

}  // namespace
