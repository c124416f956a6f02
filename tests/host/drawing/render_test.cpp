// What the drawing shows: each item in its colour, the marks over them, pin texts as
// the instance's display says, and what reaches the screen when items are drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "host/utility/evt.h"
#include "platform/backend.h"
#include "tests/host/drawing/drawing_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using colours::Hex;

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

class RecordingPeer : public WindowPeer {
 public:
  explicit RecordingPeer(std::vector<std::string>& log) : m_log(log) {}
  void OnChanged(WindowChange change) override {
    if (change == WindowChange::Redraw) m_log.push_back("redraw");
  }

 private:
  std::vector<std::string>& m_log;
};

TEST_F(DrawingTest, LandsShowAssignmentMarksAndDrillHoles) {
  CPcbDesign board;
  CComponentInstance* placed = PlaceQuadNand(board);
  const CSymbolInstance* dip = placed->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  const auto fillOn = [&](int pin) {
    return FillAt(Render(view), ViewPoint(view, OnLand(dip->FindPad(pin))));
  };

  EXPECT_EQ(fillOn(1), Hex(colours::kAssigned));
  EXPECT_EQ(fillOn(7), Hex(colours::kPad));
  // Land numbers read on assigned and unassigned lands alike.
  EXPECT_GE(ContrastOn(TextsReading(Render(view), "1").at(0), colours::kAssigned), 3.0);
  EXPECT_GE(ContrastOn(TextsReading(Render(view), "7").at(0), colours::kPad), 3.0);
  // A land with its number drawn on it stays whole; without the number, its drill
  // hole shows.
  const auto fillAtCentre = [&] {
    return FillAt(Render(view), ViewPoint(view, dip->FindPad(1)->GetPosition()));
  };
  EXPECT_EQ(fillAtCentre(), Hex(colours::kAssigned));
  placed->SetPinNumbersDisplayed(false);
  EXPECT_EQ(fillAtCentre(), Hex(colours::kBackground));
  placed->SetPinNumbersDisplayed(true);

  board.GetDesignColours()->SetHighlightUnconnectedPins(true);
  EXPECT_EQ(fillOn(7), Hex(colours::kUnconnected));
  EXPECT_EQ(fillOn(14), Hex(colours::kUnconnected));
  EXPECT_EQ(fillOn(1), Hex(colours::kAssigned));

  dip->FindPad(2)->SetSelected(true);
  dip->FindPad(3)->SetHighlight(true);
  EXPECT_EQ(fillOn(2), Hex(colours::kSelection));
  EXPECT_EQ(fillOn(3), Hex(colours::kHighlight));
  EXPECT_EQ(fillOn(4), Hex(colours::kAssigned));
  // Unassigning a terminal shows on the land it had at the next drawing.
  board.FirstComponent()->SetPinNumber(1, 1, -1);
  EXPECT_EQ(fillOn(4), Hex(colours::kUnconnected));
}

