// Components out to the field's libraries as a script exports them: every sample goes
// out and comes back through import-symbol with its pin map, terminal names and gates;
// supplies shared by every gate go into the units' shared part.
#include <algorithm>
#include <utility>

#include "host/kicad/kicad_export.h"
#include "host/kicad/kicad_library.h"
#include "host/model/gate.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "tests/app/cli_fixture.h"

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

class CliExportCommandTest : public CliTest {
 protected:
  // The folder that holds the package's footprint in the field's format after the export.
  std::string FootprintFolder(const CComponent& record, const std::string& library) const {
    const CString path = CSymbolLibraryLocator(SymbolKind::Pcb, CString(library))
                             .GetPath(record.GetPcbComponent()->GetLibrary());
    return KicadLibrary::KindOfPath(path.str()) == SymbolKind::Pcb ? path.str() : In("Out.pretty");
  }

  // Imports each symbol exported for `library` again and compares it with its record.
  void ExpectRoundTrip(const std::string& library) {
    std::vector<LibraryEntry> entries;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::ReadContents(CString(library), entries, error)) << error.str();
    for (const LibraryEntry& entry : entries) {
      CDesign design;
      ASSERT_TRUE(CComponentLibraryFile::LoadComponent(CString(library), entry.name, design, error));
      const CKicadExport::Source source = CKicadExport::SourceOf(design, entry.name);
      for (const CComponent* record : source.records) {
        const std::string symbol =
            entry.name.str() + (source.records.size() > 1 ? "_" + record->GetPackage().str() : "");
        const std::string name = "RT" + std::to_string(++m_imported);
        const CliRun imported =
            Run({"import-symbol", In("again.cmplib"), In("Out.kicad_sym"), symbol, "--footprint",
                 FootprintFolder(*record, library), record->GetPcbSymbol().str(), "--name", name});
        ASSERT_EQ(imported.code, 0) << symbol << ": " << imported.err;
        const CComponent* back = Load(In("again.cmplib"), name.c_str());
        ASSERT_NE(back, nullptr) << symbol;
        EXPECT_EQ(back->CountGates(), record->CountGates()) << symbol;
        EXPECT_EQ(PinsOf(*back, In("again.cmplib")), PinsOf(*record, library)) << symbol;
      }
    }
  }

  int m_imported = 0;
};

TEST_F(CliExportCommandTest, EverySampleComesBackThroughImportSymbol) {
  const std::string imported = In("imported.cmplib");
  ASSERT_EQ(Run({"import-symbol", imported, In(Samples::kSymbolLibrary), Samples::kQuad, "--footprint",
                 In(Samples::kFootprintFolder), Samples::kDip})
                .code,
            0);
  for (const std::string& library :
       {std::string(CE_DATA_DIR "/sample.cmplib"), std::string(CE_DATA_DIR "/big/big-fpga.cmplib"),
        std::string(CE_DATA_DIR "/big/big-fpga-banks.cmplib"), imported}) {
    SCOPED_TRACE(library);
    const std::vector<std::string> words = {"export-kicad",      library,        "--out",
                                            In("Out.kicad_sym"), "--footprints", In("Out.pretty"),
                                            "--leave-unnumbered"};
    const CliRun outcome = Run(words);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    const std::string written = ReadFileText(In("Out.kicad_sym"));
    ASSERT_EQ(Run(words).code, 0);
    EXPECT_EQ(ReadFileText(In("Out.kicad_sym")), written) << "the same bytes again";
    ExpectRoundTrip(library);
  }
  // The supplies every unit draws alike are one pin each of the shared part, kept hidden
  // and of their type.
  const std::string shared = ReadFileText(In("Out.kicad_sym"));
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
