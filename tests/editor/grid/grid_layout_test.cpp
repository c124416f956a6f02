// What the pin grid shows: symbol blocks, gate columns and their pins, which cells can
// be edited, and how the update hints of the other panes change the cells.
#include <gtest/gtest.h>

#include "editor/grid/component_gate_hint.h"
#include "host/model/component.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Texts = std::vector<std::string>;

constexpr const char* kGridKey = "ComponentEditor\\Grid";

// QUAD-NAND2 in DIP-14: gates a to d are NAND2 (A, B, Y), gate e is POWER (VCC 14,
// GND 7); gate c has A 9, B 10, Y 8 and gate d A 12, B 13, Y 11.
class SampleGridTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  }
};

TEST_F(SampleGridTest, ShowsOneBlockPerSymbolAndOneColumnPerGate) {
  EXPECT_EQ(Row(0), (Texts{"Schematic Symbol", "Terminal Name", "Terminal Number", "Gate a", "Gate b",
                           "Gate c", "Gate d", "Gate e"}));
  // The four NAND2 gates share rows 1 to 3; POWER follows.
  EXPECT_EQ(Row(1), (Texts{"NAND2", "A", "1", "1", "4", "9", "12", ""}));
  EXPECT_EQ(Row(2), (Texts{"", "B", "2", "2", "5", "10", "13", ""}));
  EXPECT_EQ(Row(3), (Texts{"", "Y", "3", "3", "6", "8", "11", ""}));
  EXPECT_EQ(Row(4), (Texts{"POWER", "VCC", "1", "", "", "", "", "14"}));
  EXPECT_EQ(Row(5), (Texts{"", "GND", "2", "", "", "", "", "7"}));
  EXPECT_EQ(Cells().GetRows(), 6);
  EXPECT_EQ(Cells().GetFixedRows(), 1);
  EXPECT_EQ(Cells().GetFixedCols(), 0);

  // The block's first row carries the gate that made it; each column its own gate.
  CComponent& component = Component();
  EXPECT_EQ(Cells().GetRowData(1), reinterpret_cast<LONG_PTR>(component.FindGate(0)));
  EXPECT_EQ(Cells().GetRowData(2), 0);
  EXPECT_EQ(Cells().GetRowData(4), reinterpret_cast<LONG_PTR>(component.FindGate(4)));
  for (int gate = 0; gate < 5; ++gate) {
    EXPECT_EQ(Cells().GetColData(3 + gate), reinterpret_cast<LONG_PTR>(component.FindGate(gate)));
    EXPECT_EQ(Grid()->GetColumnGate(3 + gate), gate);
    EXPECT_EQ(Grid()->FindGateColumn(gate), 3 + gate);
  }
  EXPECT_EQ(Grid()->FindGateColumn(5), -1);
  long row = -1;
  EXPECT_TRUE(Grid()->FindSymbolRows("power", row));
  EXPECT_EQ(row, 4);
  EXPECT_FALSE(Grid()->FindSymbolRows("INV", row));
  EXPECT_EQ(row, 4);
  CString name = "unchanged";
  Grid()->GetRowSymbol(0, name);
  EXPECT_EQ(name, "unchanged");
  Grid()->GetRowSymbol(3, name);
  EXPECT_EQ(name, "NAND2");
  Grid()->GetRowSymbol(5, name);
  EXPECT_EQ(name, "POWER");
}

