// Typing into the pin grid: each value goes into the design at once, in an undo level
// of its own, and again when the design is brought up to date.
#include <gtest/gtest.h>

#include "editor/grid/grid_update_evt.h"
#include "host/model/component.h"
#include "host/utility/app_error.h"
#include "host/utility/evt.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Texts = std::vector<std::string>;
using Levels = std::vector<UINT>;

// QUAD-NAND2 in DIP-14 (current) and SOIC-14, laid out as
//   row 1 NAND2 A 1 | 1  4  9 12  -
//   row 2       B 2 | 2  5 10 13  -
//   row 3       Y 3 | 3  6  8 11  -
//   row 4 POWER VCC | -  -  -  - 14
//   row 5       GND | -  -  -  -  7
class GridEditTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
  CComponent& Package(int index) {
    POSITION position = nullptr;
    CComponent* record = Design().FirstComponent(position);
    for (int i = 0; i < index && record != nullptr; ++i) record = Design().NextComponent(position);
    if (record == nullptr) throw std::logic_error("no such package");
    return *record;
  }
  std::vector<int> PinHints() {
    std::vector<int> pins;
    for (const RecordedHint& hint : Hints().OfKind(HintPinNumber)) pins.push_back(hint.pin);
    return pins;
  }
};

TEST_F(GridEditTest, ClearingAPinCellRemovesThePinInOneUndoStep) {
  ASSERT_TRUE(Type(1, 3, ""));

  EXPECT_EQ(Component().GetPinNumber(0, 1), CGate::kNoPin);
  // The removal, then the new value, which is no pin as well.
  EXPECT_EQ(PinHints(), (std::vector<int>{-1, -1}));
  for (const RecordedHint& hint : Hints().OfKind(HintPinNumber)) {
    EXPECT_EQ(hint.sender, Grid());
    EXPECT_EQ(hint.gate, 0);
    EXPECT_EQ(hint.terminal, 1);
    EXPECT_EQ(hint.symbol, "");
  }
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Design().GetUndoName(), "Edit Pin Map");
  // Accelerators go off for the edit and come back at the change and at the end.
  EXPECT_EQ(Frame().AcceleratorsDestroyed(), 1);
  EXPECT_EQ(Frame().AcceleratorsRestored(), 2);
  EXPECT_EQ(ModifiedCells(), Texts{"1,3"});

  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Component().GetPinNumber(0, 1), 1);
  EXPECT_EQ(Text(1, 3), "1");
}

TEST_F(GridEditTest, ANewPinIsStoredAsTypedAndTheOldOneReleasedFirst) {
  ASSERT_TRUE(Type(3, 6, "2"));
  EXPECT_EQ(Component().GetPinNumber(3, 3), 2);
  EXPECT_EQ(PinHints(), (std::vector<int>{-1, 2}));
  EXPECT_EQ(Hints().OfKind(HintPinNumber)[1].gate, 3);
  EXPECT_EQ(Hints().OfKind(HintPinNumber)[1].terminal, 3);

  // Not validated: text after the number is dropped, text without one is pin 0, and a
  // number beyond the package is kept.
  ASSERT_TRUE(Type(1, 4, "7abc"));
  ASSERT_TRUE(Type(2, 4, "x"));
  ASSERT_TRUE(Type(4, 7, "99"));
  EXPECT_EQ(Component().GetPinNumber(1, 1), 7);
  EXPECT_EQ(Component().GetPinNumber(1, 2), 0);
  EXPECT_EQ(Component().GetPinNumber(4, 1), 99);
  // The other package keeps its own map.
  EXPECT_EQ(Package(1).GetPinNumber(3, 3), 11);
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(UndoLevels().Started().size(), 4u);
}

