// Every command's words go through one parser: each has its --help naming its options,
// and an unknown option or a missing argument gets exit code 2 with that command's
// usage. A refusal is one line on the error stream with exit code 1, and writes nothing.
// show, symbols and scan print one JSON object with --json.
#include <nlohmann/json.hpp>

#include "tests/app/cli_fixture.h"

namespace {

using nlohmann::json;
using CliCommandsTest = CliTest;

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

TEST_F(CliCommandsTest, EveryCommandExplainsItsOptionsAndRefusesWordsThatDoNotFit) {
  const CliRun help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  for (const CommandWords& words : kCommands) {
    SCOPED_TRACE(words.command);
    EXPECT_NE(help.out.find("  " + words.command + " "), std::string::npos) << help.out;
    const std::string usage = "Usage: component-editor-cli " + words.command + " ";
    const CliRun own = Run({words.command, "--help"});
    EXPECT_EQ(own.code, 0);
    EXPECT_NE(own.out.find(usage), std::string::npos) << own.out;
    for (const std::string& option : words.options) EXPECT_NE(own.out.find("  " + option), std::string::npos);

    const CliRun unknown = Run({words.command, "--no-such-option"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find(usage), std::string::npos) << unknown.err;
    if (!words.takesArguments) continue;
    const CliRun missing = Run({words.command});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find(usage), std::string::npos) << missing.err;
  }
  EXPECT_EQ(Run({"no-such-command"}).code, 2);
  EXPECT_EQ(Run({}).code, 2);
}

struct Refusal {
  std::vector<std::string> words;
  int code;
  std::string err;  // the line's start for exit code 1; for 2, what comes before the usage
};

TEST_F(CliCommandsTest, RefusalsNameTheProblemAndWriteNothing) {
  namespace Samples = KicadImportSamples;
  WriteFileText(In("damaged.cmplib"), "{\"format\": \"component-library\"");
  const std::string lib = Sample();
  const std::string parts = In("parts.cmplib");
  const std::string symbols = In(Samples::kSymbolLibrary);
  const std::string footprints = In(Samples::kFootprintFolder);
  const std::string inLib = "The library \"sample.cmplib\" ";
  const std::string gates = "--gates must be a whole number from 1 to 32768, not ";
  const std::vector<std::string> newN2 = {"new", lib, "N2", "--package", "DIP-14"};
  const auto with = [](std::vector<std::string> words, std::vector<std::string> more) {
    words.insert(words.end(), more.begin(), more.end());
    return words;
  };
  const Refusal rows[] = {
      {{"new", lib, "hex-inv", "--package", "DIP-14"},
       1,
       inLib + "already holds a component named \"hex-inv\"."},
      {with(newN2, {"--symbol", "logic.scmlib:NOPE"}), 1,
       "Symbol NOPE does not exist in " + In("logic.scmlib") + "."},
      {with(newN2, {"--footprint", "DIP-14"}), 1, "--footprint takes LIB:SYMBOL, not \"DIP-14\"."},
      {with(newN2, {"--gates", "many"}), 1, gates + "\"many\"."},
      // No gates at all, and more terminals than a component can number, were once taken.
      {with(newN2, {"--symbol", "logic.scmlib:INV", "--gates", "0"}), 1, gates + "\"0\"."},
      {with(newN2, {"--symbol", "logic.scmlib:INV", "--gates", "32768"}), 1,
       "--gates 32768 would make 65536 terminals (32768 gates of 2); a component has at most 65535."},
      {with(newN2, {"--reference", "U1"}), 1,
       "Default reference \"U1\" can contain only the letters A to Z, without digits or blanks."},
      {{"new", lib, " N2", "--package", "DIP-14"},
       1,
       "Component name \" N2\" cannot begin or end with a blank."},
      {{"new", lib, "N2"}, 2, ""},
      {{"copy", lib, "NOPE", "X"}, 1, inLib + "holds no component named \"NOPE\"."},
      {{"rename", lib, "HEX-INV", "resistor"}, 1, inLib + "already holds a component named \"resistor\"."},
      {{"rename", lib, "HEX-INV", ""}, 1, "Component name cannot be empty."},
      {{"delete", lib, "NOPE"}, 1, inLib + "holds no component named \"NOPE\"."},
      {{"delete", In("damaged.cmplib"), "HEX-INV"},
       1,
       "Cannot read \"" + In("damaged.cmplib") + "\" at line 1, column 31: "},
      {{"import-symbol", parts, symbols, "NOPE"}, 1, "There is no symbol \"NOPE\" in \"Import.kicad_sym\"."},
      {{"import-symbol", parts, footprints, "QUAD"},
       1,
       "\"" + footprints + "\" is no .kicad_sym symbol library."},
      {{"import-symbol", parts, symbols, "QUAD", "--footprint", footprints, Samples::LongFootprint()},
       1,
       "Package name cannot be longer than 64 characters. Name it with --package."},
      {{"import-symbol", parts, symbols, "QUAD", "--name", " QUAD"},
       1,
       "Component name \" QUAD\" cannot begin or end with a blank."},
      {{"import-symbol", lib, symbols, "QUAD", "--name", "HEX-INV"},
       1,
       inLib + "already holds a component named \"HEX-INV\"."},
      {{"check", lib, "NO-SUCH"},
       1,
       "Cannot check \"" + lib + "\": it holds no component named \"NO-SUCH\"."},
      {{"symbols", In("none.kicad_sym")},
       1,
       "Cannot read \"" + In("none.kicad_sym") + "\": No such file or directory."},
      {{"diff", lib, In("none.cmplib")},
       1,
       "Cannot read \"" + In("none.cmplib") + "\": No such file or directory."},
      {{"export-kicad", lib, "--out", "/nowhere/out.kicad_sym"},
       1,
       "Cannot write \"/nowhere/out.kicad_sym\": there is no folder \"/nowhere\"."},
      {{"import-pinout", lib, In("part.csv")}, 2, ""},
      {{"import-pinout", lib, In("part.csv"), "--name", "P", "--split", "pins"}, 2, ""},
      {{"import-pinout", lib, In("part.csv"), "--name", "P", "--footprint", "NOEQUALS"}, 2, ""},
      {{"render", lib, "QUAD-NAND2", "--size", "1600", "--out", In("out")},
       2,
       "The size \"1600\" is not WIDTHxHEIGHT in pixels, each 200 to 10000.\n"},
  };
  const std::size_t entries = folder.CountEntries();
  for (const Refusal& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.words));
    const CliRun outcome = Run(row.words);
    EXPECT_EQ(outcome.code, row.code);
    EXPECT_EQ(outcome.err.rfind(row.err, 0), 0u) << outcome.err;
    const bool oneLine = outcome.err.find('\n') == outcome.err.size() - 1;
    const bool usage = outcome.err.find("Usage: component-editor-cli " + row.words[0]) != std::string::npos;
    EXPECT_TRUE(row.code == 1 ? oneLine : usage) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadFileText(lib), original);
    EXPECT_EQ(folder.CountEntries(), entries) << "nothing left beside the library";
  }
}

