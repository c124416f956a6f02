#include "platform/svg_dc.h"

#include <gtest/gtest.h>

#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/svg_reader.h"

namespace {

std::vector<SvgElement> Drawn(const CSvgDC& dc, std::string_view name) {
  return ElementsNamed(ReadSvg(dc.ToSvg()), name);
}

// The values of the element's attributes `names`, each followed by a blank.
std::string Attributes(const SvgElement& element, std::initializer_list<const char*> names) {
  std::string values;
  for (const char* name : names)
    values += (element.attributes.count(name) != 0 ? element.attributes.at(name) : "-") + " ";
  return values;
}

SvgElement Only(const CSvgDC& dc, std::string_view name) {
  std::vector<SvgElement> found = Drawn(dc, name);
  EXPECT_EQ(found.size(), 1U) << name;
  return found.empty() ? SvgElement{} : found.front();
}

TEST(SvgDCTest, ADocumentOfTheGivenSizeDrawsShapesInThePenAndBrushColoursRestoresStateAndIsWritten) {
  CSvgDC dc(CSize(320, 200));
  const std::vector<SvgElement> elements = ReadSvg(dc.ToSvg());
  ASSERT_EQ(elements.size(), 1U) << "an empty document";
  EXPECT_EQ(elements[0].name, "svg");
  EXPECT_EQ(Attributes(elements[0], {"xmlns", "viewBox"}), "http://www.w3.org/2000/svg 0 0 320 200 ");

  // Shapes use the pen and brush colours.
  dc.SelectPen({PS_SOLID, 2, RGB(0x12, 0x34, 0x56)});
  dc.SelectBrush({RGB(0xAB, 0xCD, 0xEF), false});
  dc.Rectangle(50, 40, 10, 20);
  dc.SelectBrush(DCBrush::Hollow());
  dc.Ellipse(CRect(0, 0, 11, 20));
  const std::vector<CPoint> points{{1, 2}, {3, 4}, {5, 6}};
  dc.Polygon(points.data(), 3);
  dc.Polyline(points);

  EXPECT_EQ(Attributes(Only(dc, "rect"), {"stroke", "stroke-width", "fill", "x", "y", "width", "height"}),
            "#123456 2 #abcdef 10 20 40 20 ");
  EXPECT_EQ(Attributes(Only(dc, "ellipse"), {"fill", "cx", "rx"}), "none 5.5 5.5 ");
  EXPECT_EQ(Only(dc, "polygon").attributes.at("points"), "1,2 3,4 5,6");
  EXPECT_EQ(Only(dc, "polyline").attributes.at("fill"), "none");

  // RestoreDC brings back the saved state; WriteFile stores the document or says why not.
  CSvgDC saved(CSize(100, 100));
  const int first = saved.SaveDC();
  saved.SelectPen({PS_SOLID, 1, RGB(255, 0, 0)});
  saved.SaveDC();
  saved.SelectPen({PS_SOLID, 1, RGB(0, 255, 0)});
  saved.MoveTo(7, 7);
  EXPECT_TRUE(saved.RestoreDC(-1));
  EXPECT_EQ(saved.GetState().pen.colour, RGB(255, 0, 0));
  EXPECT_TRUE(saved.RestoreDC(first));
  EXPECT_EQ(saved.GetState().pen.colour, RGB(0, 0, 0));
  EXPECT_EQ(saved.GetCurrentPosition(), CPoint(0, 0));
  EXPECT_FALSE(saved.RestoreDC(first));
  EXPECT_FALSE(saved.RestoreDC(-1));

  ScratchFolder dir;
  CSvgDC file(CSize(10, 10));
  file.Rectangle(1, 1, 5, 5);
  CString error;
  ASSERT_TRUE(file.WriteFile(CString(dir / "out.svg"), error)) << error.str();
  EXPECT_EQ(ReadFileText(dir / "out.svg"), file.ToSvg());
  const std::string missing = dir / "no/such/out.svg";
  EXPECT_FALSE(file.WriteFile(CString(missing), error));
  EXPECT_NE(error.Find(missing.c_str()), -1) << error.str();
}

TEST(SvgDCTest, LinesRunFromTheCurrentPositionInThePenStyleAndArcsCounterClockwise) {
  CSvgDC dc(CSize(100, 100));
  dc.MoveTo(1, 2);
  dc.LineTo(30, 40);
  dc.SelectPen({PS_DASH, 0, RGB(255, 0, 0)});
  dc.LineTo(50, 60);
  dc.SelectPen({PS_NULL, 1, RGB(0, 0, 0)});
  dc.LineTo(0, 0);
  const std::vector<SvgElement> lines = Drawn(dc, "line");
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(Attributes(lines[0], {"stroke-dasharray"}), "- ");
  EXPECT_EQ(Attributes(lines[1], {"x1", "y1", "stroke", "stroke-width"}), "30 40 #ff0000 1 ");
  EXPECT_NE(Attributes(lines[1], {"stroke-dasharray"}), "- ") << "a dashed pen";
  EXPECT_EQ(Attributes(lines[2], {"stroke"}), "none ");

  // Arcs run counter-clockwise from start to end.
  CSvgDC arcs(CSize(100, 100));
  const CRect circle(0, 0, 100, 100);
  arcs.Arc(circle, CPoint(100, 50), CPoint(50, 0));  // east to north: a quarter
  arcs.Arc(circle, CPoint(50, 0), CPoint(100, 50));  // north round to east: three quarters
  arcs.Arc(circle, CPoint(90, 50), CPoint(99, 50));  // one direction: the whole circle
  const std::vector<SvgElement> paths = Drawn(arcs, "path");
  ASSERT_EQ(paths.size(), 2U);
  EXPECT_EQ(paths[0].attributes.at("d"), "M 100 50 A 50 50 0 0 0 50 0");
  EXPECT_EQ(paths[1].attributes.at("d"), "M 50 0 A 50 50 0 1 0 100 50");
  EXPECT_EQ(Only(arcs, "ellipse").attributes.at("fill"), "none");
}

TEST(SvgDCTest, TextIsEscapedAndPlacedByTheAlignmentAndOpaqueTextHasItsBoxFilledFirst) {
  CSvgDC dc(CSize(100, 100));
  dc.SelectFont({"Mono", 10, true, 900});
  dc.SetTextColor(RGB(0, 128, 0));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextAlign(TA_RIGHT | TA_TOP);
  dc.TextOut(20, 30, "<R&D> \"a\" 'b' µ\x01\xFF");
  dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
  dc.TextOut(20, 30, "x");
  const std::vector<SvgElement> texts = Drawn(dc, "text");
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_EQ(texts[0].text, "<R&D> \"a\" 'b' µ\xEF\xBF\xBD\xEF\xBF\xBD");
  // The baseline below the top, or above the bottom.
  EXPECT_EQ(Attributes(texts[0], {"font-family", "font-weight", "fill", "text-anchor", "y", "transform"}),
            "Mono bold #008000 end 38 rotate(-90 20 30) ");
  EXPECT_EQ(Attributes(texts[1], {"text-anchor", "y"}), "middle 28 ");
  EXPECT_TRUE(Drawn(dc, "rect").empty());

  // Opaque text has its box filled first; extents count characters.
  CSvgDC opaque(CSize(100, 100));
  opaque.SetBkColor(RGB(255, 255, 0));
  opaque.SetTextAlign(TA_LEFT | TA_BASELINE);
  opaque.TextOut(10, 50, "abcde");
  EXPECT_EQ(Attributes(Only(opaque, "rect"), {"fill", "width", "y"}),
            "#ffff00 " + std::to_string(opaque.GetTextExtent("abcde").cx) + " 40.4 ");
  opaque.SelectFont({"sans-serif", 10, false, 0});
  EXPECT_EQ(opaque.GetTextExtent("abc"), CSize(18, 10));  // characters, not bytes
  EXPECT_EQ(opaque.GetTextExtent("µm"), CSize(12, 10));
}

TEST(SvgDCTest, ClippedDrawingIsGroupedUnderTheIntersectedClip) {
  CSvgDC dc(CSize(100, 100));
  dc.IntersectClipRect(CRect(5, 0, 50, 50));
  dc.IntersectClipRect(CRect(0, 20, 80, 90));
  dc.FillSolidRect(CRect(0, 0, 100, 100), RGB(0, 0, 0));
  dc.RemoveClip();
  dc.LineTo(5, 5);
  const std::vector<SvgElement> elements = ReadSvg(dc.ToSvg());
  const auto clipPath =
      std::find_if(elements.begin(), elements.end(), [](auto& e) { return e.name == "clipPath"; });
  ASSERT_NE(clipPath, elements.end());
  const SvgElement& clipRect = *(clipPath + 1);
  EXPECT_EQ(Attributes(clipRect, {"x", "y", "width", "height"}), "5 20 45 30 ");
  for (const SvgElement& element : elements) {
    if (element.name != "rect" || element.parent == clipPath - elements.begin()) continue;
    EXPECT_EQ(elements[static_cast<size_t>(element.parent)].attributes.at("clip-path"),
              "url(#" + clipPath->attributes.at("id") + ")");
  }
  EXPECT_EQ(elements[static_cast<size_t>(Only(dc, "line").parent)].name, "svg");
}

}  // namespace
