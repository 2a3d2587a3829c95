#include <gtest/gtest.h>

#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace morvind {
namespace {

TEST(StringTableTest, GermanTableHoldsTheLanguageCodeAndVersionCount) {
  StringTable strings = StringTable::German();
  EXPECT_EQ(strings.LanguageCode(), "german");
  EXPECT_EQ(strings.GetInt(str::kCardVersionCount), 3);
  EXPECT_EQ(strings.Get(400), "S-21-X  10/15");
  EXPECT_EQ(strings.Get(9999), "");
}

TEST(StringTableTest, DefaultLayoutsSitAtTheirNumbers) {
  StringTable strings = StringTable::German();
  EXPECT_EQ(strings.Get(500), "0.50");            // version 0 nameX
  EXPECT_EQ(strings.Get(600 + 20 + 10), "0.00");  // version 1 maleY
  EXPECT_EQ(strings.Get(700), "1.32");            // version 0 bodyTop
  EXPECT_EQ(strings.Get(700 + 40 + 1), "2.72");   // version 2 bodyHeight
  EXPECT_EQ(strings.Get(700 + 80 + 8), "3.38");   // version 4 remarksColumn
}

TEST(StringTableTest, ParseLeadingIntReadsLikeAtoi) {
  EXPECT_EQ(ParseLeadingInt(" 42abc"), 42);
  EXPECT_EQ(ParseLeadingInt("-7"), -7);
  EXPECT_EQ(ParseLeadingInt("abc"), 0);
  EXPECT_EQ(ParseLeadingInt(" "), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("99999999999") & 0xFF, 0xFF);  // wraps, no overflow trap
}

}  // namespace
}  // namespace morvind
