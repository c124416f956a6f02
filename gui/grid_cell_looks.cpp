#include "gui/grid_cell_looks.h"

#include <wx/settings.h>

wxGridCellAttr* GridCellLooks::Of(const wxGrid& grid, const CellLook& look) {
  auto found = m_attrs.find(look);
  if (found == m_attrs.end()) found = m_attrs.emplace(look, Make(grid, look)).first;
  return found->second.get();
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
