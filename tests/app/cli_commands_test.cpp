// Every command's words go through one parser: each has its --help naming its options,
// and an unknown option or a missing argument gets exit code 2 with that command's
// usage. show, symbols and scan print one JSON object with --json.
#include "app/cli_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/scratch_folder.h"

namespace {

using nlohmann::json;

struct CommandWords {
  std::string command;
  std::vector<std::string> options;
  bool takesArguments = true;
};

const std::vector<CommandWords> kCommands{
    {"dialogs", {}, false},
    {"show", {"--keep-going", "--json"}},
    {"render", {"--package", "--size", "--out"}},
    {"export", {"--tsv", "--out", "--keep-going"}},
    {"import", {"--by-name"}},
    {"import-symbol", {"--footprint", "--name", "--package", "--reference"}},
    {"new", {"--package", "--footprint", "--symbol", "--gates", "--reference", "--pins"}},
    {"copy", {}},
    {"rename", {}},
    {"delete", {}},
    {"symbols", {"--json"}},
    {"scan", {"--json"}},
    {"export-kicad", {"--out", "--footprints", "--footprint-library", "--leave-unnumbered"}},
    {"check", {"--json"}},
    {"diff", {"--json"}},
    {"import-pinout", {"--name", "--symbols", "--split", "--layout", "--footprint", "--add-packages"}},
};

TEST(CliCommandsTest, EveryCommandExplainsItsOptionsAndRefusesWordsThatDoNotFit) {
  const CliRun help = RunCliCommand(RunCli, {"--help"});
  EXPECT_EQ(help.code, 0);
  for (const CommandWords& words : kCommands) {
    SCOPED_TRACE(words.command);
    EXPECT_NE(help.out.find("  " + words.command + " "), std::string::npos) << help.out;
    const std::string usage = "Usage: component-editor-cli " + words.command + " ";
    const CliRun own = RunCliCommand(RunCli, {words.command, "--help"});
    EXPECT_EQ(own.code, 0);
    EXPECT_NE(own.out.find(usage), std::string::npos) << own.out;
    for (const std::string& option : words.options) EXPECT_NE(own.out.find("  " + option), std::string::npos);

    const CliRun unknown = RunCliCommand(RunCli, {words.command, "--no-such-option"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find(usage), std::string::npos) << unknown.err;
    if (!words.takesArguments) continue;
    const CliRun missing = RunCliCommand(RunCli, {words.command});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find(usage), std::string::npos) << missing.err;
  }
  EXPECT_EQ(RunCliCommand(RunCli, {"no-such-command"}).code, 2);
  EXPECT_EQ(RunCliCommand(RunCli, {}).code, 2);
}

TEST(CliCommandsTest, ShowSymbolsAndScanPrintTheirJson) {
  ScratchFolder scratch;
  const std::filesystem::path library = scratch.Path() / "sample.cmplib";
  std::filesystem::copy_file(CE_DATA_DIR "/sample.cmplib", library);
  for (const char* name : {"logic.scmlib", "footprints.pcblib"})
    std::filesystem::copy_file(std::string(CE_DATA_DIR "/") + name, scratch.Path() / name);

  const CliRun show = RunCliCommand(RunCli, {"show", library.string(), "--json"});
  ASSERT_EQ(show.code, 0) << show.err;
  const json shown = json::parse(show.out);
  EXPECT_EQ(shown["library"], library.string());
  ASSERT_FALSE(shown["components"].empty());
  const json& package = shown["components"][0]["packages"].at(0);
  const json& terminal = package["gates"].at(0)["terminals"].at(0);
  EXPECT_TRUE(package["package"].is_string() && package["footprint"].is_string());
  EXPECT_EQ(terminal["terminal"], 1);
  EXPECT_TRUE(terminal["name"].is_string() && (terminal["pin"].is_string() || terminal["pin"].is_null()));

  const CliRun symbols =
      RunCliCommand(RunCli, {"symbols", (scratch.Path() / "logic.scmlib").string(), "--json"});
  ASSERT_EQ(symbols.code, 0) << symbols.err;
  const json listed = json::parse(symbols.out);
  ASSERT_FALSE(listed["symbols"].empty());
  EXPECT_GT(listed["symbols"][0]["pins"].get<int>(), 0);
  EXPECT_TRUE(listed["symbols"][0]["name"].is_string() && listed["problems"].is_array());

  const CliRun scan = RunCliCommand(RunCli, {"scan", scratch.Path().string(), "--json"});
  ASSERT_EQ(scan.code, 0) << scan.err;
  const json scanned = json::parse(scan.out);
  EXPECT_EQ(scanned["libraries"], 3);
  EXPECT_GE(scanned["symbols"].get<size_t>(), listed["symbols"].size());
  EXPECT_EQ(scanned["components"], shown["components"].size());
  EXPECT_TRUE(scanned["failures"].empty() && scanned["seconds"].is_number());
}

}  // namespace
