// The layout of a component's gates in a drawing: a grid filled row by row from the top
// left, with as many columns as bring the whole closest to a square, rather than one row
// that grows too long to read once a part has a dozen gates.
#pragma once

#include <memory>
#include <vector>

#include "platform/types.h"

class CSymbolInstance;

// Places the symbols on a grid whose top-left cell is where the first one stands. A
// column is as wide as its widest symbol and a row as high as its highest; neighbouring
// cells keep at least the spacing between their symbols' extents, and every symbol
// stands a whole number of spacings from the first, so that symbols drawn on a grid of
// that spacing stay on it. A spacing of 0 or less puts them edge to edge. Of the
// column counts that give no more rows than columns, the one whose layout is nearest a
// square wins (the fewer columns on a tie).
void ArrangeSymbolsInGrid(const std::vector<std::unique_ptr<CSymbolInstance>>& symbols, CSize spacing);
