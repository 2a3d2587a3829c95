#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "printing/CardHeader.h"
#include "printing/RecordingSurface.h"
#include "resources/StringIds.h"
#include "support/CardRequestBuilder.h"

namespace morvind {
namespace {

using Placed = std::tuple<std::string, int, int>;  // text, x, y

// At 600 units per inch with the margins "0.00" and "0.20" (left = 120) and
// the defaults of card version 0. Anna Meier is baptized and anointed; the
// report month is February 2024 (year slot 0).
struct HeaderCard : test::CardRequestBuilder {
  explicit HeaderCard(std::uint8_t flags = 0) {
    const int p = Publisher();
    Data().SetText(p, record::kAddress, "Hauptstr. 1");
    Data().SetText(p, record::kHomePhone, "0301234");
    Data().SetText(p, record::kBirthDate, "05141980");
    Data().SetText(p, record::kImmersedDate, "06201995");
    Data().SetHope(p, 'A');
    Data().SetRoleFlags(p, flags);
    Request().cardMobile = "0170555";
  }
  RecordingSurface Draw() {
    RecordingSurface surface;
    DrawCardHeader(surface, Request());
    return surface;
  }
};

std::vector<Placed> Placements(const RecordingSurface& surface) {
  std::vector<Placed> placed;
  for (const RecordedOp& op : surface.Texts()) placed.emplace_back(op.text, op.x, op.y);
  return placed;
}

std::vector<Placed> Marks(const RecordingSurface& surface) {
  std::vector<Placed> marks;
  for (const Placed& placed : Placements(surface))
    if (std::get<0>(placed) == "x") marks.push_back(placed);
  return marks;
}

bool HasLine(const RecordingSurface& surface, int x, int y, int x2, int y2, int width) {
  for (const RecordedOp& op : surface.Lines())
    if (op.x == x && op.y == y && op.x2 == x2 && op.y2 == y2 && op.penWidth == width) return true;
  return false;
}

int LinesOfWidth(const RecordingSurface& surface, int width) {
  int count = 0;
  for (const RecordedOp& op : surface.Lines()) count += op.penWidth == width;
  return count;
}

void ExpectRestored(const RecordingSurface& surface) {
  EXPECT_EQ(surface.LiveObjectCount(), 0);
  EXPECT_TRUE(surface.StartingObjectsSelected());
  EXPECT_TRUE(surface.NoSelectedObjectDeleted());
  EXPECT_EQ(surface.CurrentAlign(), kAlignLeft);
}

TEST(CardHeaderTest, DataOnlyPrintsEveryItemAtItsLayoutPosition) {
  HeaderCard card(record::kFemale | record::kRoleElder);
  card.Data().SetStatus(card.Publisher(), 1, 0, kStatusRegularPioneer);
  card.Request().genderTicks = true;
  RecordingSurface surface = card.Draw();

  const std::vector<Placed> expected = {{"Anna Meier", 420, 132},  {"x", 3360, 102},
                                        {"Hauptstr. 1", 420, 228}, {"0301234", 420, 342},
                                        {"0170555", 1380, 342},    {"05/14/1980", 2610, 342},
                                        {"x", 2580, 450},          {"06/20/1995", 420, 486},
                                        {"G", 2040, 486},          {"x", 2580, 516}};
  EXPECT_EQ(Placements(surface), expected);
  const RecordedOp& name = surface.Texts().front();
  EXPECT_EQ(name.align, kAlignLeft);
  // 10 pt at 600 units per inch, the weight the platform gives a point font
  // made without one (normal), the default character set.
  EXPECT_EQ(name.font, (FontRecord{-83, 400, 1, 0, "Arial"}));
  EXPECT_TRUE(surface.Lines().empty());
  ExpectRestored(surface);
}

TEST(CardHeaderTest, TickMarksFollowTheGenderAndRoleBits) {
  struct Case {
    std::uint8_t flags;
    bool genderTicks;
    const char* maleX;  // null: the default
    std::vector<Placed> marks;
  };
  const Case cases[] = {
      {record::kMale, true, nullptr, {{"x", 3360, 42}}},
      {record::kMale | record::kFemale, true, nullptr, {{"x", 3360, 102}}},
      {0, true, nullptr, {}},
      {record::kMale, true, "0.00", {}},
      {record::kMale, false, nullptr, {}},
      {3, false, nullptr, {}},
      {record::kRoleServant, false, nullptr, {{"x", 2910, 450}}},
      {record::kRoleElder, false, nullptr, {{"x", 2580, 450}}},
  };
  for (const Case& c : cases) {
    HeaderCard card(c.flags);
    card.Request().genderTicks = c.genderTicks;
    if (c.maleX) card.Request().layout.Set(kMaleX, c.maleX);
    EXPECT_EQ(Marks(card.Draw()), c.marks) << "flags " << int{c.flags};
  }
}

TEST(CardHeaderTest, HopeMarkNeedsABaptismDateAndFollowsTheLanguage) {
  struct Case {
    const char* immersed;
    char hope;
    const char* language;
    int version;
    std::vector<Placed> marks;  // what follows the date at its y
  };
  const Case cases[] = {
      {"06201995", 'A', "german", 0, {{"G", 2040, 486}}},
      {"06201995", 'B', "german", 0, {{"A.S.", 2040, 486}}},
      {"    ", 'A', "german", 0, {}},
      {"", 'A', "german", 0, {}},
      {"06201995", 'A', "cz", 0, {{"x", 2040, 436}}},
      {"06201995", 'B', "cz", 0, {{"x", 2040, 486}}},
      {"06201995", 'A', "cz", 1, {{"G", 2160, 486}}},  // "[   ] G" loses its box
  };
  for (const Case& c : cases) {
    HeaderCard card;
    card.Data().SetText(card.Publisher(), record::kImmersedDate, c.immersed);
    card.Data().SetHope(card.Publisher(), c.hope);
    card.Strings().Set(str::kHopeAnointed, "[   ] G");
    if (c.version == 0) card.Strings().Set(str::kHopeAnointed, "G");
    card.Request().languageCode = c.language;
    card.DefaultLayout(c.version);
    std::vector<Placed> marks;
    for (const Placed& placed : Placements(card.Draw()))
      if (std::get<1>(placed) >= 2040 && std::get<2>(placed) >= 400) marks.push_back(placed);
    EXPECT_EQ(marks, c.marks) << c.immersed << " " << c.hope << " " << c.language;
  }
}

TEST(CardHeaderTest, CrPrintsBothTelephonesOnTheHomeLine) {
  struct Case {
    const char* home;
    const char* mobile;
    const char* line;
  };
  const Case cases[] = {{"0301234", "0170555", "0301234 / 0170555"},
                        {"", "0170555", "0170555"},
                        {"0301234", "", "0301234"}};
  for (const Case& c : cases) {
    HeaderCard card;
    card.Data().SetText(card.Publisher(), record::kHomePhone, c.home);
    card.Request().cardMobile = c.mobile;
    card.Request().languageCode = "CR";
    std::vector<Placed> atPhones;
    for (const Placed& placed : Placements(card.Draw()))
      if (std::get<2>(placed) == 342 && std::get<1>(placed) < 2610) atPhones.push_back(placed);
    EXPECT_EQ(atPhones, (std::vector<Placed>{{c.line, 420, 342}}));
  }

  // On the complete card the home line then runs to the middle, without a
  // mobile label.
  HeaderCard card;
  card.Request().languageCode = "CR";
  card.Request().completeCard = true;
  RecordingSurface surface = card.Draw();
  EXPECT_EQ(surface.FindText("Mobile telephone:"), nullptr);
  ASSERT_NE(surface.FindText("Home telephone:"), nullptr);
  const int underline = 382 + 50;  // the label's top (0.57 + 1/15 inch) + 1/12 inch
  EXPECT_TRUE(HasLine(surface, 120 + 15 * 29 + 30, underline, 1770, underline, 2));
}

TEST(CardHeaderTest, DataOnlyHeaderIsEmptyWithoutTheHeaderBox) {
  HeaderCard card;
  card.Request().printHeader = false;
  EXPECT_TRUE(card.Draw().Ops().empty());
  card.Request().completeCard = true;  // the complete card always has its header
  EXPECT_NE(card.Draw().FindText("Anna Meier"), nullptr);
}

TEST(CardHeaderTest, TickBoxIsATwelfthOfAnInchWithItsOwnPen) {
  for (bool ticked : {false, true}) {
    RecordingSurface surface;
    DrawTickBox(surface, 1000, 500, ticked);
    std::vector<std::tuple<int, int, int, int>> lines;
    for (const RecordedOp& op : surface.Lines()) {
      EXPECT_EQ(op.penWidth, 5);
      lines.emplace_back(op.x, op.y, op.x2, op.y2);
    }
    std::vector<std::tuple<int, int, int, int>> expected = {
        {1000, 500, 954, 500}, {954, 500, 954, 454}, {954, 454, 1000, 454}, {1000, 454, 1000, 500}};
    if (ticked) {
      expected.emplace_back(1000, 500, 954, 454);
      expected.emplace_back(1000, 454, 954, 500);
    }
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(surface.LiveObjectCount(), 0);
    EXPECT_TRUE(surface.StartingObjectsSelected());
  }
}

TEST(CardHeaderTest, CompleteCardDrawsTheFormAndTakesOnlyTheLayoutY) {
  HeaderCard card(record::kMale | record::kRoleServant);
  card.Request().completeCard = true;
  card.Request().printHeader = false;
  card.Request().layout.Set(kNameX, "2.00");  // ignored
  card.Request().layout.Set(kNameY, "0.30");  // moves the name and its label
  RecordingSurface surface = card.Draw();

  const RecordedOp* title = surface.FindText("CONGREGATION'S PUBLISHER RECORD");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(std::make_tuple(title->x, title->y, title->align), std::make_tuple(1770, 0, 6));
  EXPECT_EQ(title->font, (FontRecord{-91, 700, 0, kPitchVariableRoman, "Times New Roman"}));

  auto at = [&](const char* text) {
    const RecordedOp* op = surface.FindText(text);
    return op ? std::make_tuple(op->x, op->y, op->align) : std::make_tuple(-1, -1, -1);
  };
  EXPECT_EQ(at("männlich"), std::make_tuple(3120, 0, 0));
  EXPECT_EQ(at("weiblich"), std::make_tuple(3120, 66, 0));
  EXPECT_EQ(at("Anna Meier"), std::make_tuple(420, 180, 0));
  EXPECT_EQ(at("Name:"), std::make_tuple(120, 210, 1));
  EXPECT_EQ(at("Hauptstr. 1"), std::make_tuple(570, 228, 0));
  EXPECT_EQ(at("0170555"), std::make_tuple(1740, 342, 0));
  EXPECT_EQ(at("06/20/1995"), std::make_tuple(570, 510, 0));
  EXPECT_EQ(at("G"), std::make_tuple(2040, 510, 0));
  EXPECT_EQ(at("Ministerial servant"), std::make_tuple(3420, 472, 3));
  EXPECT_EQ(at("Elder"), std::make_tuple(2749, 472, 3));
  EXPECT_EQ(at("Regular pioneer"), std::make_tuple(2604, 547, 0));
  EXPECT_EQ(surface.FindText("x"), nullptr);
  EXPECT_EQ(surface.FindText("Name:")->font.height, -58);

  // The male box at the card's right edge, 46 units square; five boxes, the
  // male and the servant box ticked.
  EXPECT_TRUE(HasLine(surface, 3420, 50, 3374, 50, 5));
  EXPECT_TRUE(HasLine(surface, 2836, 522, 2790, 476, 5));  // servant's diagonal
  EXPECT_EQ(LinesOfWidth(surface, 5), 5 * 4 + 2 * 2);

  // Underlines with the 2-unit pen: "Name:" to the card's right edge, and
  // the baptism line shared between its two labels.
  EXPECT_TRUE(HasLine(surface, 120 + 5 * 29 + 30, 260, 3420, 260, 2));
  EXPECT_TRUE(HasLine(surface, 556, 600, 1103, 600, 2));
  EXPECT_TRUE(HasLine(surface, 1917, 600, 2454, 600, 2));
  ExpectRestored(surface);

  // Role bits 3 tick neither the elder nor the servant box.
  HeaderCard neither(3);
  neither.Request().completeCard = true;
  EXPECT_EQ(LinesOfWidth(neither.Draw(), 5), 5 * 4);
}

TEST(CardHeaderTest, BaptismUnderlineShrinksToNothingWhenTheLabelsFillTheLine) {
  HeaderCard card;
  card.Request().completeCard = true;
  card.Strings().Set(str::kLabelHope, std::string(60, 'W'));
  RecordingSurface surface = card.Draw();
  EXPECT_TRUE(HasLine(surface, 556, 600, 556, 600, 2));
  const RecordedOp* hope = surface.FindText(std::string(60, 'W'));
  ASSERT_NE(hope, nullptr);
  EXPECT_EQ(std::make_tuple(hope->x, hope->y), std::make_tuple(586, 550));
  ExpectRestored(surface);
}

}  // namespace
}  // namespace morvind
