// The Add Package dialog on its own, in one run: what it offers at start, the refusals
// that keep it open on the control at fault with nothing added, then the record it adds
// on OK (the component's name and gates, a pin map of each gate's own size with no pins,
// the footprint, its library and pin count).
#include "editor/dialogs/add_package_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

class AddPackageDialogTest : public EditorTest {
 protected:
  // "DUT": gate a of two terminals and gate b of four, in DIP-8.
  void SetUp() override {
    EditorTest::SetUp();
    ComponentBuilder("DUT").Gates(1, 2).Gates(1, 4).Package("DIP-8", "DIP-8").BuildInto(Design());
  }

  INT_PTR Run(CAddPackageDialog& dialog, const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_ADD_PACKAGE, [&](CDialog& shown, UserInput&) { act(shown); });
    return dialog.DoModal();
  }
  void Type(CDialog& dialog, int id, const char* text) {
    EXPECT_TRUE(id == IDC_PCB_PIN_COUNT ? user.TypeText(dialog.GetDlgItem(id), text)
                                        : user.TypeComboText(dialog.GetDlgItem(id), text));
  }
};

TEST_F(AddPackageDialogTest, OffersTheStockPackagesRefusesOnTheControlAtFaultThenAddsEveryGateWithNoPins) {
  struct Refusal {
    const char* package;
    const char* pins;
    const char* symbol;
    const char* message;
    int focus;
  };
  const Refusal refusals[] = {
      {"", "", "DIP-16", "Package name cannot be empty.", IDC_PACKAGE_COMBO},
      // The package is checked before the symbol.
      {"DIP-8", "", "", "Package \"DIP-8\" is already defined for this component.", IDC_PACKAGE_COMBO},
      {"DIP-40", "", "DIP-40", "Symbol DIP-40 does not exist.", IDC_PCB_SYMBOL_COMBO},
      {"DIP-16", "-3", "DIP-16", "-3 is not a pin count.", IDC_PCB_PIN_COUNT},
  };
  CAddPackageDialog dialog(&Design());
  EXPECT_EQ(Run(dialog,
                [&](CDialog& shown) {
                  const auto packages =
                      ComboEntries(*static_cast<CComboBox*>(shown.GetDlgItem(IDC_PACKAGE_COMBO)));
                  EXPECT_NE(std::find(packages.begin(), packages.end(), "DIP-16"), packages.end());
                  EXPECT_EQ(shown.GetDlgItem(IDC_PACKAGE_COMBO)->GetWindowText(), "");
                  EXPECT_EQ(shown.GetDlgItem(IDC_PCB_LIBRARY_COMBO)->GetWindowText(), "footprints.pcblib");
                  EXPECT_EQ(shown.GetDlgItem(IDC_PCB_SYMBOL_COMBO)->GetWindowText(), "");
                  for (const Refusal& refusal : refusals) {
                    SCOPED_TRACE(refusal.message);
                    Type(shown, IDC_PACKAGE_COMBO, refusal.package);
                    Type(shown, IDC_PCB_PIN_COUNT, refusal.pins);
                    Type(shown, IDC_PCB_SYMBOL_COMBO, refusal.symbol);
                    Screen().ExpectMessageBox(IDOK, CString(refusal.message));
                    EXPECT_TRUE(user.Click(shown.GetDlgItem(IDOK)));
                    EXPECT_TRUE(shown.IsModalActive());
                    EXPECT_EQ(CWnd::GetFocusHandle(), shown.GetDlgItem(refusal.focus)->m_hWnd);
                    EXPECT_EQ(Design().CountComponents(), 1);
                  }
                  // A name off the stock list, and a count typed for a typed symbol name.
                  Type(shown, IDC_PACKAGE_COMBO, "MY-PACKAGE");
                  Type(shown, IDC_PCB_PIN_COUNT, "20pins");
                  Type(shown, IDC_PCB_SYMBOL_COMBO, "DIP-8");
                  EXPECT_TRUE(user.Click(shown.GetDlgItem(IDOK)));
                }),
            IDOK);
  CComponent* added = dialog.GetNewComponent();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added, Design().FindComponent("DUT", "MY-PACKAGE"));
  EXPECT_EQ(added->GetPcbSymbol(), "DIP-8");
  EXPECT_EQ(added->GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(added->GetPinCount(), 20);
  // Every gate of the component with its own symbol and size, and no pins.
  EXPECT_EQ(PinsOf(*added), (PinMap{{CGate::kNoPin, CGate::kNoPin}, PinMap::value_type(4, CGate::kNoPin)}));
  for (int gate = 0; gate < 2; ++gate)
    EXPECT_EQ(added->FindGate(gate)->GetSymbol(), Design().FirstComponent()->FindGate(gate)->GetSymbol());
}

}  // namespace
