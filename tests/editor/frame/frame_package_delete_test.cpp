// Deleting a package: the list preselects the current package, the chosen record goes,
// the design's first remaining record becomes current, all in one undo step "Delete
// Package"; the last package is refused with its message and the dialog stays open.
#include "tests/editor/frame/frame_package_fixture.h"

namespace {

const CString kLastPackage = "Cannot delete the last package for a component.";

class FramePackageDeleteTest : public FramePackageTest {
 protected:
  // Deletes `package`, chosen in the list; returns the entry the list preselected.
  CString DeleteInDialog(const char* package) {
    CString preselected;
    ExpectDialog(IDD_DELETE_PACKAGE, IDOK, [&](CDialog& dialog, UserInput& input) {
      preselected = Item(dialog, IDC_PACKAGE_LIST)->GetWindowText();
      EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PACKAGE_LIST), package));
    });
    Frame().OnDeletePackage();
    return preselected;
  }

  void ExpectOneStepShowing(const char* package, const std::string& pin) {
    EXPECT_EQ(Component().GetPackage(), package);
    EXPECT_EQ(Component().GetPackage(), Design().FirstComponent()->GetPackage());
    EXPECT_EQ(Caption(), package);
    EXPECT_EQ(ShownPin(), pin);
    EXPECT_EQ(ShownFootprint(), package);
    ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
    EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, &Component());
    EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_DELETE_PACKAGE}));
    EXPECT_TRUE(UndoLevels().Balanced());
    EXPECT_EQ(Design().GetUndoCount(), 1);
    EXPECT_EQ(Design().GetUndoName(), "Delete Package");
  }
};

TEST_F(FramePackageDeleteTest, DeletingTheFirstAndCurrentPackageShowsTheNextOne) {
  EXPECT_EQ(DeleteInDialog("DIP-8"), "DIP-8");

  EXPECT_EQ(Packages(), (std::vector<std::string>{"SOIC-8", "DIP-14"}));
  ExpectOneStepShowing("SOIC-8", "5");

  // One undo brings the record back, first again.
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14"}));
}

TEST_F(FramePackageDeleteTest, RedoingTheDeletionOfTheShownPackageShowsTheFirstRemaining) {
  DeleteInDialog("DIP-8");
  ASSERT_TRUE(Design().Undo());
  ASSERT_TRUE(Frame().SelectPackage("DIP-8"));
  ASSERT_EQ(ShownPin(), "1");

  ASSERT_TRUE(Design().Redo());
  EXPECT_EQ(Packages(), (std::vector<std::string>{"SOIC-8", "DIP-14"}));
  EXPECT_EQ(Component().GetPackage(), "SOIC-8");
  EXPECT_EQ(Caption(), "SOIC-8");
  EXPECT_EQ(ShownPin(), "5");
}

TEST_F(FramePackageDeleteTest, DeletingAMiddlePackageShowsTheFirst) {
  ASSERT_TRUE(Frame().SelectPackage("DIP-14"));
  ClearRecords();
  EXPECT_EQ(DeleteInDialog("SOIC-8"), "DIP-14") << "the current package is preselected";

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "DIP-14"}));
  ExpectOneStepShowing("DIP-8", "1");
}

TEST_F(FramePackageDeleteTest, DeletingTheLastPackageInTheDesignShowsTheFirst) {
  ASSERT_TRUE(Frame().SelectPackage("SOIC-8"));
  ClearRecords();
  DeleteInDialog("DIP-14");

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8"}));
  ExpectOneStepShowing("DIP-8", "1");
}

TEST_F(FramePackageDeleteTest, CancelDeletesNothing) {
  ExpectDialog(IDD_DELETE_PACKAGE, IDCANCEL, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.ChooseComboEntry(Item(dialog, IDC_PACKAGE_LIST), "SOIC-8"));
  });
  Frame().OnDeletePackage();

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14"}));
  EXPECT_EQ(Component().GetPackage(), "DIP-8");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_DELETE_PACKAGE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

TEST_F(FramePackageDeleteTest, ThePackageOfAnEntryTypedInAnyCaseIsDeleted) {
  ExpectDialog(IDD_DELETE_PACKAGE, IDOK, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_LIST), "soic-8"));
  });
  Frame().OnDeletePackage();

  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "DIP-14"}));
}

TEST_F(FramePackageDeleteTest, ATypedNameThatIsNoPackageIsNamedInTheRefusalAndNothingIsDeleted) {
  Screen().ExpectMessageBox(IDOK, CString("Package \"QFN-16\" does not exist."));
  Screen().ExpectDialog(IDD_DELETE_PACKAGE, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(Item(dialog, IDC_PACKAGE_LIST), "QFN-16"));
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    EXPECT_TRUE(dialog.IsModalActive());
    EXPECT_TRUE(HasFocus(dialog, IDC_PACKAGE_LIST));
    EXPECT_TRUE(input.Click(Item(dialog, IDCANCEL)));
  });
  Frame().OnDeletePackage();

  EXPECT_EQ(MessageTexts(), std::vector<CString>{"Package \"QFN-16\" does not exist."});
  EXPECT_EQ(Packages(), (std::vector<std::string>{"DIP-8", "SOIC-8", "DIP-14"}));
  EXPECT_TRUE(Hints().All().empty());
}

TEST_F(FramePackageDeleteTest, AGridThatCannotBeWrittenBackIsReportedAndNoDialogOpens) {
  BreakGridWriteBack();
  Screen().ExpectMessageBox(IDOK);
  Frame().OnDeletePackage();

  ExpectRefusedBeforeItsLevel(IDS_UNDO_DELETE_PACKAGE);
}

class FrameLastPackageTest : public FramePackageTest {
 protected:
  // The design keeps DIP-14 alone.
  void SetUp() override {
    FramePackageTest::SetUp();
    ASSERT_TRUE(Design().DeleteComponent(Design().FindComponent("DUT", "DIP-8")));
    ASSERT_TRUE(Design().DeleteComponent(Design().FindComponent("DUT", "SOIC-8")));
    Frame().GetComponent(true);
    Frame().OnInvalidateView();
    ClearRecords();
  }
};

TEST_F(FrameLastPackageTest, TheLastPackageIsRefusedAndTheDialogStaysOpen) {
  Screen().ExpectMessageBox(IDOK, kLastPackage);
  Screen().ExpectDialog(IDD_DELETE_PACKAGE, [](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(Entries(dialog, IDC_PACKAGE_LIST), std::vector<std::string>{"DIP-14"});
    EXPECT_TRUE(input.Click(Item(dialog, IDOK)));
    EXPECT_TRUE(dialog.IsModalActive());
    EXPECT_TRUE(HasFocus(dialog, IDC_PACKAGE_LIST));
    EXPECT_TRUE(input.Click(Item(dialog, IDCANCEL)));
  });
  Frame().OnDeletePackage();

  EXPECT_EQ(MessageTexts(), std::vector<CString>{kLastPackage});
  EXPECT_EQ(Packages(), std::vector<std::string>{"DIP-14"});
  EXPECT_EQ(Component().GetPackage(), "DIP-14");
  EXPECT_EQ(ShownPin(), "14");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

}  // namespace
