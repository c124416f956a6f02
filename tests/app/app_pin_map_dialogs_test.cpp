// The pin grid's problem list, Fill Series and the selected block of cells in the
// application: chosen from the menus and shortcuts, answered through the scripted
// dialogs, and judged by the grid's cells, the pins and the undo steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_clipboard.h"
#include "app/app_resources.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/pin_map_checks.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/list_box.h"
#include "tests/app/app_fixture.h"

namespace {

class AppPinMapDialogsTest : public AppTest {
 protected:
  CEditGrid& Cells() { return Frame().GetGrid()->GetEditGrid(); }
  int Pin(int gate, int terminal) { return Frame().GetComponent(false)->GetPinNumber(gate, terminal); }
  CString UndoText() { return MenuItem(ID_APP_UNDO).text; }
  bool Select(long row, long col, long toRow, long toCol) {
    return user.MoveToGridCell(&Cells(), row, col) && user.ExtendGridSelection(&Cells(), toRow, toCol);
  }
  // Answers Fill Series with the series' kind, start and step (and width for balls).
  void ExpectFill(int kind, const char* start, const char* step, const char* width = "",
                  CString* target = nullptr) {
    Screen().ExpectDialog(IDD_FILL_SERIES, [=](CDialog& dialog, UserInput& input) {
      if (target != nullptr) *target = dialog.GetDlgItem(IDC_FILL_TARGET)->GetWindowText();
      input.ChooseComboIndex(dialog.GetDlgItem(IDC_FILL_KIND), kind);
      input.TypeText(dialog.GetDlgItem(IDC_FILL_START), start);
      input.TypeText(dialog.GetDlgItem(IDC_FILL_STEP), step);
      if (*width != '\0') input.TypeText(dialog.GetDlgItem(IDC_FILL_WIDTH), width);
      input.Click(dialog.GetDlgItem(IDOK));
    });
  }
};

}  // namespace

TEST_F(AppPinMapDialogsTest, TheProblemListShowsABadCellAndGoToMakesItTheGridsCurrentCell) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 4, "99"));
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  std::vector<CString> lines;
  CString count;
  Screen().ExpectDialog(IDD_PIN_MAP_PROBLEMS, [&](CDialog& dialog, UserInput& input) {
    auto* list = static_cast<CListBox*>(dialog.GetDlgItem(IDC_PROBLEMS_LIST));
    count = dialog.GetDlgItem(IDC_PROBLEMS_COUNT)->GetWindowText();
    for (int line = 0; line < list->GetCount(); ++line) {
      CString text;
      list->GetText(line, text);
      lines.push_back(text);
      if (text.Find("pin 99") >= 0) input.SelectListLine(list, line);
    }
    input.Click(dialog.GetDlgItem(IDOK));
  });
  ASSERT_TRUE(user.PressAccelerator(&Main(), VK_F1 + 7, 0));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(Frame().GetPinMapChecks()->CountProblems()));
  CString expectedCount;
  expectedCount.Format("%zu %s of the pin grid will not pass:", lines.size(),
                       lines.size() == 1 ? "cell" : "cells");
  EXPECT_EQ(count, expectedCount);
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "gate b, terminal 3 (Y): pin 99 is not one of the 14 pads of DIP-14."),
            lines.end());
  EXPECT_EQ(Cells().GetRow(), 3);
  EXPECT_EQ(Cells().GetCol(), 4);

  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  Screen().ExpectDialog(IDD_PIN_MAP_PROBLEMS, [](CDialog& dialog, UserInput& input) {
    input.DoubleClickListLine(dialog.GetDlgItem(IDC_PROBLEMS_LIST), 0);
  });
  ASSERT_TRUE(user.ClickStatusBarPane(&Main().StatusBar(), 2))
      << "a click on the count lists the problems too";
  EXPECT_EQ(Cells().GetRow(), 3) << "a double click on a line goes to its cell";
  EXPECT_EQ(Cells().GetCol(), 4);
  EXPECT_FALSE(user.ClickStatusBarPane(&Main().StatusBar(), 0)) << "the message pane is no command";

  ASSERT_TRUE(user.EditGridCell(&Cells(), 3, 4, "6"));
  ASSERT_EQ(Frame().GetPinMapChecks()->CountProblems(), 0) << "the sample passes";
  Screen().ExpectMessageBox(IDOK, CString("Every cell of the pin grid will pass."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_SHOW_PROBLEMS));
}

TEST_F(AppPinMapDialogsTest, FillSeriesNumbersTheSelectedCellsAsOneUndoStep) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Select(3, 3, 1, 3)) << "dragged upwards: the series still runs down from the top";
  CString target;
  ExpectFill(0, "20", "2", "", &target);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'F', FCONTROL | FSHIFT));
  EXPECT_EQ(target, "3 cells from gate a, terminal 1 (A) down:");
  EXPECT_EQ(Pin(0, 1), 20);
  EXPECT_EQ(Pin(0, 2), 22);
  EXPECT_EQ(Pin(0, 3), 24);
  EXPECT_EQ(Cells().GetTextMatrix(2, 3), "22");
  EXPECT_EQ(Pin(1, 1), 4) << "the next gate's column is not selected";
  EXPECT_EQ(Cells().GetSelection(), (GridSelection{1, 3, 3, 3})) << "the block stays selected";
  EXPECT_EQ(UndoText(), "&Undo Fill Series\tCtrl+Z");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Pin(0, 1), 1);
  EXPECT_EQ(Pin(0, 3), 3);
}

