// Zooming, panning and fitting as a user does them: the design point under the cursor
// stays put, the whole design fits with a margin, resizing keeps what the view shows.
#include <gtest/gtest.h>

#include "tests/host/drawing/drawing_fixture.h"

namespace {

TEST(ViewTransform, MapsDesignUnitsToPixelsWithYFlippedAndKeepsItsScaleInBounds) {
  CViewTransform transform;
  transform.SetScale(0.01);
  transform.SetOrigin(CPoint(-5000, 8000));
  EXPECT_EQ(transform.ToView(CPoint(-5000, 8000)), CPoint(0, 0));
  EXPECT_EQ(transform.ToView(CPoint(-4000, 7000)), CPoint(10, 10));
  for (const CPoint view : {CPoint(0, 0), CPoint(37, -12), CPoint(399, 299)}) {
    EXPECT_EQ(transform.ToView(transform.ToWorld(view)), view);
  }
  EXPECT_EQ(transform.ToWorld(CRect(0, 0, 10, 20)), CRect(-5000, 6000, -4000, 8000));
  EXPECT_EQ(transform.ToView(CRect(-5000, 6000, -4000, 8000)), CRect(0, 0, 10, 20));
  EXPECT_EQ(transform.LengthToView(2540), 25);
  EXPECT_EQ(transform.LengthToWorld(3), 300);

  transform.SetScale(0);
  EXPECT_EQ(transform.GetScale(), 0.01);
  transform.SetScale(1e9);
  EXPECT_EQ(transform.GetScale(), CViewTransform::kMaxScale);
  // Far off coordinates stay within what a device can take.
  transform.SetOrigin(CPoint(-2000000000, 0));
  EXPECT_LT(transform.ToView(CPoint(2000000000, 0)).x, 1 << 30);
}

class ZoomTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    u1 = PlaceQuadNand(schematic);
    ASSERT_NE(u1, nullptr);
    view = OpenView(schematic);
    ASSERT_NE(view, nullptr);
  }

  CScmDesign schematic;
  CComponentInstance* u1 = nullptr;
  TestDrawing* view = nullptr;
};

TEST_F(ZoomTest, ZoomAllFitsTheContentsOrElseTheDesignAreaCentredWithAMargin) {
  const auto expectFitted = [&](const CRect& world) {
    const CRect shown = view->GetTransform().ToView(world);
    EXPECT_GT(shown.left, 0);
    EXPECT_GT(shown.top, 0);
    EXPECT_LT(shown.right, 400);
    EXPECT_LT(shown.bottom, 300);
    EXPECT_GT(std::max(shown.Width() / 400.0, shown.Height() / 300.0), 0.85);
    EXPECT_NEAR(shown.CenterPoint().x, 200, 1);
    EXPECT_NEAR(shown.CenterPoint().y, 150, 1);
  };
  const CRect extents = schematic.GetExtents();
  expectFitted(extents);

  // A generous design area round the contents does not shrink them.
  schematic.SetDesignArea(CRect(-20000000, -5000000, 30000000, 45000000));
  view->OnZoomAll();
  expectFitted(extents);

  // Resizing keeps a fitted view fitted.
  frames.back()->MoveWindow(CRect(0, 0, 600, 200));
  const CRect shown = view->GetTransform().ToView(extents);
  EXPECT_NEAR(shown.CenterPoint().x, 300, 1);
  EXPECT_NEAR(shown.CenterPoint().y, 100, 1);
  EXPECT_NEAR(std::max(shown.Width() / 600.0, shown.Height() / 200.0), 1 / 1.1, 0.01);

  // With nothing placed, the area is what is shown.
  const CRect area(-2000000, -500000, 3000000, 4500000);
  schematic.DeleteAllComponentInstances();
  schematic.SetDesignArea(area);
  frames.back()->MoveWindow(CRect(0, 0, 400, 300));
  view->OnZoomAll();
  expectFitted(area);
}

