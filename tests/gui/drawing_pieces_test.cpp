// The pieces that make the screen cheaper must not change what it shows: a stamped disc
// is a disc, laid on an off-screen canvas exactly as the context would draw it, and the
// grid's text renderer draws cells exactly as wx's own does.
#include <cairo.h>
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/settings.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/disc_picture.h"
#include "gui/grid_cell_renderer.h"
#include "gui/offscreen_canvas.h"
#include "gui/shown_grid_table.h"
#include "gui/wx_graphics_dc.h"

namespace {

TEST(DiscPictureTest, CoversTheMiddleLeavesTheCornersShadesTheEdgeAndLooksTheSameFromEachSide) {
  const wxImage disc = MakeDiscPicture(9, 9, wxColour(0, 255, 0));
  ASSERT_EQ(disc.GetSize(), wxSize(9, 9));
  // The middle covered, the corners clear, and the colour everywhere.
  EXPECT_EQ((std::vector<int>{disc.GetAlpha(4, 4), disc.GetAlpha(0, 0), disc.GetAlpha(8, 8),
                              disc.GetGreen(0, 0), disc.GetRed(4, 4)}),
            (std::vector<int>{255, 0, 0, 255, 0}));
  EXPECT_TRUE(disc.GetAlpha(1, 1) > 0 && disc.GetAlpha(1, 1) < 255) << "the edge is shaded";
  const wxImage oval = MakeDiscPicture(7, 5, wxColour(0, 0, 255));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(oval.GetAlpha(x, y), oval.GetAlpha(6 - x, y)) << x << "," << y;
      EXPECT_EQ(oval.GetAlpha(x, y), oval.GetAlpha(x, 4 - y)) << x << "," << y;
    }
  }
  // Wider than high: the ends of the middle row are covered, the top and bottom rows'
  // ends are not.
  EXPECT_GT(oval.GetAlpha(0, 2), oval.GetAlpha(0, 0));
  EXPECT_LT(oval.GetAlpha(0, 0), 64);
}

int DifferentPixels(const wxImage& a, const wxImage& b) {
  int different = 0;
  for (int i = 0; i < a.GetWidth() * a.GetHeight(); ++i)
    different += std::equal(a.GetData() + 3 * i, a.GetData() + 3 * i + 3, b.GetData() + 3 * i) ? 0 : 1;
  return different;
}

// The pixel just inside the cell's corner is its background: the text keeps off it.
int PixelsUnlikeTheBackground(const wxImage& cell) {
  wxImage background(cell.GetSize());
  background.SetRGB(wxRect(cell.GetSize()), cell.GetRed(1, 1), cell.GetGreen(1, 1), cell.GetBlue(1, 1));
  return DifferentPixels(cell, background);
}

// Lands of a few sizes and colours over a stroke and each other, some across the edge
// of the canvas and some across the clip, drawn on an off-screen canvas of `box` (in
// window coordinates) and put on a picture of the window.
wxImage LandsDrawnOnACanvas(bool stampedOnThePixels) {
  const CRect box(20, 10, 120, 70);
  wxBitmap window(140, 90);
  wxMemoryDC memory(window);
  memory.SetBackground(*wxWHITE_BRUSH);
  memory.Clear();
  std::unique_ptr<wxGraphicsContext> screen(wxGraphicsContext::Create(memory));
  OffscreenCanvas canvas(box);
  {
    WxGraphicsDC dc(*canvas.Context(), stampedOnThePixels ? &canvas : nullptr);
    dc.FillSolidRect(box, RGB(0, 0, 0));
    dc.SelectPen({PS_SOLID, 3, RGB(200, 200, 0)});
    dc.MoveTo(box.left, 40);
    dc.LineTo(box.right, 40);
    dc.SelectPen({PS_NULL, 1, 0});
    dc.SelectBrush({RGB(0, 200, 0), false});
    for (int x = 14; x < 130; x += 9) dc.Ellipse(CRect(x, 35, x + 10, 45));
    dc.SelectBrush({RGB(255, 0, 0), false});
    dc.Ellipse(CRect(16, 4, 33, 21));   // across the canvas's corner
    dc.Ellipse(CRect(60, 50, 92, 76));  // the largest stamped, oval, across the bottom
    dc.SelectBrush(DCBrush::Hollow());
    for (int width = 1; width <= 2; ++width) {
      dc.SelectPen({PS_SOLID, width, RGB(255, 255, 255)});
      for (int x = 16; x < 120; x += 11) dc.Ellipse(CRect(x, 45 + 5 * width, x + 4, 49 + 5 * width));
    }
    dc.IntersectClipRect(CRect(30, 20, 80, 60));
    dc.SelectPen({PS_NULL, 1, 0});
    dc.SelectBrush({RGB(0, 120, 255), false});
    for (int y = 14; y < 66; y += 7) dc.Ellipse(CRect(74, y, 82, y + 8));
    dc.SelectPen({PS_SOLID, 1, RGB(255, 0, 255)});
    dc.SelectBrush(DCBrush::Hollow());
    for (int y = 14; y < 66; y += 5) dc.Ellipse(CRect(66, y, 70, y + 4));
  }
  canvas.PutOn(*screen);
  screen.reset();
  memory.SelectObject(wxNullBitmap);
  return window.ConvertToImage();
}

