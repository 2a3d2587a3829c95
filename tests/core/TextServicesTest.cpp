#include <gtest/gtest.h>

#include <string>

#include "data/TextServices.h"
#include "resources/StringTable.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

TEST(TextServicesTest, PublisherNameInEitherOrderWithTheFieldsAsStored) {
  test::TestTable t;
  int anna = t.AddPublisher("Anna", "Meier");
  int jurgen = t.AddPublisher("J\xC3\xBCrgen ", " M\xC3\xBCller");
  EXPECT_EQ(PublisherName(t.Table(), anna, true), "Meier, Anna");
  EXPECT_EQ(PublisherName(t.Table(), anna, false), "Anna Meier");
  EXPECT_EQ(PublisherName(t.Table(), jurgen, true), " M\xC3\xBCller, J\xC3\xBCrgen ");
  EXPECT_EQ(PublisherName(t.Table(), 0, true), "");
  EXPECT_EQ(PublisherName(t.Table(), -1, false), "");
  EXPECT_EQ(PublisherName(t.Table(), 3, false), "");  // beyond the table
}

TEST(TextServicesTest, CardDateFormatsAndLanguageVariants) {
  using namespace std::string_view_literals;
  const StringTable strings = StringTable::German();
  struct Case {
    std::string_view stored;
    int format;
    const char* language;
    const char* expected;
  };
  const Case cases[] = {
      {"12251990"sv, 0, "german", "12/25/1990"},
      {"12251990"sv, 1, "german", "25/12/1990"},
      {"12251990"sv, 2, "german", "Dez 25, 1990"},
      {"12251990"sv, 3, "german", "25 Dez, 1990"},
      {"12251990"sv, 4, "german", "25.12.1990"},
      {"12251990"sv, 5, "german", "25 Dez, 1990"},  // higher formats read as 3
      {"12251990"sv, 7, "german", "25 Dez, 1990"},
      {"01312002"sv, 4, "hun", "31.01.2002"},  // the dotted form has no variants
      {"01312002"sv, 4, "cz", "31.01.2002"},
      {"        "sv, 4, "german", ""},
      {"122519\0"
       "0"sv,
       4, "german", "25.12.19"},
      {"01312002"sv, 2, "german", "Jan 31, 2002"},
      {"12251990"sv, 0, "hun", "12/25/1990"},
      {"12251990"sv, 2, "hun", "1990. Dez. 25."},
      {"12251990"sv, 3, "hun", "1990-12-25"},
      {"12251990"sv, 2, "cz", "25/12/1990"},
      {"12251990"sv, 3, "cz", "25 Dez, 1990"},
      {"        "sv, 0, "german", ""},
      {"        "sv, 2, "german", ""},
      {"1225"sv, 0, "german", ""},
      {"1225"sv, 3, "german", ""},
      {""sv, 1, "german", ""},
      {"12\0"
       "51990"sv,
       0, "german", ""},  // a zero byte ends the date
      {"122519\0"
       "0"sv,
       0, "german", "12/25/19"},  // six characters still fill eight
      {"12251\0"
       "90"sv,
       0, "german", ""},  // five do not
      {"ABCDEFGH"sv, 0, "german", "AB/CD/EFGH"},
      {"ABCDEFGH"sv, 2, "german", "AB CD, EFGH"},  // no month name: the number stands in
      {"13251990"sv, 2, "german", "13 25, 1990"},
      {"13251990"sv, 3, "german", "25 13, 1990"},
      {"00251990"sv, 3, "german", "25 00, 1990"},
      {"12251990xyz"sv, 0, "german", "12/25/1990"},  // only eight characters count
      {" 1251990"sv, 0, "german", "1/25/1990"},      // trimmed, still 9 characters
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatCardDate(c.stored, c.format, c.language, strings), c.expected)
        << c.stored << " format " << c.format << " " << c.language;
  }

  test::TestTable t;
  int p = t.AddPublisher("Anna", "Meier");
  t.SetText(p, record::kBirthDate, "12251990");
  t.SetText(p, record::kImmersedDate, "06011975");
  EXPECT_EQ(CardDate(t.Table(), p, true, 0, "german", strings), "12/25/1990");
  EXPECT_EQ(CardDate(t.Table(), p, false, 1, "german", strings), "01/06/1975");
  EXPECT_EQ(CardDate(t.Table(), 5, false, 1, "german", strings), "");

  // A damaged date byte is a character of the data's code page, decoded like
  // every other text, never a raw byte in the UTF-8 result.
  t.SetText(p, record::kBirthDate,
            "12\xE4"
            "51990");
  EXPECT_EQ(CardDate(t.Table(), p, true, 0, "german", strings), "12/\u00E45/1990");
  EXPECT_EQ(CardDate(t.Table(), p, true, 1, "german", strings), "\u00E45/12/1990");
  EXPECT_EQ(CardDate(t.Table(), p, true, 2, "german", strings), "Dez \u00E45, 1990");
  EXPECT_EQ(CardDate(t.Table(), p, true, 3, "hun", strings), "1990-12-\u00E45");
  EXPECT_EQ(CardDate(t.Table(), p, true, 4, "german", strings), "\u00E45.12.1990");
  t.Table().SetCodePage(CodePage::kWindows1251);
  EXPECT_EQ(CardDate(t.Table(), p, true, 0, "rus", strings), "12/\u04345/1990");
}

