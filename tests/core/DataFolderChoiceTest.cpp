#include <gtest/gtest.h>

#include <deque>

#include "app/DataFolderChoice.h"
#include "app/StartOptions.h"
#include "core/ScratchFolder.h"

namespace morvind {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

TEST(StartOptionsTest, AFolderHelpAndVersionAndTheMistakes) {
  using Action = StartOptions::Action;
  const struct {
    std::vector<std::string> args;
    Action action;
    const char* folder;  // null: none
    const char* error;   // "": sound
  } cases[] = {
      {{}, Action::kRun, nullptr, ""},
      {{"/data/ostrel"}, Action::kRun, "/data/ostrel", ""},
      {{"daten"}, Action::kRun, "daten", ""},
      {{"--", "-odd"}, Action::kRun, "-odd", ""},
      {{"-"}, Action::kRun, "-", ""},
      {{"--help"}, Action::kHelp, nullptr, ""},
      {{"a", "b", "-h"}, Action::kHelp, "a", ""},  // help wins over every mistake
      {{"--version"}, Action::kVersion, nullptr, ""},
      {{"--version", "--help"}, Action::kHelp, nullptr, ""},
      {{"--bogus", "--version"}, Action::kVersion, nullptr, ""},
      {{"--", "--help"}, Action::kRun, "--help", ""},
      {{"--bogus"}, Action::kRun, nullptr, "unknown option --bogus"},
      {{"-platform", "xcb"}, Action::kRun, "xcb", "unknown option -platform"},
      {{"a", "b"}, Action::kRun, "a", "give one data folder only"},
      {{""}, Action::kRun, nullptr, "the data folder can't be an empty name"},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& arg : c.args) line += "'" + arg + "' ";
    StartOptions options = ParseStartOptions(c.args);
    EXPECT_EQ(options.action, c.action) << line;
    EXPECT_EQ(options.error, c.error) << line;
    if (c.folder) {
      EXPECT_EQ(options.dataFolder, fs::path(c.folder)) << line;
    } else {
      EXPECT_FALSE(options.dataFolder) << line;
    }
  }
  std::string help = StartHelpText();
  for (const char* word : {"[DIR]", "--help", "--version", "tdat9.bin", "Exit status"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

// Folders of a test: one with Ostrel's data, one without, a home folder
// and the settings file, and a chooser that answers from a script.
class DataFolderChoiceTest : public ::testing::Test {
 protected:
  DataFolderChoiceTest() {
    for (const char* name : {"ostrel", "empty", "home", "second"})
      fs::create_directory(scratch / name);
    WriteBytes(scratch / "ostrel" / "tdat9.bin", std::string(816, '\0'));
    WriteBytes(scratch / "second" / "tdat9.bin", std::string(816, '\0'));
    start.workingDirectory = scratch / "home";
    start.homeFolder = scratch / "home";
  }

  DataFolderChoice Find() {
    return FindDataFolder(
        start, settings,
        [this](const fs::path& openIn) {
          askedIn.push_back(openIn);
          if (answers.empty()) return std::optional<fs::path>();
          std::optional<fs::path> answer = answers.front();
          answers.pop_front();
          return answer;
        },
        messages);
  }
  std::string SettingsText() const { return ReadBytes(scratch / "morvind.INI"); }

  ScratchFolder scratch{"data-folder"};
  ProfileFile settings{scratch / "morvind.INI"};
  DataFolderStart start;
  std::deque<std::optional<fs::path>> answers;  // empty optional: cancel
  std::vector<fs::path> askedIn;
  RecordingMessageSink messages;
};

TEST_F(DataFolderChoiceTest, AStartInADataFolderWorksThereByBareNameAndWritesNothing) {
  start.workingDirectory = scratch / "ostrel";
  WriteBytes(scratch / "morvind.INI",
             "[Morvind]\nLast Data Folder=\"" + (scratch / "second").string() + "\"\n");
  DataFolderChoice choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kWorkingDirectory);
  EXPECT_TRUE(choice.folder.Dir().empty());
  EXPECT_TRUE(askedIn.empty());
  EXPECT_EQ(SettingsText(),
            "[Morvind]\nLast Data Folder=\"" + (scratch / "second").string() + "\"\n");
}

TEST_F(DataFolderChoiceTest, TheCommandLineWinsAndIsRememberedWhenItHoldsData) {
  start.workingDirectory = scratch / "second";  // a data folder too, but DIR wins
  start.commandLineFolder = "../ostrel/";
  DataFolderChoice choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kCommandLine);
  EXPECT_EQ(choice.folder.Dir(), scratch / "ostrel");
  EXPECT_EQ(RememberedDataFolder(settings), scratch / "ostrel");

  // A folder without data is used as given (an empty list) but not remembered.
  start.commandLineFolder = scratch / "empty";
  choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kCommandLine);
  EXPECT_EQ(choice.folder.Dir(), scratch / "empty");
  EXPECT_EQ(RememberedDataFolder(settings), scratch / "ostrel");
  EXPECT_TRUE(askedIn.empty());
  EXPECT_TRUE(messages.texts.empty());

