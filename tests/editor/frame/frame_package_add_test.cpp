// Adding a package through the frame: the dialog adds the record, which becomes the
// current package in the grid, the PCB drawing and the caption, as one undo step "Add
// Package"; a package the component has in any case is refused and the dialog stays
// open on the name; Cancel adds nothing.
#include "tests/editor/frame/frame_package_fixture.h"

namespace {

class FramePackageAddTest : public FramePackageTest {
 protected:
  static void ChooseFootprint(CDialog& dialog, UserInput& input, const char* package, const char* footprint) {
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_COMBO), package));
    EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PCB_SYMBOL_COMBO), footprint));
  }
};

TEST_F(FramePackageAddTest, OkAddsTheRecordAndShowsItAsOneUndoStep) {
  ExpectDialog(IDD_ADD_PACKAGE, IDOK, [](CDialog& dialog, UserInput& input) {
    ChooseFootprint(dialog, input, "TSSOP-14", "TSSOP-14");
  });
  Frame().OnAddPackage();

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14", "TSSOP-14"}));
  const CComponent* added = Design().FindComponent("DUT", "TSSOP-14");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(&Component(), added);
  EXPECT_EQ(added->GetPcbSymbol(), "TSSOP-14");
  EXPECT_EQ(added->GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(added->GetPinCount(), 14);
  EXPECT_EQ(Caption(), "TSSOP-14");
  EXPECT_EQ(ShownFootprint(), "TSSOP-14");
  EXPECT_EQ(ShownPin(), "") << "the new package has no pins assigned yet";
  ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
  EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, added);
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_ADD_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_EQ(Design().GetUndoName(), "Add Package");

  // Undo takes the shown record away: the first one is shown again.
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14"}));
  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_EQ(Caption(), "DIP-8");
  EXPECT_EQ(ShownPin(), "1");
  EXPECT_EQ(ShownFootprint(), "DIP-8");
}

TEST_F(FramePackageAddTest, CancelAddsNothing) {
  ExpectDialog(IDD_ADD_PACKAGE, IDCANCEL, [](CDialog& dialog, UserInput& input) {
    ChooseFootprint(dialog, input, "TSSOP-14", "TSSOP-14");
  });
  Frame().OnAddPackage();

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14"}));
  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_EQ(Caption(), "DIP-8");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_ADD_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(FramePackageAddTest, APackageTheComponentHasInAnotherCaseIsRefusedOnTheName) {
  const CString refusal = "Package \"soic-8\" is already defined for this component.";
  Screen().ExpectMessageBox(IDOK, refusal);
  Screen().ExpectDialog(IDD_ADD_PACKAGE, [](CDialog& dialog, UserInput& input) {
    ChooseFootprint(dialog, input, "soic-8", "SOIC-8");
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    EXPECT_TRUE(dialog.IsModalActive());
    EXPECT_TRUE(HasFocus(dialog, IDC_PACKAGE_COMBO));

    // Put right, the same dialog is accepted.
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_COMBO), "SOIC-8W"));
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    EXPECT_FALSE(dialog.IsModalActive());
  });
  Frame().OnAddPackage();

  EXPECT_EQ(MessageTexts(), std::vector<CString>{refusal});
  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14", "SOIC-8W"}));
  EXPECT_EQ(Component().GetPackage(), "SOIC-8W");
  EXPECT_EQ(Design().GetUndoCount(), 1);
}

TEST_F(FramePackageAddTest, AGridThatCannotBeWrittenBackIsReportedAndNoDialogOpens) {
  BreakGridWriteBack();
  Screen().ExpectMessageBox(IDOK);
  Frame().OnAddPackage();

  ExpectRefusedBeforeItsLevel(IDS_UNDO_ADD_PACKAGE);
}

TEST_F(FramePackageAddTest, AnAssignmentRunIsClosedBeforeTheLevelOpens) {
  Frame().OnAssignPins();
  ClearRecords();
  ExpectDialog(IDD_ADD_PACKAGE, IDCANCEL);
  Frame().OnAddPackage();

  // The run's level, opened before the records were cleared, closes first.
  EXPECT_EQ(UndoLevels().Ended(),
            (Levels{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_ADD_PACKAGE}));
  EXPECT_FALSE(Design().IsUndoLevelOpen());
}

}  // namespace
