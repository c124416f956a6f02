// Pin maps in the application: exported and imported through the Component menu, and
// grid cells copied and pasted with Ctrl+C and Ctrl+V, each change one undo step that
// the Edit menu names.
#include <gtest/gtest.h>

#include <string>

#include "app/app_clipboard.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/pin_map_checks.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "tests/app/app_fixture.h"

namespace {

class AppPinMapTest : public AppTest {
 protected:
  CEditGrid& Cells() { return Frame().GetGrid()->GetEditGrid(); }
  int Pin(int gate, int terminal) { return Frame().GetComponent(false)->GetPinNumber(gate, terminal); }
  CString UndoText() { return MenuItem(ID_APP_UNDO).text; }
};

}  // namespace

TEST_F(AppPinMapTest, AnExportedPinMapEditedAndImportedThroughTheMenuIsOneUndoStep) {
  ASSERT_TRUE(Open());
  prompt.pinMapAnswers.push_back(Path("quad.csv"));
  Screen().ExpectMessageBox(
      IDOK, "Wrote the pin map of QUAD-NAND2, 14 terminals, to \"" + Path("quad.csv") + "\".");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_EXPORT_PIN_MAP));
  std::string text = ReadFileText(Path("quad.csv").str());
  ASSERT_EQ(text.rfind("Gate,Terminal,Name,DIP-14,SOIC-14\na,1,A,1,", 0), 0u) << text;
  text.replace(text.find("\na,1,A,1,") + 7, 1, "13");
  text += "q,1,A,1,1\n";
  WriteFileText(Path("quad.csv").str(), text);

  prompt.pinMapAnswers.push_back(Path("quad.csv"));
  Screen().ExpectMessageBox(IDNO);
  Screen().ExpectMessageBox(
      IDOK,
      CString("Imported \"quad.csv\": 14 rows taken, 0 names changed, 0 pins beyond the footprint. 1 row "
              "was not taken.\nLine 16: not taken: the component has no gate q, terminal 1."));
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
  EXPECT_EQ(Pin(0, 1), 13);
  EXPECT_EQ(Cells().GetTextMatrix(1, 3), "13");
  EXPECT_EQ(UndoText(), "&Undo Import Pin Map\tCtrl+Z");
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Pin(0, 1), 1);
}

TEST_F(AppPinMapTest, AnImportReadsTheWholeFileBeforeItAsksAndThenSumsUpWhatItTook) {
  ASSERT_TRUE(Open());
  struct Case {
    const char* text;
    int answer;  // 0: the file is refused before the question
    const char* message;
  };
  const Case cases[] = {
      {"hello, world\n", 0,
       "Cannot read \"pins.csv\" at line 1: the header \"Gate, Terminal, Name\" followed by the package "
       "names is "
       "missing."},
      {"Gate,Terminal,Name,DIP-14\na,1,A,one\n", 0,
       "Cannot read \"pins.csv\" at line 2, column 4: \"one\" is not a pin number."},
      {"Gate,Terminal,Name,DIP-99\na,1,A,1\n", 0,
       "Cannot import \"pins.csv\" at line 1, column 4: the component \"QUAD-NAND2\" has no package "
       "\"DIP-99\"."},
      // Saved by a spreadsheet as "CSV UTF-8": a byte-order mark comes first.
      {"\xEF\xBB\xBFGate,Terminal,Name,DIP-14\r\na,1,A,13\r\n", IDNO,
       "Imported \"pins.csv\": 1 row taken, 0 names changed, 0 pins beyond the footprint."},
      {"Gate,Terminal,Name,DIP-14\na,1,IN1,99\na,2,,2\n", IDNO,
       "Imported \"pins.csv\": 2 rows taken, 1 name changed, 1 pin beyond the footprint.\n"
       "Line 2: gate a, terminal 1 is now named \"IN1\".\n"
       "Line 2: pin 99 is not one of the 14 pads of DIP-14."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFileText(Path("pins.csv").str(), c.text);
    prompt.pinMapAnswers.push_back(Path("pins.csv"));
    const int steps = Frame().GetDesign()->GetUndoCount();
    if (c.answer != 0) Screen().ExpectMessageBox(c.answer);
    Screen().ExpectMessageBox(IDOK, CString(c.message));
    ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_IMPORT_PIN_MAP));
    EXPECT_TRUE(Screen().PendingExpectations().empty());
    EXPECT_EQ(Frame().GetDesign()->GetUndoCount(), steps + (c.answer != 0 ? 1 : 0));
  }
  EXPECT_EQ(Pin(0, 1), 99) << "a pin beyond the footprint is taken, as typed into the grid";
  EXPECT_EQ(Cells().GetTextMatrix(1, 1), "IN1");
  EXPECT_EQ(Cells().GetTextMatrix(2, 1), "B") << "an empty name leaves the terminal's";
  POSITION position = nullptr;
  for (CComponent* record = Frame().GetDesign()->FirstComponent(position); record != nullptr;
       record = Frame().GetDesign()->NextComponent(position))
    EXPECT_EQ(record->GetPinName(0, 1), "IN1")
        << "renamed in every package: " << record->GetPackage().c_str();
  ASSERT_TRUE(user.ChooseMenuItem(&Main(), ID_APP_UNDO));
  EXPECT_EQ(Cells().GetTextMatrix(1, 1), "A");
  EXPECT_EQ(Pin(0, 1), 13);
}

