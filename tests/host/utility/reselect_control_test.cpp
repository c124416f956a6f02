// The focus back on a control at fault, its text selected for retyping.
#include "host/utility/reselect_control.h"

#include <gtest/gtest.h>

#include "platform/combo_box.h"
#include "platform/edit.h"
#include "tests/support/headless_test.h"

namespace {

class ReselectControlTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(CreateParentWindow(parent));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 1001));
    ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_VISIBLE, CRect(0, 30, 100, 130), &parent, 1002));
  }
  CWnd parent;
  CEdit edit;
  CComboBox combo;
};

TEST_F(ReselectControlTest, TheControlTakesTheFocusWithItsWholeTextSelected) {
  user.TypeText(&edit, "NAND2");
  user.TypeComboText(&combo, "SOIC-8");
  ReselectControl(&edit);
  EXPECT_EQ(CWnd::GetFocusHandle(), edit.m_hWnd);
  int start = -1;
  int end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 5);

  ReselectControl(&combo);
  EXPECT_EQ(CWnd::GetFocusHandle(), combo.m_hWnd);
  EXPECT_EQ(GetComboBoxData(combo.m_hWnd)->editSelStart, 0);
  EXPECT_EQ(GetComboBoxData(combo.m_hWnd)->editSelEnd, 6);

  CEdit unattached;
  ReselectControl(&unattached);
  ReselectControl(nullptr);
  EXPECT_EQ(CWnd::GetFocusHandle(), combo.m_hWnd);
}

}  // namespace
