#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "preview/SheetPreview.h"
#include "printing/CardDocument.h"
#include "printing/FormGeometry.h"
#include "printing/RecordingSurface.h"
#include "printing/SheetContent.h"
#include "printing/SheetLayout.h"
#include "printing/SheetPage.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

// Anna Meier on the sheet, the program started in March 2024: report month
// February 2024, service year 2024, January to August in year slot 0 and
// September to December 2023 in slot 1.
struct SheetCard : test::CardRequestBuilder {
  SheetCard() { Request().form = RecordForm::kSheet1123; }
};
constexpr int kSep = 8, kOct = 9, kNov = 10, kJan = 0, kFeb = 1, kMar = 2, kAug = 7;

// What an untouched Anna's page shows: her name, the service year and the
// six rows up to February, which carry (empty) data.
SheetContent Untouched() {
  SheetContent content;
  content.name = "Anna Meier";
  content.serviceYear = 2024;
  for (int r = 0; r < 6; ++r) content.rows[static_cast<std::size_t>(r)].carriesData = true;
  return content;
}

TEST(SheetContentTest, EachBoxTextAndRowComesFromTheCardsData) {
  using record::kFemale, record::kMale;
  struct Case {
    const char* what;
    std::function<void(SheetCard&, test::TestTable&, int p)> data;
    std::function<void(SheetContent&)> expected;  // changes to Untouched()
  };
  const Case cases[] = {
      {"an anointed male elder: the card's dates in the chosen format",
       [](SheetCard& card, auto& t, int p) {
         t.SetRoleFlags(p, kMale | record::kRoleElder);
         t.SetText(p, record::kBirthDate, "12251990");
         t.SetText(p, record::kImmersedDate, "06202005");
         t.SetHope(p, 'A');
         card.Request().dateFormat = 1;
       },
       [](SheetContent& c) {
         c.dateOfBirth = "25/12/1990";
         c.dateOfBaptism = "20/06/2005";
         c.male = c.elder = c.anointed = true;
       }},
      {"both gender and both role bits: only Female, no role; other sheep",
       [](auto&, auto& t, int p) {
         t.SetRoleFlags(p, kMale | kFemale | 3);
         t.SetText(p, record::kImmersedDate, "06202005");
       },
       [](SheetContent& c) {
         c.dateOfBaptism = "06/20/2005";
         c.female = c.otherSheep = true;
       }},
      {"a ministerial servant, regular pioneer in the report month: hours and their total",
       [](auto&, auto& t, int p) {
         t.SetRoleFlags(p, record::kRoleServant);
         t.SetStatus(p, kFeb, 0, kStatusRegularPioneer);
         t.SetFigure(p, kFeb, kHours, 0, 70);
       },
       [](SheetContent& c) {
         c.ministerialServant = c.regularPioneer = true;
         c.rows[5].sharedInMinistry = true;
         c.rows[5].hours = c.totalHours = "70";
         c.rows[5].hoursInQuarters = c.totalHoursInQuarters = 280;
       }},
      {"auxiliary pioneer months: the box, part hours carried, the remark without a prefix",
       [](SheetCard& card, auto& t, int p) {
         t.SetStatus(p, kSep, 1, kStatusAuxiliaryPioneer);
         t.SetFigure(p, kSep, kHours, 1, 12);
         t.SetQuarters(p, kSep, 1, 3);
         t.SetStatus(p, kOct, 1, kStatusAuxiliaryPioneer);
         t.SetQuarters(p, kOct, 1, 2);
         card.AddRemark(kOct, 1, "Ziel 30 Std.");
       },
       [](SheetContent& c) {
         for (int r : {0, 1}) c.rows[r].sharedInMinistry = c.rows[r].auxiliaryPioneer = true;
         c.rows[0].hours = "12¾";
         c.rows[0].hoursInQuarters = 51;
         c.rows[1].hours = "½";
         c.rows[1].hoursInQuarters = 2;
         c.rows[1].remark = "Ziel 30 Std.";
         c.totalHours = "13¼";
         c.totalHoursInQuarters = 53;
       }},
      {"a pioneer in January only: hours there, none in February; shared by any figure",
       [](auto&, auto& t, int p) {
         t.SetStatus(p, kJan, 0, kStatusRegularPioneer);
         t.SetFigure(p, kJan, kHours, 0, 50);
         t.SetQuarters(p, kJan, 0, 1);
         t.SetFigure(p, kFeb, kHours, 0, 9);
         t.SetFigure(p, kNov, kBibleStudies, 1, 3);
         t.SetQuarters(p, kSep, 1, 2);  // a part hour alone
       },
       [](SheetContent& c) {
         for (int r : {0, 2, 4, 5}) c.rows[r].sharedInMinistry = true;
         c.rows[2].bibleStudies = "3";
         c.rows[4].hours = c.totalHours = "50¼";
         c.rows[4].hoursInQuarters = c.totalHoursInQuarters = 201;
       }},
      {"status 3 a special pioneer; rows after the report month empty whatever they hold; "
       "not baptized: no hope box even for 'A'",
       [](SheetCard& card, auto& t, int p) {
         t.SetText(p, record::kImmersedDate, "  1990  ");
         t.SetHope(p, 'A');
         t.SetStatus(p, kFeb, 0, kStatusSpecialPioneer);
         t.SetStatus(p, kMar, 0, kStatusAuxiliaryPioneer);
         t.SetFigure(p, kMar, kHours, 0, 30);
         card.AddRemark(kMar, 0, "Krank");
       },
       [](SheetContent& c) { c.specialPioneer = true; }},
      {"the previous service year: twelve rows, August's status, the year before",
       [](SheetCard& card, auto& t, int p) {
         card.Request().previousYearBox = true;
         t.SetStatus(p, kAug, 1, kStatusRegularPioneer);
         t.SetFigure(p, kAug, kHours, 1, 60);
         t.SetStatus(p, kFeb, 0, kStatusSpecialPioneer);  // this year's: not on the page
       },
       [](SheetContent& c) {
         c.serviceYear = 2023;
         for (SheetRow& row : c.rows) row.carriesData = true;
         c.regularPioneer = true;
         c.rows[11].sharedInMinistry = true;
         c.rows[11].hours = c.totalHours = "60";
         c.rows[11].hoursInQuarters = c.totalHoursInQuarters = 240;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SheetCard card;
    c.data(card, card.Data(), card.Publisher());
    SheetContent expected = Untouched();
    c.expected(expected);
    EXPECT_EQ(MakeSheetContent(card.Request()), expected);
  }
}

// Five records, the expected sums worked out by hand: publishers in
// September, an auxiliary pioneer in October, regular pioneers (one of them
// inactive) in September and October, a record without a name a special
// pioneer with a part hour alone in November, months outside the page.
TEST(SheetContentTest, TotalsRecordsAddUpEachMonthsReportsOnTheRecordOfItsStatus) {
  SheetCard card;
  test::TestTable& t = card.Data();
  const int anna = card.Publisher(), bernd = t.AddPublisher("Bernd", "Kraus");
  const int clara = t.AddPublisher("Clara", "Lang"), dora = t.AddPublisher("Dora", "Stein");
  const int blank = t.AddPublisher("  ", " ");
  t.SetInactive(dora, true);
  t.SetReport(anna, kSep, 1, kStatusPublisher, 5, 0, 2);
  t.SetReport(bernd, kSep, 1, kStatusPublisher, 0, 0, 1);
  t.SetFigure(anna, kFeb, kPlacements, 0, 1);
  t.SetReport(anna, kMar, 0, kStatusPublisher, 9);  // after the report month
  t.SetReport(anna, kAug, 1, kStatusPublisher, 4);  // August 2023: the year before
  t.SetReport(bernd, kOct, 1, kStatusAuxiliaryPioneer, 30, 3, 1);
  t.SetReport(clara, kSep, 1, kStatusRegularPioneer, 50, 2);
  t.SetReport(clara, kOct, 1, kStatusRegularPioneer, 60, 3);
  t.SetReport(dora, kOct, 1, kStatusRegularPioneer, 10, 2, 4);
  t.SetReport(blank, kSep, 1, kStatusSpecialPioneer, 70, 0, 3);
  t.SetReport(blank, kNov, 1, kStatusSpecialPioneer, 0, 1);
  t.SetStatus(anna, kNov, 1, kStatusSpecialPioneer);  // a status alone is no report

  using C = TotalsCategory;
  struct Row {
    std::size_t r;
    int reports;
    const char* studies;
    const char* hours;
    int inQuarters;
  };
  const struct {
    C category;
    bool previousYear;
    std::vector<Row> rows;  // the rows with reports
    const char* total;
    int totalInQuarters;
  } cases[] = {
      {C::kPublishers, false, {{0, 2, "3", "", 0}, {5, 1, "", "", 0}}, "", 0},  // never hours
      {C::kAuxiliaryPioneers, false, {{1, 1, "1", "30¾", 123}}, "30¾", 123},
      {C::kRegularPioneers,
       false,
       {{0, 1, "", "50½", 202}, {1, 2, "4", "71¼", 285}},
       "121¾",
       487},  // ¾ + ½
      {C::kSpecialPioneers, false, {{0, 1, "3", "70", 280}, {2, 1, "", "¼", 1}}, "70¼", 281},
      {C::kPublishers, true, {{11, 1, "", "", 0}}, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.category) * 10 + c.previousYear);
    card.Request().totalsRecord = c.category;
    card.Request().publisher = 0;
    card.Request().previousYearBox = c.previousYear;
    SheetContent expected;
    expected.name = std::string(TotalsRecordName(c.category));
    expected.serviceYear = c.previousYear ? 2023 : 2024;
    expected.regularPioneer = c.category == C::kRegularPioneers;
    expected.specialPioneer = c.category == C::kSpecialPioneers;
    for (std::size_t r = 0; r < (c.previousYear ? 12u : 6u); ++r)
      expected.rows[r].carriesData = true;
    for (const Row& row : c.rows) {
      SheetRow& line = expected.rows[row.r];
      line.sharedInMinistry = true;
      line.auxiliaryPioneer = c.category == C::kAuxiliaryPioneers;
      line.bibleStudies = row.studies;
      line.hours = row.hours;
      line.hoursInQuarters = row.inQuarters;
      line.remark = row.reports == 1 ? "1 Bericht" : std::to_string(row.reports) + " Berichte";
    }
    expected.totalHours = c.total;
    expected.totalHoursInQuarters = c.totalInQuarters;
    EXPECT_EQ(MakeSheetContent(card.Request()), expected);
  }
}

using Placed = std::tuple<std::string, int, int, int>;  // text, x, y, alignment

Placed At(const RecordingSurface& surface, const std::string& text) {
  const RecordedOp* op = surface.FindText(text);
  return op ? Placed{text, op->x, op->y, op->align} : Placed{text, -1, -1, -1};
}

bool HasLine(const RecordingSurface& surface, int x, int y, int x2, int y2) {
  for (const RecordedOp& op : surface.Lines())
    if (op.x == x && op.y == y && op.x2 == x2 && op.y2 == y2) return true;
  return false;
}

// At 600 units per inch with the margins "0.00" (top) and "0.20" (left =
// 120): hundredths × 6 from the corner (120, 0). Texts are 33 units a
// character in the 8-point labels of the recording surface.
TEST(SheetPageTest, ThePageSitsAtTheMarginsInTheTablesPositions) {
  SheetCard card;
  card.Data().SetRoleFlags(card.Publisher(), record::kFemale);
  card.Data().SetStatus(card.Publisher(), kOct, 1, kStatusAuxiliaryPioneer);
  card.AddRemark(kOct, 1, "Ziel 30 Std.");
  RecordingSurface surface;
  DrawCardDocument(surface, {card.Request()});

  for (const Placed& placed : {
           Placed{"CONGREGATION'S PUBLISHER RECORD", 2220, 0, kAlignCenter},
           Placed{"Anna Meier", 345, 222, kAlignLeft},  // 5 × 33 + 30 + 30 right of the label
           Placed{"2024", 450, 1272, kAlignCenter},
           Placed{"Ziel 30 Std.", 3030, 1662, kAlignLeft},
           Placed{"Total", 2130, 3654, kAlignRight},
           Placed{"S-21-E 11/23", 120, 3810, kAlignLeft},
       }) {
    EXPECT_EQ(At(surface, std::get<0>(placed)), placed);
  }
  const RecordedOp* remark = surface.FindText("Ziel 30 Std.");
  ASSERT_TRUE(remark && remark->clipped);
  EXPECT_EQ(remark->clip, (SurfaceRect{3012, 1620, 4308, 1800}));  // inside the cell's rules
  EXPECT_EQ(surface.FindText("Anna Meier")->clip, (SurfaceRect{315, 222, 4308, 318}));

  EXPECT_TRUE(HasLine(surface, 315, 318, 4320, 318));     // the name's rule to 7.00 inches
  EXPECT_TRUE(HasLine(surface, 3000, 1140, 3000, 3600));  // left of "Remarks"
  EXPECT_TRUE(HasLine(surface, 2160, 3780, 3000, 3780));  // under the total's hours cell only
  EXPECT_TRUE(HasLine(surface, 3636, 510, 3590, 510));    // the Female box: 46 units wide
  EXPECT_TRUE(HasLine(surface, 1944, 1734, 1898, 1688));  // October's auxiliary box, ticked
  // Fonts and pens are checked for every sheet by the data-folder fuzz target.
  EXPECT_EQ(surface.CurrentAlign(), kAlignLeft);
}

TEST(SheetPageTest, ThePanesDrawThePagesOwnHeaderAndTableInOneScaleThatFits) {
  SheetCard card;
  card.Data().SetStatus(card.Publisher(), kFeb, 0, kStatusRegularPioneer);
  card.Data().SetFigure(card.Publisher(), kFeb, kHours, 0, 70);
  RecordingSurface page, header(96, 96), table(96, 96);
  DrawSheetPage(page, card.Request());
  DrawSheetHeaderPreview(0, 0, 550, 85, header, card.Request());
  DrawSheetTablePreview(0, 0, 525, 216, table, card.Request());
  // Every text of the page in the same order, but the title and the form's name.
  std::vector<std::string> panes = header.TextStrings(), pageTexts = page.TextStrings();
  for (const std::string& text : table.TextStrings()) panes.push_back(text);
  std::erase(pageTexts, "CONGREGATION'S PUBLISHER RECORD");
  std::erase(pageTexts, "S-21-E 11/23");
  EXPECT_EQ(panes, pageTexts);

  for (const auto& [pane, width, height] : {std::tuple{&header, 550, 85}, {&table, 525, 216}}) {
    for (const RecordedOp& op : pane->Ops()) {
      if (op.kind != RecordedOp::Kind::kText && op.kind != RecordedOp::Kind::kLine) continue;
      EXPECT_TRUE(op.x >= 0 && op.x <= width && op.y >= 0 && op.y <= height)
          << op.text << " at " << op.x << "," << op.y;
    }
  }
  // 525 - 6 pixels across 7 inches, 216 - 6 down the table's 4.42.
  EXPECT_EQ(table.FindText("2024")->font.height, -(100 * 47 / 720));

  // Whatever the pane's shape: one scale across and down (square tick
  // boxes), the largest that fits inside the frame's 3 pixels, centred.
  const int band = sheet::kTableBottom + 2 - sheet::kTableTop;
  for (const auto& [width, height] : {std::pair{525, 216}, {1241, 470}, {300, 600}, {2000, 300}}) {
    RecordingSurface pane(96, 96);
    DrawSheetTablePreview(0, 0, width, height, pane, card.Request());
    int left = width, right = 0, top = height, bottom = 0;  // of the table's rules
    for (const RecordedOp& op : pane.Ops()) {
      if (op.kind != RecordedOp::Kind::kLine) continue;
      left = std::min({left, op.x, op.x2}), right = std::max({right, op.x, op.x2});
      top = std::min({top, op.y, op.y2}), bottom = std::max({bottom, op.y, op.y2});
    }
    const auto units = static_cast<std::uint32_t>(right - left) / 7;  // across 7 inches
    EXPECT_EQ(bottom - top, HundredthsToDevice(sheet::kTableBottom, units) -
                                HundredthsToDevice(sheet::kTableTop, units));
    EXPECT_TRUE(right - left == static_cast<int>(7 * units) &&
                HundredthsToDevice(band, units) <= height - 6)
        << width;
    EXPECT_TRUE(static_cast<int>(7 * (units + 1)) > width - 6 ||
                HundredthsToDevice(band, units + 1) > height - 6);
    EXPECT_LE(std::abs((left - 3) - (width - 3 - right)), 1) << width;
  }
}

}  // namespace
}  // namespace morvind
