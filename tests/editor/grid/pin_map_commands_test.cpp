// The grid's clipboard, fill series, pin map import and assignment by name, as the user
// runs them from the frame: what the grid shows after, what the component holds, that
// each is one undo step that undo takes back whole; the live checks that mark the cells
// whose values will not pass; and the frame's validity check of the whole design: when
// it runs, what the user is shown or asked, and that its report file does not outlive it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "editor/grid/fill_series.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/grid/pin_name_match.h"
#include "host/pinmap/pin_map_table.h"
#include "host/utility/app_error.h"
#include "tests/editor/grid/grid_test.h"
#include "tests/support/environment.h"
#include "tests/support/scratch_folder.h"

namespace {

using Messages = std::vector<CString>;
using Pins = std::vector<int>;

class PinMapCommandsTest : public GridTest {
 protected:
  // Two NAND2 gates (terminals T1, T2, T3) on an 8-pad DIP: rows 1-3, gate columns 3 and
  // 4, pins 1-3 and 4-6.
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8")));
    steps = Design().GetUndoCount();
  }
  Messages Paste(long row, long column, const char* text) {
    Messages refused;
    if (MoveTo(row, column)) Frame().PasteGridCells(text, refused);
    return refused;
  }
  Messages Fill(long row, long column, int count, const FillSeries& series) {
    Messages refused;
    if (MoveTo(row, column)) Frame().FillPinSeries(count, series, refused);
    return refused;
  }
  Pins PinsOf(int gate) { return ::PinsOf(Component()).at(gate); }
  // The last step carries `name` and undo takes the map back to where it started.
  void ExpectOneUndoStep(const char* name) {
    EXPECT_EQ(Design().GetUndoCount(), steps + 1);
    EXPECT_EQ(Design().GetUndoName(), name);
    ASSERT_TRUE(Design().Undo());
    EXPECT_EQ(PinsOf(0), (Pins{1, 2, 3}));
    EXPECT_EQ(Text(1, 4) + Text(2, 4) + Text(3, 4), "456");
  }
  Texts Marked() { return CellsWhere(GridMark::Marked); }

  int steps = 0;
};

TEST_F(PinMapCommandsTest, APasteFillsTheRectangleAtTheCurrentCellAsOneStepAndReportsWhatFallsOutside) {
  EXPECT_EQ(Paste(2, 3, "7\t8\n9\t\n11\t12\n"),
            (Messages{"Row 4, column 4: beyond the last row.", "Row 4, column 5: beyond the last row."}));
  EXPECT_EQ(Rows(1, 4), "NAND2|T1|1|1|4;|T2|2|7|8;|T3|3|9|;");
  EXPECT_EQ(PinsOf(1), (Pins{4, 8, -1}));
  EXPECT_EQ(std::make_pair(Cells().GetRow(), Cells().GetCol()), std::make_pair(2L, 3L));
  ExpectOneUndoStep("Paste");

  // Over the leading columns: names go to every gate; symbols, numbers and bad values are refused.
  EXPECT_EQ(Paste(1, 0, "OTHER\tIN1\t1\tx9\t5\n\tIN2\n"),
            (Messages{"schematic symbol, NAND2 terminal 1: symbol names are not pasted.",
                      "terminal number, NAND2 terminal 1: terminal numbers cannot be changed.",
                      "gate a, terminal 1 (T1): \"x9\" is not a pin number.",
                      "schematic symbol, NAND2 terminal 2: symbol names are not pasted."}));
  EXPECT_EQ(Rows(1, 3), "NAND2|IN1|1|1|5;|IN2|2|2|5;");
  EXPECT_EQ(Component().GetPinName(1, 2), "IN2");
  EXPECT_EQ(PinsOf(1), (Pins{5, 5, 6}));

  // A copied rectangle comes back as the same cells.
  EXPECT_EQ(Frame().CopyGridCells(GridRange{1, 1, 3, 3}), "IN1\t1\t1\nIN2\t2\t2\nT3\t3\t3\n");
  EXPECT_TRUE(Paste(1, 4, Frame().CopyGridCells(GridRange{1, 3, 3, 1})).empty());
  EXPECT_EQ(PinsOf(1), PinsOf(0));
}

TEST_F(PinMapCommandsTest, AFillSeriesNumbersTheColumnDownFromTheCurrentCellAsOneStep) {
  EXPECT_EQ(Fill(1, 4, 5, FillSeries{SeriesKind::Numbers, 20, -2, 0}),
            (Messages{"Row 4, column 5: beyond the last row.", "Row 5, column 5: beyond the last row."}));
  EXPECT_EQ(Rows(1, 4), "NAND2|T1|1|1|20;|T2|2|2|18;|T3|3|3|16;");
  ExpectOneUndoStep("Fill Series");
  // Ball names the footprint has no pad for are reported and their cells left alone.
  EXPECT_EQ(Fill(1, 3, 2, FillSeries{SeriesKind::BallsAlongRows, 1, 1, 4}),
            (Messages{"gate a, terminal 1 (T1): the footprint has no pad \"A1\".",
                      "gate a, terminal 2 (T2): the footprint has no pad \"A2\"."}));
  EXPECT_EQ(PinsOf(0), (Pins{1, 2, 3}));
}

