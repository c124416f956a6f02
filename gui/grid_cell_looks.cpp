#include "gui/grid_cell_looks.h"

#include <wx/settings.h>

void GridCellLooks::Apply(wxGrid& grid, int row, int col, const CellLook& look) {
  auto found = m_attrs.find(look);
  if (found == m_attrs.end()) found = m_attrs.emplace(look, Make(grid, look)).first;
  wxGridCellAttr* attr = found->second.get();
  // The grid takes a reference of its own; the shared attribute is never changed in place.
  attr->IncRef();
  grid.SetAttr(row, col, attr);
}

GridCellLooks::AttrPtr GridCellLooks::Make(const wxGrid& grid, const CellLook& look) const {
  AttrPtr attr(new wxGridCellAttr);
  wxFont font = grid.GetDefaultCellFont();
  if (look.bold) font.MakeBold();
  attr->SetFont(font);
  attr->SetTextColour(
      wxSystemSettings::GetColour(look.disabled ? wxSYS_COLOUR_GRAYTEXT : wxSYS_COLOUR_WINDOWTEXT));
  attr->SetBackgroundColour(look.fixed    ? m_header
                            : look.marked ? m_marked
                                          : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  attr->SetAlignment(look.across, look.down);
  attr->SetReadOnly(look.readOnly);
  return attr;
}
