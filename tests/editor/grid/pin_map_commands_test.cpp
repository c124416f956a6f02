// The grid's clipboard, fill series, pin map import and assignment by name, as the user
// runs them from the frame: what the grid shows after, what the component holds, and
// that each is one undo step that undo takes back whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/grid/fill_series.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/grid/pin_name_match.h"
#include "host/pinmap/pin_map_table.h"
#include "host/utility/app_error.h"
#include "tests/editor/grid/grid_test.h"

namespace {

class PinMapCommandsTest : public GridTest {
 protected:
  // Two NAND2 gates (terminals T1, T2, T3) on an 8-pad DIP: rows 1-3, gate columns 3 and
  // 4, pins 1-3 and 4-6.
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8")));
  }

  std::vector<CString> Paste(long row, long column, const char* text) {
    EXPECT_TRUE(MoveTo(row, column));
    std::vector<CString> refused;
    Frame().PasteGridCells(text, refused);
    return refused;
  }
  std::vector<int> Pins(int gate) {
    std::vector<int> pins;
    for (int terminal = 1; terminal <= 3; ++terminal)
      pins.push_back(Component().GetPinNumber(gate, terminal));
    return pins;
  }
  // Undoes the last step, which must carry `name`.
  void ExpectOneUndoStep(int stepsBefore, const char* name) {
    EXPECT_EQ(Design().GetUndoCount(), stepsBefore + 1);
    EXPECT_EQ(Design().GetUndoName(), name);
    ASSERT_TRUE(Design().Undo());
  }
};

}  // namespace

TEST_F(PinMapCommandsTest, APasteFillsTheRectangleAtTheCurrentCellAsOneStepAndReportsWhatFallsOutside) {
  const int steps = Design().GetUndoCount();
  const std::vector<CString> refused = Paste(2, 3, "7\t8\n9\t\n11\t12\n");
  EXPECT_EQ(Column(3), (std::vector<std::string>{"1", "7", "9"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"4", "8", ""}));
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 7, 9}));
  EXPECT_EQ(Pins(1), (std::vector<int>{4, 8, -1}));
  EXPECT_EQ(refused, (std::vector<CString>{"Row 4, column 4: beyond the last row.",
                                           "Row 4, column 5: beyond the last row."}));
  EXPECT_EQ(Cells().GetRow(), 2);
  EXPECT_EQ(Cells().GetCol(), 3);
  ExpectOneUndoStep(steps, "Paste");
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"4", "5", "6"}));
}

TEST_F(PinMapCommandsTest, APasteOverTheLeadingColumnsNamesTerminalsAndRefusesSymbolsNumbersAndBadValues) {
  const std::vector<CString> refused = Paste(1, 0, "OTHER\tIN1\t1\tx9\t5\n\tIN2\n");
  EXPECT_EQ(Column(1), (std::vector<std::string>{"IN1", "IN2", "T3"}));
  EXPECT_EQ(Component().GetPinName(1, 2), "IN2") << "a terminal name belongs to every gate of its symbol";
  EXPECT_EQ(Text(1, 0), "NAND2");
  EXPECT_EQ(Pins(1), (std::vector<int>{5, 5, 6}));
  EXPECT_EQ(refused,
            (std::vector<CString>{"schematic symbol, NAND2 terminal 1: symbol names are not pasted.",
                                  "terminal number, NAND2 terminal 1: terminal numbers cannot be changed.",
                                  "gate a, terminal 1 (T1): \"x9\" is not a pin number.",
                                  "schematic symbol, NAND2 terminal 2: symbol names are not pasted."}));
}

TEST_F(PinMapCommandsTest, ACopiedRectangleComesBackAsTheSameCellsWhenPastedElsewhere) {
  GridRange range;
  range.row = 1;
  range.column = 1;
  range.rows = 3;
  range.columns = 3;
  const CString copied = Frame().CopyGridCells(range);
  EXPECT_EQ(copied, "T1\t1\t1\nT2\t2\t2\nT3\t3\t3\n");
  GridRange pins;
  pins.row = 1;
  pins.column = 3;
  pins.rows = 3;
  EXPECT_TRUE(Paste(1, 4, Frame().CopyGridCells(pins)).empty());
  EXPECT_EQ(Pins(1), Pins(0));
}

