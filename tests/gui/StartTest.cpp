// The program's start: where the data folder comes from, and that the main
// dialog then works in it.

#include <unistd.h>

#include "MainDialogFixture.h"
#include "app/qt/DataFolderDialog.h"

namespace morvind::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The fixture's folder holds the data; "home" inside it is the working
// directory of a start from the desktop's menu, with nothing in it.
class StartTest : public MainDialogFixture {
 protected:
  StartTest() {
    fs::create_directory(home);
    start.workingDirectory = home;
    start.homeFolder = home;
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  }

  // The About box's folder text, read while the main dialog runs.
  std::string AboutFolder(MainDialog& dialog) {
    std::string text;
    host.ExpectFirst(kAboutTemplate, [&](Dialog& about) {
      text = about.GetText(1068);
      about.ClickButton(kIdOk);
    });
    PressKey(dialog, Qt::Key_F1);
    return text;
  }

  fs::path home = folder.Path() / "home";
  DataFolderStart start;
};

TEST_F(StartTest, AMenuStartWithoutDataAsksAndCancelOpensNoWindowAndWritesNothing) {
  WriteData();
  const Lines before = FolderFiles();
  EXPECT_EQ(RunStart(start, {}, nullptr), DataFolderSource::kNone);
  EXPECT_EQ(chooserOpenedIn, std::vector<fs::path>{home});
  EXPECT_TRUE(host.opened.empty());
  EXPECT_EQ(FolderFiles(), before);  // no settings, no layout file
  EXPECT_TRUE(fs::is_empty(home));
}

TEST_F(StartTest, TheChosenFolderHoldsTheWindowsDataAndIsTakenAgainNextTime) {
  WriteData();
  std::string aboutFolder;
  EXPECT_EQ(RunStart(start, {home, folder.Path()},
                     [&](MainDialog& dialog) {
                       EXPECT_EQ(ListLines(dialog), Lines{"Meier, Anna"});
                       aboutFolder = AboutFolder(dialog);
                     }),
            DataFolderSource::kChosen);
  EXPECT_EQ(chooserOpenedIn, (std::vector<fs::path>{home, home}));
  ASSERT_EQ(messages.texts.size(), 1u);  // "home" holds no tdat9.bin
  EXPECT_EQ(aboutFolder, folder.Path().string());
  // The layout file lands in the data folder; the settings remember it.
  EXPECT_TRUE(FileExists("cplot.dat"));
  EXPECT_TRUE(fs::is_empty(home));
  EXPECT_EQ(ReadFileText("morvind.INI"),
            "[Morvind]\nLast Data Folder=\"" + folder.Path().string() + "\"\n");

  chooserOpenedIn.clear();
  EXPECT_EQ(
      RunStart(start, {},
               [&](MainDialog& dialog) { EXPECT_EQ(ListLines(dialog), Lines{"Meier, Anna"}); }),
      DataFolderSource::kRemembered);
  EXPECT_TRUE(chooserOpenedIn.empty());
}

TEST_F(StartTest, AStartInTheDataFolderWorksThereAsBefore) {
  WriteData();
  // The program opens its files by bare name then, in the working directory.
  const fs::path previous = fs::current_path();
  ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
  start.workingDirectory = folder.Path();
  DataFolderSource source = RunStart(start, {}, [&](MainDialog& dialog) {
    EXPECT_TRUE(dialog.Environment().dataFolder.Dir().empty());
    EXPECT_EQ(ListLines(dialog), Lines{"Meier, Anna"});
    EXPECT_EQ(AboutFolder(dialog), folder.Path().string());
  });
  ASSERT_EQ(::chdir(previous.c_str()), 0);
  EXPECT_EQ(source, DataFolderSource::kWorkingDirectory);
  EXPECT_TRUE(chooserOpenedIn.empty());
  EXPECT_EQ(FolderFiles(),
            (Lines{"bkstudy.dat", "cplot.dat", "home", "remark9.dat", "tdat9.bin", "xten7.dat"}));
}

}  // namespace
}  // namespace morvind::test

namespace morvind::test {
namespace {

TEST(DataFolderDialogTest, IsQtsOwnFolderDialogOpeningWhereItIsTold) {
  TempFolder where("folder-dialog");
  std::unique_ptr<QFileDialog> dialog = MakeDataFolderDialog(where.Path());
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));  // German through Qt's texts
  EXPECT_FALSE(dialog->testOption(QFileDialog::ShowDirsOnly));        // files shown, greyed
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  EXPECT_EQ(dialog->windowType(), Qt::Window);  // listed in the task bar
  EXPECT_EQ(dialog->directory().absolutePath().toStdString(), where.Path().string());
  EXPECT_NE(dialog->windowTitle().toStdString().find("tdat9.bin"), std::string::npos);
}

}  // namespace
}  // namespace morvind::test
