#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "preview/BodyPreview.h"
#include "printing/RecordingSurface.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

// A 540 × 210 pane with one-pixel borders: cw = 60, rh = 15, month names end
// at 46, the figure columns at 110, 170, 230, 290 and 350, remarks at 380.
constexpr int kPlacementsEnd = 110;
constexpr int kHoursEnd = 230;
constexpr int kStudiesEnd = 350;
constexpr int kRemarksX = 380;
constexpr int kMonthEnd = 46;
constexpr int kTotalsY = 196;
constexpr int RowY(int row) {
  return (row + 1) * 15 + 1;
}  // 0 = September

// Anna Meier on the 540 × 210 pane.
struct BodyScene : test::CardRequestBuilder {
  int p = Publisher();

  void ShowPreviousYear() {
    Request().previousServiceYear = true;
    Request().previousYearBox = true;
  }

  RecordingSurface Draw() { return DrawRequest(Request()); }

  static RecordingSurface DrawRequest(const CardRequest& request) {
    RecordingSurface surface;
    DrawBodyPreview(0, 0, 540, 210, surface, request, 1, 1);
    return surface;
  }
};

// The texts that end at x (right-aligned), by their y.
std::map<int, std::string> Column(const RecordingSurface& surface, int x) {
  std::map<int, std::string> texts;
  for (const RecordedOp& op : surface.Texts())
    if (op.x == x && op.align == kAlignRight) texts[op.y] = op.text;
  return texts;
}

const RecordedOp* TextAt(const RecordingSurface& surface, int x, int y) {
  for (const RecordedOp& op : surface.Ops())
    if (op.kind == RecordedOp::Kind::kText && op.x == x && op.y == y) return &op;
  return nullptr;
}

void ExpectRestored(const RecordingSurface& surface) {
  EXPECT_EQ(surface.LiveObjectCount(), 0);
  EXPECT_TRUE(surface.StartingObjectsSelected());
  EXPECT_TRUE(surface.NoSelectedObjectDeleted());
}

TEST(BodyPreviewTest, WithoutAPublisherOnlyTheGridHeadingsAndTotalAreDrawn) {
  BodyScene scene;
  scene.Today(2025, 9);
  scene.Data().SetFigure(scene.p, 8, kPlacements, 0, 9);
  CardRequest withoutSelection = scene.Request();
  withoutSelection.publisher = 0;
  CardRequest emptyTable = scene.Request();
  PublisherTable empty;
  emptyTable.table = &empty;

  for (const CardRequest* request : {&withoutSelection, &emptyTable}) {
    RecordingSurface surface = BodyScene::DrawRequest(*request);

    const RecordedOp& frame =
        *std::find_if(surface.Ops().begin(), surface.Ops().end(),
                      [](const RecordedOp& op) { return op.kind == RecordedOp::Kind::kRectangle; });
    EXPECT_EQ((SurfaceRect{frame.x, frame.y, frame.x2, frame.y2}), (SurfaceRect{0, 0, 540, 210}));
    EXPECT_EQ(frame.object, StockObjectHandle(kWhiteBrush));
    EXPECT_EQ(frame.previous, StockObjectHandle(kBlackPen));

    std::vector<SurfaceRect> lines, expectedLines;
    for (const RecordedOp& op : surface.Lines()) lines.push_back({op.x, op.y, op.x2, op.y2});
    for (int x = 60; x <= 360; x += 60) expectedLines.push_back({x, 0, x, 210});
    for (int y = 15; y <= 195; y += 15) expectedLines.push_back({0, y, 540, y});
    EXPECT_EQ(lines, expectedLines);

    std::vector<std::string> expectedTexts = {
        "Abg.", "Videos", "Std.", "R.B.s", "Stud.", "Bemerkungen", "2025", "Sep", "Okt", "Nov",
        "Dez",  "Jan",    "Feb",  "Mär",   "Apr",   "Mai",         "Jun",  "Jul", "Aug", "Total"};
    EXPECT_EQ(surface.TextStrings(), expectedTexts);
    EXPECT_EQ(TextAt(surface, 112, 1)->text, "Abg.");
    EXPECT_EQ(TextAt(surface, 232, 1)->text, "Std.");
    EXPECT_EQ(TextAt(surface, 473, 1)->text, "Bemerkungen");
    EXPECT_EQ(TextAt(surface, kMonthEnd, 1)->text, "2025");
    EXPECT_EQ(TextAt(surface, kMonthEnd, RowY(0))->text, "Sep");
    EXPECT_EQ(TextAt(surface, kMonthEnd, RowY(11))->text, "Aug");
    EXPECT_EQ(TextAt(surface, kMonthEnd, kTotalsY)->text, "Total");
    for (const RecordedOp& op : surface.Texts()) {
      EXPECT_EQ(op.align, kAlignRight) << op.text;
      EXPECT_EQ(op.colour, kGrey) << op.text;
      EXPECT_EQ(op.font, SystemFontRecord()) << op.text;
    }
    ExpectRestored(surface);
  }
}

