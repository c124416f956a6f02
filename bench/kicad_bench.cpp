// Reading the field's installed libraries in full: every footprint of the footprint
// package into complete PCB symbols, every symbol of the symbol package into complete
// schematic symbols, one library's names for the chooser, and a name search over every
// symbol as the find dialog runs it per keystroke. tools/install-kicad-libraries installs
// the packages; without them each benchmark skips. CE_KICAD_DIR names another folder
// holding symbols/ and footprints/.
//
// Reading everything is measured against a bare tokeniser that reads the same files on
// the same cores and only counts pads or pins, listing the folders as the full read does
// and reading each file into memory the same way: the counter "ratio" is the full read's
// time over the tokeniser's, measured in the same run, so that it holds on any machine;
// "cpu_ratio" is the same for the processor time the two spend, steadier where other
// programs share the cores.
// Opening one symbol of the largest library is measured as a full read of the library
// and as a read through its index.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <thread>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_symbol_index.h"
#include "host/kicad/kicad_symbol_reader.h"
#include "host/kicad/library_scan.h"
#include "host/libtools/find_library_item.h"
#include "host/model/symbol_library_contents.h"

namespace {

std::filesystem::path Installed(const char* folder) {
  const char* root = std::getenv("CE_KICAD_DIR");
  return std::filesystem::path(root != nullptr ? root : "/usr/share/kicad") / folder;
}

// The reference: splits the text into its tokens (brackets, strings with their escapes,
// atoms) and counts the lists whose keyword is `keyword`, nothing more.
long long CountLists(std::string_view text, std::string_view keyword) {
  const auto delimits = [](char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '(' || c == ')';
  };
  long long count = 0;
  bool afterOpen = false;
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const char c = text[i];
    if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '(' || c == ')') {
      afterOpen = c == '(';
      ++i;
      continue;
    }
    const size_t start = i;
    if (c == '"') {
      for (++i; i < size && text[i] != '"'; ++i) i += text[i] == '\\' ? 1 : 0;
      ++i;
    } else {
      while (i < size && !delimits(text[i])) ++i;
      count += afterOpen && text.substr(start, i - start) == keyword ? 1 : 0;
    }
    afterOpen = false;
  }
  return count;
}

// The files of each library under `folder`, a footprint folder's files as one library.
std::vector<std::vector<std::string>> LibraryFiles(const std::filesystem::path& folder) {
  std::vector<std::vector<std::string>> libraries;
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(folder, code)) {
    const std::optional<SymbolKind> kind = KicadLibrary::KindOfPath(entry.path().string());
    if (!kind) continue;
    if (*kind == SymbolKind::Schematic) {
      libraries.push_back({entry.path().string()});
      continue;
    }
    std::vector<std::string> files;
    for (const auto& file : std::filesystem::directory_iterator(entry.path(), code)) {
      if (file.path().extension() == KicadLibrary::kFootprintExtension) files.push_back(file.path().string());
    }
    libraries.push_back(std::move(files));
  }
  return libraries;
}

