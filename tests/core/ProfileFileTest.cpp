#include <gtest/gtest.h>

#include "app/ProfileFile.h"
#include "core/ScratchFolder.h"

namespace morvind {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

const char kMessyFile[] =
    "stray line before any section\r\n"
    "[format]\r\n"
    "; a comment = 4\r\n"
    "  ALT DATE FORMAT = 3 \r\n"
    "Last Name First=abc\r\n"
    "Card Version=-1\r\n"
    "Big=99999999999\r\n"
    "Wrapped=257\r\n"
    "Empty=\r\n"
    "no equals sign here\r\n"
    "=no key\r\n"
    "\r\n"
    " [ Margins ] \r\n"
    "Top=  1.25  \r\n"
    "Quoted=\"0.50\"\r\n"
    "\r\n"
    "[FORMAT]\r\n"
    "Alt Date Format=9\r\n";

TEST(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  ScratchFolder scratch("profile-missing");
  ProfileFile missing(scratch / "none.INI");
  EXPECT_EQ(missing.GetProfileInt("Format", "Card Version", 7), 7);
  EXPECT_EQ(missing.GetProfileString("Margins", "Top", "0.00"), "0.00");
  EXPECT_FALSE(std::filesystem::exists(scratch / "none.INI"));

  WriteBytes(scratch / "s.INI", kMessyFile);
  ProfileFile file(scratch / "s.INI");
  EXPECT_EQ(file.GetProfileInt("Nowhere", "Top", 5), 5);
  EXPECT_EQ(file.GetProfileInt("Format", "Nothing", -2), -2);
  // Lines outside a section, comments and lines without a key are no keys.
  EXPECT_EQ(file.GetProfileString("Format", "stray line before any section", "d"), "d");
  EXPECT_EQ(file.GetProfileString("Format", "; a comment", "d"), "d");
  EXPECT_EQ(file.GetProfileString("Format", "no equals sign here", "d"), "d");
  EXPECT_EQ(file.GetProfileString("Format", "", "d"), "d");
}

TEST(ProfileFileTest, ReadsKeysRegardlessOfCaseAndTrimsValues) {
  ScratchFolder scratch("profile-read");
  WriteBytes(scratch / "s.INI", kMessyFile);
  ProfileFile file(scratch / "s.INI");
  const struct {
    const char* section;
    const char* key;
    int expected;
  } ints[] = {
      {"Format", "Alt Date Format", 3},  // the first of two sections counts
      {"FORMAT", "alt date format", 3},
      {"Format", "Last Name First", 0},
      {"Format", "Card Version", -1},
      {"Format", "Wrapped", 257},
      {"Format", "Big", static_cast<int>(99999999999LL & 0xFFFFFFFF)},
      {"Format", "Empty", 0},
      {"margins", "TOP", 1},
  };
  for (const auto& c : ints) {
    EXPECT_EQ(file.GetProfileInt(c.section, c.key, 42), c.expected) << c.section << "/" << c.key;
  }
  EXPECT_EQ(file.GetProfileString("Margins", "Top", ""), "1.25");
  EXPECT_EQ(file.GetProfileString("Margins", "Quoted", ""), "0.50");
  EXPECT_EQ(file.GetProfileString("Format", "Empty", "d"), "");
  EXPECT_EQ(file.GetProfileString("Format", "Last Name First", ""), "abc");
}

TEST(ProfileFileTest, WritesChangeOnlyTheirOwnLine) {
  ScratchFolder scratch("profile-write");
  WriteBytes(scratch / "s.INI", kMessyFile);
  ProfileFile file(scratch / "s.INI");

  ASSERT_TRUE(file.WriteProfileInt("Format", "alt date format", 2).Ok());
  ASSERT_TRUE(file.WriteProfileString("Margins", "Left", "0.20").Ok());
  ASSERT_TRUE(file.WriteProfileInt("Data Location", "Drive", 0).Ok());
  std::string expected = kMessyFile;
  expected.replace(expected.find("  ALT DATE FORMAT = 3 "), 22, "ALT DATE FORMAT=2");
  expected.replace(expected.find("Quoted=\"0.50\"\r\n") + 15, 0, "Left=0.20\r\n");
  expected += "[Data Location]\r\nDrive=0\r\n";
  EXPECT_EQ(ReadBytes(scratch / "s.INI"), expected);
  EXPECT_EQ(file.GetProfileInt("Format", "Alt Date Format", -1), 2);
  EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"s.INI"});
}

