// The Delete command of the symbols frame on each kind of selected item, with Yes and
// No answers, and the removal of pin assignments it is built on. "QUAD-NAND2" in
// DIP-14: gates a to d are NAND2 with pins a 1 2 3, b 4 5 6, c 9 10 8, d 12 13 11, and
// gate e (POWER) has pins 14 and 7.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/editor/support/editor_fixture.h"

namespace {

using PinMap = std::vector<std::vector<int>>;

PinMap PinsOf(const CComponent& component) {
  PinMap pins;
  POSITION position = nullptr;
  int index = 0;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    std::vector<int> gatePins;
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
      gatePins.push_back(component.GetPinNumber(index, terminal));
    }
    pins.push_back(gatePins);
  }
  return pins;
}

const PinMap kSamplePins = {{1, 2, 3}, {4, 5, 6}, {9, 10, 8}, {12, 13, 11}, {14, 7}};

class DeleteSelectionTest : public SampleEditorTest {
 protected:
  void SetUp() override {
    SampleEditorTest::SetUp();
    ClearRecords();
  }

  // Deletes the selection answering the one question it must ask.
  void DeleteAnswering(int answer, const char* question) {
    Screen().ExpectMessageBox(answer, CString(question));
    Symbols().DeleteSelection();
    EXPECT_EQ(MessageTexts(), (std::vector<CString>{question}));
  }
};

TEST_F(DeleteSelectionTest, WithNothingSelectedNothingIsAskedOrChanged) {
  EXPECT_EQ(Symbols().GetSelectedItem(), nullptr);
  EXPECT_FALSE(Frame().AnythingSelected());
  Symbols().DeleteSelection();
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_EQ(PinsOf(Component()), kSamplePins);
  EXPECT_TRUE(Hints().All().empty());
}

TEST_F(DeleteSelectionTest, APcbPadLosesItsPinOnEveryTerminalThatCarriesIt) {
  // Pin 5 carried twice: by B2 and, after this, by A1.
  Component().SetPinNumber(0, 1, 5);
  ASSERT_NE(Select(PcbPad(5)), nullptr);
  EXPECT_TRUE(Frame().AnythingSelected());
  EXPECT_TRUE(Symbols().CanEditPcbSymInLibrary());
  EXPECT_FALSE(Symbols().CanEditScmSymbolInLib());

  DeleteAnswering(IDNO, "Remove pin assignments for pin 5?");
  EXPECT_EQ(Component().GetPinNumber(0, 1), 5);
  EXPECT_EQ(Component().GetPinNumber(1, 2), 5);
  EXPECT_TRUE(Hints().All().empty());

  Screen().ExpectMessageBox(IDYES, CString("Remove pin assignments for pin 5?"));
  Symbols().DeleteSelection();
  EXPECT_EQ(PinsOf(Component()), (PinMap{{-1, 2, 3}, {4, -1, 6}, {9, 10, 8}, {12, 13, 11}, {14, 7}}));
  // The other package keeps its pins.
  EXPECT_EQ(Design().FindComponent("QUAD-NAND2", "SOIC-14")->GetPinNumber(1, 2), 5);

  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintPinNumber, HintPinNumber, HintClearHighlight}));
  const RecordedHint& first = Hints().All()[0];
  EXPECT_EQ(first.sender, nullptr);
  EXPECT_EQ(first.symbol, "NAND2");
  EXPECT_EQ(std::make_tuple(first.gate, first.terminal, first.pin), std::make_tuple(0, 1, -1));
  const RecordedHint& second = Hints().All()[1];
  EXPECT_EQ(std::make_tuple(second.gate, second.terminal, second.pin), std::make_tuple(1, 2, -1));
  // The clearing reached the drawings: nothing is selected any more.
  EXPECT_EQ(Symbols().GetSelectedItem(), nullptr);
}

TEST_F(DeleteSelectionTest, ASchematicTerminalIsUnassignedAfterTheQuestion) {
  ASSERT_NE(Select(ScmTerminal(1, 2)), nullptr);
  EXPECT_TRUE(Symbols().CanEditScmSymbolInLib());
  DeleteAnswering(IDNO, "Remove pin assignment for gate b, terminal 2?");
  EXPECT_EQ(Component().GetPinNumber(1, 2), 5);
  EXPECT_TRUE(Hints().All().empty());

  Screen().ExpectMessageBox(IDYES, CString("Remove pin assignment for gate b, terminal 2?"));
  Symbols().DeleteSelection();
  EXPECT_EQ(PinsOf(Component()), (PinMap{{1, 2, 3}, {4, -1, 6}, {9, 10, 8}, {12, 13, 11}, {14, 7}}));
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
  EXPECT_EQ(Hints().All()[0].object, &Component());
  // The drawing was rebuilt from the component.
  EXPECT_EQ(ScmTerminal(1, 2)->GetPinNumber(), -1);
}

