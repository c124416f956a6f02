// The pin grid as the user sees it: cell texts, bold and greyed cells, which cells can
// be edited, read from the grid control's own state; and the user's actions on it.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/grid_ctrl.h"
#include "tests/editor/support/editor_fixture.h"

using Texts = std::vector<std::string>;

class GridTest : public EditorTest {
 protected:
  CEditGrid& Cells() {
    if (Grid() == nullptr) throw std::logic_error("the editor has no pin grid");
    return Grid()->GetEditGrid();
  }
  const GridCell& Cell(long row, long col) {
    const GridCell* cell = GetGridData(Cells().GetSafeHwnd())->Cell(row, col);
    if (cell == nullptr) throw std::logic_error("no cell " + std::to_string(row) + "," + std::to_string(col));
    return *cell;
  }
  std::string Text(long row, long col) { return Cells().GetTextMatrix(row, col).str(); }
  const GridData& Data() { return *GetGridData(Cells().GetSafeHwnd()); }
  // Every cell matching `wanted` (a predicate of row and column), as "row,col", row by row.
  template <class Predicate>
  std::vector<std::string> CellsWhere(Predicate wanted) {
    std::vector<std::string> found;
    for (long row = 0; row < Cells().GetRows(); ++row) {
      for (long col = 0; col < Cells().GetCols(); ++col) {
        if (wanted(row, col)) found.push_back(std::to_string(row) + "," + std::to_string(col));
      }
    }
    return found;
  }
  std::vector<std::string> CellsWhere(GridMark mark) {
    return CellsWhere([&](long row, long col) { return Data().HasMark(row, col, mark); });
  }
  std::vector<std::string> BoldCells() { return CellsWhere(GridMark::Bold); }
  // Rows `firstRow` to `endRow` (exclusive) as one text: cells split by '|', rows by ';'.
  std::string Rows(long firstRow, long endRow) {
    std::string rows;
    for (long row = firstRow; row < endRow; ++row) {
      for (long col = 0; col < Cells().GetCols(); ++col) rows += (col == 0 ? "" : "|") + Text(row, col);
      rows += ';';
    }
    return rows;
  }

  // The user types `text` into a cell and ends the edit.
  bool Type(long row, long col, const char* text) { return user.EditGridCell(&Cells(), row, col, text); }
  bool MoveTo(long row, long col) { return user.MoveToGridCell(&Cells(), row, col); }
  // A pick in a drawing as the modes report it: every highlight is cleared first, then
  // the picking view names the item.
  void Picked(CSymbolView& view, CObject* item) {
    Design().UpdateAllViews(nullptr, HintClearHighlight, nullptr);
    Design().UpdateAllViews(&view, HintPicked, item);
  }
  // The model changed behind the editor's back; every pane is rebuilt from it.
  void Refill() { Design().UpdateAllViews(nullptr, HintComponent, nullptr); }
};

// QUAD-NAND2 in DIP-14 (current) and SOIC-14: gates a to d are NAND2 (A, B, Y), gate e
// is POWER (VCC, GND). The grid shows
//   row 1 NAND2 A 1 | 1  4  9 12  -
//   row 2       B 2 | 2  5 10 13  -
//   row 3       Y 3 | 3  6  8 11  -
//   row 4 POWER VCC | -  -  -  - 14
//   row 5       GND | -  -  -  -  7
class SampleGridTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    ASSERT_TRUE(OpenSampleComponent("QUAD-NAND2"));
    ClearRecords();
  }
};
