#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <fstream>

#include "MainDialogFixture.h"
#include "PopplerFile.h"
#include "app/qt/OfficialFormPanes.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"
#include "core/ScratchFolder.h"
#include "layout/qt/OptionsDialog.h"
#include "preview/qt/PreviewPane.h"
#include "printing/qt/OfficialForm.h"
#include "support/FillableFormWriter.h"

namespace morvind::test {
namespace {

// Three publishers and the test form in the data folder.
class OfficialFormWindowTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11),
                               Publisher("Jürgen", "Müller", 1, 12),
                               Publisher("Carl", "Berg", 1, 14)};
    congregation.publishers[1].SetFigure(10, kHours, 0, 12);
    WriteData();
    std::ofstream(FormFile(), std::ios::binary) << FillableFormPdf();
  }
  std::string FormFile() const { return (folder.Path() / "S-21 Testformular.pdf").string(); }
  void ChooseOfficialForm() {
    WriteSettings("[Format]\nForm=2\nForm File=\"" + FormFile() + "\"\n");
  }
  static void Run(MainDialog& dialog, PrintCommands::Command command) {
    dialog.Commands()->Action(command)->trigger();
    ProcessEvents();
  }
  // The name field of a filled form file, as Poppler reads it.
  static std::string FilledName(const std::filesystem::path& file) {
    const PopplerFile pdf(ReadBytes(file));
    return pdf.Has("900_1_Text_SanSerif") ? pdf.Value("900_1_Text_SanSerif") : "no name field";
  }
};

// The refusals' texts are the form check's own, tested with it.
TEST_F(OfficialFormWindowTest, AStoredFormFileThatFailsGivesWayToTheSheetForThisRunOnly) {
  for (const std::string& file : {FormFile(), (folder.Path() / "gone.pdf").string()}) {
    messages.texts.clear();
    const bool serves = file == FormFile();
    const std::string settings = "[Format]\nForm=2\nForm File=\"" + file + "\"\n";
    WriteSettings(settings);
    RunMain([&](MainDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(),
                serves ? "Morvind - Amtliches Formular (S-21 Testformular.pdf)"
                       : "Morvind - Blatt S-21 11/23");
      // Optionen shows the stored choice, whatever this run prints.
      host.Expect(kOptionsTemplate, [](Dialog& options) {
        EXPECT_TRUE(options.CheckState(OptionsDialog::kOfficialFormRadio));
        options.ClickButton(kIdOk);
      });
      Click(dialog, MainDialog::kOptionsButton);
      EXPECT_EQ(dialog.form, serves ? RecordForm::kOfficialForm : RecordForm::kSheet1123);
    });
    EXPECT_EQ(messages.texts,
              serves ? std::vector<std::string>{}
                     : std::vector<std::string>{"Die Formulardatei „" + file +
                                                "“ ist nicht mehr da.\n\nGedruckt wird das "
                                                "Blatt S-21 11/23."});
    EXPECT_EQ(ReadFileText("morvind.INI"), settings);  // the choice is kept as stored
  }
}

TEST_F(OfficialFormWindowTest, AChosenFormIsRenderedIntoThePanesOncePerRecordAndSize) {
  printDialogs.openAnswers = {QString::fromStdString(FormFile())};
  RunMain([&](MainDialog& dialog) {
    host.Expect(kOptionsTemplate, [](Dialog& options) {
      options.ClickButton(OptionsDialog::kFormFileButton);
      options.ClickButton(kIdOk);
    });
    Click(dialog, MainDialog::kOptionsButton);
    dialog.show();
    auto renders = [&] {
      dialog.HeaderPane()->repaint();
      dialog.BodyPane()->repaint();
      return dialog.OfficialPanes().RenderCount();
    };
    const int rendered = renders();
    EXPECT_EQ(renders(), rendered);  // a paint alone renders nothing anew
    dialog.PublisherList()->SetCurSel(1);
    dialog.RefreshSelection();
    EXPECT_EQ(renders(), rendered + 2);
    // A larger window renders both anew at the panes' new size; the month
    // boxes stay hidden, as with the drawn sheet.
    dialog.resize(dialog.size() + QSize(100, 60));
    EXPECT_EQ(renders(), rendered + 4);
    EXPECT_FALSE(dialog.IsShown(MainDialog::kFirstMonthBox));
  });
  EXPECT_NE(ReadFileText("morvind.INI").find("Form=2\nForm File=\"" + FormFile() + "\"\n"),
            std::string::npos);
}

