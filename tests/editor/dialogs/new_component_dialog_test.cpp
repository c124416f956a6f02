// The New Component dialog through the exported GetNewComponentSettings: the record it
// adds on OK (symbols, library, pin count, default reference, gates and, without a
// footprint, pins numbered in gate order), the sections switched off but still used,
// and the refusals that keep it open on the control at fault with the design as it was.
#include "editor/dialogs/new_component_dialog.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/frame/editor_module.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Script = std::function<void(CDialog&, UserInput&)>;

struct Refusal {
  CString message;
  int focus;
};

CWnd* Item(CDialog& dialog, int id) {
  CWnd* control = dialog.GetDlgItem(id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

bool HasFocus(CDialog& dialog, int id) {
  const CWnd* control = dialog.GetDlgItem(id);
  return control != nullptr && CWnd::GetFocusHandle() == control->m_hWnd;
}

void Type(CDialog& dialog, UserInput& input, int id, const char* text) {
  EXPECT_TRUE(input.TypeText(Item(dialog, id), text)) << "control " << id;
}

void TypeCombo(CDialog& dialog, UserInput& input, int id, const char* text) {
  EXPECT_TRUE(input.TypeComboText(Item(dialog, id), text)) << "control " << id;
}

void Choose(CDialog& dialog, UserInput& input, int id, const char* entry) {
  EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, id), entry)) << "control " << id << " entry " << entry;
}

// Name, package and default reference, the least a new component needs.
void NameIt(CDialog& dialog, UserInput& input, const char* name = "NEW", const char* package = "DIP-14") {
  Type(dialog, input, IDC_COMPONENT_NAME, name);
  TypeCombo(dialog, input, IDC_PACKAGE_COMBO, package);
  Choose(dialog, input, IDC_DEFAULT_REFERENCE, "U");
}

std::vector<int> PinsOf(const CComponent& record, int gate) {
  std::vector<int> pins;
  const CGate* found = record.FindGate(gate);
  if (found == nullptr) return pins;
  for (int terminal = 1; terminal <= found->CountPins(); ++terminal)
    pins.push_back(record.GetPinNumber(gate, terminal));
  return pins;
}

class NewComponentDialogTest : public EditorTest {
 protected:
  // Runs the export with the script as the user; the script ends with OK.
  bool Create(const Script& fill) {
    Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& shown, UserInput& input) {
      fill(shown, input);
      EXPECT_TRUE(input.Click(Item(shown, IDOK)));
      EXPECT_FALSE(shown.IsModalActive()) << "OK was refused: " << testing::PrintToString(MessageTexts());
    });
    return GetNewComponentSettings(&Design());
  }

  // `fill` sets the dialog up; OK must be refused as `refusal` says, and then the user
  // cancels: the export says no and the design holds what it held.
  void ExpectRefused(const Script& fill, const Refusal& refusal) {
    const int before = Design().CountComponents();
    const size_t shownBefore = MessageTexts().size();
    Screen().ExpectMessageBox(IDOK, refusal.message);
    Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& shown, UserInput& input) {
      fill(shown, input);
      EXPECT_TRUE(input.Click(Item(shown, IDOK)));
      EXPECT_TRUE(shown.IsModalActive());
      EXPECT_TRUE(HasFocus(shown, refusal.focus)) << "the focus is not on control " << refusal.focus;
      EXPECT_TRUE(input.Click(Item(shown, IDCANCEL)));
    });
    EXPECT_FALSE(GetNewComponentSettings(&Design()));
    const std::vector<CString> shown = MessageTexts();
    EXPECT_EQ(std::vector<CString>(shown.begin() + static_cast<std::ptrdiff_t>(shownBefore), shown.end()),
              std::vector<CString>{refusal.message});
    EXPECT_EQ(Design().CountComponents(), before);
    EXPECT_EQ(Hints().Count(HintComponent), 0);
  }

  const CComponent& Added() {
    const CComponent* last = nullptr;
    POSITION position = nullptr;
    for (const CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position))
      last = record;
    if (last == nullptr) throw std::runtime_error("the design holds no record");
    return *last;
  }
};

