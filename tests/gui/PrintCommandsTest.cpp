#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStyleHints>
#include <QTest>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "MainDialogFixture.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"
#include "layout/qt/OptionsDialog.h"
#include "printing/TestSheet.h"
#include "printing/qt/QtTextMeasure.h"
#include "toolkit/SplitButton.h"

namespace morvind::test {
namespace {

int PdfPages(const std::filesystem::path& pdf) {
  std::string output;
  if (std::FILE* pipe = popen(("pdfinfo '" + pdf.string() + "' 2>/dev/null").c_str(), "r")) {
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  std::size_t at = output.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + 6);
}

// The operations in grey: the test sheet's grid, crosses, names and figures.
int GreyOps(const PrintCall& call) {
  int grey = 0;
  for (const RecordedOp& op : call.drawing->Ops())
    if ((op.kind == RecordedOp::Kind::kText || op.kind == RecordedOp::Kind::kLine) &&
        (op.colour == kGridGrey || op.colour == kGridFineGrey || op.colour == kMarkGrey))
      ++grey;
  return grey;
}

std::vector<int> Publishers(const PrintCall& call) {
  std::vector<int> publishers;
  for (const CardRequest& card : call.cards) publishers.push_back(card.publisher);
  return publishers;
}

// An action of the preview's tool bar by its objectName.
QAction* PreviewAction(QPrintPreviewDialog& preview, const char* name) {
  return preview.findChild<QAction*>(QLatin1String(name));
}

// Four publishers, three of them in group 1; Anna has hours in November
// 2026, the report month.
class PrintCommandsTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    congregation.publishers = {
        Publisher("Anna", "Meier", 1, 11), Publisher("Bernd", "Kraus", 1, 12),
        Publisher("Smilla", "Sommer", 2, 13), Publisher("Carl", "Berg", 1, 14)};
    congregation.publishers[0].address = "Lindenstraße 3";
    congregation.publishers[0].SetFigure(10, kHours, 0, 12);
    congregation.groupCount = 2;
    congregation.groups.resize(2);
    WriteData();
  }
  static void Run(MainDialog& dialog, PrintCommands::Command command) {
    dialog.Commands()->Action(command)->trigger();
    ProcessEvents();
  }
  std::filesystem::path File(const std::string& name) const { return folder.Path() / name; }
  QString FileQ(const std::string& name) const {
    return QString::fromStdString(File(name).string());
  }
};

TEST_F(PrintCommandsTest, PreviewDrawsWhatDruckenPrintsAndPrintsOnlyFromItsPrintButton) {
  std::vector<int> pageCounts;
  bool gridEnabled = false;
  std::vector<QString> bar;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    pageCounts.push_back(pages->pageCount());
    EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitToWidth);
    EXPECT_EQ(preview.printer(), printer->Current());
    // One tool bar shows, the program's: no page set-up, no orientation.
    for (QToolBar* toolBar : preview.findChildren<QToolBar*>()) {
      if (!toolBar->isVisible()) continue;
      for (QAction* action : toolBar->actions())
        if (!action->objectName().isEmpty()) bar.push_back(action->objectName());
    }
  };
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFirstMonthBox + 2);  // November
    Click(dialog, MainDialog::kPrintHeaderBox);     // the month box cleared it
    Run(dialog, PrintCommands::kPreview);
    EXPECT_FALSE(FileExists("card.pdf"));  // closing the preview prints nothing
    Click(dialog, kIdOk);

    // The grid shown, then printed from the preview: the print has none.
    printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
      QAction* grid = PreviewAction(preview, "grid");
      ASSERT_NE(grid, nullptr);
      EXPECT_EQ(grid->text(), QStringLiteral("Raster einblenden"));
      gridEnabled = grid->isEnabled();
      grid->trigger();
      ProcessEvents();
      PreviewAction(preview, "print")->trigger();
    };
    Run(dialog, PrintCommands::kPreview);
    EXPECT_EQ(dialog.FocusedControl(), MainDialog::kPublisherList);
  });
  ASSERT_EQ(prints.size(), 5u);
  EXPECT_EQ(pageCounts, std::vector<int>{1});
  EXPECT_EQ(bar, (std::vector<QString>{"print", "firstPage", "previousPage", "nextPage", "lastPage",
                                       "zoomOut", "zoomIn", "fitWidth", "fitPage", "grid"}));
  // Preview and print of the same card draw the same operations.
  EXPECT_EQ(prints[0].drawing->ToJsonLines(), prints[1].drawing->ToJsonLines());
  EXPECT_NE(prints[1].drawing->FindText("12"), nullptr);
  EXPECT_EQ(GreyOps(prints[0]), 0);
  EXPECT_TRUE(gridEnabled);
  EXPECT_EQ(GreyOps(prints[2]), 0);  // the second preview opens without the grid
  EXPECT_TRUE(prints[3].testSheet);
  EXPECT_GT(GreyOps(prints[3]), 200);
  EXPECT_FALSE(prints[4].testSheet);
  EXPECT_EQ(prints[4].drawing->ToJsonLines(), prints[1].drawing->ToJsonLines());
  EXPECT_EQ(prints[4].printer, printer->Current());
  EXPECT_EQ(PdfPages(File("card.pdf")), 1);
  EXPECT_TRUE(messages.questions.empty());
}