TEST_F(OfficialFormWindowTest, PrintSaveAndTheFolderOfRecordsFillTheForm) {
  ChooseOfficialForm();
  const std::filesystem::path records = folder.Path() / "S-21";
  std::filesystem::create_directory(records);
  // The form file itself is refused as the target, and the dialog asks again.
  printDialogs.saveAnswers = {QString::fromStdString(FormFile()),
                              QString::fromStdString((folder.Path() / "Anna").string()),
                              QString::fromStdString((folder.Path() / "Liste").string())};
  printDialogs.openAnswers = {QString::fromStdString(records.string()),
                              QString::fromStdString(records.string())};
  bool wholeListEnabled = true;
  QString chosen;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    auto* items = qobject_cast<QStandardItemModel*>(choice->model());
    wholeListEnabled = items->item(1)->isEnabled();
    chosen = choice->itemText(0);
    EXPECT_TRUE(preview.printer()->fullPage());
    EXPECT_EQ(preview.findChild<QPrintPreviewWidget*>()->zoomMode(),
              QPrintPreviewWidget::FitToWidth);
  };
  RunMain([&](MainDialog& dialog) {
    Click(dialog, kIdOk);  // "Drucken" into the print-to-file printer: the filled PDF
    EXPECT_EQ(FilledName(folder.Path() / "card.pdf"), "Anna Meier");
    Run(dialog, PrintCommands::kPreview);
    EXPECT_EQ(dialog.Commands()->Action(PrintCommands::kSaveCardPdf)->text().toStdString(),
              "Formular als PDF speichern…");
    Run(dialog, PrintCommands::kSaveCardPdf);
    Run(dialog, PrintCommands::kPrintList);  // into the printer's file: the list's PDF
    EXPECT_EQ(dialog.PrintNote()->text().toStdString(),
              "3 Formulare in „" + (folder.Path() / "card.pdf").string() + "“ gedruckt");
    Run(dialog, PrintCommands::kSaveListPdf);
    Run(dialog, PrintCommands::kFileForms);
    Run(dialog, PrintCommands::kFileForms);  // again: every file as it was
  });
  EXPECT_FALSE(wholeListEnabled);
  EXPECT_EQ(chosen, QStringLiteral("Gewähltes Formular"));
  EXPECT_EQ(printDialogs.progress.front().second.rfind("Formular 1 von 3: ", 0), 0u);
  EXPECT_EQ(FilledName(folder.Path() / "Anna.pdf"), "Anna Meier");
  EXPECT_EQ(FilledName(folder.Path() / "card.pdf"), "no name field");  // drawn into the page
  EXPECT_EQ(FilledName(folder.Path() / "Liste.pdf"), "no name field");
  EXPECT_EQ(FilledName(records / "S-21 2027 Müller, Jürgen.pdf"), "Jürgen Müller");
  const std::string folderName = "„" + records.string() + "“";
  EXPECT_EQ(messages.texts, (std::vector<std::string>{
                                FormFile() + " wird nicht überschrieben: Es ist die Formulardatei.",
                                "3 Formulare in " + folderName +
                                    ": 3 neu, 0 geändert, 0 unverändert, 0 nicht ersetzt.",
                                "3 Formulare in " + folderName +
                                    ": 0 neu, 0 geändert, 3 unverändert, 0 nicht ersetzt."}));
  EXPECT_EQ(messages.questions.back(), "3 Formulare in Ordner ablegen?");
  // The second folder dialog opened where the first was left: "Records
  // Folder" in the settings.
  EXPECT_EQ(printDialogs.openedIn.back(), QString::fromStdString(records.string()));
}

