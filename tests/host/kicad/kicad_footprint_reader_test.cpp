// Footprints of the field's S-expression format, written for these tests: pads of each
// shape, turned, drilled, named like BGA balls, repeated or unnumbered; outlines and
// texts of the silkscreen and fabrication layers; damaged files in a footprint folder.
// How the pins of named, shared and unnumbered lands are shown, read and kept in the
// symbol library file.
#include "host/kicad/kicad_footprint_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <variant>

#include "host/model/pin_labels.h"
#include "host/model/symbol_library_file.h"
#include "tests/support/file_text.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr const char* kQuadWithPad = R"((footprint "QFN4" (version 20211014) (generator test_writer)
  (layer "F.Cu")
  (tedit 5B307E8C)
  (attr smd)
  (fp_text reference "REF**" (at 0 -3 unlocked) (layer "F.SilkS")
    (effects (font (size 1 1) (thickness 0.15))))
  (fp_text value "QFN4" (at 0 3) (layer "F.Fab") hide
    (effects (font (size 1 1) (thickness 0.15))))
  (fp_text user "${REFERENCE}" (at 0 0) (layer "F.Fab") (effects (font (size 1 1) (thickness 0.15))))
  (fp_line (start -2 -2) (end 2 -2) (layer "F.SilkS") (width 0.12))
  (fp_line (start -3 -3) (end 3 -3) (layer "F.CrtYd") (width 0.05))
  (fp_circle (center 0 0) (end 1 0) (layer "F.Fab") (width 0.1))
  (fp_arc (start 1 0) (mid 0 -1) (end -1 0) (stroke (width 0.12) (type solid)) (layer "F.SilkS"))
  (pad "1" smd rect (at -1.5 -0.5) (size 0.8 0.3) (layers "F.Cu" "F.Paste" "F.Mask"))
  (pad "2" smd roundrect (at -1.5 0.5) (size 0.8 0.3) (layers "F.Cu" "F.Paste" "F.Mask") (roundrect_rratio 0.25))
  (pad "3" smd oval (at 1.5 0.5 90) (size 0.8 0.3) (layers "F.Cu" "F.Paste" "F.Mask"))
  (pad "4" thru_hole circle (at 1.5 -0.5) (size 1.2 1.2) (drill 0.6) (layers *.Cu *.Mask))
  (pad "EP" smd rect (at 0 -0.4) (size 1 0.6) (layers "F.Cu" "F.Mask"))
  (pad "EP" smd rect (at 0 0.4) (size 1 0.6) (layers "F.Cu" "F.Mask"))
  (pad "" np_thru_hole circle (at 0 2) (size 1 1) (drill 1) (layers *.Cu *.Mask))
  (pad "2" smd rect (at -1.5 1.5) (size 0.8 0.3) (layers "F.Cu"))
  (model "${MODELS}/QFN4.wrl" (offset (xyz 0 0 0)) (scale (xyz 1 1 1)) (rotate (xyz 0 0 0)))
)
)";

std::unique_ptr<CSymbol> Parse(const std::string& text, CString& error) {
  return CKicadFootprintReader::Parse(text, "QFN4.kicad_mod", "QFN4", error);
}

std::string Ball(const char* name, double x, double y) {
  return std::string("(pad \"") + name + "\" smd circle (at " + std::to_string(x) + " " + std::to_string(y) +
         ") (size 0.4 0.4) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
}

// A land as "number name shape width x height (x, y)", with its drill when it has one.
std::string Land(const CFreePad& pad) {
  const char* shapes[] = {"round", "rect", "oval"};
  std::string out = std::to_string(pad.GetNumber()) + " " + pad.GetName().str() + " " +
                    shapes[static_cast<int>(pad.GetShape())] + " " + std::to_string(pad.GetSize().cx) + "x" +
                    std::to_string(pad.GetSize().cy) + " (" + std::to_string(pad.GetPosition().x) + "," +
                    std::to_string(pad.GetPosition().y) + ")";
  return pad.GetDrill() != 0 ? out + " drill " + std::to_string(pad.GetDrill()) : out;
}

// A drawing as "layer kind", with a text's words and an arc's angles.
std::string Graphic(const CSymbolGraphic& graphic) {
  const char* kinds[] = {"line", "rectangle", "arc", "circle", "text"};
  std::string out = graphic.GetLayer().str() + " " + kinds[graphic.GetShape().index()];
  if (const auto* text = std::get_if<CSymbolText>(&graphic.GetShape())) out += " " + text->text.str();
  if (const auto* arc = std::get_if<CSymbolArc>(&graphic.GetShape()))
    out += " " + std::to_string(arc->startAngle) + "+" + std::to_string(arc->sweepAngle);
  return out;
}

