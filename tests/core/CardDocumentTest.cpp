#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layout/LayoutRecord.h"
#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "printing/TestSheet.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

// Anna Meier, an elder with an address, hours in September, every month ticked.
struct DocumentCard : test::CardRequestBuilder {
  DocumentCard() {
    Data().SetText(Publisher(), record::kAddress, "Hauptstr. 1");
    Data().SetRoleFlags(Publisher(), record::kRoleElder);
    AllMonths();
    Request().totals = true;
  }
};

std::vector<RecordedOp> OpsInColour(const RecordingSurface& surface, Colour colour) {
  std::vector<RecordedOp> ops;
  for (const RecordedOp& op : surface.Ops())
    if ((op.kind == RecordedOp::Kind::kText || op.kind == RecordedOp::Kind::kLine) &&
        op.colour == colour)
      ops.push_back(op);
  return ops;
}

std::string Listing(const std::vector<RecordedOp>& ops) {
  std::string text;
  for (const RecordedOp& op : ops)
    text += std::to_string(static_cast<int>(op.kind)) + " " + op.text + " " + std::to_string(op.x) +
            "," + std::to_string(op.y) + " " + std::to_string(op.x2) + "," + std::to_string(op.y2) +
            "\n";
  return text;
}

// The steps of the lines a sheet drew in `colour`: vertical lines by their
// x, horizontal ones by their y.
std::vector<int> GridLines(const RecordingSurface& surface, Colour colour, bool vertical) {
  std::vector<int> at;
  for (const RecordedOp& op : OpsInColour(surface, colour)) {
    if (op.kind != RecordedOp::Kind::kLine) continue;
    if (vertical && op.x == op.x2 && op.y == 0) at.push_back(op.x);
    if (!vertical && op.y == op.y2 && op.x == 0) at.push_back(op.y);
  }
  return at;
}

bool Overlap(const SurfaceRect& a, const SurfaceRect& b) {
  return std::min(a.right, b.right) > std::max(a.left, b.left) &&
         std::min(a.bottom, b.bottom) > std::max(a.top, b.top);
}

std::vector<int> Prefix(const std::vector<int>& values, std::size_t count) {
  return std::vector<int>(values.begin(), values.begin() + std::min(count, values.size()));
}

