#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/RemarkTable.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

using test::RemarkEntry;

class RemarkTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anna = t.AddPublisher("Anna", "Meier");
    t.SetPublisherId(anna, 500);
    eleven = t.AddPublisher("Elf", "Elfer");
    t.SetPublisherId(eleven, 11);
  }
  void Load(const std::vector<RemarkEntry>& entries) {
    std::string error;
    ASSERT_TRUE(test::WriteRemarkRecords(folder.Path(), entries, CodePage::kWindows1252, &error))
        << error;
    LoadRemarks(t.Table(), remarks, folder.Folder());
  }
  std::string Remark(int p, int month, int slot) {
    std::string out;
    RemarkText(t.Table(), remarks, p, month, slot, out);
    return out;
  }

  test::TempFolder folder{"remarks"};
  test::TestTable t;
  RemarkTable remarks;
  int anna = 0;
  int eleven = 0;
};

TEST_F(RemarkTableTest, UsableRemarksLinkToTheirMonthAndYearSlot) {
  Load({
      {"Krank", 3, 19, 500},         // March, odd year: [2][1]
      {"Urlaub", 3, 20, 500},        // March, even year: [2][0]
      {"  Umzug \t", 12, 255, 500},  // trimmed; December, slot 1
      {"Elf", 1, 0, 11},             // the lowest owner id used
      {"Monat 0", 0, 20, 500},       // skipped: no month
      {"Monat 13", 13, 20, 500},     // skipped: no such month
      {"Monat 255", 255, 20, 500},   // skipped
      {"Zehn", 2, 20, 10},           // skipped: owner below 11
      {"Null", 2, 20, 0},            // skipped
      {"   \t ", 4, 20, 500},        // skipped: blank
      {"", 4, 21, 500},              // skipped: empty
      {"Fremd", 5, 20, 4242},        // skipped: no publisher has the id
  });
  EXPECT_EQ(remarks.RemarkCount(), 5);  // four loaded, skipped ones take no entry
  EXPECT_EQ(Remark(anna, 2, 1), "Krank");
  EXPECT_EQ(Remark(anna, 2, 0), "Urlaub");
  EXPECT_EQ(Remark(anna, 2, 3), "Krank");  // the slot is taken mod 2
  EXPECT_EQ(Remark(anna, 11, 1), "Umzug");
  EXPECT_EQ(Remark(eleven, 0, 0), "Elf");
  for (int month : {1, 3, 4}) {
    for (int slot : {0, 1}) {
      std::string out = "stale";
      EXPECT_FALSE(HasRemark(t.Table(), remarks, anna, month, slot, out)) << month;
      EXPECT_EQ(out, "");
    }
  }
  std::string out;
  EXPECT_TRUE(HasRemark(t.Table(), remarks, anna, 2, 1, out));
  EXPECT_EQ(out, "Krank");
  EXPECT_EQ(RemarkText(t.Table(), remarks, anna, 12, 0, out), 0);  // no month 12
}

TEST_F(RemarkTableTest, TheLaterRemarkOfAMonthWinsAndUmlautsDecode) {
  Load({{"Erster", 6, 24, 500}, {"Zweiter f\xC3\xBCr Juni", 6, 24, 500}});
  EXPECT_EQ(remarks.RemarkCount(), 3);  // both entries are used
  EXPECT_EQ(t.Table().RemarkIndex(anna, 5, 0), 2);
  EXPECT_EQ(Remark(anna, 5, 0), "Zweiter f\xC3\xBCr Juni");
}

TEST_F(RemarkTableTest, AtMost898RemarksAreLoaded) {
  std::vector<RemarkEntry> entries;
  for (int i = 0; i < 2000; ++i)
    entries.push_back({"R" + std::to_string(i), static_cast<std::uint8_t>(1 + i % 12),
                       static_cast<std::uint8_t>(i / 12), 500});
  Load(entries);
  EXPECT_EQ(remarks.RemarkCount(), 899);
  EXPECT_EQ(remarks.RawText(898), "R897");
  EXPECT_EQ(remarks.RawText(899), "");
  // Every link points at a loaded entry.
  for (int month = 0; month < 12; ++month)
    for (int slot = 0; slot < 3; ++slot) EXPECT_LT(t.Table().RemarkIndex(anna, month, slot), 899);
}

TEST_F(RemarkTableTest, BrokenFilesLoadWhatIsWhole) {
  // Links left from before are cleared even without a file.
  t.Table().SetRemarkIndex(anna, 1, 1, 77);
  LoadRemarks(t.Table(), remarks, folder.Folder());
  EXPECT_EQ(remarks.RemarkCount(), 1);
  EXPECT_EQ(t.Table().RemarkIndex(anna, 1, 1), 0);

  // A last record cut by the end of the file is not used.
  Load({{"Ganz", 1, 20, 500}, {"Halb", 2, 20, 500}});
  test::Bytes bytes = test::ReadFileBytes(folder.File(kRemarksFile));
  bytes.resize(bytes.size() - 1);
  ASSERT_TRUE(test::WriteFileBytes(folder.File(kRemarksFile), bytes));
  LoadRemarks(t.Table(), remarks, folder.Folder());
  EXPECT_EQ(remarks.RemarkCount(), 2);
  EXPECT_EQ(Remark(anna, 0, 0), "Ganz");
  EXPECT_EQ(Remark(anna, 1, 0), "");

  // Only the header; and a text filling its field ends at byte 43.
  Load({});
  EXPECT_EQ(remarks.RemarkCount(), 1);
  test::Bytes full(48, 0);
  test::Bytes rec(48, 'x');
  rec[44] = 7;
  rec[45] = 1;
  test::PutWord(rec, 46, 500);
  full.insert(full.end(), rec.begin(), rec.end());
  ASSERT_TRUE(test::WriteFileBytes(folder.File(kRemarksFile), full));
  LoadRemarks(t.Table(), remarks, folder.Folder());
  EXPECT_EQ(Remark(anna, 6, 1), std::string(43, 'x'));
}

TEST(FindPublisherByIdTest, FindsTheFirstCarrierOfAnIdOfTenOrMore) {
  test::TestTable t;
  const std::uint16_t ids[] = {10, 500, 500, 9, 0};
  for (std::uint16_t id : ids) t.SetPublisherId(t.AddPublisher("A", "B"), id);
  const std::pair<std::uint16_t, int> cases[] = {{10, 1}, {500, 2}, {9, 0}, {0, 0}, {501, 0}};
  for (const auto& [id, index] : cases) EXPECT_EQ(FindPublisherById(t.Table(), id), index) << id;
}

}  // namespace
}  // namespace morvind