TEST_F(ZoomTest, ZoomingKeepsTheDesignPointUnderTheCursorOrTheCentreWhenTheCursorIsElsewhere) {
  const CPoint cursor(90, 210);
  ASSERT_TRUE(user.MoveMouse(view, cursor));
  EXPECT_TRUE(view->CursorOverWindow(false));
  const CPoint held = World(view, cursor);
  EXPECT_EQ(CDesignWindow(view).GetCurrentPosition(), held);
  const double scale = view->GetTransform().GetScale();

  view->OnZoomInAtCursor();
  EXPECT_DOUBLE_EQ(view->GetTransform().GetScale(), scale * 1.5);
  EXPECT_EQ(ViewPoint(view, held), cursor);
  ASSERT_TRUE(user.Wheel(view, cursor, -120));
  EXPECT_DOUBLE_EQ(view->GetTransform().GetScale(), scale);
  EXPECT_EQ(ViewPoint(view, held), cursor);
  // Elsewhere, the wheel's point stays and the rest moves away from it.
  ASSERT_TRUE(user.Wheel(view, CPoint(300, 40), 120));
  EXPECT_NEAR(ViewPoint(view, held).x, 300 + (cursor.x - 300) * 1.5, 1);
  EXPECT_NEAR(ViewPoint(view, held).y, 40 + (cursor.y - 40) * 1.5, 1);

  // Out of the client area, the centre stays.
  ASSERT_TRUE(user.MoveMouse(view, CPoint(-5, 7)));
  EXPECT_FALSE(view->CursorOverWindow(false));
  const CPoint centre = World(view, CPoint(200, 150));
  view->OnZoomOutAtCursor();
  EXPECT_EQ(ViewPoint(view, centre), CPoint(200, 150));
}

TEST_F(ZoomTest, TheMouseIsOverOnlyTheDrawingThatSawItLast) {
  CScmDesign other;
  TestDrawing* second = OpenView(other);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(user.MoveMouse(view, CPoint(10, 10)));
  EXPECT_TRUE(view->CursorOverWindow(false));
  ASSERT_TRUE(user.MoveMouse(second, CPoint(20, 20)));
  EXPECT_FALSE(view->CursorOverWindow(false));
  EXPECT_TRUE(second->CursorOverWindow(true));
}

TEST_F(ZoomTest, PanningCentresOnTheCursorOrAPointAndMiddleDragsCarryTheDesignAlong) {
  ASSERT_TRUE(user.MoveMouse(view, CPoint(50, 60)));
  const CPoint picked = World(view, CPoint(50, 60));
  view->OnPan();
  EXPECT_EQ(ViewPoint(view, picked), CPoint(200, 150));
  view->OnPanTo(CPoint(1000000, -2000000), true);
  EXPECT_EQ(ViewPoint(view, CPoint(1000000, -2000000)), CPoint(200, 150));

  const CPoint grabbed = World(view, CPoint(100, 100));
  ASSERT_TRUE(user.MiddleDown(view, CPoint(100, 100)));
  ASSERT_TRUE(user.MoveMouse(view, CPoint(130, 80), MK_MBUTTON));
  ASSERT_TRUE(user.MoveMouse(view, CPoint(160, 40), MK_MBUTTON));
  EXPECT_EQ(ViewPoint(view, grabbed), CPoint(160, 40));
  ASSERT_TRUE(user.MiddleUp(view, CPoint(160, 40)));
  ASSERT_TRUE(user.MoveMouse(view, CPoint(10, 10)));
  EXPECT_EQ(ViewPoint(view, grabbed), CPoint(160, 40));

  // A resize keeps the centre of a panned view.
  const CPoint centre = World(view, CPoint(200, 150));
  frames.back()->MoveWindow(CRect(0, 0, 600, 200));
  EXPECT_EQ(ViewPoint(view, centre), CPoint(300, 100));
}

}  // namespace
