// The library combos: the libraries of a kind in a folder, the symbols of a library.
#include "host/uitools/library_combo_boxes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/libtools/library_manager.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"
#include "platform/settings_store.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::string kDataDir = CE_DATA_DIR;

class LibraryComboTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    InstallMemorySettings();
    ASSERT_TRUE(CreateParentWindow(parent));
  }
  void Make(CComboBox& combo, DWORD style) {
    ASSERT_TRUE(combo.Create(style | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1000));
  }
  CWnd parent;
};

TEST_F(LibraryComboTest, FileComboListsTheLibrariesOfTheKindBesideTheStartEntryAndContentsComboTheSymbols) {
  ScratchFolder dir;
  for (const char* name : {"b.scmlib", "A.SCMLIB", "c.pcblib", "notes.txt", "scmlib"})
    WriteFileText(dir / name, "");
  std::filesystem::create_directory(dir / "folder.scmlib");
  const std::string directory = dir.Path().string() + "/";

  CLibraryFileComboBox combo;
  Make(combo, CBS_DROPDOWNLIST | CBS_SORT);
  ASSERT_TRUE(combo.Fill(RUNTIME_CLASS(CScmSymbolLibrary), (directory + "b.scmlib").c_str()));
  EXPECT_EQ(ComboEntries(combo), std::vector<std::string>({"A.SCMLIB", "b.scmlib"}));
  EXPECT_EQ(combo.GetFullPath(), directory + "b.scmlib");
  // A start entry that is gone still lists its directory, from the first file.
  ASSERT_TRUE(combo.Fill(RUNTIME_CLASS(CPcbSymbolLibrary), (directory + "gone.pcblib").c_str()));
  EXPECT_EQ(ComboEntries(combo), std::vector<std::string>({"c.pcblib"}));
  EXPECT_EQ(combo.GetText(), "c.pcblib");
  // A bare file name is looked for beside the library last used of the kind.
  ASSERT_TRUE(
      CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CScmSymbolLibrary), (directory + "x.scmlib").c_str()));
  ASSERT_TRUE(combo.Fill(RUNTIME_CLASS(CScmSymbolLibrary), "a.scmlib"));
  EXPECT_EQ(combo.GetFullPath(), directory + "A.SCMLIB");

  EXPECT_FALSE(combo.Fill(RUNTIME_CLASS(CDesign), (directory + "b.scmlib").c_str()));
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_FALSE(combo.Fill(RUNTIME_CLASS(CScmSymbolLibrary), "/no/such/folder/logic.scmlib"));
  EXPECT_NE(CAppError::GetLastError().Find("/no/such/folder/"), -1) << CAppError::GetLastError().str();

  // The contents combo lists the symbols of a library and shows the text.
  CLibraryContentsComboBox contents;
  Make(contents, CBS_DROPDOWN);
  ASSERT_TRUE(contents.Fill((kDataDir + "/logic.scmlib").c_str(), "inv"));
  EXPECT_EQ(ComboEntries(contents), std::vector<std::string>({"NAND2", "INV", "DFF", "POWER"}));
  EXPECT_EQ(contents.GetCurSel(), 1);
  ASSERT_TRUE(contents.Fill((kDataDir + "/footprints.pcblib").c_str(), "SO-99"));
  EXPECT_EQ(std::make_tuple(contents.GetCount(), contents.GetCurSel(), contents.GetText()),
            std::make_tuple(10, int{CB_ERR}, CString("SO-99")));
  // The old list and text go even when the new library cannot be read.
  EXPECT_FALSE(contents.Fill((kDataDir + "/package.txt").c_str(), ""));
  EXPECT_EQ(std::make_pair(contents.GetCount(), contents.GetText()), std::make_pair(0, CString()));
}

}  // namespace