TEST(OffscreenCanvasTest, LandsStampedOnThePixelsLookAsTheContextDrawsThem) {
  const wxImage drawn = LandsDrawnOnACanvas(false);
  const wxImage stamped = LandsDrawnOnACanvas(true);
  EXPECT_EQ(DifferentPixels(drawn, stamped), 0);
  // The test draws something: a land's middle, an antialiased edge, and the clip kept.
  EXPECT_EQ(stamped.GetRed(24, 12), 255);
  EXPECT_EQ(stamped.GetGreen(50, 40), 200);
  int edges = 0;
  for (int x = 20; x < 33; ++x) edges += stamped.GetRed(x, 20) > 0 && stamped.GetRed(x, 20) < 255 ? 1 : 0;
  EXPECT_GT(edges, 0) << "the bottom row of the land in the corner is shaded";
  EXPECT_EQ(stamped.GetBlue(78, 17), 0) << "a land above the clip is left out";
  EXPECT_EQ(stamped.GetBlue(78, 31), 255) << "a land inside the clip is drawn";
}

// A frame on screen with a grid in it, and the grid's text renderer beside wx's own.
class GridTest : public ::testing::Test {
 protected:
  void SetUp() override { frame->Show(); }
  void TearDown() override { frame->Destroy(); }

  // The cell drawn by a renderer, as an image; with `antialias`, its texts are drawn so.
  wxImage Drawn(wxGridCellRenderer& renderer, int col, bool selected = false,
                std::optional<cairo_antialias_t> antialias = std::nullopt) {
    const wxRect cell(0, 0, grid->GetColSize(col), grid->GetRowSize(0));
    wxBitmap bitmap(cell.width, cell.height);
    {
      wxMemoryDC dc(bitmap);
      wxGraphicsContext* gc = dc.GetGraphicsContext();
      if (antialias && gc != nullptr) {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, *antialias);
        cairo_set_font_options(static_cast<cairo_t*>(gc->GetNativeContext()), options);
        cairo_font_options_destroy(options);
      }
      wxGridCellAttr* attr = grid->GetOrCreateCellAttr(0, col);
      renderer.Draw(*grid, *attr, dc, cell, 0, col, selected);
      attr->DecRef();
    }
    return bitmap.ConvertToImage();
  }

  // Each cell as the grid shows it, a row a line: its value, then what sets it apart
  // from a plain cell.
  std::string ShownCells() {
    std::string shown;
    for (int row = 0; row < grid->GetNumberRows(); ++row) {
      for (int col = 0; col < grid->GetNumberCols(); ++col) {
        const wxColour back = grid->GetCellBackgroundColour(row, col);
        int across = 0;
        int down = 0;
        grid->GetCellAlignment(row, col, &across, &down);
        shown += (col > 0 ? " | '" : "'") + grid->GetCellValue(row, col).ToStdString() + "'";
        if (grid->GetCellFont(row, col).GetWeight() == wxFONTWEIGHT_BOLD) shown += " bold";
        if (back != wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW))
          shown += back == marked ? " marked" : back == header ? " header" : " other";
        if (grid->GetCellTextColour(row, col) == wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT))
          shown += " greyed";
        if (across == wxALIGN_RIGHT) shown += " right";
        if (grid->IsReadOnly(row, col)) shown += " read-only";
      }
      shown += "\n";
    }
    return shown;
  }

  const wxColour header{200, 200, 200};
  const wxColour marked{255, 205, 205};
  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "cells");
  wxGrid* grid = new wxGrid(frame, wxID_ANY);
  wxGridCellStringRenderer wxRenderer;
  std::unique_ptr<wxGridCellRenderer, void (*)(wxGridCellRenderer*)> ours{
      MakeGridTextRenderer(), [](wxGridCellRenderer* r) { r->DecRef(); }};
};

class ShownGridTableTest : public GridTest {};
class GridTextRendererTest : public GridTest {};

