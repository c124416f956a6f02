// What the drawing shows: each item in its colour, the marks over them, pin texts as
// the instance's display says, and what reaches the screen when items are drawn. Picking
// what lies under a click: pads before the symbols that own them, thin pins within a few
// pixels, bodies inside their outline, through the view's zoom and pan. Zooming, panning
// and fitting as a user does them: the design point under the cursor stays put, the whole
// design fits with a margin, resizing keeps what the view shows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "host/drawing/design_drawing.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/picking/pick.h"
#include "platform/frame_wnd.h"
#include "platform/svg_dc.h"
#include "tests/host/support/quad_nand.h"
#include "tests/support/headless_test.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/svg_reader.h"

namespace {

class TestDrawing : public CDesignDrawing {
  DECLARE_DYNCREATE(TestDrawing)
};

IMPLEMENT_DYNCREATE(TestDrawing, CDesignDrawing)

const CString kComponentLibrary = CE_DATA_DIR "/sample.cmplib";

// Colours a test tells apart.
namespace colours {
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kAssigned = RGB(0, 255, 0);
constexpr COLORREF kPad = RGB(0, 0, 255);
constexpr COLORREF kText = RGB(0, 255, 255);
constexpr COLORREF kOutline = RGB(255, 255, 0);
constexpr COLORREF kSelection = RGB(128, 128, 255);
constexpr COLORREF kHighlight = RGB(128, 64, 0);
constexpr COLORREF kPinName = RGB(0, 128, 0);
constexpr COLORREF kPinNumber = RGB(0, 0, 192);
constexpr COLORREF kUnconnected = RGB(255, 0, 128);
}  // namespace colours

// As the SVG picture writes a colour.
std::string Hex(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

// A drawing view filling a 400 x 300 frame at (100, 50) on the screen, over a quad NAND
// placed from the sample libraries in a schematic (four gates in a row) or on a PCB (a
// DIP-14 whose pins 7 and 14 carry no terminal), drawn in the colours above.
class DrawingTest : public HeadlessTest {
 protected:
  void TearDown() override {
    frames.clear();
    HeadlessTest::TearDown();
  }

  // A frame with a drawing of `design`, fitted to it.
  TestDrawing* OpenView(CDesign& design) {
    using namespace colours;
    CDesignColours& drawn = *design.GetDesignColours();
    drawn.SetBackground(kBackground);
    drawn.SetAssignedPins(kAssigned);
    drawn.SetSelection(kSelection);
    drawn.SetHighlight(kHighlight);
    drawn.SetUnconnectedPins(kUnconnected);
    for (const auto& [kind, colour] : {std::pair{RUNTIME_CLASS(CPadInstance), kPad},
                                       {RUNTIME_CLASS(CTextInstance), kText},
                                       {RUNTIME_CLASS(CCopperInstance), kOutline},
                                       {RUNTIME_CLASS(CPinNameInstance), kPinName},
                                       {RUNTIME_CLASS(CPinNumberInstance), kPinNumber}})
      drawn.SetColour(kind, colour);
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(TestDrawing);
    context.m_pCurrentDoc = &design;
    auto& frame = frames.emplace_back(std::make_unique<CFrameWnd>());
    if (!frame->Create(nullptr, "Drawing", WS_OVERLAPPEDWINDOW, CRect(100, 50, 500, 350), nullptr, nullptr, 0,
                       &context))
      return nullptr;
    auto* view = DynamicDowncast<TestDrawing>(frame->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    if (view == nullptr) return nullptr;
    view->SetDrawnDesign(&design);  // before the first update, which fits the view to it
    frame->InitialUpdateFrame(&design, TRUE);
    return view;
  }
  // The quad NAND, placed and (in a schematic) arranged in a row.
  static CComponentInstance* PlaceQuadNand(CDesign& design) {
    CComponentInstance* instance =
        design.AddComponentInstance("U1", AddQuadNand(design), kComponentLibrary, true);
    if (instance == nullptr) return nullptr;
    instance->SetPlaced(true);
    if (design.GetSymbolKind() == SymbolKind::Schematic)
      instance->ArrangeSymbolInstances(CSize(25400, 25400), false, CAngle(0));
    return instance;
  }
  static std::vector<SvgElement> Render(const TestDrawing* view) {
    CRect client;
    view->GetClientRect(&client);
    CSvgDC dc(client.Size());
    view->Render(dc, client);
    return ReadSvg(dc.ToSvg());
  }
  static CPoint ViewPoint(const TestDrawing* view, CPoint world) {
    return view->GetTransform().ToView(world);
  }
  static CPoint World(const TestDrawing* view, CPoint point) { return view->GetTransform().ToWorld(point); }
  static double Apart(CPoint a, CPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }
  // The smallest font size a text was drawn at, zooming out step by step until it goes.
  static double SmallestSizeDrawn(TestDrawing* view, const std::string& text) {
    double smallest = 0;
    for (int step = 0; step < 20; ++step) {
      const std::vector<SvgElement> found = TextsReading(Render(view), text);
      if (found.empty()) break;
      smallest = found[0].Number("font-size");
      view->OnZoomOutAtCursor();
    }
    return smallest;
  }

  CDesignItem* PickAt(TestDrawing* view, CPoint point, UINT flags, const CPick::Filter& filter = {},
                      void* context = nullptr) {
    CPick pick(view);
    const bool found = pick.PickItems(point, flags, filter, context);
    EXPECT_EQ(found, pick.GetItem() != nullptr);
    return pick.GetItem();
  }

  std::vector<std::unique_ptr<CFrameWnd>> frames;
};

// The quad NAND in a schematic, shown.
class SchematicViewTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    u1 = PlaceQuadNand(schematic);
    ASSERT_NE(u1, nullptr);
    view = OpenView(schematic);
    ASSERT_NE(view, nullptr);
  }

  CScmDesign schematic;
  CComponentInstance* u1 = nullptr;
  TestDrawing* view = nullptr;
};

// A point on a land between its edge and its drill hole.
CPoint OnLand(const CPadInstance* pad) {
  return pad->GetPosition() + CSize(pad->GetSize().cx * 3 / 8, 0);
}

// The middle of a schematic pin.
CPoint OnPin(const CPadInstance* pad) {
  const CPoint end = pad->GetPosition();
  const CPoint root = pad->GetPinRoot();
  return {(end.x + root.x) / 2, (end.y + root.y) / 2};
}

// How well a text's fill reads on a colour.
double ContrastOn(const SvgElement& text, COLORREF surface) {
  const std::string hex = text.attributes.at("fill");
  const auto channel = [&hex](size_t at) {
    return static_cast<BYTE>(std::stoi(hex.substr(at, 2), nullptr, 16));
  };
  return CDesignColours::Contrast(RGB(channel(1), channel(3), channel(5)), surface);
}

TEST_F(DrawingTest, LandsShowAssignmentMarksAndDrillHoles) {
  CPcbDesign board;
  CComponentInstance* placed = PlaceQuadNand(board);
  const CSymbolInstance* dip = placed->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  using namespace colours;
  using Fills = std::vector<std::string>;
  const auto fillsOn = [&](std::initializer_list<int> pins) {
    Fills fills;
    for (int pin : pins) fills.push_back(FillAt(Render(view), ViewPoint(view, OnLand(dip->FindPad(pin)))));
    return fills;
  };

  EXPECT_EQ(fillsOn({1, 7}), (Fills{Hex(kAssigned), Hex(kPad)}));
  // Land numbers read on assigned and unassigned lands alike.
  EXPECT_GE(ContrastOn(TextsReading(Render(view), "1").at(0), kAssigned), 3.0);
  EXPECT_GE(ContrastOn(TextsReading(Render(view), "7").at(0), kPad), 3.0);
  // A land with its number drawn on it stays whole; without the number, its drill
  // hole shows.
  const CPoint centre = ViewPoint(view, dip->FindPad(1)->GetPosition());
  EXPECT_EQ(FillAt(Render(view), centre), Hex(kAssigned));
  placed->SetPinNumbersDisplayed(false);
  EXPECT_EQ(FillAt(Render(view), centre), Hex(kBackground));
  placed->SetPinNumbersDisplayed(true);

  board.GetDesignColours()->SetHighlightUnconnectedPins(true);
  EXPECT_EQ(fillsOn({7, 14, 1}), (Fills{Hex(kUnconnected), Hex(kUnconnected), Hex(kAssigned)}));

  dip->FindPad(2)->SetSelected(true);
  dip->FindPad(3)->SetHighlight(true);
  EXPECT_EQ(fillsOn({2, 3, 4}), (Fills{Hex(kSelection), Hex(kHighlight), Hex(kAssigned)}));
  // Unassigning a terminal shows on the land it had at the next drawing.
  board.FirstComponent()->SetPinNumber(1, 1, -1);
  EXPECT_EQ(fillsOn({4}), Fills{Hex(kUnconnected)});

  // Land numbers go while they are larger than schematic texts can be (font sizes are a
  // quarter larger than the capitals); the lands stay.
  EXPECT_GE(SmallestSizeDrawn(view, "9"), 5 * 1.25);
  EXPECT_EQ(fillsOn({1}), Fills{Hex(kAssigned)});
}

TEST_F(DrawingTest, AnInvertedPinEndsInABubbleAtTheBody) {
  ScratchFolder folder;
  const std::string library = folder / "inverters.kicad_sym";
  std::ofstream(library) << R"((kicad_symbol_lib (version 20211014) (generator test)
    (symbol "INV" (symbol "INV_1_1"
      (polyline (pts (xy -2.54 2.54) (xy 2.54 0) (xy -2.54 -2.54) (xy -2.54 2.54)) (stroke (width 0.254)))
      (pin input line (at -7.62 0 0) (length 5.08) (name "A" (effects)) (number "1" (effects)))
      (pin output inverted (at 7.62 0 180) (length 5.08) (name "Y" (effects)) (number "2" (effects)))))))";
  CScmDesign schematic;
  CComponent* inverter = schematic.AddComponent("INV", "DIP-14");
  const int pins[] = {1, 2};
  inverter->AddGate(0, CString(library), "INV", 2, nullptr, pins);
  CComponentInstance* u1 = schematic.AddComponentInstance("U1", inverter, "", true);
  ASSERT_NE(u1, nullptr);
  TestDrawing* view = OpenView(schematic);
  ASSERT_NE(view, nullptr);

  // The circles whose rim touches a pin's root from outside the body.
  const std::vector<SvgElement> picture = Render(view);
  const auto bubblesAt = [&](const CPadInstance* pad) {
    const CPoint root = ViewPoint(view, pad->GetPinRoot());
    const CPoint end = ViewPoint(view, pad->GetPosition());
    int count = 0;
    for (const SvgElement& circle : ElementsNamed(picture, "ellipse")) {
      const double rx = circle.Number("rx");
      const double x = circle.Number("cx") - root.x;
      const double y = circle.Number("cy") - root.y;
      const bool outward = x * (end.x - root.x) + y * (end.y - root.y) > 0;
      if (rx >= 2 && outward && std::abs(std::hypot(x, y) - rx) <= 1.5) ++count;
    }
    return count;
  };
  const CSymbolInstance* gate = u1->FirstSymbolInstance();
  EXPECT_EQ(bubblesAt(gate->FindPad(2)), 1);
  EXPECT_EQ(bubblesAt(gate->FindPad(1)), 0);
}

