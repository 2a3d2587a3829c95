#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "core/ScratchFolder.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "resources/StringTable.h"

namespace morvind {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

std::string PatternBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('A' + i % 26);
  return bytes;
}

std::string RecordBytes(const LayoutRecord& record) {
  return std::string(reinterpret_cast<const char*>(record.Bytes().data()), LayoutRecord::kSize);
}

TEST(CardVersionTest, NamesVersionsAndTheirFiles) {
  StringTable strings = StringTable::German();
  EXPECT_EQ(CardVersionCount(strings), 3);
  EXPECT_EQ(CardVersionName(strings, 0), "S-21-X  10/15");
  EXPECT_EQ(CardVersionName(strings, 2), "S-21-X  Ostrel 9");
  EXPECT_EQ(LayoutFileName(0), "cplot.dat");
  EXPECT_EQ(LayoutFileName(1), "cplot1.dat");
  EXPECT_EQ(LayoutFileName(2), "cplot2.dat");
  EXPECT_EQ(LayoutFileName(12), "cplot12.dat");
  const int valid[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {255, 0}};
  for (const auto& v : valid) EXPECT_EQ(ValidCardVersion(strings, v[0]), v[1]) << v[0];
}

TEST(LayoutFileTest, LoadsOnlyAWholeRecord) {
  ScratchFolder scratch("layout-load");
  DataFolder folder(scratch.Path());
  const struct {
    std::size_t size;
    bool loads;
  } cases[] = {{0, false}, {1, false}, {399, false}, {400, true}, {401, true}, {4096, true}};
  for (const auto& c : cases) {
    std::string bytes = PatternBytes(c.size);
    WriteBytes(scratch / "cplot1.dat", bytes);
    LayoutRecord record;
    std::memset(record.Bytes().data(), 0x55, LayoutRecord::kSize);
    EXPECT_EQ(LoadLayoutFile(record, 1, folder), c.loads) << c.size;
    if (c.loads) {
      EXPECT_EQ(RecordBytes(record), bytes.substr(0, 400)) << c.size;
    } else {
      EXPECT_EQ(RecordBytes(record), std::string(400, '\0')) << c.size;
    }
  }

  LayoutRecord record;
  EXPECT_FALSE(LoadLayoutFile(record, 2, folder));  // no file
  std::filesystem::create_directory(scratch / "cplot.dat");
  EXPECT_FALSE(LoadLayoutFile(record, 0, folder));  // a folder of that name
}

TEST(LayoutFileTest, ShortOrMissingFileGivesTheDefaultsOfItsVersion) {
  ScratchFolder scratch("layout-defaults");
  DataFolder folder(scratch.Path());
  StringTable strings = StringTable::German();
  WriteBytes(scratch / "cplot1.dat", PatternBytes(399));

  LayoutRecord loaded, defaults;
  LoadLayoutOrDefaults(loaded, 1, folder, strings);
  FillDefaultLayout(defaults, 1, strings);
  EXPECT_EQ(loaded, defaults);
  EXPECT_EQ(loaded.Text(kBodyTop), "2.32");

  WriteBytes(scratch / "cplot1.dat", PatternBytes(401));
  LoadLayoutOrDefaults(loaded, 1, folder, strings);
  EXPECT_EQ(RecordBytes(loaded), PatternBytes(400));
}

TEST(LayoutFileTest, DefaultsOfEveryVersionSurviveARoundTrip) {
  const struct {
    CardVersion version;
    const char* nameX;
    const char* femaleY;
    const char* bodyTop;
    const char* bodyHeight;
    const char* remarksColumn;
  } cases[] = {
      {0, "0.50", "0.17", "1.32", "1.99", "3.75"}, {1, "0.30", "0.10", "2.32", "3.13", "5.45"},
      {2, "0.50", "0.10", "2.25", "2.72", "5.45"}, {3, "0.30", "0.10", "1.32", "1.99", "3.38"},
      {4, "0.30", "0.10", "1.32", "1.99", "3.38"},
  };
  ScratchFolder scratch("layout-roundtrip");
  DataFolder folder(scratch.Path());
  StringTable strings = StringTable::German();
  for (const auto& c : cases) {
    LayoutRecord record;
    std::memset(record.Bytes().data(), 0x77, LayoutRecord::kSize);
    FillDefaultLayout(record, c.version, strings);
    EXPECT_EQ(record.Text(kNameX), c.nameX);
    EXPECT_EQ(record.Text(kFemaleY), c.femaleY);
    EXPECT_EQ(record.Text(kBodyTop), c.bodyTop);
    EXPECT_EQ(record.Text(kBodyHeight), c.bodyHeight);
    EXPECT_EQ(record.Text(kRemarksColumn), c.remarksColumn);

    ASSERT_TRUE(SaveLayoutFile(record, c.version, folder).Ok());
    std::string file = ReadBytes(scratch / LayoutFileName(c.version));
    ASSERT_EQ(file.size(), 400u);
    EXPECT_EQ(file, RecordBytes(record));
    for (std::size_t i = 192; i < 320; ++i) EXPECT_EQ(file[i], '\0') << c.version << " " << i;
    for (std::size_t i = 392; i < 400; ++i) EXPECT_EQ(file[i], '\0') << c.version << " " << i;
    // Every slot of a default holds its text and zeros after it.
    for (int slot = 0; slot < LayoutRecord::kSlotCount; ++slot) {
      std::string text = record.Text(slot);
      for (std::size_t i = text.size(); i < 8; ++i) EXPECT_EQ(file[8 * slot + i], '\0');
    }

    LayoutRecord loaded;
    ASSERT_TRUE(LoadLayoutFile(loaded, c.version, folder));
    EXPECT_EQ(loaded, record);
  }
  std::string version0 = ReadBytes(scratch / "cplot.dat");
  EXPECT_EQ(version0.substr(320, 5), std::string("1.32\0", 5));
}