// Without a printer the preview shows an A4 PDF page, and every print
// says "No Printer" and offers the PDF file instead.
TEST_F(PrintCommandsTest, WithoutAPrinterThePreviewShowsA4AndEveryPrintOffersAPdfFile) {
  NoPrinter none;
  environment.printer = &none;
  int listPages = 0;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    EXPECT_EQ(preview.printer()->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(preview.printer()->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(preview.printer()->pageLayout().margins(), QMarginsF());  // no hidden margin
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->itemText(1), QStringLiteral("Ganze Liste (4 Karten)"));
    choice->setCurrentIndex(1);
    Q_EMIT choice->activated(1);
    ProcessEvents();
    listPages = preview.findChild<QPrintPreviewWidget*>()->pageCount();
    PreviewAction(preview, "lastPage")->trigger();
    ProcessEvents();
    EXPECT_EQ(preview.findChild<QLabel*>(QStringLiteral("pagePosition"))->text(),
              QStringLiteral("Seite 4 von 4"));
    PreviewAction(preview, "print")->trigger();
  };
  messages.offerAnswers = {false, true, false, true};
  printDialogs.saveAnswers = {FileQ("karte.pdf"), FileQ("liste.pdf")};
  RunMain([&](MainDialog& dialog) {
    Run(dialog, PrintCommands::kPreview);
    Click(dialog, kIdOk);
    Run(dialog, PrintCommands::kTestPrint);
    Run(dialog, PrintCommands::kPrintList);
  });
  EXPECT_EQ(listPages, 4);
  ASSERT_EQ(prints.size(), 2u);  // the preview's, not its print's
  EXPECT_EQ(Publishers(prints[1]), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(messages.texts, std::vector<std::string>(4, "No Printer"));
  EXPECT_EQ(messages.icons, std::vector<MessageIcon>(4, MessageIcon::kWarning));
  const std::string help = "Es ist kein Drucker eingerichtet. Die ";
  const std::string card = help + "Karte lässt sich als PDF-Datei speichern.";
  const std::string list = help + "Liste lässt sich als PDF-Datei speichern.";
  EXPECT_EQ(messages.details, (std::vector<std::string>{list, card, card, list}));
  const std::string saveCard = "Karte als PDF speichern…", saveList = "Liste als PDF speichern…";
  EXPECT_EQ(messages.offers, (std::vector<std::string>{saveList, saveCard, saveCard, saveList}));
  EXPECT_EQ(PdfPages(File("karte.pdf")), 1);
  EXPECT_EQ(PdfPages(File("liste.pdf")), 4);
  EXPECT_EQ(messages.questions, std::vector<std::string>{"4 Karten als PDF speichern?"});
}

TEST_F(PrintCommandsTest, ListPrintAsksThenPrintsTheFiltersCardsInListOrderWithTheWindowsOptions) {
  std::vector<std::string> linesBefore, linesAfter;
  int selectionBefore = -2, selectionAfter = -3;
  messages.answers = {false, true};
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFilterButton);  // pioneers
    Click(dialog, MainDialog::kFilterButton);  // Gruppe 1
    ASSERT_EQ(dialog.GetText(MainDialog::kFilterButton), "Gruppe 1");
    dialog.PublisherList()->SetCurSel(1);
    dialog.RefreshSelection();
    Click(dialog, MainDialog::kFirstMonthBox + 2);
    linesBefore = ListLines(dialog);
    selectionBefore = dialog.PublisherList()->GetCurSel();
    Run(dialog, PrintCommands::kPrintList);  // answered Abbrechen
    EXPECT_TRUE(prints.empty());
    PressKey(dialog, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialog.PrintNote()->text().toStdString(),
              "3 Karten in „" + File("card.pdf").string() + "“ gedruckt");
    linesAfter = ListLines(dialog);
    selectionAfter = dialog.PublisherList()->GetCurSel();
  });
  EXPECT_EQ(messages.questions, std::vector<std::string>(2, "3 Karten in „card.pdf“ drucken?"));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(Publishers(prints[0]), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(prints[0].title, "S-21 2027 Gruppe 1");
  for (const CardRequest& card : prints[0].cards) {
    EXPECT_TRUE(card.months[2]);
    EXPECT_FALSE(card.printHeader);
  }
  EXPECT_EQ(prints[0].cards[2].cardName, "Carl Berg");
  EXPECT_EQ(GreyOps(prints[0]), 0);
  EXPECT_EQ(prints[0].pagesDrawn, 3);
  EXPECT_EQ(PdfPages(File("card.pdf")), 3);
  EXPECT_EQ(linesAfter, linesBefore);
  EXPECT_EQ(selectionAfter, selectionBefore);
  ASSERT_FALSE(printDialogs.progress.empty());
  EXPECT_EQ(printDialogs.progress.front(),
            (std::pair<int, std::string>{0, "Karte 1 von 3: Anna Meier"}));
  EXPECT_EQ(printDialogs.progress.back().first, 3);
}

