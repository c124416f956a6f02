// The frame's Add Gate command: the gate proposed at the first gap in the gate indices,
// the library and symbol proposed (the first gate's, then the last ones added in this
// window), How Many gates added at consecutive indices as one undo step "Add Gate", and
// Cancel or How Many 0 adding nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/model/component.h"
#include "platform/dialog.h"
#include "tests/editor/grid/grid_test.h"
#include "tests/editor/modes/modes_fixture.h"

namespace {

using Texts = std::vector<std::string>;
using Levels = std::vector<UINT>;

// What the Add Gate dialog proposed when it opened.
struct Proposal {
  std::string title;
  std::string library;
  std::string symbol;

  bool operator==(const Proposal&) const = default;
};

void PrintTo(const Proposal& p, std::ostream* os) {
  *os << "{\"" << p.title << "\", \"" << p.library << "\", \"" << p.symbol << "\"}";
}

class FrameAddGateTest : public GridTest {
 protected:
  // Runs Add Gate; `act` plays the user in the dialog and must end it. Returns what the
  // dialog proposed.
  Proposal AddGate(const std::function<void(CDialog&)>& act) {
    Proposal proposed;
    Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& dlg, UserInput&) {
      proposed = {dlg.GetWindowText().str(), dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->GetWindowText().str(),
                  dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO)->GetWindowText().str()};
      act(dlg);
    });
    Frame().OnAddGate();
    return proposed;
  }

  // Picks `symbol` of `library`, types How Many and adds.
  std::function<void(CDialog&)> Add(const char* library, const char* symbol, const char* howMany) {
    return [this, library, symbol, howMany](CDialog& dlg) {
      user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO), library);
      user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), symbol);
      user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), howMany);
      user.Click(dlg.GetDlgItem(IDOK));
    };
  }

  std::function<void(CDialog&)> Cancel() {
    return [this](CDialog& dlg) { user.Click(dlg.GetDlgItem(IDCANCEL)); };
  }

  // Each gate of the current package as "index symbol/terminals", in gate order.
  Texts Gates() { return GatesOf(Component()); }
  static Texts GatesOf(const CComponent& record) {
    Texts gates;
    POSITION position = nullptr;
    int index = 0;
    for (CGate* gate = record.FirstGate(position, index); gate != nullptr;
         gate = record.NextGate(position, index)) {
      gates.push_back(std::to_string(index) + " " + gate->GetSymbol().str() + "/" +
                      std::to_string(gate->CountPins()));
    }
    return gates;
  }

  // Four NAND2 gates in DIP-14, pins numbered in order, gate c taken out: 0, 1 and 3.
  bool OpenWithAGap() {
    ComponentBuilder("DUT").Gates(4, 3).Package("P1", "DIP-14").BuildInto(Design());
    if (!Design().FirstComponent()->DeleteGate(2)) return false;
    if (!OpenEditor()) return false;
    Design().SetModifiedFlag(FALSE);
    ClearRecords();
    return true;
  }
};

TEST_F(FrameAddGateTest, GatesGoIntoTheFirstGapAtConsecutiveIndicesAsOneUndoStep) {
  ASSERT_TRUE(OpenWithAGap());
  const int steps = Design().GetUndoCount();

  const Proposal proposed = AddGate(Add("logic.scmlib", "INV", "3"));

  EXPECT_EQ(proposed, (Proposal{"Add Gate c", "logic.scmlib", "NAND2"}));
  // The gate that stood at 3 made room each time and is now the last.
  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "2 INV/2", "3 INV/2", "4 INV/2", "5 NAND2/3"}));
  EXPECT_EQ(Component().GetPinNumber(5, 1), 10);
  EXPECT_EQ(Component().GetPinNumber(2, 1), CGate::kNoPin);
  EXPECT_EQ(Row(0), (Texts{"Schematic Symbol", "Terminal Name", "Terminal Number", "Gate a", "Gate b",
                           "Gate c", "Gate d", "Gate e", "Gate f"}));
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_ADD_GATE});
  EXPECT_TRUE(UndoLevels().Balanced());
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].object, &Component());
  EXPECT_EQ(Design().GetUndoCount(), steps + 1);
  EXPECT_EQ(Design().GetUndoName(), "Add Gate");
  EXPECT_TRUE(MessageTexts().empty());

  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "3 NAND2/3"}));
  EXPECT_EQ(Component().GetPinNumber(3, 1), 10);
}

