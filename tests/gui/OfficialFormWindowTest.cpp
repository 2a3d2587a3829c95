#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QStandardItemModel>
#include <fstream>

#include "MainDialogFixture.h"
#include "app/qt/OfficialFormPanes.h"
#include "app/qt/PrintCommands.h"
#include "app/qt/PublisherListBox.h"
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
  // The name field of a filled form file.
  static std::string FilledName(const std::filesystem::path& file) {
    FormFileCheck check;
    std::unique_ptr<OfficialForm> form = OfficialForm::Open(file, check);
    return form ? form->CurrentValues().front().text : "unreadable: " + check.field;
  }
};

TEST_F(OfficialFormWindowTest, AStoredFormFileThatFailsGivesWayToTheSheetForThisRunOnly) {
  std::ofstream(folder.Path() / "note.pdf") << "no PDF";
  const struct {
    std::string file;
    std::string message;  // empty: the form serves
  } cases[] = {
      {FormFile(), ""},
      {(folder.Path() / "gone.pdf").string(),
       "Die Formulardatei „" + (folder.Path() / "gone.pdf").string() + "“ ist nicht mehr da."},
      {(folder.Path() / "note.pdf").string(),
       "Die Datei „" + (folder.Path() / "note.pdf").string() + "“ ist kein lesbares PDF-Dokument."},
  };
  for (const auto& c : cases) {
    messages.texts.clear();
    const std::string settings = "[Format]\nForm=2\nForm File=\"" + c.file + "\"\n";
    WriteSettings(settings);
    RunMain([&](MainDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(),
                c.message.empty() ? "Morvind - Amtliches Formular (S-21 Testformular.pdf)"
                                  : "Morvind - Blatt S-21 11/23");
      // Optionen shows the stored choice, whatever this run prints.
      host.Expect(kOptionsTemplate, [](Dialog& options) {
        EXPECT_TRUE(options.CheckState(OptionsDialog::kOfficialFormRadio));
        options.ClickButton(kIdOk);
      });
      Click(dialog, MainDialog::kOptionsButton);
      EXPECT_EQ(dialog.form,
                c.message.empty() ? RecordForm::kOfficialForm : RecordForm::kSheet1123);
    });
    EXPECT_EQ(messages.texts, c.message.empty()
                                  ? std::vector<std::string>{}
                                  : std::vector<std::string>{
                                        c.message + "\n\nGedruckt wird das Blatt S-21 11/23."});
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
    EXPECT_EQ(dialog.windowTitle().toStdString(),
              "Morvind - Amtliches Formular (S-21 Testformular.pdf)");
    dialog.show();
    dialog.HeaderPane()->repaint();
    dialog.BodyPane()->repaint();
    const int rendered = dialog.OfficialPanes().RenderCount();
    EXPECT_GE(rendered, 2);
    dialog.HeaderPane()->repaint();  // a paint alone renders nothing anew
    dialog.BodyPane()->repaint();
    EXPECT_EQ(dialog.OfficialPanes().RenderCount(), rendered);
    dialog.PublisherList()->SetCurSel(1);
    dialog.RefreshSelection();
    dialog.HeaderPane()->repaint();
    dialog.BodyPane()->repaint();
    EXPECT_EQ(dialog.OfficialPanes().RenderCount(), rendered + 2);
    // A larger window renders both anew at the panes' new size; the month
    // boxes stay hidden, as with the drawn sheet.
    dialog.resize(dialog.size() + QSize(100, 60));
    dialog.HeaderPane()->repaint();
    dialog.BodyPane()->repaint();
    EXPECT_EQ(dialog.OfficialPanes().RenderCount(), rendered + 4);
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
                              QString::fromStdString((folder.Path() / "Anna").string())};
  printDialogs.openAnswers = {QString::fromStdString(records.string()),
                              QString::fromStdString(records.string())};
  bool wholeListEnabled = true;
  printDialogs.previewScript = [&](QPrintPreviewDialog& preview) {
    auto* choice = preview.findChild<QComboBox*>(QStringLiteral("previewChoice"));
    auto* items = qobject_cast<QStandardItemModel*>(choice->model());
    wholeListEnabled = items->item(1)->isEnabled();
    EXPECT_TRUE(preview.printer()->fullPage());
  };
  RunMain([&](MainDialog& dialog) {
    Click(dialog, kIdOk);  // "Drucken" into the print-to-file printer: the filled PDF
    EXPECT_EQ(FilledName(folder.Path() / "card.pdf"), "Anna Meier");
    Run(dialog, PrintCommands::kPreview);
    EXPECT_EQ(dialog.Commands()->Action(PrintCommands::kSaveCardPdf)->text().toStdString(),
              "Formular als PDF speichern…");
    Run(dialog, PrintCommands::kSaveCardPdf);
    Run(dialog, PrintCommands::kPrintList);  // not into one file
    Run(dialog, PrintCommands::kSaveListPdf);
    Run(dialog, PrintCommands::kSaveListPdf);  // again: every file as it was
  });
  EXPECT_FALSE(wholeListEnabled);
  EXPECT_EQ(FilledName(folder.Path() / "Anna.pdf"), "Anna Meier");
  EXPECT_EQ(FilledName(records / "S-21 2027 Müller, Jürgen.pdf"), "Jürgen Müller");
  const std::string folderName = "„" + records.string() + "“";
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{
                FormFile() + " wird nicht überschrieben: Es ist die Formulardatei.",
                "Eine Liste amtlicher Formulare lässt sich nicht in eine Datei drucken. "
                "„Formulare in Ordner ablegen…“ legt sie einzeln ab.",
                "3 Formulare in " + folderName + ": 3 neu, 0 geändert, 0 unverändert.",
                "3 Formulare in " + folderName + ": 0 neu, 0 geändert, 3 unverändert."}));
  EXPECT_EQ(messages.questions, (std::vector<std::string>{"3 Formulare in Ordner ablegen?",
                                                          "3 Formulare in Ordner ablegen?"}));
  // The second folder dialog opened where the first was left.
  EXPECT_EQ(printDialogs.openedIn.back(), QString::fromStdString(records.string()));
  EXPECT_NE(ReadFileText("morvind.INI").find("[Morvind]\nRecords Folder=\"" + records.string()),
            std::string::npos);
}

}  // namespace
}  // namespace morvind::test