TEST_F(DrawingTest, AMarkedSymbolColoursItsWholeDrawingButItsPadsOwnMarksWin) {
  CScmDesign schematic;
  CComponentInstance* u1 = PlaceQuadNand(schematic);
  TestDrawing* view = OpenView(schematic);
  ASSERT_NE(view, nullptr);
  CSymbolInstance* gateB = GateOf(u1, 1);
  const auto strokeOn = [&](const CSymbolInstance* gate, int terminal) {
    return LineStrokeAt(Render(view), ViewPoint(view, OnPin(gate->FindPad(terminal))));
  };
  // The body's top edge runs from (0, 50800) to (-50800, 50800) of the symbol.
  const CPoint topEdge = gateB->GetPlacement().Map(CPoint(-25400, 50800));

  EXPECT_EQ(strokeOn(gateB, 1), Hex(colours::kAssigned));
  EXPECT_EQ(LineStrokeAt(Render(view), ViewPoint(view, topEdge)), Hex(colours::kOutline));
  u1->GetComponent()->SetPinNumber(1, 2, -1);
  EXPECT_EQ(strokeOn(gateB, 2), Hex(colours::kPad));

  gateB->SetHighlight(true);
  gateB->FindPad(3)->SetSelected(true);
  EXPECT_EQ(strokeOn(gateB, 1), Hex(colours::kHighlight));
  EXPECT_EQ(strokeOn(gateB, 2), Hex(colours::kHighlight));
  EXPECT_EQ(strokeOn(gateB, 3), Hex(colours::kSelection));
  EXPECT_EQ(LineStrokeAt(Render(view), ViewPoint(view, topEdge)), Hex(colours::kHighlight));
  EXPECT_EQ(strokeOn(u1->FirstSymbolInstance(), 1), Hex(colours::kAssigned));
  gateB->SetSelected(true);
  EXPECT_EQ(LineStrokeAt(Render(view), ViewPoint(view, topEdge)), Hex(colours::kSelection));
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

TEST_F(DrawingTest, PinTextsFollowTheDisplayAndVanishWhenTooSmallToRead) {
  CScmDesign schematic;
  CComponentInstance* u1 = PlaceQuadNand(schematic);
  TestDrawing* view = OpenView(schematic);
  ASSERT_NE(view, nullptr);
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

  for (int i = 0; i < 8; ++i) view->OnZoomOutAtCursor();
  const std::vector<SvgElement> far = Render(view);
  EXPECT_TRUE(TextsReading(far, "A").empty());
  EXPECT_TRUE(TextsReading(far, "9").empty());
  EXPECT_NE(LineStrokeAt(far, ViewPoint(view, OnPin(u1->FirstSymbolInstance()->FindPad(1)))), "");
}

TEST_F(DrawingTest, LandNumbersGoWhileTheyAreLargerThanSchematicTextsCanBe) {
  // The smallest font size a text was drawn at, zooming out step by step until it goes.
  const auto smallestSizeDrawn = [&](TestDrawing* view, const std::string& text) {
    double smallest = 0;
    for (int step = 0; step < 20; ++step) {
      const std::vector<SvgElement> found = TextsReading(Render(view), text);
      if (found.empty()) break;
      smallest = found[0].Number("font-size");
      view->OnZoomOutAtCursor();
    }
    return smallest;
  };
  CPcbDesign board;
  CComponentInstance* placed = PlaceQuadNand(board);
  TestDrawing* boardView = OpenView(board);
  ASSERT_NE(boardView, nullptr);
  const double smallestLandNumber = smallestSizeDrawn(boardView, "9");
  // Font sizes are a quarter larger than the capitals.
  EXPECT_GE(smallestLandNumber, 5 * 1.25);
  EXPECT_EQ(
      FillAt(Render(boardView), ViewPoint(boardView, OnLand(placed->FirstSymbolInstance()->FindPad(1)))),
      Hex(colours::kAssigned));

  CScmDesign schematic;
  PlaceQuadNand(schematic);
  TestDrawing* schematicView = OpenView(schematic);
  ASSERT_NE(schematicView, nullptr);
  const double smallestPinNumber = smallestSizeDrawn(schematicView, "9");
  EXPECT_GT(smallestPinNumber, 0);
  EXPECT_LT(smallestPinNumber, 5 * 1.25);
}

TEST_F(DrawingTest, EachDrawIsToldInOrderBeforeTheScreenRepaintsAndColourEventsRedraw) {
  CPcbDesign board;
  CComponentInstance* placed = PlaceQuadNand(board);
  const CSymbolInstance* dip = placed->FirstSymbolInstance();
  TestDrawing* view = OpenView(board);
  ASSERT_NE(view, nullptr);
  std::vector<std::string> log;
  view->m_hWnd->peer = std::make_unique<RecordingPeer>(log);
  view->SetDrawObserver([&](CDesignItem* item, int mode) {
    const auto* pad = DynamicDowncast<CPadInstance>(item);
    log.push_back("pad " + std::to_string(pad != nullptr ? pad->GetPinNumber() : 0) + " mode " +
                  std::to_string(mode));
  });
  view->Draw(dip->FindPad(7), kDrawBeforeChange);
  view->Draw(dip->FindPad(7), kDrawAfterChange);
  view->Draw(dip->FindPad(3), kDrawAfterChange);
  EXPECT_EQ(log, (std::vector<std::string>{"pad 7 mode 259", "redraw", "pad 7 mode 31", "redraw",
                                           "pad 3 mode 31", "redraw"}));

  log.clear();
  CPcbDesign other;
  {
    CHandleViewEvents events(view);
    CEvt::Send("DesignColoursChanged", reinterpret_cast<long>(&other), 0);
    EXPECT_TRUE(log.empty());
    CEvt::Send("DesignColoursChanged", reinterpret_cast<long>(&board), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"redraw"}));
  }
  CEvt::Send("DesignColoursChanged", reinterpret_cast<long>(&board), 0);
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(CEvt::CountReceivers("DesignColoursChanged"), 0);
}

}  // namespace
