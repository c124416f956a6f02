// GridCellLooks: the looks a grid's cells take (weight of the font, colours, alignment,
// read-only), each one wx cell attribute that every cell of that look shares. Set
// property by property, each cell got an attribute of its own: showing a big pin grid
// spent most of its time allocating attributes and looking them up again.
#pragma once

#include <wx/grid.h>

#include <compare>
#include <map>
#include <memory>

struct CellLook {
  bool bold = false;
  bool disabled = false;
  bool readOnly = false;
  bool fixed = false;
  bool marked = false;
  int across = wxALIGN_LEFT;
  int down = wxALIGN_CENTRE;
  auto operator<=>(const CellLook&) const = default;
};

class GridCellLooks {
 public:
  // The colours of header and marked cells; the rest come from the system's settings.
  GridCellLooks(const wxColour& header, const wxColour& marked) : m_header(header), m_marked(marked) {}

  // The attribute of `look`, made on first use in the grid's font. The looks keep it,
  // and it is never changed in place: a caller that hands it on takes a reference.
  wxGridCellAttr* Of(const wxGrid& grid, const CellLook& look);

 private:
  struct Release {
    void operator()(wxGridCellAttr* attr) const { attr->DecRef(); }
  };
  using AttrPtr = std::unique_ptr<wxGridCellAttr, Release>;

  AttrPtr Make(const wxGrid& grid, const CellLook& look) const;

  wxColour m_header;
  wxColour m_marked;
  std::map<CellLook, AttrPtr> m_attrs;
};