TEST_F(AppPinMapDialogsTest, FillSeriesRefusesValuesThatMakeNoSeriesAndCellsThatTakeNone) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Select(1, 4, 2, 4));
  const int steps = Frame().GetDesign()->GetUndoCount();
  Screen().ExpectMessageBox(IDOK, CString("The step must be a whole number."));
  Screen().ExpectMessageBox(IDOK, CString("\"I3\" is not a ball of a grid 4 balls wide."));
  Screen().ExpectMessageBox(IDOK, CString("\"A5\" is not a ball of a grid 4 balls wide."));
  Screen().ExpectDialog(IDD_FILL_SERIES, [](CDialog& dialog, UserInput& input) {
    input.TypeText(dialog.GetDlgItem(IDC_FILL_STEP), "two");
    input.Click(dialog.GetDlgItem(IDOK));
    input.ChooseComboIndex(dialog.GetDlgItem(IDC_FILL_KIND), 1);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_FILL_WIDTH)->IsWindowEnabled());
    EXPECT_EQ(dialog.GetDlgItem(IDC_FILL_START)->GetWindowText(), "A1") << "a number is no first ball";
    input.TypeText(dialog.GetDlgItem(IDC_FILL_STEP), "1");
    input.TypeText(dialog.GetDlgItem(IDC_FILL_WIDTH), "4");
    input.TypeText(dialog.GetDlgItem(IDC_FILL_START), "I3");
    input.Click(dialog.GetDlgItem(IDOK));
    input.TypeText(dialog.GetDlgItem(IDC_FILL_START), "A5");
    input.Click(dialog.GetDlgItem(IDOK));
    input.Click(dialog.GetDlgItem(IDCANCEL));
  });
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  EXPECT_TRUE(Screen().PendingExpectations().empty());

  ASSERT_TRUE(Select(1, 3, 1, 4));
  Screen().ExpectMessageBox(
      IDOK, CString("Fill Series fills the pins of one gate: select cells of one gate column first."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 7));
  Screen().ExpectMessageBox(
      IDOK, CString("The gate has no terminal in this row: select cells that hold the gate's pins."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_FILL_SERIES));
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), steps);
}

TEST_F(AppPinMapDialogsTest, CopyTakesTheSelectedBlockAndPasteStartsAtTheBlocksTopLeftCell) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(Select(2, 4, 1, 3));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'C', FCONTROL));
  const CString expected = Cells().GetTextMatrix(1, 3) + "\t" + Cells().GetTextMatrix(1, 4) + "\n" +
                           Cells().GetTextMatrix(2, 3) + "\t" + Cells().GetTextMatrix(2, 4) + "\n";
  EXPECT_EQ(CurrentClipboard().GetText(), expected);

  CurrentClipboard().SetText("7\t8\n9\t10\n");
  ASSERT_TRUE(Select(3, 6, 2, 5));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_EQ(Pin(2, 2), 7);
  EXPECT_EQ(Pin(3, 2), 8);
  EXPECT_EQ(Pin(2, 3), 9);
  EXPECT_EQ(Pin(3, 3), 10);
  EXPECT_EQ(UndoText(), "&Undo Paste\tCtrl+Z");

  // One value over a larger selection fills all of it, as in a spreadsheet; the cells
  // of gates that have no terminal in a row stay as they are.
  CurrentClipboard().SetText("20\n");
  ASSERT_TRUE(Select(1, 6, 5, 7));
  const int steps = Frame().GetDesign()->GetUndoCount();
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_TRUE(Screen().PendingExpectations().empty());
  for (int terminal = 1; terminal <= 3; ++terminal) EXPECT_EQ(Pin(3, terminal), 20) << terminal;
  for (int terminal = 1; terminal <= 2; ++terminal) EXPECT_EQ(Pin(4, terminal), 20) << terminal;
  EXPECT_EQ(Pin(2, 1), 9) << "the next gate's column is not selected";
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), steps + 1);
  CurrentClipboard().SetText("");
}

TEST_F(AppPinMapDialogsTest, ImportMatchesRowsByTerminalNameWhenTheUserSaysSo) {
  ASSERT_TRUE(Open());
  WriteFileText(Path("names.csv").str(), "Gate,Terminal,Name,DIP-14\na,9,A,13\n");
  prompt.pinMapAnswers.push_back(Path("names.csv"));
  Screen().ExpectMessageBox(IDYES,
                            CString("Match the rows of \"names.csv\" to the terminals by terminal name?\n\n"
                                    "Yes matches each row to the terminal named in it; No matches it to "
                                    "its gate and terminal number and takes its name."));
  Screen().ExpectMessageBox(
      IDOK, CString("Imported \"names.csv\": 1 row taken, 0 names changed, 0 pins beyond the footprint."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
  EXPECT_EQ(Pin(0, 1), 13) << "terminal 9 is none of gate a's, but A is its terminal 1";

  prompt.pinMapAnswers.push_back(Path("names.csv"));
  Screen().ExpectMessageBox(IDNO);
  Screen().ExpectMessageBox(IDOK,
                            CString("Imported \"names.csv\": 0 rows taken, 0 names changed, 0 pins beyond "
                                    "the footprint. 1 row was not taken.\n"
                                    "Line 2: not taken: the component has no gate a, terminal 9."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
  EXPECT_EQ(Pin(0, 1), 1);

  prompt.pinMapAnswers.push_back(Path("names.csv"));
  const int steps = Frame().GetDesign()->GetUndoCount();
  Screen().ExpectMessageBox(IDCANCEL);
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
  EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), steps);
}
