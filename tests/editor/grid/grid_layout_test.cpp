// What the pin grid shows: symbol blocks, gate columns and their pins, which cells can
// be edited, how the update hints of the other panes change the cells, the bold cells
// that mirror what is picked in the drawings, and what moving in the grid tells them.
#include <gtest/gtest.h>

#include <cstdint>

#include "editor/grid/component_gate_hint.h"
#include "host/model/component.h"
#include "tests/editor/grid/grid_test.h"

namespace {

TEST_F(SampleGridTest, ShowsOneBlockPerSymbolAndOneColumnPerGateWithOnlyNamesAndOwnPinsEditable) {
  EXPECT_EQ(Rows(0, 6),
            "Schematic Symbol|Terminal Name|Terminal Number|Gate a|Gate b|Gate c|Gate d|Gate e;"
            "NAND2|A|1|1|4|9|12|;|B|2|2|5|10|13|;|Y|3|3|6|8|11|;POWER|VCC|1|||||14;|GND|2|||||7;");
  const Texts editable = CellsWhere([](const GridCell& cell) { return cell.editClass != nullptr; });
  EXPECT_EQ(editable, (Texts{"1,0", "1,1", "1,3", "1,4", "1,5", "1,6", "2,1", "2,3", "2,4", "2,5", "2,6",
                             "3,1", "3,3", "3,4", "3,5", "3,6", "4,0", "4,1", "4,7", "5,1", "5,7"}));
  EXPECT_EQ(CellsWhere([](const GridCell& cell) { return cell.disabled; }),
            (Texts{"1,7", "2,7", "3,7", "4,3", "4,4", "4,5", "4,6", "5,3", "5,4", "5,5", "5,6"}));
  EXPECT_FALSE(user.BeginGridEdit(&Cells(), 4, 3));
  // Headers centred; names left-aligned; the other data cells keep the grid's own.
  EXPECT_EQ((std::vector<int>{Cell(0, 7).alignment, Cell(4, 0).alignment, Cell(5, 1).alignment,
                              Cell(5, 7).alignment}),
            (std::vector<int>{kGridAlignCenterTop, kGridAlignLeftTop, kGridAlignLeftTop, kGridAlignGeneral}));

  // Pins without a number are empty, pin 0 is shown.
  Component().SetPinNumber(0, 1, CGate::kNoPin);
  Component().SetPinNumber(1, 2, 0);
  Refill();
  EXPECT_EQ(Rows(1, 3), "NAND2|A|1||4|9|12|;|B|2|2|0|10|13|;");
  // A gate carried by a hint is added without a refill; the cells elsewhere stay as they are.
  CGate* added = Component().AddGate(5, "logic.scmlib", "INV", 2, nullptr, nullptr);
  Component().SetPinNumber(5, 2, 3);
  CComponentGateHint hint(&Component(), added, 5);
  Design().UpdateAllViews(nullptr, HintComponentObject, &hint);
  EXPECT_EQ(Text(0, 8), "Gate f");
  EXPECT_EQ(Rows(6, 8), "INV||1||||||;||2||||||3;");
  EXPECT_FALSE(Cell(1, 8).disabled || Cell(6, 3).disabled);
  // No component leaves the header and the leading columns.
  Grid()->Fill(nullptr);
  EXPECT_EQ(Rows(0, Cells().GetRows()), "Schematic Symbol|Terminal Name|Terminal Number;");
}

struct BlockCase {
  const char* what;
  ComponentBuilder component;
  const char* rows;
  size_t disabled;
};

class GridBlockTest : public GridTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(GridBlockTest, GatesShareTheBlockOfTheirSymbol) {
  ASSERT_TRUE(OpenEditor(GetParam().component));
  EXPECT_EQ(Rows(1, Cells().GetRows()), GetParam().rows);
  EXPECT_EQ(CellsWhere([](const GridCell& cell) { return cell.disabled; }).size(), GetParam().disabled);
}

INSTANTIATE_TEST_SUITE_P(
    Components, GridBlockTest,
    ::testing::Values(
        BlockCase{"OneSymbolWhateverTheCaseOfItsName",
                  ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "INV", 2).Gates(1, "nand2", 3),
                  "NAND2|T1|1|1||6;|T2|2|2||7;|T3|3|3||8;INV|T1|1||4|;|T2|2||5|;", 7},
        // No column for a gate without symbol, a grey one for a gate without terminals.
        BlockCase{"GatesWithoutSymbolOrTerminals",
                  ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "", 0).Gates(1, "INV", 0),
                  "NAND2|T1|1|1|;|T2|2|2|;|T3|3|3|;", 3},
        // Gate b's fourth terminal (pin 7) has no row in the NAND2 block.
        BlockCase{"ALaterGateWithMoreTerminals",
                  ComponentBuilder().Gates(1, "NAND2", 3).Gates(1, "NAND2", 4).Gates(1, "INV", 2),
                  "NAND2|T1|1|1|4|;|T2|2|2|5|;|T3|3|3|6|;INV|T1|1|||8;|T2|2|||9;", 7}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(SampleGridTest, PinNumberAndTerminalNameHintsChangeTheirCellsIgnoringTheCaseOfTheSymbol) {
  CPinNumberHint pin("nand2", 2, 3, 21);
  Design().UpdateAllViews(&ScmView(), HintPinNumber, &pin);
  EXPECT_EQ(Text(3, 5), "21");
  CPinNameHint name("POWER", 2, "VSS");
  Design().UpdateAllViews(nullptr, HintPinName, &name);
  // Unknown symbols and gates, the grid's own hints and other values change nothing.
  const std::string before = Rows(1, 6);
  EXPECT_NE(before.find("|VSS|"), std::string::npos);
  CPinNumberHint unknownSymbol("DFF", 2, 1, 30);
  CPinNumberHint unknownGate("NAND2", 7, 1, 30);
  CPinNameHint unknownName("DFF", 1, "Q");
  CPinNumberHint own("NAND2", 2, 1, 30);
  Design().UpdateAllViews(nullptr, HintPinNumber, &unknownSymbol);
  Design().UpdateAllViews(nullptr, HintPinNumber, &unknownGate);
  Design().UpdateAllViews(nullptr, HintPinName, &unknownName);
  Design().UpdateAllViews(Grid(), HintPinNumber, &own);
  Design().UpdateAllViews(nullptr, HintHighlightPin, PackHighlightPin(2, 1));
  Design().UpdateAllViews(nullptr, 9, &pin);
  EXPECT_EQ(Rows(1, 6), before);
}

TEST_F(SampleGridTest, ColumnWidthsFitTheHeadersAndAreKeptWhenTheEditorCloses) {
  const int symbolWidth = Cells().GetColWidth(0);
  EXPECT_GT(symbolWidth, kGridDefaultColWidth) << "\"" << Text(0, 0) << "\" would be cut off";
  EXPECT_EQ(Cells().GetColWidth(3), kGridDefaultColWidth) << "a gate column's short header needs no more";
  ASSERT_TRUE(user.ResizeGridColumn(&Cells(), 1, 50));
  CloseEditor();
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(Cells().GetColWidth(1), 50);
  EXPECT_EQ(Cells().GetColWidth(0), symbolWidth);
}

// Bold cells in the pin grid mirror what is picked in the drawings, and moving in the
// grid tells the drawings which terminal and pin the user is on.

class GridHighlightTest : public SampleGridTest {
 protected:
  // The packed HintHighlightPin values the grid sent.
  std::vector<std::uint32_t> Sent() {
    std::vector<std::uint32_t> values;
    for (const RecordedHint& hint : Hints().OfKind(HintHighlightPin))
      values.push_back(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hint.object)));
    return values;
  }
};

