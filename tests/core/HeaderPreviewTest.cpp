#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "preview/HeaderPreview.h"
#include "printing/CardHeader.h"
#include "printing/RecordingSurface.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

using Position = std::pair<int, int>;

// Anna Meier, baptized, on a 400 × 80 pane; the report month is August 2025
// (year slot 1).
struct HeaderScene : test::CardRequestBuilder {
  explicit HeaderScene(std::uint8_t flags = 0, char hope = 'B') {
    Today(2025, 9);
    Data().SetText(Publisher(), record::kImmersedDate, "06151985");
    Data().SetRoleFlags(Publisher(), flags);
    Data().SetHope(Publisher(), hope);
  }

  RecordingSurface Draw(int width = 400) {
    RecordingSurface surface;
    DrawHeaderPreview(0, 0, width, 80, surface, Request());
    return surface;
  }
};

std::vector<Position> PositionsOf(const RecordingSurface& surface, const std::string& text) {
  std::vector<Position> positions;
  for (const RecordedOp& op : surface.Texts())
    if (op.text == text) positions.emplace_back(op.x, op.y);
  return positions;
}

std::vector<Position> Only(Position position) {
  return {position};
}

void ExpectRestored(const RecordingSurface& surface) {
  EXPECT_EQ(surface.LiveObjectCount(), 0);
  EXPECT_TRUE(surface.StartingObjectsSelected());
  EXPECT_TRUE(surface.NoSelectedObjectDeleted());
}

TEST(HeaderPreviewTest, PaneOf400By80PlacesFormAndDataInProportion) {
  // With both gender bits the female tick wins.
  HeaderScene scene(record::kMale | record::kFemale, 'A');
  scene.Data().SetText(scene.Publisher(), record::kAddress, "Hauptstr. 1");
  scene.Data().SetText(scene.Publisher(), record::kHomePhone, "0301234");
  scene.Data().SetText(scene.Publisher(), record::kBirthDate, "12251990");
  scene.Request().cardMobile = "0171555";
  RecordingSurface surface = scene.Draw();

  // The white area is one pixel larger because the null pen fills short.
  auto isRectangle = [](const RecordedOp& op) { return op.kind == RecordedOp::Kind::kRectangle; };
  ASSERT_EQ(std::count_if(surface.Ops().begin(), surface.Ops().end(), isRectangle), 1);
  const RecordedOp& fill = *std::find_if(surface.Ops().begin(), surface.Ops().end(), isRectangle);
  EXPECT_EQ((SurfaceRect{fill.x, fill.y, fill.x2, fill.y2}), (SurfaceRect{0, 0, 401, 81}));
  EXPECT_EQ(fill.object, StockObjectHandle(kWhiteBrush));
  EXPECT_EQ(fill.previous, StockObjectHandle(kNullPen));

  // u = 3: lines at 15, 30, 45, 69; labels 5 below them; xl = 10, E = 390.
  struct Label {
    std::string text;
    Position at;
    int align;
  } labels[] = {
      {"Name ", {10, 20}, 9},
      {"Adresse ", {10, 35}, 9},
      {"Telefon ", {10, 50}, 9},
      {" Handy ", {130, 50}, 9},
      {" Geburtsdatum ", {260, 50}, 9},
      {"Datum der Taufe ", {10, 74}, 9},
      {" Gesalbter o. 'and. Schaf' ", {163, 74}, 9},
      {" [   ] Allgemeiner Pionier", {293, 74}, 9},
      {" [   ] Ältester", {293, 62}, 9},
      {" [   ] Dienstamtgehilfe", {336, 62}, 8},
  };
  FontRecord labelFont{-9, 400, 0, kPitchSwiss, "Arial"};
  for (const Label& label : labels) {
    const RecordedOp* op = surface.FindText(label.text);
    ASSERT_NE(op, nullptr) << label.text;
    EXPECT_EQ(Position(op->x, op->y), label.at) << label.text;
    EXPECT_EQ(op->align, label.align) << label.text;
    EXPECT_EQ(op->font, labelFont) << label.text;
  }

  // Each line starts at its label's right end and stays on its row.
  auto after = [](int x, const char* label) { return x + RecordingSurface::TextWidth(label, -9); };
  std::vector<SurfaceRect> lines;
  for (const RecordedOp& op : surface.Lines()) lines.push_back({op.x, op.y, op.x2, op.y2});
  std::vector<SurfaceRect> expectedLines = {
      {after(10, "Name "), 15, 390, 15},
      {after(10, "Adresse "), 30, 390, 30},
      {after(10, "Telefon "), 45, 130, 45},
      {after(130, " Handy "), 45, 260, 45},
      {after(260, " Geburtsdatum "), 45, 390, 45},
      {after(10, "Datum der Taufe "), 69, 163, 69},
      {after(163, " Gesalbter o. 'and. Schaf' "), 69, 293, 69}};
  EXPECT_EQ(lines, expectedLines);

  struct Data {
    std::string text;
    Position at;
  } data[] = {
      {"Anna Meier", {49, 15}},  {"[X] weiblich", {335, 15}},
      {"Hauptstr. 1", {49, 30}}, {"0301234", {58, 45}},
      {"0171555", {186, 45}},    {"12/25/1990", {322, 45}},
      {"06/15/1985", {75, 69}},  {"G", {260, 69}},
  };
  for (const Data& item : data) {
    const RecordedOp* op = surface.FindText(item.text);
    ASSERT_NE(op, nullptr) << item.text;
    EXPECT_EQ(Position(op->x, op->y), item.at) << item.text;
    EXPECT_EQ(op->align, kAlignBottom) << item.text;
    EXPECT_EQ(op->font, SystemFontRecord()) << item.text;
  }
  EXPECT_EQ(surface.FindText("[X] männlich"), nullptr);
  ExpectRestored(surface);
}

