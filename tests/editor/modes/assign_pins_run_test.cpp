// An assignment run and the frames that come and go around it, on components of two
// NAND2 gates in DIP-8 with no pins assigned. The run is one for the whole module: the
// frame that opened its undo level closes it on its own design, also when the frame
// goes away in the middle of the run, and no other frame closes it for it.
#include <gtest/gtest.h>

#include <memory>

#include "tests/editor/modes/modes_fixture.h"

namespace {

ComponentBuilder TwoGates() {
  return ComponentBuilder("DUT").Gates(2, 3).Package("P1", "DIP-8").Unassigned();
}

class AssignmentRunTest : public ModesTest {
 protected:
  void TearDown() override {
    // The other frame goes before its design does.
    if (IsWindowHandle(m_otherHandle)) CWnd::FromHandlePermanent(m_otherHandle)->DestroyWindow();
    ModesTest::TearDown();
  }

  // A second editor window, on a design of its own.
  CHostComponentFrame* OpenOtherDesign() {
    m_otherDesign = std::make_unique<CDesign>();
    m_otherDesign->SetPathName(SamplePath().c_str());
    TwoGates().BuildInto(*m_otherDesign);
    CCreateContext context;
    context.m_pCurrentDoc = m_otherDesign.get();
    auto* frame = static_cast<CHostComponentFrame*>(
        CreateMDIChild(RUNTIME_CLASS(CHostComponentFrame), &MainWindow(), context));
    if (frame != nullptr) m_otherHandle = frame->GetSafeHwnd();
    m_otherDesign->SetModifiedFlag(FALSE);
    return frame;
  }
  CDesign& OtherDesign() { return *m_otherDesign; }

  // Clicks the PCB pad of `pin`, then the gate's terminal, in the frame's drawings.
  void Pair(CComponentFrame& frame, int pin, int gate, int terminal) {
    CSymbolsFrame* symbols = frame.GetSymbolsFrame();
    ASSERT_NE(symbols, nullptr);
    ASSERT_TRUE(Click(*symbols->GetPcbView(), Land(*symbols->GetPcbView(), pin)));
    ASSERT_TRUE(Click(*symbols->GetScmView(), Terminal(*symbols->GetScmView(), gate, terminal)));
  }

  static int PinOf(const CDesign& design, int gate, int terminal) {
    return design.FirstComponent()->GetPinNumber(gate, terminal);
  }

 private:
  std::unique_ptr<CDesign> m_otherDesign;
  HWND m_otherHandle = nullptr;
};

TEST_F(AssignmentRunTest, AFrameClosedInTheMiddleOfARunMakesTheRunOneStepOfItsDesign) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  Design().SetModifiedFlag(FALSE);
  Frame().OnAssignPins();
  Pair(Frame(), 5, 1, 2);
  ClearRecords();
  MainWindow().ClearCommands();

  CloseEditor();
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  EXPECT_EQ(MainWindow().CommandsReceived(), std::vector<UINT>{ID_PIN_ASSIGNMENT_ENDED});
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(Design().GetUndoName(), "Assign Pins");
  EXPECT_EQ(PinOf(Design(), 1, 2), 5);

  // The next frame on the design has a run of its own, which it closes itself.
  ASSERT_TRUE(OpenEditor());
  Design().SetModifiedFlag(FALSE);
  ClearRecords();
  Frame().OnAssignPins();
  EXPECT_EQ(UndoLevels().Started(), std::vector<UINT>{IDS_UNDO_ASSIGN_PINS});
  Pair(Frame(), 7, 0, 1);
  Frame().OnSelectMode();
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(Design().GetUndoCount(), 2);
}

TEST_F(AssignmentRunTest, AnotherFramesCommandsAndClosingLeaveTheRunToItsOwnFrame) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  Design().SetModifiedFlag(FALSE);
  Frame().OnAssignPins();
  Pair(Frame(), 5, 1, 2);
  CHostComponentFrame* other = OpenOtherDesign();
  ASSERT_NE(other, nullptr);

  // The other frame's commands end runs of its own only, and it has none.
  other->OnSelectMode();
  other->StopAssignPins();
  other->DestroyWindow();
  EXPECT_TRUE(Design().IsUndoLevelOpen()) << "the run is still open on its own design";
  EXPECT_FALSE(OtherDesign().IsUndoLevelOpen());
  EXPECT_EQ(UndoLevels().Ended(), std::vector<UINT>{});

  // The run goes on in its own frame, and ends there as one step.
  Pair(Frame(), 7, 0, 1);
  Frame().OnSelectMode();
  EXPECT_FALSE(Design().IsUndoLevelOpen());
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Design().GetUndoCount(), 1);
  EXPECT_TRUE(Design().IsModified());
  EXPECT_EQ(PinOf(Design(), 0, 1), 7);
}

TEST_F(AssignmentRunTest, WhenTheRunsFrameIsClosedAnotherFrameCanStartARunOfItsOwn) {
  ASSERT_TRUE(OpenEditor(TwoGates()));
  CHostComponentFrame* other = OpenOtherDesign();
  ASSERT_NE(other, nullptr);
  Frame().OnAssignPins();
  Pair(Frame(), 5, 1, 2);

  CloseEditor();
  EXPECT_FALSE(Design().IsUndoLevelOpen());

  other->OnAssignPins();
  EXPECT_TRUE(OtherDesign().IsUndoLevelOpen()) << "the other design has its own run";
  Pair(*other, 3, 0, 2);
  other->OnSelectMode();
  EXPECT_FALSE(OtherDesign().IsUndoLevelOpen());
  EXPECT_TRUE(OtherDesign().IsModified()) << "the pin assigned in the other frame counts as a change";
  EXPECT_EQ(OtherDesign().GetUndoName(), "Assign Pins");
  EXPECT_EQ(PinOf(OtherDesign(), 0, 2), 3);
}

}  // namespace
