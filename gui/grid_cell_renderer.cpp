#include "gui/grid_cell_renderer.h"

#include <pango/pangocairo.h>
#include <wx/fontutil.h>
#include <wx/graphics.h>
#include <wx/hashmap.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// wx's own space between a cell's text and its border.
constexpr int kTextMargin = 1;

struct LayoutRelease {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;

// What is known of the texts drawn in one font: their sizes, and the layouts of those
// drawn lately (a layout weighs far more than a size, and only the cells in view need
// one). A grid uses two or three fonts (plain, bold, headers), so a short list of them is
// searched.
struct FontTexts {
  static constexpr size_t kMostSizes = 100000;
  static constexpr size_t kMostLayouts = 4096;
  wxFont font;
  std::unordered_map<wxString, wxSize, wxStringHash, wxStringEqual> sizes;
  std::unordered_map<wxString, LayoutPtr, wxStringHash, wxStringEqual> layouts;
};

FontTexts& TextsOf(const wxFont& font) {
  static constexpr size_t kMostFonts = 8;
  static std::vector<std::unique_ptr<FontTexts>> fonts;
  for (const auto& known : fonts) {
    if (known->font == font) return *known;
  }
  if (fonts.size() == kMostFonts) fonts.clear();
  fonts.push_back(std::make_unique<FontTexts>());
  fonts.back()->font = font;
  return *fonts.back();
}

// The layout that the cairo context of wx would make to draw `text` in `font`, made
// once; it follows the settings of the context it is drawn on.
PangoLayout* LayoutOf(cairo_t* cairo, const wxFont& font, const wxString& text) {
  FontTexts& texts = TextsOf(font);
  if (const auto found = texts.layouts.find(text); found != texts.layouts.end()) {
    pango_cairo_update_layout(cairo, found->second.get());
    return found->second.get();
  }
  if (texts.layouts.size() == FontTexts::kMostLayouts) texts.layouts.clear();
  LayoutPtr layout(pango_cairo_create_layout(cairo));
  pango_layout_set_font_description(layout.get(), font.GetNativeFontInfo()->description);
  const wxCharBuffer utf8 = text.utf8_str();
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.length()));
  font.GTKSetPangoAttrs(layout.get());
  return texts.layouts.emplace(text, std::move(layout)).first->second.get();
}

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
    const int x = Left(inside, size.x, across);
    const int y = Top(inside, size.y, down);
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    auto* cairo = gc != nullptr ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    if (cairo == nullptr) {
      wxDCClipper clip(dc, inside);
      dc.DrawText(text, x, y);
      return;
    }
    DrawLaidOut(cairo, dc, inside, text, x, y);
  }

 private:
  // Straight onto the cairo context under the device context, as wx's own context draws
  // a text, but from a layout kept from earlier repaints: the device context would also
  // measure the text once more to track what it has drawn.
  static void DrawLaidOut(cairo_t* cairo, wxDC& dc, const wxRect& inside, const wxString& text, int x,
                          int y) {
    const wxColour colour = dc.GetTextForeground();
    cairo_save(cairo);
    cairo_rectangle(cairo, inside.x, inside.y, inside.width, inside.height);
    cairo_clip(cairo);
    cairo_set_source_rgba(cairo, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                          colour.Alpha() / 255.0);
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout(cairo, LayoutOf(cairo, dc.GetFont(), text));
    cairo_restore(cairo);
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
    FontTexts& texts = TextsOf(dc.GetFont());
    if (const auto found = texts.sizes.find(text); found != texts.sizes.end()) return found->second;
    if (texts.sizes.size() == FontTexts::kMostSizes) texts.sizes.clear();
    const wxSize size = dc.GetTextExtent(text);
    texts.sizes.emplace(text, size);
    return size;
  }
};

}  // namespace

wxGridCellRenderer* MakeGridTextRenderer() {
  return new GridTextRenderer;
}