TEST_F(GridEditTest, RetypingTheSamePinChangesNothingButStillOpensTheUndoLevel) {
  const int undoSteps = Design().GetUndoCount();
  ASSERT_TRUE(Type(2, 4, "05"));
  EXPECT_EQ(Component().GetPinNumber(1, 2), 5);
  EXPECT_EQ(PinHints(), std::vector<int>{5});
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_EQ(UndoLevels().Ended(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_EQ(Design().GetUndoCount(), undoSteps);
}

TEST_F(GridEditTest, ANegativePinIsKeptAsTypedWithoutAWord) {
  ASSERT_TRUE(Type(1, 3, "-5"));
  EXPECT_EQ(Component().GetPinNumber(0, 1), -5);
  EXPECT_EQ(Text(1, 3), "-5");
  EXPECT_EQ(PinHints(), (std::vector<int>{-1, -5}));
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_TRUE(UndoLevels().Balanced());
}

TEST_F(GridEditTest, ATerminalNameGoesToEveryGateOfTheBlock) {
  ASSERT_TRUE(Type(2, 1, "IN2"));
  for (int gate = 0; gate < 4; ++gate) EXPECT_EQ(Component().GetPinName(gate, 2), "IN2") << "gate " << gate;
  EXPECT_EQ(Component().GetPinName(4, 2), "GND");
  // Terminal names are the component's: the other package, not on screen, takes it too.
  EXPECT_EQ(Package(1).GetPinName(0, 2), "IN2");
  ASSERT_EQ(Hints().Count(HintPinName), 1);
  const RecordedHint hint = Hints().OfKind(HintPinName)[0];
  EXPECT_EQ(hint.symbol, "NAND2");
  EXPECT_EQ(hint.terminal, 2);
  EXPECT_EQ(hint.name, "IN2");
  EXPECT_EQ(hint.sender, Grid());
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_TERMINAL_NAME});
  EXPECT_EQ(Design().GetUndoName(), "Edit Terminal Name");

  ASSERT_TRUE(Type(5, 1, "VSS"));
  EXPECT_EQ(Component().GetPinName(4, 2), "VSS");
  EXPECT_EQ(Hints().OfKind(HintPinName)[1].symbol, "POWER");
  EXPECT_EQ(Frame().AcceleratorsDestroyed(), 2);
  EXPECT_EQ(Frame().AcceleratorsRestored(), 4);

  // One undo step takes the name back from every gate.
  ASSERT_TRUE(Design().Undo());
  ASSERT_TRUE(Design().Undo());
  for (int gate = 0; gate < 4; ++gate) EXPECT_EQ(Component().GetPinName(gate, 2), "B") << "gate " << gate;
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

  ASSERT_TRUE(Type(3, 1, "OUT"));
  EXPECT_EQ(Cells().GetShownText(3, 1), "OUT");
  ASSERT_TRUE(Type(3, 1, ""));
  EXPECT_EQ(Cells().GetShownText(3, 1), "Y") << "a cleared name shows the symbol's again";
}

TEST_F(GridEditTest, AnInvalidTerminalNameIsTakenAtOnceButRefusedByTheNextUpdate) {
  ASSERT_TRUE(Type(1, 1, " A"));
  EXPECT_EQ(Component().GetPinName(0, 1), " A");
  EXPECT_EQ(Hints().Count(HintPinName), 1);
  ASSERT_TRUE(Type(1, 3, "9"));
  // Someone maps the terminal back meanwhile; a refused update writes no pin.
  Component().SetPinNumber(0, 1, 1);
  ClearRecords();
  CAppError::ClearLastError();

  EXPECT_FALSE(Frame().UpdateDesign());
  EXPECT_TRUE(CAppError::HasLastError());
  EXPECT_EQ(Component().GetPinNumber(0, 1), 1);
  EXPECT_EQ(Text(1, 1), " A");
  EXPECT_EQ(ModifiedCells(), Texts{"1,3"});
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Hints().All().size(), 0u);

  // The refused name is no longer marked, so the next update goes through.
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(Component().GetPinNumber(0, 1), 9);
  EXPECT_EQ(ModifiedCells(), Texts{});
}

TEST_F(GridEditTest, AnUpdateWritesEveryEditedCellAgainInOneUndoStep) {
  ASSERT_TRUE(Type(1, 1, "IN1"));
  ASSERT_TRUE(Type(5, 1, "VSS"));
  ASSERT_TRUE(Type(2, 4, "20"));
  ASSERT_TRUE(Type(5, 7, ""));
  EXPECT_EQ(ModifiedCells(), (Texts{"1,1", "2,4", "5,1", "5,7"}));
  // The model is changed behind the grid's back; the update puts the cells back in.
  Component().SetPinName(0, 1, "A");
  Component().SetPinName(4, 2, "GND");
  Component().SetPinNumber(1, 2, 5);
  Component().SetPinNumber(4, 2, 7);
  const int undoSteps = Design().GetUndoCount();
  ClearRecords();

  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 1);
  EXPECT_EQ(Component().GetPinName(0, 1), "IN1");
  EXPECT_EQ(Component().GetPinName(4, 2), "VSS");
  EXPECT_EQ(Component().GetPinNumber(1, 2), 20);
  EXPECT_EQ(Component().GetPinNumber(4, 2), CGate::kNoPin);
  EXPECT_EQ(ModifiedCells(), Texts{});
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_PIN_MAP});
  EXPECT_EQ(Design().GetUndoCount(), undoSteps + 1);
  // Nothing is told to the other panes.
  EXPECT_EQ(Hints().All().size(), 0u);

  // An invalid name makes the event fail.
  ASSERT_TRUE(Type(4, 1, "VCC\t"));
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 0);
}

