// Typing into the pin grid: each value goes into the design at once, in an undo level
// of its own, and again when the design is brought up to date; what the grid wrote is
// what the drawings show.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "editor/grid/grid_update_evt.h"
#include "host/model/component.h"
#include "host/utility/app_error.h"
#include "host/utility/evt.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Levels = std::vector<UINT>;

class GridEditTest : public SampleGridTest {
 protected:
  CComponent& Soic() { return *Design().FindComponent("QUAD-NAND2", "SOIC-14"); }
  // Each (gate, terminal, pin) holds in `record`.
  using Pin = std::tuple<int, int, int>;
  void ExpectPins(const CComponent& record, std::initializer_list<Pin> pins) {
    for (const auto& [gate, terminal, pin] : pins)
      EXPECT_EQ(record.GetPinNumber(gate, terminal), pin) << "gate " << gate << " terminal " << terminal;
  }
};

TEST_F(GridEditTest, APinIsStoredAsTypedInOneUndoStepOfItsOwn) {
  ASSERT_TRUE(Type(1, 3, ""));
  EXPECT_EQ(Component().GetPinNumber(0, 1), CGate::kNoPin);
  const std::vector<RecordedHint> pins = Hints().OfKind(HintPinNumber);
  ASSERT_EQ(pins.size(), 2u);  // the removal, then the new value
  EXPECT_EQ(std::make_tuple(pins[0].pin, pins[1].sender, pins[1].gate, pins[1].terminal, pins[1].pin),
            (std::tuple<int, CView*, int, int, int>(-1, Grid(), 0, 1, -1)));
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_EQ(Design().GetUndoName(), "Edit Pin Map");
  // Accelerators go off for the edit and come back at the change and at the end.
  EXPECT_EQ(Frame().AcceleratorsRestored() - Frame().AcceleratorsDestroyed(), 1);
  EXPECT_EQ(ModifiedCells(), Texts{"1,3"});
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Text(1, 3), "1");
  // Text after the number is dropped, text without one is pin 0; the other package
  // keeps its own map.
  ASSERT_TRUE(Type(1, 4, "7abc"));
  ASSERT_TRUE(Type(2, 4, "x"));
  ExpectPins(Component(), {{1, 1, 7}, {1, 2, 0}});
  ExpectPins(Soic(), {{1, 1, 4}});
}

// Shipped bug (c006a9d): typed pins were checked and clipped, and the write-back skipped
// cells; pins are kept as typed and every edited cell is written again.
TEST_F(GridEditTest, TheWriteBackWritesEveryEditedCellAsTypedInOneStep) {
  for (const auto& [row, col, text] : {std::tuple{1, 1, "IN1"},
                                       {1, 3, "-5"},
                                       {2, 3, "999"},
                                       {3, 4, "4"},
                                       {4, 7, "-2147483648"},
                                       {5, 7, "99999999999"}})
    ASSERT_TRUE(Type(row, col, text));
  EXPECT_EQ(ScmTerminal(0, 1)->GetPinNumberText()->GetText(), "-5");
  EXPECT_TRUE(MessageTexts().empty());
  // The model is put back behind the grid's back; the update puts the cells back in.
  Component().SetPinName(0, 1, "A");
  for (const auto& [gate, terminal, pin] : {std::tuple{0, 1, 1}, {0, 2, 2}, {1, 3, 6}, {4, 1, 14}, {4, 2, 7}})
    Component().SetPinNumber(gate, terminal, pin);
  const int undoSteps = Design().GetUndoCount();
  ClearRecords();
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 1);
  EXPECT_EQ(ModifiedCells(), Texts{});
  EXPECT_EQ(Design().GetUndoCount(), undoSteps + 1);
  EXPECT_EQ(Hints().All().size(), 0u) << "nothing is told to the other panes";
  ExpectPins(Component(), {{0, 1, -5}, {0, 2, 999}, {1, 3, 4}, {1, 1, 4}, {4, 1, INT_MIN}, {4, 2, INT_MAX}});
  EXPECT_EQ(Component().GetPinName(0, 1), "IN1");
  // An invalid name makes the event fail.
  ASSERT_TRUE(Type(4, 1, "VCC\t"));
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 0);
}