TEST_F(SchematicViewTest, PinTextsFollowTheDisplayAndVanishWhenTooSmallToRead) {
  u1->SetPinNamesDisplayed(false);
  u1->SetPinNumbersDisplayed(true);
  EXPECT_TRUE(TextsReading(Render(view), "A").empty());
  ASSERT_EQ(TextsReading(Render(view), "9").size(), 1u);
  // The default dark blue hardly shows on black: the number takes a colour that reads.
  EXPECT_GE(ContrastOn(TextsReading(Render(view), "9")[0], colours::kBackground), 3.0);
  schematic.GetDesignColours()->SetColour(RUNTIME_CLASS(CPinNumberInstance), colours::kOutline);
  EXPECT_EQ(TextsReading(Render(view), "9")[0].attributes.at("fill"), Hex(colours::kOutline));
  schematic.GetDesignColours()->SetColour(RUNTIME_CLASS(CPinNumberInstance), colours::kPinNumber);

  u1->SetPinNamesDisplayed(true);
  view->OnZoomInAtCursor();
  const std::vector<SvgElement> names = TextsReading(Render(view), "A");
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0].attributes.at("fill"), Hex(colours::kPinName));
  // The letters grow with the zoom.
  const double size = names[0].Number("font-size");
  view->OnZoomInAtCursor();
  EXPECT_NEAR(TextsReading(Render(view), "A")[0].Number("font-size"), size * 1.5, 1.0);

  view->OnZoomAll();
  const double smallest = SmallestSizeDrawn(view, "9");
  EXPECT_TRUE(smallest > 0 && smallest < 5 * 1.25) << smallest;
  for (int i = 0; i < 2; ++i) view->OnZoomOutAtCursor();
  const std::vector<SvgElement> far = Render(view);
  EXPECT_TRUE(TextsReading(far, "A").empty() && TextsReading(far, "9").empty());
  EXPECT_NE(LineStrokeAt(far, ViewPoint(view, OnPin(u1->FirstSymbolInstance()->FindPad(1)))), "");
}

