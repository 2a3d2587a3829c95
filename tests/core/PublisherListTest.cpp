#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PublisherList.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

using test::TestTable;

// The captions the filter button shows, click by click, from "all" until it
// is back at "all".
std::vector<std::string> FilterCycle(int groupCount, bool hasUnassigned,
                                     std::vector<PublisherFilter>* filters = nullptr,
                                     bool sheet = false) {
  StringTable strings = StringTable::German();
  PublisherFilter filter;
  std::vector<std::string> captions{FilterCaption(filter, strings)};
  for (int click = 0; click < 30; ++click) {
    filter = NextFilter(filter, groupCount, hasUnassigned, sheet);
    captions.push_back(FilterCaption(filter, strings));
    if (filters) filters->push_back(filter);
    if (filter.filter == 0) break;
  }
  return captions;
}

TEST(PublisherListTest, FilterButtonCyclesThroughTheGroups) {
  using Captions = std::vector<std::string>;
  const Captions threeGroups = {"Alle Verkündiger", "Allg. u. SoPi's", "Gruppe 1",
                                "Gruppe 2",         "Gruppe 3",        "Alle Verkündiger"};
  EXPECT_EQ(FilterCycle(3, false), threeGroups);
  Captions withUnassigned = threeGroups;
  withUnassigned.insert(withUnassigned.end() - 1, "Unassigned");
  EXPECT_EQ(FilterCycle(3, true), withUnassigned);

  // With the sheet S-21 11/23 the congregation's records come last.
  Captions sheet = withUnassigned;
  sheet.insert(sheet.end() - 1, "Versammlung");
  EXPECT_EQ(FilterCycle(3, true, nullptr, true), sheet);

  const Captions noGroups = {"Alle Verkündiger", "Allg. u. SoPi's", "Alle Verkündiger"};
  EXPECT_EQ(FilterCycle(0, false), noGroups);
  EXPECT_EQ(FilterCycle(-1, false), noGroups);  // a negative count is no group, never stuck
  EXPECT_EQ(FilterCycle(-100, true),
            (Captions{"Alle Verkündiger", "Allg. u. SoPi's", "Unassigned", "Alle Verkündiger"}));

  std::vector<PublisherFilter> filters;
  FilterCycle(0, true, &filters);
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[1].filter, 2);
  EXPECT_EQ(filters[1].filterGroup, 0);

  filters.clear();
  Captions many = FilterCycle(25, false, &filters);
  ASSERT_EQ(many.size(), 23u);  // all, pioneers, 20 groups, all
  EXPECT_EQ(many[21], "Gruppe 20");
  for (int k = 2; k <= 21; ++k) {
    EXPECT_EQ(filters[static_cast<std::size_t>(k - 1)].filterGroup, k - 1) << k;
  }

  const int counts[][2] = {{-128, 0}, {-1, 0}, {0, 0}, {7, 7}, {20, 20}, {21, 20}, {127, 20}};
  for (const auto& c : counts) EXPECT_EQ(FilterGroupCount(c[0]), c[1]) << c[0];
}

struct Congregation {
  TestTable t;
  int meier, kaiser, lange, busch, sommer, wolf;

  // Report month December (11) in year slot 1, as in January 2024.
  static constexpr int kMonth = 11;
  static constexpr int kYearShort = 23;

  Congregation() {
    meier = t.AddPublisher("Anna", "Meier");
    t.SetGroup(meier, 1);
    kaiser = t.AddPublisher("Paul", "Kaiser");  // regular pioneer in group 2
    t.SetGroup(kaiser, 2);
    t.SetStatus(kaiser, kMonth, 1, 2);
    lange = t.AddPublisher("Rita", "Lange");  // auxiliary pioneer in group 2
    t.SetGroup(lange, 2);
    t.SetStatus(lange, kMonth, 1, 1);
    busch = t.AddPublisher("Otto", "Busch");  // inactive pioneer without group
    t.SetInactive(busch, true);
    t.SetStatus(busch, kMonth, 1, 2);
    sommer = t.AddPublisher("Eva", "Sommer");  // no group; pioneer only in other months
    t.SetStatus(sommer, kMonth, 0, 2);
    t.SetStatus(sommer, 0, 1, 2);
    t.SetStatus(sommer, 0, 0, 2);
    wolf = t.AddPublisher("Karl", "Wolf");  // no group, status 3 counts as pioneer
    t.SetStatus(wolf, kMonth, 1, 3);
  }

