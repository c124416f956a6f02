// Pin maps in the application: exported and imported through the Component menu, the
// grid's block of cells copied and pasted, Fill Series, the problem list and its count
// in the status bar, and a pinout table imported as a new component; each change one
// undo step that the Edit menu names.
#include <algorithm>
#include <utility>

#include "app/app_clipboard.h"
#include "app/import_pin_table_dialog.h"
#include "host/model/symbol_library_file.h"
#include "tests/app/app_fixture.h"

namespace {

class AppPinMapTest : public AppTest {
 protected:
  int Steps() { return Frame().GetDesign()->GetUndoCount(); }
  bool Select(long row, long col, long toRow, long toCol) {
    return user.MoveToGridCell(&Cells(), row, col) && user.ExtendGridSelection(&Cells(), toRow, toCol);
  }
};

}  // namespace

TEST_F(AppPinMapTest, AnExportedPinMapEditedAndImportedIsOneUndoStepAndEveryImportIsSummedUp) {
  ASSERT_TRUE(Open());
  prompt.pinMapAnswers.push_back(Path("quad.csv"));
  Screen().ExpectMessageBox(
      IDOK, "Wrote the pin map of QUAD-NAND2, 14 terminals, to \"" + Path("quad.csv") + "\".");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_PIN_MAP));
  std::string text = ReadFileText(Path("quad.csv").str());
  ASSERT_EQ(text.rfind("Gate,Terminal,Name,DIP-14,SOIC-14\na,1,A,1,", 0), 0u) << text;
  text.replace(text.find("\na,1,A,1,") + 7, 1, "13");
  const std::string taken = "Imported \"pins.csv\": ";
  struct Import {
    std::string text;
    int answer;  // 0: the file is refused before the question
    std::string message;
    int pin;  // gate a's first pin after it
  };
  const Import imports[] = {
      {text + "q,1,A,1,1\n", IDNO,
       taken + "14 rows taken, 0 names changed, 0 pins beyond the footprint. 1 row was not taken.\n"
               "Line 16: not taken: the component has no gate q, terminal 1.",
       13},
      {"Gate,Terminal,Name,DIP-14\na,1,A,one\n", 0,
       "Cannot read \"pins.csv\" at line 2, column 4: \"one\" is not a pin number.", 13},
      // Terminal 9 is none of gate a's, but A is its terminal 1.
      {"Gate,Terminal,Name,DIP-14\na,9,A,12\n", IDYES,
       taken + "1 row taken, 0 names changed, 0 pins beyond the footprint.", 12},
      {"Gate,Terminal,Name,DIP-14\na,1,IN1,99\na,2,,2\n", IDNO,
       taken + "2 rows taken, 1 name changed, 1 pin beyond the footprint.\nLine 2: gate a, terminal 1 is now "
               "named \"IN1\".\nLine 2: pin 99 is not one of the 14 pads of DIP-14.",
       99},
      {"Gate,Terminal,Name,DIP-14\na,1,A,1\n", IDCANCEL, "", 99},
  };
  for (const Import& import : imports) {
    SCOPED_TRACE(import.text);
    WriteFileText(Path("pins.csv").str(), import.text);
    prompt.pinMapAnswers.push_back(Path("pins.csv"));
    const int steps = Steps();
    if (import.answer != 0) Screen().ExpectMessageBox(import.answer);
    if (!import.message.empty()) Screen().ExpectMessageBox(IDOK, CString(import.message));
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
    EXPECT_TRUE(Screen().PendingExpectations().empty());
    EXPECT_EQ(Steps(), steps + (import.answer == IDYES || import.answer == IDNO ? 1 : 0));
    EXPECT_EQ(Pin(0, 1), import.pin);
  }
  EXPECT_EQ(Cells().GetTextMatrix(2, 1), "B") << "an empty name leaves the terminal's";
  EXPECT_EQ(Frame().GetDesign()->FindComponent("QUAD-NAND2", "SOIC-14")->GetPinName(0, 1), "IN1")
      << "renamed in every package";
  EXPECT_EQ(UndoText(), "&Undo Import Pin Map\tCtrl+Z");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Cells().GetTextMatrix(1, 1), "A");
  EXPECT_EQ(Pin(0, 1), 12);
}

