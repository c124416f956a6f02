// The field's libraries and pinout tables from and to the command line, as a script
// runs them: a symbol imported on its footprint (the component it adds, the pins it
// reports left without a pad), a two-package pinout table, show and export when the
// footprint that names the pins is gone, and every sample exported and imported again
// with its gates and pin map, supplies shared by every gate in the units' shared part.

#include "host/kicad/kicad_export.h"
#include "host/kicad/kicad_library.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library_locator.h"
#include "tests/app/cli_fixture.h"

namespace {

using GatePins = std::vector<std::vector<std::string>>;

// Per gate, the pins of its terminals as the footprint names them, in order: an export
// and an import again may renumber pins and reorder terminals, never move a pin.
GatePins PinsOf(const CComponent& record, const std::string& library) {
  const CPinLabels labels = CPinLabels::ForPackage(record, CString(library));
  GatePins pins;
  POSITION position = nullptr;
  int index = 0;
  for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
       gate = record.NextGate(position, index)) {
    auto& gatePins = pins.emplace_back();
    for (int terminal = 1; terminal <= gate->CountPins(); ++terminal)
      if (gate->GetPinNumber(terminal) != CGate::kNoPin)
        gatePins.push_back(labels.Text(gate->GetPinNumber(terminal)).str());
    std::sort(gatePins.begin(), gatePins.end());
  }
  return pins;
}

class CliImportCommandTest : public CliTest {
 protected:
  std::string Parts() const { return In("parts.cmplib"); }
  CliRun Import(std::vector<std::string> more) {
    more.insert(more.begin(), {"import-symbol", Parts(), In(Samples::kSymbolLibrary)});
    return Run(std::move(more));
  }
  std::string Footprints() const { return In(Samples::kFootprintFolder); }

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
        EXPECT_EQ(PinsOf(*back, In("again.cmplib")), PinsOf(*record, library)) << symbol;
      }
    }
  }

  int m_imported = 0;
};

// Balls named A1 ... B2 printed as bare pin numbers once their footprint was gone: show
// and export say so and stop, unless told to go on.
TEST_F(CliImportCommandTest, ShowAndExportStopWhenTheFootprintThatNamesThePinsIsMissing) {
  ASSERT_EQ(Import({Samples::kBall, "--footprint", Footprints(), Samples::kBallFootprint}).code, 0);
  const CliRun found = Run({"show", Parts()});
  EXPECT_EQ(std::make_tuple(found.code, found.err, found.out.find("pin A1") != std::string::npos),
            std::make_tuple(0, std::string(), true))
      << found.out;

  std::filesystem::remove_all(Footprints());
  const std::string unread =
      "The footprint BGA-4 of BGA5 in BGA-4 cannot be read: Cannot open library Import.pretty";
  const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
      {{"show", Parts()}, 1, "shown"},
      {{"show", Parts(), Samples::kBall, "--keep-going"}, 0, "pin 1"},
      {{"export", Parts(), Samples::kBall}, 1, "exported"},
      {{"export", Parts(), Samples::kBall, "--keep-going"}, 0, "exported"},
  };
  for (const auto& [words, code, said] : cases) {
    const CliRun run = Run(words);
    EXPECT_EQ(run.code, code) << run.err;
    EXPECT_EQ(run.err.rfind(unread, 0), 0u) << run.err;
    EXPECT_NE((run.err + run.out).find(said), std::string::npos) << run.err;
    EXPECT_EQ(run.out.empty(), code == 1) << run.out;
  }
}

TEST_F(CliImportCommandTest, ATwoPackagePinoutTableGivesBothPackagesAndReportsWhatStayedUnassigned) {
  WriteFileText(In("part.csv"),
                "PAD,Pin/Ball Function,Bank,Dual Function,Differential,High Speed,DQS,CABGA4,DIP14\n"
                "1,PL2A,7,,True,,,A1,1\n2,PL2B,7,,Comp,,,A2,-\n3,VCC,-,,,,,B1,7\n4,GND,-,,,,,B2,14\n");
  const CliRun outcome = Run({"import-pinout", Parts(), In("part.csv"), "--name", "PART", "--footprint",
                              "DIP14=" + Footprints() + ":" + Samples::kDip});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  for (const std::string& said :
       {std::string("2 gates, 2 packages"),
        std::string("CABGA4: without a footprint 4 balls named otherwise than by a number stayed unassigned: "
                    "A1, A2, B1, B2."),
        "DIP14: 11 pads of " + std::string(Samples::kDip) + " have no terminal"})
    EXPECT_NE(outcome.out.find(said), std::string::npos) << outcome.out;
  ASSERT_NE(Load(Parts(), "PART", "CABGA4"), nullptr);
  // PL2B is not in this package; GND comes below VCC in natural order.
  EXPECT_EQ(Described(*Load(Parts(), "PART", "DIP14")),
            "DIP14 Import.pretty:DIP-14 14 U | parts.scmlib:PART_BANK_7 1 - | parts.scmlib:PART_POWER 14 7");
}

// A symbol imported on its footprint: one gate per unit with the pin map of the
// footprint, and the balls without a pad reported. Then every sample comes back.
TEST_F(CliImportCommandTest, ImportsAddOneGatePerUnitAndEverySampleComesBackThroughImportSymbol) {
  const CliRun quad = Import({Samples::kQuad, "--footprint", Footprints(), Samples::kDip});
  ASSERT_EQ(quad.code, 0) << quad.err;
  EXPECT_EQ(quad.out, "Added QUAD to " + Parts() + ": 2 gates, package DIP-14.\n");
  EXPECT_EQ(Described(*Load(Parts(), "QUAD")),
            "DIP-14 Import.pretty:DIP-14 14 U | Import.kicad_sym:QUAD:A 1 2 3 7 14 | Import.kicad_sym:QUAD:B "
            "4 5 6 7 14");

  const CliRun balls = Import(
      {"BGA5", "--footprint", Footprints(), Samples::kBallFootprint, "--name", "SENSOR", "--package", "BGA"});
  ASSERT_EQ(balls.code, 0) << balls.err;
  EXPECT_NE(balls.out.find("1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, terminal 5)."),
            std::string::npos)
      << balls.out;
  EXPECT_EQ(Described(*Load(Parts(), "SENSOR")),
            "BGA Import.pretty:BGA-4 4 U | Import.kicad_sym:BGA5 1 2 3 4 -");
  for (const std::string& library :
       {std::string(CE_DATA_DIR "/sample.cmplib"), std::string(CE_DATA_DIR "/big/big-fpga.cmplib"),
        std::string(CE_DATA_DIR "/big/big-fpga-banks.cmplib"), Parts()}) {
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
  ASSERT_NE(shared.find("(number \"14\""), std::string::npos);
  EXPECT_EQ(shared.find("(number \"14\""), shared.rfind("(number \"14\"")) << "one pin, not one per unit";
}

}  // namespace
