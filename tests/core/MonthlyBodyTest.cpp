#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data/ServiceYear.h"
#include "printing/MonthlyBody.h"
#include "printing/RecordingSurface.h"
#include "resources/StringIds.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

using Placed = std::tuple<std::string, int, int>;  // text, x, y

// At 600 units per inch, margins "0.00" and "0.20" (left = 120), defaults of
// card version 0: data-only rows 99 units high from y 792, placements
// ending at x 780; the complete card's rows start at 804, placements end at
// 960.
struct BodyCard : test::CardRequestBuilder {
  BodyCard(int year, int month, bool complete = false) {
    Today(year, month);
    Request().completeCard = complete;
  }
  // Gives every row its number + 1 as placements, in both year slots.
  void NumberTheRows() {
    for (int r = 0; r < 12; ++r)
      for (int slot = 0; slot < 2; ++slot)
        Data().SetFigure(Publisher(), RowMonth(r), kPlacements, slot,
                         static_cast<std::uint16_t>(r + 1));
  }
  void PreviousYear() {
    Request().previousYearBox = true;
    Request().previousServiceYear = true;
  }
  RecordingSurface Draw() {
    RecordingSurface surface;
    DrawMonthlyBody(surface, Request());
    return surface;
  }
};

std::vector<Placed> TextsAt(const RecordingSurface& surface, int x) {
  std::vector<Placed> placed;
  for (const RecordedOp& op : surface.Texts())
    if (op.x == x) placed.emplace_back(op.text, op.x, op.y);
  return placed;
}

std::tuple<int, int, int> At(const RecordingSurface& surface, const std::string& text) {
  const RecordedOp* op = surface.FindText(text);
  return op ? std::make_tuple(op->x, op->y, op->align) : std::make_tuple(-1, -1, -1);
}

void ExpectRestored(const RecordingSurface& surface) {
  EXPECT_EQ(surface.LiveObjectCount(), 0);
  EXPECT_TRUE(surface.StartingObjectsSelected());
  EXPECT_TRUE(surface.NoSelectedObjectDeleted());
  EXPECT_EQ(surface.CurrentAlign(), kAlignLeft);
}

TEST(MonthlyBodyTest, DataOnlyRowsAndTotalsSitAtTheLayoutPositions) {
  BodyCard card(2024, 9);  // report month August: the whole year has passed
  card.AllMonths();
  card.Request().totals = true;
  test::TestTable& data = card.Data();
  const int p = card.Publisher();
  data.SetFigure(p, 8, kPlacements, 1, 5);  // September 2023
  const int august[5] = {7, 2, 3, 4, 1};
  for (int k = 0; k < 5; ++k) data.SetFigure(p, 7, k, 0, static_cast<std::uint16_t>(august[k]));
  data.SetQuarters(p, 7, 0, 3);
  RecordingSurface surface = card.Draw();

  const std::vector<Placed> expected = {{"5", 780, 792},    {"7", 780, 1881},  {"2", 1200, 1881},
                                        {"3¾", 1590, 1881}, {"4", 1920, 1881}, {"1", 2220, 1881},
                                        {"12", 780, 1980},  {"2", 1200, 1980}, {"3¾", 1590, 1980},
                                        {"4", 1920, 1980},  {"1", 2220, 1980}};
  std::vector<Placed> placed;
  for (const RecordedOp& op : surface.Texts()) {
    placed.emplace_back(op.text, op.x, op.y);
    EXPECT_EQ(op.align, kAlignRight);
    EXPECT_EQ(op.font, (FontRecord{-83, 400, 0, kPitchSwiss, "Arial"}));
  }
  EXPECT_EQ(placed, expected);
  EXPECT_TRUE(surface.Lines().empty());
  ExpectRestored(surface);
}

