// Symbol libraries of the field's S-expression format, written for these tests: units,
// items shared by all units, body styles, derived symbols, hidden pins, pin order, and
// damaged files that still give what can be read. Below, the tokeniser under the field's
// library readers: lengths to design units with their rounding and limits, strings with
// escapes and line ends counted, and skips over lists.
#include "host/kicad/kicad_symbol_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

#include "host/kicad/sexpr_reader.h"

namespace {

// A dual amplifier: units 1 and 2 with three pins each, supply pins (hidden) shared by
// both, and a second body style that is not read.
constexpr const char* kDualAmplifier = R"(
  (symbol "AMP2" (pin_names (offset 0.254)) (in_bom yes) (on_board yes)
    (property "Reference" "U" (id 0) (at 0 5.08 0) (effects (font (size 1.27 1.27))))
    (symbol "AMP2_1_1"
      (polyline (pts (xy -5.08 5.08) (xy 5.08 0) (xy -5.08 -5.08) (xy -5.08 5.08))
        (stroke (width 0.254) (type default)) (fill (type background)))
      (pin input line (at -7.62 2.54 0) (length 2.54)
        (name "+" (effects (font (size 1.27 1.27)))) (number "3" (effects (font (size 1.27 1.27)))))
      (pin input line (at -7.62 -2.54 0) (length 2.54)
        (name "-" (effects (font (size 1.27 1.27)))) (number "2" (effects (font (size 1.27 1.27)))))
      (pin output line (at 7.62 0 180) (length 2.54)
        (name "~" (effects (font (size 1.27 1.27)))) (number "1" (effects (font (size 1.27 1.27)))))
    )
    (symbol "AMP2_2_1"
      (rectangle (start -5.08 5.08) (end 5.08 -5.08) (stroke (width 0.254)) (fill (type outline)))
      (pin input line (at -7.62 2.54 0) (length 2.54) (name "+" (effects)) (number "5" (effects)))
      (pin input line (at -7.62 -2.54 0) (length 2.54) (name "-" (effects)) (number "6" (effects)))
      (pin output line (at 7.62 0 180) (length 2.54) (name "~" (effects)) (number "7" (effects)))
    )
    (symbol "AMP2_0_1"
      (pin power_in line (at -2.54 -7.62 90) (length 3.81) hide (name "V-" (effects)) (number "4" (effects)))
      (pin power_in line (at -2.54 7.62 270) (length 3.81) hide (name "V+" (effects)) (number "8" (effects)))
    )
    (symbol "AMP2_1_2"
      (circle (center 0 0) (radius 1) (stroke (width 0)) (fill (type none)))
      (pin input line (at -7.62 0 0) (length 2.54) (name "X" (effects)) (number "9" (effects)))
    )
  )
  (symbol "AMP2_FAST" (extends "AMP2")
    (property "Reference" "U" (id 0) (at 0 5.08 0) (effects (font (size 1.27 1.27))))
  )
)";

std::string Library(const std::string& symbols, const char* version = "20211014") {
  return std::string("(kicad_symbol_lib (version ") + version + ") (generator test_writer)\n" + symbols +
         ")\n";
}

std::unique_ptr<CSymbolLibraryContents> Parse(const std::string& text, CString& error) {
  return CKicadSymbolReader::Parse(text, "test.kicad_sym", error);
}

std::unique_ptr<CSymbolLibraryContents> Parse(const std::string& text) {
  CString error;
  auto contents = Parse(text, error);
  EXPECT_NE(contents, nullptr) << error;
  return contents;
}

// Each pad as "number:name direction".
std::string PadsOf(const CSymbol& symbol) {
  std::string out;
  for (int i = 0; i < symbol.CountPads(); ++i) {
    const CFreePad& pad = symbol.GetPad(i);
    out += (i > 0 ? ", " : "") + std::to_string(pad.GetNumber()) + ":" + pad.GetName().str() + " " +
           "LRUD"[static_cast<int>(pad.GetDirection())];
  }
  return out;
}

