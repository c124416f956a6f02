// The Add Package dialog on its own: what it offers at start, the record it adds on OK
// (the component's name and gates, a pin map of each gate's own size with no pins, the
// chosen footprint and pin count), and the refusals that keep it open on the control
// at fault with nothing added.
#include "editor/dialogs/add_package_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

struct Refusal {
  CString message;
  int focus;
};

class AddPackageDialogTest : public EditorTest {
 protected:
  using Script = std::function<void(CDialog&, UserInput&)>;

  // "DUT": gate a of two terminals and gate b of four, in DIP-8.
  void SetUp() override {
    EditorTest::SetUp();
    ComponentBuilder("DUT").Gates(1, 2).Gates(1, 4).Package("DIP-8", "DIP-8").BuildInto(Design());
  }

  INT_PTR Run(CAddPackageDialog& dialog, const Script& script) {
    Screen().ExpectDialog(IDD_ADD_PACKAGE, script);
    return dialog.DoModal();
  }
  static CWnd* Item(CDialog& dialog, int id) {
    CWnd* control = dialog.GetDlgItem(id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
  }
  static bool HasFocus(CDialog& dialog, int id) {
    const CWnd* control = dialog.GetDlgItem(id);
    return control != nullptr && CWnd::GetFocusHandle() == control->m_hWnd;
  }

  // `act` fills the dialog; OK must be refused as `refusal` says; the user then cancels.
  void ExpectRefused(const Script& act, const Refusal& refusal) {
    CAddPackageDialog dialog(&Design());
    Screen().ExpectMessageBox(IDOK, refusal.message);
    const INT_PTR result = Run(dialog, [&](CDialog& shown, UserInput& input) {
      act(shown, input);
      EXPECT_TRUE(input.Click(Item(shown, IDOK)));
      EXPECT_TRUE(shown.IsModalActive());
      EXPECT_TRUE(HasFocus(shown, refusal.focus)) << "the focus is not on control " << refusal.focus;
      EXPECT_TRUE(input.Click(Item(shown, IDCANCEL)));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(MessageTexts(), std::vector<CString>{refusal.message});
    EXPECT_EQ(Design().CountComponents(), 1);
    EXPECT_EQ(dialog.GetNewComponent(), nullptr);
  }

  static void Type(CDialog& dialog, UserInput& input, int id, const char* text) {
    EXPECT_TRUE(input.TypeComboText(Item(dialog, id), text));
  }
};

TEST_F(AddPackageDialogTest, OffersTheStockPackagesAndThePcbLibrariesWithNothingChosen) {
  CAddPackageDialog dialog(&Design());
  std::vector<std::string> packages;
  CString package, library, symbol;
  EXPECT_EQ(Run(dialog,
                [&](CDialog& shown, UserInput& input) {
                  packages = ComboEntries(*static_cast<CComboBox*>(Item(shown, IDC_PACKAGE_COMBO)));
                  package = Item(shown, IDC_PACKAGE_COMBO)->GetWindowText();
                  library = Item(shown, IDC_PCB_LIBRARY_COMBO)->GetWindowText();
                  symbol = Item(shown, IDC_PCB_SYMBOL_COMBO)->GetWindowText();
                  input.Click(Item(shown, IDCANCEL));
                }),
            IDCANCEL);

  EXPECT_EQ(packages, (std::vector<std::string>{"0805", "DIP-14", "DIP-16", "DIP-8", "HDR-2x5", "QFN-16",
                                                "SOIC-14", "SOIC-8", "SOT-23", "TSSOP-14"}));
  EXPECT_EQ(package, "");
  EXPECT_EQ(library, "footprints.pcblib");
  EXPECT_EQ(symbol, "");
  EXPECT_EQ(Design().CountComponents(), 1);
}

TEST_F(AddPackageDialogTest, TheNewRecordHasEveryGateWithAPinMapOfItsOwnSizeAndNoPins) {
  CAddPackageDialog dialog(&Design());
  ASSERT_EQ(Run(dialog,
                [](CDialog& shown, UserInput& input) {
                  EXPECT_TRUE(input.ChooseComboEntry(Item(shown, IDC_PACKAGE_COMBO), "DIP-16"));
                  EXPECT_TRUE(input.ChooseComboEntry(Item(shown, IDC_PCB_SYMBOL_COMBO), "DIP-16"));
                  EXPECT_TRUE(input.Click(Item(shown, IDOK)));
                }),
            IDOK);

  CComponent* added = dialog.GetNewComponent();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added, Design().FindComponent("DUT", "DIP-16"));
  EXPECT_EQ(added->GetName(), "DUT");
  EXPECT_EQ(added->GetPcbSymbol(), "DIP-16");
  EXPECT_EQ(added->GetPinCount(), 16);
  ASSERT_EQ(added->CountGates(), 2);
  const CComponent* original = Design().FirstComponent();
  for (int gate = 0; gate < 2; ++gate) {
    ASSERT_NE(added->FindGate(gate), nullptr);
    EXPECT_EQ(added->FindGate(gate)->CountPins(), original->FindGate(gate)->CountPins());
    EXPECT_EQ(added->FindGate(gate)->GetSymbol(), original->FindGate(gate)->GetSymbol());
    for (int terminal = 1; terminal <= added->FindGate(gate)->CountPins(); ++terminal)
      EXPECT_EQ(added->GetPinNumber(gate, terminal), CGate::kNoPin)
          << "gate " << gate << " terminal " << terminal;
  }
}

TEST_F(AddPackageDialogTest, ACountTypedForATypedSymbolNameIsTheNewPinCount) {
  CAddPackageDialog dialog(&Design());
  ASSERT_EQ(Run(dialog,
                [](CDialog& shown, UserInput& input) {
                  Type(shown, input, IDC_PACKAGE_COMBO, "MY-PACKAGE");
                  EXPECT_TRUE(input.TypeText(Item(shown, IDC_PCB_PIN_COUNT), "20pins"));
                  Type(shown, input, IDC_PCB_SYMBOL_COMBO, "dip-8");
                  EXPECT_TRUE(input.Click(Item(shown, IDOK)));
                }),
            IDOK);

  ASSERT_NE(dialog.GetNewComponent(), nullptr);
  EXPECT_EQ(dialog.GetNewComponent()->GetPackage(), "MY-PACKAGE") << "a name off the stock list is taken";
  EXPECT_EQ(dialog.GetNewComponent()->GetPcbSymbol(), "dip-8");
  EXPECT_EQ(dialog.GetNewComponent()->GetPinCount(), 20);
}

TEST_F(AddPackageDialogTest, AnEmptyPackageNameIsRefused) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        EXPECT_TRUE(input.ChooseComboEntry(Item(shown, IDC_PCB_SYMBOL_COMBO), "DIP-16"));
      },
      {"Package name cannot be empty.", IDC_PACKAGE_COMBO});
}

TEST_F(AddPackageDialogTest, APackageOfTheComponentIsCheckedBeforeTheSymbol) {
  ExpectRefused([](CDialog& shown, UserInput& input) { Type(shown, input, IDC_PACKAGE_COMBO, "Dip-8"); },
                {"Package \"Dip-8\" is already defined for this component.", IDC_PACKAGE_COMBO});
}

TEST_F(AddPackageDialogTest, ASymbolTheLibraryLacksIsRefused) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        Type(shown, input, IDC_PACKAGE_COMBO, "DIP-40");
        Type(shown, input, IDC_PCB_SYMBOL_COMBO, "DIP-40");
      },
      {"Symbol DIP-40 does not exist.", IDC_PCB_SYMBOL_COMBO});
}

TEST_F(AddPackageDialogTest, ANegativePinCountIsRefused) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        Type(shown, input, IDC_PACKAGE_COMBO, "DIP-16");
        EXPECT_TRUE(input.TypeText(Item(shown, IDC_PCB_PIN_COUNT), "-3"));
        Type(shown, input, IDC_PCB_SYMBOL_COMBO, "DIP-16");
      },
      {"-3 is not a pin count.", IDC_PCB_PIN_COUNT});
}

}  // namespace
