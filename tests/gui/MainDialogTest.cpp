#include <QTest>
#include <QWindow>

#include "MainDialogFixture.h"
#include "app/qt/PublisherListBox.h"
#include "layout/LayoutFile.h"
#include "layout/qt/OptionsDialog.h"
#include "preview/qt/PreviewPane.h"

namespace morvind::test {
namespace {

using Lines = std::vector<std::string>;

class MainDialogTest : public MainDialogFixture {
 protected:
  // Three groups; a regular pioneer in group 2, an auxiliary pioneer in
  // group 1, an inactive publisher, and (optionally) one without a group.
  void MakeGroupedCongregation(bool withUnassigned) {
    congregation.groupCount = 3;
    congregation.groups.resize(3);
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11),
                               Publisher("Bernd", "Kraus", 2, 12),
                               Publisher("Clara", "Lang", 1, 13), Publisher("Dora", "Stein", 3, 14),
                               Publisher("Emil", "Vogt", 2, 15)};
    // Report month November 2026: slot 0 (2026 is even).
    congregation.publishers[1].monthStatus[10][0] = 2;  // Kraus: regular pioneer
    congregation.publishers[2].monthStatus[10][0] = 1;  // Lang: auxiliary pioneer
    congregation.publishers[4].inactive = true;         // Vogt
    if (withUnassigned) congregation.publishers.push_back(Publisher("Fritz", "Ohne", 0, 16));
    WriteData();
  }

  // Clicks the filter button through one whole cycle and returns the captions.
  static Lines FilterCaptions(MainDialog& dialog, int clicks) {
    Lines captions = {dialog.GetText(MainDialog::kFilterButton)};
    for (int i = 0; i < clicks; ++i) {
      Click(dialog, MainDialog::kFilterButton);
      captions.push_back(dialog.GetText(MainDialog::kFilterButton));
    }
    return captions;
  }
};

TEST_F(MainDialogTest, FilterCyclesThroughGroupsAndUnassigned) {
  MakeGroupedCongregation(false);
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(FilterCaptions(dialog, 5), (Lines{"Alle Verkündiger", "Allg. u. SoPi's", "Gruppe 1",
                                                "Gruppe 2", "Gruppe 3", "Alle Verkündiger"}));
  });
  MakeGroupedCongregation(true);
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(FilterCaptions(dialog, 6),
              (Lines{"Alle Verkündiger", "Allg. u. SoPi's", "Gruppe 1", "Gruppe 2", "Gruppe 3",
                     "Unassigned", "Alle Verkündiger"}));
  });
}

TEST_F(MainDialogTest, FilterWithoutGroupsIsAllAndPioneersAndUnassignedWhenNeeded) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(FilterCaptions(dialog, 2),
              (Lines{"Alle Verkündiger", "Allg. u. SoPi's", "Alle Verkündiger"}));
  });
  congregation.publishers = {Publisher("Anna", "Meier", 0, 11)};
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(FilterCaptions(dialog, 3),
              (Lines{"Alle Verkündiger", "Allg. u. SoPi's", "Unassigned", "Alle Verkündiger"}));
    EXPECT_EQ(dialog.filterGroup, 0);
  });
}

TEST_F(MainDialogTest, PioneersAreNeverListedUnderTheirGroupAndInactiveNever) {
  MakeGroupedCongregation(true);
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(ListLines(dialog),
              (Lines{"Meier, Anna", "Kraus, Bernd", "Lang, Clara", "Stein, Dora", "Ohne, Fritz"}));
    Click(dialog, MainDialog::kFilterButton);
    EXPECT_EQ(ListLines(dialog), (Lines{"Kraus, Bernd"}));
    Click(dialog, MainDialog::kFilterButton);  // group 1
    EXPECT_EQ(ListLines(dialog), (Lines{"Meier, Anna", "Lang, Clara"}));
    Click(dialog, MainDialog::kFilterButton);  // group 2: Kraus is a regular pioneer
    EXPECT_EQ(ListLines(dialog), Lines{});
    EXPECT_EQ(dialog.selectedPublisher, 0);
    Click(dialog, MainDialog::kFilterButton);  // group 3
    Click(dialog, MainDialog::kFilterButton);  // unassigned
    EXPECT_EQ(ListLines(dialog), (Lines{"Ohne, Fritz"}));
  });
}