TEST(FillSeriesValues, BallsCountAlongRowsOrDownColumnsSkippingTheLettersBallGridsLeaveOut) {
  const FillSeries rows{SeriesKind::BallsAlongRows, 1, 1, 3}, columns{SeriesKind::BallsDownColumns, 2, 2, 2};
  EXPECT_EQ(SeriesValues(rows, 5), (Messages{"A1", "A2", "A3", "B1", "B2"}));
  EXPECT_EQ(SeriesValues(columns, 3), (Messages{"B1", "B2", "B3"}));
  EXPECT_EQ(SeriesValues(FillSeries{SeriesKind::Numbers, 5, 3, 0}, 3), (Messages{"5", "8", "11"}));
  EXPECT_TRUE(SeriesValues(FillSeries{SeriesKind::BallsAlongRows, 1, 1, 0}, 3).empty());
  CString letters;
  for (int row : {7, 8, 12, 13, 14, 15, 19, 20, 21, 419, 420}) letters += BallRowLetters(row) + " ";
  EXPECT_EQ(letters, "H J N P R T Y AA AB YY AAA ");
  // A first ball name reads back as the position its series starts from.
  const std::tuple<FillSeries, const char*, bool> names[] = {
      {rows, "b3", true},     {rows, "C1", true},  {columns, "B2", true}, {columns, "AA2", false},
      {columns, "C1", false}, {rows, "I1", false}, {rows, "A4", false},   {rows, "A0", false},
      {rows, "A1x", false},   {rows, "1", false},  {rows, "A", false},    {FillSeries{}, "A1", false}};
  for (auto [series, name, fits] : names) {
    ASSERT_EQ(BallPosition(series, name, series.start), fits) << name;
    EXPECT_TRUE(!fits || SeriesValues(series, 1).at(0).EqualsNoCase(name)) << name;
  }
}

TEST_F(PinMapCommandsTest, AnImportAndAssignByNameSetThePinsAsOneStepAndTheExportReadsBack) {
  PinMapPlacement placement;
  ASSERT_TRUE(
      Frame().ImportPinMap("Gate,Terminal,Name,P1\na,1,A,8\nb,3,Y,\nc,1,A,2\n", "pins.csv", false, placement))
      << CAppError::GetLastError().c_str();
  EXPECT_EQ(Rows(1, 4), "NAND2|A|1|8|4;|T2|2|2|5;|T3|3|3|;");
  EXPECT_TRUE(placement.unplaced.size() == 1 && placement.unplaced[0].line == 4);
  ExpectOneUndoStep("Import Pin Map");

  // A refused import names the fault and changes nothing.
  EXPECT_FALSE(Frame().ImportPinMap("Gate,Terminal,Name,P1,SO-8\na,1,A,8,1\n", "pins.csv", false, placement));
  EXPECT_EQ(CAppError::GetLastError(),
            "Cannot import \"pins.csv\" at line 1, column 5: the component \"DUT\" has no package \"SO-8\".");
  EXPECT_EQ(Design().GetUndoCount(), steps);

  // What is exported, the pins then cleared, comes back whole (the text's own format is
  // the host's).
  std::string text;
  ASSERT_TRUE(Frame().ExportPinMap(true, text) && text.find('\t') != std::string::npos);
  Paste(1, 1, "X\t\t\t\n\t\t\t\n\t\t\t\n");
  ASSERT_TRUE(Frame().ImportPinMap(text, "pins.tsv", false, placement));
  EXPECT_EQ(Rows(1, 4), "NAND2|T1|1|1|4;|T2|2|2|5;|T3|3|3|6;");

  // Assign by name gives terminals the pins of the pads named as they are, after a preview.
  ASSERT_TRUE(Type(1, 1, "7") && Type(3, 1, "y"));
  steps = Design().GetUndoCount();
  const std::vector<PinNameMatch> preview = Frame().PreviewAssignByName();
  ASSERT_EQ(preview.size(), 2u) << "terminal 1 of both gates is named 7 now; no pad is named y";
  EXPECT_EQ(preview[1].newPin, 7);
  EXPECT_EQ(PinsOf(0), (Pins{1, 2, 3})) << "a preview changes nothing";
  EXPECT_EQ(Frame().AssignByName(), 2);
  EXPECT_EQ(Rows(1, 2), "NAND2|7|1|7|7;");
  ExpectOneUndoStep("Assign by Name");
}

