// The dialogs that add a record, each in one scene: the refusals that keep it open on
// the control at fault with the design as it was, then the record it adds on OK.
//
// New Component, through the exported GetNewComponentSettings: symbols, library, pin
// count, default reference, gates and, without a footprint, pins numbered in gate order,
// sections switched off included. Add Package: what it offers at start, then the
// component's name and gates, a pin map of each gate's own size with no pins, the
// footprint, its library and pin count.
#include "editor/dialogs/new_component_dialog.h"

#include <algorithm>
#include <tuple>

#include "editor/dialogs/add_package_dialog.h"
#include "editor/frame/editor_module.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

// What the user types; a null field is left as it is.
struct Entry {
  const char *name, *package, *footprint, *symbol, *reference, *gates;
  bool sectionsOff = false;
  const char* pinCount = nullptr;
};

class NewComponentDialogTest : public EditorTest {
 protected:
  // Runs the export: types each field of each entry given (an entry of a list is chosen
  // from it), switches both sections on or off, and then `act` plays the user.
  bool Run(const Entry* entry, const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_NEW_COMPONENT, [&](CDialog& shown, UserInput&) {
      if (entry != nullptr) Fill(shown, *entry);
      act(shown);
    });
    return GetNewComponentSettings(&Design());
  }
  void Fill(CDialog& dialog, const Entry& entry) {
    const std::pair<int, const char*> fields[] = {
        {IDC_COMPONENT_NAME, entry.name},        {IDC_GATE_COUNT, entry.gates},
        {IDC_PCB_PIN_COUNT, entry.pinCount},     {IDC_PACKAGE_COMBO, entry.package},
        {IDC_PCB_SYMBOL_COMBO, entry.footprint}, {IDC_SCM_SYMBOL_COMBO, entry.symbol},
        {IDC_DEFAULT_REFERENCE, entry.reference}};
    for (const auto& [id, text] : fields) {
      if (text == nullptr || user.TypeText(dialog.GetDlgItem(id), text)) continue;
      if (!user.ChooseComboEntry(dialog.GetDlgItem(id), text))
        user.TypeComboText(dialog.GetDlgItem(id), text);
    }
    for (const int section : {IDC_SCM_SECTION, IDC_PCB_SECTION})
      user.SetCheck(dialog.GetDlgItem(section), !entry.sectionsOff);
  }
};