TEST_F(AppPinMapTest, CopyTakesTheSelectedBlockAndPasteStartsAtTheBlocksTopLeftCell) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Select(2, 4, 1, 3));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'C', FCONTROL));
  EXPECT_EQ(CurrentClipboard().GetText(), "1\t4\n2\t5\n") << "gates a and b, terminals 1 and 2";
  CurrentClipboard().SetText("7\t8\n9\t10\n");
  ASSERT_TRUE(Select(3, 6, 2, 5));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_EQ((std::vector<int>{Pin(2, 2), Pin(3, 2), Pin(2, 3), Pin(3, 3)}), (std::vector<int>{7, 8, 9, 10}));
  EXPECT_EQ(UndoText(), "&Undo Paste\tCtrl+Z");

  CurrentClipboard().SetText("21\t22\n23\t24\n25\t26\n27\t28\n");
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  Screen().ExpectMessageBox(
      IDOK, CString("2 cells took nothing from the paste:\n"
                    "gate a, beside POWER terminal 1: the gate has no terminal in this row.\n"
                    "gate b, beside POWER terminal 1: the gate has no terminal in this row."));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_EQ(Cells().GetTextMatrix(3, 4), "26");

  // One value over a larger selection fills all of it, as in a spreadsheet; the cells
  // of gates that have no terminal in a row stay as they are.
  CurrentClipboard().SetText("20\n");
  ASSERT_TRUE(Select(1, 6, 5, 7));
  const int steps = Steps();
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_TRUE(Screen().PendingExpectations().empty());
  EXPECT_EQ((std::vector<int>{Pin(3, 1), Pin(3, 2), Pin(3, 3), Pin(4, 1), Pin(4, 2)}),
            std::vector<int>(5, 20));
  EXPECT_EQ(Pin(2, 1), 9) << "the next gate's column is not selected";
  EXPECT_EQ(Steps(), steps + 1);
  CurrentClipboard().SetText("");
}

