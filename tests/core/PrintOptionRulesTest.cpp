#include <gtest/gtest.h>

#include "app/Clock.h"
#include "app/PrintOptionRules.h"

namespace morvind {
namespace {

TEST(ReportPeriodTest, ReportMonthIsThePreviousCalendarMonth) {
  const struct {
    LocalDate date;
    int reportMonth;
    int currentYear;
    int reportYearShort;
  } cases[] = {
      {{2024, 1, 15}, 11, 2024, 23},   // January reports December of the year before
      {{2024, 10, 1}, 8, 2024, 24},    // October: September
      {{2024, 12, 31}, 10, 2024, 24},  // December: November
      {{2024, 2, 1}, 0, 2024, 24},    {{2000, 1, 1}, 11, 2000, 255},  // the short year stays a byte
      {{2256, 3, 1}, 1, 2256, 0},     {{2257, 1, 1}, 11, 2257, 0},
  };
  for (const auto& c : cases) {
    ReportPeriod period = ReportPeriodFor(c.date);
    EXPECT_EQ(period.reportMonth, c.reportMonth) << c.date.year << "-" << c.date.month;
    EXPECT_EQ(period.currentYear, c.currentYear) << c.date.year << "-" << c.date.month;
    EXPECT_EQ(period.reportYearShort, c.reportYearShort) << c.date.year << "-" << c.date.month;
  }
  LocalDate today = SystemClock().Today();
  EXPECT_GE(today.month, 1);
  EXPECT_LE(today.month, 12);
  EXPECT_GE(today.day, 1);
}

TEST(PrintOptionRulesTest, MonthRuleEnablesTheMonthsUpToTheReportMonth) {
  const struct {
    const char* when;
    bool previousYear;
    int reportMonth;
    int enabledMonths;  // September .. the n-th month of the service year
    bool totalsEnabled;
  } cases[] = {
      {"October", false, 8, 1, false},
      {"October, previous year", true, 8, 12, true},
      {"September", false, 7, 12, true},
      {"January", false, 11, 4, false},
      {"February", false, 0, 5, false},
      {"August", false, 6, 11, false},
      {"January, previous year", true, 11, 12, true},
  };
  for (const auto& c : cases) {
    MonthBoxStates states = MonthRule(c.previousYear, c.reportMonth);
    for (int i = 0; i < 12; ++i) {
      EXPECT_EQ(states.monthEnabled[static_cast<std::size_t>(i)], i < c.enabledMonths)
          << c.when << " row " << i;
    }
    EXPECT_EQ(states.totalsEnabled, c.totalsEnabled) << c.when;
    EXPECT_EQ(states.uncheckTotals, !c.totalsEnabled) << c.when;
  }
}

TEST(PrintOptionRulesTest, OnlyCardVersionZeroAllowsHeaderCompleteCardPreviousYearAndLongName) {
  for (int version : {0, 1, 2}) {
    CardVersionStates states = CardVersionRule(version);
    bool allowed = version == 0;
    EXPECT_EQ(states.allowHeader, allowed) << version;
    EXPECT_EQ(states.allowCompleteCard, allowed) << version;
    EXPECT_EQ(states.allowPreviousYear, allowed) << version;
    EXPECT_EQ(states.allowLongName, allowed) << version;
  }
}

}  // namespace
}  // namespace morvind
