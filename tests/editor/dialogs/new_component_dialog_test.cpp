// The New Component dialog through the exported GetNewComponentSettings, in one scene:
// the refusals that keep it open on the control at fault with the design as it was, then
// the record each entry adds on OK (symbols, library, pin count, default reference, gates
// and, without a footprint, pins numbered in gate order), sections switched off included.
#include "editor/dialogs/new_component_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/frame/editor_module.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

// What the user types; a null field is left as it is.
struct Entry {
  const char *name, *package, *footprint, *symbol, *reference, *gates;
  bool sectionsOff = false;
  const char* pinCount = nullptr;
};

class NewComponentDialogTest : public EditorTest {
 protected:
  // Types each field given (an entry of a list is chosen from it) and switches both
  // sections on or off.
  void Fill(CDialog& dialog, const Entry& entry) {
    const std::pair<int, const char*> typed[] = {
        {IDC_COMPONENT_NAME, entry.name}, {IDC_GATE_COUNT, entry.gates}, {IDC_PCB_PIN_COUNT, entry.pinCount}};
    const std::pair<int, const char*> chosen[] = {{IDC_PACKAGE_COMBO, entry.package},
                                                  {IDC_PCB_SYMBOL_COMBO, entry.footprint},
                                                  {IDC_SCM_SYMBOL_COMBO, entry.symbol},
                                                  {IDC_DEFAULT_REFERENCE, entry.reference}};
    for (const auto& [id, text] : typed)
      if (text != nullptr) user.TypeText(dialog.GetDlgItem(id), text);
    for (const auto& [id, text] : chosen)
      if (text != nullptr && !user.ChooseComboEntry(dialog.GetDlgItem(id), text))
        user.TypeComboText(dialog.GetDlgItem(id), text);
    for (const int section : {IDC_SCM_SECTION, IDC_PCB_SECTION})
      user.SetCheck(dialog.GetDlgItem(section), !entry.sectionsOff);
  }

  // Runs the export: `act` plays the user and must end the dialog.
  bool Run(const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& shown, UserInput&) { act(shown); });
    return GetNewComponentSettings(&Design());
  }
};

