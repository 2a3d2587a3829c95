#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "data/ExtendedInfo.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"
#include "support/TestTable.h"

namespace morvind {
namespace {

using test::ExtendedEntry;

// Records 1 .. n-1 belong to ids 100 + n and carry "Name n".
std::vector<ExtendedEntry> Records(int n) {
  std::vector<ExtendedEntry> entries(static_cast<std::size_t>(n));
  for (int i = 1; i < n; ++i)
    entries[static_cast<std::size_t>(i)] = {static_cast<std::uint16_t>(100 + i),
                                            "Name " + std::to_string(i), "", ""};
  return entries;
}

class ExtendedInfoTest : public ::testing::Test {
 protected:
  void WriteRecords(const std::vector<ExtendedEntry>& entries,
                    CodePage codePage = CodePage::kWindows1252) {
    std::string error;
    ASSERT_TRUE(test::WriteExtendedRecords(folder.Path(), entries, codePage, &error)) << error;
  }
  // A publisher pointing at record `index` with id `id`.
  int Publisher(std::uint16_t id, std::uint16_t index) {
    int p = t.AddPublisher("Anna", "Meier");
    t.SetPublisherId(p, id);
    t.SetWord(p, record::kExtendedIndex, index);
    return p;
  }
  int Read(int p, int count) {
    return ReadExtendedInfo(t.Table(), p, count, info, folder.Folder());
  }