// Shipped bug (33473b3): a renamed terminal reached only the gate of the block's row.
TEST_F(GridEditTest, ATerminalNameGoesToEveryGateOfTheBlockOnScreenAndInEveryPackage) {
  ASSERT_TRUE(Type(2, 1, "IN2"));
  for (int gate = 0; gate < 4; ++gate) {
    EXPECT_EQ(Component().GetPinName(gate, 2), "IN2") << "gate " << gate;
    EXPECT_EQ(ScmTerminal(gate, 2)->GetPinNameText()->GetText(), "IN2") << "gate " << gate;
  }
  for (int pin : {2, 5, 10, 13}) EXPECT_EQ(PcbPad(pin)->GetTerminalName(), "IN2") << "pin " << pin;
  EXPECT_EQ(Component().GetPinName(4, 2), "GND");
  EXPECT_EQ(Soic().GetPinName(0, 2), "IN2");
  ASSERT_EQ(Hints().Count(HintPinName), 1);
  const RecordedHint hint = Hints().OfKind(HintPinName)[0];
  EXPECT_EQ(std::make_tuple(hint.symbol, hint.terminal, hint.name),
            std::make_tuple(CString("NAND2"), 2, CString("IN2")));
  EXPECT_EQ(Design().GetUndoName(), "Edit Terminal Name");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Soic().GetPinName(3, 2), "B");
  // A name the next update refuses is taken at once; the refused update writes no pin
  // and leaves the name unmarked, so the one after goes through.
  ASSERT_TRUE(Type(1, 1, " A"));
  ASSERT_TRUE(Type(1, 3, "9"));
  Component().SetPinNumber(0, 1, 1);
  EXPECT_FALSE(Frame().UpdateDesign());
  EXPECT_TRUE(CAppError::HasLastError());
  EXPECT_EQ(ModifiedCells(), Texts{"1,3"});
  EXPECT_EQ(Component().GetPinNumber(0, 1), 1);
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(Component().GetPinNumber(0, 1), 9);
}

// Parts taken from other formats leave terminal names empty: the grid shows the
// symbol's, greyed, and the data stays empty until the user types a name.
TEST_F(GridEditTest, ATerminalWithoutANameShowsTheSymbolsPinNameAndKeepsItsOwnEmpty) {
  for (int gate = 0; gate < 4; ++gate) Component().SetPinName(gate, 3, "");
  Refill();
  EXPECT_EQ(Text(3, 1), "");
  EXPECT_EQ(Cells().GetShownText(3, 1), "Y");
  ASSERT_TRUE(user.BeginGridEdit(&Cells(), 3, 1));
  EXPECT_EQ(GetGridData(Cells().GetSafeHwnd())->Edit().text, "")
      << "the edit starts from the cell's own text";
  ASSERT_TRUE(user.EndGridEdit(&Cells()));
  ASSERT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(Component().GetPinName(0, 3), "");
}

// A new symbol replaces the gate in every package; an unknown one is reported; a gate
// without library looks in the last used schematic library.
TEST_F(GridEditTest, ANewSymbolReplacesTheGateInEveryPackageAndAnUnknownOneIsReported) {
  ASSERT_TRUE(Type(1, 0, "DFF"));
  EXPECT_EQ(Soic().FindGate(0)->GetSymbol(), "DFF");
  EXPECT_EQ(Soic().FindGate(0)->GetLibrary(), "logic");
  EXPECT_EQ(Soic().FindGate(0)->CountPins(), 4);
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_SYMBOL_NAME});
  EXPECT_EQ(Hints().Count(HintComponent), 1);
  // Gate a now has a block of its own, above the other NAND2 gates.
  EXPECT_EQ(Column(0), (Texts{"DFF", "", "", "", "NAND2", "", "", "POWER", ""}));
  EXPECT_EQ(Column(4), (Texts{"", "", "", "", "4", "5", "6", "", ""}));
  ClearRecords();
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(Type(5, 0, "NAND9"));
  ASSERT_EQ(MessageTexts().size(), 1u);
  EXPECT_NE(MessageTexts()[0].Find("NAND9"), -1);
  EXPECT_EQ(Text(5, 0), "NAND2");
  EXPECT_TRUE(UndoLevels().Events().empty());

  Component().FindGate(4)->SetLibrary("");
  Settings().Set("Libraries", "LastScm", (DataDirectory() + "/connectors.scmlib").str());
  ASSERT_TRUE(Type(8, 0, "CONN10"));
  EXPECT_EQ(Soic().FindGate(4)->GetLibrary(), "connectors");
  EXPECT_EQ(Text(17, 2), "10");
}

}  // namespace