TEST_F(PrintCommandsTest, AbbrechenStopsTheListAfterTheCurrentCard) {
  // The program's printer prints into card.pdf, which holds an older print:
  // the stopped job leaves it as it was and no part of its own.
  std::ofstream(File("card.pdf")) << "old";
  const std::vector<std::string> filesBefore = FolderFiles();
  printDialogs.cancelAt = 0;  // pressed as soon as the progress shows
  RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kPrintList); });
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].outcome, PrintOutcome::kCancelled);
  EXPECT_EQ(prints[0].pagesDrawn, 1);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(ReadFileText("card.pdf"), "old");
  std::vector<std::string> filesAfter = FolderFiles();
  std::erase(filesAfter, "cplot.dat");  // written at the end
  EXPECT_EQ(filesAfter, filesBefore);
}

// The grid is in the unit the layout details show. The complete card,
// which places its items by rules of its own, takes no sheet.
TEST_F(PrintCommandsTest, TestPrintDrawsTheSheetInTheWindowsUnitAndDruckenNever) {
  WriteSettings("[Format]\nUnit=1\n");
  messages.answers = {true, false};
  RunMain([&](MainDialog& dialog) {
    EXPECT_TRUE(dialog.Commands()->Action(PrintCommands::kTestPrint)->isEnabled());
    Run(dialog, PrintCommands::kTestPrint);
    Run(dialog, PrintCommands::kTestPrint);  // answered Abbrechen
    Click(dialog, kIdOk);
    dialog.completeCard = 1;
    dialog.Commands()->UpdateStates();
    QAction* testPrint = dialog.Commands()->Action(PrintCommands::kTestPrint);
    EXPECT_FALSE(testPrint->isEnabled());
    EXPECT_TRUE(testPrint->toolTip().contains(QStringLiteral("Komplette Karte drucken")));
    Run(dialog, PrintCommands::kTestPrint);  // asks nothing, prints nothing
  });
  ASSERT_EQ(messages.questions.size(), 2u);
  EXPECT_NE(messages.questions[0].find("Probedruck auf Normalpapier"), std::string::npos);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_TRUE(prints[0].testSheet);
  EXPECT_EQ(prints[0].title, "S-21 2027 Meier, Anna");
  const RecordedOp* unit = prints[0].drawing->FindText("0 mm");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->colour, kMarkGrey);
  EXPECT_EQ(prints[0].drawing->FindText("Anna Meier")->colour, kBlack);
  EXPECT_EQ(GreyOps(prints[1]), 0);
}

