// The pin grid. What it shows: symbol blocks, gate columns and their pins, which cells
// can be edited, how the update hints of the other panes change the cells, the bold
// cells that mirror what is picked in the drawings, and what moving in the grid tells
// them. Typing into it: each value goes into the design at once, in an undo level of its
// own, and again when the design is brought up to date; what the grid wrote is what the
// drawings show.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "editor/grid/component_gate_hint.h"
#include "editor/grid/grid_update_evt.h"
#include "host/model/component.h"
#include "host/utility/app_error.h"
#include "host/utility/evt.h"
#include "tests/editor/grid/grid_test.h"

namespace {

using Levels = std::vector<UINT>;

TEST_F(SampleGridTest, ShowsOneBlockPerSymbolAndOneColumnPerGateWithOnlyNamesAndOwnPinsEditable) {
  EXPECT_EQ(Rows(0, 6),
            "Schematic Symbol|Terminal Name|Terminal Number|Gate a|Gate b|Gate c|Gate d|Gate e;"
            "NAND2|A|1|1|4|9|12|;|B|2|2|5|10|13|;|Y|3|3|6|8|11|;POWER|VCC|1|||||14;|GND|2|||||7;");
  // Each cell row by row as the user meets it: e editable, x greyed, ! both, . neither.
  std::string kinds;
  CellsWhere([&](long row, long col) {
    const bool disabled = Data().HasMark(row, col, GridMark::Disabled);
    kinds += Data().EditClass(row, col) != nullptr ? (disabled ? '!' : 'e') : (disabled ? 'x' : '.');
    return false;
  });
  EXPECT_EQ(kinds, "........ee.eeeex.e.eeeex.e.eeeexee.xxxxe.e.xxxxe");  // six rows of eight
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
  EXPECT_EQ(Text(0, 8) + "/" + Rows(6, 8), "Gate f/INV||1||||||;||2||||||3;");
  EXPECT_FALSE(Data().HasMark(1, 8, GridMark::Disabled) || Data().HasMark(6, 3, GridMark::Disabled));
  // No component leaves the header and the leading columns.
  Grid()->Fill(nullptr);
  EXPECT_EQ(Rows(0, Cells().GetRows()), "Schematic Symbol|Terminal Name|Terminal Number;");
}

// Gates share the block of their symbol whatever its case; a gate without symbol has no
// column, one without terminals a grey one; a later gate with more terminals than its
// block shows only those that fit (gate e's fourth terminal, pin 10, has no row).
TEST_F(GridTest, GatesShareTheBlockOfTheirSymbol) {
  ComponentBuilder gates;
  gates.Gates(1, "NAND2", 3).Gates(1, "", 0).Gates(1, "INV", 0).Gates(1, "nand2", 3);
  ASSERT_TRUE(OpenEditor(gates.Gates(1, "NAND2", 4).Gates(1, "INV", 2)));
  EXPECT_EQ(Rows(0, Cells().GetRows()),
            "Schematic Symbol|Terminal Name|Terminal Number|Gate a|Gate c|Gate d|Gate e|Gate f;"
            "NAND2|T1|1|1||4|7|;|T2|2|2||5|8|;|T3|3|3||6|9|;INV|T1|1|||||11;|T2|2|||||12;");
  EXPECT_EQ(CellsWhere(GridMark::Disabled).size(), 14u);
}

// Bold cells mirror what is picked in the drawings until the next clear or refill.
TEST_F(SampleGridTest, APickBoldsTheCellsOfWhatWasPickedUntilTheNextClearOrRefill) {
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells().size(), 25u) << "every gate cell, greyed ones too";
  // A pick in the grid's own terms adds to what is bold until something clears.
  Design().UpdateAllViews(&ScmView(), HintPicked, ScmTerminal(0, 1));
  EXPECT_EQ(BoldCells().size(), 25u);
  // Moving in the grid clears them all and keeps the user's cell; on the leading columns
  // it only clears, on a gate's cell the drawings mark its terminal and then its pin.
  ClearRecords();
  ASSERT_TRUE(MoveTo(2, 2));
  EXPECT_EQ(BoldCells(), Texts{});
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight});
  EXPECT_EQ(Cells().GetRow(), 2);
  EXPECT_TRUE(Cells().IsFocusShown());
  ASSERT_TRUE(MoveTo(3, 3));  // gate a's Y, on pin 3
  EXPECT_EQ(HighlightedPads(ScmView()), Texts{"0.3"});
  EXPECT_EQ(HighlightedPads(PcbView()), Texts{"3"});
  Picked(ScmView(), ScmGate(3));
  EXPECT_EQ(BoldCells(), (Texts{"1,6", "2,6", "3,6", "4,6", "5,6"}));
  Picked(ScmView(), ScmTerminal(4, 2));
  EXPECT_EQ(BoldCells(), Texts{"5,7"});
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(BoldCells(), Texts{});
  // A pad marks every terminal on its pin, in the schematic and the grid, after an edit,
  // its undo and its redo: the lookups by pin follow the pins.
  const auto pick = [&](int pin) {
    Picked(PcbView(), PcbPad(pin));
    Texts marks = HighlightedPads(ScmView());
    for (const std::string& cell : BoldCells()) marks.push_back(cell);
    return marks;
  };
  const Texts bothOnOne{"0.1", "1.2", "1,3", "2,4"};
  ASSERT_TRUE(Type(2, 4, "1"));  // gate b's B, from pin 5
  EXPECT_EQ(pick(1), bothOnOne);
  EXPECT_EQ(pick(5), Texts{});
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(pick(1), (Texts{"0.1", "1,3"}));
  EXPECT_EQ(pick(5), (Texts{"1.2", "2,4"}));
  ASSERT_TRUE(Design().Redo());
  EXPECT_EQ(pick(1), bothOnOne);
  Design().UpdateAllViews(&PcbView(), HintPicked, &Design());  // not an item of the grid's
  EXPECT_EQ(BoldCells(), (Texts{"1,3", "2,4"}));
  Refill();
  EXPECT_EQ(BoldCells(), Texts{});
}

