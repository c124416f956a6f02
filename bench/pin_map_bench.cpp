// Pin maps of 2,000 terminals (20 gates of 100) in two packages: writing the table as
// text, reading it back and placing it on the component's records.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "host/pinmap/pin_map_table.h"
#include "host/pinmap/pin_map_text.h"

namespace {

std::vector<ComponentValue> BigRecords() {
  std::vector<ComponentValue> records(2);
  for (int r = 0; r < 2; ++r) {
    records[r].name = "BIG";
    records[r].package = r == 0 ? "BGA-2000" : "QFP-2000";
    records[r].pinCount = 2000;
    for (int g = 0; g < 20; ++g) {
      GateValue gate;
      gate.index = g;
      gate.symbol = "BUS";
      for (int t = 1; t <= 100; ++t)
        gate.terminals.push_back({CString("T" + std::to_string(g * 100 + t)), g * 100 + t});
      records[r].gates.push_back(gate);
    }
  }
  return records;
}

void BM_ExportPinMap(benchmark::State& state) {
  const std::vector<ComponentValue> records = BigRecords();
  for (auto _ : state) benchmark::DoNotOptimize(FormatPinMap(CollectPinMap(records), PinMapSeparator::Comma));
}
BENCHMARK(BM_ExportPinMap)->Unit(benchmark::kMillisecond);

void BM_ImportPinMap(benchmark::State& state) {
  std::vector<ComponentValue> records = BigRecords();
  const std::string text = FormatPinMap(CollectPinMap(records), PinMapSeparator::Comma);
  for (auto _ : state) {
    PinMapTable table;
    PinMapPlacement placement;
    CString error;
    ParsePinMap(text, "big.csv", table, error);
    PlacePinMap(table, records, PinMapMatch::GateAndTerminal, placement, error);
    ApplyPinMap(placement, records);
    benchmark::DoNotOptimize(records.data());
  }
}
BENCHMARK(BM_ImportPinMap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