// Every print command draws the sheet when it is chosen, but the test print
// and the preview's grid, which are for pre-printed cards; a sheet wider
// than the printer's paper with the margin is said to be so first.
TEST_F(PrintCommandsTest, EveryCommandFollowsTheSheetAndNarrowPaperIsToldBeforePrinting) {
  WriteSettings("[Format]\nForm=1\n");
  printDialogs.saveAnswers = {FileQ("blatt.pdf"), FileQ("liste.pdf")};
  QString formTip;      // of the test print, then of the preview's grid when it is off
  QStringList choices;  // the preview's choice
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    QAction* grid = PreviewAction(preview, "grid");
    if (grid->isEnabled() || grid->toolTip() != formTip) formTip.clear();
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    choices = {choice->itemText(0), choice->itemText(1)};
  };
  RunMain([&](MainDialog& dialog) {
    dialog.Commands()->UpdateStates();
    QAction* test = dialog.Commands()->Action(PrintCommands::kTestPrint);
    EXPECT_FALSE(test->isEnabled());
    formTip = test->toolTip();
    Run(dialog, PrintCommands::kTestPrint);
    Click(dialog, kIdOk);
    Run(dialog, PrintCommands::kPreview);
    Run(dialog, PrintCommands::kPrintList);
    Run(dialog, PrintCommands::kSaveCardPdf);
    Run(dialog, PrintCommands::kSaveListPdf);
  });
  ASSERT_EQ(prints.size(), 3u);
  for (const PrintCall& call : prints) {
    EXPECT_NE(call.drawing->FindText("Service Year"), nullptr);
    EXPECT_EQ(call.drawing->FindText("SEPTEMBER"), nullptr);  // nothing of the card
  }
  EXPECT_EQ(Publishers(prints[2]), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(PdfPages(File("blatt.pdf")), 1);
  EXPECT_EQ(PdfPages(File("liste.pdf")), 4);
  EXPECT_EQ(formTip, QStringLiteral("Nur für vorgedruckte Karten S-21 10/15"));
  EXPECT_EQ(printDialogs.saveSuggestions[0], FileQ("S-21 2027 Meier, Anna.pdf"));
  // Everything that counts says what is printed.
  EXPECT_EQ(messages.questions, (std::vector<std::string>{"4 Blätter in „card.pdf“ drucken?",
                                                          "4 Blätter als PDF speichern?"}));
  EXPECT_EQ(choices, (QStringList{"Gewähltes Blatt", "Ganze Liste (4 Blätter)"}));
  ASSERT_FALSE(printDialogs.progress.empty());
  EXPECT_EQ(printDialogs.progress.front().second.rfind("Blatt 1 von 4: ", 0), 0u);
  EXPECT_EQ(printDialogs.saveTitles[0], QStringLiteral("Blatt als PDF speichern"));

  // With a left margin of 1.50 inches the 7-inch sheet is wider than the
  // paper can print: asked before each print, and "Abbrechen" prints nothing.
  WriteSettings("[Format]\nForm=1\nUnit=1\n[Margins]\nLeft=1.50\n");
  prints.clear();
  messages.questions.clear();
  messages.answers = {false};
  RunMain([&](MainDialog& dialog) {
    Click(dialog, kIdOk);
    Run(dialog, PrintCommands::kPrintList);
  });
  ASSERT_EQ(messages.questions.size(), 3u);  // the width before each, then the list's question
  EXPECT_EQ(messages.questions[0], messages.questions[1]);
  EXPECT_NE(messages.questions[0].find("Das Blatt S-21 11/23 ist mit dem linken Rand 216 mm breit"),
            std::string::npos)
      << messages.questions[0];
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(prints[0].cards.size(), 4u);
}