TEST_F(PinMapCommandsTest, AFillSeriesNumbersTheColumnDownFromTheCurrentCellAsOneStep) {
  const int steps = Design().GetUndoCount();
  ASSERT_TRUE(MoveTo(1, 4));
  FillSeries series;
  series.start = 20;
  series.step = -2;
  std::vector<CString> refused;
  Frame().FillPinSeries(5, series, refused);
  EXPECT_EQ(Column(4), (std::vector<std::string>{"20", "18", "16"}));
  EXPECT_EQ(refused, (std::vector<CString>{"Row 4, column 5: beyond the last row.",
                                           "Row 5, column 5: beyond the last row."}));
  ExpectOneUndoStep(steps, "Fill Series");
  EXPECT_EQ(Column(4), (std::vector<std::string>{"4", "5", "6"}));
}

TEST_F(PinMapCommandsTest, BallNamesTheFootprintHasNoPadForAreReportedAndTheirCellsLeftAlone) {
  ASSERT_TRUE(MoveTo(1, 3));
  FillSeries series;
  series.kind = SeriesKind::BallsAlongRows;
  series.lineLength = 4;
  std::vector<CString> refused;
  Frame().FillPinSeries(2, series, refused);
  EXPECT_EQ(refused, (std::vector<CString>{"gate a, terminal 1 (T1): the footprint has no pad \"A1\".",
                                           "gate a, terminal 2 (T2): the footprint has no pad \"A2\"."}));
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3}));
}

TEST(FillSeriesValues, BallsCountAlongRowsOrDownColumnsSkippingTheLettersBallGridsLeaveOut) {
  FillSeries rows;
  rows.kind = SeriesKind::BallsAlongRows;
  rows.lineLength = 3;
  EXPECT_EQ(SeriesValues(rows, 5), (std::vector<CString>{"A1", "A2", "A3", "B1", "B2"}));
  FillSeries columns = rows;
  columns.kind = SeriesKind::BallsDownColumns;
  columns.lineLength = 2;
  columns.start = 2;
  columns.step = 2;
  EXPECT_EQ(SeriesValues(columns, 3), (std::vector<CString>{"B1", "B2", "B3"}));
  std::vector<CString> letters;
  for (int row : {7, 8, 12, 13, 14, 15, 19, 20, 21, 419, 420}) letters.push_back(BallRowLetters(row));
  EXPECT_EQ(letters, (std::vector<CString>{"H", "J", "N", "P", "R", "T", "Y", "AA", "AB", "YY", "AAA"}));
  FillSeries numbers;
  numbers.start = 5;
  numbers.step = 3;
  EXPECT_EQ(SeriesValues(numbers, 3), (std::vector<CString>{"5", "8", "11"}));
  rows.lineLength = 0;
  EXPECT_TRUE(SeriesValues(rows, 3).empty());
}

TEST(FillSeriesValues, AFirstBallNameIsReadBackAsThePositionItsSeriesStartsFrom) {
  FillSeries rows;
  rows.kind = SeriesKind::BallsAlongRows;
  rows.lineLength = 4;
  FillSeries columns = rows;
  columns.kind = SeriesKind::BallsDownColumns;
  for (const FillSeries& series : {rows, columns}) {
    for (const char* name : {"A1", "b3", "C4", "AA2"}) {
      int position = 0;
      const bool fits = BallPosition(series, name, position);
      if (!fits) {
        EXPECT_EQ(series.kind, SeriesKind::BallsDownColumns) << name << " fits a grid four balls wide";
        continue;
      }
      FillSeries from = series;
      from.start = position;
      ASSERT_EQ(SeriesValues(from, 1).size(), 1u) << name;
      EXPECT_TRUE(SeriesValues(from, 1)[0].EqualsNoCase(name))
          << name << " gave " << SeriesValues(from, 1)[0].c_str();
    }
  }
  int position = 0;
  EXPECT_FALSE(BallPosition(columns, "AA2", position)) << "a column four balls high ends at D";
  for (const char* name : {"I1", "A5", "A0", "1", "A", "A-1", "A1x", ""})
    EXPECT_FALSE(BallPosition(rows, name, position)) << name;
  FillSeries numbers;
  EXPECT_FALSE(BallPosition(numbers, "A1", position));
}