TEST(HeaderPreviewTest, ColoursTellWhatAPrintWouldCarry) {
  struct Case {
    bool completeCard, printHeader, genderTicks;
    Colour label, name, gender, address;
  } cases[] = {
      {false, true, false, kGrey, kBlack, kGrey, kBlack},
      {false, true, true, kGrey, kBlack, kBlack, kBlack},
      {false, false, false, kGrey, kGrey, kGrey, kGrey},
      {false, false, true, kGrey, kGrey, kGrey, kGrey},
      {true, true, false, kBlack, kBlack, kBlack, kBlack},
  };
  for (const Case& c : cases) {
    HeaderScene scene(record::kMale);
    scene.Data().SetText(scene.Publisher(), record::kAddress, "Hauptstr. 1");
    scene.Request().completeCard = c.completeCard;
    scene.Request().printHeader = c.printHeader;
    scene.Request().genderTicks = c.genderTicks;
    RecordingSurface surface = scene.Draw();
    SCOPED_TRACE(testing::Message() << c.completeCard << c.printHeader << c.genderTicks);
    ASSERT_NE(surface.FindText("[X] männlich"), nullptr);
    EXPECT_EQ(surface.FindText("Name ")->colour, c.label);
    EXPECT_EQ(surface.FindText(" [   ] Dienstamtgehilfe")->colour, c.label);
    EXPECT_EQ(surface.FindText("Anna Meier")->colour, c.name);
    EXPECT_EQ(surface.FindText("[X] männlich")->colour, c.gender);
    EXPECT_EQ(surface.FindText("Hauptstr. 1")->colour, c.address);
  }
}

// The hope text and the ticks in drawing order, with their positions.
std::vector<std::pair<std::string, Position>> Marks(const RecordingSurface& surface) {
  std::vector<std::pair<std::string, Position>> marks;
  for (const RecordedOp& op : surface.Texts())
    if (op.text == "X" || op.text == "G" || op.text.find("A.S.") == 0 ||
        op.text.find("[   ] A.S.") == 0)
      marks.push_back({op.text, {op.x, op.y}});
  return marks;
}

