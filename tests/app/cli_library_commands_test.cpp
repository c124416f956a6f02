// The command-line tool's library commands as a script runs them: what they write, byte
// for byte outside the component touched, and two of them at once losing nothing.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "host/model/gate.h"
#include "tests/app/cli_fixture.h"
#include "tests/support/library_text.h"

namespace {

using CliLibraryCommandsTest = CliTest;

TEST_F(CliLibraryCommandsTest, NewLeavesPinsOpenOnAFootprintAndNumbersThemInGateOrderWithout) {
  const CliRun made = Run({"new", Sample(), "NAND-Y", "--package", "DIP-14", "--footprint",
                           "footprints.pcblib:DIP-14", "--symbol", "logic.scmlib:NAND2", "--gates", "4"});
  ASSERT_EQ(made.code, 0) << made.err;
  EXPECT_EQ(made.out, "Added NAND-Y to " + Sample() + ".\n");
  EXPECT_EQ(TextWithout(ReadFileText(Sample()), "NAND-Y"), original);
  const CComponent& onFootprint = *Load(Sample(), "NAND-Y");
  EXPECT_EQ(onFootprint.GetPackage(), "DIP-14");
  EXPECT_EQ(onFootprint.GetPcbSymbol(), "DIP-14");
  EXPECT_EQ(onFootprint.GetPcbComponent()->GetLibrary(), "footprints.pcblib");
  EXPECT_EQ(onFootprint.GetPinCount(), 14);
  EXPECT_EQ(onFootprint.GetDefaultReference(), "U");
  ASSERT_EQ(onFootprint.CountGates(), 4);
  EXPECT_EQ(onFootprint.FindGate(3)->GetSymbol(), "NAND2");
  EXPECT_EQ(onFootprint.GetPinNumber(3, 3), CGate::kNoPin);

  ASSERT_EQ(Run({"new", Sample(), "FLOPS", "--package", "SOIC-8", "--symbol", "logic.scmlib:DFF", "--gates",
                 "2", "--reference", "FF", "--pins", "8"})
                .code,
            0);
  const CComponent& numbered = *Load(Sample(), "FLOPS");
  EXPECT_EQ(numbered.GetPinCount(), 8);
  EXPECT_EQ(numbered.GetDefaultReference(), "FF");
  ASSERT_EQ(numbered.CountGates(), 2);
  EXPECT_EQ(numbered.GetPinNumber(0, 1), 1);
  EXPECT_EQ(numbered.GetPinNumber(1, 4), 8);
}

TEST_F(CliLibraryCommandsTest, CopyRenameAndDeleteTouchOnlyTheirComponent) {
  ASSERT_EQ(Run({"copy", Sample(), "HEX-INV", "HEX-INV-2"}).code, 0);
  EXPECT_EQ(TextWithout(ReadFileText(Sample()), "HEX-INV-2"), original);
  const std::string copied = ReadFileText(Sample());
  const CliRun renamed = Run({"rename", Sample(), "HEX-INV-2", "INVERTERS"});
  ASSERT_EQ(renamed.code, 0) << renamed.err;
  EXPECT_EQ(renamed.out, "Renamed HEX-INV-2 to INVERTERS in " + Sample() + ".\n");
  EXPECT_EQ(TextWithout(ReadFileText(Sample()), "INVERTERS"), TextWithout(copied, "HEX-INV-2"));
  ASSERT_EQ(Run({"delete", Sample(), "inverters"}).code, 0);
  EXPECT_EQ(ReadFileText(Sample()), original);
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
  const std::size_t entries = folder.CountEntries();
  int lost = 0;
  for (int run = 0; run < kRuns; ++run) {
    WriteFileText(Sample(), original);
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    const pid_t adder = RunInChild({"new", Sample(), "ADDED", "--package", "DIP-8"}, start);
    const pid_t renamer = RunInChild({"rename", Sample(), "HEX-INV", "RENAMED"}, start);
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t child : {adder, renamer}) {
      int status = -1;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed in run " << run;
    }
    std::vector<LibraryEntry> names;
    CString error;
    ASSERT_TRUE(CComponentLibraryFile::ReadContents(Sample().c_str(), names, error)) << error.str();
    const auto holds = [&names](const char* name) {
      return std::any_of(names.begin(), names.end(), [&](const LibraryEntry& e) { return e.name == name; });
    };
    lost += holds("ADDED") && holds("RENAMED") && !holds("HEX-INV") ? 0 : 1;
  }
  EXPECT_EQ(lost, 0) << "runs of " << kRuns << " that lost a change";
  EXPECT_EQ(folder.CountEntries(), entries) << "nothing left beside the library";
}

}  // namespace
