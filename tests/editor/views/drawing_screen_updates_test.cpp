// On a big component the grid and the drawings ask their screens to show only what
// changed: a pick, a clear or a pin change names the few cells and the few small areas
// of the pads it touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/editor/grid/grid_test.h"
#include "tests/support/grid_peer_recorder.h"

namespace {

// A drawing's screen that writes down the areas it is asked to repaint, and how often
// it is asked to repaint everything.
struct AreaRecorder : WindowPeer {
  void OnChanged(WindowChange change) override { wholeRedraws += change == WindowChange::Redraw ? 1 : 0; }
  void OnInvalidated(const CRect& rect) override { areas.push_back(rect); }
  bool Covers(CPoint point) const {
    return std::any_of(areas.begin(), areas.end(), [&](const CRect& area) { return area.PtInRect(point); });
  }

  std::vector<CRect> areas;
  int wholeRedraws = 0;
};

// The bundled FPGA-sized sample's libraries: 20 gates of 100 terminals on its 2,025-ball
// footprint, pins 1 to 2,000 in gate and terminal order.
TEST_F(GridTest, OnABigComponentTheGridAndTheDrawingsShowOnlyWhatAChangeTouches) {
  const CString big = DataDirectory() + "/big/big-fpga.";
  ASSERT_TRUE(OpenEditor(ComponentBuilder("BIG-FPGA")
                             .Gates(20, "BIG-FPGA_UNIT", 100, (big + "scmlib").c_str())
                             .Package("BGA-2025", "BGA-2025", 2025, (big + "pcblib").c_str())));
  GridPeerRecorder& grid = GridPeerRecorder::Watch(Cells());
  AreaRecorder* pcb = nullptr;
  AreaRecorder* scm = nullptr;
  const auto watch = [&] {  // new screens for the drawings, with nothing written down
    grid.Clear();
    for (auto [view, recorder] : {std::pair<CWnd*, AreaRecorder**>{&PcbView(), &pcb}, {&ScmView(), &scm}}) {
      auto fresh = std::make_unique<AreaRecorder>();
      *recorder = fresh.get();
      view->GetSafeHwnd()->peer = std::move(fresh);
    }
  };
  watch();
  CRect client;
  ScmView().GetClientRect(&client);
  const long clientArea = static_cast<long>(client.Width()) * client.Height();
  ASSERT_GT(clientArea, 0);
  // Pin 1,250 is terminal 50 of gate m (index 12): row 50, column 3 + 12. Two hints, two
  // handings-over to the grid's screen.
  Picked(PcbView(), PcbPad(1250));
  ASSERT_TRUE(ScmTerminal(12, 50)->GetHighlight());
  ASSERT_EQ(BoldCells(), Texts{"50,15"});
  EXPECT_EQ(grid.Deliveries().size(), 2u);
  EXPECT_FALSE(grid.AnyWholeGrid());
  EXPECT_LE(grid.CellsToShow(), 2);
  EXPECT_EQ(pcb->wholeRedraws + scm->wholeRedraws, 0);
  EXPECT_TRUE(scm->Covers(ClientPointOf(ScmView(), ScmTerminal(12, 50))));
  EXPECT_LE(scm->areas.size(), 2u);
  for (const CRect& area : scm->areas)
    EXPECT_LE(static_cast<long>(area.Width()) * area.Height() * 50, clientArea);

  // Clearing repaints only where the marks were.
  PcbPad(1250)->SetSelected(true);
  watch();
  Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
  EXPECT_EQ(grid.Deliveries().size(), 1u);
  EXPECT_EQ(grid.CellsToShow(), 1);
  EXPECT_EQ(pcb->wholeRedraws + scm->wholeRedraws, 0);
  EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(1250))));
  EXPECT_TRUE(scm->Covers(ClientPointOf(ScmView(), ScmTerminal(12, 50))));
  EXPECT_LE(pcb->areas.size() + scm->areas.size(), 4u);

  // A pin change repaints the pad taken and the pad left: terminal 7 of gate 1 moves
  // from pin 107 to the free ball 2,010.
  watch();
  ASSERT_TRUE(Type(7, 4, "2010"));
  EXPECT_FALSE(grid.AnyWholeGrid());
  EXPECT_LE(grid.CellsToShow(), 4);
  EXPECT_EQ(pcb->wholeRedraws + scm->wholeRedraws, 0);
  EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(2010))));
  EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(107))));
  EXPECT_TRUE(scm->Covers(ClientPointOf(ScmView(), ScmTerminal(1, 7))));
  // A hint that moves the terminal straight on still repaints the pad it leaves.
  watch();
  CPinNumberHint moved(CString(), 1, 7, 2025);
  Design().UpdateAllViews(nullptr, HintPinNumber, &moved);
  EXPECT_EQ(pcb->wholeRedraws, 0);
  EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(2025))));
  EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(2010))));

  // A terminal renamed in the grid repaints the lands of its pin in every gate: terminal
  // 9 is on pins 9, 109, ..., 1,909.
  watch();
  ASSERT_TRUE(Type(9, 1, "CLK"));
  EXPECT_EQ(pcb->wholeRedraws, 0);
  for (int pin : {9, 1909}) EXPECT_TRUE(pcb->Covers(ClientPointOf(PcbView(), PcbPad(pin)))) << pin;

  // A rebuild repaints everything, and reaches the grid's screen as one batch.
  watch();
  Refill();
  EXPECT_EQ(grid.Deliveries().size(), 1u);
  EXPECT_GE(pcb->wholeRedraws, 1);
  EXPECT_GE(scm->wholeRedraws, 1);
  grid.Clear();
  Picked(PcbView(), PcbFootprint());
  EXPECT_EQ(BoldCells().size(), 2000u);
  EXPECT_EQ(grid.Deliveries().size(), 2u);
  EXPECT_TRUE(grid.AnyWholeGrid());
}

}  // namespace