TEST_F(NewComponentDialogTest,
       ChecksInOrderThenAddsEachRecordWithItsSymbolsCountsAndPinsInGateOrderWithoutAFootprint) {
  ComponentBuilder("DUT").Gates(1, 2).Package("DIP-8", "DIP-8").BuildInto(Design());
  // What is typed, the message, the control at fault.
  const std::tuple<Entry, const char*, int> refusals[] = {
      // The name comes first, even with every other field wrong too.
      {{"", "DIP-14", "NO-SUCH-FOOTPRINT", "", "U1", "1"},
       "Component name cannot be empty.",
       IDC_COMPONENT_NAME},
      // A package of the design's component, whatever name is typed.
      {{"OTHER", "DIP-8", "", "", "U", "1"},
       "Package \"DIP-8\" is already defined for this component.",
       IDC_PACKAGE_COMBO},
      // The PCB section is checked before the schematic one.
      {{"NEW", "DIP-14", "NO-SUCH-FOOTPRINT", "NO-SUCH-SYMBOL", "U", "1"},
       "Symbol NO-SUCH-FOOTPRINT does not exist.",
       IDC_PCB_SYMBOL_COMBO},
      {{"NEW", "DIP-14", "", "", "U1", "1"},
       "Default reference \"U1\" can contain only the letters A to Z, without digits or blanks.",
       IDC_DEFAULT_REFERENCE},
      {{"NEW", "DIP-14", "", "INV", "U", "two"}, nullptr, IDC_GATE_COUNT},  // the platform's wording
      {{"NEW", "DIP-14", "", "INV", "U", "40000"},
       "A component can have at most 32768 gates.",
       IDC_GATE_COUNT},
      // A section switched off still has its symbol checked.
      {{"NEW", "DIP-14", "", "NO-SUCH-SYMBOL", "U", "1", true},
       "Symbol NO-SUCH-SYMBOL does not exist.",
       IDC_SCM_SYMBOL_COMBO},
  };
  ClearRecords();
  EXPECT_FALSE(Run([&](CDialog& shown) {
    for (const auto& [id, text] : {std::pair{IDC_COMPONENT_NAME, ""},
                                   {IDC_GATE_COUNT, "1"},
                                   {IDC_PCB_LIBRARY_COMBO, "footprints.pcblib"}})
      EXPECT_EQ(shown.GetDlgItem(id)->GetWindowText(), text);
    EXPECT_FALSE(shown.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->GetWindowText().IsEmpty());
    for (const int section : {IDC_PCB_SECTION, IDC_SCM_SECTION})
      EXPECT_EQ(static_cast<CButton*>(shown.GetDlgItem(section))->GetCheck(), BST_CHECKED);
    for (const auto& [entry, message, focus] : refusals) {
      Fill(shown, entry);
      ExpectRefusedOnOk(Screen(), user, shown, message, focus);
    }
    EXPECT_TRUE(user.Click(shown.GetDlgItem(IDCANCEL)));
  }));
  EXPECT_EQ(MessageTexts().size(), std::size(refusals));
  EXPECT_EQ(Design().CountComponents(), 1) << "Cancel adds nothing";
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(UndoLevels().Events().empty());

  // Put right, each entry gives its record: its pins by gate, and its pin count (0: not checked).
  const std::vector<std::tuple<Entry, PinMap, int>> creations = {
      // With both symbols empty the record has no gate and the pins typed.
      {{"BLANK", "HDR-2x5", nullptr, nullptr, "U", nullptr, false, "10"}, {}, 10},
      {{"NEW1", "DIP-14", nullptr, "NAND2", "U", "4"}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, 0},
      {{"NEW2", "DIP-16", "DIP-14", "NAND2", "U", "4"}, PinMap(4, std::vector<int>(3, CGate::kNoPin)), 14},
      {{"NEW3", "SOT-23", nullptr, "INV", "U", "0"}, {{1, 2}}, 0},  // Gates 0 makes one gate
      // Switched off, a section greys its controls but its symbol is still used.
      {{"NEW4", "SOIC-8", nullptr, "DFF", "U", "2", true}, {{1, 2, 3, 4}, {5, 6, 7, 8}}, 0},
  };
  for (const auto& [entry, pins, count] : creations) {
    SCOPED_TRACE(entry.package);
    ClearRecords();
    ASSERT_TRUE(Run([&](CDialog& shown) {
      Fill(shown, entry);
      for (const int id : {IDC_SCM_SYMBOL_COMBO, IDC_SCM_LIBRARY_COMBO, IDC_FIND_SCM_SYMBOL,
                           IDC_SCM_PIN_COUNT, IDC_GATE_COUNT, IDC_GATES_LABEL, IDC_PCB_SYMBOL_COMBO,
                           IDC_PCB_PIN_COUNT, IDC_FIND_PCB_SYMBOL, IDC_PCB_NAME_LABEL})
        EXPECT_EQ(shown.GetDlgItem(id)->IsWindowEnabled() == FALSE, entry.sectionsOff) << id;
      EXPECT_TRUE(user.Click(shown.GetDlgItem(IDOK)));
    }));
    const CComponent* record = Design().FindComponent(entry.name, entry.package);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetPcbSymbol(), entry.footprint != nullptr ? entry.footprint : "");
    EXPECT_EQ(record->GetPcbComponent()->GetLibrary(), "footprints.pcblib");
    EXPECT_EQ(record->GetDefaultReference(), "U");
    EXPECT_EQ(PinsOf(*record), pins);
    EXPECT_TRUE(count == 0 || record->GetPinCount() == count) << record->GetPinCount();
    if (const CGate* gate = record->FindGate(0)) {
      EXPECT_EQ(gate->GetSymbol() + "/" + gate->GetLibrary(), CString(entry.symbol) + "/logic.scmlib");
    }
    ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
    EXPECT_EQ(Hints().All().front().object, record);
    EXPECT_TRUE(UndoLevels().Events().empty()) << "the export opens no undo level";
  }
}

}  // namespace
