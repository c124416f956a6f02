// The Add Package dialog on its own, in one run: what it offers at start, the refusals
// that keep it open on the control at fault with nothing added, then the record it adds
// on OK (the component's name and gates, a pin map of each gate's own size with no pins,
// the footprint, its library and pin count).
#include "editor/dialogs/add_package_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

class AddPackageDialogTest : public EditorTest {};

TEST_F(AddPackageDialogTest, OffersTheStockPackagesRefusesOnTheControlAtFaultThenAddsEveryGateWithNoPins) {
  // "DUT": gate a of two terminals and gate b of four, in DIP-8.
  ComponentBuilder("DUT").Gates(1, 2).Gates(1, 4).Package("DIP-8", "DIP-8").BuildInto(Design());
  // Package, pin count and symbol typed, the message, the control at fault.
  const std::tuple<const char*, const char*, const char*, const char*, int> entries[] = {
      {"", "", "DIP-16", "Package name cannot be empty.", IDC_PACKAGE_COMBO},
      // The package is checked before the symbol.
      {"DIP-8", "", "", "Package \"DIP-8\" is already defined for this component.", IDC_PACKAGE_COMBO},
      {"DIP-40", "", "DIP-40", "Symbol DIP-40 does not exist.", IDC_PCB_SYMBOL_COMBO},
      {"DIP-16", "-3", "DIP-16", "-3 is not a pin count.", IDC_PCB_PIN_COUNT},
      // A name off the stock list, and a count typed for a typed symbol name.
      {"MY-PACKAGE", "20pins", "DIP-8", nullptr, IDOK}};
  CAddPackageDialog dialog(&Design());
  Screen().ExpectDialog(IDD_ADD_PACKAGE, [&](CDialog& shown, UserInput&) {
    const auto packages = ComboEntries(*static_cast<CComboBox*>(shown.GetDlgItem(IDC_PACKAGE_COMBO)));
    EXPECT_NE(std::find(packages.begin(), packages.end(), "DIP-16"), packages.end());
    EXPECT_EQ(shown.GetDlgItem(IDC_PCB_LIBRARY_COMBO)->GetWindowText(), "footprints.pcblib");
    for (const auto& [package, pins, symbol, message, focus] : entries) {
      user.TypeComboText(shown.GetDlgItem(IDC_PACKAGE_COMBO), package);
      user.TypeText(shown.GetDlgItem(IDC_PCB_PIN_COUNT), pins);
      user.TypeComboText(shown.GetDlgItem(IDC_PCB_SYMBOL_COMBO), symbol);
      if (message != nullptr) ExpectRefusedOnOk(Screen(), user, shown, message, focus);
      EXPECT_EQ(Design().CountComponents(), 1);
    }
    user.Click(shown.GetDlgItem(IDOK));
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  CComponent* added = dialog.GetNewComponent();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added, Design().FindComponent("DUT", "MY-PACKAGE"));
  EXPECT_EQ(
      std::make_tuple(added->GetPcbSymbol(), added->GetPcbComponent()->GetLibrary(), added->GetPinCount()),
      std::make_tuple(CString("DIP-8"), CString("footprints.pcblib"), 20));
  // Every gate of the component with its own symbol and size, and no pins.
  EXPECT_EQ(PinsOf(*added), (PinMap{{CGate::kNoPin, CGate::kNoPin}, PinMap::value_type(4, CGate::kNoPin)}));
  for (int gate = 0; gate < 2; ++gate)
    EXPECT_EQ(added->FindGate(gate)->GetSymbol(), Design().FirstComponent()->FindGate(gate)->GetSymbol());
}

}  // namespace
