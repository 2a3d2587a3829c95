// The program's start: where the data folder comes from, and that the main
// dialog then works in it.

#include <unistd.h>

#include <QAbstractProxyModel>
#include <QFileSystemModel>
#include <QMenu>
#include <fstream>

#include "MainDialogFixture.h"
#include "app/qt/DataFolderDialog.h"
#include "app/qt/FolderDialog.h"
#include "app/qt/PasswordDialog.h"
#include "layout/LayoutFile.h"

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

// "Datenordner wechseln…" in the window: the fixture's folder holds the
// data the window starts with; "zweite" another congregation behind a
// password, with a layout file of its own; "leer" nothing.
TEST_F(StartTest, TheWindowChangesItsDataFolderAsAtStartOrKeepsTheOldOne) {
  congregation.groupCount = 2;
  congregation.publishers.push_back(Publisher("Uwe", "Kraus", 0, 12));  // unassigned
  WriteData();
  const fs::path second = folder.Path() / "zweite";
  const fs::path empty = folder.Path() / "leer";
  fs::create_directory(second);
  fs::create_directory(empty);
  DemoCongregation other;
  other.password = "Geheim";
  other.groupCount = 1;
  other.publishers = {Publisher("Berta", "Neu", 1, 21)};
  ASSERT_TRUE(WriteCongregation(second, other));
  LayoutRecord secondLayout;
  FillDefaultLayout(secondLayout, 0, strings);
  secondLayout.Set(kNameX, "3.33");
  ASSERT_TRUE(SaveLayoutFile(secondLayout, 0, DataFolder(second)).Ok());

  std::deque<std::optional<fs::path>> answers;  // none left: cancelled
  environment.chooseFolder = [&](const fs::path& openIn) {
    chooserOpenedIn.push_back(openIn);
    std::optional<fs::path> answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  };
  // At a change the user may decline the password.
  host.Expect(kPasswordTemplate, [](Dialog& d) {
    EXPECT_TRUE(d.IsShown(kIdCancel));
    d.ClickButton(kIdCancel);
  });
  host.Expect(kPasswordTemplate, [](Dialog& d) { TypeInto(d, PasswordDialog::kEntry, "Geheim"); });
  const std::string startTitle = "Morvind - S-21-X  10/15";

  RunMain([&](MainDialog& dialog) {
    // The entry stands right above the About entry of the context menu.
    QMenu menu;
    QAction* about = dialog.FillContextMenu(menu);
    EXPECT_EQ(menu.actions().indexOf(dialog.ChangeFolderAction()) + 1,
              menu.actions().indexOf(about));
    EXPECT_EQ(dialog.ChangeFolderAction()->text().toStdString(), "Datenordner wechseln\u2026");

    // Cancelling the chooser changes nothing: the checks below still hold.
    dialog.ChangeFolderAction()->trigger();
    EXPECT_EQ(chooserOpenedIn, std::vector<fs::path>{folder.Path()});

    // A folder without tdat9.bin is refused; a refused password keeps the
    // old folder loaded, with the layout edited so far saved into it.
    Click(dialog, MainDialog::kFilterButton);  // the pioneers
    dialog.layout.Set(kNameY, "2.22");
    answers = {empty, second};
    dialog.ChangeDataFolder();
    EXPECT_EQ(chooserOpenedIn, (std::vector<fs::path>{folder.Path(), folder.Path(), empty}));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("liegt keine tdat9.bin"), std::string::npos);
    EXPECT_EQ(dialog.Environment().dataFolder.Dir(), folder.Path());
    EXPECT_EQ(dialog.Title(), startTitle);
    EXPECT_EQ(dialog.GetText(MainDialog::kFilterButton), "Allg. u. SoPi's");
    EXPECT_EQ(ReadFileText("cplot.dat").substr(8, 5), std::string("2.22\0", 5));
    EXPECT_FALSE(FileExists("morvind.INI"));

    // Given, the new folder is loaded as at start: all publishers, no
    // unassigned one any more, its own layout; the title names it.
    answers = {second};
    dialog.ChangeDataFolder();
    EXPECT_EQ(ListLines(dialog), Lines{"Neu, Berta"});
    EXPECT_EQ(dialog.GetText(MainDialog::kFilterButton), "Alle Verkündiger");
    EXPECT_EQ(dialog.hasUnassigned, 0);
    EXPECT_EQ(dialog.layout, secondLayout);
    EXPECT_EQ(dialog.Title(), startTitle + " - " + second.string());
    dialog.layout.Set(kNameY, "4.44");
  });
  EXPECT_TRUE(host.AllScriptsUsed());
  // Remembered for the next start; the layout went into the new folder.
  EXPECT_EQ(RememberedDataFolder(ProfileFile(folder.Path() / "morvind.INI")), second);
  LayoutRecord saved;
  ASSERT_TRUE(LoadLayoutFile(saved, 0, DataFolder(second)));
  EXPECT_EQ(saved.Text(kNameY), "4.44");
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

  // The folder's files are listed greyed and can't be chosen; folders can,
  // and new ones be made. "Formulare in Ordner ablegen…" chooses likewise.
  fs::create_directory(where.Path() / "ostrel");
  std::ofstream(where.Path() / "tdat9.bin") << "x";
  const std::unique_ptr<QFileDialog> records = MakeFolderDialog(QString(), where.Path(), nullptr);
  for (QFileDialog* chooser : {dialog.get(), records.get()}) {
    QAbstractProxyModel* shown = chooser->proxyModel();
    auto* files = qobject_cast<QFileSystemModel*>(shown->sourceModel());
    ASSERT_NE(files, nullptr);
    auto flags = [&](const fs::path& path) {
      return shown->flags(
          shown->mapFromSource(files->index(QString::fromStdString(path.string()))));
    };
    EXPECT_FALSE(flags(where.Path() / "tdat9.bin") & (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    EXPECT_TRUE(flags(where.Path() / "ostrel") & Qt::ItemIsSelectable);
    EXPECT_TRUE(
        chooser->findChild<QWidget*>(QStringLiteral("newFolderButton"))->isVisibleTo(chooser));
  }
}

}  // namespace
}  // namespace morvind::test