  // A settings file that can't be written: the folder is used all the same,
  // and the user learns why it won't be found by itself next time.
  fs::permissions(scratch / "morvind.INI", fs::perms(0444));
  start.commandLineFolder = scratch / "second";
  EXPECT_EQ(Find().folder.Dir(), scratch / "second");
  EXPECT_EQ(messages.texts, std::vector<std::string>{(scratch / "morvind.INI").string() +
                                                     " konnte nicht gespeichert werden: Die "
                                                     "Datei ist schreibgeschützt."});
}

TEST_F(DataFolderChoiceTest, AMenuStartTakesTheRememberedFolderAndKeepsTheOtherLines) {
  const std::string before = "[Format]\r\nCard Version=1\r\n[Morvind]\r\nLast Data Folder=\"" +
                             (scratch / "ostrel").string() + "\"\r\n";
  WriteBytes(scratch / "morvind.INI", before);
  DataFolderChoice choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kRemembered);
  EXPECT_EQ(choice.folder.Dir(), scratch / "ostrel");
  EXPECT_TRUE(askedIn.empty());
  EXPECT_EQ(SettingsText(), before);
}

TEST_F(DataFolderChoiceTest, WithoutAUsableFolderTheChooserAsksUntilAFolderHoldsData) {
  // Remembered, but the data are gone: a message says so, and the chooser
  // opens there.
  WriteBytes(scratch / "morvind.INI", "[Format]\nCard Version=2\n\n[Morvind]\nLast Data Folder=" +
                                          (scratch / "empty").string() + "\n");
  answers = {scratch / "home", scratch / "second" / "."};
  DataFolderChoice choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kChosen);
  EXPECT_EQ(choice.folder.Dir(), scratch / "second");
  EXPECT_EQ(askedIn, (std::vector<fs::path>{scratch / "empty", scratch / "home"}));
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{
                "Der zuletzt benutzte Datenordner \u201E" + (scratch / "empty").string() +
                    "\u201C enth\u00E4lt keine tdat9.bin.",
                "Im Ordner \u201E" + (scratch / "home").string() +
                    "\u201C liegt keine tdat9.bin.\nBitte w\u00E4hlen Sie den "
                    "Ordner, in dem Ostrel seine Daten speichert."}));
  EXPECT_EQ(SettingsText(), "[Format]\nCard Version=2\n\n[Morvind]\nLast Data Folder=\"" +
                                (scratch / "second").string() + "\"\n");
}

TEST_F(DataFolderChoiceTest, CancellingTheChooserEndsWithoutWritingAnything) {
  DataFolderChoice choice = Find();
  EXPECT_EQ(choice.source, DataFolderSource::kNone);
  EXPECT_EQ(askedIn, std::vector<fs::path>{scratch / "home"});  // nothing remembered: home
  EXPECT_FALSE(fs::exists(scratch / "morvind.INI"));

  // A remembered folder that no longer exists, or a relative one, is not
  // where it opens; only the one this program remembered is spoken of.
  const std::string gone = (scratch / "gone").string();
  for (const std::string& stored : {gone, std::string("ostrel")}) {
    WriteBytes(scratch / "morvind.INI", "[Morvind]\nLast Data Folder=" + stored + "\n");
    askedIn.clear();
    messages.texts.clear();
    EXPECT_EQ(Find().source, DataFolderSource::kNone) << stored;
    EXPECT_EQ(askedIn, std::vector<fs::path>{scratch / "home"}) << stored;
    EXPECT_EQ(messages.texts,
              stored == gone ? std::vector<std::string>{"Der zuletzt benutzte Datenordner \u201E" +
                                                        gone + "\u201C ist nicht mehr da."}
                             : std::vector<std::string>{})
        << stored;
  }
}

TEST_F(DataFolderChoiceTest, RememberedFoldersKeepTheirBlanksAndNeverBreakALine) {
  fs::path blanks = scratch / " Daten 2026 ";
  RememberDataFolder(settings, blanks);
  EXPECT_EQ(RememberedDataFolder(settings), blanks);
  std::string text = SettingsText();
  RememberDataFolder(settings, blanks / "");  // the same folder: nothing written
  RememberDataFolder(settings, scratch / "a\nb");
  RememberDataFolder(settings, "relative");
  EXPECT_EQ(SettingsText(), text);
}

}  // namespace
}  // namespace morvind