// Tokenises every file on as many cores as the full read uses; the pads or pins counted.
long long Tokenise(const std::vector<std::vector<std::string>>& libraries) {
  std::atomic<size_t> next{0};
  std::atomic<long long> counted{0};
  const auto work = [&] {
    std::string text;
    for (size_t index = next++; index < libraries.size(); index = next++) {
      for (const std::string& file : libraries[index]) {
        CString error;
        if (!KicadLibrary::ReadFile(file, text, error)) continue;
        counted += file.ends_with(KicadLibrary::kSymbolExtension) ? CountLists(text, "pin")
                                                                  : CountLists(text, "pad");
      }
    }
  };
  const unsigned helpers = std::min<unsigned>(std::max(1U, std::thread::hardware_concurrency()), 8U) - 1;
  std::vector<std::jthread> threads;
  for (unsigned i = 0; i < helpers && i + 1 < libraries.size(); ++i) threads.emplace_back(work);
  work();
  threads.clear();
  return counted;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor time of all the process's threads: on a machine that others load, it
// varies far less than the wall time.
double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Reads a folder of libraries per iteration, and tokenises it as well, and reports what
// it read and the ratio of the two times.
void ScanFolder(benchmark::State& state, const char* folder) {
  const std::filesystem::path path = Installed(folder);
  if (!std::filesystem::is_directory(path)) {
    state.SkipWithError(("not installed: " + path.string()).c_str());
    return;
  }
  CLibraryScan::Result result;
  double readSeconds = 0;
  double tokeniseSeconds = 0;
  double readProcessor = 0;
  double tokeniseProcessor = 0;
  long long tokens = 0;
  const auto read = [&] {
    result = {};
    CString error;
    const double processor = ProcessSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (!CLibraryScan::Scan(CString(path.string()), result, error)) state.SkipWithError(error.str().c_str());
    const double seconds = SecondsSince(start);
    readProcessor += ProcessSeconds() - processor;
    readSeconds += seconds;
    state.SetIterationTime(seconds);
  };
  // Each side lists the folders in its timed part, as the full read must find its files.
  const auto tokenise = [&] {
    const double processor = ProcessSeconds();
    const auto start = std::chrono::steady_clock::now();
    tokens = Tokenise(LibraryFiles(path));
    tokeniseSeconds += SecondsSince(start);
    tokeniseProcessor += ProcessSeconds() - processor;
  };
  // The files are read once before timing, so that neither side pays for the disk, and
  // the two take turns at going first, so that neither finds the caches the other left.
  Tokenise(LibraryFiles(path));
  bool readFirst = true;
  for (auto _ : state) {
    if (readFirst) {
      read();
      tokenise();
    } else {
      tokenise();
      read();
    }
    readFirst = !readFirst;
  }
  state.counters["tokeniser_ms"] = 1000 * tokeniseSeconds / static_cast<double>(state.iterations());
  state.counters["ratio"] = readSeconds / tokeniseSeconds;
  state.counters["cpu_ratio"] = readProcessor / tokeniseProcessor;
  state.counters["tokeniser_pads"] = static_cast<double>(tokens);
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
BENCHMARK(BM_ReadAllFootprints)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseManualTime();

void BM_ReadAllSymbols(benchmark::State& state) {
  ScanFolder(state, "symbols");
}
BENCHMARK(BM_ReadAllSymbols)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseManualTime();

// The largest symbol library's names, read from the file and indexed, as the chooser lists them.
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
    std::string text;
    const auto index = KicadLibrary::ReadFile(largest.string(), text, error)
                           ? CKicadSymbolIndex::Scan(text, largest.filename().string(), error)
                           : nullptr;
    names = index != nullptr ? index->UnitNames().size() : 0;
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

// The large library of real parts, and its first symbol with many units.
constexpr const char* kLargeLibrary = "FPGA_Xilinx_Virtex7.kicad_sym";
constexpr const char* kLargeSymbol = "XC7VX415T-FFG1927";

bool LargeLibrary(benchmark::State& state, std::string& text) {
  CString error;
  if (KicadLibrary::ReadFile((Installed("symbols") / kLargeLibrary).string(), text, error)) return true;
  state.SkipWithError(error.str().c_str());
  return false;
}

// The library's text in memory, read three ways: tokenised, indexed, parsed in full.
void BM_LargeLibraryTokenise(benchmark::State& state) {
  std::string text;
  if (!LargeLibrary(state, text)) return;
  long long pins = 0;
  for (auto _ : state) benchmark::DoNotOptimize(pins = CountLists(text, "pin"));
  state.counters["pins"] = static_cast<double>(pins);
}
BENCHMARK(BM_LargeLibraryTokenise)->Unit(benchmark::kMillisecond);

void BM_LargeLibraryIndex(benchmark::State& state) {
  std::string text;
  if (!LargeLibrary(state, text)) return;
  size_t symbols = 0;
  for (auto _ : state) {
    CString error;
    const auto index = CKicadSymbolIndex::Scan(text, kLargeLibrary, error);
    symbols = index != nullptr ? index->Symbols().size() : 0;
  }
  state.counters["symbols"] = static_cast<double>(symbols);
}
BENCHMARK(BM_LargeLibraryIndex)->Unit(benchmark::kMillisecond);

void BM_LargeLibraryParse(benchmark::State& state) {
  std::string text;
  if (!LargeLibrary(state, text)) return;
  int units = 0;
  for (auto _ : state) {
    CString error;
    const auto contents = CKicadSymbolReader::Parse(text, kLargeLibrary, error);
    units = contents != nullptr ? contents->Count() : 0;
  }
  state.counters["units"] = units;
}
BENCHMARK(BM_LargeLibraryParse)->Unit(benchmark::kMillisecond);

// One symbol's first unit from the file, as opening a component drew it before: the
// whole library parsed.
void BM_OpenOneSymbolByFullRead(benchmark::State& state) {
  const CString path((Installed("symbols") / kLargeLibrary).string());
  int pads = 0;
  for (auto _ : state) {
    CString error;
    const auto contents = KicadLibrary::Load(path, error);
    const CSymbol* unit = contents != nullptr ? contents->Find(std::string(kLargeSymbol) + ":A") : nullptr;
    pads = unit != nullptr ? unit->CountPads() : 0;
  }
  state.counters["pads"] = pads;
}
BENCHMARK(BM_OpenOneSymbolByFullRead)->Unit(benchmark::kMillisecond);

// The same through the index: made from the file on the first open (arg 0), kept on the
// next ones (arg 1).
void BM_OpenOneSymbolByIndex(benchmark::State& state) {
  const CString path((Installed("symbols") / kLargeLibrary).string());
  int pads = 0;
  for (auto _ : state) {
    CString error;
    std::shared_ptr<const CKicadSymbolIndex> index;
    if (state.range(0) == 0) {
      std::string text;
      if (KicadLibrary::ReadFile(path.str(), text, error))
        index = CKicadSymbolIndex::Scan(text, kLargeLibrary, error);
    } else {
      index = CKicadSymbolIndex::Get(path, error);
    }
    const CKicadSymbolIndex::Symbol* symbol = index != nullptr ? index->FindSymbol(kLargeSymbol) : nullptr;
    const auto contents = symbol != nullptr ? index->Read(path, *symbol, error) : nullptr;
    const CSymbol* unit = contents != nullptr ? contents->Find(std::string(kLargeSymbol) + ":A") : nullptr;
    if (unit == nullptr) {
      state.SkipWithError("not installed");
      return;
    }
    pads = unit->CountPads();
  }
  state.counters["pads"] = pads;
}
BENCHMARK(BM_OpenOneSymbolByIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