TEST_F(MainDialogTest, PioneerStatusInJanuaryComesFromDecemberOfThePreviousYear) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11), Publisher("Bernd", "Kraus", 1, 12)};
  congregation.publishers[0].monthStatus[11][1] = 2;  // December 2025 (odd year slot)
  congregation.publishers[1].monthStatus[0][0] = 2;   // January 2026: not yet reported
  WriteData();
  today = LocalDate{2026, 1, 15};
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.reportMonth, 11);
    Click(dialog, MainDialog::kFilterButton);
    EXPECT_EQ(ListLines(dialog), (Lines{"Meier, Anna"}));
  });
}

TEST_F(MainDialogTest, SelectionFollowsTheListAndTheLongNameBox) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11), Publisher("Bernd", "Kraus", 1, 12),
                             Publisher("Smilla", "Sommer", 1, 13)};
  congregation.publishers[1].extendedIndex = 1;
  congregation.publishers[1].longName = "Bernd Kraus von Hohenstein";
  congregation.extendedRecords = 2;
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.selectedPublisher, 1);
    ListBox* list = dialog.PublisherList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // the user moves to Kraus
    EXPECT_EQ(dialog.selectedPublisher, 2);
    dialog.ClickButton(MainDialog::kLongNameBox);  // the user clears "&Langer Name"
    EXPECT_EQ(dialog.useLongName, 0);
    // A type-ahead jump does not check the box again ...
    list->setFocus();
    QTest::keyClicks(list, "so");
    EXPECT_EQ(dialog.selectedPublisher, 3);
    EXPECT_FALSE(dialog.CheckState(MainDialog::kLongNameBox));
    EXPECT_EQ(dialog.useLongName, 0);
    // ... a selection by the arrow keys does, and so does one by the mouse.
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_TRUE(dialog.CheckState(MainDialog::kLongNameBox));
    EXPECT_EQ(dialog.useLongName, 1);
    dialog.ClickButton(MainDialog::kLongNameBox);
    QRect first = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    EXPECT_EQ(dialog.selectedPublisher, 1);
    EXPECT_TRUE(dialog.CheckState(MainDialog::kLongNameBox));
    // A click below the last line leaves the selection and the previews be.
    QRect last = list->visualItemRect(list->item(list->Count() - 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(last.center().x(), last.bottom() + 20));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(dialog.selectedPublisher, 1);
  });
}

TEST_F(MainDialogTest, TypeAheadFindsUmlautNamesAndIgnoresDigits) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11), Publisher("Özlem", "Öztürk", 1, 12),
                             Publisher("Uwe", "Übel", 1, 13), Publisher("Max", "Smith", 1, 14)};
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(ListLines(dialog),
              (Lines{"Meier, Anna", "Öztürk, Özlem", "Übel, Uwe", "Smith, Max"}));
    PublisherListBox* list = dialog.PublisherList();
    list->setFocus();
    SendText(list, "üb");
    EXPECT_EQ(dialog.selectedPublisher, 3);
    HeaderPreviewPane* pane = dialog.HeaderPane();
    ProcessEvents();
    int paints = pane->PaintCount();
    SendText(list, "7");  // a digit changes nothing but repaints
    ProcessEvents();
    EXPECT_EQ(dialog.selectedPublisher, 3);
    EXPECT_GT(pane->PaintCount(), paints);
    list->clearFocus();
    list->setFocus();  // the focus resets the buffer
    SendText(list, "öz");
    EXPECT_EQ(dialog.selectedPublisher, 2);
    SendText(list, "x");  // nothing begins with "özx" or "x": the selection stays
    EXPECT_EQ(dialog.selectedPublisher, 2);
    SendText(list, "s");  // a new search with the last letter alone
    EXPECT_EQ(dialog.selectedPublisher, 4);
  });
}