// Pin number and terminal name hints change their cells whatever the case of the
// symbol; unknown symbols and gates and other values change no cell, and objects of
// another class change nothing anywhere. Shipped bug (d148969): a hint's object was read
// as the kind the hint carries whatever its class. The object of a host's own class is
// smaller than any hint object the editor knows, so that reading it as one of those
// reads past its end.
class CHostObject : public CObject {
  DECLARE_DYNAMIC(CHostObject)
};
IMPLEMENT_DYNAMIC(CHostObject, CObject)

TEST_F(SampleGridTest, PinHintsChangeTheirCellsAndOtherHintsOrObjectsOfAnotherClassNothing) {
  CPinNumberHint pin("nand2", 2, 3, 21);
  Design().UpdateAllViews(&ScmView(), HintPinNumber, &pin);
  CPinNameHint name("POWER", 2, "VSS");
  Design().UpdateAllViews(nullptr, HintPinName, &name);
  EXPECT_EQ(Text(3, 5) + Text(5, 1), "21VSS");
  // Unknown symbols and gates and other values change no cell.
  const std::string rows = Rows(1, 6);
  CPinNumberHint dff("DFF", 2, 1, 30), noGate("NAND2", 7, 1, 30);
  CPinNameHint dffName("DFF", 1, "Q");
  for (auto [hint, object] : {std::pair<LPARAM, CObject*>{HintPinNumber, &dff},
                              {HintPinNumber, &noGate},
                              {HintPinName, &dffName},
                              {9, &pin}})
    Design().UpdateAllViews(nullptr, hint, object);
  EXPECT_EQ(Rows(1, 6), rows);
  // Something is marked, so that a hint taken wrongly has marks to disturb.
  Design().UpdateAllViews(&PcbView(), HintPicked, Land(PcbView(), 5));
  const auto shown = [&] {
    std::string text = Rows(0, Cells().GetRows());
    for (const std::string& cell : BoldCells()) text += cell + "*";
    for (const CSymbolView* view :
         {static_cast<CSymbolView*>(&ScmView()), static_cast<CSymbolView*>(&PcbView())}) {
      for (const CPadInstance* pad : PlacedPads(*view))
        text += pad->GetPinNumberText()->GetText().str() + pad->GetPinNameText()->GetText().str() +
                (pad->GetHighlight() ? "!" : "") + (pad->IsSelected() ? "s" : "") +
                (pad->IsAssigned() ? "a;" : ";");
    }
    return text;
  };
  const std::string before = shown();
  ASSERT_NE(before.find('*'), std::string::npos);
  ASSERT_NE(before.find('!'), std::string::npos);
  CHostObject host;
  CPinNumberHint pinNumber("NAND2", 0, 1, 9);
  CPinNameHint pinName("NAND2", 1, "X");
  const std::pair<LPARAM, CObject*> sent[] = {{HintPicked, &host},          {HintPicked, &pinNumber},
                                              {HintPinNumber, &host},       {HintPinNumber, &pinName},
                                              {HintPinName, &host},         {HintPinName, &pinNumber},
                                              {HintComponentObject, &host}, {HintComponentObject, &pin}};
  for (const auto& [hint, object] : sent) {
    SCOPED_TRACE("hint " + std::to_string(hint) + " with a " + object->GetRuntimeClass()->m_lpszClassName);
    Design().UpdateAllViews(nullptr, hint, object);
    EXPECT_EQ(shown(), before);
  }
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());

  // Column widths fit the headers and are kept when the editor closes.
  const int symbolWidth = Cells().GetColWidth(0);
  EXPECT_GT(symbolWidth, kGridDefaultColWidth) << "\"" << Text(0, 0) << "\" would be cut off";
  EXPECT_EQ(Cells().GetColWidth(3), kGridDefaultColWidth) << "a gate column's short header needs no more";
  ASSERT_TRUE(user.ResizeGridColumn(&Cells(), 1, 50));
  CloseEditor();
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(Cells().GetColWidth(1), 50);
  EXPECT_EQ(Cells().GetColWidth(0), symbolWidth);
}

