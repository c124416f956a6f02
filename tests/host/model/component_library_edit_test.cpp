// Changing a library as a whole, where the application's and the command line's tests
// do not reach: a new empty library, a rename of case alone, names the file cannot
// hold, damaged libraries and failed writes. Each refusal names the problem and leaves
// the file byte for byte as it was, with nothing left beside it.
#include "host/model/component_library_edit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/atomic_write_fault.h"
#include "tests/support/file_text.h"
#include "tests/support/library_text.h"
#include "tests/support/scratch_folder.h"

namespace {

class ComponentLibraryEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_original = ReadFileText(CE_DATA_DIR "/sample.cmplib");
    WriteFileText(Library().str(), m_original);
  }

  CString Library() const { return (m_scratch / "parts.cmplib").c_str(); }
  std::string Text() const { return ReadFileText(Library().str()); }
  std::vector<CString> Names() const {
    std::vector<LibraryEntry> entries;
    CString error;
    EXPECT_TRUE(CComponentLibraryFile::ReadContents(Library(), entries, error)) << error.str();
    std::vector<CString> names;
    for (const LibraryEntry& entry : entries) names.push_back(entry.name);
    return names;
  }

  ScratchFolder m_scratch;
  std::string m_original;
  CString m_error;
};

TEST_F(ComponentLibraryEditTest, TheSampleIsInTheProgramsOwnLayout) {
  // Every byte-for-byte check of a library change rests on this: a library the program wrote.
  std::vector<LibraryComponent> components;
  ASSERT_TRUE(CComponentLibraryFile::Parse(m_original, "sample", components, m_error));
  EXPECT_EQ(CComponentLibraryFile::Format(components), m_original);
  EXPECT_FALSE(ComponentBytes(m_original, "HEX-INV").empty());
}

TEST_F(ComponentLibraryEditTest, ARenameThatOnlyChangesTheCaseIsNoClashWithItself) {
  ASSERT_TRUE(CComponentLibraryEdit::RenameComponent(Library(), "dual-opamp", "Dual-Opamp", m_error))
      << m_error.str();
  EXPECT_EQ(Names()[2], "Dual-Opamp");
  EXPECT_EQ(TextWithout(Text(), "Dual-Opamp"), TextWithout(m_original, "DUAL-OPAMP"));
}

// The application and the command line check names first; the library itself still
// never writes what it could not read back.
TEST_F(ComponentLibraryEditTest, ANameTheFileCannotHoldIsRefusedByReadingTheResultBack) {
  CString error;
  const std::string tooLong(CComponentLibraryFile::kMaxNameLength + 1, 'X');
  EXPECT_FALSE(CComponentLibraryEdit::CopyComponent(Library(), "HEX-INV", tooLong.c_str(), error));
  EXPECT_EQ(error.Find("The library would not read back, so it was left as it was: "), 0) << error.str();
  EXPECT_EQ(Text(), m_original);
  EXPECT_EQ(m_scratch.CountEntries(), 1u) << "nothing left beside the library";
  EXPECT_FALSE(CComponentLibraryEdit::RenameComponent(Library(), "HEX-INV", "", error));
  EXPECT_NE(error.Find("empty"), -1) << error.str();
  EXPECT_EQ(Text(), m_original);
}

TEST_F(ComponentLibraryEditTest, ADamagedLibraryIsRefusedBeforeAnythingIsWritten) {
  m_original = m_original.substr(0, m_original.size() / 2);
  WriteFileText(Library().str(), m_original);
  CString error;
  EXPECT_FALSE(CComponentLibraryEdit::DeleteComponent(Library(), "HEX-INV", error));
  EXPECT_NE(error.Find("parts.cmplib"), -1) << error.str();
  EXPECT_EQ(Text(), m_original);
}

TEST_F(ComponentLibraryEditTest, AFailedWriteLeavesTheLibraryAsItWas) {
  ScopedAtomicWriteFault fault(AtomicWriteStep::Rename, EACCES);
  CString error;
  EXPECT_FALSE(CComponentLibraryEdit::DeleteComponent(Library(), "HEX-INV", error));
  EXPECT_FALSE(error.IsEmpty());
  EXPECT_EQ(Text(), m_original);
  EXPECT_EQ(m_scratch.CountEntries(), 1u);
}

TEST_F(ComponentLibraryEditTest, ANewLibraryIsEmptyAndAnExistingFileIsNeverOverwritten) {
  const CString path = (m_scratch / "fresh.cmplib").c_str();
  ASSERT_TRUE(CComponentLibraryEdit::CreateLibrary(path, m_error)) << m_error.str();
  std::vector<LibraryEntry> entries{{"x", {}, 0}};
  ASSERT_TRUE(CComponentLibraryFile::ReadContents(path, entries, m_error)) << m_error.str();
  EXPECT_TRUE(entries.empty());

  CString error;
  EXPECT_FALSE(CComponentLibraryEdit::CreateLibrary(Library(), error));
  EXPECT_NE(error.Find("already exists"), -1) << error.str();
  EXPECT_EQ(Text(), m_original);
}

}  // namespace