  std::vector<int> Listed(PublisherFilter filter, bool* hasUnassigned = nullptr) {
    bool unassigned = false;
    std::vector<int> indexes;
    for (const auto& line :
         PublisherListLines(t.Table(), filter, kMonth, kYearShort, false, unassigned)) {
      indexes.push_back(line.recordIndex);
    }
    if (hasUnassigned) *hasUnassigned = unassigned;
    return indexes;
  }
};

TEST(PublisherListTest, FiltersShowPioneersAndGroupsByTheReportMonth) {
  Congregation c;
  const struct {
    const char* name;
    PublisherFilter filter;
    std::vector<int> expected;
  } cases[] = {
      {"all", {0, 0}, {c.meier, c.kaiser, c.lange, c.sommer, c.wolf}},
      {"pioneers", {1, 0}, {c.kaiser, c.wolf}},
      {"group 1", {2, 1}, {c.meier}},
      {"group 2", {3, 2}, {c.lange}},
      {"group 3", {4, 3}, {}},
      {"unassigned", {5, 0}, {c.sommer}},
  };
  for (const auto& k : cases) {
    bool hasUnassigned = false;
    EXPECT_EQ(c.Listed(k.filter, &hasUnassigned), k.expected) << k.name;
    EXPECT_TRUE(hasUnassigned) << k.name;  // Sommer, whatever the filter
  }
  EXPECT_EQ(ReportMonthStatus(c.t.Table(), c.sommer, Congregation::kMonth, 23), 0);
  EXPECT_EQ(ReportMonthStatus(c.t.Table(), c.sommer, Congregation::kMonth, 24), 2);
}

// A line's item data tells a publisher, a totals record and none apart,
// whatever record indices the table holds.
TEST(PublisherListTest, CongregationLinesAreTotalsRecordsNeverRecordsOrNone) {
  Congregation c;
  bool hasUnassigned = false;
  const auto lines = PublisherListLines(c.t.Table(), {kCongregationFilter, 0}, Congregation::kMonth,
                                        Congregation::kYearShort, false, hasUnassigned);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(hasUnassigned);  // Sommer, noted on this filter too
  using C = TotalsCategory;
  const ListItem items[] = {
      ListItem::Publisher(1), ListItem::Publisher(PublisherTable::kCapacity - 1),
      ListItem::Totals(C::kPublishers), ListItem::Totals(C::kSpecialPioneers), lines[1].Item()};
  for (const ListItem& item : items) {
    const int data = EncodeListItem(item);
    EXPECT_EQ(DecodeListItem(data), item) << data;
    EXPECT_EQ(item.totals.has_value(), data >= PublisherTable::kCapacity) << data;
  }
  for (int none : {-1, 0, EncodeListItem(ListItem::Totals(C::kSpecialPioneers)) + 1})
    EXPECT_TRUE(DecodeListItem(none).IsNone()) << none;
}

TEST(PublisherListTest, UnassignedIsNotedOnlyForActiveNonPioneersAndNeverCleared) {
  Congregation c;
  c.t.SetGroup(c.sommer, 4);
  bool hasUnassigned = false;
  // Wolf (pioneer) and Busch (inactive) have no group but do not count.
  c.Listed({0, 0}, &hasUnassigned);
  EXPECT_FALSE(hasUnassigned);

  bool kept = true;
  PublisherListLines(c.t.Table(), {1, 0}, Congregation::kMonth, Congregation::kYearShort, false,
                     kept);
  EXPECT_TRUE(kept);
}

