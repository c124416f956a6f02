// Every command's words go through one parser: each has its --help, and an unknown
// option or a missing argument gets exit code 2 with that command's usage. A refusal is
// one line on the error stream with exit code 1, and writes nothing. symbols lists a
// library of any kind, scan sums up a folder after each failure; show, symbols and scan
// print one JSON object with --json.
#include <sys/stat.h>

#include "tests/app/cli_fixture.h"
#include "tests/support/svg_reader.h"

namespace {

using namespace std::string_literals;
using CliCommandsTest = CliTest;
using Words = std::vector<std::string>;

// Every command but dialogs takes arguments.
constexpr const char* kCommands[] = {
    "dialogs", "show", "render",  "export", "import", "import-symbol", "copy", "rename",
    "delete",  "new",  "symbols", "scan",   "check",  "export-kicad",  "diff", "import-pinout"};

TEST_F(CliCommandsTest, EveryCommandExplainsItselfAndRefusesWordsThatDoNotFit) {
  const CliRun help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  for (const std::string command : kCommands) {
    SCOPED_TRACE(command);
    EXPECT_NE(help.out.find("  " + command + " "), std::string::npos) << help.out;
    const std::string usage = "Usage: component-editor-cli " + command + " ";
    const CliRun own = Run({command, "--help"});
    EXPECT_EQ(own.code, 0);
    EXPECT_NE(own.out.find(usage), std::string::npos) << own.out;
    for (const Words& misfit : {Words{command, "--no-such-option"}, Words{command}}) {
      const CliRun outcome = Run(misfit);
      EXPECT_EQ(outcome.code, misfit.size() == 1 && command == "dialogs" ? 0 : 2);
      EXPECT_EQ(outcome.err.find(usage) != std::string::npos, outcome.code == 2) << outcome.err;
    }
  }
  EXPECT_EQ(Run({"no-such-command"}).code, 2);
  EXPECT_EQ(Run({}).code, 2);
}

// Each refusal's words and the start of its one line; words that do not fit come with
// the command's usage after what is wrong with them.
TEST_F(CliCommandsTest, RefusalsNameTheProblemAndWriteNothing) {
  WriteFileText(In("damaged.cmplib"), "{\"format\": \"component-library\"");
  const std::string lib = Sample();
  const std::string parts = In("parts.cmplib");
  const std::string symbols = In(Samples::kSymbolLibrary);
  const std::string footprints = In(Samples::kFootprintFolder);
  const std::string holds = "The library \"sample.cmplib\" already holds a component named ";
  const std::string gates = "--gates must be a whole number from 1 to 32768, not ";
  const auto n2 = [&lib](Words more) {
    more.insert(more.begin(), {"new", lib, "N2", "--package", "DIP-14"});
    return more;
  };
  const std::pair<Words, std::string> refusals[] = {
      {{"new", lib, "hex-inv", "--package", "DIP-14"}, holds + "\"hex-inv\"."},
      {n2({"--symbol", "logic.scmlib:NOPE"}), "Symbol NOPE does not exist in " + In("logic.scmlib") + "."},
      {n2({"--footprint", "DIP-14"}), "--footprint takes LIB:SYMBOL, not \"DIP-14\"."},
      {n2({"--gates", "many"}), gates + "\"many\"."},
      // No gates at all, and more terminals than a component can number, were once taken.
      {n2({"--symbol", "logic.scmlib:INV", "--gates", "0"}), gates + "\"0\"."},
      {n2({"--symbol", "logic.scmlib:INV", "--gates", "32768"}), "--gates 32768 would make 65536 terminals"},
      {n2({"--reference", "U1"}), "Default reference \"U1\" can contain only the letters A to Z"},
      {{"new", lib, " N2", "--package", "DIP-14"},
       "Component name \" N2\" cannot begin or end with a blank."},
      {{"copy", lib, "NOPE", "X"}, "The library \"sample.cmplib\" holds no component named \"NOPE\"."},
      {{"rename", lib, "HEX-INV", "resistor"}, holds + "\"resistor\"."},
      {{"rename", lib, "HEX-INV", ""}, "Component name cannot be empty."},
      {{"delete", In("damaged.cmplib"), "HEX-INV"}, "Cannot read \"" + In("damaged.cmplib") + "\" at line 1"},
      {{"import-symbol", parts, symbols, "NOPE"}, "There is no symbol \"NOPE\" in \"Import.kicad_sym\"."},
      {{"import-symbol", parts, footprints, "QUAD"},
       "\"" + footprints + "\" is no .kicad_sym symbol library."},
      {{"import-symbol", parts, symbols, "QUAD", "--footprint", footprints, Samples::LongFootprint()},
       "Package name cannot be longer than 64 characters. Name it with --package."},
      {{"import-symbol", parts, symbols, "QUAD", "--name", " QUAD"}, "Component name \" QUAD\" cannot begin"},
      {{"import-symbol", lib, symbols, "QUAD", "--name", "HEX-INV"}, holds + "\"HEX-INV\"."},
      {{"check", lib, "NO-SUCH"}, "Cannot check \"" + lib + "\": it holds no component named \"NO-SUCH\"."},
      {{"symbols", In("none.kicad_sym")}, "Cannot read \"" + In("none.kicad_sym") + "\": No such file"},
      {{"diff", lib, In("none.cmplib")}, "Cannot read \"" + In("none.cmplib") + "\": No such file"},
      {{"export-kicad", lib, "--out", "/nowhere/out.kicad_sym"},
       "Cannot write \"/nowhere/out.kicad_sym\": there is"},
  };
  std::vector<std::pair<Words, std::string>> misfits = {
      {{"new", lib, "N2"}, ""},
      {{"import-pinout", lib, In("part.csv")}, ""},
      {{"import-pinout", lib, In("part.csv"), "--name", "P", "--split", "pins"}, ""},
      {{"import-pinout", lib, In("part.csv"), "--name", "P", "--footprint", "NOEQUALS"}, ""},
      {{"render", lib, "QUAD-NAND2", "--size", "1600", "--out", In("out")},
       "The size \"1600\" is not WIDTHxHEIGHT"},
  };
  const std::size_t entries = folder.CountEntries();
  for (const auto& [words, err] : refusals) {
    SCOPED_TRACE(::testing::PrintToString(words));
    const CliRun outcome = Run(words);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.err.rfind(err, 0), 0u) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line";
    EXPECT_EQ(outcome.out + ReadFileText(lib), original);
    EXPECT_EQ(folder.CountEntries(), entries) << "nothing left beside the library";
  }
  for (const auto& [words, err] : misfits) {
    const CliRun outcome = Run(words);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.err.rfind(err, 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("Usage: component-editor-cli " + words[0]), std::string::npos) << outcome.err;
  }
  EXPECT_EQ(ReadFileText(lib), original);
  EXPECT_EQ(folder.CountEntries(), entries);
}

