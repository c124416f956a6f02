// One symbol read alone through the index of its library gives what reading the whole
// library gives; the index follows the file when it changes; a footprint folder is read
// a file at a time.
#include "host/kicad/kicad_symbol_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "host/kicad/kicad_on_demand_library.h"
#include "host/kicad/kicad_symbol_reader.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Pin(const std::string& number, const std::string& name) {
  return "(pin input line (at 0 " + number + " 0) (length 2.54) (name \"" + name +
         "\" (effects)) (number \"" + number + "\" (effects)))\n";
}

// Strings hold brackets and escaped quotes that a scan counting brackets must step over.
const std::string kLibrary =
    "(kicad_symbol_lib (version 20211014) (generator test)\n"
    "(symbol \"BASE\" (property \"Description\" \"a \\\"(quoted)\\\" ) bracket\" (effects))\n"
    "  (symbol \"BASE_0_1\" (rectangle (start -5 5) (end 5 -5) (stroke (width 0.254)) (fill (type none))))\n"
    "  (symbol \"BASE_1_1\" " +
    Pin("1", "A)") + Pin("2", "B\\\"(") +
    ")\n"
    "  (symbol \"BASE_2_1\" " +
    Pin("3", "C") +
    "))\n"
    "(symbol \"CHILD\" (extends \"BASE\") (property \"Value\" \"((\" (effects)))\n"
    "(symbol \"GRANDCHILD\" (extends \"CHILD\"))\n"
    "(symbol \"ODD\\\"(1)\" (symbol \"ODD\\\"(1)_1_1\" " +
    Pin("7", ")") +
    "))\n"
    "(symbol \"ORPHAN\" (extends \"GONE\"))\n"
    "(symbol \"BAD\" (symbol \"BAD_1_1\" (pin input line (length 1))))\n"
    ")\n";

class KicadSymbolIndexTest : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = m_scratch.Path() / name;
    WriteFileText(path, text);
    return path;
  }
  ScratchFolder m_scratch;
};

TEST_F(KicadSymbolIndexTest, EachSymbolReadAloneIsAsTheWholeLibraryReadsItUntilTheFileChanges) {
  const fs::path path = Write("Lib.kicad_sym", kLibrary);
  const CString file(path.string());
  CString error;
  const auto whole = CKicadSymbolReader::Parse(kLibrary, "Lib.kicad_sym", error);
  ASSERT_NE(whole, nullptr) << error;
  const auto index = CKicadSymbolIndex::Get(file, error);
  ASSERT_NE(index, nullptr) << error;
  ASSERT_EQ(index->UnitNames().size(), 8U) << "ORPHAN has no parts; BAD is listed, read alone it fails";
  for (const CString& name : index->UnitNames()) {
    SCOPED_TRACE(name.str());
    const CKicadSymbolIndex::Symbol* symbol = index->FindUnit(name.str());
    ASSERT_NE(symbol, nullptr);
    const auto alone = index->Read(file, *symbol, error);
    ASSERT_NE(alone, nullptr) << error;
    const CSymbol* expected = whole->Find(name.str());
    if (expected == nullptr) {
      EXPECT_EQ(alone->Count(), 0);
      ASSERT_EQ(alone->Problems().size(), 1U);
      EXPECT_NE(std::find(whole->Problems().begin(), whole->Problems().end(), alone->Problems()[0]),
                whole->Problems().end())
          << alone->Problems()[0] << " is not as the whole library's read puts it";
      continue;
    }
    ASSERT_NE(alone->Find(name.str()), nullptr);
    EXPECT_EQ(*alone->Find(name.str()), *expected);
  }
  EXPECT_TRUE(index->FindUnit("grandchild:b")->name == "GRANDCHILD" && index->FindUnit("ORPHAN") == nullptr);

  // The index is kept while the file stays the same and made again when it changes.
  EXPECT_EQ(CKicadSymbolIndex::Get(file, error), index) << "kept while the file stays the same";

  const auto time = fs::last_write_time(path) + std::chrono::seconds(2);
  std::string renamed = kLibrary;
  renamed.replace(renamed.find("\"CHILD\""), 7, "\"KID_X\"");
  Write("Lib.kicad_sym", renamed);
  fs::last_write_time(path, time);
  const auto sameSize = CKicadSymbolIndex::Get(file, error);
  ASSERT_NE(sameSize, index) << "same size, new time";
  EXPECT_TRUE(sameSize->FindSymbol("KID_X") != nullptr && sameSize->FindSymbol("CHILD") == nullptr);

  Write("Lib.kicad_sym", kLibrary + "\n");
  fs::last_write_time(path, time);
  const auto sameTime = CKicadSymbolIndex::Get(file, error);
  ASSERT_NE(sameTime, nullptr) << error;
  EXPECT_NE(sameTime->FindSymbol("CHILD"), nullptr) << "same time, new size";
}

TEST_F(KicadSymbolIndexTest, AFootprintIsReadFromItsOwnFileAlone) {
  fs::create_directory(m_scratch.Path() / "Parts.pretty");
  Write("Parts.pretty/SOT23.kicad_mod",
        "(footprint \"SOT23\" (version 20211014) (layer \"F.Cu\")\n"
        "(pad \"1\" smd rect (at 0 0) (size 0.5 0.5)) (pad \"2\" smd rect (at 1 0) (size 0.5 0.5)))\n");
  Write("Parts.pretty/Broken.kicad_mod", "(footprint \"Broken\" (pad");

  const CString folder((m_scratch.Path() / "Parts.pretty").string());
  CPcbSymbolLibrary library(folder);
  ASSERT_TRUE(library.OpenRead()) << CAppError::GetLastError();
  EXPECT_EQ(library.SymbolNames(), (std::vector<CString>{"Broken", "SOT23"}));
  EXPECT_EQ(library.Find("Broken"), nullptr);

  CString error;
  const auto onDemand = CKicadOnDemandLibrary::Open(folder, error);
  ASSERT_NE(onDemand, nullptr) << error;
  ASSERT_NE(onDemand->Find("SOT23"), nullptr);
  EXPECT_TRUE(onDemand->Failure("Broken").IsEmpty()) << "not read until asked for";
  EXPECT_EQ(onDemand->Find("Broken"), nullptr);
  EXPECT_NE(onDemand->Failure("Broken").Find("Broken.kicad_mod"), -1) << onDemand->Failure("Broken");
}

}  // namespace
