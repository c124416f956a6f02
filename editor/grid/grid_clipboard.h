// The pin grid's clipboard: a rectangle of cells goes out as tab-separated text, the
// form spreadsheets copy, and such a block comes back in at a cell. A paste is planned
// first, so that every cell that cannot take its value (a symbol or terminal-number
// cell, a cell beyond the grid, a pin cell outside its gate's rows, a value that is not
// a pin number or terminal name) is reported and the rest is written in one go.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "platform/grid_ctrl.h"

class CComponent;
class CComponentGrid;

// A rectangle of cells: its top-left cell and its size.
struct GridRange {
  long row = 1;
  long column = 0;
  long rows = 1;
  long columns = 1;
};

struct GridPastePlan {
  struct PinWrite {
    int gate = 0;
    int terminal = 0;
    int pin = -1;
  };
  struct NameWrite {
    CString symbol;
    int terminal = 0;
    CString name;
  };
  std::vector<PinWrite> pins;
  std::vector<NameWrite> names;
  // One line per cell that takes nothing: where it is and why.
  std::vector<CString> refused;
};

// The cells' texts as shown, a tab between cells and a line break after each row; the
// part of the rectangle outside the grid is left out.
CString CopyGridRange(const CComponentGrid& grid, const GridRange& range);

// What pasting `text` with its top-left value at (row, column) writes.
GridPastePlan PlanGridPaste(const CComponentGrid& grid, long row, long column, std::string_view text);

// What pasting `text` over the selection writes: as a spreadsheet does, a block that
// fits a whole number of times into a larger selection (one value always does) is
// repeated over it, passing over the greyed cells of other gates; otherwise the block
// starts at the selection's top-left cell.
GridPastePlan PlanGridPaste(const CComponentGrid& grid, const GridSelection& selection,
                            std::string_view text);

// Adds what one value written to the cell at (row, column) does to the plan.
void PlanGridCell(const CComponentGrid& grid, long row, long column, const std::string& value,
                  GridPastePlan& plan);

// Writes the plan into the component: pins to their gates, a terminal name to every
// gate drawn by the block's symbol, as typing it in the grid does.
void ApplyGridPaste(const GridPastePlan& plan, CComponent& component);

// Where a cell is, as the user reads the grid: "gate b, terminal 3 (OUT)" for a pin.
CString DescribeGridCell(const CComponentGrid& grid, long row, long column);