TEST(KicadFootprintReaderTest, LandsKeepShapeSizeTurnAndDrillWithYTurnedUpAndARepeatedNumberIsOnePin) {
  CString error;
  const auto symbol = Parse(kQuadWithPad, error);
  ASSERT_NE(symbol, nullptr) << error;
  EXPECT_EQ(symbol->GetKind(), SymbolKind::Pcb);
  EXPECT_EQ(symbol->CountPins(), 5) << "1 to 4 and the exposed pad once";
  std::vector<std::string> lands;
  for (int i = 0; i < symbol->CountPads(); ++i) lands.push_back(Land(symbol->GetPad(i)));
  // A plain number needs no label; a quarter turn swaps the sides; a named pad follows the
  // highest number, and every land of it carries the name; a hole is a land of no pin.
  EXPECT_EQ(lands, (std::vector<std::string>{
                       "1  rect 8000x3000 (-15000,5000)", "2  rect 8000x3000 (-15000,-5000)",
                       "3  oval 3000x8000 (15000,-5000)", "4  round 12000x12000 (15000,5000) drill 6000",
                       "5 EP rect 10000x6000 (0,4000)", "5 EP rect 10000x6000 (0,-4000)",
                       "-1  round 10000x10000 (0,-20000) drill 10000", "2  rect 8000x3000 (-15000,-15000)"}));
  EXPECT_EQ(symbol->FindPad(2)->GetPosition(), CPoint(-15000, -5000))
      << "the first land of a repeated number";
  EXPECT_FALSE(symbol->GetPad(6).IsNumbered());
  EXPECT_EQ(symbol->FindPad(CFreePad::kNoNumber), nullptr) << "a hole is found by no number";
  EXPECT_TRUE(symbol->HasSharedOrUnnumberedLands());

  // Neither the hidden value nor the board's reference, no courtyard, no lands among the
  // drawings; the arc through (0, -1) on the board goes through the top here.
  std::vector<std::string> graphics;
  for (const CSymbolGraphic& graphic : symbol->Graphics()) graphics.push_back(Graphic(graphic));
  EXPECT_EQ(graphics, (std::vector<std::string>{"Silkscreen text REF**", "Silkscreen line", "Assembly circle",
                                                "Silkscreen arc 0+180"}));
}

TEST(KicadFootprintReaderTest, BallNamesArePinsInNaturalOrderShownAndReadByTheirNames) {
  std::string text = "(footprint \"BGA5\" (version 20211014) (layer \"F.Cu\")\n";
  for (const auto& [name, x] : std::vector<std::pair<const char*, double>>{
           {"B2", 0.8}, {"A10", 7.2}, {"A1", 0}, {"B1", 0}, {"A2", 0.8}})
    text += Ball(name, x, std::string(name)[0] == 'A' ? 0.0 : 0.8);
  text += ")\n";
  CString error;
  const auto symbol = CKicadFootprintReader::Parse(text, "BGA5.kicad_mod", "BGA5", error);
  ASSERT_NE(symbol, nullptr) << error;
  EXPECT_EQ(symbol->FindPad(3)->GetPosition(), CPoint(72000, 0));
  EXPECT_EQ(symbol->FindPad(4)->GetPosition(), CPoint(0, -8000));
  const CPinLabels labels(symbol.get());
  EXPECT_TRUE(labels.HasNames());
  // A pin the footprint lacks is shown by its number; no pin is shown as nothing.
  std::string shown;
  for (int pin : {1, 2, 3, 4, 5, 9, -1}) shown += labels.Text(pin).str() + "|";
  EXPECT_EQ(shown, "A1|A2|A10|B1|B2|9||");
  // Names are read ignoring case and blanks; a number is still a number.
  const std::pair<const char*, int> read[] = {{"b1", 4},  {" a10 ", 3}, {"1", 1},
                                              {"  ", -1}, {"C7", 0},    {"A1x", 0}};
  for (const auto& [typed, expected] : read) {
    int pin = 0;
    const bool found = labels.Read(typed, pin);
    EXPECT_EQ(std::make_pair(found, found ? pin : 0), std::make_pair(expected != 0, expected)) << typed;
  }
  EXPECT_EQ(labels.Refusal("C7"), "\"C7\" is not a pin number nor a pad name of BGA5");

  const CPinLabels numbers(nullptr);
  int pin = 0;
  EXPECT_EQ(
      std::make_tuple(numbers.HasNames(), numbers.Text(3), numbers.Read("A1", pin), numbers.Refusal("A1")),
      std::make_tuple(false, CString("3"), false, CString("\"A1\" is not a pin number")));
}

