#include <gtest/gtest.h>

#include <string>

#include "data/GroupBlock.h"
#include "data/PublisherTable.h"
#include "data/PublisherTableLoader.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"

namespace morvind {
namespace {

using test::Bytes;
using test::DemoCongregation;
using test::DemoPublisher;

DemoPublisher Publisher(std::string first, std::string last, std::uint16_t id) {
  DemoPublisher p;
  p.firstName = std::move(first);
  p.lastName = std::move(last);
  p.id = id;
  return p;
}

// A table file of `records` whole records (header included), scrambled;
// built record by record, as it may be longer than the table holds.
Bytes TableOf(int records) {
  Bytes bytes;
  EXPECT_TRUE(test::EncodeHeaderRecord("", true, CodePage::kWindows1252, bytes));
  Bytes rec;
  for (int i = 1; i < records; ++i) {
    EXPECT_TRUE(test::EncodePublisherRecord(
        Publisher("P" + std::to_string(i), "Name", static_cast<std::uint16_t>(i)), true,
        CodePage::kWindows1252, rec));
    test::AppendBytes(bytes, rec);
  }
  return bytes;
}

class PublisherTableLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table.Allocate()); }
  void Write(std::string_view name, const Bytes& bytes) {
    ASSERT_TRUE(test::WriteFileBytes(folder.File(name), bytes));
  }
  void Load() { LoadPublisherTable(table, groups, folder.Folder()); }

  test::TempFolder folder{"loader"};
  PublisherTable table;
  GroupBlock groups;
};

TEST_F(PublisherTableLoaderTest, CountsWholeRecordsUpToTheCapacity) {
  struct Case {
    int records;
    std::size_t extraBytes;
    int count;
  };
  const Case cases[] = {{1, 0, 1},     {3, 0, 3},       {3, 100, 3},   {3, 815, 3},   {2, 1, 2},
                        {910, 0, 910}, {910, 500, 910}, {911, 0, 910}, {1000, 0, 910}};
  for (const Case& c : cases) {
    Bytes bytes = TableOf(c.records);
    bytes.insert(bytes.end(), c.extraBytes, 0x55);
    Write(kPublisherTableFile, bytes);
    Load();
    EXPECT_EQ(table.Count(), c.count) << c.records << " records + " << c.extraBytes;
    const int last = c.count - 1;
    if (last > 0) {
      EXPECT_EQ(table.PublisherId(last), last);
      EXPECT_EQ(table.Text(last, record::kFirstName), "P" + std::to_string(last));
    }
  }
}

TEST_F(PublisherTableLoaderTest, MissingOrEmptyFileGivesAFreshHeaderWithoutGroups) {
  DemoCongregation groupsOnly;
  groupsOnly.groupCount = 3;
  Bytes groupFile;
  ASSERT_TRUE(test::EncodeGroupFile(groupsOnly, groupFile));
  Write(kGroupFile, groupFile);

  for (bool fileExists : {false, true}) {
    if (fileExists) Write(kPublisherTableFile, Bytes());
    Load();
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.RawText(0, record::kFirstName), " ");  // no password
    EXPECT_EQ(table.Record(0)[record::kLastName.offset], 'A');
    EXPECT_EQ(groups.GroupCount(), 0);  // the group file is ignored without a table
  }
}

TEST_F(PublisherTableLoaderTest, UnscramblesEveryTextAndKeeps204InNamesAndEarlyAddress) {
  const std::string i204 = "\xC3\x8C";  // Ì, byte 204 in windows-1252
  DemoCongregation data;
  data.password = "Geheim";
  DemoPublisher p = Publisher(i204 + "rma" + i204, "K" + i204 + "hler", 300);
  p.address =
      "Stra\xC3\x9F"
      "e " +
      i204 + " 5, " + std::string(25, 'x') + i204 + " Bremen";
  p.homePhone = "0421 123456";
  p.mobilePhone = "0171 2345678";
  p.spareText = "frei";
  p.immersedDate = "06221990";
  p.birthDate = "12251970";
  p.hope = 'A';
  p.group = -3;
  p.extendedIndex = 7;
  p.roleFlags = record::kRoleElder | record::kMale;
  data.publishers.push_back(p);
  for (bool scrambled : {true, false}) {
    data.scrambled = scrambled;
    std::string error;
    ASSERT_TRUE(test::WritePublisherTableFile(folder.Path(), data, &error)) << error;
    Load();
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Text(0, record::kFirstName), "Geheim");
    EXPECT_EQ(table.Text(1, record::kFirstName), p.firstName);
    EXPECT_EQ(table.Text(1, record::kLastName), p.lastName);
    EXPECT_EQ(table.Text(1, record::kAddress), p.address);
    EXPECT_EQ(table.Text(1, record::kHomePhone), p.homePhone);
    EXPECT_EQ(table.Text(1, record::kMobilePhone), p.mobilePhone);
    EXPECT_EQ(table.Text(1, record::kSpareText), p.spareText);
    EXPECT_EQ(table.Text(1, record::kImmersedDate), p.immersedDate);
    EXPECT_EQ(table.Text(1, record::kBirthDate), p.birthDate);
    EXPECT_EQ(table.Hope(1), 'A');
    EXPECT_EQ(table.Group(1), -3);
    EXPECT_EQ(table.PublisherId(1), 300);
    EXPECT_EQ(table.ExtendedIndex(1), 7);
    EXPECT_EQ(table.RoleFlags(1), record::kRoleElder | record::kMale);
  }
}

