#include <gtest/gtest.h>

#include <string>

#include "app/PrintChoices.h"

namespace morvind {
namespace {

// Months as a string of twelve flags, September first: "111100000000".
std::array<bool, 12> Months(const std::string& flags) {
  std::array<bool, 12> months{};
  for (std::size_t i = 0; i < 12; ++i) months[i] = flags[i] == '1';
  return months;
}

std::string Flags(const std::array<bool, 12>& months) {
  std::string flags;
  for (bool month : months) flags += month ? '1' : '0';
  return flags;
}

TEST(PrintChoicesTest, RulesDecideWhatTheWishesEndUpAs) {
  constexpr int kFebruary = 1, kSeptember = 8, kAugust = 7;
  struct Case {
    const char* what;
    PrintWishes wishes;
    int reportMonth;
    int cardVersion;
    bool completeCard, header, headerEnabled, gender, previousYear, totals, longName;
    const char* months;
  };
  auto wish = [](int version, const char* months) {
    PrintWishes w;
    w.cardVersion = version;
    w.months = Months(months);
    return w;
  };
  PrintWishes all = wish(0, "111111111111");
  all.totals = true;
  all.genderTicks = true;
  PrintWishes allPrevious = all;
  allPrevious.previousYear = true;
  PrintWishes noHeader = all;
  noHeader.printHeader = false;
  PrintWishes complete = wish(1, "100000000000");
  complete.completeCard = true;
  complete.printHeader = false;
  complete.previousYear = true;
  PrintWishes versionTwo = allPrevious;
  versionTwo.cardVersion = 2;
  versionTwo.completeCard = false;
  PrintWishes versionTwoComplete = versionTwo;
  versionTwoComplete.completeCard = true;
  versionTwoComplete.useLongName = false;
  // The sheet keeps the stored version 2 and none of its rules, and takes
  // none of the card's boxes.
  PrintWishes sheet = versionTwoComplete;
  sheet.form = RecordForm::kSheet1123;
  sheet.useLongName = true;

  const Case cases[] = {
      // In March (report month February) the months up to February can be
      // chosen; the totals box is disabled.
      {"current year", all, kFebruary, 0, false, true, true, true, false, false, true,
       "111111000000"},
      {"wished months only", wish(0, "100011100001"), kFebruary, 0, false, true, true, false, false,
       false, true, "100011000000"},
      {"previous year opens every month and the totals", allPrevious, kFebruary, 0, false, true,
       true, true, true, true, true, "111111111111"},
      {"in September the whole year is past", all, kAugust, 0, false, true, true, true, false, true,
       true, "111111111111"},
      {"October: only September", all, kSeptember, 0, false, true, true, true, false, false, true,
       "100000000000"},
      {"no header, no gender tick", noHeader, kFebruary, 0, false, false, true, false, false, false,
       true, "111111000000"},
      // The complete card switches to version 0 and ticks all twelve, also
      // those the rule disables; the header is fixed on.
      {"complete card", complete, kFebruary, 0, true, true, false, false, true, false, true,
       "111111111111"},
      {"version 2 allows no header, previous year or long name", versionTwo, kFebruary, 2, false,
       false, false, false, false, false, false, "111111000000"},
      {"complete card wins over the version", versionTwoComplete, kFebruary, 0, true, true, false,
       true, true, true, false, "111111111111"},
      {"the sheet: previous year and long name whatever the version", sheet, kFebruary, 2, false,
       false, false, false, true, false, true, "000000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PrintChoices choices = ChoosePrintOptions(c.wishes, c.reportMonth);
    EXPECT_EQ(choices.cardVersion, c.cardVersion);
    EXPECT_EQ(choices.completeCard, c.completeCard);
    EXPECT_EQ(choices.printHeader, c.header);
    EXPECT_EQ(choices.printHeaderEnabled, c.headerEnabled);
    EXPECT_EQ(choices.genderTicks, c.gender);
    EXPECT_EQ(choices.genderTicksEnabled, c.header);
    EXPECT_EQ(choices.previousYearBox, c.previousYear);
    EXPECT_EQ(choices.previousServiceYear, c.previousYear);
    EXPECT_EQ(choices.totals, c.totals);
    EXPECT_EQ(choices.useLongName, c.longName);
    EXPECT_EQ(Flags(choices.months), c.months);
  }
}

}  // namespace
}  // namespace morvind