TEST_F(CliCommandsTest, ShowSymbolsAndScanPrintTheirJson) {
  const CliRun show = Run({"show", Sample(), "--json"});
  ASSERT_EQ(show.code, 0) << show.err;
  const json shown = json::parse(show.out);
  EXPECT_EQ(shown["library"], Sample());
  ASSERT_FALSE(shown["components"].empty());
  const json& package = shown["components"][0]["packages"].at(0);
  const json& terminal = package["gates"].at(0)["terminals"].at(0);
  EXPECT_TRUE(package["package"].is_string() && package["footprint"].is_string());
  EXPECT_EQ(terminal["terminal"], 1);
  EXPECT_TRUE(terminal["name"].is_string() && (terminal["pin"].is_string() || terminal["pin"].is_null()));

  const CliRun symbols = Run({"symbols", In("logic.scmlib"), "--json"});
  ASSERT_EQ(symbols.code, 0) << symbols.err;
  const json listed = json::parse(symbols.out);
  ASSERT_FALSE(listed["symbols"].empty());
  EXPECT_GT(listed["symbols"][0]["pins"].get<int>(), 0);
  EXPECT_TRUE(listed["symbols"][0]["name"].is_string() && listed["problems"].is_array());

  std::filesystem::remove_all(In(KicadImportSamples::kFootprintFolder));
  std::filesystem::remove(In(KicadImportSamples::kSymbolLibrary));
  const CliRun scan = Run({"scan", folder.Path().string(), "--json"});
  ASSERT_EQ(scan.code, 0) << scan.err;
  const json scanned = json::parse(scan.out);
  EXPECT_EQ(scanned["libraries"], 4);
  EXPECT_GE(scanned["symbols"].get<size_t>(), listed["symbols"].size());
  EXPECT_EQ(scanned["components"], shown["components"].size());
  EXPECT_TRUE(scanned["failures"].empty() && scanned["seconds"].is_number());
}

}  // namespace