TEST_F(DrawingTest, APadWinsOverItsSymbolTheFlagsChooseWhatCountsAndPicksFollowZoomAndPan) {
  CPcbDesign board;
  CSymbolInstance* dip = PlaceQuadNand(board)->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  const CPoint pin5 = ViewPoint(view, dip->FindPad(5)->GetPosition());
  const UINT both = kPickPads | kPickSymbols;
  EXPECT_EQ(PickAt(view, pin5, both), dip->FindPad(5));
  EXPECT_EQ(PickAt(view, pin5, kPickPads), dip->FindPad(5));
  EXPECT_EQ(PickAt(view, pin5, kPickSymbols), dip);
  EXPECT_EQ(PickAt(view, ViewPoint(view, CPoint(0, 0)), both), dip);
  EXPECT_EQ(PickAt(view, ViewPoint(view, CPoint(0, 0)), kPickPads), nullptr);
  EXPECT_EQ(PickAt(view, CPoint(3, 3), both), nullptr);
  EXPECT_EQ(PickAt(view, pin5, 0), nullptr);

  // A filter passes over what it refuses and sees the caller's context.
  int asked = 0;
  const CPick::Filter noPads = [](CDesignItem* item, void* context) {
    ++*static_cast<int*>(context);
    return DynamicDowncast<CPadInstance>(item) == nullptr;
  };
  EXPECT_EQ(PickAt(view, pin5, both, noPads, &asked), dip);
  EXPECT_GE(asked, 2);

  const CPoint pin9 = dip->FindPad(9)->GetPosition();
  const CPoint before = ViewPoint(view, pin9);
  ASSERT_TRUE(user.MoveMouse(view, CPoint(320, 60)));
  for (int i = 0; i < 2; ++i) view->OnZoomInAtCursor();
  const CPoint zoomed = ViewPoint(view, pin9);
  ASSERT_GT(std::abs(zoomed.x - before.x) + std::abs(zoomed.y - before.y), 20);
  EXPECT_EQ(PickAt(view, zoomed, kPickPads), dip->FindPad(9));
  EXPECT_NE(PickAt(view, before, both), dip->FindPad(9));

  view->OnPanTo(pin9 + CSize(200000, 0), true);
  const CPoint panned = ViewPoint(view, pin9);
  EXPECT_LT(panned.x, 200);
  EXPECT_EQ(PickAt(view, panned, both), dip->FindPad(9));
  EXPECT_EQ(PickAt(view, CPoint(200, 150), both), nullptr);
}

