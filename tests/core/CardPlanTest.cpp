#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CardPlan.h"
#include "data/TextServices.h"
#include "layout/LayoutFile.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

using test::TestTable;

TEST(CardPlanTest, GroupAndUnassignedFiltersAreTheStepsOfTheFilterButton) {
  for (int groups : {0, 1, 3, 20, 25, -1}) {
    SCOPED_TRACE(groups);
    PublisherFilter filter;
    std::vector<PublisherFilter> steps;
    do {
      filter = NextFilter(filter, groups, true);
      steps.push_back(filter);
    } while (filter.filter != 0);
    // all → pioneers → group 1 … group G → unassigned → all
    const int g = FilterGroupCount(groups);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(g + 3));
    for (int k = 1; k <= g; ++k) {
      EXPECT_EQ(GroupFilter(k).filter, steps[static_cast<std::size_t>(k)].filter);
      EXPECT_EQ(GroupFilter(k).filterGroup, steps[static_cast<std::size_t>(k)].filterGroup);
    }
    EXPECT_EQ(UnassignedFilter(groups).filter, steps[static_cast<std::size_t>(g + 1)].filter);
    EXPECT_EQ(UnassignedFilter(groups).filterGroup, 0);
  }
}

TEST(CardPlanTest, SelectsCardsFromTheListLines) {
  TestTable data;
  int juergen = data.AddPublisher("J\xFCrgen", "M\xFCller");  // windows-1252 bytes
  int kaethe = data.AddPublisher("K\xE4the", "M\xFCller");
  int blank = data.AddPublisher("  ", " ");
  int oemer = data.AddPublisher("\xD6mer", "\xD6zdemir");
  int inactive = data.AddPublisher("Erwin", "P\xF6hlmann");
  data.SetInactive(inactive, true);
  bool unassigned = false;
  const std::vector<PublisherListLine> lines =
      PublisherListLines(data.Table(), PublisherFilter{}, 1, 24, false, unassigned);
  ASSERT_EQ(lines.size(), 4u);
  const std::vector<PublisherListLine> totals =
      PublisherListLines(data.Table(), CongregationFilter(), 1, 24, false, unassigned);

  using Kind = CardSelection::Kind;
  using C = TotalsCategory;
  const auto P = ListItem::Publisher;
  const auto T = ListItem::Totals;
  struct Case {
    Kind kind;
    int publisher;
    const char* prefix;
    bool lastNameFirst;
    std::vector<ListItem> cards;
    bool congregation = false;  // the list of the filter step "Versammlung"
  } cases[] = {
      {Kind::kAll, 0, "", false, {P(juergen), P(kaethe), P(oemer)}},  // a blank name gets no card
      // With the name order "Last, First" a blank name still reads ",".
      {Kind::kAll, 0, "", true, {P(juergen), P(kaethe), P(blank), P(oemer)}},
      {Kind::kPublisher, kaethe, "", false, {P(kaethe)}},
      {Kind::kPublisher, inactive, "", false, {}},  // not listed
      {Kind::kPublisher, 99, "", false, {}},
      {Kind::kPublisher, blank, "", false, {}},
      {Kind::kName, 0, "m\xC3\xBC", false, {P(juergen)}},        // "mü": the first match only
      {Kind::kName, 0, "M\xC3\x9CLLER, K", false, {P(kaethe)}},  // "MÜLLER, K"
      {Kind::kName, 0, "\xC3\xB6z", false, {P(oemer)}},          // "öz" finds "Özdemir"
      {Kind::kName, 0, "Mu", false, {}},                         // no folding of umlauts to vowels
      {Kind::kName, 0, "M\xC3\xBCller, J\xC3\xBCrgen, Dr.", false, {}},  // longer than the name
      // The totals records in their order, with no name of a publisher.
      {Kind::kAll,
       0,
       "",
       true,
       {T(C::kPublishers), T(C::kAuxiliaryPioneers), T(C::kRegularPioneers),
        T(C::kSpecialPioneers)},
       true},
      {Kind::kName, 0, "hilf", false, {T(C::kAuxiliaryPioneers)}, true},
      {Kind::kPublisher, 0, "", false, {}, true},  // no record index names one
  };
  for (const Case& c : cases) {
    CardSelection selection;
    selection.kind = c.kind;
    selection.publisher = c.publisher;
    selection.namePrefix = c.prefix;
    EXPECT_EQ(
        SelectCards(data.Table(), c.congregation ? totals : lines, selection, c.lastNameFirst),
        c.cards)
        << static_cast<int>(c.kind) << " " << c.publisher << " " << c.prefix;
  }
}