TEST_F(DeleteSelectionTest, ATerminalWithoutPinIsStillAskedForAndWritten) {
  Component().SetPinNumber(4, 2, -1);
  Frame().OnInvalidateView();
  ClearRecords();
  ASSERT_NE(Select(ScmTerminal(4, 2)), nullptr);
  DeleteAnswering(IDYES, "Remove pin assignment for gate e, terminal 2?");
  EXPECT_EQ(Component().GetPinNumber(4, 2), -1);
  EXPECT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
}

TEST_F(DeleteSelectionTest, ASchematicSymbolDeletesItsGateFromEveryPackage) {
  ASSERT_NE(Select(ScmGate(2)), nullptr);
  DeleteAnswering(IDNO, "Delete gate c?");
  EXPECT_EQ(Component().CountGates(), 5);
  EXPECT_TRUE(Hints().All().empty());

  Screen().ExpectMessageBox(IDYES, CString("Delete gate c?"));
  Select(ScmGate(2));
  Symbols().DeleteSelection();
  const PinMap remaining = {{1, 2, 3}, {4, 5, 6}, {12, 13, 11}, {14, 7}};
  EXPECT_EQ(PinsOf(Component()), remaining);
  EXPECT_EQ(PinsOf(*Design().FindComponent("QUAD-NAND2", "SOIC-14")), remaining);
  EXPECT_EQ(Component().FindGate(2), nullptr);
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintComponent}));
  EXPECT_EQ(Hints().All()[0].object, &Component());
}

TEST_F(DeleteSelectionTest, APcbFootprintRemovesThePinsOfAllItsPads) {
  ASSERT_NE(Select(PcbFootprint()), nullptr);
  DeleteAnswering(IDNO, "Remove all pin assignments?");
  EXPECT_EQ(PinsOf(Component()), kSamplePins);
  EXPECT_TRUE(Hints().All().empty());

  Screen().ExpectMessageBox(IDYES, CString("Remove all pin assignments?"));
  Select(PcbFootprint());
  Symbols().DeleteSelection();
  EXPECT_EQ(PinsOf(Component()), (PinMap{{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1}}));
  // One pin-number hint per terminal changed, one clearing per pad.
  EXPECT_EQ(Hints().Count(HintPinNumber), 14);
  EXPECT_EQ(Hints().Count(HintClearHighlight), 14);
  EXPECT_EQ(Hints().All().size(), 28u);
}

TEST_F(DeleteSelectionTest, WhenBothDrawingsHaveASelectionTheSchematicOneIsDeleted) {
  Select(PcbPad(1));
  Select(ScmGate(4));
  EXPECT_EQ(Symbols().GetSelectedItem(), ScmGate(4));
  DeleteAnswering(IDNO, "Delete gate e?");
}

TEST_F(DeleteSelectionTest, RemovingAPinNoTerminalCarriesOnlyClearsTheHighlights) {
  Symbols().RemovePinAssignments(99);
  EXPECT_EQ(PinsOf(Component()), kSamplePins);
  EXPECT_EQ(Hints().Values(), (std::vector<LPARAM>{HintClearHighlight}));

  ClearRecords();
  Symbols().RemovePinAssignments(8);
  EXPECT_EQ(Component().GetPinNumber(2, 3), -1);
  ASSERT_EQ(Hints().Values(), (std::vector<LPARAM>{HintPinNumber, HintClearHighlight}));
  EXPECT_EQ(Hints().All()[0].gate, 2);
  EXPECT_EQ(Hints().All()[0].terminal, 3);
  // The drawings patched the pin: the PCB pad of pin 8 is no longer assigned.
  EXPECT_FALSE(PcbPad(8)->IsAssigned());
  EXPECT_TRUE(PcbPad(9)->IsAssigned());
}

TEST_F(DeleteSelectionTest, ADeletionInsideTheFramesUndoLevelIsOneUndoStep) {
  Select(ScmTerminal(0, 1));
  Screen().ExpectMessageBox(IDYES);
  Frame().StartUndoLevel(IDS_UNDO_DELETE);
  Symbols().DeleteSelection();
  Frame().EndUndoLevel(IDS_UNDO_DELETE);

  EXPECT_EQ(UndoLevels().Started(), (std::vector<UINT>{IDS_UNDO_DELETE}));
  EXPECT_TRUE(UndoLevels().Balanced());
  EXPECT_EQ(Design().GetUndoName(), "Delete");
  ASSERT_TRUE(Design().Undo());
  EXPECT_EQ(PinsOf(Component()), kSamplePins);
}

