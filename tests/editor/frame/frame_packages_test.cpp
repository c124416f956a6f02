// The frame's package commands: Add Package adds the record and shows it, Delete Package
// shows the first record left, Select Package (in its dialog or by name) shows the one
// chosen; and the rule every command with an undo level of its own keeps: an assignment
// run is ended and the grid written back first, and the level is opened and closed
// whether the user confirms or cancels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/symbol.h"
#include "host/utility/app_error.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/control_texts.h"

namespace {

using Names = std::vector<std::string>;

// "DUT", two gates of three terminals, in DIP-8 (current), SOIC-8 and DIP-14, each drawn
// by the footprint of its name; terminal 1 of gate a is on pin 1, 5 and 14 of them, so
// the grid shows which package is current.
class FramePackagesTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ComponentBuilder("DUT")
        .Gates(2, 3)
        .Package("DIP-8", "DIP-8")
        .Package("SOIC-8", "SOIC-8")
        .Package("DIP-14", "DIP-14")
        .BuildInto(Design());
    Design().FindComponent("DUT", "SOIC-8")->SetPinNumber(0, 1, 5);
    Design().FindComponent("DUT", "DIP-14")->SetPinNumber(0, 1, 14);
    ASSERT_TRUE(OpenEditor());
    ClearRecords();
  }
  Names Packages() {
    Names packages;
    for (const ComponentValue& record : RecordsOf(Design())) packages.push_back(record.package.str());
    return packages;
  }
  // The record, the caption attribute, the grid's pin of terminal 1 of gate a and the
  // footprint drawn.
  Names Shown() {
    return {Component().GetPackage().str(), Design().FindAttribute("[PackageName]")->GetValue().str(),
            Grid()->GetEditGrid().GetTextMatrix(1, CComponentGrid::kFirstGateColumn).str(),
            PcbFootprint()->GetSymbol()->GetName().str()};
  }
  // `package` shown everywhere after one update, the grid's write-back, then `level`.
  void ExpectShowing(const char* package, const char* pin, UINT level) {
    EXPECT_EQ(Shown(), (Names{package, package, pin, package}));
    ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
    EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, &Component());
    EXPECT_EQ(UndoLevels().Started(), (std::vector<UINT>{IDS_UNDO_EDIT_PIN_MAP, level}));
    EXPECT_TRUE(UndoLevels().Balanced());
  }
};

TEST_F(FramePackagesTest, DeleteShowsTheFirstPackageLeftAsOneUndoStepAndRefusesOneAbsentOrLast) {
  const struct {
    const char *current, *deleted;
    bool typed;  // over the list rather than chosen from it
    Names left;
    const char *shown, *pin;
  } rows[] = {{"DIP-8", "DIP-8", false, {"SOIC-8", "DIP-14"}, "SOIC-8", "5"},
              {"DIP-14", "SOIC-8", true, {"DIP-8", "DIP-14"}, "DIP-8", "1"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.deleted);
    ASSERT_TRUE(Frame().SelectPackage(row.current));
    ClearRecords();
    ExpectDialogClosedBy(Screen(), IDD_DELETE_PACKAGE, IDOK, [&](CDialog& dialog, UserInput& input) {
      CWnd* list = dialog.GetDlgItem(IDC_PACKAGE_LIST);
      EXPECT_EQ(list->GetWindowText(), row.current);
      EXPECT_TRUE(row.typed ? input.TypeComboText(list, row.deleted)
                            : input.ChooseComboEntry(list, row.deleted));
    });
    Frame().OnDeletePackage();
    EXPECT_EQ(Packages(), row.left);
    ExpectShowing(row.shown, row.pin, IDS_UNDO_DELETE_PACKAGE);
    EXPECT_EQ(Design().GetUndoName(), "Delete Package");
    ASSERT_TRUE(Design().Undo());
    EXPECT_EQ(Packages(), (Names{"DIP-8", "SOIC-8", "DIP-14"}));
  }
  // Redone while the package it deletes is shown, the first package left is shown.
  ASSERT_TRUE(Frame().SelectPackage("SOIC-8"));
  ASSERT_TRUE(Design().Redo());
  EXPECT_EQ(Shown(), (Names{"DIP-8", "DIP-8", "1", "DIP-8"}));

  ClearRecords();
  // Fixed in 26f377f: a typed name that is no package was refused without a word.
  Screen().ExpectMessageBox(IDOK, CString("Package \"QFN-16\" does not exist."));
  ExpectDialogClosedBy(Screen(), IDD_DELETE_PACKAGE, IDCANCEL, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_LIST), "QFN-16"));
    input.Click(dialog.GetDlgItem(IDOK));
  });
  Frame().OnDeletePackage();
  EXPECT_EQ(Packages(), (Names{"DIP-8", "DIP-14"}));

  ASSERT_TRUE(Design().DeleteComponent(Design().FindComponent("DUT", "DIP-8")));
  Frame().GetComponent(true);
  Frame().OnInvalidateView();
  ClearRecords();
  Screen().ExpectMessageBox(IDOK, CString("Cannot delete the last package for a component."));
  ExpectDialogClosedBy(Screen(), IDD_DELETE_PACKAGE, IDCANCEL, [](CDialog& dialog, UserInput& input) {
    input.Click(dialog.GetDlgItem(IDOK));
    EXPECT_EQ(CWnd::GetFocusHandle(), dialog.GetDlgItem(IDC_PACKAGE_LIST)->m_hWnd);
  });
  Frame().OnDeletePackage();
  EXPECT_EQ(Packages(), Names{"DIP-14"});
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_EQ(Design().GetUndoCount(), 1);
}

