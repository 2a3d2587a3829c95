#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "app/Language.h"
#include "app/Settings.h"
#include "core/ScratchFolder.h"

namespace morvind {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SettingsTest, WithoutAFileEverySettingHasItsDefault) {
  ScratchFolder scratch("settings-defaults");
  ProfileFile file(scratch / "morvind.INI");
  Settings settings;
  settings.dateFormat = 3;
  settings.topMargin = "x";
  ReadFormatAndMargins(file, StringTable::German(), settings);
  EXPECT_EQ(settings.dateFormat, 0);
  EXPECT_EQ(settings.lastNameFirst, 0);
  EXPECT_EQ(settings.cardVersion, 0);
  EXPECT_EQ(settings.topMargin, "0.00");
  EXPECT_EQ(settings.leftMargin, "0.20");
  EXPECT_EQ(settings.form, RecordForm::kCard1015);
  EXPECT_EQ(settings.unit, LengthUnit::kInch);
  EXPECT_EQ(ReadFirstNameSort(file, "portuguese"), 1);
  EXPECT_EQ(ReadFirstNameSort(file, "german"), 0);
  EXPECT_FALSE(std::filesystem::exists(scratch / "morvind.INI"));
}

TEST(SettingsTest, StoredNumbersKeepTheirLowByteAndTheCardVersionItsRange) {
  const struct {
    const char* stored;
    int dateFormat;
    int cardVersion;
  } cases[] = {{"0", 0, 0},   {"1", 1, 1}, {"2", 2, 2},   {"3", 3, 0},   {"-1", 255, 0},
               {"257", 1, 1}, {"7", 7, 0}, {"abc", 0, 0}, {"258", 2, 2}, {"99999999999", 255, 0}};
  ScratchFolder scratch("settings-read");
  StringTable strings = StringTable::German();
  for (const auto& c : cases) {
    WriteBytes(scratch / "s.INI", std::string("[Format]\nAlt Date Format=") + c.stored +
                                      "\nLast Name First=" + c.stored +
                                      "\nCard Version=" + c.stored + "\nForm=" + c.stored +
                                      "\nUnit=" + c.stored + "\n[Margins]\nTop=1.5\nLeft= junk \n");
    ProfileFile file(scratch / "s.INI");
    Settings settings;
    ReadFormatAndMargins(file, strings, settings);
    EXPECT_EQ(settings.dateFormat, c.dateFormat) << c.stored;
    EXPECT_EQ(settings.lastNameFirst, c.dateFormat) << c.stored;
    EXPECT_EQ(settings.cardVersion, c.cardVersion) << c.stored;
    // The form knows 0, 1 and 2, the unit 0 and 1; anything else is the default.
    const bool one = std::string_view(c.stored) == "1";
    const bool two = std::string_view(c.stored) == "2";
    EXPECT_EQ(settings.form, one   ? RecordForm::kSheet1123
                             : two ? RecordForm::kOfficialForm
                                   : RecordForm::kCard1015)
        << c.stored;
    EXPECT_EQ(settings.unit, one ? LengthUnit::kMillimetre : LengthUnit::kInch) << c.stored;
    EXPECT_EQ(settings.topMargin, "1.5");  // margins are taken as stored
    EXPECT_EQ(settings.leftMargin, "junk");
  }
}

TEST(SettingsTest, SavesEveryKeyInTheFixedOrder) {
  ScratchFolder scratch("settings-save");
  Settings settings;
  settings.dateFormat = 1;
  settings.lastNameFirst = 1;
  settings.cardVersion = 2;
  settings.topMargin = "0.10";
  settings.leftMargin = "0.30";
  settings.dataDrive = 3;
  settings.firstNameSort = 1;
  settings.form = RecordForm::kSheet1123;

  ProfileFile portuguese(scratch / "p.INI");
  SaveSettings(portuguese, settings, "portuguese");
  EXPECT_EQ(ReadBytes(scratch / "p.INI"),
            "[Format]\nAlt Date Format=1\nLast Name First=1\nCard Version=2\nForm=1\nUnit=0\n"
            "[Margins]\nTop=0.10\nLeft=0.30\n[Data Location]\nDrive=0\n[FN Sort]\nEnabled=1\n");

  ProfileFile german(scratch / "g.INI");
  SaveSettings(german, settings, "german");
  EXPECT_EQ(ReadBytes(scratch / "g.INI"),
            "[Format]\nAlt Date Format=1\nLast Name First=1\nCard Version=2\nForm=1\nUnit=0\n"
            "[Margins]\nTop=0.10\nLeft=0.30\n[Data Location]\nDrive=0\n");

  // The form file follows "Form" once one was chosen, quoted, and reads
  // back with the blanks at its ends.
  settings.form = RecordForm::kOfficialForm;
  settings.formFile = " /home/anna/S-21 Formular.pdf";
  ProfileFile official(scratch / "o.INI");
  SaveSettings(official, settings, "german");
  EXPECT_NE(ReadBytes(scratch / "o.INI").find("Form=2\nForm File=\" /home/anna/S-21 Formular.pdf"),
            std::string::npos);
  Settings read;
  ReadFormatAndMargins(official, StringTable::German(), read);
  EXPECT_EQ(read.formFile, settings.formFile);
}

