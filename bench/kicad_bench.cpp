// Reading the field's installed libraries in full: every footprint of the footprint
// package into complete PCB symbols, every symbol of the symbol package into complete
// schematic symbols, one library's names for the chooser, and a name search over every
// symbol as the find dialog runs it per keystroke. tools/install-kicad-libraries installs
// the packages; without them each benchmark skips. CE_KICAD_DIR names another folder
// holding symbols/ and footprints/.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "host/kicad/kicad_library.h"
#include "host/kicad/library_scan.h"
#include "host/libtools/find_library_item.h"
#include "host/model/symbol_library_contents.h"

namespace {

std::filesystem::path Installed(const char* folder) {
  const char* root = std::getenv("CE_KICAD_DIR");
  return std::filesystem::path(root != nullptr ? root : "/usr/share/kicad") / folder;
}

// Reads a folder of libraries per iteration and reports what it read.
void ScanFolder(benchmark::State& state, const char* folder) {
  const std::filesystem::path path = Installed(folder);
  if (!std::filesystem::is_directory(path)) {
    state.SkipWithError(("not installed: " + path.string()).c_str());
    return;
  }
  CLibraryScan::Result result;
  for (auto _ : state) {
    result = {};
    CString error;
    if (!CLibraryScan::Scan(CString(path.string()), result, error)) state.SkipWithError(error.str().c_str());
  }
  state.counters["files"] = result.files;
  state.counters["libraries"] = result.libraries;
  state.counters["symbols"] = result.symbols;
  state.counters["pads"] = static_cast<double>(result.pads);
  state.counters["failures"] = static_cast<double>(result.failures.size());
  for (const CString& failure : result.failures) std::fprintf(stderr, "%s\n", failure.str().c_str());
}

void BM_ReadAllFootprints(benchmark::State& state) {
  ScanFolder(state, "footprints");
}
BENCHMARK(BM_ReadAllFootprints)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadAllSymbols(benchmark::State& state) {
  ScanFolder(state, "symbols");
}
BENCHMARK(BM_ReadAllSymbols)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The largest symbol library's names, read from the file, as the chooser lists them.
void BM_ListLargestLibrary(benchmark::State& state) {
  std::filesystem::path largest;
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(Installed("symbols"), code)) {
    if (largest.empty() || entry.file_size() > std::filesystem::file_size(largest)) largest = entry.path();
  }
  if (largest.empty()) {
    state.SkipWithError("not installed");
    return;
  }
  size_t names = 0;
  for (auto _ : state) {
    CString error;
    const auto contents = KicadLibrary::Load(CString(largest.string()), error);
    names = contents != nullptr ? contents->Names().size() : 0;
  }
  state.SetLabel(largest.filename().string());
  state.counters["names"] = static_cast<double>(names);
}
BENCHMARK(BM_ListLargestLibrary)->Unit(benchmark::kMillisecond);

// One keystroke's search over the names of every installed symbol.
void BM_SearchAllSymbolNames(benchmark::State& state) {
  std::vector<CString> names;
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(Installed("symbols"), code)) {
    CString error;
    if (const auto contents = KicadLibrary::Load(CString(entry.path().string()), error)) {
      for (CString& name : contents->Names()) names.push_back(std::move(name));
    }
  }
  if (names.empty()) {
    state.SkipWithError("not installed");
    return;
  }
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (const CString& name : names) found += MatchesNamePattern(name.str(), "*LM3*") ? 1 : 0;
  }
  state.counters["names"] = static_cast<double>(names.size());
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchAllSymbolNames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
