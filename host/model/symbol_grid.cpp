#include "host/model/symbol_grid.h"

#include <algorithm>
#include <climits>

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

// How far a symbol reaches from its position towards the right and downwards (y falls
// downwards in the design), or its position alone when it draws nothing.
struct Reach {
  int left = 0;
  int right = 0;
  int upper = 0;
  int lower = 0;
};

Reach ReachOf(const CSymbolInstance& symbol) {
  const CBox box = symbol.GetExtents();
  if (box.IsEmpty()) return {};
  const CPoint at = symbol.GetPosition();
  return {box.GetMin().x - at.x, box.GetMax().x - at.x, at.y - box.GetMax().y, at.y - box.GetMin().y};
}

// One way to lay the symbols out: the offset of each column rightwards and of each row
// downwards from the first, and the size of the whole.
struct GridLayout {
  int columns = 1;
  std::vector<long long> across;
  std::vector<long long> down;
  long long width = 0;
  long long height = 0;
};

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

long long Span(const std::vector<long long>& offsets, const std::vector<int>& nearest,
               const std::vector<int>& farthest) {
  long long low = LLONG_MAX;
  long long high = LLONG_MIN;
  for (size_t i = 0; i < offsets.size(); ++i) {
    low = std::min(low, offsets[i] + nearest[i]);
    high = std::max(high, offsets[i] + farthest[i]);
  }
  return high - low;
}

GridLayout LayOut(const std::vector<Reach>& reaches, int columns, CSize spacing) {
  const size_t rows = (reaches.size() + columns - 1) / columns;
  std::vector<int> left(columns, INT_MAX), right(columns, INT_MIN);
  std::vector<int> upper(rows, INT_MAX), lower(rows, INT_MIN);
  for (size_t i = 0; i < reaches.size(); ++i) {
    const size_t column = i % columns;
    const size_t row = i / columns;
    left[column] = std::min(left[column], reaches[i].left);
    right[column] = std::max(right[column], reaches[i].right);
    upper[row] = std::min(upper[row], reaches[i].upper);
    lower[row] = std::max(lower[row], reaches[i].lower);
  }
  GridLayout layout;
  layout.columns = columns;
  layout.across = Offsets(left, right, spacing.cx);
  layout.down = Offsets(upper, lower, spacing.cy);
  layout.width = Span(layout.across, left, right);
  layout.height = Span(layout.down, upper, lower);
  return layout;
}

// How far a layout is from a square: 1 for a square, more the longer one side is.
double Oblongness(const GridLayout& layout) {
  const double width = static_cast<double>(std::max(layout.width, 1LL));
  const double height = static_cast<double>(std::max(layout.height, 1LL));
  return std::max(width / height, height / width);
}

}  // namespace

void ArrangeSymbolsInGrid(const std::vector<std::unique_ptr<CSymbolInstance>>& symbols, CSize spacing) {
  if (symbols.empty()) return;
  std::vector<Reach> reaches;
  reaches.reserve(symbols.size());
  for (const auto& symbol : symbols) reaches.push_back(ReachOf(*symbol));
  // Drawings are wider than high: never fewer columns than rows.
  const int count = static_cast<int>(symbols.size());
  int fewest = 1;
  while (fewest * fewest < count) ++fewest;
  GridLayout best = LayOut(reaches, fewest, spacing);
  for (int columns = fewest + 1; columns <= count; ++columns) {
    // Only the fewest columns that give a row count, so that rows come out even (9 + 8,
    // not 15 + 2).
    const int rows = (count + columns - 1) / columns;
    if ((count + rows - 1) / rows != columns) continue;
    GridLayout layout = LayOut(reaches, columns, spacing);
    if (Oblongness(layout) < Oblongness(best)) best = std::move(layout);
  }
  const CPoint start = symbols.front()->GetPosition();
  for (size_t i = 0; i < symbols.size(); ++i) {
    const long long x = start.x + best.across[i % best.columns];
    const long long y = start.y - best.down[i / best.columns];
    symbols[i]->SetPosition(CPoint(static_cast<int>(x), static_cast<int>(y)));
  }
}