TEST_F(NewComponentDialogTest, StartsEmptyWithOneGateBothSectionsOnAndTheStockLists) {
  CString name, gates, pcbLibrary, scmLibrary;
  bool pcbOn = false, scmOn = false;
  Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& shown, UserInput& input) {
    name = Item(shown, IDC_COMPONENT_NAME)->GetWindowText();
    gates = Item(shown, IDC_GATE_COUNT)->GetWindowText();
    pcbLibrary = Item(shown, IDC_PCB_LIBRARY_COMBO)->GetWindowText();
    scmLibrary = Item(shown, IDC_SCM_LIBRARY_COMBO)->GetWindowText();
    pcbOn = static_cast<CButton*>(Item(shown, IDC_PCB_SECTION))->GetCheck() == BST_CHECKED;
    scmOn = static_cast<CButton*>(Item(shown, IDC_SCM_SECTION))->GetCheck() == BST_CHECKED;
    EXPECT_TRUE(Item(shown, IDC_SCM_SYMBOL_COMBO)->IsWindowEnabled());
    EXPECT_TRUE(Item(shown, IDC_PCB_PIN_COUNT)->IsWindowEnabled());
    EXPECT_TRUE(input.ChooseComboEntry(Item(shown, IDC_PACKAGE_COMBO), "SOT-23"));
    EXPECT_TRUE(input.ChooseComboEntry(Item(shown, IDC_DEFAULT_REFERENCE), "LED"));
    EXPECT_TRUE(input.Click(Item(shown, IDCANCEL)));
  });

  EXPECT_FALSE(GetNewComponentSettings(&Design()));
  EXPECT_EQ(name, "");
  EXPECT_EQ(gates, "1");
  EXPECT_EQ(pcbLibrary, "footprints.pcblib");
  EXPECT_FALSE(scmLibrary.IsEmpty());
  EXPECT_TRUE(pcbOn);
  EXPECT_TRUE(scmOn);
  EXPECT_EQ(Design().CountComponents(), 0) << "Cancel adds nothing";
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(UndoLevels().Events().empty());
}

TEST_F(NewComponentDialogTest, WithBothSymbolsEmptyTheRecordHasNoGateAndThePinsTyped) {
  ASSERT_TRUE(Create([](CDialog& shown, UserInput& input) {
    NameIt(shown, input, "BLANK", "HDR-2x5");
    Type(shown, input, IDC_PCB_PIN_COUNT, "10");
  }));

  ASSERT_EQ(Design().CountComponents(), 1);
  const CComponent& record = Added();
  EXPECT_EQ(record.GetName(), "BLANK");
  EXPECT_EQ(record.GetPackage(), "HDR-2x5");
  EXPECT_EQ(record.GetPcbSymbol(), "");
  EXPECT_EQ(record.GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(record.GetPinCount(), 10);
  EXPECT_EQ(record.GetDefaultReference(), "U");
  EXPECT_EQ(record.CountGates(), 0);
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
  EXPECT_EQ(Hints().All().front().object, &record);
  EXPECT_EQ(Hints().All().front().sender, nullptr);
  EXPECT_TRUE(UndoLevels().Events().empty()) << "the export opens no undo level";
}

TEST_F(NewComponentDialogTest, WithoutAFootprintFourGatesOfThreePinsAreNumberedOneToTwelve) {
  ASSERT_TRUE(Create([](CDialog& shown, UserInput& input) {
    NameIt(shown, input);
    Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "NAND2");
    Type(shown, input, IDC_GATE_COUNT, "4");
  }));

  const CComponent& record = Added();
  EXPECT_EQ(record.GetPcbSymbol(), "");
  ASSERT_EQ(record.CountGates(), 4);
  for (int gate = 0; gate < 4; ++gate) {
    ASSERT_NE(record.FindGate(gate), nullptr);
    EXPECT_EQ(record.FindGate(gate)->GetSymbol(), "NAND2");
    EXPECT_EQ(record.FindGate(gate)->GetLibrary(), "logic.scmlib");
    EXPECT_EQ(PinsOf(record, gate), (std::vector<int>{3 * gate + 1, 3 * gate + 2, 3 * gate + 3}));
  }
}

TEST_F(NewComponentDialogTest, WithAFootprintTheGatesGetNoPinsAndTheRecordItsPadCount) {
  ASSERT_TRUE(Create([](CDialog& shown, UserInput& input) {
    NameIt(shown, input);
    Choose(shown, input, IDC_PCB_SYMBOL_COMBO, "DIP-14");
    Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "NAND2");
    Type(shown, input, IDC_GATE_COUNT, "4");
  }));

  const CComponent& record = Added();
  EXPECT_EQ(record.GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(record.GetPinCount(), 14);
  ASSERT_EQ(record.CountGates(), 4);
  for (int gate = 0; gate < 4; ++gate)
    EXPECT_EQ(PinsOf(record, gate), (std::vector<int>(3, CGate::kNoPin))) << "gate " << gate;
}

TEST_F(NewComponentDialogTest, GatesZeroMakesOneGate) {
  ASSERT_TRUE(Create([](CDialog& shown, UserInput& input) {
    NameIt(shown, input);
    Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "INV");
    Type(shown, input, IDC_GATE_COUNT, "0");
  }));

  EXPECT_EQ(Added().CountGates(), 1);
  EXPECT_EQ(PinsOf(Added(), 0), (std::vector<int>{1, 2}));
}