TEST_F(MainDialogTest, PanesRepaintOnSelectionAndSetTheCardName) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11), Publisher("Bernd", "Kraus", 1, 12)};
  congregation.publishers[0].mobilePhone = "0171 1234";
  WriteData();
  RunMain([&](MainDialog& dialog) {
    ProcessEvents();
    EXPECT_EQ(dialog.cardName, "Anna Meier");
    EXPECT_EQ(dialog.cardMobile, "0171 1234");
    int headerPaints = dialog.HeaderPane()->PaintCount();
    int bodyPaints = dialog.BodyPane()->PaintCount();
    ListBox* list = dialog.PublisherList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    ProcessEvents();
    EXPECT_GT(dialog.HeaderPane()->PaintCount(), headerPaints);
    EXPECT_GT(dialog.BodyPane()->PaintCount(), bodyPaints);
    EXPECT_EQ(dialog.cardName, "Bernd Kraus");
    // "Familienname &Zuerst" turns the printed name around, not the list.
    dialog.ClickButton(MainDialog::kLastNameFirstBox);
    ProcessEvents();
    EXPECT_EQ(dialog.cardName, "Kraus, Bernd");
    EXPECT_EQ(ListLines(dialog), (Lines{"Meier, Anna", "Kraus, Bernd"}));
    EXPECT_EQ(dialog.settingsChanged, 1);
  });
}

TEST_F(MainDialogTest, TitleNamesTheCardVersion) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  WriteSettings("[Format]\nCard Version=2\n");
  RunMain([&](MainDialog& dialog) { EXPECT_EQ(dialog.Title(), "Morvind - S-21-X  Ostrel 9"); });
  WriteSettings("[Format]\ncard version=7\n");
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.cardVersion, 0);
    EXPECT_EQ(dialog.Title(), "Morvind - S-21-X  10/15");
  });
}

TEST_F(MainDialogTest, EndingWithoutChangesWritesTheLayoutButNotTheSettings) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  RunMain(nullptr);
  EXPECT_TRUE(FileExists("cplot.dat"));
  EXPECT_EQ(ReadFileText("cplot.dat").size(), 400u);
  EXPECT_FALSE(FileExists("morvind.INI"));
  EXPECT_EQ(FolderFiles(),
            (Lines{"bkstudy.dat", "cplot.dat", "remark9.dat", "tdat9.bin", "xten7.dat"}));
}

TEST_F(MainDialogTest, EndingAfterANameOrderChangeWritesEveryKey) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  WriteSettings("[Data Location]\nDrive=3\n[Format]\nCard Version=1\n");
  std::string atClick;  // written at once, as the end writes it
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kLastNameFirstBox);
    atClick = ReadFileText("morvind.INI");
  });
  std::string settings = ReadFileText("morvind.INI");
  EXPECT_EQ(atClick, settings);
  for (const char* line : {"Alt Date Format=0", "Last Name First=1", "Card Version=1", "Top=0.00",
                           "Left=0.20", "Drive=0"})
    EXPECT_NE(settings.find(line), std::string::npos) << line << " in\n" << settings;
  EXPECT_EQ(settings.find("FN Sort"), std::string::npos);
  EXPECT_EQ(settings.find("Window Size"), std::string::npos);  // the size did not change
  EXPECT_TRUE(FileExists("cplot1.dat"));
  EXPECT_FALSE(FileExists("cplot.dat"));
}

// The window's size and state are kept in "Morvind" on their own: written
// at the end only when they changed (and then nothing else), used at the
// next start when the screen holds them, passed over in silence when the
// file can't take them.
TEST_F(MainDialogTest, TheWindowOpensAtTheSizeAndStateItLastEndedWith) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  WriteSettings("[Morvind]\nWindow Size=99999,400\nMaximized=yes\n");  // more than the screen
  QSize grown;
  RunMain([&](MainDialog& dialog) {
    EXPECT_FALSE(dialog.isMaximized());
    grown = dialog.size() + QSize(60, 40);
    dialog.resize(grown);
  });
  const std::string size = "[Morvind]\nWindow Size=" + std::to_string(grown.width()) + "," +
                           std::to_string(grown.height()) + "\nMaximized=";
  EXPECT_EQ(ReadFileText("morvind.INI"), size + "yes\n");
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.size(), grown);
    dialog.showMaximized();
  });
  EXPECT_EQ(ReadFileText("morvind.INI"), size + "1\n");
  const auto written = std::filesystem::last_write_time(folder.Path() / "morvind.INI");
  RunMain([&](MainDialog& dialog) {
    EXPECT_TRUE(dialog.isMaximized());
    EXPECT_EQ(dialog.normalGeometry().size(), grown);
  });
  EXPECT_EQ(std::filesystem::last_write_time(folder.Path() / "morvind.INI"), written);
  std::filesystem::permissions(folder.Path() / "morvind.INI", std::filesystem::perms(0444));
  RunMain([&](MainDialog& dialog) { dialog.showNormal(); });
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(MainDialogTest, EscapeAndTheCloseBoxEndTheProgramLikeFertig) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  EXPECT_EQ(RunMain([&](MainDialog& dialog) { PressKey(dialog, Qt::Key_Escape); }), kIdCancel);
  EXPECT_TRUE(FileExists("cplot.dat"));
  std::filesystem::remove(folder.Path() / "cplot.dat");
  EXPECT_EQ(RunMain([&](MainDialog& dialog) { dialog.close(); }), kIdCancel);
  EXPECT_TRUE(FileExists("cplot.dat"));
}