TEST_F(SchematicViewTest, ThinPinsAreHitWithinAFewPixelsAndTheNearestPadWins) {
  POSITION at = nullptr;
  u1->FirstSymbolInstance(at);
  const CSymbolInstance* gateB = u1->NextSymbolInstance(at);
  ASSERT_EQ(gateB->GetGate(), 1);
  const CPadInstance* inputA = gateB->FindPad(1);
  const CPoint onPin = ViewPoint(view, inputA->GetPosition()) + CSize(4, 0);

  for (int dy : {-2, 3}) EXPECT_EQ(PickAt(view, onPin + CSize(0, dy), kPickPads), inputA) << dy;
  EXPECT_EQ(PickAt(view, onPin + CSize(0, -6), kPickPads), nullptr);
  // Zoomed out until the two inputs lie within a few pixels of each other, the nearer wins.
  const auto gap = [&] {
    return ViewPoint(view, gateB->FindPad(2)->GetPosition()).y - ViewPoint(view, inputA->GetPosition()).y;
  };
  for (int i = 0; i < 10 && gap() > 3; ++i) view->OnZoomOutAtCursor();
  ASSERT_TRUE(gap() >= 2 && gap() <= 3) << gap();
  EXPECT_EQ(PickAt(view, ViewPoint(view, inputA->GetPosition()), kPickPads), inputA);
  EXPECT_EQ(PickAt(view, ViewPoint(view, gateB->FindPad(2)->GetPosition()), kPickPads), gateB->FindPad(2));
}

