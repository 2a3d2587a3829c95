#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "MainDialogFixture.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"
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

int GreyOps(const PrintCall& call) {
  int grey = 0;
  for (const RecordedOp& op : call.drawing->Ops())
    if ((op.kind == RecordedOp::Kind::kText || op.kind == RecordedOp::Kind::kLine) &&
        op.colour == kFormGrey)
      ++grey;
  return grey;
}

std::vector<int> Publishers(const PrintCall& call) {
  std::vector<int> publishers;
  for (const CardRequest& card : call.cards) publishers.push_back(card.publisher);
  return publishers;
}

QAction* PreviewAction(QPrintPreviewDialog& preview, const char* qtText) {
  for (QAction* action : preview.findChild<QToolBar*>()->actions())
    if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", qtText)) return action;
  return nullptr;
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
  bool formEnabled = false;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    pageCounts.push_back(pages->pageCount());
    EXPECT_EQ(preview.printer(), printer->Current());
    EXPECT_FALSE(PreviewAction(preview, "Page setup")->isVisible());
  };
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFirstMonthBox + 2);  // November
    Click(dialog, MainDialog::kPrintHeaderBox);     // the month box cleared it
    Run(dialog, PrintCommands::kPreview);
    EXPECT_FALSE(FileExists("card.pdf"));  // closing the preview prints nothing
    Click(dialog, kIdOk);

    // The form shown, then printed from the preview: the print has no form.
    printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
      auto* form = preview.findChild<QAction*>(QStringLiteral("formUnderlay"));
      ASSERT_NE(form, nullptr);
      formEnabled = form->isEnabled();
      form->trigger();
      ProcessEvents();
      PreviewAction(preview, "Print")->trigger();
    };
    Run(dialog, PrintCommands::kPreview);
    EXPECT_EQ(dialog.FocusedControl(), MainDialog::kPublisherList);
  });
  ASSERT_EQ(prints.size(), 5u);
  EXPECT_EQ(pageCounts, std::vector<int>{1});
  // Preview and print of the same card draw the same operations.
  EXPECT_EQ(prints[0].drawing->ToJsonLines(), prints[1].drawing->ToJsonLines());
  EXPECT_NE(prints[1].drawing->FindText("12"), nullptr);
  EXPECT_EQ(GreyOps(prints[0]), 0);
  EXPECT_TRUE(formEnabled);
  EXPECT_EQ(GreyOps(prints[2]), 0);  // the second preview opens without the form
  EXPECT_TRUE(prints[3].formUnderlay);
  EXPECT_GT(GreyOps(prints[3]), 50);
  EXPECT_FALSE(prints[4].formUnderlay);
  EXPECT_EQ(prints[4].drawing->ToJsonLines(), prints[1].drawing->ToJsonLines());
  EXPECT_EQ(prints[4].printer, printer->Current());
  EXPECT_EQ(PdfPages(File("card.pdf")), 1);
  EXPECT_TRUE(messages.questions.empty());
}

TEST_F(PrintCommandsTest, PreviewOfTheListAndWithoutPrinterOnAnA4PdfPage) {
  NoPrinter none;
  environment.printer = &none;
  int listPages = 0;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    EXPECT_EQ(preview.printer()->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(preview.printer()->pageLayout().pageSize().id(), QPageSize::A4);
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->itemText(1), QStringLiteral("Ganze Liste (4 Karten)"));
    choice->setCurrentIndex(1);
    Q_EMIT choice->activated(1);
    ProcessEvents();
    listPages = preview.findChild<QPrintPreviewWidget*>()->pageCount();
    PreviewAction(preview, "Print")->trigger();
  };
  RunMain([&](MainDialog& dialog) { Run(dialog, PrintCommands::kPreview); });
  EXPECT_EQ(listPages, 4);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_EQ(Publishers(prints[1]), (std::vector<int>{1, 2, 3, 4}));
  // Printing the shown list needs a printer, as "&Drucken" does.
  EXPECT_EQ(messages.texts, std::vector<std::string>{"No Printer"});
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
    linesAfter = ListLines(dialog);
    selectionAfter = dialog.PublisherList()->GetCurSel();
  });
  EXPECT_EQ(messages.questions,
            (std::vector<std::string>{"3 Karten drucken?", "3 Karten drucken?"}));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(Publishers(prints[0]), (std::vector<int>{1, 2, 4}));
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

TEST_F(PrintCommandsTest, TestPrintDrawsTheGreyFormAndDruckenNever) {
  messages.answers = {true, false};
  RunMain([&](MainDialog& dialog) {
    EXPECT_TRUE(dialog.Commands()->Action(PrintCommands::kTestPrint)->isEnabled());
    Run(dialog, PrintCommands::kTestPrint);
    Run(dialog, PrintCommands::kTestPrint);  // answered Abbrechen
    Click(dialog, kIdOk);
  });
  ASSERT_EQ(messages.questions.size(), 2u);
  EXPECT_NE(messages.questions[0].find("Probedruck auf Normalpapier"), std::string::npos);
  ASSERT_EQ(prints.size(), 2u);
  EXPECT_TRUE(prints[0].formUnderlay);
  const RecordedOp* title = prints[0].drawing->FindText("CONGREGATION'S PUBLISHER RECORD");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->colour, kFormGrey);
  EXPECT_EQ(prints[0].drawing->FindText("Anna Meier")->colour, kBlack);
  EXPECT_EQ(GreyOps(prints[1]), 0);
}