TEST_F(MainDialogTest, FilesThatCantBeSavedAreNamedAtTheEndAndTheProgramStillEnds) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  WriteSettings("[Format]\nCard Version=0\n");
  RunMain(nullptr);  // writes the layout file
  for (const char* name : {"morvind.INI", "cplot.dat"})
    std::filesystem::permissions(folder.Path() / name, std::filesystem::perms(0444));
  // Ending without a change loses nothing: not a word.
  EXPECT_EQ(RunMain(nullptr), kIdCancel);
  EXPECT_TRUE(messages.texts.empty());

  host.Expect(kOptionsTemplate, [](Dialog& options) {
    options.Spin(OptionsDialog::kBodyTopSpin)->Step(-1);
    options.ClickButton(kIdOk);
  });
  EXPECT_EQ(RunMain([&](MainDialog& dialog) { Click(dialog, MainDialog::kOptionsButton); }),
            kIdCancel);
  const std::string why = " konnte nicht gespeichert werden: Die Datei ist schreibgeschützt.";
  const Lines both = {(folder.Path() / "morvind.INI").string() + why,
                      (folder.Path() / "cplot.dat").string() + why};
  EXPECT_EQ(messages.texts, (Lines{both[0], both[1], both[0], both[1]}));  // at OK, at the end
}

TEST_F(MainDialogTest, TheWindowIsAnOrdinaryTopLevelWindowWithTheDialogsRules) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  Qt::WindowType aboutType = Qt::Widget;
  const QWindow* aboutParent = nullptr;
  bool aboutFixed = false;
  host.Expect(kAboutTemplate, [&](Dialog& about) {
    aboutType = about.windowType();
    aboutFixed = about.minimumSize() == about.maximumSize();
    aboutParent = about.windowHandle() ? about.windowHandle()->transientParent() : nullptr;
    about.ClickButton(kIdOk);
  });
  const QWindow* mainWindow = nullptr;
  int result = RunMain([&](MainDialog& dialog) {
    // Listed by task bars and window switchers: a normal window, transient
    // for nothing, with its title, icon, close box and the minimise and
    // maximise boxes; the template's size is its smallest.
    EXPECT_EQ(dialog.windowType(), Qt::Window);
    ASSERT_NE(dialog.windowHandle(), nullptr);
    mainWindow = dialog.windowHandle();
    EXPECT_EQ(dialog.windowHandle()->type(), Qt::Window);
    EXPECT_EQ(dialog.windowHandle()->transientParent(), nullptr);
    Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.minimumSize(), QSize(dialog.DluToPixelsX(477), dialog.DluToPixelsY(252)));
    EXPECT_EQ(dialog.size(), dialog.minimumSize());
    EXPECT_GT(dialog.maximumWidth(), 5000);
    EXPECT_EQ(dialog.Title().rfind("Morvind", 0), 0u) << dialog.Title();
    EXPECT_EQ(dialog.windowIcon().availableSizes().size(), 7);
    // The dialog's keys: Enter prints, F1 opens the About box, which stays
    // a dialog over the window; Escape ends.
    dialog.PublisherList()->setFocus();
    PressKey(dialog, Qt::Key_Return);
    EXPECT_TRUE(FileExists("card.pdf"));
    PressKey(dialog, Qt::Key_F1);
    PressKey(dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(result, kIdCancel);
  EXPECT_EQ(aboutType, Qt::Dialog);
  EXPECT_TRUE(aboutFixed);  // every other dialog keeps its size
  EXPECT_EQ(aboutParent, mainWindow);
}

TEST_F(MainDialogTest, EmptyAndOddTablesStartWithoutTrouble) {
  // No data file at all: no publishers, no password, an empty list.
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(ListLines(dialog), Lines{});
    EXPECT_EQ(dialog.selectedPublisher, 0);
    Click(dialog, kIdOk);  // printing without a selection does nothing
  });
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_FALSE(FileExists("card.pdf"));
  // Every publisher inactive, empty names, 25 groups of which 20 are used.
  congregation.groupCount = 25;
  congregation.publishers = {Publisher("", "", 1, 11), Publisher("Anna", "Meier", 1, 12)};
  congregation.publishers[1].inactive = true;
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(ListLines(dialog), (Lines{", "}));
    Click(dialog, kIdOk);  // an empty name prints nothing
    Lines captions = FilterCaptions(dialog, 22);
    EXPECT_EQ(captions[21], "Gruppe 20");
    EXPECT_EQ(captions[22], "Alle Verkündiger");
  });
  EXPECT_FALSE(FileExists("card.pdf"));
}

