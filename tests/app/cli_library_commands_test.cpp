// The command-line tool's library commands as a script runs them: what they write,
// byte for byte outside the component touched, their exit codes, and the one line that
// names the problem when they refuse, leaving the library as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "platform/program_path.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_text.h"
#include "tests/support/library_text.h"
#include "tests/support/scratch_folder.h"

namespace {

class CliLibraryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramPathForTesting(CE_DATA_DIR);
    m_original = ReadFileText(CE_DATA_DIR "/sample.cmplib");
    WriteFileText(Library(), m_original);
  }
  void TearDown() override { SetProgramPathForTesting(""); }

  std::string Library() const { return m_folder / "parts.cmplib"; }
  std::string Text() const { return ReadFileText(Library()); }

  CliRun Run(std::vector<std::string> words) { return RunCliCommand(RunCli, std::move(words)); }

  // Refused with exit code 1, `message` on the error stream and the file untouched.
  void ExpectRefused(const std::vector<std::string>& words, const std::string& message) {
    const CliRun outcome = Run(words);
    EXPECT_EQ(outcome.code, 1) << words[0];
    EXPECT_EQ(outcome.err, message + "\n");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Text(), m_original);
    EXPECT_EQ(m_folder.CountEntries(), 1u) << "nothing left beside the library";
  }

  // The component as the library holds it now, in a design of its own.
  CDesign& Load(const char* name) {
    m_designs.push_back(std::make_unique<CDesign>());
    CString error;
    EXPECT_TRUE(CComponentLibraryFile::LoadComponent(Library().c_str(), name, *m_designs.back(), error))
        << error.str();
    return *m_designs.back();
  }

  ScratchFolder m_folder;
  std::string m_original;
  std::vector<std::unique_ptr<CDesign>> m_designs;
};

