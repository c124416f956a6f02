// Pin maps between files and libraries: an import changes the library's pin map and
// nothing else, and a refused one leaves the library's bytes alone.
#include "host/pinmap/pin_map_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

class PinMapFileTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileText(Library().str(), ReadFileText(CE_DATA_DIR "/sample.cmplib")); }

  CString Library() const { return CString(m_folder / "sample.cmplib"); }
  CString File(const std::string& name, const std::string& text) const {
    WriteFileText(m_folder / name, text);
    return CString(m_folder / name);
  }
  std::string Export(const char* component) const {
    std::string text;
    CString error;
    EXPECT_TRUE(ExportLibraryPinMap(Library(), component, PinMapSeparator::Comma, text, error))
        << error.c_str();
    return text;
  }
  CString ImportRefusal(const CString& file) const {
    const std::string before = ReadFileText(Library().str());
    PinMapPlacement placement;
    CString error;
    EXPECT_FALSE(
        ImportLibraryPinMap(Library(), "QUAD-NAND2", file, PinMapMatch::GateAndTerminal, placement, error));
    EXPECT_EQ(ReadFileText(Library().str()), before);
    return error;
  }

  ScratchFolder m_folder;
};

}  // namespace

TEST_F(PinMapFileTest, AnImportedEditOfTheExportChangesThatPinAndLeavesTheRestOfTheLibrary) {
  const std::string exported = Export("quad-nand2");
  ASSERT_NE(exported.find("\na,1,"), std::string::npos) << exported;
  const std::size_t line = exported.find("\na,1,");
  const std::size_t end = exported.find('\n', line + 1);
  const std::string edited = exported.substr(0, exported.rfind(',', end) + 1) + "77" + exported.substr(end);
  PinMapPlacement placement;
  CString error;
  ASSERT_TRUE(ImportLibraryPinMap(Library(), "QUAD-NAND2", File("pins.csv", edited),
                                  PinMapMatch::GateAndTerminal, placement, error))
      << error.c_str();
  EXPECT_TRUE(placement.unplaced.empty());
  EXPECT_EQ(Export("QUAD-NAND2"), edited);

  std::vector<LibraryComponent> before, after;
  ASSERT_TRUE(CComponentLibraryFile::Load(CE_DATA_DIR "/sample.cmplib", before, error));
  ASSERT_TRUE(CComponentLibraryFile::Load(Library(), after, error));
  ASSERT_EQ(after.size(), before.size());
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) changed += before[i].records != after[i].records ? 1 : 0;
  EXPECT_EQ(changed, 1);
}

TEST_F(PinMapFileTest, RefusedImportsNameTheFaultAndLeaveTheLibraryAsItWas) {
  const std::string exported = Export("QUAD-NAND2");
  const std::string header = exported.substr(0, exported.find('\n'));
  EXPECT_THAT(ImportRefusal(File("package.csv", header + ",PLCC-20" + exported.substr(header.size()))).str(),
              testing::MatchesRegex("Cannot import \"package.csv\" at line 1, column [0-9]+: the component "
                                    "\"QUAD-NAND2\" has no package \"PLCC-20\"\\."));
  EXPECT_EQ(ImportRefusal(File("missing.csv", "")).Left(37), "Cannot read \"missing.csv\" at line 1: ");
  EXPECT_EQ(ImportRefusal(CString(m_folder / "none.csv")).Left(13), "Cannot read \"");
  EXPECT_EQ(ImportRefusal("/dev/zero"), "Cannot read \"/dev/zero\": it is a device, not a regular file.")
      << "an endless input is refused before it is read";
}