TEST(BodyPreviewTest, LongHeadingsAndGreekRemarksHeadingMoveRight) {
  BodyScene scene;
  scene.Strings().Set(1416, "Videoshow");  // 9 characters: ends 4 borders short
  scene.Request().languageCode = "greek";
  RecordingSurface surface = scene.Draw();
  EXPECT_EQ(TextAt(surface, 176, 1)->text, "Videoshow");
  EXPECT_EQ(TextAt(surface, 507, 1)->text, "Bemerkungen");
}

TEST(BodyPreviewTest, RowsUpToTheReportMonthShowFigures) {
  struct Case {
    int year, month;  // today
    bool previousYear;
    std::string serviceYear;
    int rows;
  } cases[] = {
      {2025, 10, false, "2026", 1},  // report month September: that row only
      {2025, 9, false, "2025", 12},  // August: the whole year
      {2026, 1, false, "2026", 4},   // December: September to December
      {2025, 10, true, "2025", 12},
  };
  for (const Case& c : cases) {
    BodyScene scene;
    for (int month = 0; month < 12; ++month)
      for (int slot = 0; slot < 2; ++slot)
        scene.Data().SetFigure(scene.p, month, kPlacements, slot,
                               static_cast<std::uint16_t>(month + 1));
    scene.Today(c.year, c.month);
    if (c.previousYear) scene.ShowPreviousYear();
    RecordingSurface surface = scene.Draw();
    SCOPED_TRACE(c.month);
    EXPECT_EQ(TextAt(surface, kMonthEnd, 1)->text, c.serviceYear);
    std::map<int, std::string> placements = Column(surface, kPlacementsEnd);
    placements.erase(kTotalsY);
    ASSERT_EQ(static_cast<int>(placements.size()), c.rows);
    for (int row = 0; row < c.rows; ++row)
      EXPECT_EQ(placements[RowY(row)], std::to_string((8 + row) % 12 + 1));
  }
}

TEST(BodyPreviewTest, HoursCarryTheirQuarterSigns) {
  BodyScene scene;
  const int p = scene.p;
  scene.Today(2025, 9);                  // September to December 2024: slot 0
  scene.Data().SetQuarters(p, 8, 0, 2);  // September: 0 hours and 2 quarters
  scene.Data().SetFigure(p, 9, kHours, 0, 5);
  scene.Data().SetQuarters(p, 9, 0, 3);  // October: 5¾
  scene.Data().SetFigure(p, 9, kBibleStudies, 0, 2);
  RecordingSurface surface = scene.Draw();
  std::map<int, std::string> hours = Column(surface, kHoursEnd);
  EXPECT_EQ(hours[RowY(0)], "½");
  EXPECT_EQ(hours[RowY(1)], "5¾");
  EXPECT_EQ(hours.count(RowY(2)), 0u);
  EXPECT_EQ(Column(surface, kStudiesEnd)[RowY(1)], "2");
  EXPECT_EQ(Column(surface, kPlacementsEnd).count(RowY(2)), 0u);
}

TEST(BodyPreviewTest, RemarksFollowTheAuxiliaryPioneerMarkClippedToTheirCell) {
  BodyScene scene;
  const int p = scene.p;
  scene.Today(2025, 9);  // January to August 2025: slot 1
  scene.Data().SetStatus(p, 0, 1, kStatusAuxiliaryPioneer);
  scene.AddRemark(0, 1, "Urlaub im Gebirge mit sehr langer Notiz");
  scene.Data().SetStatus(p, 1, 1, kStatusAuxiliaryPioneer);
  scene.AddRemark(2, 1, "Krank");
  scene.Data().SetFigure(p, 0, kPlacements, 1, 4);
  RecordingSurface surface = scene.Draw();

  struct Case {
    int row;
    std::string text;
  } cases[] = {{4, "Hilfspionier Urlaub im Gebirge mit sehr langer Notiz"},
               {5, "Hilfspionier "},
               {6, "Krank"}};
  for (const Case& c : cases) {
    const RecordedOp* op = TextAt(surface, kRemarksX, RowY(c.row));
    ASSERT_NE(op, nullptr) << c.text;
    EXPECT_EQ(op->text, c.text);
    EXPECT_EQ(op->align, kAlignLeft);
    EXPECT_TRUE(op->clipped);
    EXPECT_EQ(op->clip, (SurfaceRect{kRemarksX, RowY(c.row), 540, RowY(c.row) + 15}));
  }
  EXPECT_EQ(TextAt(surface, kRemarksX, RowY(7)), nullptr);
  // The figures after a remark are right-aligned again.
  EXPECT_EQ(TextAt(surface, kPlacementsEnd, kTotalsY)->align, kAlignRight);
  EXPECT_EQ(TextAt(surface, kPlacementsEnd, kTotalsY)->text, "4");
}