TEST(PublisherListTest, LinesShowTheNameInTheOrderOfTheFirstNameSort) {
  Congregation c;
  bool unassigned = false;
  auto lastFirst = PublisherListLines(c.t.Table(), {2, 1}, 11, 23, false, unassigned);
  ASSERT_EQ(lastFirst.size(), 1u);
  EXPECT_EQ(lastFirst[0].text, "Meier, Anna");
  EXPECT_EQ(lastFirst[0].recordIndex, c.meier);
  auto firstLast = PublisherListLines(c.t.Table(), {2, 1}, 11, 23, true, unassigned);
  EXPECT_EQ(firstLast[0].text, "Anna Meier");

  TestTable empty;
  EXPECT_TRUE(PublisherListLines(empty.Table(), {0, 0}, 11, 23, false, unassigned).empty());
}

TEST(PublisherListTest, SortsWholeRecordsByNameStablyIgnoringCaseAndBlanks) {
  TestTable t;
  const char* names[][2] = {
      {"Carla", "Dias"}, {"  bruno", "Alves"}, {"ana", "Costa"},
      {"Karl", "Fink "}, {"Ana", "Costa"},     {"Jürgen", "Bauer"},
      {"ANA", "costa"},  {"JÜRGEN", "BAUER"},  {"Jens", "Otto"},
  };
  for (const auto& n : names) {
    int j = t.AddPublisher(n[0], n[1]);
    t.SetGroup(j, j);  // travels with the record
  }
  SortPublishersByName(t.Table(), true);
  // Record j was added as j and carries publisherId 100 + j and group j.
  const int expected[] = {3, 5, 7, 2, 1, 9, 6, 8, 4};
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(t.Table().PublisherId(k + 1), 100 + expected[k]) << k;
    EXPECT_EQ(t.Table().Group(k + 1), expected[k]) << k;
  }
  EXPECT_EQ(ListDisplayName(t.Table(), 1, true), "ana Costa");
  EXPECT_EQ(t.Table().Text(0, record::kFirstName), " ");  // the header stays

  // Last name first: Alves, Bauer, Bauer, Costa ... keeps its own order.
  SortPublishersByName(t.Table(), false);
  EXPECT_EQ(ListDisplayName(t.Table(), 1, false), "Alves,   bruno");
  EXPECT_EQ(t.Table().PublisherId(2), 106);
  EXPECT_EQ(t.Table().PublisherId(3), 108);
}

TEST(PublisherListTest, ComparesUtf8IgnoringCaseInLatinGreekAndCyrillic) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"", "", 0},
      {"abc", "ABC", 0},
      {"a", "B", -1},
      {"B", "a", 1},
      {"ab", "abc", -1},
      {"Müller", "MÜLLER", 0},
      {"Ödön", "ödön", 0},
      {"Łukasz", "łukasz", 0},
      {"Čapek", "čapek", 0},
      {"ŸVES", "ÿves", 0},
      {"Øre", "øre", 0},
      {"ΣΟΦΊΑ", "σοφία", 0},
      {"ΆΈΉ", "άέή", 0},
      {"Σ", "ς", 0},
      {"ПЕТРОВ", "петров", 0},
      {"Ёлкин", "ёлкин", 0},
      {"ЇЖАК", "їжак", 0},
      {"straße", "STRASSE", 1},
      {"Jens", "Jürgen", -1},
      {"×", "÷", -1},  // not letters: no folding
      {"\xff", "\xfe", 1},
      {"a\xc3", "a\xc3\xa4", 1},  // a cut sequence is no letter, it sorts after them
  };
  for (const auto& c : cases) {
    int result = CompareIgnoringCase(c.a, c.b);
    int sign = (result > 0) - (result < 0);
    EXPECT_EQ(sign, c.sign) << c.a << " / " << c.b;
    int reverse = CompareIgnoringCase(c.b, c.a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " / " << c.a;
  }
}

}  // namespace
}  // namespace morvind