TEST(MonthlyBodyTest, HoursShowTheirQuartersAndZeroCellsStayBlank) {
  struct Case {
    int hours;
    int quarters;
    std::vector<Placed> september;
  };
  const Case cases[] = {{12, 3, {{"12¾", 1590, 792}}},
                        {0, 2, {{"½", 1590, 792}}},
                        {7, 0, {{"7", 1590, 792}}},
                        {0, 0, {}}};
  for (const Case& c : cases) {
    BodyCard card(2024, 9);
    card.AllMonths();
    card.Data().SetFigure(card.Publisher(), 8, kHours, 1, static_cast<std::uint16_t>(c.hours));
    card.Data().SetQuarters(card.Publisher(), 8, 1, c.quarters);
    EXPECT_EQ(card.Draw().Texts().size(), c.september.size());
    EXPECT_EQ(TextsAt(card.Draw(), 1590), c.september);
  }

  // An empty year still prints its totals, as 0.
  BodyCard empty(2024, 9);
  empty.AllMonths();
  empty.Request().totals = true;
  std::vector<std::string> totals;
  for (const RecordedOp& op : empty.Draw().Texts()) {
    EXPECT_EQ(op.y, 1980);
    totals.push_back(op.text);
  }
  EXPECT_EQ(totals, (std::vector<std::string>(5, "0")));
}

TEST(MonthlyBodyTest, RowsFollowTheMonthBoxesAndTheElapsedMonths) {
  struct Case {
    const char* name;
    int year, month;  // today
    bool complete;
    bool previousYear;
    std::vector<int> ticked;  // month boxes, rows 0 = September
    std::vector<int> rows;    // rows whose figures print
  };
  const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const Case cases[] = {
      {"October: only September has passed", 2024, 10, false, false, all, {0}},
      {"complete card in October", 2024, 10, true, false, {}, {0}},
      {"January: September to December", 2025, 1, false, false, all, {0, 1, 2, 3}},
      {"March: the ticked passed months", 2024, 3, false, false, {1, 5, 7}, {1, 5}},
      // The previous year is complete: every ticked month prints, also those
      // before the current year's report month.
      {"previous year, data-only", 2024, 10, false, true, {0, 4, 11}, {0, 4, 11}},
      {"previous year, complete card", 2024, 10, true, true, {}, all},
  };
  for (const Case& c : cases) {
    BodyCard card(c.year, c.month, c.complete);
    card.NumberTheRows();
    for (int r : c.ticked) card.Request().months[r] = true;
    if (c.previousYear) card.PreviousYear();
    const int x = c.complete ? 960 : 780;
    const int top0 = c.complete ? 804 : 792;
    std::vector<Placed> expected;
    for (int r : c.rows) expected.emplace_back(std::to_string(r + 1), x, top0 + 99 * r);
    EXPECT_EQ(TextsAt(card.Draw(), x), expected) << c.name;
  }
}

