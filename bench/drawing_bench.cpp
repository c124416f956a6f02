// Drawing and picking at the sizes the symbol views meet: a PCB symbol of 1,000 to
// 4,000 pads and 10 to 40 gates of 100 terminals each, every pad assigned and every pin
// text shown, in a view of 800 x 600 pixels fitted to the design. A render paints the
// whole view into an SVG picture; a pick looks for a pad or a symbol at one of 10,000
// random points of the view. A render fills the device's records; writing the picture
// out as text is left out of the timing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "host/drawing/design_drawing.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_library_file.h"
#include "host/picking/pick.h"
#include "platform/frame_wnd.h"
#include "platform/svg_dc.h"
#include "platform/temp_file.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr int kTerminals = 100;
constexpr int kGrid = 25400;
constexpr CSize kClient(800, 600);
constexpr int kPickPoints = 10000;

class BenchDrawing : public CDesignDrawing {
  DECLARE_DYNCREATE(BenchDrawing)
};
IMPLEMENT_DYNCREATE(BenchDrawing, CDesignDrawing)

// A stem and a number: "BUS3".
CString Named(const char* stem, int number) {
  std::string name = stem;
  name += std::to_string(number);
  return name;
}

// A component of `pins` pins, its gates of 100 terminals, placed in a design of one
// kind and shown in a fitted view; the libraries are removed again at once.
class Scene {
 public:
  Scene(int pins, bool pcb) {
    if (pcb) {
      m_design = std::make_unique<CPcbDesign>();
    } else {
      m_design = std::make_unique<CScmDesign>();
    }
    const int gates = pins / kTerminals;
    CSymbolLibraryContents gateSymbols(SymbolKind::Schematic);
    for (int gate = 0; gate < gates; ++gate) gateSymbols.Add(MakeBusGate(gate, kTerminals));
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(pins));
    CString schematicPath;
    CString pcbPath;
    if (SaveTemporaryLibrary(gateSymbols, ".scmlib", schematicPath) &&
        SaveTemporaryLibrary(footprints, ".pcblib", pcbPath)) {
      Place(pins, schematicPath, pcbPath);
    }
    std::remove(schematicPath.c_str());
    std::remove(pcbPath.c_str());
    if (m_instance != nullptr) OpenView();
  }

  BenchDrawing* View() const { return m_view; }

 private:
  void Place(int pins, const CString& schematicPath, const CString& pcbPath) {
    CComponent* component = m_design->AddComponent("BIG", "BGA");
    component->SetPinCount(pins);
    component->SetPcbSymbol(Named("BGA", pins));
    component->GetPcbComponent()->SetLibrary(pcbPath);
    int pin = 1;
    for (int gate = 0; gate < pins / kTerminals; ++gate) {
      component->AddGate(gate, schematicPath, Named("BUS", gate), kTerminals, nullptr, nullptr);
      for (int terminal = 1; terminal <= kTerminals; ++terminal)
        component->SetPinNumber(gate, terminal, pin++);
    }
    m_instance = m_design->AddComponentInstance("U1", component, "", true);
    if (m_instance == nullptr) return;
    m_instance->SetPinNamesDisplayed(true);
    m_instance->SetPinNumbersDisplayed(true);
    m_instance->ArrangeSymbolInstances(CSize(kGrid, kGrid), false, CAngle(0));
  }

  void OpenView() {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(BenchDrawing);
    context.m_pCurrentDoc = m_design.get();
    if (!m_frame.Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(CPoint(0, 0), kClient), nullptr, nullptr,
                        0, &context)) {
      return;
    }
    m_view = DynamicDowncast<BenchDrawing>(m_frame.GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    if (m_view == nullptr) return;
    m_view->SetDrawnDesign(m_design.get());
    m_frame.InitialUpdateFrame(m_design.get(), TRUE);
  }

  std::unique_ptr<CDesign> m_design;
  CComponentInstance* m_instance = nullptr;
  CFrameWnd m_frame;
  BenchDrawing* m_view = nullptr;
};

Scene& SceneFor(int pins, bool pcb) {
  static std::map<std::pair<int, bool>, std::unique_ptr<Scene>> made;
  auto& scene = made[{pins, pcb}];
  if (scene == nullptr) scene = std::make_unique<Scene>(pins, pcb);
  return *scene;
}

void Render(benchmark::State& state, bool pcb) {
  const BenchDrawing* view = SceneFor(static_cast<int>(state.range(0)), pcb).View();
  if (view == nullptr) {
    state.SkipWithError("the scene could not be built");
    return;
  }
  for (auto _ : state) {
    CSvgDC dc(kClient);
    view->Render(dc, CRect(CPoint(0, 0), kClient));
    benchmark::DoNotOptimize(dc);
  }
  // Writing the picture out is the device's business, outside the drawing.
  CSvgDC dc(kClient);
  view->Render(dc, CRect(CPoint(0, 0), kClient));
  state.counters["pads"] = static_cast<double>(state.range(0));
  state.counters["svg_kB"] = static_cast<double>(dc.ToSvg().size()) / 1024;
}

void BM_RenderPcbSymbol(benchmark::State& state) {
  Render(state, true);
}
BENCHMARK(BM_RenderPcbSymbol)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_RenderGates(benchmark::State& state) {
  Render(state, false);
}
BENCHMARK(BM_RenderGates)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

void Pick(benchmark::State& state, bool pcb) {
  BenchDrawing* view = SceneFor(static_cast<int>(state.range(0)), pcb).View();
  if (view == nullptr) {
    state.SkipWithError("the scene could not be built");
    return;
  }
  std::mt19937 random(42);
  std::uniform_int_distribution<int> x(0, kClient.cx - 1);
  std::uniform_int_distribution<int> y(0, kClient.cy - 1);
  std::vector<CPoint> points(kPickPoints);
  for (CPoint& point : points) point = CPoint(x(random), y(random));
  CPick pick(view);
  size_t next = 0;
  int hits = 0;
  for (auto _ : state) {
    hits += pick.PickItems(points[next], kPickPads | kPickSymbols, {}, nullptr) ? 1 : 0;
    next = (next + 1) % points.size();
  }
  state.counters["pads"] = static_cast<double>(state.range(0));
  state.counters["hit_share"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void BM_PickOnPcbSymbol(benchmark::State& state) {
  Pick(state, true);
}
BENCHMARK(BM_PickOnPcbSymbol)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_PickOnGates(benchmark::State& state) {
  Pick(state, false);
}
BENCHMARK(BM_PickOnGates)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
