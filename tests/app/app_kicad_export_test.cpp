// File > Export to KiCad as a user runs it: the current component goes out as it stands
// in its tab, beside its library, and the summary names what was written; a refusal is
// shown with the dialog left open and nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/command_ids.h"
#include "app/kicad_export_dialog.h"
#include "host/model/component.h"
#include "platform/dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/support/file_text.h"

namespace {

using AppKicadExportTest = AppTest;

TEST_F(AppKicadExportTest, TheCurrentComponentGoesOutAsItStandsAndTheSummarySaysWhat) {
  ASSERT_TRUE(Open());
  // Unsaved: the export takes the tab's component, not the library's.
  ASSERT_TRUE(Frame().GetComponent(false)->SetPinNumber(0, 1, 12));
  const CString output = Path("parts.kicad_sym");
  Screen().ExpectDialog(IDD_KICAD_EXPORT, [&output](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_KICAD_EXPORT_WHAT)->GetWindowText(), "Current component: QUAD-NAND2");
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_KICAD_EXPORT_OUTPUT), "/nowhere/out.kicad_sym"));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_KICAD_EXPORT_OUTPUT), output));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  Screen().ExpectMessageBox(
      IDOK, CString("Cannot write \"/nowhere/out.kicad_sym\": there is no folder \"/nowhere\"."));
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_KICAD));

  const std::string summary = Screen().MessageBoxesShown().back().text.str();
  EXPECT_EQ(
      summary.rfind("Wrote 2 symbols to " + output.str() + ": QUAD-NAND2_DIP-14, QUAD-NAND2_SOIC-14.", 0), 0u)
      << summary;
  const std::string text = ReadFileText(output.str());
  EXPECT_LT(text.find("(number \"12\""), text.find("QUAD-NAND2_DIP-14_2_1")) << "pin 12 in unit A";
}

// Components chosen from the library go out in the library's order, and only they: a
// line moves by a double click or a button, and back again.
TEST_F(AppKicadExportTest, ComponentsChosenFromTheLibraryGoOutAndOnlyThey) {
  ASSERT_TRUE(Open());
  const CString output = Path("chosen.kicad_sym");
  Screen().ExpectDialog(IDD_KICAD_EXPORT, [&output](CDialog& dialog, UserInput& input) {
    CWnd* library = dialog.GetDlgItem(IDC_KICAD_EXPORT_LIBRARY);
    CWnd* chosen = dialog.GetDlgItem(IDC_KICAD_EXPORT_CHOSEN);
    EXPECT_TRUE(input.DoubleClickListLine(library, 3));  // RESISTOR
    EXPECT_TRUE(input.SelectListLine(library, 1));       // HEX-INV
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_ADD)));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_ADD)));  // DUAL-OPAMP, next in line
    EXPECT_TRUE(input.SelectListLine(chosen, 1));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDC_KICAD_EXPORT_REMOVE)));
    EXPECT_EQ(dialog.GetDlgItem(IDC_KICAD_EXPORT_WHAT)->GetWindowText(), "The components chosen below");
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_KICAD_EXPORT_OUTPUT), output));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_KICAD));

  const std::string summary = Screen().MessageBoxesShown().back().text.str();
  EXPECT_EQ(summary.rfind(
                "Wrote 3 symbols to " + output.str() + ": HEX-INV_DIP-14, HEX-INV_TSSOP-14, RESISTOR.", 0),
            0u)
      << summary;
}

}  // namespace