// The sheet's filter step "Versammlung" lists the congregation's totals
// records, which print and save like a publisher; the card brings the
// publishers back.
TEST_F(PrintCommandsTest, TheSheetsLastFilterStepListsTheTotalsRecordsThatPrintLikePublishers) {
  WriteSettings("[Format]\nForm=1\n");
  printDialogs.saveAnswers = {FileQ("summe.pdf"), FileQ("versammlung.pdf")};
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    options.ClickButton(OptionsDialog::kCardFormRadio);
    options.ClickButton(kIdOk);
  });
  const std::vector<int> nameBoxes = {MainDialog::kLongNameBox, MainDialog::kLastNameFirstBox};
  RunMain([&](MainDialog& dialog) {
    for (int click = 0; click < 4; ++click) Click(dialog, MainDialog::kFilterButton);
    EXPECT_EQ(dialog.GetText(MainDialog::kFilterButton), "Versammlung");
    EXPECT_EQ(ListLines(dialog).size(), 4u);
    EXPECT_EQ(dialog.selectedTotals, TotalsCategory::kPublishers);
    EXPECT_EQ(dialog.selectedPublisher, 0);
    for (int id : nameBoxes) EXPECT_FALSE(dialog.IsEnabled(id)) << id;
    EXPECT_TRUE(dialog.CheckState(MainDialog::kLongNameBox));  // the check stays
    SendText(dialog.PublisherList(), "h");
    EXPECT_EQ(dialog.selectedTotals, TotalsCategory::kAuxiliaryPioneers);
    Click(dialog, kIdOk);
    Run(dialog, PrintCommands::kSaveCardPdf);
    Run(dialog, PrintCommands::kSaveListPdf);

    Click(dialog, MainDialog::kOptionsButton);  // the card S-21 10/15
    EXPECT_EQ(dialog.GetText(MainDialog::kFilterButton), "Alle Verkündiger");
    EXPECT_EQ(dialog.selectedPublisher, 1);
    EXPECT_FALSE(dialog.selectedTotals);
    for (int id : nameBoxes) EXPECT_TRUE(dialog.IsEnabled(id)) << id;
  });
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_NE(prints[0].drawing->FindText("Hilfspioniere (Summe)"), nullptr);
  EXPECT_EQ(printDialogs.saveSuggestions,
            (std::vector<QString>{FileQ("S-21 2027 Hilfspioniere (Summe).pdf"),
                                  FileQ("S-21 2027 Versammlung.pdf")}));
  EXPECT_EQ(PdfPages(File("versammlung.pdf")), 4);
}

