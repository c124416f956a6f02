#include "tests/host/drawing/drawing_fixture.h"

#include <cstdio>

#include "platform/svg_dc.h"
#include "tests/host/support/quad_nand.h"

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

}  // namespace

std::string colours::Hex(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
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
  CComponentInstance* instance =
      design.AddComponentInstance("U1", AddQuadNand(design), kComponentLibrary, true);
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
  return ReadSvg(dc.ToSvg());
}
