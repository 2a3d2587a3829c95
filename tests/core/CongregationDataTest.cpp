#include <gtest/gtest.h>

#include <string>

#include "data/CongregationData.h"
#include "data/TextServices.h"
#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/TempFolder.h"

namespace morvind {
namespace {

class CongregationDataTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data.table.Allocate()); }
  void Write(const test::DemoCongregation& demo) {
    std::string error;
    ASSERT_TRUE(test::WriteCongregation(folder.Path(), demo, &error)) << error;
  }

  test::TempFolder folder{"congregation"};
  CongregationData data;
};

TEST_F(CongregationDataTest, AsksForThePasswordOnlyUntilItFails) {
  test::DemoCongregation demo = test::MakeDemoCongregation({2024, 3, 15});
  demo.password = "Geheim";
  Write(demo);
  struct Case {
    bool failedBefore;
    bool answer;
    int asked;
    bool failedAfter;
  };
  const Case cases[] = {{false, true, 1, false}, {false, false, 1, true}, {true, true, 0, true}};
  for (const Case& c : cases) {
    int asked = 0;
    std::string password;
    bool failed = c.failedBefore;
    LoadCongregationData(
        data, folder.Folder(),
        [&](const PublisherTable& table) {
          ++asked;
          password = table.Text(0, record::kFirstName);
          // The check runs before the remarks are loaded.
          EXPECT_EQ(data.remarks.RemarkCount(), 1);
          return c.answer;
        },
        failed);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(failed, c.failedAfter);
    if (asked) {
      EXPECT_EQ(password, "Geheim");
    }
    // The later steps run whatever the answer.
    EXPECT_EQ(data.extendedCount, demo.extendedRecords);
    EXPECT_GT(data.remarks.RemarkCount(), 1);
    data.remarks.Clear();
  }
}

TEST_F(CongregationDataTest, DemoCongregationReadsBackAsWritten) {
  const test::DemoCongregation demo = test::MakeDemoCongregation({2025, 1, 10});
  Write(demo);
  bool failed = false;
  LoadCongregationData(data, folder.Folder(), nullptr, failed);
  const PublisherTable& table = data.table;
  ASSERT_EQ(table.Count(), static_cast<int>(demo.publishers.size()) + 1);
  EXPECT_EQ(data.groups.GroupCount(), 3);
  EXPECT_STREQ(reinterpret_cast<const char*>(data.groups.bytes.data() + 1 + 24),
               "Gruppe S\xFC"
               "d");
  std::size_t remarks = 0;
  for (std::size_t i = 0; i < demo.publishers.size(); ++i) {
    const test::DemoPublisher& p = demo.publishers[i];
    const int j = static_cast<int>(i) + 1;
    EXPECT_EQ(PublisherName(table, j, true), p.lastName + ", " + p.firstName);
    EXPECT_EQ(table.Text(j, record::kAddress), p.address);
    EXPECT_EQ(table.Text(j, record::kBirthDate), p.birthDate);
    EXPECT_EQ(IsBaptized(table, j), p.immersedDate.size() == 8 && p.immersedDate[0] != ' ');
    for (int month = 0; month < 12; ++month) {
      for (int slot = 0; slot < 2; ++slot) {
        for (int column = 0; column < 5; ++column)
          ASSERT_EQ(table.ReportFigure(j, month, column, slot), p.figures[column][month][slot]);
        ASSERT_EQ(table.HourQuarters(j, month, slot), p.quarters[month][slot]);
        ASSERT_EQ(table.MonthStatus(j, month, slot), p.monthStatus[month][slot]);
      }
    }
    ExtendedInfo info;
    const int bits = ReadExtendedInfo(data.table, j, data.extendedCount, info, folder.Folder());
    EXPECT_EQ(info.LongName(table.GetCodePage()), p.longName);
    EXPECT_EQ(bits != 0, p.extendedIndex != 0) << p.firstName;
    remarks += p.remarks.size();
  }
  EXPECT_EQ(data.remarks.RemarkCount(), static_cast<int>(remarks) + 1);
}

TEST_F(CongregationDataTest, FullDataSetFillsEveryTable) {
  Write(test::MakeFullCongregation({2024, 10, 1}));
  bool failed = false;
  LoadCongregationData(data, folder.Folder(), nullptr, failed);
  EXPECT_EQ(data.table.Count(), PublisherTable::kCapacity);
  EXPECT_EQ(data.extendedCount, ExtendedInfo::kMaxRecords);
  EXPECT_EQ(data.remarks.RemarkCount(), 899);
  ExtendedInfo info;
  EXPECT_NE(ReadExtendedInfo(data.table, 600, data.extendedCount, info, folder.Folder()), 0);
  EXPECT_EQ(ReadExtendedInfo(data.table, 601, data.extendedCount, info, folder.Folder()), 0);
}

TEST(CongregationDataAllocationTest, AnUnallocatedTableLoadsNothing) {
  test::TempFolder folder("congregation-alloc");
  ASSERT_TRUE(test::WriteCongregation(folder.Path(), test::MakeDemoCongregation({2024, 3, 15})));
  CongregationData data;
  bool failed = false;
  LoadCongregationData(data, folder.Folder(), nullptr, failed);
  EXPECT_EQ(data.table.Count(), 0);
  EXPECT_EQ(data.remarks.RemarkCount(), 1);
}

}  // namespace
}  // namespace morvind
