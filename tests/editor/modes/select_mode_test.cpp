// The select mode, driven by clicks in the drawings of "QUAD-NAND2" in DIP-14 (gate c:
// A 9, B 10, Y 8).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "tests/editor/modes/modes_fixture.h"

namespace {

using Marks = std::vector<std::string>;

class SelectModeTest : public ModesTest {
 protected:
  void SetUp() override {
    ModesTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
};

TEST_F(SelectModeTest, AClickSelectsWhatItHitsAndAClickOnNothingClearsEveryMark) {
  ASSERT_TRUE(Click(PcbView(), PcbPad(9)));
  EXPECT_EQ(Selected(PcbView()), PcbPad(9));
  EXPECT_EQ(HighlightedPads(ScmView()), Marks{"2.1"});
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintClearHighlight, HintPicked}));
  EXPECT_EQ(Hints().All()[0].sender, nullptr);
  EXPECT_EQ(Hints().All()[1].sender, &PcbView());
  // A gate's body selects the gate, whose pads the PCB drawing then shows.
  ASSERT_TRUE(user.LeftClick(&ScmView(), BodyCentreOf(ScmView(), ScmGate(2))));
  EXPECT_EQ(Selected(ScmView()), ScmGate(2));
  EXPECT_EQ(Selected(PcbView()), nullptr);
  EXPECT_EQ(HighlightedPads(PcbView()), (Marks{"8", "9", "10"}));
  Hints().Clear();
  ASSERT_TRUE(user.LeftClick(&ScmView(), CPoint(2, 2)));
  EXPECT_EQ(Selected(ScmView()), nullptr);
  EXPECT_EQ(HighlightedPads(PcbView()), Marks{});
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintClearHighlight});
}

TEST_F(SelectModeTest, ARightClickOffersPropertiesForAnItemOnly) {
  Screen().ExpectContextMenu(0);
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(1, 3))));
  ASSERT_EQ(Screen().ContextMenusShown().size(), 1u);
  ASSERT_EQ(Screen().ContextMenusShown()[0].size(), 1u);
  EXPECT_EQ(Screen().ContextMenusShown()[0][0].text, "&Properties...");
  EXPECT_EQ(Selected(ScmView()), ScmTerminal(1, 3));
  // Nothing under the cursor: the selection goes and no menu is shown at all.
  ASSERT_TRUE(user.OpenContextMenu(&ScmView(), CPoint(2, 2)));
  EXPECT_EQ(Screen().ContextMenusShown().size(), 1u);
  EXPECT_EQ(Selected(ScmView()), nullptr);
  // Choosing the item runs the properties command in its own undo level.
  Screen().ExpectDialog(0, [](CDialog& sheet, UserInput& input) { input.Click(sheet.GetDlgItem(IDCANCEL)); });
  Screen().ExpectContextMenu(ID_CONTEXT_PROPERTIES);
  ASSERT_TRUE(user.OpenContextMenu(&PcbView(), ClientPointOf(PcbView(), PcbPad(4))));
  EXPECT_THAT(UndoLevels().Started(), ::testing::Contains(IDS_PROPERTIES));
  EXPECT_TRUE(UndoLevels().Balanced());
}

}  // namespace
