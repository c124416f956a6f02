// The field's libraries among the others: listed with the libraries of their kind,
// found by the locator, opened by the library of their kind only, read again when a
// footprint folder changes, and their problems kept beside the symbols read.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/model/library_settings.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"
#include "platform/settings_store.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Footprint(const char* name, int pads) {
  std::string text = std::string("(footprint \"") + name + "\" (version 20211014) (layer \"F.Cu\")\n";
  for (int pad = 1; pad <= pads; ++pad)
    text +=
        "(pad \"" + std::to_string(pad) + "\" smd rect (at " + std::to_string(pad) + " 0) (size 0.5 0.5))\n";
  return text + ")\n";
}

class KicadLibraryListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallMemorySettings();
    fs::create_directory(Folder() / "Parts.pretty");
    WriteFileText(Folder() / "Parts.pretty" / "SOT23.kicad_mod", Footprint("SOT23", 3));
    WriteFileText(
        Folder() / "Logic.kicad_sym",
        "(kicad_symbol_lib (version 20211014)\n"
        "(symbol \"BUF\" (symbol \"BUF_1_1\" (pin input line (at 0 0 0) (length 1) (name \"A\" (effects)) "
        "(number \"1\" (effects)))))\n"
        "(symbol \"BAD\" (extends \"GONE\")))\n");
    fs::copy_file(std::string(CE_DATA_DIR "/logic.scmlib"), Folder() / "own.scmlib");
    fs::copy_file(std::string(CE_DATA_DIR "/footprints.pcblib"), Folder() / "own.pcblib");
    WriteFileText(Folder() / "notes.pretty", "a file, not a folder");
  }
  void TearDown() override { SetCurrentSettings(nullptr); }

  const fs::path& Folder() const { return m_scratch.Path(); }
  CString In(const std::string& name) const { return CString((Folder() / name).string()); }

  ScratchFolder m_scratch;
};

TEST_F(KicadLibraryListsTest, EachKindListsAndLocatesItsOwnFilesAndTheFieldsLibrariesOfTheKind) {
  std::vector<CString> names;
  ASSERT_TRUE(CSymbolLibraryLocator::ListLibraries(In(""), SymbolKind::Schematic, names));
  EXPECT_EQ(names, (std::vector<CString>{"Logic.kicad_sym", "own.scmlib"}));
  names.clear();
  ASSERT_TRUE(CSymbolLibraryLocator::ListLibraries(In(""), SymbolKind::Pcb, names));
  EXPECT_EQ(names, (std::vector<CString>{"Parts.pretty", "own.pcblib"}));
  EXPECT_FALSE(CSymbolLibraryLocator::ListLibraries(In("missing"), SymbolKind::Pcb, names));

  // The locator finds a footprint folder beside the library last used.
  CLibrarySettings::SetLastUsedFile(RUNTIME_CLASS(CPcbSymbolLibrary), In("own.pcblib"));
  const CSymbolLibraryLocator locator(SymbolKind::Pcb, "");
  CString path;
  ASSERT_TRUE(locator.Find("Parts.pretty", path)) << CAppError::GetLastError();
  EXPECT_EQ(path, In("Parts.pretty"));
  EXPECT_FALSE(locator.Find("Other.pretty", path));
  EXPECT_EQ(CSymbolLibraryLocator(SymbolKind::Schematic, In("parts.cmplib")).GetPath("Logic.kicad_sym"),
            In("Logic.kicad_sym"));
}

TEST_F(KicadLibraryListsTest, ALibraryOpensAsItsKindWithItsProblemsAndAFolderIsReadAgainWhenItChanges) {
  CScmSymbolLibrary symbols(In("Logic.kicad_sym"));
  ASSERT_TRUE(symbols.OpenRead()) << CAppError::GetLastError();
  EXPECT_EQ(symbols.SymbolNames(), std::vector<CString>{"BUF"});
  ASSERT_EQ(symbols.Problems().size(), 1U);
  EXPECT_NE(symbols.Problems()[0].Find("at line 3: symbol \"BAD\" extends \"GONE\""), -1)
      << symbols.Problems()[0];

  CPcbSymbolLibrary footprints(In("Parts.pretty"));
  ASSERT_TRUE(footprints.OpenRead()) << CAppError::GetLastError();
  EXPECT_TRUE(footprints.Find("sot23") != nullptr && footprints.Find("sot23")->CountPads() == 3);
  EXPECT_TRUE(footprints.Problems().empty());
  EXPECT_FALSE(CScmSymbolLibrary(In("Parts.pretty")).OpenRead())
      << "a footprint folder is no schematic library";

  // A footprint added to the folder is read when the folder is opened again.
  WriteFileText(Folder() / "Parts.pretty" / "SOT223.kicad_mod", Footprint("SOT223", 4));
  fs::last_write_time(Folder() / "Parts.pretty",
                      fs::last_write_time(Folder() / "Parts.pretty") + std::chrono::seconds(2));
  ASSERT_TRUE(footprints.OpenRead());
  EXPECT_EQ(footprints.SymbolNames(), (std::vector<CString>{"SOT223", "SOT23"}));
}

}  // namespace