// "&Drucken" by its button, Enter or Ctrl+P: a press within the
// double-click interval of the last one that printed is a double click.
TEST_F(PrintCommandsTest, DruckenPrintsOncePerDoubleClickIntervalByTheEventsTimeStamps) {
  const std::uint64_t interval =
      static_cast<std::uint64_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  std::vector<QString> entries;
  std::vector<std::size_t> printsAfter;
  RunMain([&](MainDialog& dialog) {
    for (QAction* action : dialog.PrintButton()->Menu()->actions())
      entries.push_back(action->text());
    // The button (b), Enter (e) or Ctrl+P (p), at their time stamps.
    const std::string how = "bbeppe";
    const std::uint64_t at[] = {0,           interval - 1, interval, interval + 1, 3 * interval,
                                3 * interval};
    eventClock.step = 0;
    for (std::size_t i = 0; i < how.size(); ++i) {
      eventClock.now = 1000 + at[i];
      if (how[i] == 'b') Click(dialog, kIdOk);
      if (how[i] == 'e') PressKey(dialog, Qt::Key_Return);
      if (how[i] == 'p') PressKey(dialog, Qt::Key_P, Qt::ControlModifier);
      printsAfter.push_back(prints.size());
    }
  });
  EXPECT_EQ(entries,
            (std::vector<QString>{"Seitenansicht…", "Liste drucken…", "Karte als PDF speichern…",
                                  "Liste als PDF speichern…", "Formulare in Ordner ablegen…",
                                  "Übergabe als PDF speichern…", "Probedruck…"}));
  EXPECT_EQ(printsAfter, (std::vector<std::size_t>{1, 1, 2, 2, 3, 3}));

  // The window system's stamps: the second Enter of a pair waits while the
  // first prints and still counts as part of the pair.
  environment.eventClock = nullptr;
  prints.clear();
  RunMain([&](MainDialog& dialog) {
    QWidget* list = dialog.PublisherList();
    list->setFocus();
    for (std::uint64_t at : {50000ull, 50000ull + interval / 2, 50000ull + interval}) {
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      enter.setTimestamp(at);
      QApplication::sendEvent(list, &enter);
      ProcessEvents();
    }
  });
  EXPECT_EQ(prints.size(), 2u);
}

// A held key is one press: the auto-repeats of Enter and Return reach no
// window while the program runs (also those the window system sends
// unmarked, a release and a press of one time stamp), and a held Ctrl+P
// prints once.
TEST_F(PrintCommandsTest, AHeldEnterOrCtrlPPrintsOneCard) {
  DataFolderStart start;
  start.commandLineFolder = folder.Path();
  RunStart(start, {}, [&](MainDialog& dialog) {
    QWidget* list = dialog.PublisherList();
    list->setFocus();
    std::uint64_t time = 1000;
    auto send = [&](QEvent::Type type, int key, bool repeat) {
      QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
      event.setTimestamp(time);
      QApplication::sendEvent(list, &event);
      ProcessEvents();
    };
    for (const auto& [key, marked] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Enter, false}}) {
      send(QEvent::KeyPress, key, false);
      for (int i = 0; i < 5; ++i, time += 33) {
        send(QEvent::KeyRelease, key, marked);
        send(QEvent::KeyPress, key, marked);
      }
      send(QEvent::KeyRelease, key, false);
    }
    for (bool repeat : {false, true, true, true})
      QTest::simulateEvent(list, true, Qt::Key_P, Qt::ControlModifier, QString(), repeat);
    ProcessEvents();
  });
  EXPECT_EQ(prints.size(), 3u);
}

// The progress of a list keeps one width, and a long name is shortened in
// its middle.
TEST_F(PrintCommandsTest, TheProgressKeepsItsWidthAndShortensALongNameInTheMiddle) {
  RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kPrintList); });
  congregation.extendedRecords = 2;
  congregation.publishers[0].extendedIndex = 1;
  congregation.publishers[0].longName = "Anna Maria Theresia Meier-Hohenstein-Lüdenscheidt-Berg";
  WriteData();
  RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kPrintList); });
  const std::vector<int>& widths = printDialogs.progressWidths;
  EXPECT_EQ(std::count(widths.begin(), widths.end(), widths.front()), std::ssize(widths));
  const auto step = std::find_if(printDialogs.progress.begin(), printDialogs.progress.end(),
                                 [](const auto& at) { return at.second.ends_with("-Berg"); });
  ASSERT_NE(step, printDialogs.progress.end());
  EXPECT_EQ(step->second.rfind("Karte 1 von 4: Anna Maria", 0), 0u) << step->second;
  EXPECT_NE(step->second.find("…"), std::string::npos) << step->second;
}

