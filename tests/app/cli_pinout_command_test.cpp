// The command-line import of a pinout table as a script runs it: a two-package table on
// a footprint of the field's libraries, what it reports, and words that do not fit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_text.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace Samples = KicadImportSamples;

TEST(CliPinoutCommandTest, ATwoPackageTableGivesBothPackagesAndReportsWhatStayedUnassigned) {
  ScratchFolder folder;
  Samples::Write(folder.Path());
  WriteFileText(folder / "part.csv",
                "PAD,Pin/Ball Function,Bank,Dual Function,Differential,High Speed,DQS,CABGA4,DIP14\n"
                "1,PL2A,7,,True,,,A1,1\n2,PL2B,7,,Comp,,,A2,-\n3,VCC,-,,,,,B1,7\n4,GND,-,,,,,B2,14\n");
  const std::string library = folder / "parts.cmplib";
  const CliRun outcome =
      RunCliCommand(RunCli, {"import-pinout", library, folder / "part.csv", "--name", "PART", "--footprint",
                             "DIP14=" + (folder / Samples::kFootprintFolder) + ":" + Samples::kDip});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("2 gates, 2 packages"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("CABGA4: without a footprint 4 balls named otherwise than by a number stayed "
                             "unassigned: A1, A2, B1, B2."),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("DIP14: 11 pads of " + std::string(Samples::kDip) + " have no terminal"),
            std::string::npos)
      << outcome.out;

  CDesign saved;
  CString error;
  ASSERT_TRUE(CComponentLibraryFile::LoadComponent(library.c_str(), "PART", saved, error)) << error;
  ASSERT_EQ(saved.CountComponents(), 2);
  const CComponent* dip = saved.FindComponent("PART", "DIP14");
  ASSERT_NE(dip, nullptr);
  EXPECT_EQ(dip->GetPinCount(), 14);
  EXPECT_EQ(dip->GetPinNumber(0, 1), 1);   // PL2A
  EXPECT_EQ(dip->GetPinNumber(0, 2), -1);  // PL2B is not in this package
  EXPECT_EQ(dip->GetPinNumber(1, 1), 14);  // GND, below VCC in natural order
  EXPECT_EQ(dip->GetPinNumber(1, 2), 7);
}

TEST(CliPinoutCommandTest, WordsThatDoNotFitPrintTheUsage) {
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {"import-pinout", "parts.cmplib", "part.csv"},
           {"import-pinout", "parts.cmplib", "part.csv", "--name", "P", "--split", "pins"},
           {"import-pinout", "parts.cmplib", "part.csv", "--name", "P", "--footprint", "NOEQUALS"}}) {
    const CliRun outcome = RunCliCommand(RunCli, words);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_NE(outcome.err.find("Usage: component-editor-cli import-pinout"), std::string::npos);
  }
}

}  // namespace
