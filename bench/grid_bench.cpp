// The pin grid at the sizes a large component brings: 20 gates of 100, 200 or 1,000 terminals
// each (2,000, 4,000 or 20,000 grid rows beside 20 gate columns), in a component frame opened
// headless as the host opens it. Every tenth terminal shares PCB pin 1, the others have
// pins of their own.
//
// Measured: a refill from the update hint; bolding the cells of the shared pad and of
// the whole PCB symbol, and clearing the latter; a user's move from one gate cell to
// another, with the drawings answering the hints; and the write-back of a grid whose
// every editable cell is marked modified.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/headless_host.h"
#include "editor/frame/component_frame.h"
#include "editor/frame/editor_module.h"
#include "editor/frame/symbols_frame.h"
#include "editor/grid/component_grid.h"
#include "editor/grid/fill_series.h"
#include "editor/grid/grid_clipboard.h"
#include "editor/grid/pin_map_checks.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/update_hints.h"
#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "platform/headless_backend.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/settings_store.h"
#include "platform/temp_file.h"
#include "platform/user_input.h"
#include "platform/win_thread.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr int kGates = 20;
constexpr int kSharedPin = 1;

bool SharesPin(int terminal) {
  return terminal % 10 == 1;
}

// A component frame on a component of kGates gates of `terminals` terminals each.
class Scene {
 public:
  Scene(CMDIFrameWnd* mainWindow, int terminals) {
    const int pins = kGates * terminals;
    CSymbolLibraryContents gateSymbols(SymbolKind::Schematic);
    for (int gate = 0; gate < kGates; ++gate) gateSymbols.Add(MakeBusGate(gate, terminals));
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(pins));
    CString schematicPath;
    CString pcbPath;
    if (SaveTemporaryLibrary(gateSymbols, ".scmlib", schematicPath) &&
        SaveTemporaryLibrary(footprints, ".pcblib", pcbPath)) {
      Build(terminals, schematicPath, pcbPath);
      Open(mainWindow);
    }
    std::remove(schematicPath.c_str());
    std::remove(pcbPath.c_str());
  }

  // The frame leaves the design before the design goes.
  ~Scene() {
    if (IsWindowHandle(m_frameHandle)) m_frame->DestroyWindow();
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  CComponentFrame* Frame() const { return m_frame; }
  CComponentGrid* Grid() const { return m_frame != nullptr ? m_frame->GetGrid() : nullptr; }
  CComponent* Component() const { return m_component; }
  CPcbSymbolView* PcbView() const {
    CSymbolsFrame* symbols = m_frame != nullptr ? m_frame->GetSymbolsFrame() : nullptr;
    return symbols != nullptr ? symbols->GetPcbView() : nullptr;
  }
  CSymbolInstance* Footprint() const {
    CPcbSymbolView* view = PcbView();
    CComponentInstance* placed = view != nullptr ? view->GetViewDesign()->FirstComponentInstance() : nullptr;
    if (placed == nullptr) return nullptr;
    POSITION position = nullptr;
    return placed->FirstSymbolInstance(position);
  }
  CPadInstance* Pad(int pin) const {
    CSymbolInstance* footprint = Footprint();
    return footprint != nullptr ? footprint->FindPad(pin) : nullptr;
  }
  bool Ready() const { return Grid() != nullptr && Pad(kSharedPin) != nullptr; }

 private:
  void Build(int terminals, const CString& schematicPath, const CString& pcbPath) {
    const int pins = kGates * terminals;
    m_component = m_design.AddComponent("BIG", "BGA");
    m_component->SetPinCount(pins);
    m_component->SetPcbSymbol(CString("BGA" + std::to_string(pins)));
    m_component->GetPcbComponent()->SetLibrary(pcbPath);
    int pin = 1;
    for (int gate = 0; gate < kGates; ++gate) {
      m_component->AddGate(gate, schematicPath, CString("BUS" + std::to_string(gate)), terminals, nullptr,
                           nullptr);
      for (int terminal = 1; terminal <= terminals; ++terminal) {
        m_component->SetPinName(gate, terminal, CString("D" + std::to_string(terminal)));
        m_component->SetPinNumber(gate, terminal, SharesPin(terminal) ? kSharedPin : pin);
        ++pin;
      }
    }
  }

  void Open(CMDIFrameWnd* mainWindow) {
    if (mainWindow->GetSafeHwnd() == nullptr) return;
    CCreateContext context;
    context.m_pCurrentDoc = &m_design;
    m_frame =
        static_cast<CComponentFrame*>(CreateMDIChild(RUNTIME_CLASS(CComponentFrame), mainWindow, context));
    if (m_frame != nullptr) m_frameHandle = m_frame->GetSafeHwnd();
  }

  CDesign m_design;
  CComponent* m_component = nullptr;   // not owned: the design's
  CComponentFrame* m_frame = nullptr;  // not owned: its window owns it
  HWND m_frameHandle = nullptr;
};

