// Gates, their symbols and their terminal names are the component's: whichever way the
// user changes them, every package record holds the same, and so does the saved library.
// Only the pins differ from package to package. (Fixed in 3d2d493 and 9bf4e42: Add Gate,
// a renamed terminal and a deleted gate changed the current record alone.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/model/component_library_file.h"
#include "platform/dialog.h"
#include "platform/property_sheet.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using Gates = std::vector<std::string>;
constexpr const char* kComponent = "QUAD-NAND2";

// What every package must agree on, gate by gate: "index library:symbol names...".
Gates SharedGates(const ComponentValue& record) {
  Gates gates;
  for (const GateValue& gate : record.gates) {
    std::string text = std::to_string(gate.index) + " " + gate.library.str() + ":" + gate.symbol.str();
    for (const TerminalValue& terminal : gate.terminals) text += " " + terminal.name.str();
    gates.push_back(text);
  }
  return gates;
}

// QUAD-NAND2 in DIP-14 (current), SOIC-14 and TSSOP-14: gates a to d are NAND2 (A, B,
// Y), gate e is POWER (VCC, GND). The grid's rows 1 to 3 are the NAND2 terminals.
class GateDataEveryPackageTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent(kComponent));
    ASSERT_NE(Design().AddComponent(kComponent, "TSSOP-14"), nullptr);
    ClearRecords();
  }

  // The property sheet on `item`, open at its page: `act` works on that page, then OK.
  void InSheet(CDesignItem* item, const std::function<void(CPropertyPage&, UserInput&)>& act) {
    Screen().ExpectDialog(0, [&](CDialog& dialog, UserInput& input) {
      auto& sheet = static_cast<CPropertySheet&>(dialog);
      act(*sheet.GetActivePage(), input);
      input.Click(sheet.GetDlgItem(IDOK));
      EXPECT_FALSE(sheet.IsModalActive()) << "the sheet stayed open";
    });
    Frame().OnProperties(item);
  }

  // Every record, and every record of the library saved now, next to the first.
  void ExpectEveryPackageAlike() {
    std::vector<ComponentValue> records;
    POSITION position = nullptr;
    for (CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position))
      records.push_back(record->GetValue());
    const CString path = (m_scratch / "saved.cmplib").c_str();
    CString error;
    std::vector<LibraryComponent> saved;
    ASSERT_TRUE(CComponentLibraryFile::SaveComponent(path, kComponent, Design(), error)) << error.str();
    ASSERT_TRUE(CComponentLibraryFile::Load(path, saved, error)) << error.str();
    records.insert(records.end(), saved.at(0).records.begin(), saved.at(0).records.end());
    ASSERT_EQ(records.size(), 6u);
    for (const ComponentValue& record : records)
      EXPECT_EQ(SharedGates(record), SharedGates(records.front())) << record.package.str();
  }

  ScratchFolder m_scratch;
};

TEST_F(GateDataEveryPackageTest, EveryPathChangesEveryPackageAlike) {
  struct Path {
    const char* name;
    std::function<void()> act;
  };
  const std::vector<Path> paths = {
      {"a name typed into the grid, then written back",
       [&] {
         ASSERT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), 2, 1, "IN"));
         ASSERT_TRUE(Frame().UpdateDesign());
       }},
      {"a terminal renamed on the Schematic Pin page",
       [&] {
         InSheet(ScmTerminal(2, 3), [](CPropertyPage& page, UserInput& input) {
           ASSERT_TRUE(input.TypeText(page.GetDlgItem(IDC_PIN_NAME), "OUT"));
         });
       }},
      {"a new symbol chosen on the Gate page",
       [&] {
         InSheet(ScmGate(1), [](CPropertyPage& page, UserInput& input) {
           ASSERT_TRUE(input.ChooseComboEntry(page.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "DFF"));
         });
       }},
      {"Add Gate",
       [&] {
         Screen().ExpectDialog(IDD_ADD_GATE, [](CDialog& dialog, UserInput& input) {
           ASSERT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV"));
           input.Click(dialog.GetDlgItem(IDOK));
         });
         Frame().OnAddGate();
       }},
      {"a gate deleted in the drawing",
       [&] {
         Screen().ExpectMessageBox(IDYES, "Delete gate a?");
         Symbols().DeleteGate(ScmGate(0));
       }},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    const Gates before = SharedGates(Component().GetValue());
    path.act();
    EXPECT_NE(SharedGates(Component().GetValue()), before) << "the path changed nothing";
    ExpectEveryPackageAlike();
  }
  EXPECT_EQ(SharedGates(Component().GetValue()),
            (Gates{"1 logic.scmlib:DFF A IN OUT ", "2 logic.scmlib:NAND2 A IN OUT",
                   "3 logic.scmlib:NAND2 A IN OUT", "4 logic.scmlib:POWER VCC GND", "5 logic.scmlib:INV  "}));
  EXPECT_EQ(Design().FindComponent(kComponent, "SOIC-14")->GetPinNumber(2, 3), 8)
      << "pins stay the package's";
}

}  // namespace