TEST(LayoutFileTest, MissingStringsLeaveTheirSlotsEmpty) {
  StringTable empty;
  LayoutRecord record;
  std::memset(record.Bytes().data(), 0x33, LayoutRecord::kSize);
  FillDefaultLayout(record, 0, empty);
  EXPECT_EQ(RecordBytes(record), std::string(400, '\0'));
}

TEST(LayoutFileTest, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  LayoutRecord record;
  FillDefaultLayout(record, 0, StringTable::German());

  // A folder that does not exist: nothing is written, nothing is created.
  ScratchFolder scratch("layout-save");
  EXPECT_FALSE(SaveLayoutFile(record, 0, DataFolder(scratch / "missing")).Ok());
  EXPECT_FALSE(std::filesystem::exists(scratch / "missing"));

  // The layout file's name is taken by a folder.
  std::filesystem::create_directory(scratch / "cplot1.dat");
  WriteBytes(scratch / "cplot1.dat" / "inside", "x");
  EXPECT_FALSE(SaveLayoutFile(record, 1, DataFolder(scratch.Path())).Ok());
  EXPECT_TRUE(std::filesystem::is_directory(scratch / "cplot1.dat"));
  EXPECT_EQ(ReadBytes(scratch / "cplot1.dat" / "inside"), "x");
  EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"cplot1.dat"});

  // A successful save replaces the file whole and leaves only it behind.
  WriteBytes(scratch / "cplot.dat", PatternBytes(450));
  ::chmod((scratch / "cplot.dat").c_str(), 0640);
  ASSERT_TRUE(SaveLayoutFile(record, 0, DataFolder(scratch.Path())).Ok());
  EXPECT_EQ(ReadBytes(scratch / "cplot.dat"), RecordBytes(record));
  struct stat st {};
  ASSERT_EQ(::stat((scratch / "cplot.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(scratch.Entries(), (std::vector<std::string>{"cplot.dat", "cplot1.dat"}));
}

TEST(LayoutFileTest, SavingHonoursTheFileAndFolderPermissionsOfAnOrdinaryUser) {
  LayoutRecord record;
  FillDefaultLayout(record, 2, StringTable::German());
  const std::string old = PatternBytes(450);
  struct Case {
    const char* what;
    mode_t folderMode;
    mode_t fileMode;  // 0: no file
    bool saved;
  };
  const Case cases[] = {
      // A folder the user may only read, with a layout file the user may
      // write: written in place, so the edits of the run are kept.
      {"read-only folder, writable file", 0555, 0644, true},
      // A write-protected file is left as it is, wherever it lies.
      {"writable folder, write-protected file", 0755, 0444, false},
      {"read-only folder, write-protected file", 0555, 0444, false},
      {"read-only folder, no file", 0555, 0, false},
      {"writable folder, writable file", 0755, 0640, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch("layout-permissions");
    const auto file = scratch / "cplot2.dat";
    if (c.fileMode) {
      WriteBytes(file, old);
      ::chmod(file.c_str(), c.fileMode);
    }
    ::chmod(scratch.Path().c_str(), c.folderMode);
    const DataFolder folder(scratch.Path());
    EXPECT_EQ(AsOrdinaryUser(scratch, [&] { return SaveLayoutFile(record, 2, folder).Ok(); }),
              c.saved);
    ::chmod(scratch.Path().c_str(), 0755);
    if (c.fileMode) {
      EXPECT_EQ(ReadBytes(file), c.saved ? RecordBytes(record) : old);
      struct stat st {};
      ASSERT_EQ(::stat(file.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, c.fileMode);
    }
    EXPECT_EQ(scratch.Entries(),
              c.fileMode ? std::vector<std::string>{"cplot2.dat"} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace morvind
