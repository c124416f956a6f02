// Opening a symbol library again should cost a file status check, not a parse: placing
// 20 gates from one library opens it 20 times. Compare the cached open with a parse.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "host/model/symbol_library.h"
#include "host/model/symbol_library_file.h"

namespace {

const CString kLibrary = CE_DATA_DIR "/footprints.pcblib";

std::string FileText(const CString& path) {
  std::ifstream file(path.str(), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void BM_OpenAndReadTwentyTimes(benchmark::State& state) {
  for (auto _ : state) {
    for (int gate = 0; gate < 20; ++gate) {
      CPcbSymbolLibrary library(kLibrary);
      if (!library.OpenRead()) state.SkipWithError("the sample library does not open");
      std::unique_ptr<CSymbol> symbol = library.Read("QFN-16");
      benchmark::DoNotOptimize(symbol.get());
      library.Close();
    }
  }
}
BENCHMARK(BM_OpenAndReadTwentyTimes);

void BM_ParseOnce(benchmark::State& state) {
  const std::string contents = FileText(kLibrary);
  for (auto _ : state) {
    CString error;
    benchmark::DoNotOptimize(CSymbolLibraryFile::Parse(contents, kLibrary, error));
  }
}
BENCHMARK(BM_ParseOnce);

// The footprint and the 17 symbols of the big sample that the editor opens: read before
// the first paint.
void BM_ParseBigLibrary(benchmark::State& state, const char* name) {
  const CString path = CString(CE_DATA_DIR "/big/") + name;
  const std::string contents = FileText(path);
  for (auto _ : state) {
    CString error;
    if (CSymbolLibraryFile::Parse(contents, path, error) == nullptr) state.SkipWithError(error.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(contents.size()));
}
BENCHMARK_CAPTURE(BM_ParseBigLibrary, footprints, "big-fpga-banks.pcblib")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseBigLibrary, symbols, "big-fpga-banks.scmlib")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