TEST(KicadFootprintReaderTest, ABadFootprintIsRefusedWithItsLine) {
  std::string unknown = kQuadWithPad;
  unknown.insert(unknown.find("  (attr smd)"), "  (fp_wobble 1)\n");
  std::string future = kQuadWithPad;
  future.replace(future.find("20211014"), 8, "20990101");
  const std::pair<std::string, std::string> cases[] = {
      {unknown, "at line 4: unknown token \"fp_wobble\"."},
      {future, "at line 1: format version 20990101 is newer than this program reads (20241229)."},
      {std::string(kQuadWithPad).substr(0, std::string(kQuadWithPad).find("(pad \"4\"")),
       "at line 17: the file ends inside a list."},
      {"(footprint \"X\" (pad \"1\" smd rect (size 1 1)))",
       "at line 1: a pad lacks its number, type, shape, position or size."},
      {"(footprint \"X\" (pad \"1\" smd rect (at 1 one) (size 1 1)))",
       "at line 1: \"one\" is not a length in millimetres."},
      {"(kicad_symbol_lib)", "at line 1: this is no footprint"},
      {"(footprint \"X\"\n  (fp_text user \"a\" (at 0 0) (effects (font (size 1 1) 0.15",
       "at line 2: the file ends inside a list."}};
  for (const auto& [text, message] : cases) {
    CString error;
    EXPECT_EQ(Parse(text, error), nullptr) << message;
    EXPECT_EQ(error.Find(("Cannot read \"QFN4.kicad_mod\" " + message).c_str()), 0) << error;
  }
}

TEST(KicadFootprintReaderTest, AFolderListsItsFootprintsByNameAndReportsTheBadOnes) {
  ScratchFolder scratch;
  const std::filesystem::path folder = scratch.Path() / "Parts.pretty";
  std::filesystem::create_directory(folder);
  WriteFileText(folder / "QFN4.kicad_mod", kQuadWithPad);
  WriteFileText(folder / "BGA1.kicad_mod", "(footprint \"BGA1\" (layer \"F.Cu\")\n" + Ball("A1", 0, 0) + ")");
  WriteFileText(folder / "Broken.kicad_mod", "(footprint \"Broken\"\n  (pad \"1\" smd");
  WriteFileText(folder / "notes.txt", "not a footprint");
  CString error;
  const auto contents = CKicadFootprintReader::LoadFolder(CString(folder.string()), error);
  ASSERT_NE(contents, nullptr) << error;
  EXPECT_EQ(contents->GetKind(), SymbolKind::Pcb);
  EXPECT_EQ(contents->Names(), (std::vector<CString>{"BGA1", "QFN4"}));
  EXPECT_EQ(contents->Problems(),
            std::vector<CString>{"Cannot read \"Broken.kicad_mod\" at line 2: the file ends inside a list."});

  EXPECT_EQ(CKicadFootprintReader::LoadFolder(CString((scratch.Path() / "None.pretty").string()), error),
            nullptr);
  EXPECT_NE(error.Find("None.pretty"), -1) << error;
}

std::string LibraryText(int version, const std::string& pads) {
  return R"({"format": "symbol-library", "version": )" + std::to_string(version) +
         R"(, "kind": "pcb", "symbols": [{"name": "F", "origin": {"x": 0, "y": 0}, "graphics": [], "pads": [)" +
         pads + "]}]}";
}

std::string JsonLand(const std::string& number, const std::string& name, int x) {
  return R"({"number": )" + number + R"(, "name": ")" + name + R"(", "position": {"x": )" +
         std::to_string(x) + R"(, "y": 0}, "shape": "round", "width": 100, "height": 100, "drill": 0})";
}

// Labels read for the grid serve the drawing too, but only while the library stays as
// it was; labels given out earlier keep their names.
TEST(KicadFootprintReaderTest, TheLabelsOfAFootprintFollowItsLibraryWhenItChanges) {
  ScratchFolder scratch;
  const std::string library = scratch / "lands.pcblib";
  WriteFileText(library, LibraryText(2, JsonLand("1", "A1", 0)));
  const CPinLabels first = CPinLabels::ForFootprint(library.c_str(), "F", "");
  EXPECT_EQ(first.Text(1) + CPinLabels::ForFootprint(library.c_str(), "F", "").Text(1), "A1A1");

  const auto written = std::filesystem::last_write_time(library);
  WriteFileText(library, LibraryText(2, JsonLand("1", "Z1", 0)));
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
TEST(KicadFootprintReaderTest, TheLibraryFileHoldsNamesSharedLandsAndHolesInVersionTwo) {
  CString error;
  const auto footprint = Parse(kQuadWithPad, error);
  ASSERT_NE(footprint, nullptr) << error;
  CSymbolLibraryContents contents(SymbolKind::Pcb);
  contents.Add(footprint->Clone());
  const std::string text = CSymbolLibraryFile::Format(contents);
  EXPECT_NE(text.find("\"version\": 2"), std::string::npos);
  EXPECT_NE(text.find("\"number\": null"), std::string::npos);
  const auto read = CSymbolLibraryFile::Parse(text, "bga.pcblib", error);
  ASSERT_NE(read, nullptr) << error;
  EXPECT_TRUE(read->Get(0) == *footprint) << "names, shared lands and the hole come back";
  EXPECT_EQ(CSymbolLibraryFile::Format(*read), text);
  // Version 1 has no land of no pin.
  EXPECT_EQ(CSymbolLibraryFile::Parse(LibraryText(1, JsonLand("null", "", 0)), "old.pcblib", error), nullptr);
  EXPECT_NE(error.Find("/symbols/0/pads/0/number"), -1) << error;
}

}  // namespace