TEST_F(SchematicViewTest, ZoomAllFitsTheContentsOrElseTheDesignAreaCentredWithAMargin) {
  // `world` shown whole and centred in a window of `size`; how much of the window it fills.
  const auto fitted = [&](const CRect& world, CSize size) {
    const CRect shown = view->GetTransform().ToView(world);
    EXPECT_TRUE(shown.left > 0 && shown.top > 0 && shown.right < size.cx && shown.bottom < size.cy);
    EXPECT_LE(Apart(shown.CenterPoint(), CPoint(size.cx / 2, size.cy / 2)), 1.5);
    return std::max(shown.Width() / double(size.cx), shown.Height() / double(size.cy));
  };
  const CRect extents = schematic.GetExtents();
  EXPECT_GT(fitted(extents, {400, 300}), 0.85);

  // A generous design area round the contents does not shrink them.
  schematic.SetDesignArea(CRect(-20000000, -5000000, 30000000, 45000000));
  view->OnZoomAll();
  EXPECT_GT(fitted(extents, {400, 300}), 0.85);

  // Resizing keeps a fitted view fitted.
  frames.back()->MoveWindow(CRect(0, 0, 600, 200));
  EXPECT_NEAR(fitted(extents, {600, 200}), 1 / 1.1, 0.01);

  // With nothing placed, the area is what is shown.
  const CRect area(-2000000, -500000, 3000000, 4500000);
  schematic.DeleteAllComponentInstances();
  schematic.SetDesignArea(area);
  frames.back()->MoveWindow(CRect(0, 0, 400, 300));
  view->OnZoomAll();
  EXPECT_GT(fitted(area, {400, 300}), 0.85);
}

