// The export of a 20,000-pin component (200 gates of 100 terminals on a 20,000-land grid
// array) to the field's symbol library, with its footprint written as a .kicad_mod
// file: the whole export, files written, should take well under 100 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "host/kicad/kicad_export.h"
#include "host/model/component.h"
#include "host/model/design.h"
#include "host/model/symbol_library_contents.h"
#include "tests/support/generated/generated_symbols.h"

namespace {

constexpr int kGates = 200;
constexpr int kTerminalsPerGate = 100;
constexpr int kPins = kGates * kTerminalsPerGate;

class ExportFiles {
 public:
  ExportFiles()
      : m_folder(std::filesystem::temp_directory_path() / ("ce-kicad-export-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(m_folder);
    CSymbolLibraryContents gates(SymbolKind::Schematic);
    for (int gate = 0; gate < kGates; ++gate) gates.Add(MakeBusGate(gate, kTerminalsPerGate));
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    footprints.Add(MakeGridFootprint(kPins));
    CString scm;
    CString pcb;
    if (!SaveTemporaryLibrary(gates, ".scmlib", scm) || !SaveTemporaryLibrary(footprints, ".pcblib", pcb)) {
      m_error = "cannot write the generated libraries";
      return;
    }
    m_paths = {scm, pcb};
    CComponent* record = m_design.AddComponent("ARRAY", "BGA");
    record->SetPcbSymbol(footprints.Get(0).GetName());
    record->GetPcbComponent()->SetLibrary(pcb);
    std::vector<int> pins(kTerminalsPerGate);
    for (int gate = 0; gate < kGates; ++gate) {
      std::iota(pins.begin(), pins.end(), gate * kTerminalsPerGate + 1);
      record->AddGate(gate, scm, ("BUS" + std::to_string(gate)).c_str(), kTerminalsPerGate, nullptr,
                      pins.data());
    }
    record->SetPinCount(kPins);
  }

  ~ExportFiles() {
    std::error_code code;
    std::filesystem::remove_all(m_folder, code);
    for (const CString& path : m_paths) std::filesystem::remove(path.str(), code);
  }

  const std::string& Error() const { return m_error; }
  const CDesign& Design() const { return m_design; }
  CKicadExport::Options Options() const {
    CKicadExport::Options options;
    options.output = CString((m_folder / "array.kicad_sym").string());
    options.footprintFolder = CString((m_folder / "array.pretty").string());
    return options;
  }

 private:
  std::filesystem::path m_folder;
  std::vector<CString> m_paths;
  CDesign m_design;
  std::string m_error;
};

const ExportFiles& TheFiles() {
  static const ExportFiles files;
  return files;
}

// Runs `step` on the 20,000-pin component's sources until the state ends; a set-up or
// step that fails skips the benchmark with its message.
template <typename Step>
void RunOnTheFiles(benchmark::State& state, Step step) {
  const ExportFiles& files = TheFiles();
  if (!files.Error().empty()) {
    state.SkipWithError(files.Error().c_str());
    return;
  }
  const CKicadExport::Options options = files.Options();
  const std::vector<CKicadExport::Source> sources = {CKicadExport::SourceOf(files.Design(), "ARRAY")};
  for (auto _ : state) {
    CString error;
    if (!step(options, sources, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  state.counters["pins"] = kPins;
}

void BM_ExportTwentyThousandPins(benchmark::State& state) {
  RunOnTheFiles(state, [](const auto& options, const auto& sources, CString& error) {
    CKicadExport::Summary summary;
    const bool done = CKicadExport::Export(options, sources, summary, error);
    benchmark::DoNotOptimize(summary);
    return done;
  });
}
BENCHMARK(BM_ExportTwentyThousandPins)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the files: what the export itself costs, apart from the disk's flushes.
void BM_BuildTwentyThousandPins(benchmark::State& state) {
  RunOnTheFiles(state, [](const auto& options, const auto& sources, CString& error) {
    CKicadExport::Files written;
    CKicadExport::Summary summary;
    const bool done = CKicadExport::Build(options, sources, written, summary, error);
    benchmark::DoNotOptimize(written);
    return done;
  });
}
BENCHMARK(BM_BuildTwentyThousandPins)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