TEST(KicadSymbolReaderTest, EachUnitIsASymbolWithTheSharedPinsAndOnlyTheFirstBodyStyle) {
  const auto contents = Parse(Library(std::string(kDualAmplifier) + "\n"));
  ASSERT_NE(contents, nullptr);
  EXPECT_TRUE(contents->Problems().empty());
  ASSERT_EQ(contents->Names(), (std::vector<CString>{"AMP2:A", "AMP2:B", "AMP2_FAST:A", "AMP2_FAST:B"}));

  const CSymbol& first = contents->Get(0);
  EXPECT_EQ(first.GetKind(), SymbolKind::Schematic);
  // Three own pins and the two shared supply pins, not the other style's: terminals follow
  // the pins' numbers 1, 2, 3, 4, 8, and an unnamed pin is named by its number.
  EXPECT_EQ(PadsOf(first), "1:1 R, 2:- L, 3:+ L, 4:V- D, 5:V+ U");
  EXPECT_EQ(std::make_pair(first.GetPad(2).GetPosition(), first.GetPad(2).GetLength()),
            std::make_pair(CPoint(-76200, 25400), 25400));
  ASSERT_EQ(first.Graphics().size(), 3U) << "the closed triangle as three lines";
  EXPECT_EQ(std::make_pair(std::get<CSymbolLine>(first.Graphics()[0].GetShape()).from,
                           first.Graphics()[0].GetWidth()),
            std::make_pair(CPoint(-50800, 50800), 2540));

  const CSymbol& second = contents->Get(1);
  EXPECT_EQ(PadsOf(second), "1:V- D, 2:+ L, 3:- L, 4:7 R, 5:V+ U") << "pins 4 to 8";
  ASSERT_EQ(second.Graphics().size(), 1U);
  EXPECT_TRUE(std::get<CSymbolRectangle>(second.Graphics()[0].GetShape()).filled);

  // A derived symbol draws its parent's units.
  const CSymbol& derived = contents->Get(2);
  EXPECT_EQ(PadsOf(derived), PadsOf(first));
  EXPECT_EQ(derived.Graphics(), first.Graphics());
}

TEST(KicadSymbolReaderTest, PinsBecomeTerminalsInTheNaturalOrderOfTheirNumbersAndKeepTheirStyle) {
  // The field's nine styles map one to one; three stand for them, and an unknown one is a line.
  const std::pair<const char*, const char*> styles[] = {
      {"B1", "inverted"}, {"A10", "clock_low"}, {"10", "non_logic"}, {"A2", "some_future_style"},
      {"2", "line"},      {"1", "line"},        {"A1", "line"},      {"a3", "line"}};
  std::string pins;
  for (const auto& [number, style] : styles)
    pins += std::string("(pin passive ") + style +
            " (at 0 0 0) (length 2.54) (name \"~\" (effects)) (number \"" + number + "\" (effects)))\n";
  const auto contents = Parse(Library("(symbol \"BALLS\" (symbol \"BALLS_1_1\" " + pins + "))"));
  ASSERT_NE(contents, nullptr);
  const CSymbol* symbol = contents->Find("balls");
  ASSERT_NE(symbol, nullptr) << "a single unit keeps the symbol's own name";
  EXPECT_EQ(PadsOf(*symbol), "1:1 L, 2:2 L, 3:10 L, 4:A1 L, 5:A2 L, 6:a3 L, 7:A10 L, 8:B1 L");
  EXPECT_EQ(
      (std::vector<PinShape>{symbol->GetPad(7).GetPinShape(), symbol->GetPad(6).GetPinShape(),
                             symbol->GetPad(2).GetPinShape(), symbol->GetPad(4).GetPinShape()}),
      (std::vector<PinShape>{PinShape::Inverted, PinShape::ClockLow, PinShape::NonLogic, PinShape::Line}));
}