TEST_F(PinMapCommandsTest, AnImportSetsThePinsItPlacesAsOneStepAndListsTheRowsItCannot) {
  const int steps = Design().GetUndoCount();
  PinMapPlacement placement;
  ASSERT_TRUE(
      Frame().ImportPinMap("Gate,Terminal,Name,P1\na,1,A,8\nb,3,Y,\nc,1,A,2\n", "pins.csv", false, placement))
      << CAppError::GetLastError().c_str();
  EXPECT_EQ(Column(3), (std::vector<std::string>{"8", "2", "3"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"4", "5", ""}));
  ASSERT_EQ(placement.unplaced.size(), 1u);
  EXPECT_EQ(placement.unplaced[0].line, 4);
  ExpectOneUndoStep(steps, "Import Pin Map");
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3}));
}

TEST_F(PinMapCommandsTest, ARefusedImportNamesTheFaultAndChangesNothing) {
  const int steps = Design().GetUndoCount();
  PinMapPlacement placement;
  EXPECT_FALSE(Frame().ImportPinMap("Gate,Terminal,Name,P1,SO-8\na,1,A,8,1\n", "pins.csv", false, placement));
  EXPECT_EQ(CAppError::GetLastError(),
            "Cannot import \"pins.csv\" at line 1, column 5: the component \"DUT\" has no package \"SO-8\".");
  EXPECT_FALSE(Frame().ImportPinMap("Gate,Terminal,Name,P1\na,1,A,eight\n", "pins.csv", false, placement));
  EXPECT_EQ(CAppError::GetLastError(),
            "Cannot read \"pins.csv\" at line 2, column 4: \"eight\" is not a pin number.");
  EXPECT_EQ(Design().GetUndoCount(), steps);
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3}));
}

TEST_F(PinMapCommandsTest, TheExportReadsBackIntoTheSamePinMap) {
  std::string text;
  ASSERT_TRUE(Frame().ExportPinMap(true, text));
  EXPECT_EQ(text,
            "Gate\tTerminal\tName\tP1\na\t1\tT1\t1\na\t2\tT2\t2\na\t3\tT3\t3\nb\t1\tT1\t4\nb\t2\tT2\t5\nb\t3"
            "\tT3\t6\n");
  Paste(1, 3, "\t\t\n\t\t\n\t\t\n");
  EXPECT_EQ(Pins(0), (std::vector<int>{-1, -1, -1}));
  PinMapPlacement placement;
  ASSERT_TRUE(Frame().ImportPinMap(text, "pins.tsv", false, placement));
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Pins(1), (std::vector<int>{4, 5, 6}));
}

TEST_F(PinMapCommandsTest, AssignByNameGivesTerminalsThePinsOfThePadsNamedAsTheyAreAfterAPreview) {
  ASSERT_TRUE(Type(1, 1, "7"));
  ASSERT_TRUE(Type(3, 1, "y"));
  const std::vector<PinNameMatch> preview = Frame().PreviewAssignByName();
  ASSERT_EQ(preview.size(), 2u) << "terminal 1 of both gates is named 7 now; no pad is named y";
  EXPECT_EQ(preview[0].oldPin, 1);
  EXPECT_EQ(preview[1].gate, 1);
  EXPECT_EQ(preview[1].newPin, 7);
  EXPECT_EQ(Pins(0), (std::vector<int>{1, 2, 3})) << "a preview changes nothing";
  const int steps = Design().GetUndoCount();
  EXPECT_EQ(Frame().AssignByName(), 2);
  EXPECT_EQ(Row(1), (std::vector<std::string>{"NAND2", "7", "1", "7", "7"}));
  ExpectOneUndoStep(steps, "Assign by Name");
  EXPECT_EQ(Row(1), (std::vector<std::string>{"NAND2", "7", "1", "1", "4"}));
}
