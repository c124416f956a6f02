// Opening a symbol library again should cost a file status check, not a parse: placing
// 20 gates from one library opens it 20 times. Compare the cached open with a parse.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "host/model/symbol_library.h"
#include "host/model/symbol_library_file.h"

namespace {

const CString kLibrary = CE_DATA_DIR "/footprints.pcblib";

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
  std::ifstream file(kLibrary.str(), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  const std::string contents = text.str();
  for (auto _ : state) {
    CString error;
    benchmark::DoNotOptimize(CSymbolLibraryFile::Parse(contents, kLibrary, error));
  }
}
BENCHMARK(BM_ParseOnce);

}  // namespace

BENCHMARK_MAIN();
