// The live checks: cells whose values will not pass are marked as the user edits, the
// problem list names them, and undo takes marks back with the values.
#include "editor/grid/pin_map_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/editor/grid/grid_test.h"

namespace {

class PinMapChecksTest : public GridTest {
 protected:
  // Two gates of three terminals on an 8-pad DIP, pins 1-6: nothing to mark.
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8")));
  }
  std::vector<std::string> Marked() {
    return CellsWhere([](const GridCell& cell) { return cell.marked; });
  }
  std::vector<CString> ProblemTexts() {
    std::vector<CString> texts;
    for (const PinMapProblem& problem : Frame().GetPinMapChecks()->Problems()) texts.push_back(problem.text);
    return texts;
  }
};

}  // namespace

TEST_F(PinMapChecksTest, MarksFollowTypedPinsAndNamesAndListTheProblems) {
  ASSERT_NE(Frame().GetPinMapChecks(), nullptr);
  EXPECT_TRUE(Marked().empty());
  ASSERT_TRUE(Type(1, 4, "2"));  // gate b terminal 1 takes gate a's pin 2
  ASSERT_TRUE(Type(3, 4, "9"));  // beyond the 8 pads
  ASSERT_TRUE(Type(2, 4, ""));   // no pin
  EXPECT_EQ(Marked(), (std::vector<std::string>{"1,4", "2,3", "2,4", "3,4"}));
  EXPECT_EQ(ProblemTexts(),
            (std::vector<CString>{"gate b, terminal 1 (T1): pin 2 is used by 2 terminals in P1.",
                                  "gate a, terminal 2 (T2): pin 2 is used by 2 terminals in P1.",
                                  "gate b, terminal 2 (T2): no pin.",
                                  "gate b, terminal 3 (T3): pin 9 is not one of the 8 pads of P1."}));
  ASSERT_TRUE(Type(1, 4, "4"));
  EXPECT_EQ(Marked(), (std::vector<std::string>{"2,4", "3,4"}))
      << "the pin shared no more unmarks both cells";
  const std::string tooLong(80, 'x');
  ASSERT_TRUE(Type(1, 1, tooLong.c_str()));
  EXPECT_EQ(Frame().GetPinMapChecks()->CountProblems(), 3);
  EXPECT_TRUE(Cell(1, 1).marked);
  EXPECT_EQ(Text(1, 1), tooLong) << "a mark never refuses what was typed";
}

TEST_F(PinMapChecksTest, UndoTakesTheMarksBackWithTheValuesAndAPasteIsCheckedWhole) {
  std::vector<CString> refused;
  ASSERT_TRUE(MoveTo(1, 3));
  Frame().PasteGridCells("5\t5\n5\t5\n", refused);
  EXPECT_EQ(Marked(), (std::vector<std::string>{"1,3", "1,4", "2,3", "2,4"}));
  ASSERT_TRUE(Design().Undo());
  Frame().OnInvalidateView();
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(Frame().GetPinMapChecks()->CountProblems(), 0);
}

TEST_F(PinMapChecksTest, ThePackagesLastPadSharedIsMarkedLikeAnyOther) {
  ASSERT_TRUE(Type(1, 3, "8"));
  EXPECT_TRUE(Marked().empty());
  ASSERT_TRUE(Type(1, 4, "8"));
  EXPECT_EQ(Marked(), (std::vector<std::string>{"1,3", "1,4"}));
  EXPECT_EQ(ProblemTexts().front(), "gate a, terminal 1 (T1): pin 8 is used by 2 terminals in P1.");
}
