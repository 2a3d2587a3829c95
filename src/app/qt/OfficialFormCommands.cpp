// The print commands with the official form: each one fills the
// congregation's own PDF form, read from its file anew, with what the
// drawn sheet would show.

#include <sys/stat.h>
#include <unistd.h>

#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <cerrno>
#include <system_error>

#include "app/CardPlan.h"
#include "app/ProfileFile.h"
#include "app/RecordWords.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PrintCommands.h"
#include "pdf/FormFonts.h"
#include "printing/CardDocument.h"
#include "printing/OfficialFormFields.h"
#include "printing/OutputTarget.h"
#include "printing/RecordsFolder.h"
#include "printing/SheetContent.h"
#include "printing/qt/FilledFormPrint.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/RecordsFolderRun.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr std::string_view kRecordsSection = "Morvind";
constexpr std::string_view kRecordsFolderKey = "Records Folder";

}  // namespace

bool PrintCommands::OfficialFormChosen() const {
  return window_.form == RecordForm::kOfficialForm;
}

std::unique_ptr<OfficialForm> PrintCommands::OpenOfficialForm() {
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form = OfficialForm::Open(
      window_.formFile, check, WorkingCopyOptionsFor(window_.data.table.GetCodePage()));
  if (!form)
    window_.Messages().ShowMessage(FormFileMessage(check, window_.formFile), MessageIcon::kWarning);
  return form;
}

PrintResult PrintCommands::PrintOfficialForms(QPrinter& printer,
                                              const std::vector<CardRequest>& cards,
                                              const CardDocumentOptions& options) {
  std::unique_ptr<OfficialForm> form = OpenOfficialForm();
  if (!form) return {PrintOutcome::kCancelled};  // said so
  // The CUPS job is named as a drawn print would be.
  printer.setDocName(QString::fromStdString(DocumentName(options)));
  return PrintFilledForms(printer, *form, PlanRecords(cards, window_.firstNameSort != 0),
                          options.cardDone);
}

bool PrintCommands::RefuseListIntoFile(QPrinter& printer) {
  if (!OfficialFormChosen() || !PrintsIntoFile(printer)) return false;
  window_.Messages().ShowMessage(
      "Eine Liste amtlicher Formulare lässt sich nicht in eine Datei drucken. „Formulare in "
      "Ordner ablegen…“ legt sie einzeln ab.",
      MessageIcon::kWarning);
  return true;
}

void PrintCommands::SaveOfficialForm(const CardRequest& card) {
  std::unique_ptr<OfficialForm> form = OpenOfficialForm();
  if (!form) return;
  // Named as the folder of records names the record, so that a file saved
  // into it is that record's file.
  const FolderRecord record = PlanRecords({card}, window_.firstNameSort != 0).front();
  QString suggested = ToQt((SuggestedPdfFolder() / record.fileName).string());
  for (;;) {
    const QString chosen =
        Dialogs().AskSaveFile(&window_, QStringLiteral("Formular als PDF speichern"), suggested);
    if (chosen.isEmpty()) return;
    std::filesystem::path target = FromQt(chosen);
    if (!chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) target += ".pdf";
    target = std::filesystem::absolute(target);
    suggested = ToQt(target.string());
    if (!CheckTarget(target)) continue;
    const WriteResult written = SaveRecordFile(*form, record, target);
    if (window_.Messages().ShowSaveFailure(target, written)) continue;
    RememberPdfFolder(target.parent_path());
    return;
  }
}

std::filesystem::path PrintCommands::RecordsFolderToOpen() const {
  const ProfileFile settings(window_.Environment().settingsFile);
  std::filesystem::path last = settings.GetProfileString(kRecordsSection, kRecordsFolderKey, "");
  std::error_code error;
  if (!last.empty() && std::filesystem::is_directory(last, error)) return last;
  return SuggestedPdfFolder();
}

void PrintCommands::FileOfficialForms() {
  const std::vector<CardRequest> cards = ListCardsOrMessage();
  if (cards.empty() ||
      !window_.Messages().Ask(
          RecordCount(RecordForm::kOfficialForm, cards.size()) + " in Ordner ablegen?", "Ablegen",
          "Abbrechen"))
    return;
  const QString chosen =
      Dialogs().AskFolder(&window_, QStringLiteral("Formulare in Ordner ablegen"),
                          ToQt(RecordsFolderToOpen().string()));
  if (chosen.isEmpty()) return;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(FromQt(chosen), error);
  ProfileFile settings(window_.Environment().settingsFile);
  if (settings.GetProfileString(kRecordsSection, kRecordsFolderKey, "") != folder.string())
    window_.Messages().ShowSaveFailure(
        settings.Path(), settings.WriteProfileString(kRecordsSection, kRecordsFolderKey,
                                                     "\"" + folder.string() + "\""));
  std::unique_ptr<OfficialForm> form = OpenOfficialForm();
  if (!form) return;

  const RecordsFolderJob job =
      PlanRecordsFolder(cards, window_.firstNameSort != 0, folder, window_.formFile);
  const RecordsFolderTally tally =
      WithProgress<RecordsFolderTally>(cards, [&](const CardDocumentOptions& progress) {
        return FillRecordsFolder(*form, job, progress.cardDone);
      });
  const bool plain = !tally.busy && !tally.Stopped() && tally.kept.empty();
  window_.Messages().ShowMessage(RecordsFolderSummary(tally, folder.string()),
                                 plain ? MessageIcon::kNone : MessageIcon::kWarning);
}

}  // namespace morvind
