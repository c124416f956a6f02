// Gates, their symbols and their terminal names are the component's: whichever way the
// user changes them, every package record holds the same.
// Only the pins differ from package to package. (Fixed in 3d2d493 and 9bf4e42: Add Gate,
// a renamed terminal and a deleted gate changed the current record alone.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "tests/editor/properties/properties_fixture.h"

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
using GateDataEveryPackageTest = PropertiesTest;

TEST_F(GateDataEveryPackageTest, EveryPathChangesEveryPackageAlike) {
  ASSERT_NE(Design().AddComponent(kComponent, "TSSOP-14"), nullptr);
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
         RunSheet(ScmTerminal(2, 3), [](CComponentProperties& sheet, UserInput& input) {
           ASSERT_TRUE(input.TypeText(Ctl(sheet, IDC_PIN_NAME), "OUT"));
         });
       }},
      {"a new symbol chosen on the Gate page",
       [&] {
         RunSheet(ScmGate(1), [](CComponentProperties& sheet, UserInput& input) {
           ASSERT_TRUE(input.ChooseComboEntry(Ctl(sheet, IDC_SCM_SYMBOL_COMBO), "DFF"));
         });
       }},
      {"Add Gate",
       [&] {
         ExpectDialogClosedBy(Screen(), IDD_ADD_GATE, IDOK, [](CDialog& dialog, UserInput& input) {
           ASSERT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV"));
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
    for (const ComponentValue& record : Records())
      EXPECT_EQ(SharedGates(record), SharedGates(Component().GetValue())) << record.package.str();
  }
  EXPECT_EQ(SharedGates(Component().GetValue()),
            (Gates{"1 logic.scmlib:DFF A IN OUT ", "2 logic.scmlib:NAND2 A IN OUT",
                   "3 logic.scmlib:NAND2 A IN OUT", "4 logic.scmlib:POWER VCC GND", "5 logic.scmlib:INV  "}));
  EXPECT_EQ(Design().FindComponent(kComponent, "SOIC-14")->GetPinNumber(2, 3), 8)
      << "pins stay the package's";
}

}  // namespace
