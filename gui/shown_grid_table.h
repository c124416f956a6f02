// ShownGridTable: the texts and looks a grid on the screen shows, as wx reads them. wx
// asks for a cell's text and attribute only when it paints the cell, so the texts of a
// big grid become wx strings for the cells in view alone, and the cells of one look
// share one attribute. wx's own string table kept a wx string per cell, grew row by row
// when columns were added, and hashed every cell's attribute.
#pragma once

#include <wx/grid.h>

#include <vector>

#include "gui/grid_cell_looks.h"
#include "platform/cstring.h"

struct ShownCell {
  CString text;
  CString placeholder;  // shown greyed while the text is empty
  CellLook look;
  wxGridCellAttr* attr = nullptr;  // not owned: the table's looks keep it
  bool stale = true;               // not shown since the grid's shape changed
  bool pending = false;            // its text changed during an edit of it
};

class ShownGridTable : public wxGridTableBase {
 public:
  // The colours of header and marked cells; the rest come from the system's settings.
  ShownGridTable(const wxColour& header, const wxColour& marked) : m_looks(header, marked) {}

  // Gives the table `rows` by `cols` cells and tells the grid. A change in the number of
  // rows keeps the other rows' cells; a change in the number of columns makes every
  // cell stale.
  void Reshape(int rows, int cols);
  // Within the table's shape.
  ShownCell& At(int row, int col);
  // Gives the cell the shared attribute of `look`.
  void SetLook(int row, int col, const CellLook& look);

  int GetNumberRows() override { return m_rows; }
  int GetNumberCols() override { return m_cols; }
  bool IsEmptyCell(int row, int col) override;
  wxString GetValue(int row, int col) override;
  // Not a value: an edit of the cell starts from its empty text.
  wxString PlaceholderOf(int row, int col);
  // The platform keeps the texts: an edit reaches it as it is typed, not through here.
  void SetValue(int, int, const wxString&) override {}
  bool CanHaveAttributes() override { return true; }
  wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

 private:
  bool Contains(int row, int col) const { return row >= 0 && col >= 0 && row < m_rows && col < m_cols; }
  void Tell(int message, int first, int second);

  int m_rows = 0;
  int m_cols = 0;
  std::vector<ShownCell> m_cells;  // row by row
  GridCellLooks m_looks;
};