TEST_F(FrameAddGateTest, WithoutGatesTheFirstGateIsProposedWithNoSymbol) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Package("P1", "DIP-8")));

  const Proposal proposed = AddGate(Add("analog.scmlib", "OPAMP", "1"));

  EXPECT_EQ(proposed, (Proposal{"Add Gate a", "logic.scmlib", ""}));
  EXPECT_EQ(Gates(), Texts{"0 OPAMP/3"});
  EXPECT_EQ(Component().FindGate(0)->GetLibrary(), "analog.scmlib");
  EXPECT_EQ(Row(0), (Texts{"Schematic Symbol", "Terminal Name", "Terminal Number", "Gate a"}));
  EXPECT_EQ(Column(0), (Texts{"OPAMP", "", ""}));
}

TEST_F(FrameAddGateTest, TheSymbolLastAddedIsProposedNextInThisWindowAndCancelKeepsIt) {
  ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));

  EXPECT_EQ(AddGate(Add("logic.scmlib", "DFF", "1")), (Proposal{"Add Gate f", "logic.scmlib", "NAND2"}));
  EXPECT_EQ(AddGate([this](CDialog& dlg) {
              user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO), "analog.scmlib");
              user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "RESISTOR");
              user.Click(dlg.GetDlgItem(IDCANCEL));
            }),
            (Proposal{"Add Gate g", "logic.scmlib", "DFF"}));
  EXPECT_EQ(AddGate(Cancel()), (Proposal{"Add Gate g", "logic.scmlib", "DFF"}));
  EXPECT_EQ(Component().CountGates(), 6);
}

TEST_F(FrameAddGateTest, HowManyZeroAddsNothingButRemembersTheSymbolAndRefreshes) {
  ASSERT_TRUE(OpenWithAGap());

  EXPECT_EQ(AddGate(Add("logic.scmlib", "POWER", "0")), (Proposal{"Add Gate c", "logic.scmlib", "NAND2"}));

  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "3 NAND2/3"}));
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_ADD_GATE});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());

  EXPECT_EQ(AddGate(Cancel()), (Proposal{"Add Gate c", "logic.scmlib", "POWER"}));
}

TEST_F(FrameAddGateTest, CancelChangesNothingButTheEmptyStepIsOpenedAndClosed) {
  ASSERT_TRUE(OpenWithAGap());

  AddGate([this](CDialog& dlg) {
    user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "DFF");
    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "2");
    user.Click(dlg.GetDlgItem(IDCANCEL));
  });

  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "3 NAND2/3"}));
  EXPECT_EQ(UndoLevels().Started(), Levels{IDS_UNDO_ADD_GATE});
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_TRUE(Hints().All().empty());
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
}

TEST_F(FrameAddGateTest, APinCountNoGateCanHaveIsToldAndAddsNothing) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Package("P1", "DIP-8")));
  ClearRecords();
  Screen().ExpectMessageBox(IDOK, CString("-2 is not a pin count."));

  AddGate([this](CDialog& dlg) {
    // A symbol typed rather than picked leaves the pin count to the user.
    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV");
    user.TypeText(dlg.GetDlgItem(IDC_SCM_PIN_COUNT), "-2");
    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "2");
    user.Click(dlg.GetDlgItem(IDOK));
  });

  EXPECT_EQ(Component().CountGates(), 0);
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

// The pin assignment running in the drawings is closed as a step of its own first.
class FrameAddGateDuringARunTest : public ModesTest {};

TEST_F(FrameAddGateDuringARunTest, AnAssignmentRunIsClosedBeforeTheGatesAreAdded) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8").Unassigned()));
  Frame().OnAssignPins();
  ASSERT_TRUE(Click(PcbView(), PcbPad(5)));
  ASSERT_TRUE(Click(ScmView(), ScmTerminal(1, 2)));
  Screen().ExpectDialog(IDD_ADD_GATE, [this](CDialog& dlg, UserInput&) { user.Click(dlg.GetDlgItem(IDOK)); });

  Frame().OnAddGate();

  EXPECT_EQ(UndoLevels().Started(), (Levels{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_ADD_GATE}));
  EXPECT_EQ(UndoLevels().Ended(), (Levels{IDS_UNDO_ASSIGN_PINS, IDS_UNDO_ADD_GATE}));
  EXPECT_EQ(Component().CountGates(), 3);
  EXPECT_EQ(Design().GetUndoName(), "Add Gate");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  EXPECT_EQ(Component().GetPinNumber(1, 2), 5);
}

}  // namespace