  test::TempFolder folder{"extended"};
  test::TestTable t;
  ExtendedInfo info;
};

TEST_F(ExtendedInfoTest, CountsWholeRecordsUpTo601) {
  EXPECT_EQ(CountExtendedRecords(folder.Folder()), 0);  // no file
  struct Case {
    int records;
    std::size_t extraBytes;
    int count;
  };
  const Case cases[] = {{0, 0, 0}, {1, 0, 1}, {5, 0, 5}, {5, 100, 5}, {601, 0, 601}, {700, 0, 601}};
  for (const Case& c : cases) {
    WriteRecords(Records(c.records));
    if (c.extraBytes) {
      test::Bytes bytes = test::ReadFileBytes(folder.File(kExtendedInfoFile));
      bytes.insert(bytes.end(), c.extraBytes, 0x41);
      ASSERT_TRUE(test::WriteFileBytes(folder.File(kExtendedInfoFile), bytes));
    }
    EXPECT_EQ(CountExtendedRecords(folder.Folder()), c.count) << c.records;
  }
}

TEST_F(ExtendedInfoTest, LooksUpRecordsBelowTheCountThatBelongToThePublisher) {
  WriteRecords(Records(6));  // records 0..5
  // Record 5 is in the file, but a count of 5 makes only 1..4 addressable.
  const int count = 5;
  struct Case {
    std::uint16_t id;
    std::uint16_t index;
    int result;
    std::uint16_t indexAfter;
  };
  const Case cases[] = {
      {101, 1, kLongNameHasLetter, 1},
      {104, 4, kLongNameHasLetter, 4},
      {105, 5, 0, 0},  // at the count
      {109, 9, 0, 0},  // beyond the count
      {999, 3, 0, 0},  // record 3 belongs to another publisher
      {100, 0, 0, 0},  // no record
  };
  for (const Case& c : cases) {
    int p = Publisher(c.id, c.index);
    info.bytes.fill(0x5A);  // a leftover of an earlier lookup
    EXPECT_EQ(Read(p, count), c.result) << c.index;
    EXPECT_EQ(t.Table().ExtendedIndex(p), c.indexAfter) << c.index;
    if (c.result) {
      EXPECT_EQ(info.OwnerId(), c.id);
      EXPECT_EQ(info.LongName(CodePage::kWindows1252), "Name " + std::to_string(c.index));
    } else {
      EXPECT_TRUE(std::all_of(info.bytes.begin(), info.bytes.end(), [](auto b) { return b == 0; }));
    }
  }
}

TEST_F(ExtendedInfoTest, ARecordCutByTheEndOfTheFileIsNotAccepted) {
  WriteRecords(Records(5));
  const int count = CountExtendedRecords(folder.Folder());
  ASSERT_EQ(count, 5);
  std::filesystem::resize_file(folder.File(kExtendedInfoFile), 4 * 192 + 100);  // changed since
  int p = Publisher(104, 4);
  EXPECT_EQ(Read(p, count), 0);
  EXPECT_EQ(t.Table().ExtendedIndex(p), 0);
  int q = Publisher(103, 3);
  EXPECT_EQ(Read(q, count), kLongNameHasLetter);
  std::filesystem::remove(folder.File(kExtendedInfoFile));
  int r = Publisher(102, 2);
  EXPECT_EQ(Read(r, count), 0);
}

TEST_F(ExtendedInfoTest, ResultBitsTellWhichTextsHoldALetter) {
  struct Case {
    const char* longName;
    const char* text2;
    int bits;
  };
  // Texts in UTF-8, written in the code page of the case; the letters are
  // those of that code page, A-Z and a-z in every one.
  struct CodePageCase : Case {
    CodePage codePage;
  };
  const CodePageCase cases[] = {
      {{"Anna Meier", "", 1}, CodePage::kWindows1252},
      {{"", "x", 2}, CodePage::kWindows1252},
      {{"12345", "", 0}, CodePage::kWindows1252},
      {{"1 z", "Notiz", 3}, CodePage::kWindows1252},
      {{"\xC3\x84\xC3\xB6", "42", 1}, CodePage::kWindows1252},                // Ä, ö
      {{"\xC2\xA7 1/2 \xC2\xB0", "\xC3\x97", 0}, CodePage::kWindows1252},     // §, °, ×: signs
      {{"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "", 1}, CodePage::kWindows1251},  // Иван
      {{"12", "\xD0\xB4", 2}, CodePage::kWindows1251},
      {{"\xCE\x9D\xCE\xAF\xCE\xBA\xCE\xBF\xCF\x82", "", 1}, CodePage::kWindows1253},  // Νίκος
      {{"\xCE\x84 \xC2\xB7", "", 0}, CodePage::kWindows1253},  // tonos, middle dot
      {{"", "", 0}, CodePage::kWindows1252}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const CodePageCase& c = cases[i];
    std::vector<ExtendedEntry> entries(2);
    entries[1] = {static_cast<std::uint16_t>(200 + i), c.longName, c.text2, "text three"};
    WriteRecords(entries, c.codePage);
    t.Table().SetCodePage(c.codePage);
    int p = Publisher(static_cast<std::uint16_t>(200 + i), 1);
    EXPECT_EQ(Read(p, CountExtendedRecords(folder.Folder())), c.bits) << i;
    EXPECT_EQ(info.LongName(c.codePage), c.longName) << i;
    EXPECT_STREQ(reinterpret_cast<const char*>(info.bytes.data() + extended::kText3), "text three");
  }
}

TEST_F(ExtendedInfoTest, TextsFillingTheirFieldsEndAtTheForcedZero) {
  test::Bytes rec(192, 0);
  test::PutWord(rec, 0, 300);
  for (std::size_t i = 2; i < 190; ++i) rec[i] = 'z';
  test::Bytes file(2 * 192, 0);
  std::copy(rec.begin(), rec.end(), file.begin() + 192);
  ASSERT_TRUE(test::WriteFileBytes(folder.File(kExtendedInfoFile), file));
  int p = Publisher(300, 1);
  EXPECT_EQ(Read(p, 2), kLongNameHasLetter | kText2HasLetter);
  EXPECT_EQ(info.OwnerId(), 300);
  EXPECT_EQ(info.RawLongName().size(), 64u);
  EXPECT_EQ(info.bytes[66], 0);
  EXPECT_EQ(info.bytes[117], 0);
  EXPECT_EQ(info.bytes[189], 0);
}

}  // namespace
}  // namespace morvind