TEST(BodyPreviewTest, ColoursFollowTheMonthAndTotalsBoxes) {
  struct Case {
    bool completeCard, octoberBox, totalsBox;
    Colour form, september, october, totals;
  } cases[] = {
      {false, false, false, kGrey, kGrey, kGrey, kGrey},
      {false, true, true, kGrey, kGrey, kBlack, kBlack},
      {true, false, false, kBlack, kBlack, kBlack, kGrey},
  };
  for (const Case& c : cases) {
    BodyScene scene;
    scene.Today(2025, 9);
    scene.Data().SetFigure(scene.p, 8, kPlacements, 0, 1);
    scene.Data().SetFigure(scene.p, 9, kPlacements, 0, 2);
    scene.AddRemark(9, 0, "Kongress");
    scene.Request().completeCard = c.completeCard;
    scene.Request().months[1] = c.octoberBox;
    scene.Request().totals = c.totalsBox;
    RecordingSurface surface = scene.Draw();
    SCOPED_TRACE(testing::Message() << c.completeCard << c.octoberBox << c.totalsBox);
    EXPECT_EQ(TextAt(surface, kMonthEnd, RowY(1))->colour, c.form);   // "Okt"
    EXPECT_EQ(TextAt(surface, kMonthEnd, kTotalsY)->colour, c.form);  // "Total"
    EXPECT_EQ(TextAt(surface, kPlacementsEnd, RowY(0))->colour, c.september);
    EXPECT_EQ(TextAt(surface, kPlacementsEnd, RowY(1))->colour, c.october);
    EXPECT_EQ(TextAt(surface, kRemarksX, RowY(1))->colour, c.october);
    EXPECT_EQ(TextAt(surface, kPlacementsEnd, kTotalsY)->colour, c.totals);
    ExpectRestored(surface);
  }
}

TEST(BodyPreviewTest, TotalsCarryQuartersIntoWholeHours) {
  BodyScene scene;
  const int p = scene.p;
  scene.Today(2025, 12);  // report month November 2025: slot 1
  scene.Data().SetFigure(p, 9, kHours, 1, 10);
  scene.Data().SetQuarters(p, 9, 1, 3);
  scene.Data().SetFigure(p, 10, kHours, 1, 5);
  scene.Data().SetQuarters(p, 10, 1, 2);
  RecordingSurface surface = scene.Draw();
  EXPECT_EQ(Column(surface, kHoursEnd)[kTotalsY], "16¼");
  EXPECT_EQ(Column(surface, kPlacementsEnd)[kTotalsY], "0");  // a zero total still shows
}

TEST(BodyPreviewTest, PreviousServiceYearReachesAcrossTheJanuaryBoundary) {
  BodyScene scene;
  const int p = scene.p;
  scene.Today(2026, 1);                             // report month December 2025
  scene.Data().SetFigure(p, 8, kPlacements, 1, 7);  // September 2025
  scene.Data().SetFigure(p, 0, kPlacements, 0, 8);  // January 2026 (not reported yet)
  scene.Data().SetFigure(p, 8, kPlacements, 0, 3);  // September 2024
  scene.Data().SetFigure(p, 0, kPlacements, 1, 4);  // January 2025
  scene.Data().SetFigure(p, 7, kPlacements, 1, 5);  // August 2025

  RecordingSurface current = scene.Draw();
  EXPECT_EQ(TextAt(current, kMonthEnd, 1)->text, "2026");
  std::map<int, std::string> expectedCurrent = {{RowY(0), "7"}, {kTotalsY, "7"}};
  EXPECT_EQ(Column(current, kPlacementsEnd), expectedCurrent);

  scene.ShowPreviousYear();
  RecordingSurface previous = scene.Draw();
  EXPECT_EQ(TextAt(previous, kMonthEnd, 1)->text, "2025");
  std::map<int, std::string> expectedPrevious = {
      {RowY(0), "3"}, {RowY(4), "4"}, {RowY(11), "5"}, {kTotalsY, "12"}};
  EXPECT_EQ(Column(previous, kPlacementsEnd), expectedPrevious);
  ExpectRestored(previous);
}

}  // namespace
}  // namespace morvind