TEST_F(GridHighlightTest, MovingInTheGridNamesTheTerminalAndThenThePinOrOnlyClears) {
  for (long col = 0; col < 3; ++col) {
    ClearRecords();
    ASSERT_TRUE(MoveTo(2 + col % 2, col));
    EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight}) << "column " << col;
    EXPECT_EQ(Hints().All()[0].sender, Grid());
  }
  ClearRecords();
  ASSERT_TRUE(MoveTo(3, 5));
  EXPECT_EQ(Sent(), (std::vector<std::uint32_t>{0x00020003u, 0xFFFF0008u}));  // gate c terminal 3, PCB pin 8
  EXPECT_EQ(Hints().All()[0].sender, Grid());
  // An empty cell is pin 0 to the drawings; so is a POWER row in gate a's column.
  Component().SetPinNumber(0, 2, CGate::kNoPin);
  Refill();
  ClearRecords();
  ASSERT_TRUE(MoveTo(2, 3));
  ASSERT_TRUE(MoveTo(4, 3));
  EXPECT_EQ(Sent(), (std::vector<std::uint32_t>{0x00000002u, 0xFFFF0000u, 0x00000001u, 0xFFFF0000u}));
}

TEST_F(GridHighlightTest, APickBoldsTheCellsOfWhatWasPickedUntilTheNextClearOrRefill) {
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells().size(), 25u) << "every gate cell, greyed ones too";
  // A pick in the grid's own terms adds to what is bold until something clears.
  Design().UpdateAllViews(&ScmView(), HintPicked, ScmTerminal(0, 1));
  EXPECT_EQ(BoldCells().size(), 25u);
  // Moving in the grid clears them all and keeps the user's cell.
  ASSERT_TRUE(MoveTo(2, 1));
  EXPECT_EQ(BoldCells(), Texts{});
  EXPECT_EQ(Cells().GetRow(), 2);
  EXPECT_TRUE(Cells().IsFocusShown());
  Picked(ScmView(), ScmGate(3));
  EXPECT_EQ(BoldCells(), (Texts{"1,6", "2,6", "3,6", "4,6", "5,6"}));
  Picked(ScmView(), ScmTerminal(4, 2));
  EXPECT_EQ(BoldCells(), Texts{"5,7"});
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(BoldCells(), Texts{});

  // A pad bolds every terminal on its pin: pin 1 on A of gates a and b, 13 on A of c and B of d.
  Component().SetPinNumber(1, 1, 1);
  Component().SetPinNumber(2, 1, 13);
  Refill();
  Picked(PcbView(), PcbPad(1));
  EXPECT_EQ(BoldCells(), (Texts{"1,3", "1,4"}));
  Picked(PcbView(), PcbPad(13));
  Design().UpdateAllViews(&PcbView(), HintPicked, &Design());  // not an item of the grid's
  EXPECT_EQ(BoldCells(), (Texts{"1,5", "2,6"}));
  Refill();
  EXPECT_EQ(BoldCells(), Texts{});
}

}  // namespace
