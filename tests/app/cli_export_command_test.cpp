// Components out to the field's libraries as a script exports them: every sample goes
// out and comes back through import-symbol with its pin map, terminal names and gates;
// supplies shared by every gate go into the units' shared part; refusals write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/cli_commands.h"
#include "host/kicad/kicad_export.h"
#include "host/kicad/kicad_library.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_text.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace Samples = KicadImportSamples;
using NamedPins = std::vector<std::vector<std::pair<std::string, std::string>>>;

// Per gate, the (name, pin) of every terminal with a pin, in name order: a terminal is
// named by its own name, else by its symbol's pin; a pin as the footprint names it.
NamedPins PinsOf(const CComponent& record, const std::string& library) {
  const CPinLabels labels = CPinLabels::ForPackage(record, CString(library));
  NamedPins pins;
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    CString path;
    EXPECT_TRUE(
        CSymbolLibraryLocator(SymbolKind::Schematic, CString(library)).Find(gate->GetLibrary(), path));
    CScmSymbolLibrary symbols(path);
    EXPECT_TRUE(symbols.OpenRead()) << path.str();
    const CSymbol* symbol = symbols.Find(gate->GetSymbol());
    auto& gatePins = pins.emplace_back();
    for (int terminal = 1; symbol != nullptr && terminal <= gate->CountPins(); ++terminal) {
      if (gate->GetPinNumber(terminal) == CGate::kNoPin) continue;
      const CString name = gate->GetPinName(terminal);
      gatePins.emplace_back(name.IsEmpty() ? symbol->FindPad(terminal)->GetName().str() : name.str(),
                            labels.Text(gate->GetPinNumber(terminal)).str());
    }
    std::sort(gatePins.begin(), gatePins.end());
  }
  return pins;
}

class CliExportCommandTest : public ::testing::Test {
 protected:
  CliRun Export(std::vector<std::string> words) {
    words.insert(words.begin(), "export-kicad");
    return RunCliCommand(RunCli, std::move(words));
  }

  // The folder that holds the package's footprint in the field's format after the export.
  std::string FootprintFolder(const CComponent& record, const std::string& library) const {
    const CString path = CSymbolLibraryLocator(SymbolKind::Pcb, CString(library))
                             .GetPath(record.GetPcbComponent()->GetLibrary());
    return KicadLibrary::KindOfPath(path.str()) == SymbolKind::Pcb ? path.str() : m_folder / "Out.pretty";
  }

  // Imports each symbol exported for `library` again and compares it with its record.
  void ExpectRoundTrip(const std::string& library) {
    std::vector<LibraryEntry> entries;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::ReadContents(CString(library), entries, error)) << error.str();
    const std::string again = m_folder / "again.cmplib";
    for (const LibraryEntry& entry : entries) {
      CDesign design;
      ASSERT_TRUE(CComponentLibraryFile::LoadComponent(CString(library), entry.name, design, error));
      const CKicadExport::Source source = CKicadExport::SourceOf(design, entry.name);
      for (const CComponent* record : source.records) {
        const std::string symbol =
            entry.name.str() + (source.records.size() > 1 ? "_" + record->GetPackage().str() : "");
        const std::string name = "RT" + std::to_string(++m_imported);
        const CliRun imported = RunCliCommand(
            RunCli, {"import-symbol", again, m_folder / "Out.kicad_sym", symbol, "--footprint",
                     FootprintFolder(*record, library), record->GetPcbSymbol().str(), "--name", name});
        ASSERT_EQ(imported.code, 0) << symbol << ": " << imported.err;
        CDesign back;
        ASSERT_TRUE(CComponentLibraryFile::LoadComponent(CString(again), name.c_str(), back, error));
        EXPECT_EQ(back.FirstComponent()->CountGates(), record->CountGates()) << symbol;
        EXPECT_EQ(PinsOf(*back.FirstComponent(), again), PinsOf(*record, library)) << symbol;
      }
    }
  }

  ScratchFolder m_folder;
  int m_imported = 0;
};

TEST_F(CliExportCommandTest, EverySampleComesBackThroughImportSymbol) {
  Samples::Write(m_folder.Path());
  const std::string imported = m_folder / "imported.cmplib";
  ASSERT_EQ(
      RunCliCommand(RunCli, {"import-symbol", imported, m_folder / Samples::kSymbolLibrary, Samples::kQuad,
                             "--footprint", m_folder / Samples::kFootprintFolder, Samples::kDip})
          .code,
      0);
  const std::vector<std::string> libraries = {CE_DATA_DIR "/sample.cmplib",
                                              CE_DATA_DIR "/big/big-fpga.cmplib",
                                              CE_DATA_DIR "/big/big-fpga-banks.cmplib", imported};
  for (const std::string& library : libraries) {
    SCOPED_TRACE(library);
    const std::vector<std::string> words = {library,
                                            "--out",
                                            m_folder / "Out.kicad_sym",
                                            "--footprints",
                                            m_folder / "Out.pretty",
                                            "--leave-unnumbered"};
    const CliRun outcome = Export(words);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    const std::string written = ReadFileText(m_folder / "Out.kicad_sym");
    ASSERT_EQ(Export(words).code, 0);
    EXPECT_EQ(ReadFileText(m_folder / "Out.kicad_sym"), written) << "the same bytes again";
    ExpectRoundTrip(library);
  }
  // The supplies every unit draws alike are one pin each of the shared part, kept hidden
  // and of their type.
  const std::string shared = ReadFileText(m_folder / "Out.kicad_sym");
  const size_t part = shared.find("(symbol \"QUAD_0_1\"");
  ASSERT_NE(part, std::string::npos) << shared;
  EXPECT_NE(shared.find("(pin power_in line (at 0 7.62 270) (length 2.54) hide", part), std::string::npos);
  size_t supplies = 0;
  for (size_t at = shared.find("(number \"14\""); at != std::string::npos;
       at = shared.find("(number \"14\"", at + 1))
    ++supplies;
  EXPECT_EQ(supplies, 1u) << "one pin, not one per unit";
}

}  // namespace
