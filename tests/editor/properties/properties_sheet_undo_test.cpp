// The frame's properties command on "QUAD-NAND2" in DIP-14: the grid written back first,
// the sheet inside one undo level "Properties", OK one step and Cancel none, and the
// caption following a renamed package.
#include <gtest/gtest.h>

#include "host/model/component.h"
#include "host/utility/app_error.h"
#include "host/utility/edit_grid.h"
#include "tests/editor/properties/properties_sheet_fixture.h"

namespace {

using Levels = std::vector<UINT>;

class PropertiesSheetUndoTest : public PropertiesSheetTest {
 protected:
  void SetUp() override {
    PropertiesSheetTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }

  // Renames terminal A of gate a on its pin page and describes the component on the
  // first page.
  static void RenameAndDescribe(CComponentProperties& sheet, UserInput& input) {
    ASSERT_TRUE(input.TypeText(PageControl(sheet, IDC_PIN_NAME), "IN1"));
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), 0));
    ASSERT_TRUE(input.TypeText(PageControl(sheet, IDC_DESCRIPTION), "Four gates"));
  }

  CEditGrid& Cells() { return Grid()->GetEditGrid(); }

  CString PackageAttribute() {
    const CAttribute* attribute = Design().FindAttribute("[PackageName]");
    return attribute != nullptr ? CString(attribute->GetValue()) : CString("(none)");
  }
};

TEST_F(PropertiesSheetUndoTest, OkIsOneUndoStepNamedPropertiesAndTheFrameSendsNoUpdateOfItsOwn) {
  const int steps = Design().GetUndoCount();
  ASSERT_EQ(Component().GetDescription(), "Quad 2-input NAND gate");
  ExpectSheet(IDOK, RenameAndDescribe);
  Select(ScmTerminal(0, 1));
  Frame().OnProperties();

  EXPECT_EQ(Component().GetPinName(0, 1), "IN1");
  EXPECT_EQ(Component().GetDescription(), "Four gates");
  EXPECT_EQ(Design().GetUndoCount(), steps + 1);
  EXPECT_EQ(Design().GetUndoName(), "Properties");
  // The grid's write-back comes first, in a level of its own that holds nothing here.
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());
  // The pin page tells the views of the new name; the frame adds no rebuild.
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintPinName});

  // One undo takes both changes back.
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Component().GetPinName(0, 1), "A");
  EXPECT_EQ(Component().GetDescription(), "Quad 2-input NAND gate");
  EXPECT_EQ(Design().GetUndoCount(), steps);
}

TEST_F(PropertiesSheetUndoTest, CancelLeavesTheComponentAndTheUndoHistoryAsTheyWere) {
  const CString description = Component().GetDescription();
  ExpectSheet(IDCANCEL, RenameAndDescribe);
  Select(ScmTerminal(0, 1));
  Frame().OnProperties();

  ASSERT_TRUE(Shown().shown);
  EXPECT_EQ(Component().GetPinName(0, 1), "A");
  EXPECT_EQ(Component().GetDescription(), description);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
  // The level is opened and closed all the same; it holds nothing.
  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_TRUE(Hints().All().empty());
}

TEST_F(PropertiesSheetUndoTest, OkWithNothingChangedLeavesNoStep) {
  ExpectSheet(IDOK, [](CComponentProperties& sheet, UserInput& input) {
    for (int page = 1; page < sheet.GetPageCount(); ++page)
      ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), page));
  });
  Select(ScmTerminal(3, 2));
  Frame().OnProperties();

  ASSERT_EQ(Shown().pages.size(), 4u);
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
  EXPECT_TRUE(Hints().All().empty());
}

TEST_F(PropertiesSheetUndoTest, AGridEditInProgressIsWrittenBeforeTheSheetShowsThePin) {
  // Row 2 is terminal B; column 3 holds gate a's pins.
  ASSERT_TRUE(user.BeginGridEdit(&Cells(), 2, 3));
  ASSERT_TRUE(user.TypeInGridEditor(&Cells(), "7"));
  CString shownPin;
  ExpectSheet(IDCANCEL,
              [&](CComponentProperties& sheet, UserInput&) { shownPin = PageText(sheet, IDC_PIN_NUMBER); });
  Select(ScmTerminal(0, 2));
  Frame().OnProperties();

  EXPECT_EQ(shownPin, "7");
  EXPECT_EQ(Component().GetPinNumber(0, 2), 7);
  EXPECT_EQ(Design().GetUndoName(), "Edit Pin Map") << "the cell's own step, before the sheet's empty one";
}

TEST_F(PropertiesSheetUndoTest, AGridThatCannotBeWrittenBackIsReportedAndNoSheetOpens) {
  // A leading space is taken into the cell but refused by the next write-back.
  ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 1, " A"));
  ClearRecords();
  CAppError::ClearLastError();
  Screen().ExpectMessageBox(IDOK);
  Frame().OnProperties();

  EXPECT_EQ(MessageTexts().size(), 1u);
  EXPECT_FALSE(Shown().shown);
  for (UINT level : UndoLevels().Started()) EXPECT_NE(level, IDS_UNDO_PROPERTIES);
}

TEST_F(PropertiesSheetUndoTest, ARenamedPackageReachesTheCaptionOnOk) {
  ASSERT_EQ(PackageAttribute(), "DIP-14");
  ExpectSheet(IDOK, [](CComponentProperties& sheet, UserInput& input) {
    ASSERT_TRUE(input.ChooseTab(sheet.GetTabControl(), 1));
    ASSERT_TRUE(input.TypeComboText(PageControl(sheet, IDC_PACKAGE_NAME), "DIP-14W"));
  });
  Frame().OnProperties();

  EXPECT_EQ(Component().GetPackage(), "DIP-14W");
  EXPECT_EQ(PackageAttribute(), "DIP-14W");
  EXPECT_EQ(Design().GetUndoName(), "Properties");
}

TEST_F(PropertiesSheetUndoTest, AnAssignmentRunIsClosedBeforeTheSheetsLevelOpens) {
  Frame().OnAssignPins();
  ASSERT_TRUE(user.LeftClick(&PcbView(), ClientPointOf(PcbView(), PcbPad(14))));
  ASSERT_TRUE(user.LeftClick(&ScmView(), ClientPointOf(ScmView(), ScmTerminal(0, 1))));
  ASSERT_EQ(Component().GetPinNumber(0, 1), 14);
  ExpectSheet(IDCANCEL);
  Frame().OnProperties();

  ASSERT_TRUE(Shown().shown);
  EXPECT_EQ(UndoLevels().Ended(), (Levels{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_EDIT_PIN_MAP, IDS_UNDO_PROPERTIES}));
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
}

}  // namespace
