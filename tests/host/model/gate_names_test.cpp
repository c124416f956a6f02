// Gate letter names: a..z, then aa, ab, ... with no gaps and no two indexes alike.
#include "host/model/gate_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GateNamesTest, NamesCountLikeSpreadsheetColumnsInLowerCase) {
  EXPECT_EQ(GateString(0), "a");
  EXPECT_EQ(GateString(25), "z");
  EXPECT_EQ(GateString(26), "aa");
  EXPECT_EQ(GateString(27), "ab");
  EXPECT_EQ(GateString(701), "zz");
  EXPECT_EQ(GateString(702), "aaa");
  EXPECT_EQ(GateString(-1), "");
}

TEST(GateNamesTest, EveryIndexRoundTripsAndNamesAscendShortestFirst) {
  std::string previous;
  for (int index = 0; index <= 100000; ++index) {
    const CString name = GateString(index);
    ASSERT_EQ(GateId(name), index) << name.str();
    CString upper = name;
    ASSERT_EQ(GateId(upper.MakeUpper()), index) << name.str();
    // Shorter names first, then alphabetical: no name can repeat or be skipped.
    const std::string& text = name.str();
    ASSERT_TRUE(text.size() > previous.size() || (text.size() == previous.size() && text > previous))
        << previous << " then " << text;
    previous = text;
  }
}

TEST(GateNamesTest, TextThatIsNoGateNameGivesMinusOne) {
  EXPECT_EQ(GateId(nullptr), -1);
  EXPECT_EQ(GateId(""), -1);
  EXPECT_EQ(GateId("a1"), -1);
  EXPECT_EQ(GateId(" a"), -1);
  EXPECT_EQ(GateId("a b"), -1);
  EXPECT_EQ(GateId("\xc3\xa4"), -1);
  EXPECT_EQ(GateId("fxshrxw"), 2147483646);
  EXPECT_EQ(GateId("fxshrxx"), 2147483647);
  EXPECT_EQ(GateId("fxshrxy"), -1);
  EXPECT_EQ(GateId("zzzzzzzzzzzzzzzzzzzzzzzz"), -1);
}

}  // namespace