TEST_F(SampleGridTest, OnlyNamesAndTheGatesOwnPinsCanBeEdited) {
  const Texts editable = CellsWhere([](const GridCell& cell) { return cell.editClass != nullptr; });
  EXPECT_EQ(editable, (Texts{"1,0", "1,1", "1,3", "1,4", "1,5", "1,6",  //
                             "2,1", "2,3", "2,4", "2,5", "2,6",         //
                             "3,1", "3,3", "3,4", "3,5", "3,6",         //
                             "4,0", "4,1", "4,7",                       //
                             "5,1", "5,7"}));
  EXPECT_EQ(CellsWhere([](const GridCell& cell) { return cell.disabled; }),
            (Texts{"1,7", "2,7", "3,7", "4,3", "4,4", "4,5", "4,6", "5,3", "5,4", "5,5", "5,6"}));
  // Terminal numbers are neither editable nor greyed.
  EXPECT_FALSE(Editable(2, 2));
  EXPECT_FALSE(Cell(2, 2).disabled);
  EXPECT_FALSE(Editable(2, 0));
  EXPECT_FALSE(user.BeginGridEdit(&Cells(), 4, 3));

  // Headers centred; names left-aligned; the other data cells keep the grid's own.
  EXPECT_EQ(Cell(0, 0).alignment, kGridAlignCenterTop);
  EXPECT_EQ(Cell(0, 7).alignment, kGridAlignCenterTop);
  EXPECT_EQ(Cell(4, 0).alignment, kGridAlignLeftTop);
  EXPECT_EQ(Cell(5, 1).alignment, kGridAlignLeftTop);
  EXPECT_EQ(Cell(5, 2).alignment, kGridAlignGeneral);
  EXPECT_EQ(Cell(5, 7).alignment, kGridAlignGeneral);
}

TEST_F(SampleGridTest, PinsWithoutANumberAreEmptyAndPinZeroIsShown) {
  Component().SetPinNumber(0, 1, CGate::kNoPin);
  Component().SetPinNumber(1, 2, 0);
  Refill();
  EXPECT_EQ(Column(3), (Texts{"", "2", "3", "", ""}));
  EXPECT_EQ(Column(4), (Texts{"4", "0", "6", "", ""}));
  // Refilling forgets nothing the user could still reach.
  EXPECT_EQ(Cells().GetRows(), 6);
}

TEST_F(SampleGridTest, AnEmptyComponentLeavesTheHeaderAndTheLeadingColumns) {
  Grid()->Fill(nullptr);
  EXPECT_EQ(Cells().GetRows(), 1);
  EXPECT_EQ(Row(0), (Texts{"Schematic Symbol", "Terminal Name", "Terminal Number"}));
  EXPECT_EQ(Grid()->FindGateColumn(0), -1);
  long row = -1;
  EXPECT_FALSE(Grid()->FindSymbolRows("NAND2", row));

  while (Component().CountGates() > 0) Component().DeleteGate(Component().FirstGate()->GetIndex());
  Grid()->Fill(&Component());
  EXPECT_EQ(Cells().GetRows(), 1);
  EXPECT_EQ(Cells().GetCols(), 3);
}

TEST_F(GridTest, GatesOfOneSymbolShareABlockWhateverTheCaseOfItsName) {
  // Pins are numbered on in gate order: a 1 to 3, b 4 and 5, c 6 to 8.
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "INV", 2).Gates(1, "nand2", 3)));
  EXPECT_EQ(Column(0), (Texts{"NAND2", "", "", "INV", ""}));
  EXPECT_EQ(Column(3), (Texts{"1", "2", "3", "", ""}));
  EXPECT_EQ(Column(4), (Texts{"", "", "", "4", "5"}));
  EXPECT_EQ(Column(5), (Texts{"6", "7", "8", "", ""}));
}

TEST_F(GridTest, AGateWithoutSymbolIsHiddenAndOneWithoutTerminalsHasAGreyColumn) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "", 0).Gates(1, "INV", 0)));
  // No column for gate b; gate c's column is there, but has no rows of its own.
  EXPECT_EQ(Row(0), (Texts{"Schematic Symbol", "Terminal Name", "Terminal Number", "Gate a", "Gate c"}));
  EXPECT_EQ(Cells().GetRows(), 4);
  EXPECT_EQ(Grid()->FindGateColumn(1), -1);
  EXPECT_EQ(Grid()->FindGateColumn(2), 4);
  EXPECT_EQ(CellsWhere([](const GridCell& cell) { return cell.disabled; }), (Texts{"1,4", "2,4", "3,4"}));
}