TEST(SettingsTest, SavingOverAnOldFileResetsTheDriveAndLeavesFirstNameSortToPortuguese) {
  ScratchFolder scratch("settings-old");
  const std::string old = "[Data Location]\nDrive=5\n[FN Sort]\nEnabled=0\n[Other]\nKept=yes\n";
  WriteBytes(scratch / "s.INI", old);
  ProfileFile file(scratch / "s.INI");
  EXPECT_EQ(ReadFirstNameSort(file, "german"), 0);
  EXPECT_EQ(ReadFirstNameSort(file, "portuguese"), 0);

  Settings settings;
  settings.firstNameSort = 1;
  SaveSettings(file, settings, "german");
  EXPECT_EQ(file.GetProfileInt("Data Location", "Drive", -1), 0);
  EXPECT_EQ(file.GetProfileInt("FN Sort", "Enabled", -1), 0);  // German never writes it
  EXPECT_EQ(file.GetProfileString("Other", "Kept", ""), "yes");

  SaveSettings(file, settings, "portuguese");
  EXPECT_EQ(file.GetProfileInt("FN Sort", "Enabled", -1), 1);
  EXPECT_EQ(ReadFirstNameSort(file, "portuguese"), 1);
}

TEST(SettingsTest, SettingsFileSitsBesideTheProgram) {
  const struct {
    const char* program;
    const char* settings;
  } cases[] = {
      {"/x/morvind", "/x/morvind.INI"},
      {"/x/morvind.exe", "/x/morvind.INI"},
      {"/x/my.app/morvind", "/x/my.app/morvind.INI"},
      {"/x/morvind.x86_64", "/x/morvind.x86_64.INI"},
      {"/x/morvind.5a", "/x/morvind.5a.INI"},
      {"morvind", "morvind.INI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsFileBeside(c.program), std::filesystem::path(c.settings)) << c.program;
  }
}

TEST(SettingsTest, AnUnwritableProgramFolderSendsTheSettingsToTheUserFolder) {
  ScratchFolder scratch("settings-user");
  {
    ScopedEnv config("XDG_CONFIG_HOME", (scratch / "config").c_str());
    EXPECT_EQ(UserSettingsFile(), scratch / "config" / "morvind" / "morvind.INI");
    EXPECT_EQ(SettingsFileFor(scratch / "morvind"), scratch / "morvind.INI");
    EXPECT_EQ(SettingsFileFor(scratch / "absent" / "morvind"), UserSettingsFile());

    // Writing the user's settings makes their folder.
    ProfileFile file(UserSettingsFile());
    SaveSettings(file, Settings{}, "german");
    EXPECT_TRUE(std::filesystem::exists(scratch / "config" / "morvind" / "morvind.INI"));
  }
  // A program folder the user can't write still keeps a settings file the
  // user may write: it is written in place.
  {
    ScratchFolder program("settings-program");
    ScopedEnv config("XDG_CONFIG_HOME", (scratch / "config").c_str());
    test::WriteBytes(program / "morvind.INI", "");
    ::chmod(program.Path().c_str(), 0555);
    EXPECT_TRUE(test::AsOrdinaryUser(
        program, [&] { return SettingsFileFor(program / "morvind") == program / "morvind.INI"; }));
    ::chmod((program / "morvind.INI").c_str(), 0444);
    EXPECT_TRUE(test::AsOrdinaryUser(
        program, [&] { return SettingsFileFor(program / "morvind") == UserSettingsFile(); }));
    ::chmod(program.Path().c_str(), 0755);
  }
  ScopedEnv home("HOME", scratch.Path().c_str());
  for (const char* config : {static_cast<const char*>(nullptr), "", "relative/dir"}) {
    ScopedEnv unset("XDG_CONFIG_HOME", config);
    EXPECT_EQ(UserSettingsFile(), scratch / ".config" / "morvind" / "morvind.INI");
  }
}

TEST(SettingsTest, AnInstalledProgramKeepsTheSettingsOfEachUserInTheirFolder) {
  // PREFIX/bin/morvind beside PREFIX/share/applications/<app id>.desktop,
  // writable as /usr/bin is for root: still nothing beside the program.
  ScratchFolder scratch("settings-installed");
  ScopedEnv config("XDG_CONFIG_HOME", (scratch / "config").c_str());
  std::filesystem::create_directories(scratch / "usr" / "bin");
  std::filesystem::create_directories(scratch / "usr" / "share" / "applications");
  const std::filesystem::path program = scratch / "usr" / "bin" / "morvind";
  EXPECT_FALSE(IsInstalledProgram(program));
  EXPECT_EQ(SettingsFileFor(program), scratch / "usr" / "bin" / "morvind.INI");

  WriteBytes(scratch / "usr" / "share" / "applications" / "org.morvind.Morvind.desktop", "");
  EXPECT_TRUE(IsInstalledProgram(program));
  EXPECT_EQ(SettingsFileFor(program), UserSettingsFile());
  EXPECT_EQ(SettingsFileFor(scratch / "usr" / "bin" / "morvind-print"), UserSettingsFile());
}

TEST(LanguageTest, LanguageCodesChooseTheCharacterSetAndLocale) {
  const struct {
    const char* code;
    int charset;
    const char* locale;
  } cases[] = {{"german", 0, nullptr},     {"rom", 238, "rom"},      {"turkish", 162, "turkish"},
               {"cz", 238, nullptr},       {"polish", 238, nullptr}, {"sk", 238, nullptr},
               {"ell", 161, nullptr},      {"rus", 204, nullptr},    {"lt", 186, nullptr},
               {"portuguese", 0, nullptr}, {"German", 0, nullptr},   {"", 0, nullptr}};
  for (const auto& c : cases) {
    EXPECT_EQ(FontCharsetFor(c.code), c.charset) << c.code;
    EXPECT_STREQ(LocaleFor(c.code), c.locale) << c.code;
  }
  EXPECT_TRUE(IsPortuguese("portuguese"));
  EXPECT_FALSE(IsPortuguese("Portuguese"));
}

}  // namespace
}  // namespace morvind
