#include "host/model/symbol_grid.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "host/model/symbol_instance.h"

namespace {

// The least multiple of `step` that covers `distance`; the distance itself without a
// step.
long long CoveringSteps(long long distance, int step) {
  if (step <= 0) return distance;
  long long steps = distance / step;
  if (steps * step < distance) ++steps;
  return steps * step;
}

// A symbol's extents relative to its position, or its position alone when it draws
// nothing.
struct Reach {
  int left = 0;
  int right = 0;
  int bottom = 0;
  int top = 0;
};

Reach ReachOf(const CSymbolInstance& symbol) {
  const CBox box = symbol.GetExtents();
  if (box.IsEmpty()) return {};
  const CPoint at = symbol.GetPosition();
  return {box.GetMin().x - at.x, box.GetMax().x - at.x, box.GetMin().y - at.y, box.GetMax().y - at.y};
}

// Where each column (or row) starts, from the first at 0: each keeps the gap from the
// one before, measured between its nearest reach and the previous one's farthest.
std::vector<long long> Offsets(const std::vector<int>& nearest, const std::vector<int>& farthest,
                               int spacing) {
  std::vector<long long> offsets(nearest.size(), 0);
  for (size_t i = 1; i < offsets.size(); ++i) {
    const long long needed =
        offsets[i - 1] + farthest[i - 1] + std::max(spacing, 0) - static_cast<long long>(nearest[i]);
    offsets[i] = CoveringSteps(needed, spacing);
  }
  return offsets;
}

}  // namespace

SymbolGridSize NearSquareGrid(int count) {
  if (count <= 0) return {};
  int columns = static_cast<int>(std::sqrt(static_cast<double>(count)));
  while (columns * columns < count) ++columns;
  return {columns, (count + columns - 1) / columns};
}

void ArrangeSymbolsInGrid(const std::vector<std::unique_ptr<CSymbolInstance>>& symbols, CSize spacing) {
  if (symbols.empty()) return;
  const SymbolGridSize grid = NearSquareGrid(static_cast<int>(symbols.size()));
  const CPoint start = symbols.front()->GetPosition();
  // Columns run rightwards from their leftmost reach; rows run downwards, measured
  // downwards from their topmost reach.
  std::vector<int> left(grid.columns, INT_MAX), right(grid.columns, INT_MIN);
  std::vector<int> upper(grid.rows, INT_MAX), lower(grid.rows, INT_MIN);
  for (size_t i = 0; i < symbols.size(); ++i) {
    const Reach reach = ReachOf(*symbols[i]);
    const size_t column = i % grid.columns;
    const size_t row = i / grid.columns;
    left[column] = std::min(left[column], reach.left);
    right[column] = std::max(right[column], reach.right);
    upper[row] = std::min(upper[row], -reach.top);
    lower[row] = std::max(lower[row], -reach.bottom);
  }
  const std::vector<long long> across = Offsets(left, right, spacing.cx);
  const std::vector<long long> down = Offsets(upper, lower, spacing.cy);
  for (size_t i = 0; i < symbols.size(); ++i) {
    const long long x = start.x + across[i % grid.columns];
    const long long y = start.y - down[i / grid.columns];
    symbols[i]->SetPosition(CPoint(static_cast<int>(x), static_cast<int>(y)));
  }
}
