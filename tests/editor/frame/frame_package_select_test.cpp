// Choosing the current package, in the Select Package dialog and by name: the chosen
// record is shown in the grid, the PCB drawing and the caption, inside one undo level
// "Select Package" that changes no record; Cancel and unknown names change nothing.
#include "tests/editor/frame/frame_package_fixture.h"

namespace {

class FramePackageSelectTest : public FramePackageTest {};

TEST_F(FramePackageSelectTest, OkShowsTheChosenPackageEverywhere) {
  std::vector<std::string> offered;
  CString preselected;
  ExpectDialog(IDD_SELECT_PACKAGE, IDOK, [&](CDialog& dialog, UserInput& input) {
    offered = Entries(dialog, IDC_PACKAGE_LIST);
    preselected = Item(dialog, IDC_PACKAGE_LIST)->GetWindowText();
    EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PACKAGE_LIST), "SOIC-8"));
  });
  Frame().OnSelectPackage();

  EXPECT_EQ(offered, (std::vector<std::string>{"DIP-14", "DIP-8", "SOIC-8"}))
      << "sorted, whatever the design order";
  EXPECT_EQ(preselected, "DIP-8");
  EXPECT_EQ(Component().GetPackage(), "SOIC-8");
  EXPECT_EQ(Caption(), "SOIC-8");
  EXPECT_EQ(ShownPin(), "5");
  EXPECT_EQ(ShownFootprint(), "SOIC-8");
  ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
  EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, &Component());
  // The grid's write-back comes first in a level of its own; choosing changes no record
  // and so leaves no step to undo.
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_SELECT_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(FramePackageSelectTest, CancelKeepsThePackageShownAndSendsNoUpdate) {
  ExpectDialog(IDD_SELECT_PACKAGE, IDCANCEL, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PACKAGE_LIST), "DIP-14"));
  });
  Frame().OnSelectPackage();

  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_EQ(Caption(), "DIP-8");
  EXPECT_EQ(ShownPin(), "1");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_SELECT_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
}

TEST_F(FramePackageSelectTest, TheDialogPreselectsTheCurrentPackage) {
  ASSERT_TRUE(Frame().SelectPackage("DIP-14"));
  CString preselected;
  ExpectDialog(IDD_SELECT_PACKAGE, IDCANCEL, [&](CDialog& dialog, UserInput&) {
    preselected = Item(dialog, IDC_PACKAGE_LIST)->GetWindowText();
  });
  Frame().OnSelectPackage();

  EXPECT_EQ(preselected, "DIP-14");
}

TEST_F(FramePackageSelectTest, ANameTypedOverTheListChoosesNoneAndTheFirstRecordIsShown) {
  ASSERT_TRUE(Frame().SelectPackage("SOIC-8"));
  ClearRecords();
  ExpectDialog(IDD_SELECT_PACKAGE, IDOK, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_LIST), "QFN-16"));
  });
  Frame().OnSelectPackage();

  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_EQ(ShownPin(), "1");
  EXPECT_EQ(Hints().Count(HintComponent), 1);
}

TEST_F(FramePackageSelectTest, AGridThatCannotBeWrittenBackIsReportedAndNoDialogOpens) {
  BreakGridWriteBack();
  Screen().ExpectMessageBox(IDOK);
  Frame().OnSelectPackage();

  ExpectRefusedBeforeItsLevel(IDS_UNDO_SELECT_PACKAGE);
}

TEST_F(FramePackageSelectTest, SelectingByNameIgnoresCaseAndIsOneLevel) {
  EXPECT_TRUE(Frame().SelectPackage("dip-14"));

  EXPECT_EQ(Component().GetPackage(), "DIP-14");
  EXPECT_EQ(Caption(), "DIP-14");
  EXPECT_EQ(ShownPin(), "14");
  EXPECT_EQ(ShownFootprint(), "DIP-14");
  ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
  EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, &Component());
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_SELECT_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(FramePackageSelectTest, SelectingAnUnknownNameChangesNothing) {
  EXPECT_FALSE(Frame().SelectPackage("QFN-16"));
  EXPECT_FALSE(Frame().SelectPackage(""));

  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(UndoLevels().Events().empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(FramePackageSelectTest, SelectingByNameWithAGridThatCannotBeWrittenBackIsReportedAndChangesNothing) {
  BreakGridWriteBack();
  Screen().ExpectMessageBox(IDOK);
  EXPECT_FALSE(Frame().SelectPackage("SOIC-8"));

  ExpectRefusedBeforeItsLevel(IDS_UNDO_SELECT_PACKAGE);
}

TEST_F(FramePackageSelectTest, SelectingByNameEndsAnAssignmentRunFirst) {
  Frame().OnAssignPins();
  ASSERT_TRUE(Design().IsUndoLevelOpen());
  ClearRecords();
  EXPECT_TRUE(Frame().SelectPackage("SOIC-8"));

  ASSERT_FALSE(UndoLevels().Ended().empty());
  EXPECT_EQ(UndoLevels().Ended().front(), IDS_UNDO_ASSIGN_PINS);
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(Component().GetPackage(), "SOIC-8");
}

}  // namespace
