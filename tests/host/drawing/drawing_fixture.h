// A drawing view filling a 400 x 300 frame at (100, 50) on the screen, over a quad NAND
// placed from the sample libraries in a schematic (four gates in a row) or on a PCB (a
// DIP-14 whose pins 7 and 14 carry no terminal), drawn in colours a test tells apart.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/drawing/design_drawing.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "platform/frame_wnd.h"
#include "tests/support/headless_test.h"
#include "tests/support/svg_reader.h"

class TestDrawing : public CDesignDrawing {
  DECLARE_DYNCREATE(TestDrawing)
};

namespace colours {
inline constexpr COLORREF kBackground = RGB(0, 0, 0);
inline constexpr COLORREF kAssigned = RGB(0, 255, 0);
inline constexpr COLORREF kPad = RGB(0, 0, 255);
inline constexpr COLORREF kText = RGB(0, 255, 255);
inline constexpr COLORREF kOutline = RGB(255, 255, 0);
inline constexpr COLORREF kSelection = RGB(128, 128, 255);
inline constexpr COLORREF kHighlight = RGB(128, 64, 0);
inline constexpr COLORREF kPinName = RGB(0, 128, 0);
inline constexpr COLORREF kPinNumber = RGB(0, 0, 192);
inline constexpr COLORREF kUnconnected = RGB(255, 0, 128);
// As the SVG picture writes a colour.
std::string Hex(COLORREF colour);
}  // namespace colours

class DrawingTest : public HeadlessTest {
 protected:
  void TearDown() override;

  // A frame with a drawing of `design`, fitted to it.
  TestDrawing* OpenView(CDesign& design);
  // The quad NAND, placed and (in a schematic) arranged in a row.
  CComponentInstance* PlaceQuadNand(CDesign& design);

  static CSymbolInstance* GateOf(const CComponentInstance* instance, int gate);

  static std::vector<SvgElement> Render(const TestDrawing* view);
  static CPoint ViewPoint(const TestDrawing* view, CPoint world) {
    return view->GetTransform().ToView(world);
  }
  static CPoint World(const TestDrawing* view, CPoint point) { return view->GetTransform().ToWorld(point); }

  std::vector<std::unique_ptr<CFrameWnd>> frames;
};
