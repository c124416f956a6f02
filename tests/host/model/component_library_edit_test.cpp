// Changing a library as a whole: a new empty library, and adding, copying, renaming
// and deleting one component. Each change touches the bytes of that component only;
// each refusal names the problem and leaves the file byte for byte as it was, with
// nothing left beside it.
#include "host/model/component_library_edit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "host/model/component.h"
#include "host/model/design.h"
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
  // The refusal says `message` and the library and its folder are as they were.
  void ExpectRefused(bool done, const CString& error, const char* message) {
    EXPECT_FALSE(done);
    EXPECT_EQ(error, message);
    EXPECT_EQ(Text(), m_original);
    EXPECT_EQ(m_scratch.CountEntries(), 1u);
  }

  ScratchFolder m_scratch;
  std::string m_original;
  CString m_error;
};

TEST_F(ComponentLibraryEditTest, TheSampleIsInTheProgramsOwnLayout) {
  // The byte checks below rest on this: a library the program wrote.
  std::vector<LibraryComponent> components;
  ASSERT_TRUE(CComponentLibraryFile::Parse(m_original, "sample", components, m_error));
  EXPECT_EQ(CComponentLibraryFile::Format(components), m_original);
  EXPECT_FALSE(ComponentBytes(m_original, "HEX-INV").empty());
}

TEST_F(ComponentLibraryEditTest, DeleteTakesOutTheComponentsBytesAndNothingElse) {
  ASSERT_TRUE(CComponentLibraryEdit::DeleteComponent(Library(), "hex-inv", m_error)) << m_error.str();
  EXPECT_EQ(Text(), TextWithout(m_original, "HEX-INV"));
  EXPECT_EQ(Names(), (std::vector<CString>{"QUAD-NAND2", "DUAL-OPAMP", "RESISTOR"}));
  EXPECT_EQ(m_scratch.CountEntries(), 1u);
}

TEST_F(ComponentLibraryEditTest, CopyPutsTheCopyRightAfterTheOriginalUnderItsNewName) {
  ASSERT_TRUE(CComponentLibraryEdit::CopyComponent(Library(), "HEX-INV", "HEX-INV-SMD", m_error))
      << m_error.str();
  const std::string text = Text();
  EXPECT_EQ(TextWithout(text, "HEX-INV-SMD"), m_original);
  std::string expected = ComponentBytes(m_original, "HEX-INV");
  expected.replace(expected.find("HEX-INV"), 7, "HEX-INV-SMD");
  EXPECT_EQ(ComponentBytes(text, "HEX-INV-SMD"), expected);
  EXPECT_EQ(Names(),
            (std::vector<CString>{"QUAD-NAND2", "HEX-INV", "HEX-INV-SMD", "DUAL-OPAMP", "RESISTOR"}));
}

TEST_F(ComponentLibraryEditTest, RenameKeepsThePlaceAndTheContents) {
  ASSERT_TRUE(CComponentLibraryEdit::RenameComponent(Library(), "DUAL-OPAMP", "OPAMP-2", m_error))
      << m_error.str();
  const std::string text = Text();
  EXPECT_EQ(TextWithout(text, "OPAMP-2"), TextWithout(m_original, "DUAL-OPAMP"));
  std::string expected = ComponentBytes(m_original, "DUAL-OPAMP");
  expected.replace(expected.find("DUAL-OPAMP"), 10, "OPAMP-2");
  EXPECT_EQ(ComponentBytes(text, "OPAMP-2"), expected);
  EXPECT_EQ(Names()[2], "OPAMP-2");
  // A change of case alone is no clash with itself.
  ASSERT_TRUE(CComponentLibraryEdit::RenameComponent(Library(), "opamp-2", "Opamp-2", m_error))
      << m_error.str();
  EXPECT_EQ(Names()[2], "Opamp-2");
}

TEST_F(ComponentLibraryEditTest, AddAppendsTheDesignsComponentAndRefusesANameTheLibraryHolds) {
  CDesign design;
  CComponent* record = design.AddComponent("NEW-PART", "SOT-23");
  record->SetPinCount(3);
  ASSERT_TRUE(CComponentLibraryEdit::AddComponent(Library(), "NEW-PART", design, m_error)) << m_error.str();
  const std::string added = Text();
  EXPECT_EQ(TextWithout(added, "NEW-PART"), m_original);
  EXPECT_EQ(Names().back(), "NEW-PART");

  m_original = added;
  CDesign clash;
  clash.AddComponent("Resistor", "0805");
  CString error;
  ExpectRefused(CComponentLibraryEdit::AddComponent(Library(), "Resistor", clash, error), error,
                "The library \"parts.cmplib\" already holds a component named \"Resistor\".");
}

TEST_F(ComponentLibraryEditTest, RefusalsNameTheProblemAndLeaveTheFileAlone) {
  CString error;
  ExpectRefused(CComponentLibraryEdit::CopyComponent(Library(), "HEX-INV", "resistor", error), error,
                "The library \"parts.cmplib\" already holds a component named \"resistor\".");
  ExpectRefused(CComponentLibraryEdit::RenameComponent(Library(), "HEX-INV", "Quad-Nand2", error), error,
                "The library \"parts.cmplib\" already holds a component named \"Quad-Nand2\".");
  ExpectRefused(CComponentLibraryEdit::DeleteComponent(Library(), "NO-SUCH", error), error,
                "The library \"parts.cmplib\" holds no component named \"NO-SUCH\".");
  // A name the file format cannot hold is caught by reading the result back.
  EXPECT_FALSE(CComponentLibraryEdit::RenameComponent(Library(), "HEX-INV", "", error));
  EXPECT_EQ(error.Find("The library would not read back, so it was left as it was: "), 0) << error.str();
  EXPECT_EQ(Text(), m_original);
  EXPECT_NE(error.Find("empty"), -1) << error.str();
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
