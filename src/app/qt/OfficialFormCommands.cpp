#include "app/qt/OfficialFormCommands.h"

#include <QPrinter>
#include <string_view>
#include <system_error>

#include "app/ProfileFile.h"
#include "app/qt/ListProgress.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PdfSaving.h"
#include "app/qt/PrintDialogs.h"
#include "pdf/FormFonts.h"
#include "printing/FormFileCheck.h"
#include "printing/RecordsFolder.h"
#include "printing/qt/FilledFormPrint.h"
#include "printing/qt/OfficialForm.h"
#include "printing/qt/RecordsFolderRun.h"
#include "printing/qt/RecordsPdfFile.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr std::string_view kRecordsSection = "Morvind";
constexpr std::string_view kRecordsFolderKey = "Records Folder";

}  // namespace

OfficialFormCommands::OfficialFormCommands(MainDialog& window, PrintDialogs& dialogs,
                                           PdfSaving& files)
    : window_(window), dialogs_(dialogs), files_(files) {}

bool OfficialFormCommands::Chosen() const {
  return window_.PrintState().form == RecordForm::kOfficialForm;
}

std::unique_ptr<OfficialForm> OfficialFormCommands::Open(bool flattened) {
  const PrintState state = window_.PrintState();
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form = OfficialForm::Open(
      state.formFile, check, WorkingCopyOptionsFor(state.data->table.GetCodePage(), flattened));
  if (!form)
    window_.Messages().ShowMessage(FormFileMessage(check, state.formFile.string()),
                                   MessageIcon::kWarning);
  return form;
}

PrintResult OfficialFormCommands::Print(QPrinter& printer, const std::vector<CardRequest>& cards,
                                        const CardDocumentOptions& options) {
  std::unique_ptr<OfficialForm> form = Open();
  if (!form) return {PrintOutcome::kCancelled};  // said so
  // The CUPS job is named as a drawn print would be.
  printer.setDocName(QString::fromStdString(DocumentName(options)));
  return PrintFilledForms(printer, *form, PlanRecords(cards, window_.PrintState().firstNameSort),
                          options.cardDone);
}

PrintResult OfficialFormCommands::WriteFlattened(OfficialForm& form,
                                                 const std::vector<CardRequest>& cards,
                                                 const std::filesystem::path& target,
                                                 const std::string& title,
                                                 const RecordDone& recordDone) {
  return WriteRecordsPdf(form, PlanRecords(cards, window_.PrintState().firstNameSort), target,
                         title, recordDone);
}

void OfficialFormCommands::SaveRecord(const CardRequest& card) {
  std::unique_ptr<OfficialForm> form = Open();
  if (!form) return;
  const FolderRecord record = PlanRecords({card}, window_.PrintState().firstNameSort).front();
  files_.SaveAs(QStringLiteral("Formular als PDF speichern"), record.fileName,
                [&](const std::filesystem::path& target) {
                  const WriteResult written = SaveRecordFile(*form, record, target);
                  if (written.Ok()) return PrintResult{};
                  return PrintResult{PrintOutcome::kNotWritten, written, target};
                });
}

std::filesystem::path OfficialFormCommands::RecordsFolderToOpen() const {
  const ProfileFile settings(window_.Environment().settingsFile);
  std::filesystem::path last = settings.GetProfileString(kRecordsSection, kRecordsFolderKey, "");
  std::error_code error;
  if (!last.empty() && std::filesystem::is_directory(last, error)) return last;
  return files_.SuggestedFolder();
}

void OfficialFormCommands::FileIntoFolder(const std::vector<CardRequest>& cards) {
  const QString chosen = dialogs_.AskFolder(&window_, QStringLiteral("Formulare in Ordner ablegen"),
                                            ToQt(RecordsFolderToOpen().string()));
  if (chosen.isEmpty()) return;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(FromQt(chosen), error);
  ProfileFile settings(window_.Environment().settingsFile);
  if (settings.GetProfileString(kRecordsSection, kRecordsFolderKey, "") != folder.string())
    window_.Messages().ShowSaveFailure(
        settings.Path(), settings.WriteProfileString(kRecordsSection, kRecordsFolderKey,
                                                     "\"" + folder.string() + "\""));
  std::unique_ptr<OfficialForm> form = Open();
  if (!form) return;

  const PrintState state = window_.PrintState();
  const RecordsFolderJob job =
      PlanRecordsFolder(cards, state.firstNameSort, folder, state.formFile);
  RecordsFolderTally tally;
  WithListProgress(window_, dialogs_, cards, [&](const RecordDone& recordDone) {
    tally = FillRecordsFolder(*form, job, recordDone);
  });
  const bool plain = !tally.busy && !tally.Stopped() && tally.kept.empty();
  window_.Messages().ShowMessage(RecordsFolderSummary(tally, folder.string()),
                                 plain ? MessageIcon::kNone : MessageIcon::kWarning);
}

}  // namespace morvind