TEST_F(CliLibraryCommandsTest, NewWithAFootprintMakesTheGatesWithoutPins) {
  const CliRun outcome = Run({"new", Library(), "NAND-Y", "--package", "DIP-14", "--footprint",
                              "footprints.pcblib:DIP-14", "--symbol", "logic.scmlib:NAND2", "--gates", "4"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Added NAND-Y to " + Library() + ".\n");
  EXPECT_EQ(TextWithout(Text(), "NAND-Y"), m_original);
  const CComponent& record = *Load("NAND-Y").FirstComponent();
  EXPECT_EQ(record.GetPackage(), "DIP-14");
  EXPECT_EQ(record.GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(record.GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(record.GetPinCount(), 14);
  EXPECT_EQ(record.GetDefaultReference(), "U");
  ASSERT_EQ(record.CountGates(), 4);
  EXPECT_EQ(record.FindGate(3)->GetSymbol(), "NAND2");
  EXPECT_EQ(record.GetPinNumber(3, 3), CGate::kNoPin);
}

TEST_F(CliLibraryCommandsTest, NewWithoutAFootprintNumbersThePinsInGateOrder) {
  ASSERT_EQ(Run({"new", Library(), "FLOPS", "--package", "SOIC-8", "--symbol", "logic.scmlib:DFF", "--gates",
                 "2", "--reference", "FF", "--pins", "8"})
                .code,
            0);
  const CComponent& record = *Load("FLOPS").FirstComponent();
  EXPECT_EQ(record.GetPinCount(), 8);
  EXPECT_EQ(record.GetDefaultReference(), "FF");
  ASSERT_EQ(record.CountGates(), 2);
  EXPECT_EQ(record.GetPinNumber(0, 1), 1);
  EXPECT_EQ(record.GetPinNumber(1, 4), 8);
}

TEST_F(CliLibraryCommandsTest, NewRefusesATakenNameAMissingSymbolAndBadWords) {
  ExpectRefused({"new", Library(), "hex-inv", "--package", "DIP-14"},
                "The library \"parts.cmplib\" already holds a component named \"hex-inv\".");
  ExpectRefused({"new", Library(), "N2", "--package", "DIP-14", "--symbol", "logic.scmlib:NOPE"},
                "Symbol NOPE does not exist in " +
                    (std::filesystem::absolute(CE_DATA_DIR) / "logic.scmlib").string() + ".");
  ExpectRefused({"new", Library(), "N2", "--package", "DIP-14", "--footprint", "DIP-14"},
                "--footprint takes LIB:SYMBOL, not \"DIP-14\".");
  ExpectRefused({"new", Library(), "N2", "--package", "DIP-14", "--gates", "many"},
                "--gates must be a whole number from 1 to 32768, not \"many\".");
  ExpectRefused(
      {"new", Library(), "N2", "--package", "DIP-14", "--symbol", "logic.scmlib:INV", "--gates", "0"},
      "--gates must be a whole number from 1 to 32768, not \"0\".");
  ExpectRefused(
      {"new", Library(), "N2", "--package", "DIP-14", "--symbol", "logic.scmlib:INV", "--gates", "32768"},
      "--gates 32768 would make 65536 terminals (32768 gates of 2); a component has at most 65535.");
  ExpectRefused({"new", Library(), "N2", "--package", "DIP-14", "--reference", "U1"},
                "Default reference \"U1\" can contain only the letters A to Z, without digits or blanks.");
  ExpectRefused({"new", Library(), " N2", "--package", "DIP-14"},
                "Component name \" N2\" cannot begin or end with a blank.");

  const CliRun noPackage = Run({"new", Library(), "N2"});
  EXPECT_EQ(noPackage.code, 2);
  EXPECT_NE(noPackage.err.find("Usage: component-editor-cli new [OPTIONS] LIBRARY NAME"), std::string::npos);
  EXPECT_EQ(Text(), m_original);
}

TEST_F(CliLibraryCommandsTest, CopyRenameAndDeleteTouchOnlyTheirComponent) {
  ASSERT_EQ(Run({"copy", Library(), "HEX-INV", "HEX-INV-2"}).code, 0);
  EXPECT_EQ(TextWithout(Text(), "HEX-INV-2"), m_original);

  const std::string copied = Text();
  const CliRun renamed = Run({"rename", Library(), "HEX-INV-2", "INVERTERS"});
  ASSERT_EQ(renamed.code, 0) << renamed.err;
  EXPECT_EQ(renamed.out, "Renamed HEX-INV-2 to INVERTERS in " + Library() + ".\n");
  EXPECT_EQ(TextWithout(Text(), "INVERTERS"), TextWithout(copied, "HEX-INV-2"));

  ASSERT_EQ(Run({"delete", Library(), "inverters"}).code, 0);
  EXPECT_EQ(Text(), m_original);
}

TEST_F(CliLibraryCommandsTest, EditsRefuseMissingAndTakenNamesAndADamagedLibrary) {
  ExpectRefused({"copy", Library(), "NOPE", "X"},
                "The library \"parts.cmplib\" holds no component named \"NOPE\".");
  ExpectRefused({"rename", Library(), "HEX-INV", "resistor"},
                "The library \"parts.cmplib\" already holds a component named \"resistor\".");
  ExpectRefused({"rename", Library(), "HEX-INV", ""}, "Component name cannot be empty.");
  ExpectRefused({"delete", Library(), "NOPE"},
                "The library \"parts.cmplib\" holds no component named \"NOPE\".");

  m_original = "{\"format\": \"component-library\"";
  WriteFileText(Library(), m_original);
  const CliRun damaged = Run({"delete", Library(), "HEX-INV"});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.err.find("parts.cmplib"), std::string::npos) << damaged.err;
  EXPECT_EQ(Text(), m_original);
}

// Runs one command in a process of its own, as a script would, once the parent closes
// the pipe `start`, so that two such processes begin together; gives the process, which
// exits with the command's exit code.
pid_t RunInChild(std::vector<std::string> words, const int (&start)[2]) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  ::close(start[1]);
  char go = 0;
  while (::read(start[0], &go, 1) > 0) continue;
  std::FILE* quiet = std::fopen("/dev/null", "w");
  std::string program = "component-editor-cli";
  std::vector<char*> argv{program.data()};
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  ::_exit(RunCli(static_cast<int>(argv.size()) - 1, argv.data(), quiet, stderr));
}

// Two scripts change one library at the same moment, 200 times over: one adds a
// component, the other renames another. Both changes are found every time.
TEST_F(CliLibraryCommandsTest, TwoWritersAtOnceLoseNoChange) {
  constexpr int kRuns = 200;
  int lost = 0;
  for (int run = 0; run < kRuns; ++run) {
    WriteFileText(Library(), m_original);
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    const pid_t adder = RunInChild({"new", Library(), "ADDED", "--package", "DIP-8"}, start);
    const pid_t renamer = RunInChild({"rename", Library(), "HEX-INV", "RENAMED"}, start);
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t child : {adder, renamer}) {
      int status = -1;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed in run " << run;
    }
    std::vector<LibraryEntry> entries;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::ReadContents(Library().c_str(), entries, error)) << error.str();
    const auto holds = [&entries](const char* name) {
      return std::any_of(entries.begin(), entries.end(),
                         [&](const LibraryEntry& e) { return e.name == name; });
    };
    lost += holds("ADDED") && holds("RENAMED") && !holds("HEX-INV") ? 0 : 1;
  }
  EXPECT_EQ(lost, 0) << "runs of " << kRuns << " that lost a change";
  EXPECT_EQ(m_folder.CountEntries(), 1u) << "nothing left beside the library";
}

}  // namespace