TEST_F(PrintCommandsTest, FormAndTestPrintAreOffForCardVersionsWithoutAForm) {
  WriteSettings("[Format]\nCard Version=1\n");
  QString tip;
  bool formEnabled = true;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    auto* form = preview.findChild<QAction*>(QStringLiteral("formUnderlay"));
    formEnabled = form->isEnabled();
    tip = form->toolTip();
  };
  RunMain([&](MainDialog& dialog) {
    QMenu* menu = dialog.PrintButton()->Menu();
    ASSERT_NE(menu, nullptr);
    dialog.Commands()->UpdateStates();
    EXPECT_FALSE(dialog.Commands()->Action(PrintCommands::kTestPrint)->isEnabled());
    Run(dialog, PrintCommands::kTestPrint);
    Run(dialog, PrintCommands::kPreview);
  });
  EXPECT_FALSE(formEnabled);
  EXPECT_TRUE(tip.contains(QStringLiteral("Versionen 1 und 2"))) << tip.toStdString();
  EXPECT_EQ(prints.size(), 1u);  // the preview only
  EXPECT_TRUE(messages.questions.empty());
}

TEST_F(PrintCommandsTest, ThePrintButtonsMenuAndCtrlP) {
  std::vector<QString> entries;
  RunMain([&](MainDialog& dialog) {
    for (QAction* action : dialog.PrintButton()->Menu()->actions())
      entries.push_back(action->text());
    PressKey(dialog, Qt::Key_P, Qt::ControlModifier);
  });
  EXPECT_EQ(entries,
            (std::vector<QString>{"Seitenansicht…", "Liste drucken…", "Karte als PDF speichern…",
                                  "Liste als PDF speichern…", "Probedruck…"}));
  ASSERT_EQ(prints.size(), 1u);
  EXPECT_EQ(Publishers(prints[0]), std::vector<int>{1});
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
  printDialogs.saveAnswers = {
      FileQ("tdat9.bin"),     FileQ("daten.pdf"), FileQ("layout.pdf"), FileQ("einstellungen.pdf"),
      FileQ("missing/x.pdf"), FileQ("liste.pdf"), FileQ("out/liste")};
  std::vector<std::string> filesWhileCancelled;
  RunMain([&](MainDialog& dialog) {
    for (int i = 0; i < 5; ++i) Run(dialog, PrintCommands::kSaveCardPdf);
    printDialogs.cancelAt = 0;
    Run(dialog, PrintCommands::kSaveListPdf);
    filesWhileCancelled = FolderFiles();
    printDialogs.cancelAt = -1;
    Run(dialog, PrintCommands::kSaveListPdf);
    Run(dialog, PrintCommands::kSaveListPdf);  // the file dialog cancelled
  });
  ASSERT_EQ(printDialogs.saveSuggestions.size(), 8u);
  EXPECT_EQ(printDialogs.saveSuggestions[0], FileQ("S-21 Meier, Anna.pdf"));
  EXPECT_EQ(printDialogs.saveSuggestions[5], FileQ("S-21 Alle Verkündiger.pdf"));
  // The folder of the last file written is offered next.
  EXPECT_EQ(printDialogs.saveSuggestions[7], FileQ("out/S-21 Alle Verkündiger.pdf"));
  EXPECT_EQ(printDialogs.saveTitles[0], QStringLiteral("Karte als PDF speichern"));
  // ".pdf" is added: the data file itself is never the target.
  EXPECT_EQ(PdfPages(File("tdat9.bin.pdf")), 1);
  EXPECT_EQ(ReadFileText("tdat9.bin"), table);
  EXPECT_EQ(ReadFileText("cplot1.dat"), std::string(400, '\0'));
  EXPECT_EQ(ReadFileText("morvind.INI"), "");
  ASSERT_EQ(messages.texts.size(), 4u);
  for (int i = 0; i < 3; ++i)
    EXPECT_NE(messages.texts[i].find("wird nicht überschrieben"), std::string::npos)
        << messages.texts[i];
  EXPECT_NE(messages.texts[3].find("gibt es nicht"), std::string::npos) << messages.texts[3];
  // The cancelled list left the old file and no temporary one.
  EXPECT_EQ(ReadFileText("liste.pdf"), "old");
  for (const std::string& name : filesWhileCancelled) EXPECT_NE(name.front(), '.') << name;
  EXPECT_EQ(PdfPages(File("out/liste.pdf")), 4);
  EXPECT_EQ(messages.questions, (std::vector<std::string>(3, "4 Karten als PDF speichern?")));
  EXPECT_FALSE(FileExists("card.pdf"));  // the program's printer was not used
  EXPECT_TRUE(prints.empty());
}

}  // namespace
}  // namespace morvind::test