class GridEditTest : public SampleGridTest {
 protected:
  CComponent& Soic() { return *Design().FindComponent("QUAD-NAND2", "SOIC-14"); }
};

// A pin is stored as typed in an undo level of its own. Shipped bug (c006a9d): typed
// pins were checked and clipped, and the write-back skipped cells; pins are kept as
// typed and every edited cell is written again.
TEST_F(GridEditTest, APinIsStoredAsTypedInOneUndoStepAndTheWriteBackWritesEveryEditedCell) {
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
  EXPECT_EQ(CellsWhere(GridMark::Modified), Texts{"1,3"});
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Text(1, 3), "1");
  // Text after the number is dropped, text without one is pin 0.
  const std::tuple<long, long, const char*> typed[] = {
      {1, 1, "IN1"}, {1, 3, "-5"}, {2, 3, "999"},         {1, 4, "7abc"},
      {2, 4, "x"},   {3, 4, "4"},  {4, 7, "-2147483648"}, {5, 7, "99999999999"}};
  for (const auto& [row, col, text] : typed) ASSERT_TRUE(Type(row, col, text));
  EXPECT_EQ(ScmTerminal(0, 1)->GetPinNumberText()->GetText(), "-5");
  EXPECT_EQ(Soic().GetPinNumber(1, 1), 4) << "the other package keeps its own map";
  EXPECT_TRUE(MessageTexts().empty());
  // The model is put back behind the grid's back; the update puts the cells back in.
  Component().SetPinName(0, 1, "A");
  for (const auto& [gate, terminal, pin] : {std::tuple{0, 1, 1}, {0, 2, 2}, {1, 3, 6}, {4, 1, 14}, {4, 2, 7}})
    Component().SetPinNumber(gate, terminal, pin);
  const int undoSteps = Design().GetUndoCount();
  ClearRecords();
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 1);
  EXPECT_EQ(CellsWhere(GridMark::Modified), Texts{});
  EXPECT_EQ(Design().GetUndoCount(), undoSteps + 1);
  EXPECT_EQ(Hints().All().size(), 0u) << "nothing is told to the other panes";
  EXPECT_EQ(PinsOf(Component()),
            (PinMap{{-5, 999, 3}, {7, 0, 4}, {9, 10, 8}, {12, 13, 11}, {INT_MIN, INT_MAX}}));
  EXPECT_EQ(Component().GetPinName(0, 1), "IN1");
  // An invalid name makes the event fail.
  ASSERT_TRUE(Type(4, 1, "VCC\t"));
  EXPECT_EQ(CEvt::Send(CGridUpdateEvt::kEventName, 0, 0), 0);
}

