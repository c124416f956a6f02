// Costs of the design model on large components: 20 gates of 100 terminals (2,000 pins)
// and the same doubled. Each cost should grow at most about linearly with the pins.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "host/model/design.h"

namespace {
constexpr UINT kRemapLevel = 19035;

struct Workload {
  CDesign design;
  CComponent* component = nullptr;
};

// `scale` 1 gives 20 gates of 100 terminals, 2 gives 40 such gates.
void Fill(Workload& work, int scale) {
  work.component = work.design.AddComponent("BIG", "PKG");
  const int gates = 20 * scale;
  int pin = 1;
  for (int gate = 0; gate < gates; ++gate) {
    work.component->AddGate(gate, "logic.scmlib", "BUS100", 100, nullptr, nullptr);
    for (int terminal = 1; terminal <= 100; ++terminal) work.component->SetPinNumber(gate, terminal, pin++);
  }
}

// Every terminal gets a new pin number; `shift` varies it between runs.
void RemapAll(CComponent& component, int shift) {
  POSITION position = nullptr;
  int index = 0;
  int pin = shift;
  for (CGate* gate = component.FirstGate(position, index); gate != nullptr;
       gate = component.NextGate(position, index)) {
    const int count = gate->CountPins();
    for (int terminal = 1; terminal <= count; ++terminal) component.SetPinNumber(index, terminal, pin++);
  }
}

// A copy into another design, as each symbol view makes on every rebuild, and its release.
void BM_CopyComponent(benchmark::State& state) {
  Workload work;
  Fill(work, static_cast<int>(state.range(0)));
  CDesign target;
  for (auto _ : state) {
    CComponent* copy = target.AddComponent(work.component);
    benchmark::DoNotOptimize(copy);
    target.DeleteComponent(copy);
  }
  state.counters["pins"] = 2000.0 * static_cast<double>(state.range(0));
}

void BM_RemapAllTerminals(benchmark::State& state) {
  Workload work;
  Fill(work, static_cast<int>(state.range(0)));
  int shift = 0;
  for (auto _ : state) RemapAll(*work.component, ++shift);
  state.counters["pins"] = 2000.0 * static_cast<double>(state.range(0));
}

void BM_UndoLevelAroundRemap(benchmark::State& state) {
  Workload work;
  Fill(work, static_cast<int>(state.range(0)));
  int shift = 0;
  for (auto _ : state) {
    work.design.StartUndoLevel(kRemapLevel);
    RemapAll(*work.component, ++shift);
    work.design.EndUndoLevel(kRemapLevel);
  }
  state.counters["pins"] = 2000.0 * static_cast<double>(state.range(0));
}

void BM_UndoAndRedoRemap(benchmark::State& state) {
  Workload work;
  Fill(work, static_cast<int>(state.range(0)));
  work.design.StartUndoLevel(kRemapLevel);
  RemapAll(*work.component, 7);
  work.design.EndUndoLevel(kRemapLevel);
  for (auto _ : state) {
    work.design.Undo();
    work.design.Redo();
  }
  state.counters["pins"] = 2000.0 * static_cast<double>(state.range(0));
}

void BM_GateAndTerminalOfEveryPin(benchmark::State& state) {
  Workload work;
  Fill(work, static_cast<int>(state.range(0)));
  const int pins = 2000 * static_cast<int>(state.range(0));
  for (auto _ : state) {
    int gate = 0;
    int terminal = 0;
    for (int pin = 1; pin <= pins; ++pin) {
      benchmark::DoNotOptimize(work.component->GetGateAndTerminal(pin, gate, terminal));
    }
    // An edit between the walks makes every walk rebuild the pin index.
    work.component->SetPinNumber(0, 1, work.component->GetPinNumber(0, 1) == 1 ? 0 : 1);
  }
  state.counters["pins"] = static_cast<double>(pins);
}
}  // namespace

BENCHMARK(BM_CopyComponent)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RemapAllTerminals)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoLevelAroundRemap)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoAndRedoRemap)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GateAndTerminalOfEveryPin)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  // Keep released memory in the process: otherwise the C library hands a heap top of a
  // few hundred kilobytes back to the system on every release, and the figures measure
  // the page faults of taking it back rather than the model.
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