TEST(HeaderPreviewTest, MarksFollowRolesHopeAndLanguage) {
  constexpr std::uint8_t kElder = record::kRoleElder;
  constexpr std::uint8_t kServant = record::kRoleServant;
  struct Case {
    std::string language;
    int cardVersion;
    std::uint8_t flags;
    char hope;
    bool baptized, regularPioneer;
    std::vector<std::pair<std::string, Position>> marks;
    int width = 400;  // wide: each role mark 11 right of its label, mid " [   ]"
  } cases[] = {
      {"german", 0, kElder, 'A', true, false, {{"G", {260, 69}}, {"X", {304, 63}}}},
      {"german",
       0,
       kServant,
       'B',
       true,
       true,
       {{"A.S.", {260, 69}}, {"X", {347, 63}}, {"X", {304, 75}}}},
      {"german", 0, 3, 'A', true, false, {{"G", {260, 69}}}},        // neither elder nor servant
      {"german", 0, kElder, 'A', false, false, {{"X", {304, 63}}}},  // no hope unbaptized
      {"sk", 0, kElder, 'A', true, true, {{"G", {206, 69}}, {"X", {271, 63}}, {"X", {271, 75}}}},
      {"sk", 0, kServant, 'A', true, false, {{"G", {206, 69}}, {"X", {314, 63}}}},
      {"polish", 0, 0, 'A', true, false, {{"G", {238, 69}}}},
      {"cz", 0, kElder, 'A', true, false, {{"X", {173, 63}}, {"X", {271, 63}}}},
      {"cz", 0, kServant, 'B', true, true, {{"X", {173, 75}}, {"X", {336, 63}}, {"X", {271, 75}}}},
      {"cz", 1, 0, 'B', true, false, {{"A.S.", {206, 69}}}},  // the box is dropped
      {"german", 0, kElder, 'A', false, true, {{"X", {1059, 63}}, {"X", {1059, 75}}}, 1432},
      {"german", 0, kServant, 'A', false, false, {{"X", {1214, 63}}}, 1432},
      {"cz", 0, kServant, 'A', false, true, {{"X", {1175, 63}}, {"X", {943, 75}}}, 1432},
  };
  for (const Case& c : cases) {
    HeaderScene scene(c.flags, c.hope);
    scene.Strings().Set(114, "[   ] A.S.");
    const int p = scene.Publisher();
    if (!c.baptized) scene.Data().SetText(p, record::kImmersedDate, "  1990  ");
    // Only the report month's slot (1) counts.
    scene.Data().SetStatus(p, 7, 0, kStatusRegularPioneer);
    if (c.regularPioneer) scene.Data().SetStatus(p, 7, 1, kStatusRegularPioneer);
    scene.Request().languageCode = c.language;
    scene.Request().cardVersion = c.cardVersion;
    RecordingSurface surface = scene.Draw(c.width);
    SCOPED_TRACE(testing::Message() << c.language << " flags " << int{c.flags} << " " << c.width);
    auto expected = c.marks;
    // Outside Czech the text keeps its box.
    for (auto& mark : expected)
      if (mark.first == "A.S." && c.language != "cz") mark.first = "[   ] A.S.";
    EXPECT_EQ(Marks(surface), expected);
    ExpectRestored(surface);
  }
}

TEST(HeaderPreviewTest, RegularPioneerMarkIsTheOneThePrintMakes) {
  // The report month is August 2025 (slot 1); August 2024 is slot 0. The
  // mark follows the report month itself, in the preview as on the card,
  // whichever service year is shown.
  for (int pioneerSlot : {0, 1}) {
    for (bool previousYear : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "slot " << pioneerSlot << " previous " << previousYear);
      HeaderScene scene;
      scene.Data().SetStatus(scene.Publisher(), 7, pioneerSlot, kStatusRegularPioneer);
      scene.Data().SetStatus(scene.Publisher(), 7, 1 - pioneerSlot, kStatusAuxiliaryPioneer);
      scene.Request().previousServiceYear = previousYear;
      scene.Request().previousYearBox = previousYear;
      const bool marked = pioneerSlot == 1;
      EXPECT_EQ(PositionsOf(scene.Draw(), "X"), marked ? Only({304, 75}) : std::vector<Position>{});
      RecordingSurface card;
      DrawCardHeader(card, scene.Request());
      EXPECT_EQ(PositionsOf(card, "x").size(), marked ? 1u : 0u);
    }
  }
}

