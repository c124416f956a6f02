// The Select Package dialog on its own: the design's packages sorted, the package it
// is given preselected whatever its case (the first entry when none matches), and the
// record of the entry chosen, or none when the user typed over the list. The frame's
// tests choose entries and cancel.
#include "editor/dialogs/select_package_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

// What the dialog showed at start.
struct Shown {
  std::vector<std::string> entries;
  CString preselected;
};

class SelectPackageDialogTest : public EditorTest {
 protected:
  // Packages in design order: SOIC-8, DIP-14, DIP-8.
  void SetUp() override {
    EditorTest::SetUp();
    ComponentBuilder("DUT")
        .Gates(2, 3)
        .Package("SOIC-8", "SOIC-8")
        .Package("DIP-14", "DIP-14")
        .Package("DIP-8", "DIP-8")
        .BuildInto(Design());
  }

  // Opens the dialog on `package`, lets `act` work on the list, then presses `button`.
  Shown Run(CSelectPackageDialog& dialog, int button,
            const std::function<void(CWnd* list, UserInput&)>& act = {}) {
    Shown shown;
    Screen().ExpectDialog(IDD_SELECT_PACKAGE, [&](CDialog& running, UserInput& input) {
      auto* list = static_cast<CComboBox*>(running.GetDlgItem(IDC_PACKAGE_LIST));
      shown = {ComboEntries(*list), list->GetWindowText()};
      if (act) act(list, input);
      EXPECT_TRUE(input.Click(running.GetDlgItem(button)));
    });
    EXPECT_EQ(dialog.DoModal(), button);
    return shown;
  }
};

TEST_F(SelectPackageDialogTest, ListsThePackagesSortedAndPreselectsTheGivenOneWhateverItsCase) {
  CSelectPackageDialog dialog(&Design(), "dip-14");
  const Shown shown = Run(dialog, IDOK);

  EXPECT_EQ(shown.entries, (std::vector<std::string>{"DIP-14", "DIP-8", "SOIC-8"}));
  EXPECT_EQ(shown.preselected, "DIP-14");
  EXPECT_EQ(dialog.GetSelected(), Design().FindComponent("DUT", "DIP-14"));
}

TEST_F(SelectPackageDialogTest, WithNoPackageOrAnUnknownOneTheFirstEntryIsPreselected) {
  for (const char* package : {"", "QFN-16"}) {
    CSelectPackageDialog dialog(&Design(), package);
    EXPECT_EQ(Run(dialog, IDOK).preselected, "DIP-14") << "given \"" << package << "\"";
    EXPECT_EQ(dialog.GetSelected(), Design().FindComponent("DUT", "DIP-14"));
  }
}

TEST_F(SelectPackageDialogTest, ANameTypedOverTheListGivesNoRecord) {
  CSelectPackageDialog dialog(&Design(), "DIP-14");
  Run(dialog, IDOK, [](CWnd* list, UserInput& input) { EXPECT_TRUE(input.TypeComboText(list, "SOIC-8")); });

  EXPECT_EQ(dialog.GetSelected(), nullptr);
}

}  // namespace