TEST_F(SchematicViewTest, ZoomingKeepsThePointUnderTheCursorAndPanningCentresOnItOrCarriesTheDesignAlong) {
  const CPoint cursor(90, 210);
  ASSERT_TRUE(user.MoveMouse(view, cursor));
  EXPECT_TRUE(view->CursorOverWindow(false));
  const CPoint held = World(view, cursor);
  EXPECT_EQ(CDesignWindow(view).GetCurrentPosition(), held);
  const double scale = view->GetTransform().GetScale();

  view->OnZoomInAtCursor();
  EXPECT_DOUBLE_EQ(view->GetTransform().GetScale(), scale * 1.5);
  EXPECT_EQ(ViewPoint(view, held), cursor);
  ASSERT_TRUE(user.Wheel(view, cursor, -120));
  EXPECT_DOUBLE_EQ(view->GetTransform().GetScale(), scale);
  EXPECT_EQ(ViewPoint(view, held), cursor);
  // Elsewhere, the wheel's point stays and the rest moves away from it.
  ASSERT_TRUE(user.Wheel(view, CPoint(300, 40), 120));
  EXPECT_LE(Apart(ViewPoint(view, held), CPoint(-15, 295)), 1.5) << "half as far again from (300, 40)";

  // Out of the client area, the centre stays.
  ASSERT_TRUE(user.MoveMouse(view, CPoint(-5, 7)));
  EXPECT_FALSE(view->CursorOverWindow(false));
  const CPoint centre = World(view, CPoint(200, 150));
  view->OnZoomOutAtCursor();
  EXPECT_EQ(ViewPoint(view, centre), CPoint(200, 150));

  // Panning centres on the cursor or a point, and middle drags carry the design along.
  ASSERT_TRUE(user.MoveMouse(view, CPoint(50, 60)));
  const CPoint picked = World(view, CPoint(50, 60));
  view->OnPan();
  EXPECT_EQ(ViewPoint(view, picked), CPoint(200, 150));
  view->OnPanTo(CPoint(1000000, -2000000), true);
  EXPECT_EQ(ViewPoint(view, CPoint(1000000, -2000000)), CPoint(200, 150));

  const CPoint grabbed = World(view, CPoint(100, 100));
  ASSERT_TRUE(user.MiddleDown(view, CPoint(100, 100)) && user.MoveMouse(view, CPoint(130, 80), MK_MBUTTON) &&
              user.MoveMouse(view, CPoint(160, 40), MK_MBUTTON));
  EXPECT_EQ(ViewPoint(view, grabbed), CPoint(160, 40));
  ASSERT_TRUE(user.MiddleUp(view, CPoint(160, 40)) && user.MoveMouse(view, CPoint(10, 10)));
  EXPECT_EQ(ViewPoint(view, grabbed), CPoint(160, 40));

  // A resize keeps the centre of a panned view.
  const CPoint panned = World(view, CPoint(200, 150));
  frames.front()->MoveWindow(CRect(0, 0, 600, 200));
  EXPECT_EQ(ViewPoint(view, panned), CPoint(300, 100));
}

TEST(ViewTransform, KeepsItsScaleInBoundsAndFarOffCoordinatesWithinWhatADeviceTakes) {
  CViewTransform transform;
  transform.SetScale(0.01);
  transform.SetOrigin(CPoint(-5000, 8000));
  EXPECT_EQ(transform.ToView(CPoint(-4000, 7000)), CPoint(10, 10)) << "y is turned";
  EXPECT_EQ(transform.ToWorld(CRect(0, 0, 10, 20)), CRect(-5000, 6000, -4000, 8000));
  EXPECT_EQ(transform.LengthToView(2540), 25);
  EXPECT_EQ(transform.LengthToWorld(3), 300);
  transform.SetScale(0);
  EXPECT_EQ(transform.GetScale(), 0.01);
  transform.SetScale(1e9);
  EXPECT_EQ(transform.GetScale(), CViewTransform::kMaxScale);
  transform.SetOrigin(CPoint(-2000000000, 0));
  EXPECT_LT(transform.ToView(CPoint(2000000000, 0)).x, 1 << 30);
}

}  // namespace
