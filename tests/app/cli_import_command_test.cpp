// The command-line import of a symbol of the field's libraries as a script runs it: the
// component it adds (gates, pin map, the names of its libraries), the pins it reports
// left without a pad, and refusals that write nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/pin_map_printer.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_text.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace Samples = KicadImportSamples;

class CliImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Samples::Write(m_folder.Path());
    m_symbols = m_folder / Samples::kSymbolLibrary;
    m_footprints = m_folder / Samples::kFootprintFolder;
  }

  std::string Library() const { return m_folder / "parts.cmplib"; }

  CliRun Run(std::vector<std::string> words) {
    words.insert(words.begin(), "import-symbol");
    return RunCliCommand(RunCli, std::move(words));
  }

  const CComponent* Load(const char* name) {
    CString error;
    EXPECT_TRUE(CComponentLibraryFile::LoadComponent(Library(), name, m_saved, error)) << error.str();
    return m_saved.FirstComponent();
  }

  ScratchFolder m_folder;
  std::string m_symbols;
  std::string m_footprints;
  CDesign m_saved;
};

TEST_F(CliImportCommandTest, AddsOneGatePerUnitWithThePinMapOfTheFootprint) {
  const CliRun outcome =
      Run({Library(), m_symbols, Samples::kQuad, "--footprint", m_footprints, Samples::kDip});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Added QUAD to " + Library() + ": 2 gates, package DIP-14.\n");
  const CComponent* record = Load("QUAD");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetPackage(), "DIP-14");
  EXPECT_EQ(record->GetPcbComponent()->GetLibrary(), Samples::kFootprintFolder) << "beside the library";
  ASSERT_EQ(record->CountGates(), 2);
  EXPECT_EQ(record->FindGate(1)->GetSymbol(), "QUAD:B");
  EXPECT_EQ(record->FindGate(1)->GetLibrary(), Samples::kSymbolLibrary);
  EXPECT_EQ(record->GetPinNumber(1, 1), 4);
  EXPECT_EQ(record->GetPinNumber(1, 5), 14) << "the shared supply pin";
}

TEST_F(CliImportCommandTest, ReportsBallsWithoutAPadAndTakesNameAndPackage) {
  const CliRun outcome = Run({Library(), m_symbols, "BGA5", "--footprint", m_footprints,
                              Samples::kBallFootprint, "--name", "SENSOR", "--package", "BGA"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("1 pin has no pad in BGA-4 and stayed unassigned: C3 (gate a, terminal 5)."),
            std::string::npos)
      << outcome.out;
  const CComponent* record = Load("SENSOR");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetPackage(), "BGA");
  EXPECT_EQ(record->GetPinNumber(0, 1), 1);
  EXPECT_EQ(record->GetPinNumber(0, 5), CGate::kNoPin);
}

// A library elsewhere is named by its absolute path, so that the component reopens from
// any folder; a footprint name of 95 bytes is saved whole.
TEST_F(CliImportCommandTest, LibrariesElsewhereAreNamedByPathAndLongFootprintNamesAreKept) {
  ScratchFolder other;
  const std::string library = other / "elsewhere.cmplib";
  const CliRun outcome = Run({library, m_symbols, Samples::kQuad, "--footprint", m_footprints,
                              Samples::LongFootprint(), "--package", "DSUB-15"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(library, "QUAD", m_saved, error)) << error.str();
  const CComponent* record = m_saved.FirstComponent();
  EXPECT_EQ(record->GetPcbSymbol(), Samples::LongFootprint());
  EXPECT_EQ(record->FindGate(0)->GetLibrary(), m_symbols);
  EXPECT_EQ(record->GetPcbComponent()->GetLibrary(), m_footprints);
}

CliRun RunExport(std::vector<std::string> words) {
  words.insert(words.begin(), "export");
  return RunCliCommand(RunCli, std::move(words));
}

// Balls named A1 ... B2 print as bare pin numbers once their footprint is gone: show and
// export say so and stop, unless told to go on.
TEST_F(CliImportCommandTest, ShowAndExportStopWhenTheFootprintThatNamesThePinsIsMissing) {
  ASSERT_EQ(
      Run({Library(), m_symbols, Samples::kBall, "--footprint", m_footprints, Samples::kBallFootprint}).code,
      0);
  const auto show = [this](std::vector<std::string> more) {
    more.insert(more.begin(), {"show", Library()});
    return RunCliCommand(RunCli, std::move(more));
  };
  const CliRun found = show({});
  EXPECT_EQ(found.code, 0);
  EXPECT_EQ(found.err, "");
  EXPECT_NE(found.out.find("pin A1"), std::string::npos) << found.out;

  std::filesystem::remove_all(m_footprints);
  struct Case {
    CliRun run;
    int code;
    const char* output;
  };
  const Case cases[] = {
      {show({}), 1, "shown"},
      {show({Samples::kBall, "--keep-going"}), 0, "shown"},
      {RunExport({Library(), Samples::kBall}), 1, "exported"},
      {RunExport({Library(), Samples::kBall, "--keep-going"}), 0, "exported"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.run.code, c.code) << c.run.err;
    EXPECT_EQ(c.run.err.rfind("The footprint BGA-4 of BGA5 in BGA-4 cannot be read: Cannot open library "
                              "Import.pretty",
                              0),
              0u)
        << c.run.err;
    EXPECT_NE(c.run.err.find(c.output), std::string::npos) << c.run.err;
    EXPECT_EQ(c.run.out.empty(), c.code == 1) << c.run.out;
  }
  EXPECT_NE(cases[1].run.out.find("pin 1"), std::string::npos) << cases[1].run.out;
}

TEST_F(CliImportCommandTest, RefusalsNameTheProblemAndWriteNothing) {
  struct Case {
    std::vector<std::string> words;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{Library(), m_symbols, "NOPE"}, "There is no symbol \"NOPE\" in \"Import.kicad_sym\"."},
      {{Library(), m_footprints, "QUAD"}, "\"" + m_footprints + "\" is no .kicad_sym symbol library."},
      {{Library(), m_symbols, "QUAD", "--footprint", m_footprints, Samples::LongFootprint()},
       "Package name cannot be longer than 64 characters. Name it with --package."},
      {{Library(), m_symbols, "QUAD", "--name", " QUAD"},
       "Component name \" QUAD\" cannot begin or end with a blank."},
  };
  for (const Case& c : cases) {
    const CliRun outcome = Run(c.words);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.err, c.message + "\n");
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(Library())) << "nothing written";
  ASSERT_EQ(Run({Library(), m_symbols, "QUAD"}).code, 0);
  const std::string written = ReadFileText(Library());
  const CliRun again = Run({Library(), m_symbols, "QUAD"});
  EXPECT_EQ(again.code, 1);
  EXPECT_NE(again.err.find("QUAD"), std::string::npos) << again.err;
  EXPECT_EQ(ReadFileText(Library()), written);
  EXPECT_EQ(Run({Library(), m_symbols}).code, 2);
}

}  // namespace
