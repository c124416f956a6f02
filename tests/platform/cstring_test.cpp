#include "platform/cstring.h"

#include <gtest/gtest.h>

#include "platform/resource_registry.h"

namespace {

TEST(CStringTest, FormatsComparisonsSearchesSubstringsAndEdits) {
  CString name("NAND2");
  CString text;
  text.Format("%s has %d pins, %04.1f%%", name, 14, 2.5);
  EXPECT_EQ(text, "NAND2 has 14 pins, 02.5%");
  text.Format("%-5s|", CString("ab"));
  EXPECT_EQ(text, "ab   |");

  text.FormatMessage("Symbol %1 does not exist in %2 (%1).", "R", CString("lib.scm"));
  EXPECT_EQ(text, "Symbol R does not exist in lib.scm (R).");
  text.FormatMessage("%2-%1 100%%", 7, "x");
  EXPECT_EQ(text, "x-7 100%");
  text.FormatMessage("missing %3 stays empty");
  EXPECT_EQ(text, "missing  stays empty");

  // Formats from the string table.
  static const ResourceModule module{"test", {{42, "Gate %s"}, {43, "Cannot open %1."}}, {}};
  Resources::AddModule(&module);
  text = "unchanged";
  EXPECT_FALSE(text.LoadString(41));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(text.LoadString(42));
  EXPECT_EQ(text, "Gate %s");
  text.Format(42u, "b");
  EXPECT_EQ(text, "Gate b");
  text.FormatMessage(43u, "lib");
  EXPECT_EQ(text, "Cannot open lib.");
  Resources::RemoveModule(&module);
  EXPECT_FALSE(text.LoadString(42));

  // Comparisons, searches, substrings and edits.
  const CString sentence("Gate a, Terminal 3");
  EXPECT_EQ(sentence.CompareNoCase("gate A, TERMINAL 3"), 0);
  EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
  EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
  EXPECT_EQ(sentence.Find('a'), 1);
  EXPECT_EQ(sentence.Find('a', 2), 5);
  EXPECT_EQ(sentence.Find("Terminal"), 8);
  EXPECT_EQ(sentence.Find("x"), -1);
  EXPECT_EQ(sentence.Find('a', 100), -1);
  EXPECT_EQ(sentence.ReverseFind('a'), 14);

  // Substrings clamp instead of failing.
  const CString package("package");
  EXPECT_EQ(package.Mid(3), "kage");
  EXPECT_EQ(package.Mid(3, 2), "ka");
  EXPECT_EQ(package.Mid(10), "");
  EXPECT_EQ(package.Mid(-2, 3), "pac");
  EXPECT_EQ(package.Left(3), "pac");
  EXPECT_EQ(package.Left(99), "package");
  EXPECT_EQ(package.Right(3), "age");
  EXPECT_TRUE(CString().IsEmpty());
  EXPECT_FALSE(package.IsEmpty());

  CString edited("  a-b-c \t");
  edited.Trim();
  EXPECT_EQ(edited, "a-b-c");
  EXPECT_EQ(edited.Replace("-", "--"), 2);
  EXPECT_EQ(edited, "a--b--c");
  EXPECT_EQ(edited.Remove('-'), 4);
  EXPECT_EQ(edited.MakeUpper(), "ABC");
  edited.Insert(1, "x");
  EXPECT_EQ(edited, "AxBC");
  edited.Delete(0, 2);
  EXPECT_EQ(edited, "BC");
  EXPECT_EQ(CString("a") + "b" + CString("c"), "abc");
}

}  // namespace
