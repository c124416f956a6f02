// The frame's Display command: OK stores the colours and the drawings take them at once,
// Cancel leaves everything as it was, and neither opens an undo level nor interrupts a
// pin assignment running in the drawings.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/views/view_colours.h"
#include "host/model/design_colours.h"
#include "platform/app_registry.h"
#include "platform/dialog.h"
#include "tests/editor/modes/modes_fixture.h"

namespace {

using Levels = std::vector<UINT>;

class FrameDisplayTest : public ModesTest {
 protected:
  void SetUp() override {
    ModesTest::SetUp();
    ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8").Unassigned()));
    ClearRecords();
  }

  // Runs Display; `act` plays the user in the dialog and must end it.
  void Display(const std::function<void(CDialog&)>& act) {
    Screen().ExpectDialog(IDD_DISPLAY, [&](CDialog& dlg, UserInput&) { act(dlg); });
    Frame().OnDisplay();
  }

  // The background each drawing is painted on.
  std::vector<COLORREF> Backgrounds() {
    return {ScmView().GetViewDesign()->GetDesignColours()->GetBackground(),
            PcbView().GetViewDesign()->GetDesignColours()->GetBackground()};
  }
  std::vector<COLORREF> Highlights() {
    return {ScmView().GetViewDesign()->GetDesignColours()->GetHighlight(),
            PcbView().GetViewDesign()->GetDesignColours()->GetHighlight()};
  }

  static COLORREF Stored(const char* name) {
    unsigned long value = 0;
    return CAppRegistry(kViewColoursKey).GetValue(name, value) ? static_cast<COLORREF>(value) : 0xFFFFFFFF;
  }
};

TEST_F(FrameDisplayTest, OkWithNothingChangedStoresTheColoursShownAndTheDrawingsReload) {
  const std::vector<COLORREF> black(2, kViewColourPalette[0]);
  ASSERT_EQ(Backgrounds(), black);

  Display([this](CDialog& dlg) { user.Click(dlg.GetDlgItem(IDOK)); });

  EXPECT_EQ(Settings().Writes().size(), 9u);
  EXPECT_EQ(Stored("Background"), kViewColourPalette[0]);
  EXPECT_EQ(Stored("PinNumbers"), kViewColourPalette[8]);
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintColours});
  EXPECT_EQ(Hints().All()[0].object, nullptr);
  EXPECT_EQ(Backgrounds(), black);
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_FALSE(Design().IsModified());
}

TEST_F(FrameDisplayTest, AColourChangedOnOkIsDrawnAtOnce) {
  Display([this](CDialog& dlg) {
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_BACKGROUND), "White");
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_HIGHLIGHT), "Red");
    user.Click(dlg.GetDlgItem(IDOK));
  });

  EXPECT_EQ(Backgrounds(), std::vector<COLORREF>(2, RGB(255, 255, 255)));
  EXPECT_EQ(Highlights(), std::vector<COLORREF>(2, RGB(255, 0, 0)));
  EXPECT_EQ(Stored("Background"), RGB(255, 255, 255));
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(FrameDisplayTest, CancelStoresNothingAndTheDrawingsKeepTheirColours) {
  Display([this](CDialog& dlg) {
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_BACKGROUND), "White");
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });

  EXPECT_TRUE(Settings().Writes().empty());
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(Backgrounds(), std::vector<COLORREF>(2, kViewColourPalette[0]));
  EXPECT_TRUE(UndoLevels().Events().empty());
}

TEST_F(FrameDisplayTest, APinAssignmentGoesOnAcrossTheDialogAsOneStep) {
  Frame().OnAssignPins();
  ASSERT_TRUE(Click(PcbView(), PcbPad(5)));
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(1, 2)));

  Display([this](CDialog& dlg) {
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_COLOUR_BACKGROUND), "White");
    user.Click(dlg.GetDlgItem(IDOK));
  });

  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_ASSIGN_PINS});
  EXPECT_TRUE(UndoLevels().Ended().empty()) << "the run's level is still open";
  EXPECT_EQ(Backgrounds(), std::vector<COLORREF>(2, RGB(255, 255, 255)));
  // The drawings still pair pads and terminals after the dialog.
  ASSERT_TRUE(Click(PcbView(), PcbPad(6)));
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(1, 3)));
  Frame().OnSelectMode();

  EXPECT_EQ(UndoLevels().Ended(), Levels{IDS_UNDO_ASSIGN_PINS});
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Component().GetPinNumber(1, 2), CGate::kNoPin);
  EXPECT_EQ(Component().GetPinNumber(1, 3), CGate::kNoPin);
}

}  // namespace