TEST_F(PinMapCommandsTest, MarksFollowTypedAndPastedValuesAndUndoTakesThemBack) {
  ASSERT_NE(Frame().GetPinMapChecks(), nullptr);
  ASSERT_TRUE(Marked().empty() && Type(1, 3, "8"));
  EXPECT_TRUE(Marked().empty()) << "the package's last pad is a pad";
  // Gate b's terminal 1 takes gate a's pin 2, its terminal 3 a pin beyond the 8 pads,
  // its terminal 2 no pin.
  ASSERT_TRUE(Type(1, 4, "2") && Type(3, 4, "9") && Type(2, 4, ""));
  EXPECT_EQ(Marked(), (Texts{"1,4", "2,3", "2,4", "3,4"}));
  Messages problems;
  for (const PinMapProblem& problem : Frame().GetPinMapChecks()->Problems()) problems.push_back(problem.text);
  EXPECT_EQ(problems, (Messages{"gate b, terminal 1 (T1): pin 2 is used by 2 terminals in P1.",
                                "gate a, terminal 2 (T2): pin 2 is used by 2 terminals in P1.",
                                "gate b, terminal 2 (T2): no pin.",
                                "gate b, terminal 3 (T3): pin 9 is not one of the 8 pads of P1."}));
  ASSERT_TRUE(Type(1, 4, "8"));
  EXPECT_EQ(Marked(), (Texts{"1,3", "1,4", "2,4", "3,4"})) << "pin 2 shared no more, pin 8 now";
  // A value pasted over a larger selection fills it, and is checked whole.
  const int before = Design().GetUndoCount();
  Paste(1, 3, "5\t5\n5\t5\n");
  EXPECT_EQ(Marked(), (Texts{"1,3", "1,4", "2,3", "2,4", "3,4"}));
  ASSERT_EQ(Design().GetUndoCount(), before + 1);
  ASSERT_TRUE(Design().Undo());
  Frame().OnInvalidateView();
  EXPECT_EQ(Marked(), (Texts{"1,3", "1,4", "2,4", "3,4"}));
  EXPECT_EQ(Frame().GetPinMapChecks()->CountProblems(), 4);
  const std::string tooLong(80, 'x');
  ASSERT_TRUE(Type(1, 1, tooLong.c_str()));
  EXPECT_TRUE(Data().HasMark(1, 1, GridMark::Marked));
  EXPECT_EQ(Text(1, 1), tooLong) << "a mark never refuses what was typed";
}

namespace fs = std::filesystem;

using DesignValidityTest = SampleEditorTest;

TEST_F(DesignValidityTest,
       TheSettingDecidesWhetherTheCheckRunsTheUserWhetherToGoOnAndAnExplicitOneShowsTheReport) {
  // Temporary files go to a folder of the test's own, so that what is left is seen.
  ScratchFolder scratch;
  fs::create_directory(scratch.Path() / "tmp");
  EnvironmentOverride temporaryFolder{"TMPDIR", (scratch.Path() / "tmp").string()};
  Component().SetPinNumber(0, 1, 99);  // a pin the package does not have
  EXPECT_TRUE(Frame().IsDesignValid(false)) << "without the setting the check is skipped";
  EXPECT_EQ(Screen().WaitCursorShownCount(), 0);
  Settings().Set("Design", "CheckValid", true);
  const CString report = Design().CheckValid((scratch.Path() / "check.report").string());
  ASSERT_NE(report.Find("99"), -1);
  const CString question =
      "The design check found the following problems:\n\n" + report + "\n\nDo you want to continue anyway?";
  Screen().ExpectMessageBox(IDYES, question);
  EXPECT_TRUE(Frame().IsDesignValid(false));
  Screen().ExpectMessageBox(IDNO, question);
  EXPECT_FALSE(Frame().IsDesignValid(false));
  EXPECT_EQ(Screen().MessageBoxesShown().at(0).type & MB_YESNO, MB_YESNO);

  Settings().Set("Design", "CheckValid", false);
  EXPECT_FALSE(Frame().IsDesignValid(true)) << "an explicit check always runs";
  ASSERT_EQ(Screen().TextFilesShown().size(), 1u);
  EXPECT_EQ(fs::path(Screen().TextFilesShown()[0].str()).parent_path(), fs::path(std::getenv("TMPDIR")));
  EXPECT_EQ(Screen().TextFileTitlesShown()[0], "Check Validity - " + Component().GetName());
  Component().SetPinNumber(0, 1, 1);
  EXPECT_TRUE(Frame().IsDesignValid(true));
  EXPECT_EQ(Screen().TextFilesShown().size() + Screen().MessageBoxesShown().size(), 3u)
      << "a valid design passes silently";
  EXPECT_EQ(Screen().WaitCursorDepth(), 0);
  EXPECT_TRUE(fs::is_empty(scratch.Path() / "tmp")) << "the report file is gone";
}

}  // namespace
