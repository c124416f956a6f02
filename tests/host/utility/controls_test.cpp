// The host's controls: the grid wrapper (column widths that outlive the grid through
// the registry); the smart combos (stock
// lists read from text files, entries found by their data, file names selected by
// name); the focus back on a control at fault, its text selected for retyping.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/utility/app_error.h"
#include "host/utility/combo_entries.h"
#include "host/utility/edit_grid.h"
#include "host/utility/file_combo_box.h"
#include "host/utility/reselect_control.h"
#include "host/utility/stored_smart_combo_box.h"
#include "platform/app_registry.h"
#include "platform/combo_box.h"
#include "platform/edit.h"
#include "platform/settings_store.h"
#include "platform/temp_file.h"
#include "tests/support/control_texts.h"
#include "tests/support/file_text.h"
#include "tests/support/headless_test.h"

namespace {

constexpr const char* kGridKey = "ComponentEditor\\Grid";

class ControlTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    settings = &InstallMemorySettings();
    ASSERT_TRUE(CreateParentWindow(parent));
  }

  // As the pin grid makes it: three columns, one header row, columns resizable.
  bool MakeGrid(CEditGrid& grid) {
    if (!grid.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 0)) return false;
    grid.SetCols(3);
    grid.SetFixedCols(0);
    grid.SetRows(2);
    grid.SetFixedRows(1);
    grid.SetAllowUserResizing(TRUE);
    grid.SetRegistryKey(kGridKey);
    return true;
  }
  void Make(CComboBox& combo, DWORD style) {
    ASSERT_TRUE(combo.Create(style | WS_VISIBLE, CRect(0, 30, 100, 130), &parent, 1002));
  }

  CWnd parent;
  MemorySettingsStore* settings = nullptr;
};

TEST_F(ControlTest, GridColumnWidthsAUserSetComeBackInTheNextGrid) {
  {
    CEditGrid first;
    ASSERT_TRUE(MakeGrid(first));
    ASSERT_TRUE(user.ResizeGridColumn(&first, 0, 150) && user.ResizeGridColumn(&first, 2, 35) &&
                first.SaveSettings());
  }
  CAppRegistry registry(kGridKey);
  unsigned long stored = 0;
  EXPECT_TRUE(registry.GetValue("Col0", stored) && stored == 150u) << stored;
  // A damaged value is passed over; a column with no value keeps its width.
  registry.SetValue("Col1", 1000000ul);

  CEditGrid second;
  ASSERT_TRUE(MakeGrid(second));
  second.SetCols(4);
  ASSERT_TRUE(second.LoadSettings());
  EXPECT_EQ((std::vector<int>{second.GetColWidth(0), second.GetColWidth(1), second.GetColWidth(2),
                              second.GetColWidth(3)}),
            (std::vector<int>{150, kGridDefaultColWidth, 35, kGridDefaultColWidth}));

  settings->SetWritable(false);
  EXPECT_FALSE(second.SaveSettings());
  second.SetRegistryKey("");
  EXPECT_FALSE(second.LoadSettings());
  CEditGrid unmade;  // a grid whose window was never made has no widths to keep
  unmade.SetRegistryKey(kGridKey);
  EXPECT_FALSE(unmade.SaveSettings());
}

TEST_F(ControlTest, CombosListStockEntriesOnceFindEntriesByTheirDataAndFilesByTheirWholeName) {
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
  EXPECT_EQ(std::make_pair(combo.GetCurSel(), combo.GetText()), std::make_pair(int{CB_ERR}, CString("led")));
  ::unlink(file.c_str());

  CAppError::ClearLastError();
  EXPECT_TRUE(combo.Fill(file, "SO8"));
  EXPECT_EQ(std::make_pair(combo.GetCount(), combo.GetText()), std::make_pair(0, CString("SO8")));
  EXPECT_FALSE(CAppError::HasLastError());
  EXPECT_FALSE(combo.Fill("/tmp", ""));
  EXPECT_NE(CAppError::GetLastError().Find("/tmp"), -1);

  // Entries are found by their data, files by their whole name.
  CComboBox sorted;
  Make(sorted, CBS_DROPDOWNLIST | CBS_SORT);
  const int records[3] = {};
  EXPECT_EQ(AddComboEntry(sorted, "SO8", &records[0]), 0);
  EXPECT_EQ(AddComboEntry(sorted, "DIP8", &records[1]), 0);
  EXPECT_EQ(AddComboEntry(sorted, "QFN", 42ul), 1);
  EXPECT_EQ(SelectComboEntry(sorted, &records[0]), 2);
  EXPECT_EQ(SelectComboEntry(sorted, &records[2]), CB_ERR);
  EXPECT_EQ(sorted.GetCurSel(), 2);

  CFileComboBox files;
  Make(files, CBS_DROPDOWNLIST);
  for (const char* name : {"logic.scmlib.old", "logic.scmlib", "analog.scmlib"}) files.AddString(name);
  EXPECT_EQ(files.SelectString(-1, "LOGIC.scmlib"), 1);
  EXPECT_EQ(files.SelectString(-1, "ana"), 2);
}

TEST_F(ControlTest, ReselectedControlTakesTheFocusWithItsWholeTextSelected) {
  CEdit edit;
  CComboBox combo;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 1001));
  Make(combo, CBS_DROPDOWN);
  user.TypeText(&edit, "NAND2");
  user.TypeComboText(&combo, "SOIC-8");
  ReselectControl(&edit);
  EXPECT_EQ(CWnd::GetFocusHandle(), edit.m_hWnd);
  std::pair<int, int> selected{-1, -1};
  edit.GetSel(selected.first, selected.second);
  EXPECT_EQ(selected, std::make_pair(0, 5));

  ReselectControl(&combo);
  EXPECT_EQ(CWnd::GetFocusHandle(), combo.m_hWnd);
  const auto* data = GetComboBoxData(combo.m_hWnd);
  EXPECT_EQ(std::make_pair(data->editSelStart, data->editSelEnd), std::make_pair(0, 6));

  CEdit unattached;
  ReselectControl(&unattached);
  ReselectControl(nullptr);
  EXPECT_EQ(CWnd::GetFocusHandle(), combo.m_hWnd);
}

}  // namespace