TEST(CardPlanTest, GivenPasswordIsComparedInTheDataCodePage) {
  TestTable data;
  EXPECT_EQ(CheckGivenPassword(data.Table(), std::nullopt), PasswordAnswer::kNotNeeded);
  EXPECT_EQ(CheckGivenPassword(data.Table(), std::string("x")), PasswordAnswer::kNotNeeded);

  data.SetPassword("Gr\xFC\xDF");  // "Grüß" in windows-1252
  const struct {
    std::optional<std::string> given;
    PasswordAnswer answer;
  } cases[] = {
      {std::nullopt, PasswordAnswer::kMissing},
      {"Gr\xC3\xBC\xC3\x9F", PasswordAnswer::kGranted},
      {"gr\xC3\xBC\xC3\x9F", PasswordAnswer::kWrong},  // case counts
      {"Gr\xFC\xDF", PasswordAnswer::kWrong},          // not UTF-8
      {"", PasswordAnswer::kWrong},
      {"Gr\xC3\xBC\xC3\x9F ", PasswordAnswer::kWrong},
      {"\xE2\x82\xAC", PasswordAnswer::kWrong},  // "€" exists in 1252, but is not it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckGivenPassword(data.Table(), c.given), c.answer) << c.given.value_or("(none)");
  }
  data.SetPassword("");
  EXPECT_EQ(CheckGivenPassword(data.Table(), std::string()), PasswordAnswer::kGranted);
}

TEST(CardPlanTest, RequestTakesTheSetupTheChoicesAndTheChosenTexts) {
  test::TempFolder folder("cardplan");
  ASSERT_TRUE(folder.IsValid());
  test::DemoCongregation demo;
  test::DemoPublisher anna;
  anna.firstName = "Anna";
  anna.lastName = "Meier";
  anna.mobilePhone = "0171 555";
  anna.roleFlags = record::kFemale;
  anna.id = 7;
  anna.extendedIndex = 1;
  anna.longName = "Anna Maria Meier-Koch";
  test::DemoPublisher karl = anna;
  karl.firstName = "Karl";
  karl.roleFlags = 0;
  karl.id = 8;
  karl.extendedIndex = 0;
  karl.longName.clear();
  demo.publishers = {anna, karl};
  demo.extendedRecords = 2;
  ASSERT_TRUE(test::WriteCongregation(folder.Path(), demo));

  CongregationData data;
  ASSERT_TRUE(data.table.Allocate());
  bool failed = false;
  LoadCongregationData(data, folder.Folder(), nullptr, failed);
  ASSERT_EQ(data.table.Count(), 3);

  StringTable strings = StringTable::German();
  CardSetup setup;
  setup.strings = &strings;
  setup.settings.lastNameFirst = 1;
  setup.settings.dateFormat = 2;
  setup.settings.topMargin = "0.10";
  setup.settings.leftMargin = "0.30";
  setup.period = ReportPeriodFor({2024, 3, 10});
  FillDefaultLayout(setup.layout, 0, strings);

  struct Case {
    int publisher;
    bool useLongName;
    bool completeCard;
    const char* name;
    bool genderTicks;
  } cases[] = {
      {1, true, false, "Anna Maria Meier-Koch", false},
      {1, false, false, "Meier, Anna", false},
      {1, true, true, "Anna Maria Meier-Koch", true},  // the complete card ticks "m/w"
      {2, true, true, "Meier, Karl", false},           // nothing to tick without a gender
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrintWishes wishes;
    wishes.useLongName = c.useLongName;
    wishes.completeCard = c.completeCard;
    wishes.months.fill(true);
    setup.choices = ChoosePrintOptions(wishes, setup.period.reportMonth);
    CardRequest request =
        PlanCardRequest(data, c.publisher, BaseCardRequest(data, setup), folder.Folder());
    EXPECT_EQ(request.table, &data.table);
    EXPECT_EQ(request.remarks, &data.remarks);
    EXPECT_EQ(request.publisher, c.publisher);
    EXPECT_EQ(request.cardName, c.name);
    EXPECT_EQ(request.cardMobile, "0171 555");
    EXPECT_EQ(request.genderTicks, c.genderTicks);
    EXPECT_EQ(request.completeCard, c.completeCard);
    EXPECT_TRUE(request.lastNameFirst);
    EXPECT_EQ(request.dateFormat, 2);
    EXPECT_EQ(request.topMargin, "0.10");
    EXPECT_EQ(request.leftMargin, "0.30");
    EXPECT_EQ(request.reportMonth, 1);
    EXPECT_EQ(request.reportYearShort, 24);
    EXPECT_EQ(request.currentYear, 2024);
    EXPECT_TRUE(request.layout == setup.layout);
  }
}

}  // namespace
}  // namespace morvind