TEST(MonthlyBodyTest, ServiceYearDecidesTheLabelTheSlotsAndTheTotals) {
  struct Case {
    const char* name;
    int year, month;
    bool previousYear;
    const char* label;
    std::vector<Placed> placements;  // rows and then the total
  };
  // clang-format off
  const Case cases[] = {
      // Report month December 2024: September to December 2024 (slot 0).
      {"January", 2025, 1, false, "2025", {{"11", 960, 804}, {"33", 960, 1101}, {"44", 960, 1992}}},
      // September 2023 to August 2024: slot 1 before January, 0 from January.
      {"January, previous year", 2025, 1, true, "2024", {{"99", 960, 804}, {"88", 960, 1200},
                                                         {"187", 960, 1992}}},
      // Report month September 2024: the year ending in 2025 has one month.
      {"October", 2024, 10, false, "2025", {{"11", 960, 804}, {"11", 960, 1992}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    BodyCard card(c.year, c.month, true);
    card.Request().totals = true;
    if (c.previousYear) card.PreviousYear();
    const int p = card.Publisher();
    card.Data().SetFigure(p, 8, kPlacements, 0, 11);   // September 2024
    card.Data().SetFigure(p, 11, kPlacements, 0, 33);  // December 2024
    card.Data().SetFigure(p, 8, kPlacements, 1, 99);   // September 2023
    card.Data().SetFigure(p, 0, kPlacements, 0, 88);   // January 2024
    RecordingSurface surface = card.Draw();
    EXPECT_EQ(At(surface, c.label), std::make_tuple(345, 721, kAlignCenter)) << c.name;
    EXPECT_EQ(TextsAt(surface, 960), c.placements) << c.name;
  }
}

TEST(MonthlyBodyTest, RemarksFollowThePioneerStatusAndTheRemarkText) {
  BodyCard card(2024, 9);
  card.AllMonths();
  const int p = card.Publisher();
  card.Data().SetStatus(p, 8, 1, kStatusAuxiliaryPioneer);  // September
  card.Data().SetStatus(p, 9, 1, kStatusAuxiliaryPioneer);  // October
  card.AddRemark(9, 1, "Kongress");
  card.AddRemark(10, 1, "Urlaub");                        // November
  card.AddRemark(11, 0, "anderes Jahr");                  // December 2024, not this card
  card.Data().SetStatus(p, 0, 0, kStatusRegularPioneer);  // January
  RecordingSurface surface = card.Draw();
  const std::vector<Placed> expected = {
      {"Hilfspionier ", 2370, 792}, {"Hilfspionier Kongress", 2370, 891}, {"Urlaub", 2370, 990}};
  EXPECT_EQ(TextsAt(surface, 2370), expected);
  EXPECT_EQ(surface.FindText("Urlaub")->align, kAlignLeft);
  EXPECT_EQ(surface.Texts().size(), 3u);
}

TEST(MonthlyBodyTest, CompleteCardDrawsHeadingsMonthNamesAndTheFrame) {
  BodyCard card(2024, 9, true);
  card.Data().SetFigure(card.Publisher(), 8, kPlacements, 1, 5);
  card.Data().SetStatus(card.Publisher(), 8, 1, kStatusAuxiliaryPioneer);
  RecordingSurface surface = card.Draw();

  EXPECT_EQ(At(surface, "SERVICE YEAR:"), std::make_tuple(345, 656, 6));
  EXPECT_EQ(At(surface, "2024"), std::make_tuple(345, 721, 6));
  EXPECT_EQ(At(surface, "PLACEMENTS"), std::make_tuple(795, 681, 6));
  EXPECT_EQ(At(surface, "VIDEO"), std::make_tuple(1200, 656, 6));
  EXPECT_EQ(At(surface, "SHOWINGS"), std::make_tuple(1200, 721, 6));
  EXPECT_EQ(At(surface, "SEPTEMBER"), std::make_tuple(120, 818, 0));
  EXPECT_EQ(At(surface, "AUGUST"), std::make_tuple(120, 1907, 0));
  EXPECT_EQ(At(surface, "TOTAL"), std::make_tuple(120, 2006, 0));
  EXPECT_EQ(At(surface, "S-21-E  10/15"), std::make_tuple(120, 2105, 0));
  EXPECT_EQ(At(surface, "5"), std::make_tuple(960, 804, 2));
  EXPECT_EQ(At(surface, "Hilfspionier "), std::make_tuple(2380, 804, 0));
  EXPECT_EQ(surface.FindText("SEPTEMBER")->font,
            (FontRecord{-54, 400, 0, kPitchVariableRoman, "Times New Roman"}));
  EXPECT_EQ(surface.FindText("S-21-E  10/15")->font.height, -58);

  // Frame: thick top rule, 14 thin rules 3300 wide, the bottom one drawn
  // again thick from the right, and six column rules.
  std::vector<std::tuple<int, int, int, int, int>> lines;
  for (const RecordedOp& op : surface.Lines())
    lines.emplace_back(op.x, op.y, op.x2, op.y2, op.penWidth);
  std::vector<std::tuple<int, int, int, int, int>> expected = {{120, 639, 3420, 639, 8}};
  for (int j = 0; j <= 13; ++j) expected.emplace_back(120, 797 + 99 * j, 3420, 797 + 99 * j, 2);
  expected.emplace_back(3420, 2084, 120, 2084, 8);
  for (int x : {450, 900, 1260, 1530, 1908, 2220})
    expected.emplace_back(120 + x, 639, 120 + x, 2084, 2);
  EXPECT_EQ(lines, expected);
  for (const RecordedOp& op : surface.Ops()) {
    if (op.kind == RecordedOp::Kind::kCreatePen) {
      EXPECT_EQ(op.penStyle, kPenGeometric);
    }
  }
  ExpectRestored(surface);

  // A translation may break "SERVICE YEAR:" after its first characters.
  card.Strings().Set(str::kServiceYearSplit, "7");
  surface = card.Draw();
  EXPECT_EQ(At(surface, "SERVICE"), std::make_tuple(120, 656, 0));
  EXPECT_EQ(At(surface, "YEAR:"), std::make_tuple(120, 721, 0));
  EXPECT_EQ(At(surface, "2024"), std::make_tuple(405, 721, 0));
  EXPECT_EQ(At(surface, "PLACEMENTS"), std::make_tuple(795, 681, 6));
}

}  // namespace
}  // namespace morvind
