// The last error: string-table messages with inserts, texts of their own, and reporting.
#include "host/utility/app_error.h"

#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "tests/support/headless_test.h"

namespace {

class AppErrorTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    CAppError::ClearLastError();
  }
};

TEST_F(AppErrorTest, AMessageTakesItsInsertsAndIsShownAsAWarning) {
  CAppError::SetLastError(19011, CString("DIP-8"));
  EXPECT_EQ(CAppError::GetLastError(), "Package \"DIP-8\" is already defined for this component.");

  Screen().ExpectMessageBox(IDOK, CString("Package \"DIP-8\" is already defined for this component."));
  EXPECT_EQ(CAppError::ReportLastError(), IDOK);
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 1u);
  EXPECT_EQ(Screen().MessageBoxesShown()[0].type, MB_OK | MB_ICONEXCLAMATION);
  // Reporting does not forget the message.
  EXPECT_TRUE(CAppError::HasLastError());

  // An unknown id still says something; nothing recorded shows nothing.
  CAppError::SetLastError(18999);
  EXPECT_NE(CAppError::GetLastError().Find("18999"), -1);

  CAppError::ClearLastError();
  EXPECT_EQ(CAppError::ReportLastError(), 0);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 1u);
}

}  // namespace
