// Picking what lies under a click: pads before the symbols that own them, thin pins
// within a few pixels, bodies inside their outline, through the view's zoom and pan.
#include "host/picking/pick.h"

#include <gtest/gtest.h>

#include "tests/host/drawing/drawing_fixture.h"

namespace {

class PickTest : public DrawingTest {
 protected:
  CDesignItem* PickAt(TestDrawing* view, CPoint point, UINT flags, const CPick::Filter& filter = {},
                      void* context = nullptr) {
    CPick pick(view);
    const bool found = pick.PickItems(point, flags, filter, context);
    EXPECT_EQ(found, pick.GetItem() != nullptr);
    return pick.GetItem();
  }
  CDesignItem* PickAtDesignPoint(TestDrawing* view, CPoint world, UINT flags) {
    return PickAt(view, ViewPoint(view, world), flags);
  }
};

TEST_F(PickTest, APadWinsOverItsSymbolAndTheFlagsChooseWhatCounts) {
  CPcbDesign board;
  CSymbolInstance* dip = PlaceQuadNand(board)->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  const CPoint pin5 = dip->FindPad(5)->GetPosition();
  EXPECT_EQ(PickAtDesignPoint(view, pin5, kPickPads | kPickSymbols), dip->FindPad(5));
  EXPECT_EQ(PickAtDesignPoint(view, pin5, kPickPads), dip->FindPad(5));
  EXPECT_EQ(PickAtDesignPoint(view, pin5, kPickSymbols), dip);
  EXPECT_EQ(PickAtDesignPoint(view, CPoint(0, 0), kPickPads | kPickSymbols), dip);
  EXPECT_EQ(PickAtDesignPoint(view, CPoint(0, 0), kPickPads), nullptr);
  EXPECT_EQ(PickAt(view, CPoint(3, 3), kPickPads | kPickSymbols), nullptr);
  EXPECT_EQ(PickAtDesignPoint(view, pin5, 0), nullptr);

  // A filter passes over what it refuses and sees the caller's context.
  int asked = 0;
  const CPick::Filter noPads = [](CDesignItem* item, void* context) {
    ++*static_cast<int*>(context);
    return DynamicDowncast<CPadInstance>(item) == nullptr;
  };
  EXPECT_EQ(PickAt(view, ViewPoint(view, pin5), kPickPads | kPickSymbols, noPads, &asked), dip);
  EXPECT_GE(asked, 2);
}

TEST_F(PickTest, ThinPinsAreHitWithinAFewPixelsAndTheNearestPadWins) {
  CScmDesign schematic;
  CComponentInstance* u1 = PlaceQuadNand(schematic);
  TestDrawing* view = OpenView(schematic);
  ASSERT_NE(view, nullptr);
  const CSymbolInstance* gateB = GateOf(u1, 1);
  const CPadInstance* inputA = gateB->FindPad(1);
  const CPoint onPin = ViewPoint(view, inputA->GetPosition()) + CSize(4, 0);

  EXPECT_EQ(PickAt(view, onPin + CSize(0, -2), kPickPads), inputA);
  EXPECT_EQ(PickAt(view, onPin + CSize(0, 3), kPickPads), inputA);
  EXPECT_EQ(PickAt(view, onPin + CSize(0, -6), kPickPads), nullptr);
  // Zoomed out until the two inputs lie within a few pixels of each other, the nearer wins.
  const auto gap = [&] {
    return ViewPoint(view, gateB->FindPad(2)->GetPosition()).y - ViewPoint(view, inputA->GetPosition()).y;
  };
  for (int i = 0; i < 10 && gap() > 3; ++i) view->OnZoomOutAtCursor();
  ASSERT_LE(gap(), 3);
  ASSERT_GE(gap(), 2);
  const CPoint a = ViewPoint(view, inputA->GetPosition());
  const CPoint b = ViewPoint(view, gateB->FindPad(2)->GetPosition());
  EXPECT_EQ(PickAt(view, a, kPickPads), inputA);
  EXPECT_EQ(PickAt(view, CPoint(b.x, b.y), kPickPads), gateB->FindPad(2));
}

TEST_F(PickTest, PicksFollowZoomAndPan) {
  CPcbDesign board;
  CSymbolInstance* dip = PlaceQuadNand(board)->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  const CPoint pin9 = dip->FindPad(9)->GetPosition();
  const CPoint before = ViewPoint(view, pin9);

  ASSERT_TRUE(user.MoveMouse(view, CPoint(320, 60)));
  view->OnZoomInAtCursor();
  view->OnZoomInAtCursor();
  const CPoint zoomed = ViewPoint(view, pin9);
  ASSERT_GT(std::abs(zoomed.x - before.x) + std::abs(zoomed.y - before.y), 20);
  EXPECT_EQ(PickAt(view, zoomed, kPickPads), dip->FindPad(9));
  EXPECT_NE(PickAt(view, before, kPickPads | kPickSymbols), dip->FindPad(9));

  view->OnPanTo(pin9 + CSize(200000, 0), true);
  const CPoint panned = ViewPoint(view, pin9);
  EXPECT_LT(panned.x, 200);
  EXPECT_EQ(PickAt(view, panned, kPickPads | kPickSymbols), dip->FindPad(9));
  EXPECT_EQ(PickAt(view, CPoint(200, 150), kPickPads | kPickSymbols), nullptr);
}

}  // namespace
