#include "tests/host/drawing/drawing_fixture.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "platform/svg_dc.h"

IMPLEMENT_DYNCREATE(TestDrawing, CDesignDrawing)

namespace {

const CString kComponentLibrary = CE_DATA_DIR "/sample.cmplib";

void UseTestColours(CDesignColours& design) {
  using namespace colours;
  design.SetBackground(kBackground);
  design.SetAssignedPins(kAssigned);
  design.SetColour(RUNTIME_CLASS(CPadInstance), kPad);
  design.SetColour(RUNTIME_CLASS(CTextInstance), kText);
  design.SetColour(RUNTIME_CLASS(CCopperInstance), kOutline);
  design.SetSelection(kSelection);
  design.SetHighlight(kHighlight);
  design.SetColour(RUNTIME_CLASS(CPinNameInstance), kPinName);
  design.SetColour(RUNTIME_CLASS(CPinNumberInstance), kPinNumber);
  design.SetUnconnectedPins(kUnconnected);
}

// The name="value" pairs of a tag.
std::map<std::string, std::string> ParseAttributes(const std::string& inside) {
  std::map<std::string, std::string> attributes;
  size_t pos = 0;
  while ((pos = inside.find("=\"", pos)) != std::string::npos) {
    size_t nameStart = pos;
    while (nameStart > 0 && inside[nameStart - 1] != ' ') --nameStart;
    const size_t valueEnd = inside.find('"', pos + 2);
    if (valueEnd == std::string::npos) break;
    attributes[inside.substr(nameStart, pos - nameStart)] = inside.substr(pos + 2, valueEnd - pos - 2);
    pos = valueEnd + 1;
  }
  return attributes;
}

// Elements written as `<tag name="value" .../>` or `<text ...>characters</text>`;
// elements that hold other elements are passed over. (No std::regex: GCC 12 warns
// falsely inside it in sanitised builds.)
std::vector<SvgElement> ParseSvg(const std::string& svg) {
  std::vector<SvgElement> elements;
  size_t pos = 0;
  while ((pos = svg.find('<', pos)) != std::string::npos) {
    size_t nameEnd = ++pos;
    while (nameEnd < svg.size() && std::isalnum(static_cast<unsigned char>(svg[nameEnd])) != 0) ++nameEnd;
    const size_t close = svg.find('>', nameEnd);
    if (nameEnd == pos || close == std::string::npos) continue;
    const std::string tag = svg.substr(pos, nameEnd - pos);
    const bool selfClosing = svg[close - 1] == '/';
    const std::string inside = svg.substr(nameEnd, close - nameEnd - (selfClosing ? 1 : 0));
    if (selfClosing) {
      elements.push_back(SvgElement{tag, ParseAttributes(inside), {}});
      continue;
    }
    const size_t next = svg.find('<', close + 1);
    if (next == std::string::npos || svg.compare(next, tag.size() + 3, "</" + tag + ">") != 0) continue;
    elements.push_back(SvgElement{tag, ParseAttributes(inside), svg.substr(close + 1, next - close - 1)});
  }
  return elements;
}

bool Covers(const SvgElement& element, CPoint p) {
  if (element.tag == "rect") {
    const double x = element.Number("x");
    const double y = element.Number("y");
    return p.x >= x && p.x <= x + element.Number("width") && p.y >= y && p.y <= y + element.Number("height");
  }
  if (element.tag != "ellipse") return false;
  const double dx = (p.x - element.Number("cx")) / element.Number("rx");
  const double dy = (p.y - element.Number("cy")) / element.Number("ry");
  return dx * dx + dy * dy <= 1;
}

double DistanceToSegment(const SvgElement& line, CPoint p) {
  const double x1 = line.Number("x1"), y1 = line.Number("y1"), x2 = line.Number("x2"), y2 = line.Number("y2");
  const double length2 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
  const double t =
      length2 == 0 ? 0 : std::clamp(((p.x - x1) * (x2 - x1) + (p.y - y1) * (y2 - y1)) / length2, 0.0, 1.0);
  return std::hypot(p.x - (x1 + t * (x2 - x1)), p.y - (y1 + t * (y2 - y1)));
}

}  // namespace