TEST_F(AppPinMapTest, CtrlCAndCtrlVCopyACellToAnotherAndAPasteReportsWhatItCouldNotTake) {
  ASSERT_TRUE(Open());
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 2, 4));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'C', FCONTROL));
  EXPECT_EQ(CurrentClipboard().GetText(), Cells().GetTextMatrix(2, 4) + "\n");
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_EQ(Pin(0, 1), Pin(1, 2));
  EXPECT_EQ(UndoText(), "&Undo Paste\tCtrl+Z");

  CurrentClipboard().SetText("21\t22\n23\t24\n25\t26\n27\t28\n");
  ASSERT_TRUE(user.MoveToGridCell(&Cells(), 1, 3));
  Screen().ExpectMessageBox(
      IDOK, CString("2 cells took nothing from the paste:\n"
                    "gate a, beside POWER terminal 1: the gate has no terminal in this row.\n"
                    "gate b, beside POWER terminal 1: the gate has no terminal in this row."));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'V', FCONTROL));
  EXPECT_EQ(Cells().GetTextMatrix(3, 4), "26");
  CurrentClipboard().SetText("");
}

TEST_F(AppPinMapTest, TheStatusBarCountsTheCellsThatWillNotPassAsTheUserTypes) {
  ASSERT_TRUE(Open());
  Main().OnIdleUpdateCmdUI();
  const CString before = Main().StatusBar().GetPaneText(2);
  const int count = Frame().GetPinMapChecks()->CountProblems();
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 4, Cells().GetTextMatrix(1, 3)));
  Main().OnIdleUpdateCmdUI();
  EXPECT_EQ(Frame().GetPinMapChecks()->CountProblems(), count + 2) << "both terminals of the shared pin";
  CString expected;
  expected.Format("%d problems", count + 2);
  EXPECT_EQ(Main().StatusBar().GetPaneText(2), expected);
  EXPECT_NE(Main().StatusBar().GetPaneText(2), before);
}

// The count is always the shown tab's and package's, whatever changed them last.
TEST_F(AppPinMapTest, TheStatusBarCountFollowsUndoPackagesAndTabs) {
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
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "99"));
  ASSERT_GT(expectShownCount("a pin beyond the pads"), 0);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  EXPECT_EQ(expectShownCount("undone"), 0);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Y', FCONTROL));
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "SOIC-14"));
  expectShownCount("another package");
  ASSERT_TRUE(user.ChooseToolBarItem(&Main().ToolBar(), ID_APP_PACKAGE_LIST, "DIP-14"));
  ASSERT_GT(expectShownCount("back to the package with the problem"), 0);

  ASSERT_TRUE(Open("HEX-INV"));
  expectShownCount("another tab");
  ASSERT_TRUE(Open("QUAD-NAND2"));
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'Z', FCONTROL));
  ASSERT_EQ(expectShownCount("undone in its tab"), 0);
  ASSERT_TRUE(Open("HEX-INV"));
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, "99"));
  ASSERT_GT(expectShownCount("a problem in the other tab"), 0);
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  EXPECT_EQ(expectShownCount("the other tab closed"), 0);
}