// An empty list (a filter that shows nobody) says so.
TEST_F(PrintCommandsTest, TheListCommandsOfAnEmptyListSaySo) {
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFilterButton);  // pioneers: there are none
    ASSERT_EQ(dialog.PublisherList()->Count(), 0);
    for (auto command :
         {PrintCommands::kPrintList, PrintCommands::kSaveListPdf, PrintCommands::kPreview})
      Run(dialog, command);
  });
  EXPECT_EQ(messages.texts, std::vector<std::string>(3, "Die Liste ist leer."));
  EXPECT_TRUE(messages.questions.empty());
  EXPECT_TRUE(printDialogs.saveSuggestions.empty());
  EXPECT_EQ(printDialogs.previews, 0);
  EXPECT_TRUE(prints.empty());
}

TEST_F(PrintCommandsTest, PdfFilesAreSuggestedRefuseTheProgramsFilesAndAreWrittenWhole) {
  WriteSettings("");
  std::ofstream(File("cplot1.dat"), std::ios::binary) << std::string(400, '\0');
  const std::string table = ReadFileText("tdat9.bin");
  // Links that end in ".pdf" but lead to files the program only reads.
  std::filesystem::create_symlink(File("tdat9.bin"), File("daten.pdf"));
  std::filesystem::create_symlink(File("cplot1.dat"), File("layout.pdf"));
  std::filesystem::create_symlink(File("morvind.INI"), File("einstellungen.pdf"));
  std::ofstream(File("liste.pdf"), std::ios::binary) << "old";
  std::filesystem::create_directory(File("out"));
  // A name longer than a file name may be: the PDF file can't be written.
  const std::string tooLong = std::string(300, 'x') + ".pdf";
  // After each refusal or failure the file dialog opens again, until it is
  // cancelled.
  printDialogs.saveAnswers = {
      FileQ("tdat9.bin"),     FileQ("daten.pdf"), FileQ("layout.pdf"), FileQ("einstellungen.pdf"),
      FileQ("missing/x.pdf"), FileQ(tooLong),     QString(""),         FileQ("liste.pdf"),
      FileQ("out/liste")};
  std::vector<std::string> filesWhileCancelled;
  RunMain([&](MainDialog& dialog) {
    Run(dialog, PrintCommands::kSaveCardPdf);
    Run(dialog, PrintCommands::kSaveCardPdf);
    printDialogs.cancelAt = 0;
    Run(dialog, PrintCommands::kSaveListPdf);
    filesWhileCancelled = FolderFiles();
    printDialogs.cancelAt = -1;
    Run(dialog, PrintCommands::kSaveListPdf);
    Run(dialog, PrintCommands::kSaveListPdf);  // the file dialog cancelled
  });
  const QString card = FileQ("S-21 2027 Meier, Anna.pdf");
  const QString list = FileQ("S-21 2027 Alle Verkündiger.pdf");
  EXPECT_EQ(
      printDialogs.saveSuggestions,
      (std::vector<QString>{card, card, FileQ("daten.pdf"), FileQ("layout.pdf"),
                            FileQ("einstellungen.pdf"), FileQ("missing/x.pdf"), FileQ(tooLong),
                            list, list, FileQ("out/S-21 2027 Alle Verkündiger.pdf")}));
  EXPECT_EQ(printDialogs.saveTitles[0], QStringLiteral("Karte als PDF speichern"));
  // ".pdf" is added: the data file itself is never the target.
  EXPECT_EQ(PdfPages(File("tdat9.bin.pdf")), 1);
  EXPECT_EQ(ReadFileText("tdat9.bin"), table);
  EXPECT_EQ(ReadFileText("cplot1.dat"), std::string(400, '\0'));
  EXPECT_EQ(ReadFileText("morvind.INI"),
            "[Morvind]\nPDF Folder=\"" + File("out").string() + "\"\n");
  ASSERT_EQ(messages.texts.size(), 5u);
  for (int i = 0; i < 3; ++i)
    EXPECT_NE(messages.texts[i].find("wird nicht überschrieben"), std::string::npos)
        << messages.texts[i];
  EXPECT_NE(messages.texts[3].find("gibt es nicht"), std::string::npos) << messages.texts[3];
  EXPECT_NE(messages.texts[4].find("konnte nicht gespeichert werden"), std::string::npos)
      << messages.texts[4];
  // The cancelled list left the old file and no temporary one.
  EXPECT_EQ(ReadFileText("liste.pdf"), "old");
  for (const std::string& name : filesWhileCancelled) EXPECT_NE(name.front(), '.') << name;
  EXPECT_EQ(PdfPages(File("out/liste.pdf")), 4);
  EXPECT_EQ(messages.questions, (std::vector<std::string>(3, "4 Karten als PDF speichern?")));
  EXPECT_FALSE(FileExists("card.pdf"));  // the program's printer was not used
  EXPECT_TRUE(prints.empty());
}