TEST_F(NewComponentDialogTest,
       ChecksInOrderThenAddsEachRecordWithItsSymbolsCountsAndPinsInGateOrderWithoutAFootprint) {
  ComponentBuilder("DUT").Gates(1, 2).Package("DIP-8", "DIP-8").BuildInto(Design());
  // What is typed, the message, the control at fault.
  const std::tuple<Entry, const char*, int> refusals[] = {
      // The name comes first, even with every other field wrong too.
      {{"", "DIP-14", "NOFP", "", "U1", "1"}, "Component name cannot be empty.", IDC_COMPONENT_NAME},
      // A package of the design's component, whatever name is typed.
      {{"OTHER", "DIP-8", "", "", "U", "1"},
       "Package \"DIP-8\" is already defined for this component.",
       IDC_PACKAGE_COMBO},
      // The PCB section is checked before the schematic one.
      {{"NEW", "DIP-14", "NOFP", "NOSYM", "U", "1"}, "Symbol NOFP does not exist.", IDC_PCB_SYMBOL_COMBO},
      {{"NEW", "DIP-14", "", "", "U1", "1"},
       "Default reference \"U1\" can contain only the letters A to Z, without digits or blanks.",
       IDC_DEFAULT_REFERENCE},
      {{"NEW", "DIP-14", "", "INV", "U", "two"}, nullptr, IDC_GATE_COUNT},  // the platform's wording
      {{"NEW", "DIP-14", "", "INV", "U", "40000"},
       "A component can have at most 32768 gates.",
       IDC_GATE_COUNT},
      // A section switched off still has its symbol checked.
      {{"NEW", "DIP-14", "", "NOSYM", "U", "1", true}, "Symbol NOSYM does not exist.", IDC_SCM_SYMBOL_COMBO}};
  ClearRecords();
  EXPECT_FALSE(Run(nullptr, [&](CDialog& shown) {
    std::string start;
    for (const int id : {IDC_COMPONENT_NAME, IDC_GATE_COUNT, IDC_PCB_LIBRARY_COMBO})
      start += shown.GetDlgItem(id)->GetWindowText().str() + "|";
    EXPECT_FALSE(shown.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->GetWindowText().IsEmpty());
    for (const int section : {IDC_PCB_SECTION, IDC_SCM_SECTION})
      start += std::to_string(static_cast<CButton*>(shown.GetDlgItem(section))->GetCheck());
    EXPECT_EQ(start, "|1|footprints.pcblib|11");
    for (const auto& [entry, message, focus] : refusals) {
      Fill(shown, entry);
      ExpectRefusedOnOk(Screen(), user, shown, message, focus);
    }
    EXPECT_TRUE(user.Click(shown.GetDlgItem(IDCANCEL)));
  }));
  EXPECT_EQ(MessageTexts().size(), std::size(refusals));
  EXPECT_EQ(Design().CountComponents(), 1) << "Cancel adds nothing";
  EXPECT_TRUE(Hints().All().empty() && UndoLevels().Events().empty());

  // Put right, each entry gives its record: its pins by gate, and its pin count (0: not checked).
  const std::vector<std::tuple<Entry, PinMap, int>> creations = {
      // With both symbols empty the record has no gate and the pins typed.
      {{"BLANK", "HDR-2x5", nullptr, nullptr, "U", nullptr, false, "10"}, {}, 10},
      {{"NEW1", "DIP-14", nullptr, "NAND2", "U", "4"}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, 0},
      {{"NEW2", "DIP-16", "DIP-14", "NAND2", "U", "4"}, PinMap(4, std::vector<int>(3, CGate::kNoPin)), 14},
      {{"NEW3", "SOT-23", nullptr, "INV", "U", "0"}, {{1, 2}}, 0},  // Gates 0 makes one gate
      // Switched off, a section greys its controls but its symbol is still used.
      {{"NEW4", "SOIC-8", nullptr, "DFF", "U", "2", true}, {{1, 2, 3, 4}, {5, 6, 7, 8}}, 0}};
  for (const auto& [entry, pins, count] : creations) {
    SCOPED_TRACE(entry.package);
    ClearRecords();
    ASSERT_TRUE(Run(&entry, [&](CDialog& shown) {
      for (const int id : {IDC_SCM_SYMBOL_COMBO, IDC_SCM_LIBRARY_COMBO, IDC_FIND_SCM_SYMBOL,
                           IDC_SCM_PIN_COUNT, IDC_GATE_COUNT, IDC_GATES_LABEL, IDC_PCB_SYMBOL_COMBO,
                           IDC_PCB_PIN_COUNT, IDC_FIND_PCB_SYMBOL, IDC_PCB_NAME_LABEL})
        EXPECT_EQ(shown.GetDlgItem(id)->IsWindowEnabled() == FALSE, entry.sectionsOff) << id;
      EXPECT_TRUE(user.Click(shown.GetDlgItem(IDOK)));
    }));
    const CComponent* record = Design().FindComponent(entry.name, entry.package);
    ASSERT_NE(record, nullptr);
    const CGate* gate = record->FindGate(0);
    EXPECT_EQ(record->GetPcbSymbol() + "|" + record->GetPcbComponent()->GetLibrary() + "|" +
                  record->GetDefaultReference() + "|" +
                  (gate ? gate->GetSymbol() + "/" + gate->GetLibrary() : ""),
              CString(entry.footprint ? entry.footprint : "") + "|footprints.pcblib|U|" +
                  (gate ? CString(entry.symbol) + "/logic.scmlib" : ""));
    EXPECT_EQ(PinsOf(*record), pins);
    EXPECT_TRUE(count == 0 || record->GetPinCount() == count) << record->GetPinCount();
    ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
    EXPECT_EQ(Hints().All().front().object, record);
    EXPECT_TRUE(UndoLevels().Events().empty()) << "the export opens no undo level";
  }
}

TEST_F(NewComponentDialogTest, OffersTheStockPackagesRefusesOnTheControlAtFaultThenAddsEveryGateWithNoPins) {
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
  const CComponent* added = dialog.GetNewComponent();
  ASSERT_TRUE(added != nullptr && added == Design().FindComponent("DUT", "MY-PACKAGE"));
  EXPECT_EQ(added->GetPcbSymbol() + "|" + added->GetPcbComponent()->GetLibrary() + "|" +
                std::to_string(added->GetPinCount()).c_str(),
            "DIP-8|footprints.pcblib|20");
  // Every gate of the component with its own symbol and size, and no pins.
  EXPECT_EQ(PinsOf(*added), (PinMap{{CGate::kNoPin, CGate::kNoPin}, PinMap::value_type(4, CGate::kNoPin)}));
  EXPECT_EQ(added->FindGate(0)->GetSymbol() + "|" + added->FindGate(1)->GetSymbol(), "INV|DFF");
}

}  // namespace