std::string colours::Hex(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

double SvgElement::Number(const std::string& name) const {
  const auto found = attributes.find(name);
  return found != attributes.end() ? std::stod(found->second) : 0.0;
}

void DrawingTest::TearDown() {
  frames.clear();
  HeadlessTest::TearDown();
}

TestDrawing* DrawingTest::OpenView(CDesign& design) {
  UseTestColours(*design.GetDesignColours());
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(TestDrawing);
  context.m_pCurrentDoc = &design;
  auto& frame = frames.emplace_back(std::make_unique<CFrameWnd>());
  if (!frame->Create(nullptr, "Drawing", WS_OVERLAPPEDWINDOW, CRect(100, 50, 500, 350), nullptr, nullptr, 0,
                     &context)) {
    return nullptr;
  }
  auto* view = DynamicDowncast<TestDrawing>(frame->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
  if (view == nullptr) return nullptr;
  view->SetDrawnDesign(&design);
  frame->InitialUpdateFrame(&design, TRUE);
  return view;
}

CComponentInstance* DrawingTest::PlaceQuadNand(CDesign& design) {
  CComponent* nand = design.AddComponent("7400", "DIP-14");
  nand->SetPcbSymbol("DIP-14");
  nand->GetPcbComponent()->SetLibrary("footprints");
  nand->SetPinCount(14);
  const CString names[] = {"A", "B", "Y"};
  const int pins[4][3] = {{1, 2, 3}, {4, 5, 6}, {9, 10, 8}, {12, 13, 11}};
  for (int gate = 0; gate < 4; ++gate) nand->AddGate(gate, "logic", "NAND2", 3, names, pins[gate]);
  CComponentInstance* instance = design.AddComponentInstance("U1", nand, kComponentLibrary, true);
  if (instance == nullptr) return nullptr;
  instance->SetPlaced(true);
  if (design.GetSymbolKind() == SymbolKind::Schematic) {
    instance->ArrangeSymbolInstances(CSize(25400, 25400), false, CAngle(0));
  }
  return instance;
}

CSymbolInstance* DrawingTest::GateOf(const CComponentInstance* instance, int gate) {
  POSITION at = nullptr;
  CSymbolInstance* symbol = instance->FirstSymbolInstance(at);
  while (symbol != nullptr && symbol->GetGate() != gate) symbol = instance->NextSymbolInstance(at);
  return symbol;
}

std::vector<SvgElement> DrawingTest::Render(const TestDrawing* view) {
  CRect client;
  view->GetClientRect(&client);
  CSvgDC dc(client.Size());
  view->Render(dc, client);
  return ParseSvg(dc.ToSvg());
}

std::string DrawingTest::FillAt(const std::vector<SvgElement>& picture, CPoint point) {
  for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
    const auto fill = it->attributes.find("fill");
    if (fill != it->attributes.end() && fill->second != "none" && Covers(*it, point)) return fill->second;
  }
  return {};
}

std::string DrawingTest::LineStrokeAt(const std::vector<SvgElement>& picture, CPoint point) {
  for (auto it = picture.rbegin(); it != picture.rend(); ++it) {
    if (it->tag == "line" && DistanceToSegment(*it, point) <= 1.0) return it->attributes.at("stroke");
  }
  return {};
}

std::vector<SvgElement> DrawingTest::TextsReading(const std::vector<SvgElement>& picture,
                                                  const std::string& text) {
  std::vector<SvgElement> found;
  for (const SvgElement& element : picture) {
    if (element.tag == "text" && element.content == text) found.push_back(element);
  }
  return found;
}