// At 600 units per inch on an A4 page (4960 by 7015 units), margins 0.20
// (left) and 0.00 (top): the grid's origin is (120, 0).
TEST(CardDocumentTest, TestSheetIsARulerGridFromTheMarginsWithACrossAtEverySlotUnderTheCard) {
  struct Case {
    CardVersion version;
    LengthUnit unit;
    std::vector<int> someFineX, firstStrongX;
    std::size_t strongXCount;
    std::vector<int> firstStrongY;
    std::string firstFigure;
    int figureStep, figureCount;
  } cases[] = {
      // clang-format off
      // Tenths of an inch (60 units) from 0 to 4920, every fifth stronger.
      {0, LengthUnit::kInch, {0, 60, 180, 4860}, {120, 420, 720}, 17, {0, 300}, "0 Zoll", 1, 9},
      {1, LengthUnit::kInch, {0, 60, 180, 4860}, {120, 420, 720}, 17, {0, 300}, "0 Zoll", 1, 9},
      // Millimetres (23.6 units), each truncated from the origin.
      {2, LengthUnit::kMillimetre, {26, 97, 143, 332}, {2, 120, 238, 356, 474}, 42, {0, 118},
       "0 mm", 10, 21},
      // clang-format on
  };
  const int figureHeight = PointFontHeight(70, 600);
  CardDocumentOptions options;
  options.testSheet = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    DocumentCard card;
    card.DefaultLayout(c.version);
    card.Request().genderTicks = true;
    card.Data().SetRoleFlags(card.Publisher(), record::kRoleElder | record::kMale);
    RecordingSurface plain;
    DrawCardDocument(plain, {card.Request()});
    RecordingSurface sheet;
    options.gridUnit = c.unit;
    EXPECT_EQ(DrawCardDocument(sheet, {card.Request()}, options), DocumentEnd::kComplete);

    // The card in black exactly as it prints without the sheet.
    EXPECT_EQ(Listing(OpsInColour(sheet, kBlack)), Listing(OpsInColour(plain, kBlack)));

    const std::vector<int> fine = GridLines(sheet, kGridFineGrey, true);
    for (int x : c.someFineX) EXPECT_NE(std::find(fine.begin(), fine.end(), x), fine.end()) << x;
    const std::vector<int> strong = GridLines(sheet, kGridGrey, true);
    EXPECT_EQ(Prefix(strong, c.firstStrongX.size()), c.firstStrongX);
    EXPECT_EQ(strong.size(), c.strongXCount);
    EXPECT_EQ(Prefix(GridLines(sheet, kGridGrey, false), c.firstStrongY.size()), c.firstStrongY);

    std::vector<std::string> topFigures, names;
    std::vector<SurfaceRect> nameBoxes;
    for (const RecordedOp& op : OpsInColour(sheet, kMarkGrey)) {
      if (op.kind != RecordedOp::Kind::kText) continue;
      if (op.font.height == figureHeight) {
        if (op.y == 15 && op.x != 15) topFigures.push_back(op.text);  // not the left edge's
        continue;
      }
      names.push_back(op.text);
      nameBoxes.push_back({op.x, op.y, op.x + RecordingSurface::TextWidth(op.text, op.font.height),
                           op.y - op.font.height});
    }
    std::vector<std::string> figures = {c.firstFigure};
    for (int i = 1; i < c.figureCount; ++i) figures.push_back(std::to_string(i * c.figureStep));
    EXPECT_EQ(topFigures, figures);

    // Every slot the layout details show has its name on the page, and no
    // two names cover each other.
    EXPECT_EQ(names.size(), 20u);
    for (const char* name : {"Name", "Gesalbter o. a.S.", "[x] männlich", "Höhe des Hauptteils"})
      EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    for (std::size_t i = 0; i < nameBoxes.size(); ++i) {
      const SurfaceRect& box = nameBoxes[i];
      EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 4960) << names[i];
      for (std::size_t j = i + 1; j < nameBoxes.size(); ++j)
        EXPECT_FALSE(Overlap(box, nameBoxes[j])) << names[i] << " / " << names[j];
    }

    // The name and the male tick land on their crosses.
    const std::vector<RecordedOp> marks = OpsInColour(sheet, kMarkGrey);
    for (const std::string& item : {card.Request().cardName, std::string("x")}) {
      const RecordedOp* data = plain.FindText(item);
      ASSERT_NE(data, nullptr) << item;
      EXPECT_TRUE(std::any_of(marks.begin(), marks.end(), [&](const RecordedOp& op) {
        return op.kind == RecordedOp::Kind::kLine && op.x == data->x - 30 &&
               op.x2 == data->x + 30 && op.y == data->y && op.y2 == data->y;
      })) << item;
    }
    EXPECT_EQ(sheet.LiveObjectCount(), 0);
    EXPECT_TRUE(sheet.StartingObjectsSelected());
    EXPECT_EQ(sheet.CurrentColour(), kBlack);
    EXPECT_EQ(sheet.CurrentPenColour(), kBlack);
  }

  // A complete card places its items by rules of its own: no sheet.
  DocumentCard complete;
  complete.Request().completeCard = true;
  RecordingSurface none;
  DrawCardDocument(none, {complete.Request()}, options);
  EXPECT_TRUE(OpsInColour(none, kMarkGrey).empty());
}

TEST(CardDocumentTest, TheCallbackSeesEachCardAndStopsTheDocumentAfterIt) {
  DocumentCard card;
  const std::vector<CardRequest> cards(3, card.Request());
  std::vector<int> seen;
  CardDocumentOptions options;
  options.cardDone = [&](int done) {
    seen.push_back(done);
    return done < 2;
  };
  RecordingSurface surface;
  EXPECT_EQ(DrawCardDocument(surface, cards, options), DocumentEnd::kStopped);
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  int pages = 0, ends = 0, docEnds = 0;
  for (const RecordedOp& op : surface.Ops()) {
    pages += op.kind == RecordedOp::Kind::kStartPage;
    ends += op.kind == RecordedOp::Kind::kEndPage;
    docEnds += op.kind == RecordedOp::Kind::kEndDoc;
  }
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(docEnds, 0);

  seen.clear();
  options.cardDone = [&](int done) {
    seen.push_back(done);
    return true;
  };
  RecordingSurface whole;
  EXPECT_EQ(DrawCardDocument(whole, cards, options), DocumentEnd::kComplete);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace morvind