// Shipped bug (33473b3): a renamed terminal reached only the gate of the block's row.
TEST_F(GridEditTest, ATerminalNameGoesToEveryGateOfTheBlockOnScreenAndInEveryPackage) {
  ASSERT_TRUE(Type(2, 1, "IN2"));
  std::string shown;
  for (int gate = 0; gate < 4; ++gate)
    shown += Component().GetPinName(gate, 2) + ScmTerminal(gate, 2)->GetPinNameText()->GetText() + " ";
  for (int pin : {2, 5, 10, 13}) shown += PcbPad(pin)->GetTerminalName() + " ";
  EXPECT_EQ(shown + Component().GetPinName(4, 2) + " " + Soic().GetPinName(0, 2),
            "IN2IN2 IN2IN2 IN2IN2 IN2IN2 IN2 IN2 IN2 IN2 GND IN2");
  ASSERT_EQ(Hints().Count(HintPinName), 1);
  const RecordedHint hint = Hints().OfKind(HintPinName)[0];
  EXPECT_EQ(hint.symbol + "/" + std::to_string(hint.terminal).c_str() + "/" + hint.name, "NAND2/2/IN2");
  EXPECT_EQ(Design().GetUndoName(), "Edit Terminal Name");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Soic().GetPinName(3, 2), "B");
  // A name the next update refuses is taken at once; the refused update writes no pin
  // and leaves the name unmarked, so the one after goes through.
  ASSERT_TRUE(Type(1, 1, " A") && Type(1, 3, "9"));
  Component().SetPinNumber(0, 1, 1);
  EXPECT_FALSE(Frame().UpdateDesign());
  EXPECT_TRUE(CAppError::HasLastError());
  EXPECT_EQ(CellsWhere(GridMark::Modified), Texts{"1,3"});
  EXPECT_EQ(Component().GetPinNumber(0, 1), 1);
  EXPECT_TRUE(Frame().UpdateDesign());
  EXPECT_EQ(Component().GetPinNumber(0, 1), 9);
  // Parts taken from other formats leave terminal names empty: the grid shows the
  // symbol's, and the data stays empty until the user types a name.
  for (int gate = 0; gate < 4; ++gate) Component().SetPinName(gate, 3, "");
  Refill();
  EXPECT_EQ(Text(3, 1) + "/" + Cells().GetShownText(3, 1).str(), "/Y");
  ASSERT_TRUE(user.BeginGridEdit(&Cells(), 3, 1) && user.EndGridEdit(&Cells()) && Frame().UpdateDesign());
  EXPECT_EQ(Component().GetPinName(0, 3), "");
}

// A new symbol replaces the gate in every package; an unknown one is reported; a gate
// without library looks in the last used schematic library.
TEST_F(GridEditTest, ANewSymbolReplacesTheGateInEveryPackageAndAnUnknownOneIsReported) {
  ASSERT_TRUE(Type(1, 0, "DFF"));
  const CGate* gate = Soic().FindGate(0);
  EXPECT_EQ(gate->GetSymbol() + "/" + gate->GetLibrary() + "/" + std::to_string(gate->CountPins()).c_str(),
            "DFF/logic/4");
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_EDIT_SYMBOL_NAME});
  EXPECT_EQ(Hints().Count(HintComponent), 1);
  // Gate a now has a block of its own, above the other NAND2 gates.
  EXPECT_EQ(Text(1, 0) + "|" + Text(4, 0) + "|" + Text(5, 0) + "|" + Text(5, 4) + Text(6, 4) + Text(7, 4),
            "DFF||NAND2|456");
  ClearRecords();
  Screen().ExpectMessageBox(IDOK);
  ASSERT_TRUE(Type(5, 0, "NAND9"));
  EXPECT_EQ(MessageTexts(), std::vector<CString>{"Symbol NAND9 not found in library logic.scmlib"});
  EXPECT_EQ(Text(5, 0), "NAND2");
  EXPECT_TRUE(UndoLevels().Events().empty());

  Component().FindGate(4)->SetLibrary("");
  Settings().Set("Libraries", "LastScm", (DataDirectory() + "/connectors.scmlib").str());
  ASSERT_TRUE(Type(8, 0, "CONN10"));
  EXPECT_EQ(Soic().FindGate(4)->GetLibrary(), "connectors");
  EXPECT_EQ(Text(17, 2), "10");
}

}  // namespace
