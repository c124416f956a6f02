// Typing into the pin grid: each value goes into the design at once, in an undo level
// of its own, and again when the design is brought up to date; what the grid wrote is
// what the drawings show and the saved library holds.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "editor/grid/grid_update_evt.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/utility/app_error.h"
#include "host/utility/evt.h"
#include "tests/editor/grid/grid_test.h"
#include "tests/support/scratch_folder.h"

namespace {

using Levels = std::vector<UINT>;

class GridEditTest : public SampleGridTest {
 protected:
  CComponent& Soic() { return *Design().FindComponent("QUAD-NAND2", "SOIC-14"); }
  std::vector<int> PinHints() {
    std::vector<int> pins;
    for (const RecordedHint& hint : Hints().OfKind(HintPinNumber)) pins.push_back(hint.pin);
    return pins;
  }
};

TEST_F(GridEditTest, APinIsStoredAsTypedInOneUndoStepOfItsOwn) {
  ASSERT_TRUE(Type(1, 3, ""));
  EXPECT_EQ(Component().GetPinNumber(0, 1), CGate::kNoPin);
  EXPECT_EQ(PinHints(), (std::vector<int>{-1, -1})) << "the removal, then the new value";
  const RecordedHint hint = Hints().OfKind(HintPinNumber)[1];
  EXPECT_EQ(std::make_tuple(hint.sender, hint.gate, hint.terminal),
            (std::tuple<CView*, int, int>(Grid(), 0, 1)));
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
  EXPECT_EQ(Component().GetPinNumber(1, 1), 7);
  EXPECT_EQ(Component().GetPinNumber(1, 2), 0);
  EXPECT_EQ(Soic().GetPinNumber(1, 1), 4);
}

// Shipped bug (c006a9d): typed pins were checked and clipped, and the write-back skipped
// cells; pins are kept as typed and every edited cell is written again.
TEST_F(GridEditTest, TheWriteBackWritesEveryEditedCellAsTypedInOneStepAndTheFileKeepsThem) {
  for (const auto& [row, col, text] : {std::tuple{1, 1, "IN1"},
                                       {1, 3, "-5"},
                                       {2, 3, "999"},
                                       {3, 4, "4"},
                                       {4, 7, "-2147483648"},
                                       {5, 7, "99999999999"}})
    ASSERT_TRUE(Type(row, col, text));
  EXPECT_EQ(Text(1, 3), "-5");
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

  ScratchFolder scratch;
  const CString saved(scratch / "saved.cmplib");
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::SaveComponent(saved, "QUAD-NAND2", Design(), error)) << error.str();
  CDesign reloaded;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(saved, "QUAD-NAND2", reloaded, error)) << error.str();
  const CComponent* dip = reloaded.FindComponent("QUAD-NAND2", "DIP-14");
  for (const auto& [gate, terminal, pin] :
       {std::tuple{0, 1, -5}, {0, 2, 999}, {1, 3, 4}, {1, 1, 4}, {4, 1, INT_MIN}, {4, 2, INT_MAX}})
    EXPECT_EQ(dip->GetPinNumber(gate, terminal), pin) << "gate " << gate << " terminal " << terminal;
  EXPECT_EQ(dip->GetPinName(0, 1), "IN1");
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
}

TEST_F(GridEditTest, AGateWithoutLibraryLooksInTheLastUsedSchematicLibrary) {
  Component().FindGate(4)->SetLibrary("");
  Settings().Set("Libraries", "LastScm", (DataDirectory() + "/connectors.scmlib").str());
  ASSERT_TRUE(Type(4, 0, "CONN10"));
  EXPECT_EQ(Soic().FindGate(4)->GetLibrary(), "connectors");
  EXPECT_EQ(Text(13, 2), "10");
}

}  // namespace
