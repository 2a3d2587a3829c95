#include <QAction>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "MainDialogFixture.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"

namespace morvind::test {
namespace {

// The output of a shell command (the poppler tools).
std::string CommandOutput(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

class PrintCardTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11),
                               Publisher("Bernd", "Kraus", 1, 12),
                               Publisher("Smilla", "Sommer", 1, 13)};
    DemoPublisher& anna = congregation.publishers[0];
    anna.address = "Lindenstraße 3";
    anna.immersedDate = "05141990";
    anna.SetFigure(10, kHours, 0, 12);  // November 2026
    anna.quarters[10][0] = 3;
    WriteData();
  }
  std::string Pdf() const { return (folder.Path() / "card.pdf").string(); }
  std::string PdfText() const {
    return CommandOutput("pdftotext -layout '" + Pdf() + "' - 2>/dev/null");
  }
  std::string PdfInfo() const { return CommandOutput("pdfinfo '" + Pdf() + "' 2>/dev/null"); }
  int PageCount() const {
    std::string info = PdfInfo();
    std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
  }
};

// One page, titled as its PDF file would be named; the window says where
// it went, beside "Drucken" and clear of the other buttons.
TEST_F(PrintCardTest, DruckenPrintsOneDocumentOfOnePageWithTheCard) {
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kFirstMonthBox + 2);  // November
    Click(dialog, kIdOk);
    EXPECT_EQ(dialog.FocusedControl(), MainDialog::kPublisherList);
    EXPECT_TRUE(dialog.PrintNote()->isVisible());
    EXPECT_EQ(dialog.PrintNote()->text().toStdString(), "In „" + Pdf() + "“ gedruckt");
    for (int id : {MainDialog::kOptionsButton, int{kIdOk}, int{kIdCancel}})
      EXPECT_FALSE(dialog.PrintNote()->geometry().intersects(dialog.Control(id)->geometry()));
  });
  ASSERT_TRUE(FileExists("card.pdf"));
  EXPECT_EQ(PageCount(), 1);
  std::string info = PdfInfo();
  EXPECT_NE(info.find("Title:           S-21 2027 Meier, Anna"), std::string::npos) << info;
  std::string text = PdfText();
  // The month box cleared "Drucke Kartenkopf": only the body prints.
  EXPECT_EQ(text.find("Anna Meier"), std::string::npos) << text;
  EXPECT_NE(text.find("12¾"), std::string::npos) << text;
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(PrintCardTest, EnterInTheListPrintsTheHeaderOfTheSelectedPublisher) {
  RunMain([&](MainDialog& dialog) {
    ListBox* list = dialog.PublisherList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
  });
  std::string text = PdfText();
  EXPECT_NE(text.find("Anna Meier"), std::string::npos) << text;
  EXPECT_NE(text.find("Lindenstraße 3"), std::string::npos) << text;
  EXPECT_NE(text.find("05/14/1990"), std::string::npos) << text;
}

TEST_F(PrintCardTest, EnterRightAfterATypeAheadPrintsTheNewSelection) {
  RunMain([&](MainDialog& dialog) {
    ProcessEvents();  // the preview paints Anna
    ASSERT_EQ(dialog.cardName, "Anna Meier");
    PublisherListBox* list = dialog.PublisherList();
    list->setFocus();
    SendText(list, "so");
    QTest::keyClick(list, Qt::Key_Return);  // before the preview could paint again
  });
  std::string text = PdfText();
  EXPECT_NE(text.find("Smilla Sommer"), std::string::npos) << text;
  EXPECT_EQ(text.find("Anna Meier"), std::string::npos) << text;
}

TEST_F(PrintCardTest, WithoutAPrinterTheMessageIsNoPrinter) {
  NoPrinter none;
  environment.printer = &none;
  RunMain([&](MainDialog& dialog) { Click(dialog, kIdOk); });
  EXPECT_EQ(messages.texts, std::vector<std::string>{"No Printer"});
}

// A printer that prints into a file passes the save commands' check before
// every print, with their messages; nothing is printed onto what it refuses.
TEST_F(PrintCardTest, APrinterIntoAFileThatTheSaveCommandsRefusePrintsNothing) {
  const std::string table = ReadFileText("tdat9.bin");
  printDialogs.previewScript = [](QPrintPreviewDialog& preview) {
    preview.findChild<QAction*>(QStringLiteral("print"))->trigger();
  };
  const std::string cases[][3] = {
      {"Den Ordner von ", (folder.Path() / "no" / "card.pdf").string(), " gibt es nicht."},
      {"", (folder.Path() / "tdat9.bin").string(),
       " wird nicht überschrieben: Morvind liest diese Datei (Daten, Layout oder Einstellungen)."},
      {"", folder.Path().string(), " ist ein Ordner."}};
  for (const auto& [before, file, after] : cases) {
    PdfFilePrinter into(QString::fromStdString(file));
    environment.printer = &into;
    messages.texts.clear();
    RunMain([&](MainDialog& dialog) {
      Click(dialog, kIdOk);
      for (auto command :
           {PrintCommands::kPrintList, PrintCommands::kTestPrint, PrintCommands::kPreview})
        dialog.Commands()->Action(command)->trigger();
      EXPECT_FALSE(dialog.PrintNote()->isVisible());
    });
    EXPECT_EQ(messages.texts, std::vector<std::string>(4, before + file + after));
  }
  EXPECT_EQ(ReadFileText("tdat9.bin"), table);
}

TEST_F(PrintCardTest, NothingIsPrintedWithoutASelection) {
  RunMain([&](MainDialog& dialog) {
    dialog.PublisherList()->SetCurSel(-1);
    dialog.RefreshSelection();
    Click(dialog, kIdOk);
  });
  EXPECT_FALSE(FileExists("card.pdf"));
  EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace morvind::test