// Each page's record and service year as one PDF shows them: "Anna Meier
// 2027", or only the name on a page without the service year.
std::vector<std::string> PagesShown(const std::filesystem::path& file) {
  std::vector<std::string> shown;
  std::unique_ptr<Poppler::Document> pdf =
      Poppler::Document::load(QString::fromStdString(file.string()));
  for (int p = 0; pdf && p < pdf->numPages(); ++p) {
    const QString text = pdf->page(p)->text(QRectF());
    std::string page;
    for (const char* name : {"Anna Meier", "Jürgen Müller", "Carl Berg"})
      if (text.contains(QString::fromUtf8(name))) page += name;
    const QRegularExpressionMatch year = QRegularExpression("\\b20[0-9]{2}\\b").match(text);
    if (year.hasMatch()) page += " " + year.captured().toStdString();
    shown.push_back(page);
  }
  return shown;
}

// "Liste als PDF speichern…" and "Übergabe als PDF speichern…" with both
// 11/23 forms: one PDF each, in list order, a publisher's previous service
// year before the current one; the official form's two pages each time,
// its fields drawn into them. The card S-21 10/15 has no two years.
TEST_F(OfficialFormWindowTest, TheListAndAPublishersTwoServiceYearsGoIntoOnePdfWithEitherSheet) {
  const struct {
    int form;
    PrintCommands::Command command;
    QString suggested;
    std::vector<std::string> pages;
  } cases[] = {
      {1,
       PrintCommands::kSaveListPdf,
       "S-21 2027 Alle Verkündiger.pdf",
       {"Anna Meier 2027", "Jürgen Müller 2027", "Carl Berg 2027"}},
      {1,
       PrintCommands::kSaveTwoYears,
       "S-21 2026-2027 Meier, Anna.pdf",
       {"Anna Meier 2026", "Anna Meier 2027"}},
      {2,
       PrintCommands::kSaveListPdf,
       "S-21 2027 Alle Verkündiger.pdf",
       {"Anna Meier 2027", "Anna Meier", "Jürgen Müller 2027", "Jürgen Müller", "Carl Berg 2027",
        "Carl Berg"}},
      {2,
       PrintCommands::kSaveTwoYears,
       "S-21 2026-2027 Meier, Anna.pdf",
       {"Anna Meier 2026", "Anna Meier", "Anna Meier 2027", "Anna Meier"}},
      {0, PrintCommands::kSaveTwoYears, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.form) + "/" + std::to_string(c.command));
    WriteSettings("[Format]\nForm=" + std::to_string(c.form) + "\nForm File=\"" + FormFile() +
                  "\"\n");
    const std::filesystem::path file = folder.Path() / "out.pdf";
    std::filesystem::remove(file);
    printDialogs.saveAnswers = {QString::fromStdString(file.string())};
    printDialogs.saveSuggestions.clear();
    QString tip;
    RunMain([&](MainDialog& dialog) {
      dialog.Commands()->UpdateStates();
      tip = dialog.Commands()->Action(c.command)->toolTip();
      Run(dialog, c.command);
    });
    EXPECT_EQ(PagesShown(file), c.pages);
    if (c.suggested.isEmpty()) {
      EXPECT_EQ(tip, QStringLiteral("Nur für das Blatt S-21 11/23 und das amtliche Formular"));
      EXPECT_TRUE(printDialogs.saveSuggestions.empty());
      printDialogs.saveAnswers.clear();
    } else {
      EXPECT_EQ(printDialogs.saveSuggestions,
                std::vector<QString>{QString::fromStdString((folder.Path() / "").string()) +
                                     c.suggested});
    }
    if (c.form == 2) {
      EXPECT_EQ(FilledName(file), "no name field");
    }
  }
}

}  // namespace
}  // namespace morvind::test
