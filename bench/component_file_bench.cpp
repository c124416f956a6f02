// A large component, 20 gates of 100 terminals on a 2,000-pad package, and the same at
// 4,000 and 20,000 pins: loading it from its library file, saving it back and checking it
// should each stay within a few milliseconds and grow no faster than the pin count.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/symbol_library_contents.h"
#include "host/model/symbol_library_file.h"
#include "platform/temp_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTerminalsPerGate = 100;
// The pin counts of the large components: every size the benchmarks below are run at.
constexpr int kPinCounts[] = {2000, 4000, 20000};

std::unique_ptr<CSymbol> NumberedSymbol(const std::string& name, SymbolKind kind, int pads) {
  auto symbol = std::make_unique<CSymbol>(name.c_str(), kind);
  for (int number = 1; number <= pads; ++number) {
    CFreePad pad(number, CString(std::to_string(number)), CPoint(0, number * 1000));
    if (kind == SymbolKind::Pcb) pad.SetLand(PadShape::Round, CSize(500, 500), 0);
    symbol->AddPad(pad);
  }
  return symbol;
}

std::string PackageName(int pins) {
  return "GRID-" + std::to_string(pins);
}

// A scratch folder with a schematic library, a PCB library and a component library
// holding the sample components and one large component per size.
class BenchFiles {
 public:
  static BenchFiles& Instance() {
    static BenchFiles files;
    return files;
  }

  const std::string& Error() const { return m_error; }
  // The sample components and the large component of that many pins.
  CString Library(int pins) const { return (m_dir / ("array-" + std::to_string(pins) + ".cmplib")).c_str(); }
  CString Report() const { return (m_dir / "report.txt").c_str(); }
  static std::string ComponentName(int pins) { return "ARRAY-" + std::to_string(pins); }

  ~BenchFiles() {
    std::error_code code;
    fs::remove_all(m_dir, code);
  }

 private:
  BenchFiles() {
    std::string pattern = (fs::temp_directory_path() / "ce-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      m_error = "cannot make a scratch folder";
      return;
    }
    m_dir = pattern;
    CString error;
    if (!WriteSymbolLibraries(error) || !WriteComponentLibrary(error)) m_error = error.str();
  }

  bool WriteSymbolLibraries(CString& error) const {
    CSymbolLibraryContents schematic(SymbolKind::Schematic);
    schematic.Add(NumberedSymbol("BANK", SymbolKind::Schematic, kTerminalsPerGate));
    CSymbolLibraryContents pcb(SymbolKind::Pcb);
    for (int pins : kPinCounts) pcb.Add(NumberedSymbol(PackageName(pins), SymbolKind::Pcb, pins));
    return CSymbolLibraryFile::Save((m_dir / "bench.scmlib").c_str(), schematic, error) &&
           CSymbolLibraryFile::Save((m_dir / "bench.pcblib").c_str(), pcb, error);
  }

  bool WriteComponentLibrary(CString& error) const {
    std::vector<LibraryComponent> samples;
    if (!CComponentLibraryFile::Load(CE_DATA_DIR "/sample.cmplib", samples, error)) return false;
    for (int pins : kPinCounts) {
      if (!WriteFileAtomically(Library(pins), CComponentLibraryFile::Format(samples), error)) return false;
      CDesign design;
      AddArrayComponent(design, pins);
      if (!CComponentLibraryFile::SaveComponent(Library(pins), ComponentName(pins).c_str(), design, error)) {
        return false;
      }
    }
    return true;
  }

  static void AddArrayComponent(CDesign& design, int pins) {
    CComponent* record = design.AddComponent(ComponentName(pins).c_str(), PackageName(pins).c_str());
    record->SetPcbSymbol(PackageName(pins).c_str());
    record->GetPcbComponent()->SetLibrary("bench.pcblib");
    record->SetPinCount(pins);
    std::vector<CString> names;
    for (int terminal = 1; terminal <= kTerminalsPerGate; ++terminal) {
      names.emplace_back("T" + std::to_string(terminal));
    }
    std::vector<int> numbers(kTerminalsPerGate);
    for (int gate = 0; gate < pins / kTerminalsPerGate; ++gate) {
      for (int terminal = 0; terminal < kTerminalsPerGate; ++terminal) {
        numbers[static_cast<size_t>(terminal)] = gate * kTerminalsPerGate + terminal + 1;
      }
      record->AddGate(gate, "bench.scmlib", "BANK", kTerminalsPerGate, names.data(), numbers.data());
    }
  }

  fs::path m_dir;
  std::string m_error;
};

bool LoadArray(benchmark::State& state, CDesign& design) {
  BenchFiles& files = BenchFiles::Instance();
  CString error;
  const int pins = static_cast<int>(state.range(0));
  const CString library = files.Library(pins);
  if (files.Error().empty() &&
      CComponentLibraryFile::LoadComponent(library, BenchFiles::ComponentName(pins).c_str(), design, error)) {
    design.SetPathName(library);
    return true;
  }
  state.SkipWithError(files.Error().empty() ? error.c_str() : files.Error().c_str());
  return false;
}

void BM_LoadComponent(benchmark::State& state) {
  for (auto _ : state) {
    CDesign design;
    if (!LoadArray(state, design)) break;
    benchmark::DoNotOptimize(design.FirstComponent());
  }
}
BENCHMARK(BM_LoadComponent)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_SaveComponent(benchmark::State& state) {
  CDesign design;
  if (!LoadArray(state, design)) return;
  const CString name = design.FirstComponent()->GetName();
  for (auto _ : state) {
    CString error;
    if (!CComponentLibraryFile::SaveComponent(design.GetPathName(), name, design, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}
BENCHMARK(BM_SaveComponent)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

// What a recovery copy costs the user-interface thread: taking the records out of the
// design. Formatting and writing them (as a save does) happen on the copy's own thread.
void BM_RecoverySnapshot(benchmark::State& state) {
  CDesign design;
  if (!LoadArray(state, design)) return;
  const CString name = design.FirstComponent()->GetName();
  for (auto _ : state) {
    LibraryComponent copy = CComponentLibraryFile::CollectComponent(design, name);
    benchmark::DoNotOptimize(copy.records.data());
  }
}
BENCHMARK(BM_RecoverySnapshot)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CheckValid(benchmark::State& state) {
  CDesign design;
  if (!LoadArray(state, design)) return;
  for (auto _ : state) {
    const CString report = design.CheckValid(BenchFiles::Instance().Report());
    if (!report.IsEmpty()) {
      state.SkipWithError(report.c_str());
      break;
    }
  }
}
BENCHMARK(BM_CheckValid)->Arg(2000)->Arg(4000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
