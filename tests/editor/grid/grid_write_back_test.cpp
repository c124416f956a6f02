// What the grid writes into the design is what the screen shows and the saved
// library holds: a terminal name for every gate its rows stand for, pin numbers as the
// user typed them.
#include <gtest/gtest.h>

#include <climits>

#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "tests/editor/grid/grid_test.h"
#include "tests/support/scratch_folder.h"

namespace {

using Texts = std::vector<std::string>;
constexpr const char* kComponent = "QUAD-NAND2";

// QUAD-NAND2 in DIP-14 (current) and SOIC-14, laid out as
//   row 1 NAND2 A 1 | 1  4  9 12  -
//   row 2       B 2 | 2  5 10 13  -
//   row 3       Y 3 | 3  6  8 11  -
//   row 4 POWER VCC | -  -  -  - 14
//   row 5       GND | -  -  -  -  7
class GridWriteBackTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent(kComponent));
    ClearRecords();
  }

  // Saves the component into a library file of its own and reads the file back.
  void SaveAndReadBack() {
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::SaveComponent(SavedPath(), kComponent, Design(), error))
        << error.str();
    ASSERT_TRUE(CComponentLibraryFile::Load(SavedPath(), m_saved, error)) << error.str();
    ASSERT_EQ(m_saved.size(), 1u);
  }
  CString SavedPath() const { return CString(m_scratch / "saved.cmplib"); }
  // A gate of a package as the file read back holds it.
  const GateValue& SavedGate(const char* package, int gate) const {
    for (const ComponentValue& record : m_saved.at(0).records) {
      if (record.package != package) continue;
      for (const GateValue& value : record.gates) {
        if (value.index == gate) return value;
      }
    }
    throw std::logic_error("the saved library has no such gate");
  }

  // The text drawn beside a schematic terminal: its name or its pin number.
  std::string DrawnName(int gate, int terminal) {
    const CPadInstance* pad = ScmTerminal(gate, terminal);
    return pad != nullptr ? pad->GetPinNameText()->GetText().str() : "(not drawn)";
  }
  std::string DrawnPin(int gate, int terminal) {
    const CPadInstance* pad = ScmTerminal(gate, terminal);
    return pad != nullptr ? pad->GetPinNumberText()->GetText().str() : "(not drawn)";
  }

  ScratchFolder m_scratch;
  std::vector<LibraryComponent> m_saved;
};

TEST_F(GridWriteBackTest, ARenamedTerminalReachesEveryGateOfItsBlockOnScreenInTheModelAndInTheFile) {
  ASSERT_TRUE(Type(2, 1, "IN2"));
  for (int gate = 0; gate < 4; ++gate) {
    EXPECT_EQ(Component().GetPinName(gate, 2), "IN2") << "gate " << gate;
    EXPECT_EQ(DrawnName(gate, 2), "IN2") << "gate " << gate;
  }
  EXPECT_EQ(Component().GetPinName(4, 2), "GND");
  EXPECT_EQ(Design().GetUndoName(), "Edit Terminal Name");

  // Behind the grid's back the gates get their old name again; the write-back names
  // every gate of the block once more.
  for (int gate = 0; gate < 4; ++gate) Component().SetPinName(gate, 2, "B");
  ASSERT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(ModifiedCells(), Texts{});
  EXPECT_TRUE(MessageTexts().empty());
  SaveAndReadBack();
  for (int gate = 0; gate < 4; ++gate) {
    EXPECT_EQ(Component().GetPinName(gate, 2), "IN2") << "gate " << gate;
    EXPECT_EQ(SavedGate("DIP-14", gate).terminals[1].name, "IN2") << "gate " << gate;
  }
  // The PCB drawing names each land after the terminal it serves.
  for (int pin : {2, 5, 10, 13}) EXPECT_EQ(PcbPad(pin)->GetTerminalName(), "IN2") << "pin " << pin;
  EXPECT_EQ(Text(2, 1), "IN2");
  EXPECT_EQ(SavedGate("DIP-14", 4).terminals[1].name, "GND");
}

TEST_F(GridWriteBackTest, PinsAreKeptAsTypedAndTheWriteBackWritesEveryEditedCell) {
  // In the order the write-back walks them: the odd numbers come first.
  ASSERT_TRUE(Type(1, 3, "-5"));
  ASSERT_TRUE(Type(2, 3, "999"));
  ASSERT_TRUE(Type(3, 4, "4"));  // gate b's terminal A has pin 4 already
  ASSERT_TRUE(Type(4, 7, "-2147483648"));
  ASSERT_TRUE(Type(5, 7, "99999999999"));  // too large for a pin: the largest one
  EXPECT_EQ(Component().GetPinNumber(0, 1), -5);
  EXPECT_EQ(Text(1, 3), "-5");
  EXPECT_EQ(DrawnPin(0, 1), "-5");

  // The map is put back behind the grid's back; the write-back stores every typed pin.
  Component().SetPinNumber(0, 1, 1);
  Component().SetPinNumber(0, 2, 2);
  Component().SetPinNumber(1, 3, 6);
  Component().SetPinNumber(4, 1, 14);
  Component().SetPinNumber(4, 2, 7);
  ClearRecords();
  ASSERT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(ModifiedCells(), Texts{});
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_TRUE(MessageTexts().empty());
  const std::vector<std::tuple<int, int, int>> typed = {{0, 1, -5}, {0, 2, 999},     {1, 3, 4},
                                                        {1, 1, 4},  {4, 1, INT_MIN}, {4, 2, INT_MAX}};
  for (const auto& [gate, terminal, pin] : typed) {
    EXPECT_EQ(Component().GetPinNumber(gate, terminal), pin) << "gate " << gate << " terminal " << terminal;
  }

  // Saved and read back, the package keeps them all.
  SaveAndReadBack();
  for (const auto& [gate, terminal, pin] : typed) {
    EXPECT_EQ(SavedGate("DIP-14", gate).terminals[static_cast<size_t>(terminal - 1)].pin, pin)
        << "gate " << gate << " terminal " << terminal;
  }
  CDesign reloaded;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(SavedPath(), kComponent, reloaded, error)) << error.str();
  const CComponent* dip = reloaded.FindComponent(kComponent, "DIP-14");
  ASSERT_NE(dip, nullptr);
  for (const auto& [gate, terminal, pin] : typed) EXPECT_EQ(dip->GetPinNumber(gate, terminal), pin);
}

}  // namespace
