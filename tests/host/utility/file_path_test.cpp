// File paths taken apart and joined back, and the library-path recipe the dialogs follow.
#include "host/utility/file_path.h"

#include <gtest/gtest.h>

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

}  // namespace
