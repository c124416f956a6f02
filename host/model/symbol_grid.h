// The layout of a component's gates in a drawing: a near-square grid, filled row by row
// from the top left, rather than one row that grows too long to read once a part has a
// dozen gates.
#pragma once

#include <memory>
#include <vector>

#include "platform/types.h"

class CSymbolInstance;

struct SymbolGridSize {
  int columns = 0;
  int rows = 0;
};

// As many columns as rows, or one more: the fewest rows that hold `count` symbols.
SymbolGridSize NearSquareGrid(int count);

// Places the symbols on a near-square grid whose top-left cell is where the first one
// stands. A column is as wide as its widest symbol and a row as high as its highest;
// neighbouring cells keep at least the spacing between their symbols' extents, and every
// symbol stands a whole number of spacings from the first, so that symbols drawn on a
// grid of that spacing stay on it. A spacing of 0 or less puts them edge to edge.
void ArrangeSymbolsInGrid(const std::vector<std::unique_ptr<CSymbolInstance>>& symbols, CSize spacing);
