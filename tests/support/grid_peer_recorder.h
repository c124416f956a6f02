// A screen for one grid control that writes down what the control tells it: each list of
// changes handed over (one per change, or one per batch), and how many cells a screen
// would have to look at to show them.
#pragma once

#include <vector>

#include "platform/backend.h"
#include "platform/grid_ctrl.h"

class GridPeerRecorder : public WindowPeer {
 public:
  // Becomes the peer of the grid window, for as long as the window lives.
  static GridPeerRecorder& Watch(CGridCtrl& grid);

  void OnChanged(WindowChange change) override { m_whole.push_back(change); }
  void OnGridChanged(const std::vector<GridChange>& changes) override { m_deliveries.push_back(changes); }

  const std::vector<std::vector<GridChange>>& Deliveries() const { return m_deliveries; }
  // The cells a peer must look at for everything delivered: one per cell, a row's or a
  // column's for those, every cell for All; a cursor move or options count none.
  long CellsToShow() const;
  bool AnyWholeGrid() const;
  void Clear();

 private:
  explicit GridPeerRecorder(HWND grid) : m_grid(grid) {}

  HWND m_grid;
  std::vector<std::vector<GridChange>> m_deliveries;
  std::vector<WindowChange> m_whole;  // changes that make the peer show everything again
};