// A damaged library is one of the failures; a FIFO never gets a writer here: reading it
// must not wait for one, it is passed over with a note.
TEST_F(CliCommandsTest, SymbolsListsEachSymbolWithItsCountAndScanSumsUpAFolderAfterEachFailure) {
  const json shown = json::parse(Run({"show", Sample(), "--json"}).out);
  EXPECT_EQ(shown["library"], Sample());
  const json& package = shown["components"].at(0)["packages"].at(0);
  EXPECT_TRUE(package["package"].is_string() && package["footprint"].is_string());
  const json& terminal = package["gates"].at(0)["terminals"].at(0);
  EXPECT_EQ(std::make_tuple(terminal["terminal"], terminal["name"], terminal["pin"]),
            std::make_tuple(json(1), json("A"), json("1")));
  const json listed = json::parse(Run({"symbols", In("logic.scmlib"), "--json"}).out);
  EXPECT_EQ(
      std::make_tuple(listed["symbols"].at(0)["name"], listed["symbols"].at(0)["pins"], listed["problems"]),
      std::make_tuple(json("NAND2"), json(3), json::array()));
  const json scanned = json::parse(Run({"scan", folder.Path().string(), "--json"}).out);
  EXPECT_EQ(
      std::make_tuple(scanned["libraries"], scanned["components"], scanned["failures"], scanned["symbols"]),
      std::make_tuple(json(6), json(shown["components"].size()), json::array(), json(22)));
  EXPECT_TRUE(scanned["seconds"].is_number());

  const std::string cut = "Cannot read \"Cut.kicad_mod\" at line 2: the file ends inside a list.\n";
  WriteFileText(In("Import.pretty/Cut.kicad_mod"), "(footprint \"Cut\"\n(pad");
  WriteFileText(In("broken.cmplib"), "{\"version\": 1, \"components\": [\n");
  const std::tuple<const char*, std::string, std::string> symbols[] = {
      {"Import.kicad_sym", "QUAD:A\t5\nQUAD:B\t5\nBGA5\t5\n", ""},
      {"Import.pretty", "BGA-4\t5\nDIP-14\t14\n" + Samples::LongFootprint() + "\t14\n", cut},
      {"logic.scmlib", "NAND2\t3\nINV\t2\nDFF\t4\nPOWER\t2\n", ""}};
  for (const auto& [library, first, err] : symbols) {
    const CliRun run = Run({"symbols", In(library)});
    EXPECT_EQ(std::make_tuple(run.code, run.out, run.err), std::make_tuple(0, first, err)) << library;
  }
  const std::vector<std::string> lines = Lines(Run({"scan", folder.Path().string()}).out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0] + "\n", cut);
  EXPECT_NE(lines[1].find("broken.cmplib"), std::string::npos) << lines[1];
  EXPECT_EQ(lines[2].substr(0, lines[2].find(", 2 failures, ")),
            "10 files, 6 libraries, 22 symbols, 170 pads or pins, 4 components");
  EXPECT_EQ(lines[2].substr(lines[2].size() - 2), " s");

  ASSERT_EQ(::mkfifo(In("Import.pretty/Pipe.kicad_mod").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo(In("Pipe.kicad_sym").c_str(), 0644), 0);
  const std::string note = "it is a FIFO, not a regular file.";
  EXPECT_NE(Run({"symbols", In("Import.pretty")}).err.find("Pipe.kicad_mod\": " + note), std::string::npos);
  const CliRun pipe = Run({"symbols", In("Pipe.kicad_sym")});
  EXPECT_EQ(std::make_pair(pipe.code, pipe.err.find(note) != std::string::npos), std::make_pair(1, true))
      << pipe.err;
  const CliRun scan = Run({"scan", folder.Path().string()});
  EXPECT_EQ(scan.code, 1) << "a failure fails the scan";
  for (const std::string& said : {"Pipe.kicad_mod\": " + note, "Pipe.kicad_sym\": " + note, ", 4 failures,"s})
    EXPECT_NE(scan.out.find(said), std::string::npos) << scan.out;
}

