// The command-line imports as a script runs them: a symbol of the field's libraries on
// its footprint (the component it adds, the pins it reports left without a pad) and a
// two-package pinout table; and show and export when the footprint that names the
// pins is gone.
#include "host/model/gate.h"
#include "tests/app/cli_fixture.h"

namespace {

namespace Samples = KicadImportSamples;

class CliImportCommandTest : public CliTest {
 protected:
  std::string Parts() const { return In("parts.cmplib"); }
  CliRun Import(std::vector<std::string> more) {
    more.insert(more.begin(), {"import-symbol", Parts(), In(Samples::kSymbolLibrary)});
    return Run(std::move(more));
  }
  std::string Footprints() const { return In(Samples::kFootprintFolder); }
};

TEST_F(CliImportCommandTest, AddsOneGatePerUnitWithThePinMapOfTheFootprint) {
  const CliRun outcome = Import({Samples::kQuad, "--footprint", Footprints(), Samples::kDip});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Added QUAD to " + Parts() + ": 2 gates, package DIP-14.\n");
  const CComponent* record = Load(Parts(), "QUAD");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetPackage(), "DIP-14");
  EXPECT_EQ(record->GetPcbComponent()->GetLibrary(), Samples::kFootprintFolder) << "beside the library";
  ASSERT_EQ(record->CountGates(), 2);
  EXPECT_EQ(record->FindGate(1)->GetSymbol(), "QUAD:B");
  EXPECT_EQ(record->FindGate(1)->GetLibrary(), Samples::kSymbolLibrary);
  EXPECT_EQ(record->GetPinNumber(1, 1), 4);
  EXPECT_EQ(record->GetPinNumber(1, 5), 14) << "the shared supply pin";
}

// A library elsewhere is named by its absolute path, so that the component reopens from
// any folder; a footprint name of 95 bytes is saved whole.
TEST_F(CliImportCommandTest, ReportsBallsWithoutAPadAndNamesLibrariesElsewhereByPath) {
  const CliRun balls = Import(
      {"BGA5", "--footprint", Footprints(), Samples::kBallFootprint, "--name", "SENSOR", "--package", "BGA"});
  ASSERT_EQ(balls.code, 0) << balls.err;
  EXPECT_NE(balls.out.find("1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, terminal 5)."),
            std::string::npos)
      << balls.out;
  const CComponent* sensor = Load(Parts(), "SENSOR");
  ASSERT_NE(sensor, nullptr);
  EXPECT_EQ(sensor->GetPackage(), "BGA");
  EXPECT_EQ(sensor->GetPinNumber(0, 1), 1);
  EXPECT_EQ(sensor->GetPinNumber(0, 5), CGate::kNoPin);

  ScratchFolder other;
  const std::string library = other / "elsewhere.cmplib";
  const CliRun outcome = Run({"import-symbol", library, In(Samples::kSymbolLibrary), Samples::kQuad,
                              "--footprint", Footprints(), Samples::LongFootprint(), "--package", "DSUB-15"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const CComponent* record = Load(library, "QUAD");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetPcbSymbol(), Samples::LongFootprint());
  EXPECT_EQ(record->FindGate(0)->GetLibrary(), In(Samples::kSymbolLibrary));
  EXPECT_EQ(record->GetPcbComponent()->GetLibrary(), Footprints());
}

// Balls named A1 ... B2 printed as bare pin numbers once their footprint was gone: show
// and export say so and stop, unless told to go on.
TEST_F(CliImportCommandTest, ShowAndExportStopWhenTheFootprintThatNamesThePinsIsMissing) {
  ASSERT_EQ(Import({Samples::kBall, "--footprint", Footprints(), Samples::kBallFootprint}).code, 0);
  const CliRun found = Run({"show", Parts()});
  EXPECT_EQ(found.code, 0);
  EXPECT_EQ(found.err, "");
  EXPECT_NE(found.out.find("pin A1"), std::string::npos) << found.out;

  std::filesystem::remove_all(Footprints());
  struct Case {
    CliRun run;
    int code;
    const char* output;
  };
  const Case cases[] = {
      {Run({"show", Parts()}), 1, "shown"},
      {Run({"show", Parts(), Samples::kBall, "--keep-going"}), 0, "shown"},
      {Run({"export", Parts(), Samples::kBall}), 1, "exported"},
      {Run({"export", Parts(), Samples::kBall, "--keep-going"}), 0, "exported"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.run.code, c.code) << c.run.err;
    EXPECT_EQ(
        c.run.err.rfind(
            "The footprint BGA-4 of BGA5 in BGA-4 cannot be read: Cannot open library Import.pretty", 0),
        0u)
        << c.run.err;
    EXPECT_NE(c.run.err.find(c.output), std::string::npos) << c.run.err;
    EXPECT_EQ(c.run.out.empty(), c.code == 1) << c.run.out;
  }
  EXPECT_NE(cases[1].run.out.find("pin 1"), std::string::npos) << cases[1].run.out;
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
  const CComponent* dip = Load(Parts(), "PART", "DIP14");
  ASSERT_NE(dip, nullptr);
  EXPECT_EQ(dip->GetPinCount(), 14);
  EXPECT_EQ(dip->GetPinNumber(0, 1), 1);   // PL2A
  EXPECT_EQ(dip->GetPinNumber(0, 2), -1);  // PL2B is not in this package
  EXPECT_EQ(dip->GetPinNumber(1, 1), 14);  // GND, below VCC in natural order
  EXPECT_EQ(dip->GetPinNumber(1, 2), 7);
}

}  // namespace