// The folder of the last PDF file is suggested at the next start while it is there.
TEST_F(PrintCommandsTest, TheLastPdfFolderIsSuggestedAtTheNextStartWhileItIsThere) {
  std::filesystem::create_directory(File("out"));
  printDialogs.saveAnswers = {FileQ("out/karte.pdf")};
  for (int run = 0; run < 3; ++run) {
    if (run == 2) std::filesystem::remove_all(File("out"));
    RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kSaveCardPdf); });
  }
  const QString name = QStringLiteral("S-21 2027 Meier, Anna.pdf");
  EXPECT_EQ(printDialogs.saveSuggestions,
            (std::vector<QString>{FileQ("") + name, FileQ("out/") + name, FileQ("") + name}));
}

// The file dialog opens in the folder last written to, else in the data
// folder when it may be written, else in the documents folder.
TEST_F(PrintCommandsTest, APdfFileIsSuggestedInTheUsersDocumentsWhenTheDataFolderIsProtected) {
  std::filesystem::create_directories(File("home/Documents"));
  const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QByteArray::fromStdString(File("home").string()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(File("home/.config").string()));
  std::filesystem::permissions(folder.Path(), std::filesystem::perms(0555));
  RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kSaveCardPdf); });
  std::filesystem::permissions(folder.Path(), std::filesystem::perms(0755));
  qputenv("HOME", oldHome);
  if (oldConfig.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", oldConfig);
  EXPECT_EQ(printDialogs.saveSuggestions,
            std::vector<QString>{FileQ("home/Documents/S-21 2027 Meier, Anna.pdf")});
}

#ifdef MORVIND_PRINT_BINARY
// The window's list commands and morvind-print --all plan the same cards
// with the same texts, long names included, for the same state.
TEST_F(PrintCommandsTest, TheListsCardsAreThoseMorvindPrintAllPrints) {
  congregation.extendedRecords = 3;
  DemoPublisher& bernd = congregation.publishers[1];
  bernd.extendedIndex = 1;
  bernd.longName = "Bernd Friedrich Kraus-Lüdenscheidt von der Heide";
  bernd.mobilePhone = "0171 555";
  WriteData();
  WriteSettings("[Format]\nLast Name First=1\n");
  std::vector<CardRequest> window;
  RecordingSurface drawn(600, 600);
  drawn.SetTextMeasure(QtFontTextMeasure());
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFilterButton);       // pioneers
    Click(dialog, MainDialog::kFilterButton);       // Gruppe 1
    Click(dialog, MainDialog::kFirstMonthBox + 1);  // October
    Click(dialog, MainDialog::kPrintHeaderBox);     // the month box cleared it
    window = dialog.Commands()->ListCards();
    // The requests point into the window's data.
    DrawCardDocument(drawn, window);
  });
  ASSERT_EQ(window.size(), 3u);
  EXPECT_EQ(window[1].cardName, "Bernd Friedrich Kraus-Lüdenscheidt von der Heide");
  EXPECT_EQ(window[1].cardMobile, "0171 555");

  QProcess run;
  run.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
  run.start(QStringLiteral(MORVIND_PRINT_BINARY),
            {"--settings", FileQ("morvind.INI"), "--date", "2026-12-09", "--all", "--filter",
             "group:1", "--months", "10", "--ops", "-"});
  ASSERT_TRUE(run.waitForFinished(60000));
  EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  EXPECT_EQ(run.readAllStandardOutput().toStdString(), drawn.ToJsonLines());
}
#endif

}  // namespace
}  // namespace morvind::test
