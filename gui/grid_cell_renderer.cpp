#include "gui/grid_cell_renderer.h"

#include <pango/pangocairo.h>
#include <wx/fontutil.h>
#include <wx/graphics.h>
#include <wx/hashmap.h>
#include <wx/settings.h>

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "gui/shown_grid_table.h"

namespace {

// wx's own space between a cell's text and its border.
constexpr int kTextMargin = 1;

struct LayoutRelease {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;

struct DescriptionRelease {
  void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
using DescriptionPtr = std::unique_ptr<PangoFontDescription, DescriptionRelease>;

// The layouts of the texts drawn lately in one font: only the cells in view need one, and
// a layout weighs far more than its text. A grid uses two or three fonts (plain, bold,
// headers), so a short list of them is searched, by what makes the layout: comparing wx
// fonts measures them on a device context, which cost more than drawing the text.
struct FontTexts {
  static constexpr size_t kMostLayouts = 4096;
  DescriptionPtr description;
  bool underlined = false;
  bool struckThrough = false;
  std::unordered_map<wxString, LayoutPtr, wxStringHash, wxStringEqual> layouts;

  bool Makes(const wxFont& font) const {
    return font.GetUnderlined() == underlined && font.GetStrikethrough() == struckThrough &&
           pango_font_description_equal(description.get(), font.GetNativeFontInfo()->description);
  }
};

std::vector<std::unique_ptr<FontTexts>>& KeptFonts() {
  static std::vector<std::unique_ptr<FontTexts>> fonts;
  return fonts;
}

FontTexts& TextsOf(const wxFont& font) {
  static constexpr size_t kMostFonts = 8;
  std::vector<std::unique_ptr<FontTexts>>& fonts = KeptFonts();
  for (const auto& known : fonts) {
    if (known->Makes(font)) return *known;
  }
  if (fonts.size() == kMostFonts) fonts.clear();
  auto texts = std::make_unique<FontTexts>();
  texts->description.reset(pango_font_description_copy(font.GetNativeFontInfo()->description));
  texts->underlined = font.GetUnderlined();
  texts->struckThrough = font.GetStrikethrough();
  fonts.push_back(std::move(texts));
  return *fonts.back();
}

struct OptionsRelease {
  void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};
using OptionsPtr = std::unique_ptr<cairo_font_options_t, OptionsRelease>;

// What the shape of a text depends on besides its font: the font options of the context
// and of its target, and the context's scale and rotation. pango would be told them for
// each kept layout on each draw, but telling marks the layout's context changed even when
// nothing did, and every text was shaped again on every repaint. The kept layouts are
// dropped instead when a context draws differently from the one they were made for.
class DrawingSettings {
 public:
  // False, once, for a context that draws differently from the last one.
  bool Same(cairo_t* cairo) {
    cairo_surface_get_font_options(cairo_get_target(cairo), m_surfaceNow.get());
    cairo_get_font_options(cairo, m_contextNow.get());
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo, &matrix);
    const bool same = m_known && cairo_font_options_equal(m_surfaceNow.get(), m_surface.get()) &&
                      cairo_font_options_equal(m_contextNow.get(), m_context.get()) &&
                      matrix.xx == m_matrix.xx && matrix.yx == m_matrix.yx && matrix.xy == m_matrix.xy &&
                      matrix.yy == m_matrix.yy;
    if (same) return true;
    std::swap(m_surface, m_surfaceNow);
    std::swap(m_context, m_contextNow);
    m_matrix = matrix;
    m_known = true;
    return false;
  }

 private:
  OptionsPtr m_surface{cairo_font_options_create()};
  OptionsPtr m_context{cairo_font_options_create()};
  OptionsPtr m_surfaceNow{cairo_font_options_create()};
  OptionsPtr m_contextNow{cairo_font_options_create()};
  cairo_matrix_t m_matrix{};
  bool m_known = false;
};

// The layout that the cairo context of wx would make to draw `text` in `font`, made
// once for the way the context draws.
PangoLayout* LayoutOf(cairo_t* cairo, const wxFont& font, const wxString& text) {
  static DrawingSettings settings;
  if (!settings.Same(cairo)) KeptFonts().clear();
  FontTexts& texts = TextsOf(font);
  if (const auto found = texts.layouts.find(text); found != texts.layouts.end()) return found->second.get();
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
    wxString text = grid.GetCellValue(row, col);
    const bool placeholder = text.empty();
    auto* table = dynamic_cast<ShownGridTable*>(grid.GetTable());
    if (placeholder && table != nullptr) text = table->PlaceholderOf(row, col);
    if (text.empty()) return;
    SetTextColoursAndFont(grid, attr, dc, isSelected);
    if (placeholder && !isSelected) dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    wxRect inside = cell;
    inside.Inflate(-1);
    int across = wxALIGN_LEFT;
    int down = wxALIGN_CENTRE;
    attr.GetAlignment(&across, &down);
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    auto* cairo = gc != nullptr ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    if (cairo == nullptr) {
      const wxSize size = dc.GetTextExtent(text);
      wxDCClipper clip(dc, inside);
      dc.DrawText(text, Left(inside, size.x, across), Top(inside, size.y, down));
      return;
    }
    // Measured as wx's context measures a text: the pixel size of its layout.
    PangoLayout* layout = LayoutOf(cairo, dc.GetFont(), text);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    DrawLaidOut(cairo, layout, dc.GetTextForeground(), inside, Left(inside, width, across),
                Top(inside, height, down));
  }

 private:
  // Straight onto the cairo context under the device context, as wx's own context draws
  // a text, but from a layout kept from earlier repaints: the device context would also
  // lay the text out again to measure it, and once more to track what it has drawn.
  static void DrawLaidOut(cairo_t* cairo, PangoLayout* layout, const wxColour& colour, const wxRect& inside,
                          int x, int y) {
    cairo_save(cairo);
    cairo_rectangle(cairo, inside.x, inside.y, inside.width, inside.height);
    cairo_clip(cairo);
    cairo_set_source_rgba(cairo, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                          colour.Alpha() / 255.0);
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout(cairo, layout);
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
};

}  // namespace

wxGridCellRenderer* MakeGridTextRenderer() {
  return new GridTextRenderer;
}
