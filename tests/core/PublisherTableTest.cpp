#include <gtest/gtest.h>

#include "data/PublisherTable.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

TEST(PublisherTableTest, FiguresSitAtTheirMonthAndSlotAndStudiesShareTheirWordWithQuarters) {
  test::TestTable t;
  int p = t.AddPublisher("Anna", "Meier");
  const std::size_t blocks[5] = {record::kPlacements, record::kVideoShowings, record::kHours,
                                 record::kReturnVisits, record::kStudies};
  // Distinct words in every block, month and slot, written at the documented offsets.
  for (int column = 0; column < 5; ++column)
    for (int month = 0; month < 12; ++month)
      for (int slot = 0; slot < 3; ++slot)
        t.SetWord(p, blocks[column] + 6 * month + 2 * slot,
                  static_cast<std::uint16_t>(1000 * column + 10 * month + slot));
  for (int column = 0; column < 4; ++column)
    for (int month = 0; month < 12; ++month)
      for (int slot = 0; slot < 2; ++slot)
        ASSERT_EQ(t.Table().ReportFigure(p, month, column, slot),
                  1000 * column + 10 * month + slot);

  struct Case {
    std::uint16_t studiesWord;
    int studies;
    int quarters;
  };
  const Case cases[] = {
      {0x2003, 3, 2}, {0x0000, 0, 0}, {0x3FFF, 0x0FFF, 3}, {0x1000, 0, 1}, {0xF001, 1, 15}};
  for (const Case& c : cases) {
    t.SetWord(p, record::kStudies + 6 * 4 + 2 * 1, c.studiesWord);
    EXPECT_EQ(t.Table().ReportFigure(p, 4, kBibleStudies, 1), c.studies) << c.studiesWord;
    EXPECT_EQ(t.Table().HourQuarters(p, 4, 1), c.quarters) << c.studiesWord;
  }
  // The quarters never leak into the hours of the month.
  EXPECT_EQ(t.Table().ReportFigure(p, 4, kHours, 1), 2000 + 40 + 1);
}

TEST(PublisherTableTest, MonthStatusReadsTheLowTwoBits) {
  test::TestTable t;
  int p = t.AddPublisher("Anna", "Meier");
  const std::uint8_t bytes[] = {0, 1, 2, 3, 4, 6, 0xFF};
  const int expected[] = {0, 1, 2, 3, 0, 2, 3};
  for (std::size_t i = 0; i < std::size(bytes); ++i) {
    t.SetByte(p, record::kMonthStatus + 3 * 11 + 1, bytes[i]);
    EXPECT_EQ(t.Table().MonthStatus(p, 11, 1), expected[i]);
    EXPECT_EQ(t.Table().MonthStatus(p, 11, 0), 0);
  }
}

TEST(PublisherTableTest, AllocationThroughTheSeam) {
  PublisherTable failing;
  EXPECT_FALSE(failing.Allocate([](std::size_t) -> std::uint8_t* { return nullptr; }));
  failing.SetCount(3);
  EXPECT_EQ(failing.Count(), 0);

  static std::size_t asked = 0;
  PublisherTable table;
  ASSERT_TRUE(table.Allocate([](std::size_t size) {
    asked = size;
    return AllocateZeroedBlock(size);
  }));
  EXPECT_EQ(asked, 910u * 816u);
  EXPECT_EQ(table.Record(909)[815], 0);  // zero-filled to its last byte
  table.SetCount(2);
  table.Release();
  EXPECT_EQ(table.Count(), 0);
}

}  // namespace
}  // namespace morvind
