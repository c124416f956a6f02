// Symbol libraries of the field's S-expression format, written for these tests: units,
// items shared by all units, body styles, derived symbols, hidden pins, pin order, and
// damaged files that still give what can be read.
#include "host/kicad/kicad_symbol_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

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

}  // namespace

TEST(KicadSymbolReaderTest, EachUnitIsASymbolWithTheSharedPinsAndOnlyTheFirstBodyStyle) {
  const auto contents = Parse(Library(std::string(kDualAmplifier) + "\n"));
  ASSERT_NE(contents, nullptr);
  EXPECT_TRUE(contents->Problems().empty());
  ASSERT_EQ(contents->Names(), (std::vector<CString>{"AMP2:A", "AMP2:B", "AMP2_FAST:A", "AMP2_FAST:B"}));

  const CSymbol& first = contents->Get(0);
  EXPECT_EQ(first.GetKind(), SymbolKind::Schematic);
  ASSERT_EQ(first.CountPads(), 5) << "three own pins and the two shared supply pins, not the other style's";
  // Terminals follow the pins' numbers 1, 2, 3, 4, 8; an unnamed pin is named by its number.
  const std::vector<std::string> names = {"1", "-", "+", "V-", "V+"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(first.GetPad(i).GetNumber(), i + 1);
    EXPECT_EQ(first.GetPad(i).GetName(), names[i]);
  }
  EXPECT_EQ(first.GetPad(2).GetPosition(), CPoint(-76200, 25400));
  EXPECT_EQ(first.GetPad(2).GetLength(), 25400);
  EXPECT_EQ(first.GetPad(2).GetDirection(), PinDirection::Left);
  EXPECT_EQ(first.GetPad(0).GetDirection(), PinDirection::Right);
  EXPECT_EQ(first.GetPad(3).GetDirection(), PinDirection::Down);
  EXPECT_EQ(first.GetPad(4).GetDirection(), PinDirection::Up);
  ASSERT_EQ(first.Graphics().size(), 3U) << "the closed triangle as three lines";
  EXPECT_EQ(std::get<CSymbolLine>(first.Graphics()[0].GetShape()).from, CPoint(-50800, 50800));
  EXPECT_EQ(first.Graphics()[0].GetWidth(), 2540);

  const CSymbol& second = contents->Get(1);
  EXPECT_EQ(second.GetPad(0).GetName(), "V-") << "pins 4 to 8";
  EXPECT_EQ(second.GetPad(3).GetName(), "7");
  ASSERT_EQ(second.Graphics().size(), 1U);
  EXPECT_TRUE(std::get<CSymbolRectangle>(second.Graphics()[0].GetShape()).filled);

  // A derived symbol draws its parent's units.
  const CSymbol& derived = contents->Get(2);
  ASSERT_EQ(derived.CountPads(), first.CountPads());
  for (int i = 0; i < derived.CountPads(); ++i)
    EXPECT_EQ(derived.GetPad(i).GetName(), first.GetPad(i).GetName());
  EXPECT_EQ(derived.Graphics(), first.Graphics());
}

TEST(KicadSymbolReaderTest, PinsBecomeTerminalsInTheNaturalOrderOfTheirNumbers) {
  std::string pins;
  for (const char* number : {"B1", "A10", "10", "A2", "2", "1", "A1", "a3"})
    pins += std::string("(pin passive line (at 0 0 0) (length 2.54) (name \"~\" (effects)) (number \"") +
            number + "\" (effects)))\n";
  const auto contents = Parse(Library("(symbol \"BALLS\" (symbol \"BALLS_1_1\" " + pins + "))"));
  ASSERT_NE(contents, nullptr);
  const CSymbol* symbol = contents->Find("balls");
  ASSERT_NE(symbol, nullptr) << "a single unit keeps the symbol's own name";
  std::vector<std::string> order;
  for (int i = 0; i < symbol->CountPads(); ++i) order.push_back(symbol->GetPad(i).GetName().str());
  EXPECT_EQ(order, (std::vector<std::string>{"1", "2", "10", "A1", "A2", "a3", "A10", "B1"}));
}