TEST_F(NewComponentDialogTest, AGatesTextThatIsNotANumberKeepsTheDialogOpenWithNothingAdded) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        NameIt(shown, input);
        Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "INV");
        Type(shown, input, IDC_GATE_COUNT, "two");
      },
      {"Please enter a positive integer.", IDC_GATE_COUNT});
}

TEST_F(NewComponentDialogTest, MoreGatesThanAComponentHoldsAreRefusedBeforeAnythingIsAdded) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        NameIt(shown, input);
        Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "INV");
        Type(shown, input, IDC_GATE_COUNT, "40000");
      },
      {"A component can have at most 32768 gates.", IDC_GATE_COUNT});
}

TEST_F(NewComponentDialogTest, APackageTheDesignsComponentHasIsRefusedWhateverNameIsTyped) {
  ComponentBuilder("DUT").Gates(1, 2).Package("DIP-8", "DIP-8").BuildInto(Design());
  ExpectRefused([](CDialog& shown, UserInput& input) { NameIt(shown, input, "OTHER", "dip-8"); },
                {"Package \"dip-8\" is already defined for this component.", IDC_PACKAGE_COMBO});
}

TEST_F(NewComponentDialogTest, TheChecksRunInOrderAndStopAtTheFirstFailure) {
  // The name comes first, even with every other field wrong too.
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        TypeCombo(shown, input, IDC_PCB_SYMBOL_COMBO, "NO-SUCH-FOOTPRINT");
        TypeCombo(shown, input, IDC_DEFAULT_REFERENCE, "U1");
      },
      {"Component name cannot be empty.", IDC_COMPONENT_NAME});
  // The PCB section is checked before the schematic one.
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        NameIt(shown, input);
        TypeCombo(shown, input, IDC_PCB_SYMBOL_COMBO, "NO-SUCH-FOOTPRINT");
        TypeCombo(shown, input, IDC_SCM_SYMBOL_COMBO, "NO-SUCH-SYMBOL");
      },
      {"Symbol NO-SUCH-FOOTPRINT does not exist.", IDC_PCB_SYMBOL_COMBO});
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        NameIt(shown, input);
        TypeCombo(shown, input, IDC_DEFAULT_REFERENCE, "U1");
      },
      {"Default reference \"U1\" can contain only the letters A to Z, without digits or blanks.",
       IDC_DEFAULT_REFERENCE});
}

TEST_F(NewComponentDialogTest, ASectionSwitchedOffGreysItsControlsButItsSymbolIsStillUsed) {
  std::vector<bool> enabledAfter;
  ASSERT_TRUE(Create([&](CDialog& shown, UserInput& input) {
    NameIt(shown, input);
    Choose(shown, input, IDC_SCM_SYMBOL_COMBO, "DFF");
    Type(shown, input, IDC_GATE_COUNT, "2");
    EXPECT_TRUE(input.SetCheck(Item(shown, IDC_SCM_SECTION), false));
    EXPECT_TRUE(input.SetCheck(Item(shown, IDC_PCB_SECTION), false));
    for (const int id :
         {IDC_SCM_SYMBOL_COMBO, IDC_SCM_LIBRARY_COMBO, IDC_FIND_SCM_SYMBOL, IDC_SCM_PIN_COUNT, IDC_GATE_COUNT,
          IDC_GATES_LABEL, IDC_PCB_SYMBOL_COMBO, IDC_PCB_PIN_COUNT, IDC_FIND_PCB_SYMBOL, IDC_PCB_NAME_LABEL})
      enabledAfter.push_back(Item(shown, id)->IsWindowEnabled() != FALSE);
    EXPECT_TRUE(Item(shown, IDC_COMPONENT_NAME)->IsWindowEnabled());
  }));

  EXPECT_EQ(enabledAfter, std::vector<bool>(10, false));
  const CComponent& record = Added();
  ASSERT_EQ(record.CountGates(), 2);
  EXPECT_EQ(record.FindGate(1)->GetSymbol(), "DFF");
  EXPECT_EQ(PinsOf(record, 1), (std::vector<int>{5, 6, 7, 8}));
}

TEST_F(NewComponentDialogTest, ASwitchedOffSectionsBadSymbolStillRefusesOk) {
  ExpectRefused(
      [](CDialog& shown, UserInput& input) {
        NameIt(shown, input);
        TypeCombo(shown, input, IDC_SCM_SYMBOL_COMBO, "NO-SUCH-SYMBOL");
        EXPECT_TRUE(input.SetCheck(Item(shown, IDC_SCM_SECTION), false));
      },
      {"Symbol NO-SUCH-SYMBOL does not exist.", IDC_SCM_SYMBOL_COMBO});
}

}  // namespace
