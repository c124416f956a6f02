#include "tests/support/grid_peer_recorder.h"

#include <algorithm>
#include <memory>

GridPeerRecorder& GridPeerRecorder::Watch(CGridCtrl& grid) {
  HWND hwnd = grid.GetSafeHwnd();
  std::unique_ptr<GridPeerRecorder> recorder(new GridPeerRecorder(hwnd));
  GridPeerRecorder& watching = *recorder;
  hwnd->peer = std::move(recorder);
  return watching;
}

long GridPeerRecorder::CellsToShow() const {
  const GridData* data = GetGridData(m_grid);
  if (data == nullptr) return 0;
  long cells = 0;
  for (const std::vector<GridChange>& delivery : m_deliveries) {
    for (const GridChange& change : delivery) {
      switch (change.kind) {
        case GridChange::Kind::Cell:
          ++cells;
          break;
        case GridChange::Kind::Row:
          cells += data->Cols();
          break;
        case GridChange::Kind::Column:
          cells += data->Rows();
          break;
        case GridChange::Kind::All:
          cells += data->Rows() * data->Cols();
          break;
        case GridChange::Kind::Cursor:
        case GridChange::Kind::Options:
          break;
      }
    }
  }
  return cells;
}

bool GridPeerRecorder::AnyWholeGrid() const {
  const bool content = std::find(m_whole.begin(), m_whole.end(), WindowChange::Content) != m_whole.end();
  return content || std::any_of(m_deliveries.begin(), m_deliveries.end(), [](const auto& delivery) {
           return std::any_of(delivery.begin(), delivery.end(),
                              [](const GridChange& change) { return change.kind == GridChange::Kind::All; });
         });
}

void GridPeerRecorder::Clear() {
  m_deliveries.clear();
  m_whole.clear();
}
