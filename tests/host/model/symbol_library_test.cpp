// Symbol libraries as the editor uses them: reading symbols by name, the errors left
// behind and the cache of parsed files.
#include "host/model/symbol_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/utility/app_error.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

CString DataFile(const std::string& name) {
  return (std::string(CE_DATA_DIR) + "/" + name).c_str();
}

std::string LastError() {
  return CAppError::GetLastError().str();
}

// A library of one schematic symbol with the given name and pad count.
std::string OneSymbolLibrary(const std::string& name, int pads) {
  CSymbolLibraryContents contents(SymbolKind::Schematic);
  auto symbol = std::make_unique<CSymbol>(name.c_str(), SymbolKind::Schematic);
  for (int number = 1; number <= pads; ++number) symbol->AddPad(CFreePad(number, "P", CPoint(0, number)));
  contents.Add(std::move(symbol));
  return CSymbolLibraryFile::Format(contents);
}

TEST(SymbolLibraryTest, ReadHandsOutIndependentCopiesFoundIgnoringCaseAndFailuresNameTheSymbolAndFile) {
  CScmSymbolLibrary library(DataFile("logic.scmlib"));
  EXPECT_EQ(library.ReadSymbol("INV"), nullptr);
  EXPECT_EQ(LastError(), "Library logic.scmlib is not open");
  ASSERT_TRUE(library.OpenRead()) << LastError();

  std::unique_ptr<CSymbol> first = library.Read("nand2");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetName(), "NAND2");
  ASSERT_EQ(first->CountPads(), 3);
  EXPECT_EQ(first->FindPad(3)->GetName(), "Y");
  first->GetPad(0).SetName("changed");
  std::unique_ptr<CSymbol> second = library.Read("Nand2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetPad(0).GetName(), "A");

  EXPECT_EQ(library.Read("NAND3"), nullptr);
  CAppError::ClearLastError();
  EXPECT_EQ(library.ReadSymbol("XOR9"), nullptr);
  EXPECT_EQ(LastError(), "Symbol XOR9 not found in library logic.scmlib");
  EXPECT_EQ(library.SymbolNames().size(), 4u);
  library.Close();
  EXPECT_EQ(library.Read("NAND2"), nullptr);
  EXPECT_TRUE(library.SymbolNames().empty());
  EXPECT_FALSE(library.OpenRead(DataFile("missing.scmlib")));
  EXPECT_FALSE(library.IsOpen());
  EXPECT_NE(LastError().find("missing.scmlib\": No such file"), std::string::npos) << LastError();
}

TEST(SymbolLibraryTest, KindTagsChooseWhichFilesOpen) {
  CSymbolLibrary any(DataFile("footprints.pcblib"));
  ASSERT_TRUE(any.OpenRead());
  EXPECT_EQ(any.GetKind(), SymbolKind::Pcb);

  CScmSymbolLibrary schematic(DataFile("footprints.pcblib"));
  EXPECT_FALSE(schematic.OpenRead());
  EXPECT_NE(LastError().find("this is a PCB symbol library, not a schematic one"), std::string::npos)
      << LastError();
  CPcbSymbolLibrary pcb(DataFile("logic.scmlib"));
  EXPECT_FALSE(pcb.OpenRead());

  CString path = DataFile("footprints");
  std::unique_ptr<CSymbol> dip(
      CSymbolLibrary::ReadSymbol(RUNTIME_CLASS(CPcbSymbolLibrary), path, "dip-8", true));
  ASSERT_NE(dip, nullptr) << LastError();
  EXPECT_EQ(dip->GetKind(), SymbolKind::Pcb);
  EXPECT_EQ(path, DataFile("footprints.pcblib"));

  CString bare = DataFile("logic");
  EXPECT_EQ(CSymbolLibrary::ReadSymbol(RUNTIME_CLASS(CScmSymbolLibrary), bare, "INV", false), nullptr);
  EXPECT_EQ(bare, DataFile("logic"));
  EXPECT_EQ(CSymbolLibrary::ReadSymbol(RUNTIME_CLASS(CComponentLibrary), path, "DIP-8", true), nullptr);
  EXPECT_NE(LastError().find("CComponentLibrary is not a kind of symbol library"), std::string::npos);
}

TEST(SymbolLibraryTest, ReopeningNoticesAChangedOrVanishedFile) {
  ScratchFolder scratch;
  const std::string path = scratch / "parts.scmlib";
  WriteFileText(path, OneSymbolLibrary("OLD", 2));
  CSymbolLibrary library(path.c_str());
  ASSERT_TRUE(library.OpenRead());
  const CSymbol* held = library.Find("OLD");
  ASSERT_NE(held, nullptr);

  // Same size, new contents and a later time stamp.
  WriteFileText(path, OneSymbolLibrary("NEW", 2));
  const auto stamp = std::filesystem::last_write_time(path);
  std::filesystem::last_write_time(path, stamp + std::chrono::seconds(5));
  CSymbolLibrary again(path.c_str());
  ASSERT_TRUE(again.OpenRead());
  EXPECT_EQ(again.SymbolNames(), std::vector<CString>{"NEW"});
  EXPECT_EQ(held->GetName(), "OLD") << "an open library keeps the contents it opened";

  WriteFileText(path, OneSymbolLibrary("NEW", 7));
  ASSERT_TRUE(again.OpenRead());
  EXPECT_EQ(again.Find("NEW")->CountPads(), 7);

  std::filesystem::remove(path);
  EXPECT_FALSE(again.OpenRead());
}

}  // namespace
