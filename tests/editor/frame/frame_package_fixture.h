// What the tests of the frame's package commands share: an editor on "DUT", two gates
// of three terminals, in three packages whose pin for terminal 1 of gate a differs, so
// the grid shows which package is current; the package dialogs' controls as the user
// reaches them; and the records, caption and drawing the user sees afterwards.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/model/symbol.h"
#include "host/utility/app_error.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"

using Names = std::vector<std::string>;

class FramePackageTest : public EditorTest {
 protected:
  using Levels = std::vector<UINT>;
  using DialogAction = std::function<void(CDialog&, UserInput&)>;

  // Packages in design order, DIP-8 first and current, each drawn by the footprint of
  // its name; terminal 1 of gate a is on pin 1, 5 and 14 of them.
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

  // The next dialog must come from `templateId`: `act` works on it, then `button` is
  // pressed. A dialog that stays open after the button fails the test and is cancelled.
  void ExpectDialog(UINT templateId, int button, DialogAction act = {}) {
    Screen().ExpectDialog(templateId, [button, act](CDialog& dialog, UserInput& input) {
      if (act) act(dialog, input);
      input.Click(dialog.GetDlgItem(button));
      if (!dialog.IsModalActive()) return;
      ADD_FAILURE() << "the dialog stayed open after button " << button;
      input.Click(dialog.GetDlgItem(IDCANCEL));
    });
  }

  // The packages of the design's records, in design order.
  Names Packages() {
    Names packages;
    POSITION position = nullptr;
    for (CComponent* record = Design().FirstComponent(position); record != nullptr;
         record = Design().NextComponent(position))
      packages.push_back(record->GetPackage().str());
    return packages;
  }
  // What shows the current package: the record, the design's caption attribute, the
  // grid's pin of terminal 1 of gate a and the footprint the PCB view draws.
  Names Shown() {
    return {Component().GetPackage().str(), Design().FindAttribute("[PackageName]")->GetValue().str(),
            Grid()->GetEditGrid().GetTextMatrix(1, CComponentGrid::kFirstGateColumn).str(),
            PcbFootprint()->GetSymbol()->GetName().str()};
  }
  // `package` is shown everywhere (its pin for terminal 1 of gate a is `pin`), after one
  // update and the grid's write-back followed by `level`.
  void ExpectShowing(const char* package, const char* pin, UINT level) {
    EXPECT_EQ(Shown(), (Names{package, package, pin, package}));
    ASSERT_EQ(Hints().OfKind(HintComponent).size(), 1u);
    EXPECT_EQ(Hints().OfKind(HintComponent)[0].object, &Component());
    EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_EDIT_PIN_MAP, level}));
    EXPECT_TRUE(UndoLevels().Balanced());
  }

  // A leading blank typed into a terminal name cell is taken by the cell and refused by
  // the next write-back.
  void BreakGridWriteBack() {
    ASSERT_TRUE(user.EditGridCell(&Grid()->GetEditGrid(), 1, CComponentGrid::kTerminalNameColumn, " A"));
    ClearRecords();
    CAppError::ClearLastError();
  }
  // The command after BreakGridWriteBack: one message shown, no dialog, `level` never
  // opened, the records and the current package as they were.
  void ExpectRefusedBeforeItsLevel(UINT level) {
    EXPECT_EQ(MessageTexts().size(), 1u);
    for (UINT started : UndoLevels().Started()) EXPECT_NE(started, level);
    EXPECT_TRUE(UndoLevels().Balanced());
    EXPECT_EQ(Packages(), (Names{"DIP-8", "SOIC-8", "DIP-14"}));
    EXPECT_EQ(Component().GetPackage(), "DIP-8");
    EXPECT_EQ(Hints().Count(HintComponent), 0);
  }
};
