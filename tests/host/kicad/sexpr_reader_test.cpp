// The tokeniser under the field's library readers: lengths to design units with their
// rounding and limits, strings with escapes and line ends counted, and skips over lists.
#include "host/kicad/sexpr_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::optional<int> Length(const char* text) {
  int units = 0;
  if (!CSexprReader::ParseLength(text, units)) return std::nullopt;
  return units;
}

TEST(SexprReaderTest, LengthsBecomeTenthsOfAMicrometreRoundedAtTheFifthPlace) {
  EXPECT_EQ(Length("1"), 10000);
  EXPECT_EQ(Length("-1.905"), -19050);
  EXPECT_EQ(Length("+0.5"), 5000);
  EXPECT_EQ(Length(".25"), 2500);
  EXPECT_EQ(Length("3."), 30000);
  EXPECT_EQ(Length("0.00004"), 0);
  EXPECT_EQ(Length("0.00005"), 1);
  EXPECT_EQ(Length("1.234567"), 12346) << "places past the fifth are read and dropped";
  EXPECT_EQ(Length("-0.00015"), -2);
  EXPECT_EQ(Length("10000"), 100000000) << "ten metres is the largest length";
  for (const char* bad : {"", "-", ".", "1e3", "1.2.3", "abc", "1 ", "10000.0001", "100000000000", "--1"})
    EXPECT_EQ(Length(bad), std::nullopt) << bad;
}

TEST(SexprReaderTest, StringsKeepTheirEscapesAndCountTheirLines) {
  CSexprReader reader("(a \"x\\\"y\" \"two\nlines\"\n b)");
  std::string_view keyword;
  ASSERT_TRUE(reader.OpenList(keyword));
  EXPECT_EQ(keyword, "a");
  const SexprToken escaped = reader.Next();
  EXPECT_EQ(escaped.kind, SexprTokenKind::String);
  EXPECT_TRUE(escaped.escaped);
  EXPECT_EQ(CSexprReader::Unescape(escaped.text), "x\"y");
  EXPECT_EQ(reader.Next().text, "two\nlines");
  const SexprToken atom = reader.Peek();
  EXPECT_EQ(atom.text, "b");
  EXPECT_EQ(atom.line, 3);
  EXPECT_EQ(reader.Next().line, 3);
  EXPECT_TRUE(reader.ExpectClose());
}

TEST(SexprReaderTest, SkipsCountLinesInsideStringsAndFindTheBrokenEnd) {
  CSexprReader reader("(a (b \"(\n\" (c)\n) d)\n(e");
  std::string_view keyword;
  ASSERT_TRUE(reader.OpenList(keyword));
  ASSERT_TRUE(reader.OpenList(keyword));
  EXPECT_EQ(keyword, "b");
  reader.SkipToDepth(reader.Depth());
  EXPECT_EQ(reader.Depth(), 1);
  EXPECT_EQ(reader.Next().text, "d");
  EXPECT_EQ(reader.Line(), 3);
  EXPECT_TRUE(reader.ExpectClose());
  ASSERT_TRUE(reader.OpenList(keyword));
  reader.SkipToDepth(reader.Depth());
  EXPECT_TRUE(reader.SyntaxFailed());
  EXPECT_EQ(reader.Failure(), "the file ends inside a list");
  EXPECT_EQ(reader.FailureLine(), 4);

  CSexprReader open("(a \"never\nclosed)");
  ASSERT_TRUE(open.OpenList(keyword));
  EXPECT_EQ(open.Next().kind, SexprTokenKind::End);
  EXPECT_EQ(open.Failure(), "a string is not closed before the end of the file");
  EXPECT_EQ(open.FailureLine(), 1);
}

}  // namespace
