// Placing a large component as the symbol views do on every rebuild: 20 gates of 100
// terminals (2,000 pins) in a schematic design, a 2,000-pad package in a PCB design, and
// both doubled. The symbols are generated into temporary libraries first; after the
// first run the libraries come from the parsed-library cache, as they do in the editor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

#include "host/model/component_instance.h"
#include "host/model/design.h"
#include "host/model/symbol_library_file.h"
#include "platform/temp_file.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr int kTerminals = 100;
constexpr int kGatesPerScale = 20;
constexpr int kGrid = 25400;

// Temporary libraries for one scale, removed at exit.
struct Libraries {
  CString schematic;
  CString pcb;
  bool ok = false;

  explicit Libraries(int scale) {
    CSymbolLibraryContents gates(SymbolKind::Schematic);
    for (int index = 0; index < kGatesPerScale * scale; ++index) gates.Add(MakeBusGate(index, kTerminals));
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(kGatesPerScale * kTerminals * scale));
    ok =
        SaveTemporaryLibrary(gates, ".scmlib", schematic) && SaveTemporaryLibrary(footprints, ".pcblib", pcb);
  }
  ~Libraries() {
    std::remove(schematic.c_str());
    std::remove(pcb.c_str());
  }
};

const Libraries& LibrariesFor(int scale) {
  static std::map<int, std::unique_ptr<Libraries>> made;
  auto& libraries = made[scale];
  if (libraries == nullptr) libraries = std::make_unique<Libraries>(scale);
  return *libraries;
}

CComponent* AddLargeComponent(CDesign& design, const Libraries& libraries, int scale) {
  CComponent* component = design.AddComponent("BIG", "BGA");
  const int gates = kGatesPerScale * scale;
  component->SetPinCount(gates * kTerminals);
  component->SetPcbSymbol(CString("BGA" + std::to_string(gates * kTerminals)));
  component->GetPcbComponent()->SetLibrary(libraries.pcb);
  int pin = 1;
  for (int gate = 0; gate < gates; ++gate) {
    component->AddGate(gate, libraries.schematic, CString("BUS" + std::to_string(gate)), kTerminals, nullptr,
                       nullptr);
    for (int terminal = 1; terminal <= kTerminals; ++terminal) component->SetPinNumber(gate, terminal, pin++);
  }
  return component;
}

void PlaceRepeatedly(benchmark::State& state, CDesign& design) {
  const int scale = static_cast<int>(state.range(0));
  const Libraries& libraries = LibrariesFor(scale);
  if (!libraries.ok) {
    state.SkipWithError("the generated libraries could not be written");
    return;
  }
  CComponent* component = AddLargeComponent(design, libraries, scale);
  // The first placement parses the libraries; the editor's rebuilds find them cached.
  design.DeleteComponentInstance(design.AddComponentInstance("U1", component, "", true));
  for (auto _ : state) {
    CComponentInstance* instance = design.AddComponentInstance("U1", component, "", true);
    if (instance == nullptr) {
      state.SkipWithError("the component could not be placed");
      return;
    }
    state.PauseTiming();
    design.DeleteComponentInstance(instance);
    state.ResumeTiming();
  }
  state.counters["pins"] = kGatesPerScale * kTerminals * scale;
}

void BM_PlaceInSchematic(benchmark::State& state) {
  CScmDesign design;
  PlaceRepeatedly(state, design);
}
BENCHMARK(BM_PlaceInSchematic)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PlaceOnPcb(benchmark::State& state) {
  CPcbDesign design;
  PlaceRepeatedly(state, design);
}
BENCHMARK(BM_PlaceOnPcb)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// What a view does after placing: arrange the gates and fit the extents.
void BM_ArrangeAndMeasure(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  CScmDesign design;
  CComponent* component = AddLargeComponent(design, LibrariesFor(scale), scale);
  CComponentInstance* instance = design.AddComponentInstance("U1", component, "", true);
  if (instance == nullptr) {
    state.SkipWithError("the component could not be placed");
    return;
  }
  for (auto _ : state) {
    instance->ArrangeSymbolInstances(CSize(kGrid, kGrid), false, CAngle(0));
    benchmark::DoNotOptimize(design.GetExtents());
  }
}
BENCHMARK(BM_ArrangeAndMeasure)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