TEST_F(ShownGridTableTest, CellsOfOneLookShowItAndAChangedCellLeavesTheOthersAlone) {
  auto* table = new ShownGridTable(header, marked);
  grid->AssignTable(table);
  table->Reshape(2, 2);
  const CellLook markedBold{.bold = true, .marked = true, .across = wxALIGN_RIGHT};
  table->SetLook(0, 0, markedBold);
  table->SetLook(0, 1, markedBold);
  table->SetLook(1, 0, CellLook{.disabled = true, .readOnly = true, .fixed = true});
  table->At(0, 1).text = "A1";
  EXPECT_EQ(ShownCells(), "'' bold marked right | 'A1' bold marked right\n'' header greyed read-only | ''\n");

  // The look is shared: giving one of its cells another leaves the other as it was.
  table->SetLook(0, 0, CellLook{});
  grid->RefreshAttr(0, 0);
  EXPECT_EQ(ShownCells(), "'' | 'A1' bold marked right\n'' header greyed read-only | ''\n");

  // Rows come and go below the others; a new column makes every cell new.
  table->Reshape(3, 2);
  EXPECT_EQ(ShownCells(), "'' | 'A1' bold marked right\n'' header greyed read-only | ''\n'' | ''\n");
  EXPECT_TRUE(table->At(2, 1).stale);
  table->Reshape(1, 3);
  EXPECT_EQ(ShownCells(), "'' | '' | ''\n");
  EXPECT_TRUE(table->At(0, 1).stale);
  EXPECT_TRUE(grid->GetCellValue(5, 5).empty()) << "outside the table";
}

TEST_F(GridTextRendererTest, DrawsEveryAlignmentFontAndStateAsWxDoes) {
  grid->CreateGrid(1, 4);
  grid->SetDefaultCellOverflow(false);
  grid->SetCellValue(0, 0, "IO_L1P_B0");
  grid->SetCellValue(0, 1, "1234");
  grid->SetCellAlignment(0, 1, wxALIGN_RIGHT, wxALIGN_CENTRE);
  grid->SetCellValue(0, 2, "AB12");
  grid->SetCellAlignment(0, 2, wxALIGN_CENTRE, wxALIGN_BOTTOM);
  grid->SetCellFont(0, 2, grid->GetDefaultCellFont().Bold());
  // Longer than its cell: cut at the cell's edge.
  grid->SetCellValue(0, 3, "A_NAME_FAR_TOO_LONG_FOR_ITS_CELL");
  grid->SetCellBackgroundColour(0, 3, marked);
  for (int col = 0; col < 4; ++col) {
    for (bool selected : {false, true}) {
      const wxImage expected = Drawn(wxRenderer, col, selected);
      ASSERT_GT(PixelsUnlikeTheBackground(expected), 0) << "column " << col << " shows no text";
      EXPECT_EQ(DifferentPixels(expected, Drawn(*ours, col, selected)), 0)
          << "column " << col << (selected ? ", selected" : "");
      // Twice: the second time the text's size comes from what was measured.
      EXPECT_EQ(DifferentPixels(expected, Drawn(*ours, col, selected)), 0) << "column " << col;
    }
  }
}

// A text kept from earlier repaints is drawn as the context asks, when it asks for
// something else than the contexts it was drawn on before.
TEST_F(GridTextRendererTest, KeptTextsFollowAContextThatDrawsThemDifferently) {
  grid->CreateGrid(1, 1);
  grid->SetCellValue(0, 0, "IO_L7N_B2");
  const wxImage smooth = Drawn(wxRenderer, 0);
  EXPECT_EQ(DifferentPixels(smooth, Drawn(*ours, 0)), 0);
  const wxImage sharp = Drawn(wxRenderer, 0, false, CAIRO_ANTIALIAS_NONE);
  ASSERT_GT(DifferentPixels(smooth, sharp), 0) << "the options change how the text is drawn";
  EXPECT_EQ(DifferentPixels(sharp, Drawn(*ours, 0, false, CAIRO_ANTIALIAS_NONE)), 0);
  EXPECT_EQ(DifferentPixels(smooth, Drawn(*ours, 0)), 0) << "and back";
}

// Where a terminal has no name of its own the grid shows the symbol's pin name greyed;
// the cell's value, which an edit starts from, stays empty.
TEST_F(GridTextRendererTest, APlaceholderIsDrawnGreyedAndIsNoValue) {
  auto* table = new ShownGridTable(header, marked);
  grid->AssignTable(table);
  table->Reshape(1, 2);
  for (int col = 0; col < 2; ++col) table->SetLook(0, col, CellLook{});
  table->At(0, 0).placeholder = "IN";
  table->At(0, 1).text = "IN";
  EXPECT_TRUE(grid->GetCellValue(0, 0).empty());
  const wxImage greyed = Drawn(*ours, 0);
  ASSERT_GT(PixelsUnlikeTheBackground(greyed), 0) << "the placeholder is shown";
  auto darkest = [](const wxImage& image) {
    int least = 255 * 3;
    for (const unsigned char* p = image.GetData();
         p < image.GetData() + 3 * image.GetWidth() * image.GetHeight(); p += 3)
      least = std::min(least, p[0] + p[1] + p[2]);
    return least;
  };
  EXPECT_GT(darkest(greyed), darkest(Drawn(*ours, 1)) + 60) << "greyed, not in the text's colour";
}

}  // namespace