TEST_F(FramePackagesTest, SelectShowsTheChosenPackageInItsDialogOrByNameAndChangesNoRecordAddShowsItsNewOne) {
  ExpectDialogClosedBy(Screen(), IDD_SELECT_PACKAGE, IDOK, [&](CDialog& dialog, UserInput& input) {
    auto* list = static_cast<CComboBox*>(dialog.GetDlgItem(IDC_PACKAGE_LIST));
    EXPECT_EQ(ComboEntries(*list), (Names{"DIP-14", "DIP-8", "SOIC-8"}))
        << "sorted, whatever the design order";
    EXPECT_EQ(list->GetWindowText(), "DIP-8");
    EXPECT_TRUE(input.ChooseComboEntry(list, "SOIC-8"));
  });
  Frame().OnSelectPackage();
  ExpectShowing("SOIC-8", "5", IDS_UNDO_SELECT_PACKAGE);
  EXPECT_FALSE(Design().CanUndo());

  // By name, as the program's other windows ask for it; an unknown name changes nothing.
  ClearRecords();
  EXPECT_TRUE(Frame().SelectPackage("DIP-14"));
  ExpectShowing("DIP-14", "14", IDS_UNDO_SELECT_PACKAGE);
  ClearRecords();
  EXPECT_FALSE(Frame().SelectPackage("QFN-16"));
  EXPECT_EQ(Component().GetPackage(), "DIP-14");
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_TRUE(UndoLevels().Events().empty());

  // Add Package shows the new package as one undo step.
  ClearRecords();
  ExpectDialogClosedBy(Screen(), IDD_ADD_PACKAGE, IDOK, [](CDialog& dialog, UserInput& input) {
    EXPECT_TRUE(input.TypeComboText(dialog.GetDlgItem(IDC_PACKAGE_COMBO), "TSSOP-14"));
    EXPECT_TRUE(input.ChooseComboEntry(dialog.GetDlgItem(IDC_PCB_SYMBOL_COMBO), "TSSOP-14"));
  });
  Frame().OnAddPackage();
  EXPECT_EQ(Packages(), (Names{"DIP-8", "SOIC-8", "DIP-14", "TSSOP-14"}));
  ExpectShowing("TSSOP-14", "", IDS_UNDO_ADD_PACKAGE);
  EXPECT_EQ(Design().GetUndoName(), "Add Package");
}

// A command that has an undo level of its own, run from the frame.
struct LevelCommand {
  const char* name;
  void (*run)(CComponentFrame&);
  int dialog;  // cancelled when it opens (0: the property sheet); -1: none
  UINT level;
  int updates;      // HintComponent sent when cancelled
  bool writesBack;  // writes the grid's edits back before its level
};

const LevelCommand kLevelCommands[] = {
    {"AddPackage", [](CComponentFrame& f) { f.OnAddPackage(); }, IDD_ADD_PACKAGE, IDS_UNDO_ADD_PACKAGE, 0,
     true},
    {"DeletePackage", [](CComponentFrame& f) { f.OnDeletePackage(); }, IDD_DELETE_PACKAGE,
     IDS_UNDO_DELETE_PACKAGE, 0, true},
    {"SelectPackage", [](CComponentFrame& f) { f.OnSelectPackage(); }, IDD_SELECT_PACKAGE,
     IDS_UNDO_SELECT_PACKAGE, 0, true},
    {"SelectPackageByName", [](CComponentFrame& f) { f.SelectPackage("DIP-8"); }, -1, IDS_UNDO_SELECT_PACKAGE,
     1, true},
    {"Properties", [](CComponentFrame& f) { f.OnProperties(); }, 0, IDS_UNDO_PROPERTIES, 0, true},
    {"AddGate", [](CComponentFrame& f) { f.OnAddGate(); }, IDD_ADD_GATE, IDS_UNDO_ADD_GATE, 0, false},
    {"Delete", [](CComponentFrame& f) { f.OnDelete(); }, -1, IDS_UNDO_DELETE, 0, false},
};

class FrameLevelCommandTest : public FramePackagesTest, public ::testing::WithParamInterface<LevelCommand> {};

TEST_P(FrameLevelCommandTest, EndsAnAssignmentRunAndWritesTheGridBackBeforeItsLevel) {
  const LevelCommand& command = GetParam();
  Frame().OnAssignPins();
  ClearRecords();
  if (command.dialog >= 0) ExpectDialogClosedBy(Screen(), command.dialog, IDCANCEL);
  command.run(Frame());
  // The run's level, opened before the records were cleared, closes first.
  ASSERT_FALSE(UndoLevels().Started().empty());
  EXPECT_EQ(UndoLevels().Ended().front(), IDS_UNDO_ASSIGN_PINS);
  EXPECT_EQ(UndoLevels().Started().back(), command.level);
  EXPECT_EQ(UndoLevels().Ended().back(), command.level);
  EXPECT_FALSE(Design().CanUndo()) << "an empty step is no undo step";
  EXPECT_EQ(Hints().Count(HintComponent), command.updates);
  if (!command.writesBack) return;

  // A leading blank typed into a terminal name cell is taken by the cell and refused by
  // the next write-back: its message, no dialog, the level never opened.
  ASSERT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), 1, CComponentGrid::kTerminalNameColumn, " A"));
  ClearRecords();
  CAppError::ClearLastError();
  Screen().ExpectMessageBox(IDOK);
  command.run(Frame());
  for (UINT started : UndoLevels().Started()) EXPECT_NE(started, command.level);
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Hints().Count(HintComponent), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryLevelCommand, FrameLevelCommandTest, ::testing::ValuesIn(kLevelCommands),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
