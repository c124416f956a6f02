// Footprints that name their lands, give a pin several lands or have lands of no pin:
// how their pins are written and read, and how the symbol library file holds them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "host/kicad/kicad_footprint_reader.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library_file.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

// Two balls, an exposed pad on two lands and a mounting hole, read as the field's
// footprint files give them.
constexpr const char* kBallsAndHole = R"((footprint "BGA2EP" (version 20211014) (layer "F.Cu")
  (pad "B1" smd circle (at 0 0.8) (size 0.4 0.4) (layers "F.Cu"))
  (pad "A1" smd circle (at 0 0) (size 0.4 0.4) (layers "F.Cu"))
  (pad "EP" smd rect (at 2 0) (size 1 0.5) (layers "F.Cu"))
  (pad "EP" smd rect (at 2 0.8) (size 1 0.5) (layers "F.Cu"))
  (pad "" np_thru_hole circle (at -2 0) (size 1 1) (drill 1) (layers *.Cu))
))";

std::unique_ptr<CSymbol> BallsAndHole() {
  CString error;
  auto symbol = CKicadFootprintReader::Parse(kBallsAndHole, "BGA2EP.kicad_mod", "BGA2EP", error);
  EXPECT_NE(symbol, nullptr) << error;
  return symbol;
}

std::string LibraryText(int version, const std::string& pads) {
  return R"({"format": "symbol-library", "version": )" + std::to_string(version) +
         R"(, "kind": "pcb", "symbols": [{"name": "F", "origin": {"x": 0, "y": 0}, "graphics": [], "pads": [)" +
         pads + "]}]}";
}

std::string Land(const std::string& number, const std::string& name, int x) {
  return R"({"number": )" + number + R"(, "name": ")" + name + R"(", "position": {"x": )" +
         std::to_string(x) + R"(, "y": 0}, "shape": "round", "width": 100, "height": 100, "drill": 0})";
}

}  // namespace

TEST(PadLandsTest, NamedLandsAreShownAndReadByTheirNamesAndNumbersStillWork) {
  const auto footprint = BallsAndHole();
  ASSERT_NE(footprint, nullptr);
  EXPECT_EQ(footprint->CountPins(), 3) << "a pin on two lands counts once, a hole not at all";
  const CPinLabels labels(footprint.get());
  EXPECT_TRUE(labels.HasNames());
  // A pin the footprint lacks is shown by its number; no pin is shown as nothing.
  EXPECT_EQ(labels.Text(1) + labels.Text(2) + labels.Text(3) + "|" + labels.Text(9) + "|" + labels.Text(-1),
            "A1B1EP|9|");
  // Names are read ignoring case and blanks; a number is still a number.
  const std::pair<const char*, int> read[] = {{"b1", 2},  {" Ep ", 3}, {"1", 1},
                                              {"  ", -1}, {"C7", 0},   {"A1x", 0}};
  for (const auto& [text, expected] : read) {
    int pin = 0;
    const bool found = labels.Read(text, pin);
    EXPECT_EQ(found ? pin : 0, expected) << text;
    EXPECT_EQ(found, expected != 0) << text;
  }
  EXPECT_EQ(labels.Refusal("C7"), "\"C7\" is not a pin number nor a pad name of BGA2EP");

  const CPinLabels numbers(nullptr);
  int pin = 0;
  EXPECT_FALSE(numbers.HasNames());
  EXPECT_EQ(numbers.Text(3), "3");
  EXPECT_FALSE(numbers.Read("A1", pin));
  EXPECT_EQ(numbers.Refusal("A1"), "\"A1\" is not a pin number");
}

// Labels read for the grid serve the drawing too, but only while the library stays as
// it was; labels given out earlier keep their names.
TEST(PadLandsTest, TheLabelsOfAFootprintFollowItsLibraryWhenItChanges) {
  ScratchFolder scratch;
  const std::string library = scratch / "lands.pcblib";
  WriteFileText(library, LibraryText(2, Land("1", "A1", 0)));
  const CPinLabels first = CPinLabels::ForFootprint(library.c_str(), "F", "");
  EXPECT_EQ(first.Text(1), "A1");
  EXPECT_EQ(CPinLabels::ForFootprint(library.c_str(), "F", "").Text(1), "A1");

  const auto written = std::filesystem::last_write_time(library);
  WriteFileText(library, LibraryText(2, Land("1", "Z1", 0)));
  std::filesystem::last_write_time(library, written + std::chrono::seconds(2));
  const CPinLabels second = CPinLabels::ForFootprint(library.c_str(), "F", "");
  EXPECT_EQ(second.Text(1), "Z1");
  int pin = 0;
  EXPECT_TRUE(second.Read("z1", pin));
  EXPECT_FALSE(second.Read("A1", pin));
  EXPECT_EQ(first.Text(1), "A1");
  EXPECT_FALSE(CPinLabels::ForFootprint(library.c_str(), "G", "").HasNames()) << "no such footprint";
}

// A footprint numbered 1..n stays in version 1, readable by older programs: the samples'
// byte-for-byte round trip shows it.
TEST(PadLandsTest, TheLibraryFileHoldsNamesSharedLandsAndHolesInVersionTwo) {
  const auto footprint = BallsAndHole();
  ASSERT_NE(footprint, nullptr);
  CSymbolLibraryContents contents(SymbolKind::Pcb);
  contents.Add(footprint->Clone());
  const std::string text = CSymbolLibraryFile::Format(contents);
  EXPECT_NE(text.find("\"version\": 2"), std::string::npos);
  EXPECT_NE(text.find("\"number\": null"), std::string::npos);
  CString error;
  const auto read = CSymbolLibraryFile::Parse(text, "bga.pcblib", error);
  ASSERT_NE(read, nullptr) << error;
  EXPECT_TRUE(read->Get(0) == *footprint) << "names, shared lands and the hole come back";
  EXPECT_EQ(CSymbolLibraryFile::Format(*read), text);
}

TEST(PadLandsTest, VersionOneRefusesWhatOnlyVersionTwoHolds) {
  CString error;
  const std::string twice = Land("1", "", 0) + ", " + Land("1", "", 200);
  EXPECT_EQ(CSymbolLibraryFile::Parse(LibraryText(1, twice), "old.pcblib", error), nullptr);
  EXPECT_EQ(error,
            "Cannot read \"old.pcblib\" at /symbols/0/pads/1/number: pad number 1 is already used at "
            "/symbols/0/pads/0/number.");
  EXPECT_NE(CSymbolLibraryFile::Parse(LibraryText(2, twice), "new.pcblib", error), nullptr) << error;

  const std::string hole = Land("null", "", 0);
  EXPECT_EQ(CSymbolLibraryFile::Parse(LibraryText(1, hole), "old.pcblib", error), nullptr);
  EXPECT_NE(error.Find("/symbols/0/pads/0/number"), -1) << error;
  const auto holes = CSymbolLibraryFile::Parse(LibraryText(2, hole + ", " + hole), "new.pcblib", error);
  ASSERT_NE(holes, nullptr) << error;
  EXPECT_EQ(holes->Get(0).CountPads(), 2);
  EXPECT_EQ(holes->Get(0).CountPins(), 0);
}
