// A chip maker's package file made into a saved component: the table read, its gates
// planned and drawn, the pin map found on a footprint of the same ball names, and both
// libraries written. 2,000 balls are a large FPGA; 20,000 the largest parts made.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "host/pinout/pinout_import.h"

namespace {

std::string BallName(int index, int columns) {
  const std::string letters = "ABCDEFGHJKLMNPRTUVWY";
  int row = index / columns;
  std::string name(1, letters[static_cast<std::size_t>(row % 20)]);
  if (row >= 20) name.insert(0, 1, letters[static_cast<std::size_t>(row / 20 - 1)]);
  return name + std::to_string(index % columns + 1);
}

class Workspace {
 public:
  explicit Workspace(int balls) {
    m_folder = std::filesystem::temp_directory_path() / ("pinout-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
    const int columns = 150;
    CSymbolLibraryContents footprints(SymbolKind::Pcb);
    auto footprint = std::make_unique<CSymbol>("BGA", SymbolKind::Pcb);
    std::ofstream table(m_folder / "package.csv");
    table << "Device/Package big\nPin,Pin Name,Memory Byte Group,Bank,VCCAUX Group,Super Logic Region,I/O "
             "Type,No-Connect\n";
    for (int i = 0; i < balls; ++i) {
      const std::string ball = BallName(i, columns);
      const std::string bank = std::to_string(10 + i % 40);
      if (i % 5 == 0)
        table << ball << ",GND,NA,NA,NA,NA,NA,NA\n";
      else
        table << ball << ",IO_L" << i << "P_T0_" << bank << ",0," << bank << ",NA,NA,HP,NA\n";
      CFreePad pad(i + 1, CString(ball), {i % columns * 10000, -(i / columns) * 10000});
      pad.SetLand(PadShape::Round, {5000, 5000}, 0);
      footprint->AddPad(pad);
    }
    footprints.Add(std::move(footprint));
    CString error;
    CSymbolLibraryFile::Save(CString((m_folder / "balls.pcblib").string()), footprints, error);
    m_request.componentLibrary = (m_folder / "parts.cmplib").string();
    m_request.table = (m_folder / "package.csv").string();
    m_request.name = "BIG";
    m_request.footprints = {{"big", CString((m_folder / "balls.pcblib").string() + ":BGA")}};
  }
  ~Workspace() { std::filesystem::remove_all(m_folder); }

  bool Import(CString& error) {
    std::filesystem::remove(m_folder / "parts.cmplib");
    std::filesystem::remove(m_folder / "parts.scmlib");
    CPinoutImport::Summary summary;
    return CPinoutImport::Run(m_request, summary, error);
  }

 private:
  std::filesystem::path m_folder;
  CPinoutImport::Request m_request;
};

void BM_ImportPackageFile(benchmark::State& state) {
  Workspace workspace(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CString error;
    if (!workspace.Import(error)) state.SkipWithError(error.c_str());
  }
  state.counters["balls"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ImportPackageFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
