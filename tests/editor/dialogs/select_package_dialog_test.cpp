// The Select Package dialog on its own: the package it is given preselected whatever
// its case, the first entry when none matches, and no record when the user typed over
// the list. (The frame's tests choose entries, see the list sorted and cancel.)
#include "editor/dialogs/select_package_dialog.h"

#include <gtest/gtest.h>

#include "tests/editor/support/editor_fixture.h"

namespace {

class SelectPackageDialogTest : public EditorTest {};

TEST_F(SelectPackageDialogTest, PreselectsTheGivenPackageOrTheFirstEntryAndATypedNameGivesNoRecord) {
  ComponentBuilder("DUT").Gates(2, 3).Package("SOIC-8").Package("DIP-14").Package("DIP-8").BuildInto(
      Design());
  struct Case {
    const char* given;
    const char* typed;  // over the list; null: none
    const char* preselected;
    const char* selected;  // null: no record
  };
  const Case cases[] = {{"dip-8", nullptr, "DIP-8", "DIP-8"},
                        {"", nullptr, "DIP-14", "DIP-14"},
                        {"QFN-16", nullptr, "DIP-14", "DIP-14"},
                        {"DIP-14", "SOIC-8", "DIP-14", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    CSelectPackageDialog dialog(&Design(), c.given);
    CString preselected;
    Screen().ExpectDialog(IDD_SELECT_PACKAGE, [&](CDialog& running, UserInput& input) {
      preselected = running.GetDlgItem(IDC_PACKAGE_LIST)->GetWindowText();
      if (c.typed != nullptr) {
        EXPECT_TRUE(input.TypeComboText(running.GetDlgItem(IDC_PACKAGE_LIST), c.typed));
      }
      EXPECT_TRUE(input.Click(running.GetDlgItem(IDOK)));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(preselected, c.preselected);
    EXPECT_EQ(dialog.GetSelected(),
              c.selected != nullptr ? Design().FindComponent("DUT", c.selected) : nullptr);
  }
}

}  // namespace
