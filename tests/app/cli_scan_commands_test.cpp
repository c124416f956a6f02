// The command line's symbols and scan commands on libraries of every kind: one line per
// symbol with its pin or pad count; one summary line for a folder, after each failure
// with its located message.
#include <sys/stat.h>

#include "tests/app/cli_fixture.h"

namespace {

namespace fs = std::filesystem;

class CliScanCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    fs::create_directories(In("libs/Small.pretty"));
    WriteFileText(
        In("libs/Small.pretty/SOT23.kicad_mod"),
        "(footprint \"SOT23\" (version 20211014)\n"
        "(pad \"1\" smd rect (at -1 1) (size 0.6 0.7)) (pad \"2\" smd rect (at 1 1) (size 0.6 0.7))\n"
        "(pad \"3\" smd rect (at 0 -1) (size 0.6 0.7)))\n");
    WriteFileText(In("libs/Small.pretty/Cut.kicad_mod"), "(footprint \"Cut\"\n(pad");
    WriteFileText(
        In("libs/Gates.kicad_sym"),
        "(kicad_symbol_lib (version 20211014)\n(symbol \"AND\" (symbol \"AND_1_1\"\n"
        "(pin input line (at 0 0 0) (length 1) (name \"A\" (effects)) (number \"1\" (effects)))\n"
        "(pin output line (at 5 0 180) (length 1) (name \"Y\" (effects)) (number \"2\" (effects))))))\n");
    fs::copy_file(In("logic.scmlib"), In("libs/logic.scmlib"));
    fs::copy_file(Sample(), In("libs/sample.cmplib"));
    WriteFileText(In("libs/broken.cmplib"), "{\"version\": 1, \"components\": [\n");
  }
};

constexpr const char* kCut = "Cannot read \"Cut.kicad_mod\" at line 2: the file ends inside a list.\n";

TEST_F(CliScanCommandsTest, SymbolsListsEachSymbolWithItsPinOrPadCount) {
  const CliRun symbols = Run({"symbols", In("libs/Gates.kicad_sym")});
  EXPECT_EQ(symbols.code, 0);
  EXPECT_EQ(symbols.out, "AND\t2\n");
  const CliRun footprints = Run({"symbols", In("libs/Small.pretty")});
  EXPECT_EQ(footprints.code, 0);
  EXPECT_EQ(footprints.out, "SOT23\t3\n");
  EXPECT_EQ(footprints.err, kCut);
  const CliRun own = Run({"symbols", In("libs/logic.scmlib")});
  EXPECT_EQ(own.code, 0);
  EXPECT_EQ(own.out.substr(0, own.out.find('\n')), "NAND2\t3");
}

// A damaged component library is one of the failures.
TEST_F(CliScanCommandsTest, ScanSumsUpAFolderAfterListingEachFailure) {
  const CliRun scan = Run({"scan", In("libs")});
  EXPECT_EQ(scan.code, 1) << "a failure fails the scan";
  const std::string failure = kCut;
  ASSERT_EQ(scan.out.substr(0, failure.size()), failure);
  const size_t broken = scan.out.find('\n', failure.size());
  EXPECT_NE(scan.out.substr(failure.size(), broken - failure.size()).find("broken.cmplib"), std::string::npos)
      << scan.out;
  const std::string summary = scan.out.substr(broken + 1);
  EXPECT_EQ(summary.substr(0, summary.find(", 2 failures,")),
            "6 files, 4 libraries, " + std::to_string(1 + 1 + 4) + " symbols, " + std::to_string(2 + 3 + 11) +
                " pads or pins, 4 components")
      << summary;
  EXPECT_NE(summary.find(" s\n"), std::string::npos) << summary;
}

// A FIFO never gets a writer here: reading it must not wait for one. It is passed over
// with a note, and the other files are read as ever.
TEST_F(CliScanCommandsTest, FifosAreNotedAndPassedOverWithoutWaiting) {
  ASSERT_EQ(::mkfifo(In("libs/Small.pretty/Pipe.kicad_mod").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo(In("libs/Pipe.kicad_sym").c_str(), 0644), 0);
  const std::string note = "it is a FIFO, not a regular file.";
  const CliRun footprints = Run({"symbols", In("libs/Small.pretty")});
  EXPECT_EQ(footprints.out, "SOT23\t3\n");
  EXPECT_NE(footprints.err.find("Pipe.kicad_mod\": " + note), std::string::npos) << footprints.err;
  const CliRun symbols = Run({"symbols", In("libs/Pipe.kicad_sym")});
  EXPECT_EQ(symbols.code, 1);
  EXPECT_NE(symbols.err.find(note), std::string::npos) << symbols.err;
  const CliRun scan = Run({"scan", In("libs")});
  EXPECT_NE(scan.out.find("Pipe.kicad_mod\": " + note), std::string::npos) << scan.out;
  EXPECT_NE(scan.out.find("Pipe.kicad_sym\": " + note), std::string::npos) << scan.out;
  EXPECT_NE(scan.out.find(", 4 failures,"), std::string::npos) << scan.out;
}

}  // namespace
