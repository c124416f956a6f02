// Symbol libraries as the editor uses them: reading symbols by name, the errors left
// behind, and the kinds of library each opens.
#include "host/model/symbol_library.h"

#include <gtest/gtest.h>

#include <string>

#include "host/utility/app_error.h"

namespace {

CString DataFile(const std::string& name) {
  return (std::string(CE_DATA_DIR) + "/" + name).c_str();
}

std::string LastError() {
  return CAppError::GetLastError().str();
}

TEST(SymbolLibraryTest,
     ReadHandsOutCopiesFoundIgnoringCaseFailuresNameTheSymbolAndFileAndKindsChooseTheFiles) {
  CScmSymbolLibrary library(DataFile("logic.scmlib"));
  EXPECT_EQ(library.ReadSymbol("INV"), nullptr);
  EXPECT_EQ(LastError(), "Library logic.scmlib is not open");
  ASSERT_TRUE(library.OpenRead()) << LastError();

  std::unique_ptr<CSymbol> first = library.Read("nand2");
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->CountPads(), 3);
  EXPECT_EQ(first->GetName() + " " + first->FindPad(3)->GetName(), "NAND2 Y");
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
  EXPECT_TRUE(library.Read("NAND2") == nullptr && library.SymbolNames().empty());
  EXPECT_FALSE(library.OpenRead(DataFile("missing.scmlib")) || library.IsOpen());
  EXPECT_NE(LastError().find("missing.scmlib\": No such file"), std::string::npos) << LastError();

  // Kind tags choose which files open.
  CSymbolLibrary any(DataFile("footprints.pcblib"));
  EXPECT_TRUE(any.OpenRead() && any.GetKind() == SymbolKind::Pcb);

  CScmSymbolLibrary schematic(DataFile("footprints.pcblib"));
  EXPECT_FALSE(schematic.OpenRead());
  EXPECT_NE(LastError().find("this is a PCB symbol library, not a schematic one"), std::string::npos)
      << LastError();
  EXPECT_FALSE(CPcbSymbolLibrary(DataFile("logic.scmlib")).OpenRead());

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

}  // namespace
