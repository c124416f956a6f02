// The frame's Delete command (one step "Delete" after Yes) on each kind of selected item, with Yes and
// No answers, and the removal of pin assignments it is built on. "QUAD-NAND2" in
// DIP-14: gates a to d are NAND2 with pins a 1 2 3, b 4 5 6, c 9 10 8, d 12 13 11, and
// gate e (POWER) has pins 14 and 7; the tests put terminal 1 of gate a on pin 5 too, and
// terminal 3 of gate b on pin 20, which no pad of the footprint carries.
#include <gtest/gtest.h>

#include <string>

#include "tests/editor/support/editor_fixture.h"
#include "tests/support/view_items.h"

namespace {

const PinMap kPins = {{5, 2, 3}, {4, 5, 20}, {9, 10, 8}, {12, 13, 11}, {14, 7}};

// One kind of item: what Delete asks, the pins after Yes, the updates sent (whole
// component, the redraw's one included; pin numbers; highlight clearings) and the gates
// left in SOIC-14.
struct Deletion {
  const char* item;
  const char* question;
  PinMap after;
  std::vector<int> updates;
  int gatesLeft;
};

const Deletion kDeletions[] = {
    // Every terminal that carries the pin loses it.
    {"PcbPad",
     "Remove pin assignments for pin 5?",
     {{-1, 2, 3}, {4, -1, 20}, {9, 10, 8}, {12, 13, 11}, {14, 7}},
     {1, 2, 1},
     5},
    {"ScmTerminal",
     "Remove pin assignment for gate b, terminal 2?",
     {{5, 2, 3}, {4, -1, 20}, {9, 10, 8}, {12, 13, 11}, {14, 7}},
     {2, 0, 0},
     5},
    // A gate goes from every package.
    {"ScmGate", "Delete gate c?", {{5, 2, 3}, {4, 5, 20}, {12, 13, 11}, {14, 7}}, {2, 0, 0}, 4},
    // One pin-number update per terminal changed, one clearing per pad; pin 20, beyond the
    // footprint, stays.
    {"PcbFootprint",
     "Remove all pin assignments?",
     {{-1, -1, -1}, {-1, -1, 20}, {-1, -1, -1}, {-1, -1, -1}, {-1, -1}},
     {1, 13, 14},
     5},
};

class DeleteEachItemTest : public SampleEditorTest, public ::testing::WithParamInterface<Deletion> {
 protected:
  void SetUp() override {
    SampleEditorTest::SetUp();
    Component().SetPinNumber(0, 1, 5);
    Component().SetPinNumber(1, 3, 20);
    ClearRecords();
  }
  CDesignItem* SelectFor(const std::string& item) {
    if (item == "PcbFootprint") return Select(PcbFootprint());
    if (item == "PcbPad") return Select(PcbPad(5));
    if (item == "ScmTerminal") return Select(ScmTerminal(1, 2));
    return Select(ScmGate(2));
  }
};

// No changes nothing. The screen delivers posted messages while a question is up: a
// redraw asked for meanwhile ("Invalidate.Frame") rebuilds both drawings, so the item
// the user chose is gone by the time Yes comes, and the deletion must still do what was
// asked (fixed in 0bf854a).
TEST_P(DeleteEachItemTest, NoChangesNothingAndYesDeletesWhatWasChosenThoughARedrawCameMeanwhile) {
  const Deletion& deletion = GetParam();
  ASSERT_NE(SelectFor(deletion.item), nullptr);
  EXPECT_TRUE(Frame().AnythingSelected());
  Screen().ExpectMessageBox(IDNO, CString(deletion.question));
  Frame().OnDelete();
  EXPECT_EQ(PinsOf(Component()), kPins);
  EXPECT_TRUE(Hints().All().empty());

  ASSERT_NE(SelectFor(deletion.item), nullptr);
  const UINT invalidate = CComponentFrame::GetInvalidateFrameMessage();
  Screen().ExpectMessageBox(IDYES, CString(deletion.question),
                            [this, invalidate] { EXPECT_TRUE(Frame().PostMessage(invalidate, 0, 0)); });
  Frame().OnDelete();
  EXPECT_EQ(PinsOf(Component()), deletion.after);
  EXPECT_EQ((std::vector<int>{Hints().Count(HintComponent), Hints().Count(HintPinNumber),
                              Hints().Count(HintClearHighlight)}),
            deletion.updates);
  ASSERT_EQ(Hints().All().front().hint, HintComponent) << "the redraw came while the question was up";
  EXPECT_EQ(Hints().All().back().sender, nullptr);
  EXPECT_EQ(Symbols().GetSelectedItem(), nullptr);
  EXPECT_EQ(Design().GetUndoName(), "Delete");
  const CComponent* soic = Design().FindComponent("QUAD-NAND2", "SOIC-14");
  EXPECT_EQ(soic->CountGates(), deletion.gatesLeft);
  EXPECT_EQ(soic->GetPinNumber(1, 2), 5) << "the other package keeps its pins";
  // The footprint's pads show what a rebuild would.
  const auto assigned = [this] {
    std::vector<bool> pads;
    for (const CPadInstance* pad : PlacedPads(PcbView())) pads.push_back(pad->IsAssigned());
    return pads;
  };
  const std::vector<bool> shown = assigned();
  Frame().OnInvalidateView();
  EXPECT_EQ(assigned(), shown);
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfItem, DeleteEachItemTest, ::testing::ValuesIn(kDeletions),
                         [](const auto& info) { return std::string(info.param.item); });

}  // namespace