TEST(KicadSymbolReaderTest, GraphicsKeepTheirShapeArcsAndTexts) {
  const auto contents = Parse(Library(R"((symbol "G" (symbol "G_1_1"
      (arc (start 1 0) (mid 0 1) (end -1 0) (stroke (width 0.1)) (fill (type none)))
      (circle (center 2 2) (radius 0.5) (stroke (width 0)) (fill (type outline)))
      (text "HI" (at 1.27 2.54 900) (effects (font (size 1.5 1.5)) (justify left bottom)))
    )))"));
  ASSERT_NE(contents, nullptr);
  const auto& graphics = contents->Get(0).Graphics();
  ASSERT_EQ(graphics.size(), 3U);
  EXPECT_EQ(std::get<CSymbolArc>(graphics[0].GetShape()), (CSymbolArc{CPoint(0, 0), 10000, 0, 180}));
  EXPECT_EQ(std::get<CSymbolCircle>(graphics[1].GetShape()),
            (CSymbolCircle{CPoint(20000, 20000), 5000, true}));
  EXPECT_EQ(std::get<CSymbolText>(graphics[2].GetShape()),
            (CSymbolText{"HI", CPoint(12700, 25400), 15000, TextAlignment::BottomLeft, 90}))
      << "this version writes tenths of a degree";
  EXPECT_EQ(graphics[2].GetLayer(), "Text");
}

TEST(KicadSymbolReaderTest, ABadSymbolIsLeftOutWithItsLineAndTheRestIsRead) {
  const std::string text = Library(
      R"((symbol "GOOD1" (symbol "GOOD1_1_1" (pin input line (at 0 0 0) (length 1) (name "A" (effects)) (number "1" (effects)))))
(symbol "WOBBLY"
  (wobble 3)
  (symbol "WOBBLY_1_1"))
(symbol "ORPHAN" (extends "NOBODY"))
(symbol "NONUMBER" (symbol "NONUMBER_1_1" (pin input line (at 0 0 0) (length 1) (name "A" (effects)) (number "" (effects)))))
(symbol "GOOD2" (symbol "GOOD2_1_1"))
)");
  const auto contents = Parse(text);
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->Names(), (std::vector<CString>{"GOOD1", "NONUMBER", "GOOD2"}));
  EXPECT_EQ(contents->Find("NONUMBER")->CountPads(), 0);
  const std::string at = "Cannot read \"test.kicad_sym\" at line ";
  EXPECT_EQ(contents->Problems(),
            (std::vector<CString>{
                at + "4: unknown token \"wobble\" in symbol \"WOBBLY\"; it is left out.",
                at + "6: symbol \"ORPHAN\" extends \"NOBODY\", which is not in the library; it is left out.",
                at + "7: a pin of symbol \"NONUMBER\" has no number; it is left out."}));
}

TEST(KicadSymbolReaderTest, ATruncatedFileKeepsTheSymbolsBeforeTheDamageAFutureOrOtherOneIsRefused) {
  const std::string whole =
      Library(std::string(kDualAmplifier) + "\n(symbol \"LAST\" (symbol \"LAST_1_1\"))");
  const std::string cut = whole.substr(0, whole.find("\"LAST_1_1\"") + 10);
  const auto contents = Parse(cut);
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->Names(), (std::vector<CString>{"AMP2:A", "AMP2:B", "AMP2_FAST:A", "AMP2_FAST:B"}));
  ASSERT_EQ(contents->Problems().size(), 1U);
  EXPECT_NE(contents->Problems()[0].Find("the file ends inside a list"), -1) << contents->Problems()[0];

  // A future version or another kind of file is refused with its line.
  CString error;
  EXPECT_EQ(Parse(Library(kDualAmplifier, "20991231"), error), nullptr);
  EXPECT_EQ(error,
            "Cannot read \"test.kicad_sym\" at line 1: format version 20991231 is newer than this program "
            "reads (20241209).");
  EXPECT_EQ(Parse("(footprint \"R\" (version 20211014))", error), nullptr);
  EXPECT_NE(error.Find("it does not begin with (kicad_symbol_lib"), -1) << error;
  EXPECT_EQ(Parse("", error), nullptr);
  EXPECT_EQ(Parse("(kicad_symbol_lib (version x2021))", error), nullptr);
  EXPECT_EQ(error, "Cannot read \"test.kicad_sym\" at line 1: \"x2021\" is not a number.");
}

std::optional<int> Length(const char* text) {
  int units = 0;
  if (!CSexprReader::ParseLength(text, units)) return std::nullopt;
  return units;
}