class Platform {
 public:
  // Made on first use; the scenes close before the main window goes.
  Scene& SceneFor(int terminals) {
    auto& scene = m_scenes[terminals];
    if (scene == nullptr) scene = std::make_unique<Scene>(m_host.MainWindow(), terminals);
    return *scene;
  }

 private:
  HeadlessHost m_host{1200, 800};
  std::map<int, std::unique_ptr<Scene>> m_scenes;
};

Scene* SceneFor(benchmark::State& state) {
  static Platform platform;
  const int terminals = static_cast<int>(state.range(0));
  Scene* scene = &platform.SceneFor(terminals);
  if (!scene->Ready()) {
    state.SkipWithError("the component frame could not be opened");
    return nullptr;
  }
  state.counters["rows"] = static_cast<double>(kGates * terminals);
  return scene;
}

void BM_FillFromHint(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  for (auto _ : state) scene->Grid()->OnUpdate(nullptr, HintComponent, nullptr);
}
BENCHMARK(BM_FillFromHint)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_HighlightSharedPad(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CComponentGrid* grid = scene->Grid();
  CPadInstance* pad = scene->Pad(kSharedPin);
  for (auto _ : state) {
    grid->OnUpdate(scene->PcbView(), HintPicked, pad);
    state.PauseTiming();
    grid->ClearHighlight();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HighlightSharedPad)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ClearManyBoldCells(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CComponentGrid* grid = scene->Grid();
  for (auto _ : state) {
    state.PauseTiming();
    grid->HighlightSymbolInstance(scene->Footprint());
    state.ResumeTiming();
    grid->ClearHighlight();
  }
}
BENCHMARK(BM_ClearManyBoldCells)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// Moves between two gate cells of the shared pin, so that the drawings highlight too.
void BM_MoveToAnotherCell(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CEditGrid& cells = scene->Grid()->GetEditGrid();
  UserInput user;
  long next = 1;
  for (auto _ : state) {
    user.MoveToGridCell(&cells, next, 3 + next % kGates);
    next = next == 1 ? 11 : 1;
  }
}
BENCHMARK(BM_MoveToAnotherCell)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void MarkEveryEditableCellModified(CEditGrid& cells) {
  for (long row = 1; row < cells.GetRows(); ++row) {
    for (long col = 0; col < cells.GetCols(); ++col) {
      cells.SetCell(row, col);
      if (cells.GetCellEditClass() != nullptr) cells.SetCellModified(TRUE);
    }
  }
}

void BM_UpdateEveryModifiedCell(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CComponentGrid* grid = scene->Grid();
  bool ok = true;
  for (auto _ : state) {
    state.PauseTiming();
    MarkEveryEditableCellModified(grid->GetEditGrid());
    state.ResumeTiming();
    ok = grid->UpdateComponent(scene->Component()) && ok;
  }
  if (!ok) state.SkipWithError("the update refused a cell");
}
BENCHMARK(BM_UpdateEveryModifiedCell)->Arg(100)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// A column of 2,000 pins pasted at the first cell of gate a's column, and the grid
// refilled; the drawings' rebuild is measured by the drawing benchmarks (the scene's
// libraries are gone once it is open, so they cannot be rebuilt here).
void BM_PasteColumn(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  std::string block;
  for (int row = 0; row < kGates * static_cast<int>(state.range(0)); ++row)
    block += std::to_string(row + 1) + "\n";
  CComponentGrid* grid = scene->Grid();
  for (auto _ : state) {
    ApplyGridPaste(PlanGridPaste(*grid, 1, 3, block), *scene->Component());
    grid->OnUpdate(nullptr, HintComponent, nullptr);
  }
}
BENCHMARK(BM_PasteColumn)->Arg(100)->Unit(benchmark::kMillisecond);

// A series of 2,000 numbers made and pasted down gate a's column, the grid refilled.
void BM_FillSeriesColumn(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CComponentGrid* grid = scene->Grid();
  FillSeries series;
  for (auto _ : state) {
    GridPastePlan plan;
    const std::vector<CString> values = SeriesValues(series, kGates * static_cast<int>(state.range(0)));
    for (long i = 0; i < static_cast<long>(values.size()); ++i)
      PlanGridCell(*grid, 1 + i, 3, values[i].str(), plan);
    ApplyGridPaste(plan, *scene->Component());
    grid->OnUpdate(nullptr, HintComponent, nullptr);
  }
}
BENCHMARK(BM_FillSeriesColumn)->Arg(100)->Unit(benchmark::kMillisecond);

// The live check after one pin changed: only the cells that share the old or new pin.
void BM_LiveCheckAfterOneEdit(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CPinMapChecks* checks = scene->Frame()->GetPinMapChecks();
  CComponent* component = scene->Component();
  if (checks == nullptr) {
    state.SkipWithError("the frame has no live checks");
    return;
  }
  int pin = 7;
  for (auto _ : state) {
    state.PauseTiming();
    component->SetPinNumber(0, 2, pin);
    pin = pin == 7 ? 8 : 7;
    state.ResumeTiming();
    checks->CheckTerminal(0, 2);
  }
}
BENCHMARK(BM_LiveCheckAfterOneEdit)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
