#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/ReportTotals.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

struct Figure {
  int month;  // 0 = January
  int slot;
  int column;
  int value;
  int quarters;  // hours only
};

TEST(ReportTotalsTest, TotalToDateCarriesQuartersAndFlipsTheSlotAtDecember) {
  struct Case {
    const char* name;
    int reportMonth;
    int reportYearShort;
    int count;
    int column;
    std::vector<Figure> figures;
    int sum;
    const char* text;
  };
  // clang-format off
  const Case cases[] = {
      {"quarters 3 + 2 carry one hour", 10, 24, 3, kHours,
       {{9, 0, kHours, 10, 3}, {10, 0, kHours, 5, 2}}, 16, "16¼"},
      {"a lone quarter", 8, 24, 1, kHours, {{8, 0, kHours, 0, 1}}, 0, "0¼"},
      // Four quarters are exactly one hour: carried, with no sign left over.
      {"quarters 3 + 1 make a whole hour", 9, 24, 2, kHours,
       {{8, 0, kHours, 7, 3}, {9, 0, kHours, 2, 1}}, 10, "10"},
      {"quarters 1 + 1 + 2 make a whole hour", 10, 24, 3, kHours,
       {{8, 0, kHours, 0, 1}, {9, 0, kHours, 0, 1}, {10, 0, kHours, 0, 2}}, 1, "1"},
      {"quarters 3 + 3 + 3 carry two hours", 10, 24, 3, kHours,
       {{8, 0, kHours, 1, 3}, {9, 0, kHours, 1, 3}, {10, 0, kHours, 1, 3}}, 5, "5¼"},
      {"nothing reported", 8, 24, 1, kPlacements, {}, 0, "0"},
      {"other slot is not read", 8, 24, 1, kHours, {{8, 1, kHours, 9, 2}}, 0, "0"},
      // January 2025 back to September 2024: slot 1 for January, slot 0 before.
      {"across the turn of the year", 0, 25, 5, kReturnVisits,
       {{0, 1, kReturnVisits, 4, 0}, {11, 0, kReturnVisits, 3, 0}, {8, 0, kReturnVisits, 2, 0},
        {7, 0, kReturnVisits, 100, 0}, {11, 1, kReturnVisits, 100, 0}}, 9, "9"},
      {"studies ignore the quarters in their word", 8, 24, 1, kBibleStudies,
       {{8, 0, kBibleStudies, 3, 0}, {8, 0, kHours, 0, 2}}, 3, "3"},
  };
  // clang-format on
  for (const Case& c : cases) {
    test::TestTable data;
    const int p = data.AddPublisher("Anna", "Meier");
    for (const Figure& f : c.figures) {
      data.SetFigure(p, f.month, f.column, f.slot, static_cast<std::uint16_t>(f.value));
      if (f.column == kHours) data.SetQuarters(p, f.month, f.slot, f.quarters);
    }
    std::string text;
    EXPECT_EQ(TotalToDate(data.Table(), p, c.column, c.count, c.reportMonth, c.reportYearShort,
                          StringTable::German(), text),
              c.sum)
        << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(ReportTotalsTest, PreviousYearTotalCoversSeptemberToAugustOfTheYearBefore) {
  // Report months February 2024 and October 2024: the service years before
  // the current ones end in August 2023 (slot 1) and August 2024 (slot 0).
  struct Case {
    int reportMonth;
    int reportYearShort;
    int endSlot;
  };
  for (const Case& c : {Case{1, 24, 1}, Case{9, 24, 0}}) {
    test::TestTable data;
    const int p = data.AddPublisher("Anna", "Meier");
    const int before = 1 - c.endSlot;
    data.SetFigure(p, 8, kHours, before, 10);  // September, first month
    data.SetQuarters(p, 8, before, 3);
    data.SetFigure(p, 11, kHours, before, 1);    // December
    data.SetFigure(p, 0, kHours, c.endSlot, 2);  // January
    data.SetFigure(p, 7, kHours, c.endSlot, 4);  // August, last month
    data.SetQuarters(p, 7, c.endSlot, 2);
    data.SetFigure(p, 8, kHours, c.endSlot, 500);  // September after the year
    data.SetFigure(p, 7, kHours, before, 500);     // August before the year
    std::string text;
    EXPECT_EQ(PreviousYearTotal(data.Table(), p, kHours, c.reportMonth, c.reportYearShort,
                                StringTable::German(), text),
              18);
    EXPECT_EQ(text, "18¼");
  }
}

// The official form's hours fields take numbers that every PDF tool
// parses: the month as the sheet shows it, the total as the card carries it.
TEST(ReportTotalsTest, HoursAreWrittenAsNumbersWithAPointForQuarterHours) {
  const struct {
    int hours, quarters;
    const char* number;
  } months[] = {{70, 0, "70"}, {10, 3, "10.75"}, {0, 2, "0.5"},
                {65, 1, "65.25"}, {12, 5, "12"},  // a damaged quarter count shows none
                {0, 0, "0"}};
  HoursTotal total;
  for (const auto& m : months) {
    EXPECT_EQ(HoursAsNumber(MonthHoursInQuarters(m.hours, m.quarters)), m.number)
        << m.hours << "+" << m.quarters;
    total.Add(m.hours, m.quarters);
  }
  // The damaged count carries into the total, as the card's totals carry it.
  EXPECT_EQ(total.Text(StringTable::German()), "159¾");
  EXPECT_EQ(HoursAsNumber(total.InQuarters()), "159.75");
}

}  // namespace
}  // namespace morvind