// The length where it stands in a file, with more of the file after it.
std::optional<int> LengthInFile(const char* text) {
  const std::string file = std::string(text) + "            )";
  CSexprReader reader(file);
  int units = 0;
  if (!reader.ReadLength(units)) return std::nullopt;
  return units;
}

TEST(SexprReaderTest, LengthsBecomeTenthsOfAMicrometreRoundedAtTheFifthPlace) {
  // Places past the fifth are read and dropped; ten metres is the largest length.
  const std::pair<const char*, int> lengths[] = {
      {"1", 10000},      {"-1.905", -19050},   {"+0.5", 5000},     {".25", 2500},
      {"3.", 30000},     {"0.00004", 0},       {"0.00005", 1},     {"1.234567", 12346},
      {"-0.00015", -2},  {"10000", 100000000}, {"0.99999", 10000}, {"2.12345678912", 21235},
      {"-.1234", -1234}, {"-25.4", -254000},   {"127", 1270000},   {"9999.99995", 100000000}};
  for (const auto& [text, units] : lengths) {
    EXPECT_EQ(Length(text), units) << text;
    EXPECT_EQ(LengthInFile(text), units) << text;
  }
  for (const char* bad : {"", "-", ".", "1e3", "1.2.3", "abc", "1 ", "10000.0001", "100000000000", "--1"})
    EXPECT_EQ(Length(bad), std::nullopt) << bad;
  for (const char* bad : {"-.", "1.5e3", "1.2.3", "10000.00005", "0.123456789x"})
    EXPECT_EQ(LengthInFile(bad), std::nullopt) << bad;
}

TEST(SexprReaderTest, StringsKeepTheirEscapesAndLinesAreCountedInsideThemAndBySkips) {
  CSexprReader reader("(a \"x\\\"y\" \"two\nlines\"\n b)");
  std::string_view keyword;
  ASSERT_TRUE(reader.OpenList(keyword));
  EXPECT_EQ(keyword, "a");
  const SexprToken escaped = reader.Next();
  EXPECT_TRUE(escaped.kind == SexprTokenKind::String && escaped.escaped);
  EXPECT_EQ(CSexprReader::Unescape(escaped.text), "x\"y");
  EXPECT_EQ(reader.Next().text, "two\nlines");
  const SexprToken atom = reader.Peek();
  EXPECT_EQ(std::make_pair(atom.text, atom.line), std::make_pair(std::string_view("b"), 3));
  EXPECT_EQ(reader.Next().line, 3);
  EXPECT_TRUE(reader.ExpectClose());

  CSexprReader skips("(a (b \"(\n\" (c)\n) d)\n(e");
  ASSERT_TRUE(skips.OpenList(keyword));
  ASSERT_TRUE(skips.OpenList(keyword));
  EXPECT_EQ(keyword, "b");
  skips.SkipToDepth(skips.Depth());
  EXPECT_EQ(skips.Depth(), 1);
  EXPECT_EQ(skips.Next().text, "d");
  EXPECT_EQ(skips.Line(), 3);
  EXPECT_TRUE(skips.ExpectClose());
  ASSERT_TRUE(skips.OpenList(keyword));
  skips.SkipToDepth(skips.Depth());
  EXPECT_TRUE(skips.SyntaxFailed());
  EXPECT_EQ(skips.Failure(), "the file ends inside a list");
  EXPECT_EQ(skips.FailureLine(), 4);

  CSexprReader open("(a \"never\nclosed)");
  ASSERT_TRUE(open.OpenList(keyword));
  EXPECT_EQ(open.Next().kind, SexprTokenKind::End);
  EXPECT_EQ(open.Failure(), "a string is not closed before the end of the file");
  EXPECT_EQ(open.FailureLine(), 1);
}

TEST(KicadSymbolReaderTest, UnitsAreNamedByLetters) {
  EXPECT_EQ(CKicadSymbolReader::UnitName("U", 1, 1) + " " + CKicadSymbolReader::UnitName("U", 2, 27) + " " +
                CKicadSymbolReader::UnitName("U", 26, 27) + " " + CKicadSymbolReader::UnitName("U", 27, 27),
            "U U:B U:Z U:AA");
}

}  // namespace
