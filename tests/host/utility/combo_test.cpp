// The smart combos: stock lists read from text files, entries found by their data,
// file names selected by name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/utility/app_error.h"
#include "host/utility/combo_entries.h"
#include "host/utility/file_combo_box.h"
#include "host/utility/stored_smart_combo_box.h"
#include "platform/temp_file.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"

namespace {

class ComboTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(CreateParentWindow(parent));
  }
  void Make(CComboBox& combo, DWORD style) {
    ASSERT_TRUE(combo.Create(style | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1000));
  }
  CWnd parent;
};

TEST_F(ComboTest, StockListSkipsBlanksTrimsListsEachEntryOnceAndShowsTheText) {
  CStoredSmartComboBox combo;
  Make(combo, CBS_DROPDOWN);
  CString file;
  ASSERT_TRUE(GetTempFile(file));
  WriteFileText(file.str(), "\xEF\xBB\xBFU\r\n\r\n  IC \r\n\tR\n\nic\rU\nLED  \n   \n");
  ASSERT_TRUE(combo.Fill(file, "LED"));
  EXPECT_EQ(ComboEntries(combo), std::vector<std::string>({"U", "IC", "R", "LED"}));
  EXPECT_EQ(combo.GetCurSel(), 3);
  // Another spelling of an entry is shown as given, not replaced by the entry.
  ASSERT_TRUE(combo.Fill(file, "led"));
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.GetText(), "led");
  ::unlink(file.c_str());

  CAppError::ClearLastError();
  EXPECT_TRUE(combo.Fill(file, "SO8"));
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_EQ(combo.GetText(), "SO8");
  EXPECT_FALSE(CAppError::HasLastError());
  EXPECT_FALSE(combo.Fill("/tmp", ""));
  EXPECT_NE(CAppError::GetLastError().Find("/tmp"), -1);
}

TEST_F(ComboTest, EntriesAreFoundByTheirDataAndFilesByTheirWholeName) {
  CComboBox combo;
  Make(combo, CBS_DROPDOWNLIST | CBS_SORT);
  const int records[3] = {};
  EXPECT_EQ(AddComboEntry(combo, "SO8", &records[0]), 0);
  EXPECT_EQ(AddComboEntry(combo, "DIP8", &records[1]), 0);
  EXPECT_EQ(AddComboEntry(combo, "QFN", 42ul), 1);
  EXPECT_EQ(SelectComboEntry(combo, &records[0]), 2);
  EXPECT_EQ(SelectComboEntry(combo, &records[2]), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), 2);

  CFileComboBox files;
  Make(files, CBS_DROPDOWNLIST);
  for (const char* name : {"logic.scmlib.old", "logic.scmlib", "analog.scmlib"}) files.AddString(name);
  EXPECT_EQ(files.SelectString(-1, "LOGIC.scmlib"), 1);
  EXPECT_EQ(files.SelectString(-1, "ana"), 2);
}

}  // namespace