// The program's folder holds no library here: the symbol libraries beside the component
// library draw it, the terminals with their names, the pads with their numbers.
TEST_F(CliCommandsTest, RenderDrawsAComponentFromTheSymbolLibrariesBesideItsLibrary) {
  const CliRun render = Run({"render", Sample(), "HEX-INV", "--size", "1600x1000", "--out", In("out")});
  ASSERT_EQ(render.code, 0) << render.err;
  const std::vector<SvgElement> schematic = ReadSvg(ReadFileText(In("out/HEX-INV-DIP-14-schematic.svg")));
  const std::vector<SvgElement> pcb = ReadSvg(ReadFileText(In("out/HEX-INV-DIP-14-pcb.svg")));
  // A terminal of each of the six inverters, and the power gate.
  for (const auto& [name, count] : {std::pair("A", 6U), std::pair("Y", 6U), std::pair("VCC", 1U)})
    EXPECT_EQ(TextsReading(schematic, name).size(), count) << name;
  for (int pad = 1; pad <= 14; ++pad) EXPECT_EQ(TextsReading(pcb, std::to_string(pad)).size(), 1U) << pad;
  EXPECT_EQ(Run({"render", Sample(), "RESISTOR", "--size", "200x10000", "--out", In("out")}).code, 0)
      << "the least width and the most height";
}

}  // namespace