TEST_F(GridEditTest, StopEditEndsTheEditInProgressAsTheUserWould) {
  EXPECT_EQ(Grid()->StopEdit(), 0);
  ASSERT_TRUE(user.BeginGridEdit(&Cells(), 2, 3));
  ASSERT_TRUE(user.TypeInGridEditor(&Cells(), "7"));
  EXPECT_EQ(Frame().AcceleratorsDestroyed(), 1);
  EXPECT_EQ(Grid()->StopEdit(), 1);
  EXPECT_EQ(Component().GetPinNumber(0, 2), 7);
  EXPECT_EQ(Frame().AcceleratorsRestored(), 2);
  EXPECT_EQ(Grid()->StopEdit(), 0);
}

TEST_F(GridEditTest, ANewSymbolReplacesTheGateInEveryPackageAndRebuildsTheGrid) {
  ASSERT_TRUE(Type(1, 0, "DFF"));
  for (int package = 0; package < 2; ++package) {
    const CGate* gate = Package(package).FindGate(0);
    EXPECT_EQ(gate->GetSymbol(), "DFF");
    EXPECT_EQ(gate->GetLibrary(), "logic");
    EXPECT_EQ(gate->CountPins(), 4);
    EXPECT_EQ(Package(package).FindGate(1)->GetSymbol(), "NAND2");
  }
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_SYMBOL_NAME});
  EXPECT_TRUE(UndoLevels().Balanced());
  ASSERT_EQ(Hints().Count(HintComponent), 1);
  EXPECT_EQ(Hints().OfKind(HintComponent)[0].sender, nullptr);
  // Gate a now has a block of its own, above the other NAND2 gates.
  EXPECT_EQ(Column(0), (Texts{"DFF", "", "", "", "NAND2", "", "", "POWER", ""}));
  EXPECT_EQ(Column(3), (Texts{"1", "2", "3", "", "", "", "", "", ""}));
  EXPECT_EQ(Column(4), (Texts{"", "", "", "", "4", "5", "6", "", ""}));
  EXPECT_EQ(ModifiedCells(), Texts{});

  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Package(1).FindGate(0)->GetSymbol(), "NAND2");
  EXPECT_EQ(Column(0), (Texts{"NAND2", "", "", "POWER", ""}));
}

TEST_F(GridEditTest, ASymbolOfAnotherBlocksNameJoinsThatBlock) {
  ASSERT_TRUE(Type(4, 0, "nand2"));
  EXPECT_EQ(Component().FindGate(4)->CountPins(), 3);
  EXPECT_EQ(Column(0), (Texts{"NAND2", "", ""}));
  EXPECT_EQ(Column(7), (Texts{"14", "7", ""}));
}

TEST_F(GridEditTest, AnUnknownSymbolIsReportedAndTheOldNameComesBack) {
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(Type(1, 0, "NAND9"));
  ASSERT_EQ(MessageTexts().size(), 1u);
  EXPECT_NE(MessageTexts()[0].Find("NAND9"), -1);
  EXPECT_EQ(Text(1, 0), "NAND2");
  EXPECT_EQ(Component().FindGate(0)->GetSymbol(), "NAND2");
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_EQ(Hints().Count(HintComponent), 0);
}

TEST_F(GridEditTest, AGateWithoutLibraryLooksInTheLastUsedSchematicLibrary) {
  for (int package = 0; package < 2; ++package) Package(package).FindGate(4)->SetLibrary("");
  Settings().Set("Libraries", "LastScm", (DataDirectory() + "/connectors.scmlib").str());

  ASSERT_TRUE(Type(4, 0, "CONN10"));
  for (int package = 0; package < 2; ++package) {
    const CGate* gate = Package(package).FindGate(4);
    EXPECT_EQ(gate->GetSymbol(), "CONN10");
    EXPECT_EQ(gate->GetLibrary(), "connectors");
    EXPECT_EQ(gate->CountPins(), 10);
  }
  EXPECT_EQ(Cells().GetRows(), 14);
  EXPECT_EQ(Text(4, 0), "CONN10");
  EXPECT_EQ(Text(5, 7), "7");
  EXPECT_EQ(Text(13, 2), "10");
}

TEST_F(EditorTest, WithTheDummyGridTheUpdateHasNothingToDo) {
  Settings().Set("ComponentEditor\\Grid", "Enabled", false);
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  ClearRecords();
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 1);
  EXPECT_TRUE(UndoLevels().Events().empty());
}

}  // namespace