// The screen delivers posted messages while a question is up. A redraw asked for
// meanwhile ("Invalidate.Frame") rebuilds both drawings, so the item the user chose is
// gone by the time the answer comes; the deletion must still do what was asked.
struct RedrawWhileAsked {
  const char* name;
  const char* question;
  PinMap after;
};

class DeleteWithRedrawTest : public DeleteSelectionTest,
                             public ::testing::WithParamInterface<RedrawWhileAsked> {
 protected:
  CDesignItem* SelectFor(const std::string& name) {
    if (name == "PcbFootprint") return Select(PcbFootprint());
    if (name == "PcbPad") return Select(PcbPad(5));
    if (name == "ScmTerminal") return Select(ScmTerminal(1, 2));
    return Select(ScmGate(2));
  }
};

TEST_P(DeleteWithRedrawTest, ARedrawWhileTheQuestionIsUpDoesNotLoseTheChosenItem) {
  const RedrawWhileAsked& plan = GetParam();
  ASSERT_NE(SelectFor(plan.name), nullptr);
  const UINT invalidate = CComponentFrame::GetInvalidateFrameMessage();
  ASSERT_NE(invalidate, 0u);
  Screen().ExpectMessageBox(IDYES, CString(plan.question),
                            [this, invalidate] { EXPECT_TRUE(Frame().PostMessage(invalidate, 0, 0)); });

  Symbols().DeleteSelection();

  EXPECT_EQ(PinsOf(Component()), plan.after);
  ASSERT_FALSE(Hints().All().empty());
  EXPECT_EQ(Hints().All()[0].hint, HintComponent) << "the redraw came while the question was up";
  EXPECT_EQ(Symbols().GetSelectedItem(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfItem, DeleteWithRedrawTest,
    ::testing::Values(RedrawWhileAsked{"PcbFootprint",
                                       "Remove all pin assignments?",
                                       {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1}}},
                      RedrawWhileAsked{"PcbPad",
                                       "Remove pin assignments for pin 5?",
                                       {{1, 2, 3}, {4, -1, 6}, {9, 10, 8}, {12, 13, 11}, {14, 7}}},
                      RedrawWhileAsked{"ScmTerminal",
                                       "Remove pin assignment for gate b, terminal 2?",
                                       {{1, 2, 3}, {4, -1, 6}, {9, 10, 8}, {12, 13, 11}, {14, 7}}},
                      RedrawWhileAsked{
                          "ScmGate", "Delete gate c?", {{1, 2, 3}, {4, 5, 6}, {12, 13, 11}, {14, 7}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A footprint whose pads do not carry every pin: a terminal assigned to a pin beyond the
// footprint keeps it when all the footprint's assignments go.
class DeleteOnBuiltComponentTest : public EditorTest {};

TEST_F(DeleteOnBuiltComponentTest, APinNoPadCarriesSurvivesRemovingAllAssignments) {
  ComponentBuilder("DUT").Gates(2, 4).Package("P8", "DIP-8").BuildInto(Design());
  Design().FirstComponent()->SetPinNumber(1, 4, 20);
  ASSERT_TRUE(OpenEditor());
  ClearRecords();

  Screen().ExpectMessageBox(IDYES, CString("Remove all pin assignments?"));
  Select(PcbFootprint());
  Symbols().DeleteSelection();
  EXPECT_EQ(PinsOf(Component()), (PinMap{{-1, -1, -1, -1}, {-1, -1, -1, 20}}));
  EXPECT_EQ(Hints().Count(HintPinNumber), 7);
  EXPECT_EQ(Hints().Count(HintClearHighlight), 8);
}

TEST_F(DeleteOnBuiltComponentTest, AGateGoesFromAllThreePackages) {
  ASSERT_TRUE(OpenEditor(ComponentBuilder("TRIPLE")
                             .Gates(3, 2)
                             .Package("A", "DIP-8")
                             .Package("B", "SOIC-8")
                             .Package("C", "HDR-2x5")));
  ASSERT_EQ(Design().CountComponents(), 3);

  Screen().ExpectMessageBox(IDYES, CString("Delete gate b?"));
  Symbols().DeleteGate(ScmGate(1));
  POSITION position = nullptr;
  for (CComponent* c = Design().FirstComponent(position); c != nullptr;
       c = Design().NextComponent(position)) {
    EXPECT_EQ(c->CountGates(), 2) << c->GetPackage().str();
    EXPECT_EQ(c->FindGate(1), nullptr) << c->GetPackage().str();
    EXPECT_EQ(PinsOf(*c), (PinMap{{1, 2}, {5, 6}})) << c->GetPackage().str();
  }
}

}  // namespace
