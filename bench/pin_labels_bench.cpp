// The pin labels of a large ball grid: made from the footprint whenever the pin grid
// fills, then asked for every pin cell shown and every name typed.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/kicad/kicad_footprint_reader.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol.h"

namespace {

// 45 rows of 45 balls, rows lettered as grids letter them (no I, O, Q, S, X, Z).
std::unique_ptr<CSymbol> BallGrid(std::vector<std::string>& names) {
  const std::string letters = "ABCDEFGHJKLMNPRTUVWY";
  std::vector<std::string> rows;
  for (const char c : letters) rows.emplace_back(1, c);
  for (const char c : letters) rows.push_back(std::string("A") + c);
  for (const char c : std::string("ABCDE")) rows.push_back(std::string("B") + c);
  std::ostringstream text;
  text << "(footprint \"BGA-2025\" (version 20211014) (layer \"F.Cu\")\n";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 1; column <= 45; ++column) {
      names.push_back(rows[row] + std::to_string(column));
      text << "(pad \"" << names.back() << "\" smd circle (at " << column << " " << row
           << ") (size 0.5 0.5) (layers \"F.Cu\"))\n";
    }
  }
  text << ")\n";
  CString error;
  return CKicadFootprintReader::Parse(text.str(), "BGA-2025.kicad_mod", "BGA-2025", error);
}

void BM_PinLabelsOfABallGrid(benchmark::State& state) {
  std::vector<std::string> names;
  const std::unique_ptr<CSymbol> footprint = BallGrid(names);
  if (footprint == nullptr) {
    state.SkipWithError("the footprint was not read");
    return;
  }
  for (auto _ : state) {
    const CPinLabels labels(footprint.get());
    benchmark::DoNotOptimize(labels.HasNames());
  }
  state.counters["pins"] = footprint->CountPins();
}
BENCHMARK(BM_PinLabelsOfABallGrid)->Unit(benchmark::kMicrosecond);

void BM_EveryPinShownAndEveryNameRead(benchmark::State& state) {
  std::vector<std::string> names;
  const std::unique_ptr<CSymbol> footprint = BallGrid(names);
  if (footprint == nullptr) {
    state.SkipWithError("the footprint was not read");
    return;
  }
  const CPinLabels labels(footprint.get());
  const int pins = footprint->CountPins();
  for (auto _ : state) {
    int sum = 0;
    for (int pin = 1; pin <= pins; ++pin) sum += labels.Text(pin).GetLength();
    for (const std::string& name : names) {
      int pin = 0;
      labels.Read(name, pin);
      sum += pin;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_EveryPinShownAndEveryNameRead)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