TEST_F(AppPinMapTest, FillSeriesNumbersTheSelectedCellsAsOneUndoStepAndRefusesWhatMakesNoSeries) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Select(3, 3, 1, 3)) << "dragged upwards: the series still runs down from the top";
  Screen().ExpectDialog(IDD_FILL_SERIES, [](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_FILL_TARGET)->GetWindowText(),
              "3 cells from gate a, terminal 1 (A) down:");
    Fill(dialog, input, {{IDC_FILL_START, "20"}, {IDC_FILL_STEP, "2"}});
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'F', FCONTROL | FSHIFT));
  EXPECT_EQ((std::vector<int>{Pin(0, 1), Pin(0, 2), Pin(0, 3), Pin(1, 1)}),
            (std::vector<int>{20, 22, 24, 4}));
  EXPECT_EQ(Cells().GetSelection(), (GridSelection{1, 3, 3, 3})) << "the block stays selected";
  EXPECT_EQ(UndoText(), "&Undo Fill Series\tCtrl+Z");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Pin(0, 3), 3);

  ASSERT_TRUE(Select(1, 4, 2, 4));
  const int steps = Steps();
  Screen().ExpectMessageBox(IDOK, CString("The step must be a whole number."));
  Screen().ExpectMessageBox(IDOK, CString("\"I3\" is not a ball of a grid 4 balls wide."));
  Screen().ExpectMessageBox(IDOK, CString("\"A5\" is not a ball of a grid 4 balls wide."));
  Screen().ExpectDialog(IDD_FILL_SERIES, [](CDialog& dialog, UserInput& input) {
    input.TypeText(dialog.GetDlgItem(IDC_FILL_STEP), "two");
    input.Click(dialog.GetDlgItem(IDOK));
    input.ChooseComboIndex(dialog.GetDlgItem(IDC_FILL_KIND), 1);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_FILL_WIDTH)->IsWindowEnabled());
    EXPECT_EQ(dialog.GetDlgItem(IDC_FILL_START)->GetWindowText(), "A1") << "a number is no first ball";
    Fill(dialog, input, {{IDC_FILL_STEP, "1"}, {IDC_FILL_WIDTH, "4"}});
    for (const char* start : {"I3", "A5"}) {
      input.TypeText(dialog.GetDlgItem(IDC_FILL_START), start);
      input.Click(dialog.GetDlgItem(IDOK));
    }
    input.Click(dialog.GetDlgItem(IDCANCEL));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  ASSERT_TRUE(Select(1, 3, 1, 4));
  Screen().ExpectMessageBox(
      IDOK, CString("Fill Series fills the pins of one gate: select cells of one gate column first."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  // Once filled nothing and said nothing.
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 7));
  Screen().ExpectMessageBox(
      IDOK, CString("The gate has no terminal in this row: select cells that hold the gate's pins."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  EXPECT_TRUE(Screen().PendingExpectations().empty());
  EXPECT_EQ(Steps(), steps);
}

TEST_F(AppPinMapTest, TheProblemListGoesToABadCellAndTheStatusBarCountFollowsUndoPackagesAndTabs) {
  const auto expectShownCount = [this](const char* step) {
    SCOPED_TRACE(step);
    Main().OnIdleUpdateCmdUI();
    const int count = Frame().GetPinMapChecks()->CountProblems();
    CString expected;
    if (count > 0) expected.Format("%d %s", count, count == 1 ? "problem" : "problems");
    EXPECT_EQ(Main().StatusBar().GetPaneText(2), expected);
    return count;
  };
  ASSERT_TRUE(Open());
  ASSERT_EQ(expectShownCount("opened"), 0);
  Screen().ExpectMessageBox(IDOK, CString("Every cell of the pin grid will pass."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SHOW_PROBLEMS));
  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 4, "99"));
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 4, "1"));
  ASSERT_EQ(expectShownCount("a pin beyond the pads, one shared"), 3);

  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  int badLine = -1;
  Screen().ExpectDialog(IDD_PIN_MAP_PROBLEMS, [&](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(dialog.GetDlgItem(IDC_PROBLEMS_COUNT)->GetWindowText(),
              "3 cells of the pin grid will not pass:");
    const std::vector<CString> lines = Items(dialog.GetDlgItem(IDC_PROBLEMS_LIST));
    EXPECT_EQ(lines.size(), 3u);
    const auto bad = std::find(lines.begin(), lines.end(),
                               "gate b, terminal 3 (Y): pin 99 is not one of the 14 pads of DIP-14.");
    ASSERT_NE(bad, lines.end());
    badLine = static_cast<int>(bad - lines.begin());
    input.SelectListLine(dialog.GetDlgItem(IDC_PROBLEMS_LIST), badLine);
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_F1 + 7, 0));
  EXPECT_EQ(std::make_pair(Cells().GetRow(), Cells().GetCol()), std::make_pair(3L, 4L));
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  Screen().ExpectDialog(IDD_PIN_MAP_PROBLEMS, [badLine](CDialog& dialog, UserInput& input) {
    input.DoubleClickListLine(dialog.GetDlgItem(IDC_PROBLEMS_LIST), badLine);
  });
  ASSERT_TRUE(user.ClickStatusBarPane(&Main().StatusBar(), 2))
      << "a click on the count lists the problems too";
  EXPECT_EQ(std::make_pair(Cells().GetRow(), Cells().GetCol()), std::make_pair(3L, 4L))
      << "a double click goes";
  EXPECT_FALSE(user.ClickStatusBarPane(&Main().StatusBar(), 0)) << "the message pane is no command";

  // The count is always the shown tab's and package's, whatever changed them last.
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(expectShownCount("undone"), 0);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "SOIC-14"));
  expectShownCount("another package");
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "DIP-14"));
  ASSERT_GT(expectShownCount("back to the package with the problem"), 0);
  ASSERT_TRUE(Open("HEX-INV"));
  expectShownCount("another tab");
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "99"));
  ASSERT_GT(expectShownCount("a problem in the other tab"), 0);
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  EXPECT_EQ(expectShownCount("the other tab closed, the first one's again"), 1);
}