TEST_F(MainDialogTest, NoMemoryForTheTableGivesTheMessageAndAnEmptyList) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  environment.allocator = [](std::size_t) -> std::uint8_t* { return nullptr; };
  RunMain([&](MainDialog& dialog) { EXPECT_EQ(ListLines(dialog), Lines{}); });
  EXPECT_EQ(messages.texts, Lines{"Couldn't allocate memory"});
}

TEST_F(MainDialogTest, ANineHundredPublisherTableFillsTheList) {
  for (int i = 0; i < 909; ++i)
    congregation.publishers.push_back(Publisher("Vorname" + std::to_string(i), "Name", 1 + i % 3,
                                                static_cast<std::uint16_t>(20 + i)));
  congregation.groupCount = 3;
  WriteData();
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.PublisherList()->Count(), 909);
    EXPECT_EQ(dialog.data.table.Count(), 910);
  });
}

}  // namespace
}  // namespace morvind::test

namespace morvind::test {
namespace {

class MainDialogExtrasTest : public MainDialogFixture {};

TEST_F(MainDialogExtrasTest, F1AndTheSystemCommandShowTheAboutBoxWithTheDataFolder) {
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  std::vector<std::string> directories;
  auto readAbout = [&](Dialog& about) {
    EXPECT_EQ(about.Title(), "About morvind");
    directories.push_back(about.GetText(1068));
    about.ClickButton(kIdOk);
  };
  host.Expect(kAboutTemplate, readAbout);
  host.Expect(kAboutTemplate, readAbout);
  RunMain([&](MainDialog& dialog) {
    PressKey(dialog, Qt::Key_F1);
    dialog.OnSysCommand(MainDialog::kAboutCommand | 0x5);  // the low four bits don't count
    dialog.OnSysCommand(0xF060);                           // any other command: nothing
  });
  std::string expected = std::filesystem::absolute(folder.Path()).string();
  EXPECT_EQ(directories, (std::vector<std::string>{expected, expected}));
}

TEST_F(MainDialogExtrasTest, PortugueseSortsByFirstNameAndReSortsAfterTheOptions) {
  strings.Set(133, "portuguese");
  congregation.publishers = {Publisher("Zoe", "Alves", 1, 11), Publisher("ana", "Costa", 1, 12),
                             Publisher("Bruno", "Brito", 1, 13)};
  WriteData();
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    EXPECT_TRUE(options.IsShown(1082));
    EXPECT_TRUE(options.CheckState(1082));
    options.ClickButton(1082);  // first-name sort off
    options.Spin(OptionsDialog::kBodyTopSpin)->Step(-1);
    options.ClickButton(kIdOk);
  });
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.firstNameSort, 1);
    EXPECT_EQ(ListLines(dialog),
              (std::vector<std::string>{"ana Costa", "Bruno Brito", "Zoe Alves"}));
    Click(dialog, MainDialog::kOptionsButton);
    // OK wrote the settings and the changed layout at once.
    EXPECT_NE(ReadFileText("morvind.INI").find("Enabled=0"), std::string::npos);
    LayoutRecord written;
    LoadLayoutOrDefaults(written, 0, environment.dataFolder, strings);
    EXPECT_EQ(written, dialog.layout);
    EXPECT_EQ(dialog.firstNameSort, 0);
    EXPECT_EQ(ListLines(dialog),
              (std::vector<std::string>{"Alves, Zoe", "Brito, Bruno", "Costa, ana"}));
  });
}

}  // namespace
}  // namespace morvind::test
