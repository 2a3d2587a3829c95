#include <gtest/gtest.h>

#include "preview/CardTexts.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

TEST(CardTextsTest, LongNameIsTakenOnlyWhenPresentAndWanted) {
  test::TestTable data;
  int anna = data.AddPublisher("Anna", "Meier");
  data.SetText(anna, record::kMobilePhone, "0171 555");

  struct Case {
    bool hasRecord;
    std::string longName;
    bool useLongName;
    bool lastNameFirst;
    std::string name;
    bool showLongNameBox;
    bool showLastNameFirstBox;
  } cases[] = {
      {true, "Anna Maria Meier-Koch", true, false, "Anna Maria Meier-Koch", true, false},
      {true, "Anna Maria Meier-Koch", false, true, "Meier, Anna", true, true},
      {true, "", true, false, "Anna Meier", false, true},
      // A long name left over from an earlier lookup does not count.
      {false, "Anna Maria Meier-Koch", true, true, "Meier, Anna", false, true},
  };
  for (const Case& c : cases) {
    CardTextsInput input;
    input.table = &data.Table();
    input.publisher = anna;
    input.hasExtendedRecord = c.hasRecord;
    input.longName = c.longName;
    input.useLongName = c.useLongName;
    input.lastNameFirst = c.lastNameFirst;
    CardTexts texts = ChooseCardTexts(input);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(texts.cardName, c.name);
    EXPECT_EQ(texts.cardMobile, "0171 555");
    EXPECT_EQ(texts.showLongNameBox, c.showLongNameBox);
    EXPECT_EQ(texts.showLastNameFirstBox, c.showLastNameFirstBox);
  }
}

TEST(CardTextsTest, GenderBoxIsShownForAGenderBitAndCheckedOnACompleteCard) {
  test::TestTable data;
  struct Case {
    std::uint8_t flags;
    bool completeCard;
    bool show;
    bool check;
  } cases[] = {
      {0, false, false, false},
      {0, true, false, false},
      {record::kRoleElder, true, false, false},
      {record::kMale, false, true, false},
      {record::kFemale, true, true, true},
      {record::kMale | record::kFemale | record::kRoleServant, true, true, true},
  };
  for (const Case& c : cases) {
    int p = data.AddPublisher("A", "B");
    data.SetRoleFlags(p, c.flags);
    CardTextsInput input;
    input.table = &data.Table();
    input.publisher = p;
    input.completeCard = c.completeCard;
    CardTexts texts = ChooseCardTexts(input);
    SCOPED_TRACE(static_cast<int>(c.flags));
    EXPECT_EQ(texts.showGenderBox, c.show);
    EXPECT_EQ(texts.checkGenderBox, c.check);
  }
}

TEST(CardTextsTest, NoSelectionOrNoTableGivesEmptyTexts) {
  test::TestTable data;
  data.AddPublisher("Anna", "Meier");
  CardTextsInput input;
  input.table = &data.Table();
  input.publisher = 0;
  CardTexts none = ChooseCardTexts(input);
  EXPECT_EQ(none.cardName, "");
  EXPECT_FALSE(none.showLongNameBox);
  EXPECT_TRUE(none.showLastNameFirstBox);

  PublisherTable empty;
  input.table = &empty;
  input.publisher = 1;
  input.hasExtendedRecord = true;
  input.longName = "Stale";
  CardTexts outside = ChooseCardTexts(input);
  EXPECT_EQ(outside.cardName, "");
  EXPECT_FALSE(outside.showGenderBox);
}

}  // namespace
}  // namespace morvind
