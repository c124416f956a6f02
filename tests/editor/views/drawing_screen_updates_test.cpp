// On a big component the drawings ask their screens to repaint only where items
// changed: a pick, a clear or a pin change names the few small areas of the pads it
// touched, and painting such an area draws only the items reaching into it. The
// component is the bundled 20 x 100 sample, pins 1 to 2,000 in gate and terminal order
// on a 2,025-ball grid.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "editor/views/update_hints.h"
#include "platform/backend.h"
#include "platform/svg_dc.h"
#include "tests/editor/grid/grid_test.h"

namespace {

constexpr int kGates = 20;
constexpr int kTerminals = 100;

// A drawing's screen that writes down the areas it is asked to repaint, and how often
// it is asked to repaint everything.
class AreaRecorder : public WindowPeer {
 public:
  static AreaRecorder& Watch(CWnd& view) {
    auto recorder = std::make_unique<AreaRecorder>();
    AreaRecorder& watching = *recorder;
    view.GetSafeHwnd()->peer = std::move(recorder);
    return watching;
  }

  void OnChanged(WindowChange change) override {
    if (change == WindowChange::Redraw) ++wholeRedraws;
  }
  void OnInvalidated(const CRect& rect) override { areas.push_back(rect); }

  bool Covers(CPoint point) const {
    for (const CRect& area : areas) {
      if (area.PtInRect(point)) return true;
    }
    return false;
  }
  long LargestArea() const {
    long largest = 0;
    for (const CRect& area : areas)
      largest = std::max(largest, static_cast<long>(area.Width()) * area.Height());
    return largest;
  }
  void Clear() {
    areas.clear();
    wholeRedraws = 0;
  }

  std::vector<CRect> areas;
  int wholeRedraws = 0;
};

class DrawingScreenUpdatesTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenBigFpga(kGates, kTerminals));
    pcbScreen = &AreaRecorder::Watch(PcbView());
    scmScreen = &AreaRecorder::Watch(ScmView());
  }

  static CRect ClientOf(const CWnd& view) {
    CRect client;
    view.GetClientRect(&client);
    return client;
  }
  static long ClientArea(const CWnd& view) {
    const CRect client = ClientOf(view);
    return static_cast<long>(client.Width()) * client.Height();
  }
  // The items painted when the screen repaints one area of the view, as it does: the
  // view's drawing clipped to the area.
  static int ItemsPaintedIn(CSymbolView& view, const CRect& area) {
    CSvgDC dc(ClientOf(view).Size());
    dc.IntersectClipRect(area);
    const CRect client = ClientOf(view);
    const CRect part(std::max(area.left, client.left), std::max(area.top, client.top),
                     std::min(area.right, client.right), std::min(area.bottom, client.bottom));
    return view.Render(dc, part);
  }
  static int ItemsPaintedInAll(CSymbolView& view) {
    CSvgDC dc(ClientOf(view).Size());
    return view.Render(dc, ClientOf(view));
  }

  AreaRecorder* pcbScreen = nullptr;
  AreaRecorder* scmScreen = nullptr;
};

TEST_F(DrawingScreenUpdatesTest, APadPickRepaintsOnlyThePadsItMarksInBothDrawings) {
  ASSERT_GT(ClientArea(PcbView()), 0);
  ASSERT_GT(ClientArea(ScmView()), 0);
  // Pin 1,250 is terminal 50 of gate 12.
  Picked(PcbView(), PcbPad(1250));
  ASSERT_TRUE(ScmTerminal(12, 50)->GetHighlight());

  EXPECT_EQ(pcbScreen->wholeRedraws, 0);
  EXPECT_EQ(scmScreen->wholeRedraws, 0);
  EXPECT_TRUE(scmScreen->Covers(ClientPointOf(ScmView(), ScmTerminal(12, 50))));
  EXPECT_LE(scmScreen->areas.size(), 2u);
  EXPECT_LE(scmScreen->LargestArea() * 50, ClientArea(ScmView()));

  // The area of the highlighted terminal paints a few dozen items of the thousands.
  const int all = ItemsPaintedInAll(ScmView());
  ASSERT_GT(all, kGates * kTerminals);
  for (const CRect& area : scmScreen->areas) EXPECT_LE(ItemsPaintedIn(ScmView(), area) * 20, all);
}

TEST_F(DrawingScreenUpdatesTest, ClearingTheMarksRepaintsOnlyWhereTheyWere) {
  Picked(PcbView(), PcbPad(1250));
  PcbPad(1250)->SetSelected(true);
  pcbScreen->Clear();
  scmScreen->Clear();

  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_FALSE(ScmTerminal(12, 50)->GetHighlight());
  EXPECT_EQ(pcbScreen->wholeRedraws, 0);
  EXPECT_EQ(scmScreen->wholeRedraws, 0);
  EXPECT_TRUE(pcbScreen->Covers(ClientPointOf(PcbView(), PcbPad(1250))));
  EXPECT_TRUE(scmScreen->Covers(ClientPointOf(ScmView(), ScmTerminal(12, 50))));
  EXPECT_LE(pcbScreen->areas.size(), 2u);
  EXPECT_LE(scmScreen->areas.size(), 2u);
}

TEST_F(DrawingScreenUpdatesTest, APinChangeRepaintsThePadTakenAndThePadLeft) {
  // Terminal 7 of gate 1 sits on pin 107; it moves to the free ball 2,010.
  ASSERT_EQ(Component().GetPinNumber(1, 7), 107);
  ASSERT_TRUE(Type(7, 4, "2010"));
  ASSERT_EQ(Component().GetPinNumber(1, 7), 2010);

  EXPECT_EQ(pcbScreen->wholeRedraws, 0);
  EXPECT_EQ(scmScreen->wholeRedraws, 0);
  EXPECT_TRUE(pcbScreen->Covers(ClientPointOf(PcbView(), PcbPad(2010))));
  EXPECT_TRUE(pcbScreen->Covers(ClientPointOf(PcbView(), PcbPad(107))));
  EXPECT_TRUE(scmScreen->Covers(ClientPointOf(ScmView(), ScmTerminal(1, 7))));
  EXPECT_LE(pcbScreen->LargestArea() * 50, ClientArea(PcbView()));

  // A hint that moves the terminal straight on, with no unassigning first, still
  // repaints the pad it leaves.
  pcbScreen->Clear();
  CPinNumberHint moved(CString(), 1, 7, 2025);
  Design().UpdateAllViews(nullptr, HintPinNumber, &moved);
  EXPECT_EQ(pcbScreen->wholeRedraws, 0);
  EXPECT_TRUE(pcbScreen->Covers(ClientPointOf(PcbView(), PcbPad(2025))));
  EXPECT_TRUE(pcbScreen->Covers(ClientPointOf(PcbView(), PcbPad(2010))));
}

TEST_F(DrawingScreenUpdatesTest, ARebuildStillRepaintsEverything) {
  Refill();
  EXPECT_GE(pcbScreen->wholeRedraws, 1);
  EXPECT_GE(scmScreen->wholeRedraws, 1);
}

}  // namespace
