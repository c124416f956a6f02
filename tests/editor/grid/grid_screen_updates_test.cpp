// On a big component the pin grid tells its screen only what changed: a pick, a clear
// or an edit names the few cells it touched, and a refill or a highlight of many cells
// reaches the screen once. The component is the bundled 20 x 100 sample, pins 1 to 2,000
// in gate and terminal order on a 2,025-ball grid.
#include <gtest/gtest.h>

#include "tests/editor/grid/grid_test.h"
#include "tests/support/grid_peer_recorder.h"

namespace {

using Texts = std::vector<std::string>;

constexpr int kGates = 20;
constexpr int kTerminals = 100;
// Two hints (clear, then the pick), each ending in one handing-over.
constexpr size_t kDeliveriesOfAPick = 2;

class GridScreenUpdatesTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenBigFpga(kGates, kTerminals));
    ASSERT_EQ(Cells().GetRows(), kTerminals + 1);
    screen = &GridPeerRecorder::Watch(Cells());
  }

  GridPeerRecorder* screen = nullptr;
};

TEST_F(GridScreenUpdatesTest, APadPickAndItsClearTouchOnlyTheCellsOfItsPin) {
  // Pin 1,250 is terminal 50 of gate m: row 50, column 3 + 12.
  Picked(PcbView(), PcbPad(1250));
  ASSERT_EQ(BoldCells(), Texts{"50,15"});
  EXPECT_EQ(screen->Deliveries().size(), kDeliveriesOfAPick);
  EXPECT_FALSE(screen->AnyWholeGrid());
  EXPECT_LE(screen->CellsToShow(), 2);

  screen->Clear();
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(BoldCells(), Texts{});
  EXPECT_EQ(screen->Deliveries().size(), 1u);
  EXPECT_EQ(screen->CellsToShow(), 1);
}

TEST_F(GridScreenUpdatesTest, AnEditWrittenBackTouchesOnlyItsCell) {
  ASSERT_TRUE(Type(7, 4, "2010"));
  ASSERT_EQ(Component().GetPinNumber(1, 7), 2010);
  EXPECT_FALSE(screen->AnyWholeGrid());
  EXPECT_LE(screen->CellsToShow(), 4);
}

TEST_F(GridScreenUpdatesTest, ARefillAndAWholeFootprintPickReachTheScreenOnceEach) {
  Refill();
  EXPECT_EQ(screen->Deliveries().size(), 1u);

  screen->Clear();
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells().size(), static_cast<size_t>(kGates * kTerminals));
  EXPECT_EQ(screen->Deliveries().size(), kDeliveriesOfAPick);
  EXPECT_TRUE(screen->AnyWholeGrid());
}

}  // namespace