TEST(TextServicesTest, IsBaptizedNeedsMoreThanFourCharactersAfterTrimming) {
  test::TestTable t;
  const std::pair<const char*, bool> cases[] = {
      {"01011990", true}, {"  1990  ", false}, {"        ", false}, {"", false},
      {"1990", false},    {"19901", true},     {" 1 2 ", false},    {"\t1990\t", false}};
  for (const auto& [date, baptized] : cases) {
    int p = t.AddPublisher("A", "B");
    t.SetText(p, record::kImmersedDate, date);
    EXPECT_EQ(IsBaptized(t.Table(), p), baptized) << "\"" << date << "\"";
  }
  EXPECT_FALSE(IsBaptized(t.Table(), 99));
}

TEST(TextServicesTest, QuarterTextWithTheLeadingZeroSwitch) {
  const StringTable german = StringTable::German();
  StringTable withZero = german;
  withZero.Set(144, "1");
  struct Case {
    int quarters;
    bool zeroPrefix;
    const char* plain;
    const char* zeroed;
  };
  const Case cases[] = {{0, true, "", ""},
                        {-1, true, "", ""},
                        {1, false, "\xC2\xBC", "\xC2\xBC"},
                        {2, true, "\xC2\xBD", "0\xC2\xBD"},
                        {3, true, "\xC2\xBE", "0\xC2\xBE"},
                        {3, false, "\xC2\xBE", "\xC2\xBE"}};
  for (const Case& c : cases) {
    EXPECT_EQ(QuarterText(c.quarters, c.zeroPrefix, german), c.plain) << c.quarters;
    EXPECT_EQ(QuarterText(c.quarters, c.zeroPrefix, withZero), c.zeroed) << c.quarters;
  }
}

TEST(TextServicesTest, TrimRemovesTheSixWhiteSpaceCharacters) {
  const char* cases[][3] = {
      // text, left-trimmed, right-trimmed
      {"  a b  ", "a b  ", "  a b"},
      {"\t\n\v\f\rx\r\f\v\n\t", "x\r\f\v\n\t", "\t\n\v\f\rx"},
      {"   ", "", ""},
      {"", "", ""},
      {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},  // a no-break space is kept
  };
  for (const auto& c : cases) {
    std::string left = c[0], right = c[0];
    EXPECT_EQ(&TrimLeft(left), &left);
    EXPECT_EQ(left, c[1]);
    EXPECT_EQ(TrimRight(right), c[2]);
  }
}

}  // namespace
}  // namespace morvind