TEST(HeaderPreviewTest, FormLinesMoveWithTheLanguage) {
  struct Case {
    std::string language;
    int cardVersion;
    int fontCharset;
    int baptismLineEnd;
    Position lowerTick;
    std::string besideTick;
    Position besideAt;
  } cases[] = {
      {"german", 0, 204, 147, {293, 74}, " [   ] Dienstamtgehilfe", {336, 62}},
      {"sk", 0, 238, 130, {260, 74}, " [   ] Dienstamtgehilfe", {303, 62}},
      {"cz", 1, 238, 110, {260, 74}, " [   ] Allgemeiner Pionier", {325, 62}},
      {"cz", 0, 238, 110, {260, 74}, " [   ] Allgemeiner Pionier", {325, 62}},
  };
  for (const Case& c : cases) {
    HeaderScene scene;
    scene.Request().languageCode = c.language;
    scene.Request().cardVersion = c.cardVersion;
    scene.Request().fontCharset = c.fontCharset;
    RecordingSurface surface = scene.Draw();
    SCOPED_TRACE(c.language + std::to_string(c.cardVersion));
    std::vector<RecordedOp> lines = surface.Lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[5].x2, c.baptismLineEnd);
    EXPECT_EQ(surface.FindText("Name ")->font.charset, c.fontCharset);
    // The Czech card swaps the pioneer and servant labels.
    const char* lower =
        c.language == "cz" ? " [   ] Dienstamtgehilfe" : " [   ] Allgemeiner Pionier";
    EXPECT_EQ(PositionsOf(surface, lower), Only(c.lowerTick));
    EXPECT_EQ(PositionsOf(surface, c.besideTick), Only(c.besideAt));
    bool stackedHope = c.language == "cz" && c.cardVersion == 0;
    EXPECT_EQ(surface.FindText(" Gesalbter o. 'and. Schaf' ") == nullptr, stackedHope);
    if (stackedHope) {
      EXPECT_EQ(PositionsOf(surface, " A.S."), Only({114, 74}));
      EXPECT_EQ(PositionsOf(surface, " G"), Only({114, 62}));
      EXPECT_EQ(lines.size(), 6u);  // no line after the stacked labels
    }
  }
}

TEST(HeaderPreviewTest, NameColumnTextMovesTheName) {
  HeaderScene scene;
  scene.Strings().Set(132, "1");
  EXPECT_EQ(PositionsOf(scene.Draw(), "Anna Meier"), Only({75, 15}));
}

TEST(HeaderPreviewTest, EmptyTableDrawsNothing) {
  HeaderScene scene;
  CardRequest request = scene.Request();
  PublisherTable empty;
  request.table = &empty;
  RecordingSurface surface;
  DrawHeaderPreview(0, 0, 400, 80, surface, request);
  EXPECT_TRUE(surface.Ops().empty());
}

TEST(HeaderPreviewTest, NoSelectionDrawsTheFormOnly) {
  HeaderScene scene(record::kRoleElder, 'A');
  scene.Request().publisher = 0;
  RecordingSurface surface = scene.Draw();
  EXPECT_NE(surface.FindText("Name "), nullptr);
  EXPECT_TRUE(PositionsOf(surface, "X").empty());
  EXPECT_EQ(surface.FindText("G"), nullptr);
  ExpectRestored(surface);
}

}  // namespace
}  // namespace morvind