TEST_F(AppPinMapTest, APreviewedPinTableBecomesANewComponentWithItsPackagesAndSymbols) {
  Samples::Write(Path("").str());
  WriteFileText(Path("part.csv").str(),
                "PAD,Pin/Ball Function,Bank,Dual Function,Differential,High Speed,DQS,CABGA4,TQFP3\n"
                "1,PL2A,7,,True,,,A1,1\n2,PL2B,7,,Comp,,,A2,-\n3,VCCIO7,7,,,,,B1,2\n4,GND,-,,,,,B2,3\n");
  ASSERT_TRUE(Open());
  prompt.pinMapAnswers.push_back(Path("part.csv"));
  Screen().ExpectDialog(IDD_IMPORT_PIN_TABLE, [this](CDialog& dialog, UserInput& input) {
    CWnd* list = dialog.GetDlgItem(IDC_PIN_TABLE_PREVIEW);
    const std::vector<CString> preview = Items(list);
    for (const char* line :
         {"    part_BANK_7  2 pins: 2 bidirectional", "    part_POWER  2 pins: 1 ground, 1 power",
          "    CABGA4  4 balls", "    TQFP3  3 balls"})
      EXPECT_NE(std::find(preview.begin(), preview.end(), line), preview.end()) << line;
    // The user makes a guessed I/O pin an output.
    const auto pl2b = std::find(preview.begin(), preview.end(), "    3  A2  PL2B  bidirectional (guessed)");
    ASSERT_NE(pl2b, preview.end());
    EXPECT_TRUE(input.SelectListLine(list, static_cast<int>(pl2b - preview.begin())));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PIN_TABLE_KIND), "output"));
    EXPECT_EQ(Items(list)[pl2b - preview.begin()], "    3  A2  PL2B  output (chosen)");
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_PIN_TABLE_NAME), "FPGA"));
    EXPECT_TRUE(input.TypeText(dialog.GetDlgItem(IDC_PIN_TABLE_FOOTPRINTS),
                               "CABGA4=" + Path(Samples::kFootprintFolder) + ":BGA-4"));
    EXPECT_TRUE(input.Click(dialog.GetDlgItem(IDOK)));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_TABLE));
  ASSERT_EQ(App().CountOpenComponents(), 2);
  CDesign& design = *Frame().GetDesign();
  EXPECT_EQ(std::make_tuple(design.FirstComponent()->GetName(), Frame().GetComponent(false)->GetPackage(),
                            design.CountComponents(), design.IsModified()),
            std::make_tuple(CString("FPGA"), CString("CABGA4"), 2, TRUE));
  EXPECT_EQ(ReadFileText(Library().str()), original) << "the component waits for its save";
  CString error;
  const auto symbols = CSymbolLibraryFile::Load(Path("sample.scmlib"), error);
  ASSERT_NE(symbols, nullptr) << error;
  EXPECT_EQ(symbols->Names(), (std::vector<CString>{"FPGA_BANK_7", "FPGA_POWER"}));
  const CSymbol& bank = symbols->Get(0);
  for (int pad = 0; pad < bank.CountPads(); ++pad)
    EXPECT_EQ(bank.GetPad(pad).GetDirection(),
              bank.GetPad(pad).GetName() == "PL2B" ? PinDirection::Right : PinDirection::Left);
  EXPECT_TRUE(Screen().MessageBoxesShown().empty());
}
