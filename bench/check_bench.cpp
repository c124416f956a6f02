// The command line's check and diff as a pre-commit hook runs them: a library of 200
// components, one of them of 20,000 terminals on a ball grid (written by
// tools/make_big_component.py), the rest the sample's parts under new names, each with
// its symbol libraries beside it. The whole command is timed: reading the library, the
// design's validity check with its symbol look-ups, the name rules and the report.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "host/model/component_library_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kComponents = 200;

class BenchLibrary {
 public:
  BenchLibrary() : m_dir(fs::temp_directory_path() / ("check-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(m_dir);
    m_ready = Write();
  }
  ~BenchLibrary() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
  }
  BenchLibrary(const BenchLibrary&) = delete;
  BenchLibrary& operator=(const BenchLibrary&) = delete;

  bool Ready() const { return m_ready; }
  std::string Library() const { return (m_dir / "library.cmplib").string(); }
  std::string Changed() const { return (m_dir / "changed.cmplib").string(); }

 private:
  bool Write() {
    const std::string command = "python3 " CE_TOOLS_DIR
                                "/make_big_component.py big-fpga-20k --terminals 20000 "
                                "--gates 20 --out " +
                                m_dir.string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    for (const char* name : {"logic.scmlib", "analog.scmlib", "footprints.pcblib"})
      fs::copy_file(fs::path(CE_DATA_DIR) / name, m_dir / name, fs::copy_options::overwrite_existing);
    std::vector<LibraryComponent> big;
    std::vector<LibraryComponent> sample;
    CString error;
    if (!CComponentLibraryFile::Load((m_dir / "big-fpga-20k.cmplib").string().c_str(), big, error) ||
        !CComponentLibraryFile::Load(CE_DATA_DIR "/sample.cmplib", sample, error) || big.empty() ||
        sample.empty())
      return false;
    std::vector<LibraryComponent> library = big;
    for (int i = 1; i < kComponents; ++i) {
      LibraryComponent copy = sample[static_cast<size_t>(i) % sample.size()];
      copy.name += "-" + std::to_string(i);
      for (ComponentValue& record : copy.records) record.name = copy.name;
      library.push_back(std::move(copy));
    }
    if (!WriteLibrary(Library(), library)) return false;
    library.back().records.front().gates.front().terminals.front().pin = 2;
    return WriteLibrary(Changed(), library);
  }

  static bool WriteLibrary(const std::string& path, const std::vector<LibraryComponent>& components) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const std::string text = CComponentLibraryFile::Format(components);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
  }

  fs::path m_dir;
  bool m_ready = false;
};

BenchLibrary& TheLibrary() {
  static BenchLibrary library;
  return library;
}

using Command = int (*)(int, char**, std::FILE*, std::FILE*);

void RunCommand(benchmark::State& state, Command command, std::vector<std::string> words) {
  if (!TheLibrary().Ready()) {
    state.SkipWithError("the benchmark's library could not be written");
    return;
  }
  std::FILE* sink = std::fopen("/dev/null", "w");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(command(static_cast<int>(argv.size()), argv.data(), sink, sink));
  }
  std::fclose(sink);
  state.counters["components"] = kComponents;
}

void BM_CheckLibrary(benchmark::State& state) {
  RunCommand(state, RunCli, {"component-editor-cli", "check", TheLibrary().Library()});
}
BENCHMARK(BM_CheckLibrary)->Unit(benchmark::kMillisecond);

void BM_DiffLibraries(benchmark::State& state) {
  RunCommand(state, RunCli, {"component-editor-cli", "diff", TheLibrary().Library(), TheLibrary().Changed()});
}
BENCHMARK(BM_DiffLibraries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
