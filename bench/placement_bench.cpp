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

namespace {

constexpr int kTerminals = 100;
constexpr int kGatesPerScale = 20;
constexpr int kGrid = 25400;

std::unique_ptr<CSymbol> GateSymbol(int index) {
  auto symbol = std::make_unique<CSymbol>(CString("BUS" + std::to_string(index)), SymbolKind::Schematic);
  const int rows = kTerminals / 2;
  symbol->AddGraphic(
      CSymbolGraphic("Outline", 2540, CSymbolRectangle{{-2 * kGrid, kGrid}, {2 * kGrid, -rows * kGrid}}));
  symbol->AddGraphic(CSymbolGraphic("Text", 1524, CSymbolText{"U?", {-2 * kGrid, 2 * kGrid}, 15240}));
  for (int terminal = 1; terminal <= kTerminals; ++terminal) {
    const bool left = terminal <= rows;
    const int row = left ? terminal : terminal - rows;
    CFreePad pad(terminal, CString("D" + std::to_string(terminal)),
                 {left ? -4 * kGrid : 4 * kGrid, -row * kGrid});
    pad.SetPin(2 * kGrid, left ? PinDirection::Left : PinDirection::Right);
    symbol->AddPad(pad);
  }
  return symbol;
}

std::unique_ptr<CSymbol> Footprint(int pads) {
  auto symbol = std::make_unique<CSymbol>(CString("BGA" + std::to_string(pads)), SymbolKind::Pcb);
  constexpr int kPitch = 10000;
  constexpr int kColumns = 50;
  symbol->AddGraphic(CSymbolGraphic("Silkscreen", 1500, CSymbolText{"REF", {0, kPitch}, 10000}));
  for (int number = 1; number <= pads; ++number) {
    CFreePad pad(number, CString(), {(number - 1) % kColumns * kPitch, -(number - 1) / kColumns * kPitch});
    pad.SetLand(PadShape::Round, {5000, 5000}, 0);
    symbol->AddPad(pad);
  }
  return symbol;
}

// Temporary libraries for one scale, removed at exit.
struct Libraries {
  CString schematic;
  CString pcb;
  bool ok = false;

  explicit Libraries(int scale) {
    CSymbolLibraryContents gates(SymbolKind::Schematic);
    for (int index = 0; index < kGatesPerScale * scale; ++index) gates.Add(GateSymbol(index));
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(Footprint(kGatesPerScale * kTerminals * scale));
    ok = Save(gates, ".scmlib", schematic) && Save(footprints, ".pcblib", pcb);
  }
  ~Libraries() {
    std::remove(schematic.c_str());
    std::remove(pcb.c_str());
  }

  static bool Save(const CSymbolLibraryContents& contents, const char* extension, CString& path) {
    CString stem;
    if (!GetTempFile(stem)) return false;
    std::remove(stem.c_str());
    path = stem + extension;
    CString error;
    return CSymbolLibraryFile::Save(path, contents, error);
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