TEST_F(PublisherTableLoaderTest, PlainMarkerLeavesTextsAsStoredAndScrambledForcesTheZeros) {
  Bytes header(test::kPublisherRecordSize, 0);
  Bytes publisher(test::kPublisherRecordSize, 0);
  // Every text field filled to its last byte, so only the forced zeros end them.
  for (std::size_t i = 2; i < 170; ++i) publisher[i] = 'q';
  for (bool plain : {true, false}) {
    header[record::kLastName.offset] = plain ? 'A' : 'B';
    Bytes file = header;
    test::AppendBytes(file, publisher);
    Write(kPublisherTableFile, file);
    Load();
    ASSERT_EQ(table.Count(), 2);
    if (plain) {
      EXPECT_EQ(table.RawText(1, record::kFirstName), std::string(21, 'q'));
      EXPECT_EQ(table.RawText(0, record::kLastName), "A");
      continue;
    }
    // Each limited text ends one byte short of its field; the shifted bytes
    // come out as 'q' - (i + K).
    struct Expect {
      RecordText field;
      std::size_t length;
    };
    const Expect expects[] = {{record::kFirstName, 20},   {record::kLastName, 20},
                              {record::kAddress, 62},     {record::kHomePhone, 14},
                              {record::kMobilePhone, 15}, {record::kSpareText, 15},
                              {record::kImmersedDate, 8}, {record::kBirthDate, 8}};
    for (const Expect& e : expects) {
      std::string_view text = table.RawText(1, e.field);
      ASSERT_EQ(text.size(), e.length) << e.field.offset;
      for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(static_cast<std::uint8_t>(text[i]),
                  static_cast<std::uint8_t>('q' - i - kShiftBase));
    }
  }
}

TEST_F(PublisherTableLoaderTest, RemarkLinksOfTheFileAreDiscarded) {
  Bytes file = TableOf(2);
  for (std::size_t i = 0; i < 72; ++i)
    file[test::kPublisherRecordSize + record::kRemarkIndex + i] = 0x11;
  Write(kPublisherTableFile, file);
  Load();
  for (int month = 0; month < 12; ++month)
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(table.RemarkIndex(1, month, slot), 0);
}

TEST_F(PublisherTableLoaderTest, GroupTextsAreUnscrambledForAtMostTwentyCountedGroups) {
  Write(kPublisherTableFile, TableOf(2));
  DemoCongregation data;
  for (int g = 0; g < 20; ++g) data.groups.push_back({"A" + std::to_string(g), "B", "C", "D", "E"});
  struct Case {
    int groupCount;
    int unscrambled;
  };
  const Case cases[] = {{3, 3}, {20, 20}, {25, 20}, {127, 20}, {0, 0}, {-1, 0}, {-128, 0}};
  for (const Case& c : cases) {
    data.groupCount = c.groupCount;
    ASSERT_TRUE(test::WriteGroupFile(folder.Path(), data));
    Load();
    EXPECT_EQ(groups.GroupCount(), c.groupCount);
    for (int g = 0; g < 20; ++g) {
      const char* text = reinterpret_cast<const char*>(groups.bytes.data() + 1 + 24 * g);
      const char* e = reinterpret_cast<const char*>(groups.bytes.data() + 1681 + 9 * g);
      EXPECT_EQ(std::string(text) == "A" + std::to_string(g), g < c.unscrambled)
          << c.groupCount << " group " << g;
      EXPECT_EQ(std::string(e) == "E", g < c.unscrambled);
    }
  }
}

TEST_F(PublisherTableLoaderTest, ShortGroupFileLeavesZerosBehindItsEnd) {
  Write(kPublisherTableFile, TableOf(2));
  Write(kGroupFile, Bytes(test::kGroupFileSize, 0x77));
  Load();  // fills the block with garbage first
  DemoCongregation data;
  data.groupCount = 2;
  data.groups = {{"Nord", "", "", "", ""},
                 {"S\xC3\xBC"
                  "d",
                  "", "", "", ""}};
  Bytes file;
  ASSERT_TRUE(test::EncodeGroupFile(data, file));
  file.resize(40);  // cuts the second entry in half
  Write(kGroupFile, file);
  Load();
  EXPECT_EQ(groups.GroupCount(), 2);
  EXPECT_STREQ(reinterpret_cast<const char*>(groups.bytes.data() + 1), "Nord");
  for (std::size_t i = 40; i < GroupBlock::kSize; ++i) ASSERT_EQ(groups.bytes[i], 0) << i;
}

TEST_F(PublisherTableLoaderTest, RandomBytesLoadWithoutHarm) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const std::size_t size = 97 * seed * seed + seed;
    Write(kPublisherTableFile, test::RandomBytes(size, seed));
    Write(kGroupFile, test::RandomBytes(seed * 100, seed + 99));
    Load();
    const int whole = static_cast<int>(size / record::kSize);
    EXPECT_EQ(table.Count(), whole == 0 ? 1 : whole) << seed;
    for (int i = 0; i < table.Count(); ++i)
      EXPECT_LE(table.RawText(i, record::kAddress).size(), record::kAddress.size);
  }
}

TEST(PublisherTableLoaderAllocationTest, AFailedAllocationLeavesAnEmptyTable) {
  PublisherTable table;
  EXPECT_FALSE(table.Allocate([](std::size_t) -> std::uint8_t* { return nullptr; }));
  EXPECT_FALSE(table.IsAllocated());
  table.SetCount(5);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_FALSE(table.IsValidIndex(0));

  test::TempFolder folder("loader-alloc");
  ASSERT_TRUE(test::WriteFileBytes(folder.File(kPublisherTableFile), TableOf(3)));
  GroupBlock groups;
  LoadPublisherTable(table, groups, folder.Folder());
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(groups.GroupCount(), 0);
}

}  // namespace
}  // namespace morvind