TEST_F(GridTest, ALaterGateWithMoreTerminalsStaysInsideTheSharedBlock) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "NAND2", 4).Gates(1, "INV", 2)));
  // Gate b's fourth terminal (pin 7) has no row in the NAND2 block.
  EXPECT_EQ(Column(4), (Texts{"4", "5", "6", "", ""}));
  EXPECT_EQ(Column(5), (Texts{"", "", "", "8", "9"}));
  EXPECT_TRUE(Cell(4, 4).disabled);

  // A change of that terminal's pin from elsewhere changes nothing either.
  CPinNumberHint hint("NAND2", 1, 4, 12);
  Design().UpdateAllViews(nullptr, HintPinNumber, &hint);
  EXPECT_EQ(Column(4), (Texts{"4", "5", "6", "", ""}));
  EXPECT_EQ(Column(5), (Texts{"", "", "", "8", "9"}));
}

TEST_F(SampleGridTest, PinNumberAndTerminalNameHintsChangeTheirCells) {
  // Symbol names of hints compare ignoring case, as the blocks do.
  CPinNumberHint pin("nand2", 2, 3, 21);
  Design().UpdateAllViews(&ScmView(), HintPinNumber, &pin);
  EXPECT_EQ(Text(3, 5), "21");
  CPinNumberHint removed("NAND2", 2, 3, -1);
  Design().UpdateAllViews(&ScmView(), HintPinNumber, &removed);
  EXPECT_EQ(Text(3, 5), "");

  CPinNameHint name("POWER", 2, "VSS");
  Design().UpdateAllViews(nullptr, HintPinName, &name);
  EXPECT_EQ(Column(1), (Texts{"A", "B", "Y", "VCC", "VSS"}));

  // Unknown symbols and gates, the grid's own hints and other values change nothing.
  const Texts before = Column(5);
  CPinNumberHint unknownSymbol("DFF", 2, 1, 30);
  CPinNumberHint unknownGate("NAND2", 7, 1, 30);
  CPinNameHint unknownName("DFF", 1, "Q");
  Design().UpdateAllViews(nullptr, HintPinNumber, &unknownSymbol);
  Design().UpdateAllViews(nullptr, HintPinNumber, &unknownGate);
  Design().UpdateAllViews(nullptr, HintPinName, &unknownName);
  CPinNumberHint own("NAND2", 2, 1, 30);
  Design().UpdateAllViews(Grid(), HintPinNumber, &own);
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(2, 1));
  Design().UpdateAllViews(nullptr, 9, &own);
  EXPECT_EQ(Column(5), before);
  EXPECT_EQ(Column(1), (Texts{"A", "B", "Y", "VCC", "VSS"}));
}

TEST_F(SampleGridTest, AGateCarriedByAHintIsAddedWithoutARefill) {
  CGate* added = Component().AddGate(5, "logic.scmlib", "INV", 2, nullptr, nullptr);
  ASSERT_NE(added, nullptr);
  Component().SetPinNumber(5, 2, 3);
  CComponentGateHint hint(&Component(), added, 5);
  Design().UpdateAllViews(nullptr, HintComponentObject, &hint);

  EXPECT_EQ(Text(0, 8), "Gate f");
  EXPECT_EQ(Row(6), (Texts{"INV", "", "1", "", "", "", "", "", ""}));
  EXPECT_EQ(Row(7), (Texts{"", "", "2", "", "", "", "", "", "3"}));
  // The new cells elsewhere are left as they are, not greyed.
  EXPECT_FALSE(Cell(1, 8).disabled);
  EXPECT_FALSE(Cell(6, 3).disabled);
  EXPECT_TRUE(Editable(7, 8));
}

TEST_F(GridTest, ColumnWidthsFitTheHeadersAndAreKeptWhenTheEditorCloses) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
  const int symbolWidth = Cells().GetColWidth(0);
  EXPECT_GT(symbolWidth, kGridDefaultColWidth) << "\"" << Text(0, 0) << "\" would be cut off";
  EXPECT_EQ(Cells().GetColWidth(3), kGridDefaultColWidth) << "a gate column's short header needs no more";
  ASSERT_TRUE(user.ResizeGridColumn(&Cells(), 1, 50));
  Settings().ClearWrites();
  CloseEditor();
  EXPECT_FALSE(Settings().Writes().empty());
  for (const SettingsWrite& write : Settings().Writes()) EXPECT_EQ(write.key, kGridKey);

  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(Cells().GetColWidth(1), 50);
  EXPECT_EQ(Cells().GetColWidth(0), symbolWidth);
}

}  // namespace
