// The command-line tool's library commands as a script runs them: new, copy, rename and
// delete write byte for byte outside the component touched; check and diff, as CI and
// git run them, print a located line per problem or change, exit with codes scripts
// branch on, and give the JSON form.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/app/cli_fixture.h"

namespace {

using Edit = std::function<void(json& library)>;

json& Terminal(json& library, int component, int package, int gate, int terminal) {
  return library["components"][component]["packages"][package]["gates"][gate]["terminals"][terminal];
}

class CliLibraryCommandsTest : public CliTest {
 protected:
  // The sample with `edit` made, saved beside it.
  std::string Edited(const std::string& name, const Edit& edit) const {
    json library = json::parse(original);
    edit(library);
    WriteFileText(In(name), library.dump(2));
    return In(name);
  }
};

TEST_F(CliLibraryCommandsTest, NewLeavesPinsOpenOnAFootprintAndNumbersThemInGateOrderWithout) {
  const CliRun made = Run({"new", Sample(), "NAND-Y", "--package", "DIP-14", "--footprint",
                           "footprints.pcblib:DIP-14", "--symbol", "logic.scmlib:NAND2", "--gates", "2"});
  EXPECT_EQ(std::make_tuple(made.code, made.out), std::make_tuple(0, "Added NAND-Y to " + Sample() + ".\n"))
      << made.err;
  EXPECT_EQ(TextWithout(ReadFileText(Sample()), "NAND-Y"), original);
  EXPECT_EQ(Described(*Load(Sample(), "NAND-Y")),
            "DIP-14 footprints.pcblib:DIP-14 14 U | logic.scmlib:NAND2 - - - | logic.scmlib:NAND2 - - -");
  ASSERT_EQ(Run({"new", Sample(), "FLOPS", "--package", "SOIC-8", "--symbol", "logic.scmlib:DFF", "--gates",
                 "2", "--reference", "FF", "--pins", "8"})
                .code,
            0);
  EXPECT_EQ(Described(*Load(Sample(), "FLOPS")),
            "SOIC-8 : 8 FF | logic.scmlib:DFF 1 2 3 4 | logic.scmlib:DFF 5 6 7 8");
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

// The kinds of problem are the design check's; here, where each is said and counted.
TEST_F(CliLibraryCommandsTest, CheckNamesEachPlantedProblemWhereItIs) {
  const CliRun sample = Run({"check", Sample()});
  EXPECT_EQ(std::make_tuple(sample.code, sample.out),
            std::make_tuple(0, std::string("No problems in 4 components.\n")));
  const std::string pin = "QUAD-NAND2: package DIP-14: gate b terminal 2 (B) has pin 15, outside 1 to 14";
  const std::string name = "DUAL-OPAMP: gate a, terminal 3 ( OUT): ";  // then the name rule's own wording
  const std::string library = Edited("planted.cmplib", [](json& l) {
    Terminal(l, 0, 0, 1, 1)["pin"] = 15;
    Terminal(l, 2, 0, 0, 2)["name"] = Terminal(l, 2, 1, 0, 2)["name"] = " OUT";
  });
  const CliRun check = Run({"check", library});
  const std::vector<std::string> lines = Lines(check.out);
  ASSERT_EQ(lines.size(), 3u) << check.out;
  EXPECT_EQ(std::make_tuple(check.code, lines[0], lines[1].substr(0, name.size()), lines[2]),
            std::make_tuple(1, pin, name, std::string("2 problems in 4 components.")));
  EXPECT_EQ(Run({"check", library, "quad-nand2"}).out, pin + "\n1 problem in 1 component.\n");

  const CliRun asJson = Run({"check", library, "--json"});
  const json report = json::parse(asJson.out);
  ASSERT_EQ(report["problems"].size(), 2u) << asJson.out;
  EXPECT_EQ(std::make_tuple(asJson.code, report["components"], report["ok"],
                            report["problems"][0]["component"], report["problems"][0]["package"],
                            report["problems"][1]["package"], report["problems"][1]["line"]),
            std::make_tuple(1, json(4), json(false), json("QUAD-NAND2"), json("DIP-14"), json(nullptr),
                            json(lines[1])));
}

// The kinds of change are the diff's own; here, the line, the exit code and the JSON.
TEST_F(CliLibraryCommandsTest, DiffSaysAChangeInItsLineAndJsonAndNothingForTheSameData) {
  const std::string moved = Edited("new.cmplib", [](json& l) { Terminal(l, 0, 0, 1, 2)["pin"] = 7; });
  const CliRun diff = Run({"diff", Sample(), moved});
  EXPECT_EQ(
      std::make_tuple(diff.code, diff.out),
      std::make_tuple(1, std::string("QUAD-NAND2: package DIP-14: gate b terminal 3 (Y): pin 6 -> 7\n")));
  const CliRun same = Run({"diff", Sample(), Sample()});
  EXPECT_EQ(std::make_tuple(same.code, same.out), std::make_tuple(0, std::string()));
  const json report = json::parse(Run({"diff", Sample(), moved, "--json"}).out);
  EXPECT_EQ(report["same"], false);
  ASSERT_EQ(report["changes"].size(), 1u);
  const json expected = json::parse(R"({"kind": "pin-changed", "component": "QUAD-NAND2", "package": "DIP-14",
      "gate": "b", "terminal": 3, "old": "6", "new": "7"})");
  for (const auto& [member, value] : expected.items())
    EXPECT_EQ(report["changes"][0][member], value) << member;

  // Git runs an external diff driver with seven words, "/dev/null" for a side not there,
  // and stops at one that exits non-zero.
  const std::string changed = Edited("changed.cmplib", [](json& l) { l["components"].erase(0); });
  const CliRun git =
      Run({"diff", "libs/sample.cmplib", Sample(), "1f2e", "100644", changed, "3a4b", "100644"});
  EXPECT_EQ(git.code, 0) << git.err;
  EXPECT_EQ(git.out, "component library libs/sample.cmplib\nQUAD-NAND2: component removed\n");
  const CliRun added = Run({"diff", "libs/new.cmplib", "/dev/null", ".", ".", changed, "3a4b", "100644"});
  EXPECT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(Lines(added.out).size(), 4U) << added.out;
}

// Runs one command in a process of its own, as a script would, once the parent closes
// the pipe `start`, so that two such processes begin together.
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

// Two scripts change one library at the same moment: one adds a component, the other
// renames another. Without the lock of each change (d310fc0) most such runs lost one
// of the two changes.
TEST_F(CliLibraryCommandsTest, TwoWritersAtOnceLoseNoChange) {
  const size_t entries = folder.CountEntries();
  for (int run = 0; run < 20; ++run) {
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
    const std::string text = ReadFileText(Sample());
    EXPECT_TRUE(text.find("\"ADDED\"") != std::string::npos &&
                text.find("\"RENAMED\"") != std::string::npos &&
                text.find("\"HEX-INV\"") == std::string::npos)
        << "run " << run << " lost a change";
  }
  EXPECT_EQ(folder.CountEntries(), entries) << "nothing left beside the library";
}

}  // namespace