TEST(KicadSymbolReaderTest, PinsKeepTheirGraphicStyle) {
  const std::vector<std::pair<const char*, PinShape>> styles = {
      {"line", PinShape::Line},
      {"inverted", PinShape::Inverted},
      {"clock", PinShape::Clock},
      {"inverted_clock", PinShape::InvertedClock},
      {"input_low", PinShape::InputLow},
      {"clock_low", PinShape::ClockLow},
      {"output_low", PinShape::OutputLow},
      {"edge_clock_high", PinShape::EdgeClockHigh},
      {"non_logic", PinShape::NonLogic},
      {"some_future_style", PinShape::Line},
  };
  std::string pins;
  for (size_t i = 0; i < styles.size(); ++i) {
    pins += std::string("(pin input ") + styles[i].first +
            " (at 0 0 0) (length 2.54) (name \"~\" (effects)) " + "(number \"" + std::to_string(i + 1) +
            "\" (effects)))\n";
  }
  const auto contents = Parse(Library("(symbol \"STYLES\" (symbol \"STYLES_1_1\" " + pins + "))"));
  ASSERT_NE(contents, nullptr);
  const CSymbol& symbol = contents->Get(0);
  ASSERT_EQ(symbol.CountPads(), static_cast<int>(styles.size()));
  for (size_t i = 0; i < styles.size(); ++i)
    EXPECT_EQ(symbol.GetPad(static_cast<int>(i)).GetPinShape(), styles[i].second) << styles[i].first;
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
  const auto& arc = std::get<CSymbolArc>(graphics[0].GetShape());
  EXPECT_EQ(arc.centre, CPoint(0, 0));
  EXPECT_EQ(arc.radius, 10000);
  EXPECT_EQ(arc.startAngle, 0);
  EXPECT_EQ(arc.sweepAngle, 180);
  EXPECT_EQ(std::get<CSymbolCircle>(graphics[1].GetShape()),
            (CSymbolCircle{CPoint(20000, 20000), 5000, true}));
  const auto& text = std::get<CSymbolText>(graphics[2].GetShape());
  EXPECT_EQ(text.text, "HI");
  EXPECT_EQ(text.rotation, 90) << "this version writes tenths of a degree";
  EXPECT_EQ(text.size, 15000);
  EXPECT_EQ(text.alignment, TextAlignment::BottomLeft);
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
  ASSERT_EQ(contents->Problems().size(), 3U);
  EXPECT_EQ(contents->Problems()[0],
            "Cannot read \"test.kicad_sym\" at line 4: unknown token \"wobble\" in symbol \"WOBBLY\"; it is "
            "left out.");
  EXPECT_EQ(
      contents->Problems()[1],
      "Cannot read \"test.kicad_sym\" at line 6: symbol \"ORPHAN\" extends \"NOBODY\", which is not in the "
      "library; it is left out.");
  EXPECT_EQ(contents->Problems()[2],
            "Cannot read \"test.kicad_sym\" at line 7: a pin of symbol \"NONUMBER\" has no number; it is "
            "left out.");
}

TEST(KicadSymbolReaderTest, ATruncatedFileKeepsTheSymbolsBeforeTheDamage) {
  const std::string whole =
      Library(std::string(kDualAmplifier) + "\n(symbol \"LAST\" (symbol \"LAST_1_1\"))");
  const std::string cut = whole.substr(0, whole.find("\"LAST_1_1\"") + 10);
  const auto contents = Parse(cut);
  ASSERT_NE(contents, nullptr);
  EXPECT_EQ(contents->Names(), (std::vector<CString>{"AMP2:A", "AMP2:B", "AMP2_FAST:A", "AMP2_FAST:B"}));
  ASSERT_EQ(contents->Problems().size(), 1U);
  EXPECT_NE(contents->Problems()[0].Find("the file ends inside a list"), -1) << contents->Problems()[0];

  const auto unclosed = Parse(Library("(symbol \"Q\" (property \"x\" \"never closed))"));
  ASSERT_NE(unclosed, nullptr);
  ASSERT_EQ(unclosed->Problems().size(), 1U);
  EXPECT_EQ(
      unclosed->Problems()[0],
      "Cannot read \"test.kicad_sym\" at line 2: a string is not closed before the end of the file; what "
      "follows is not read.");
}

TEST(KicadSymbolReaderTest, AFutureVersionOrAnotherKindOfFileIsRefusedWithItsLine) {
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

TEST(KicadSymbolReaderTest, UnitsAreNamedByLetters) {
  EXPECT_EQ(CKicadSymbolReader::UnitName("U", 1, 1), "U");
  EXPECT_EQ(CKicadSymbolReader::UnitName("U", 2, 27), "U:B");
  EXPECT_EQ(CKicadSymbolReader::UnitName("U", 26, 27), "U:Z");
  EXPECT_EQ(CKicadSymbolReader::UnitName("U", 27, 27), "U:AA");
}