TEST(ProfileFileTest, WriteCreatesTheFileItsFoldersAndMissingLineEnds) {
  ScratchFolder scratch("profile-create");
  ProfileFile file(scratch / "a" / "b" / "morvind.INI");
  ASSERT_TRUE(file.WriteProfileInt("Format", "Card Version", 1).Ok());
  ASSERT_TRUE(file.WriteProfileString("Format", "Top", "line\nbreak").Ok());
  EXPECT_EQ(ReadBytes(file.Path()), "[Format]\nCard Version=1\nTop=line\n");

  WriteBytes(scratch / "last.INI", "[A]\nx=1");
  ProfileFile last(scratch / "last.INI");
  ASSERT_TRUE(last.WriteProfileInt("A", "y", 2).Ok());
  ASSERT_TRUE(last.WriteProfileInt("B", "z", -3).Ok());
  EXPECT_EQ(ReadBytes(scratch / "last.INI"), "[A]\nx=1\ny=2\n[B]\nz=-3\n");
}

TEST(ProfileFileTest, WriteFailsWithoutHarmWhereNoFileCanBe) {
  ScratchFolder scratch("profile-fail");
  // The settings path is a folder: nothing is read and nothing replaces it.
  std::filesystem::create_directory(scratch / "dir.INI");
  ProfileFile folder(scratch / "dir.INI");
  EXPECT_EQ(folder.GetProfileInt("Format", "Card Version", 4), 4);
  EXPECT_FALSE(folder.WriteProfileInt("Format", "Card Version", 1).Ok());
  EXPECT_TRUE(std::filesystem::is_directory(scratch / "dir.INI"));

  // A file stands where a folder of the path would have to be.
  WriteBytes(scratch / "plain", "keep");
  ProfileFile below(scratch / "plain" / "morvind.INI");
  EXPECT_FALSE(below.WriteProfileInt("Format", "Card Version", 1).Ok());
  EXPECT_EQ(ReadBytes(scratch / "plain"), "keep");

  EXPECT_FALSE(ProfileFile().WriteProfileInt("Format", "Card Version", 1).Ok());
  EXPECT_EQ(scratch.Entries(), (std::vector<std::string>{"dir.INI", "plain"}));
}

TEST(ProfileFileTest, WritesFollowThePermissionsOfTheFileAndItsFolder) {
  // In a folder the user may only read, a settings file the user may write
  // is written in place, every other line kept; a write-protected one is
  // left alone in any folder.
  const std::string before = "; mine\n[Format]\nCard Version=2\n[Margins]\nTop=0.10\n";
  const struct {
    mode_t folderMode, fileMode;
    bool written;
  } cases[] = {{0555, 0644, true}, {0755, 0444, false}, {0555, 0444, false}};
  for (const auto& c : cases) {
    ScratchFolder scratch("profile-permissions");
    WriteBytes(scratch / "morvind.INI", before);
    ::chmod((scratch / "morvind.INI").c_str(), c.fileMode);
    ::chmod(scratch.Path().c_str(), c.folderMode);
    ProfileFile file(scratch / "morvind.INI");
    EXPECT_EQ(test::AsOrdinaryUser(
                  scratch, [&] { return file.WriteProfileInt("Format", "Card Version", 1).Ok(); }),
              c.written)
        << c.folderMode << " " << c.fileMode;
    ::chmod(scratch.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(scratch / "morvind.INI"),
              c.written ? "; mine\n[Format]\nCard Version=1\n[Margins]\nTop=0.10\n" : before);
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"morvind.INI"});
  }
}

}  // namespace
}  // namespace morvind
