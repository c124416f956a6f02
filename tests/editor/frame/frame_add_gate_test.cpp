// The frame's Add Gate command: the gate proposed at the first gap in the gate indices,
// the library and symbol proposed (the first gate's, then the last ones added in this
// window), How Many gates added at consecutive indices as one undo step "Add Gate", and
// Cancel, How Many 0 or a bad pin count adding nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/component.h"
#include "platform/dialog.h"
#include "tests/editor/support/editor_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class FrameAddGateTest : public EditorTest {
 protected:
  // Runs Add Gate: picks `symbol` of `library` unless null, types How Many unless null,
  // and presses `button`. Returns the title, library and symbol the dialog proposed.
  Texts AddGate(const char* library, const char* symbol, const char* howMany, int button = IDOK) {
    Texts proposed;
    Screen().ExpectDialog(IDD_ADD_GATE, [&](CDialog& dlg, UserInput&) {
      proposed = {dlg.GetWindowText().str(), dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO)->GetWindowText().str(),
                  dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO)->GetWindowText().str()};
      if (library != nullptr) user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_LIBRARY_COMBO), library);
      if (symbol != nullptr) user.ChooseComboEntry(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), symbol);
      if (howMany != nullptr) user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), howMany);
      user.Click(dlg.GetDlgItem(button));
    });
    Frame().OnAddGate();
    return proposed;
  }

  // Each gate of the current package as "index symbol/terminals", in gate order.
  Texts Gates() {
    Texts gates;
    for (const GateValue& gate : Component().GetValue().gates)
      gates.push_back(std::to_string(gate.index) + " " + gate.symbol.str() + "/" +
                      std::to_string(gate.terminals.size()));
    return gates;
  }
};

// Four NAND2 gates in DIP-14, pins numbered in order, gate c taken out: 0, 1 and 3.
TEST_F(FrameAddGateTest, GatesGoIntoTheFirstGapAtConsecutiveIndicesAsOneUndoStep) {
  ComponentBuilder("DUT").Gates(4, 3).Package("P1", "DIP-14").BuildInto(Design());
  ASSERT_TRUE(Design().FirstComponent()->DeleteGate(2));
  ASSERT_TRUE(OpenEditor());
  ClearRecords();
  EXPECT_EQ(AddGate("logic.scmlib", "INV", "3"), (Texts{"Add Gate c", "logic.scmlib", "NAND2"}));

  // The gate that stood at 3 made room each time and is now the last.
  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "2 INV/2", "3 INV/2", "4 INV/2", "5 NAND2/3"}));
  EXPECT_EQ(Grid()->GetEditGrid().GetTextMatrix(0, Grid()->GetEditGrid().GetCols() - 1), "Gate f");
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ADD_GATE});
  ASSERT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent});
  EXPECT_EQ(Hints().All()[0].object, &Component());
  EXPECT_EQ(Design().GetUndoName(), "Add Gate");

  ASSERT_TRUE(Design().Undo());

  // How Many 0 adds nothing, but its symbol is proposed next; Cancel adds nothing and
  // sends no update.
  Design().SetModifiedFlag(FALSE);
  ClearRecords();
  EXPECT_EQ(AddGate("analog.scmlib", "RESISTOR", "0"), (Texts{"Add Gate c", "logic.scmlib", "INV"}));
  EXPECT_EQ(AddGate("logic.scmlib", "POWER", "2", IDCANCEL),
            (Texts{"Add Gate c", "analog.scmlib", "RESISTOR"}));
  EXPECT_EQ(Gates(), (Texts{"0 NAND2/3", "1 NAND2/3", "3 NAND2/3"}));
  EXPECT_EQ(Hints().Values(), std::vector<LPARAM>{HintComponent}) << "How Many 0's";
  EXPECT_FALSE(Design().CanUndo());
  EXPECT_FALSE(Design().IsModified());
}

// Without gates the first gate is proposed, with no symbol. A symbol typed rather than
// picked leaves the pin count to the user.
TEST_F(FrameAddGateTest, WithoutGatesAPinCountNoGateCanHaveIsToldAndAddsNothing) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("DUT").Package("P1", "DIP-8")));
  Screen().ExpectMessageBox(IDOK, CString("-2 is not a pin count."));
  ExpectDialogClosedBy(Screen(), IDD_ADD_GATE, IDOK, [this](CDialog& dlg, UserInput&) {
    EXPECT_EQ(dlg.GetWindowText(), "Add Gate a");
    EXPECT_EQ(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO)->GetWindowText(), "");
    user.TypeComboText(dlg.GetDlgItem(IDC_SCM_SYMBOL_COMBO), "INV");
    user.TypeText(dlg.GetDlgItem(IDC_SCM_PIN_COUNT), "-2");
    user.TypeText(dlg.GetDlgItem(IDC_GATE_COUNT), "2");
  });
  Frame().OnAddGate();
  EXPECT_EQ(Component().CountGates(), 0);
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_FALSE(Design().CanUndo());
}

}  // namespace
