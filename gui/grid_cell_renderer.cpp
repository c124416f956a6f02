#include "gui/grid_cell_renderer.h"

#include <wx/graphics.h>
#include <wx/hashmap.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// wx's own space between a cell's text and its border.
constexpr int kTextMargin = 1;

// The sizes of the texts drawn in one font. A grid uses two or three fonts (plain, bold,
// headers), so a short list of them is searched.
struct FontSizes {
  wxFont font;
  std::unordered_map<wxString, wxSize, wxStringHash, wxStringEqual> sizes;
};

class GridTextRenderer : public wxGridCellStringRenderer {
 public:
  wxGridCellRenderer* Clone() const override { return new GridTextRenderer; }

  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& cell, int row, int col,
            bool isSelected) override {
    wxGridCellRenderer::Draw(grid, attr, dc, cell, row, col, isSelected);
    const wxString text = grid.GetCellValue(row, col);
    if (text.empty()) return;
    SetTextColoursAndFont(grid, attr, dc, isSelected);
    wxRect inside = cell;
    inside.Inflate(-1);
    int across = wxALIGN_LEFT;
    int down = wxALIGN_CENTRE;
    attr.GetAlignment(&across, &down);
    const wxSize size = Measure(dc, text);
    wxDCClipper clip(dc, inside);
    DrawText(dc, text, Left(inside, size.x, across), Top(inside, size.y, down));
  }

 private:
  // Straight to the graphics context where there is one: the device context would measure
  // the text once more to track what it has drawn.
  static void DrawText(wxDC& dc, const wxString& text, int x, int y) {
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    if (gc == nullptr) {
      dc.DrawText(text, x, y);
      return;
    }
    gc->SetFont(dc.GetFont(), dc.GetTextForeground());
    gc->DrawText(text, x, y);
  }

  static int Left(const wxRect& inside, int width, int across) {
    if (across & wxALIGN_RIGHT) return inside.x + inside.width - width - kTextMargin;
    if (across & wxALIGN_CENTRE_HORIZONTAL) return inside.x + (inside.width - width) / 2;
    return inside.x + kTextMargin;
  }

  static int Top(const wxRect& inside, int height, int down) {
    if (down & wxALIGN_BOTTOM) return inside.y + inside.height - height - kTextMargin;
    if (down & wxALIGN_CENTRE_VERTICAL) return inside.y + (inside.height - height) / 2;
    return inside.y + kTextMargin;
  }

  static wxSize Measure(wxDC& dc, const wxString& text) {
    static constexpr size_t kMostFonts = 8;
    static constexpr size_t kMostTextsPerFont = 100000;
    static std::vector<std::unique_ptr<FontSizes>> fonts;
    const wxFont& font = dc.GetFont();
    FontSizes* entry = nullptr;
    for (const auto& known : fonts) {
      if (known->font == font) entry = known.get();
    }
    if (entry == nullptr) {
      if (fonts.size() == kMostFonts) fonts.clear();
      fonts.push_back(std::make_unique<FontSizes>(FontSizes{font, {}}));
      entry = fonts.back().get();
    }
    if (const auto found = entry->sizes.find(text); found != entry->sizes.end()) return found->second;
    if (entry->sizes.size() == kMostTextsPerFont) entry->sizes.clear();
    const wxSize size = dc.GetTextExtent(text);
    entry->sizes.emplace(text, size);
    return size;
  }
};

}  // namespace

wxGridCellRenderer* MakeGridTextRenderer() {
  return new GridTextRenderer;
}
