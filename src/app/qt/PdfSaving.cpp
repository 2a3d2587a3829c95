#include "app/qt/PdfSaving.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>

#include "app/PrintNotes.h"
#include "app/RecordWords.h"
#include "app/RememberedFolder.h"
#include "app/qt/MainDialog.h"
#include "app/qt/PrintCommandTexts.h"
#include "app/qt/PrintDialogs.h"
#include "app/qt/PrintTargets.h"
#include "app/qt/PublisherListBox.h"
#include "printing/qt/PdfFile.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

// A name as part of a file name: no folder separators.
QString FileNamePart(const std::string& text) {
  QString part = ToQt(text).trimmed();
  part.replace(QLatin1Char('/'), QLatin1Char('-'));
  return part;
}

// A folder to offer for new files: one the user may write into and has not
// write-protected. Root may write into any folder, but one without any
// write permission was protected on purpose.
bool IsWritableFolder(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return false;
  return ::geteuid() != 0 || (info.st_mode & 0222) != 0;
}

}  // namespace

PdfSaving::PdfSaving(MainDialog& window, PrintDialogs& dialogs, PrintTargets& targets)
    : window_(window), dialogs_(dialogs), targets_(targets) {}

QPageLayout PdfSaving::Page() {
  if (QPrinter* printer = window_.CurrentPrinter()) return printer->pageLayout();
  return PlainPdfPage();
}

void PdfSaving::RememberFolder(const std::filesystem::path& folder) {
  lastFolder_ = folder;
  ProfileFile settings(window_.Environment().settingsFile);
  window_.Messages().ShowSaveFailure(settings.Path(),
                                     morvind::RememberFolder(settings, kPdfFolderKey, folder));
}

std::filesystem::path PdfSaving::SuggestedFolder() const {
  if (!lastFolder_.empty()) return lastFolder_;
  // The folder of an earlier run, while it is there.
  const std::filesystem::path remembered =
      RememberedFolder(ProfileFile(window_.Environment().settingsFile), kPdfFolderKey);
  if (!remembered.empty()) return remembered;
  std::filesystem::path data = window_.Environment().dataFolder.Dir();
  if (data.empty()) data = std::filesystem::current_path();
  data = std::filesystem::absolute(data);
  if (IsWritableFolder(data)) return data;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return FromQt(documents);
  return FromQt(QDir::homePath());
}

std::string PdfSaving::SelectedName() const {
  ListBox* list = window_.PublisherList();
  return FromQt(FileNamePart(list->Text(list->GetCurSel())));
}

std::string PdfSaving::DocumentTitle(bool wholeList) const {
  const std::string name =
      wholeList
          ? FromQt(FileNamePart(FilterCaption(window_.PrintState().filter, window_.Strings())))
          : SelectedName();
  // The service year printed on the pages tells one year's file from the next.
  return RecordTitle(PrintedServiceYear(window_.BuildCardRequest()), name);
}

void PdfSaving::SaveAs(const QString& title, const std::string& fileName, const PdfWrite& write) {
  QString suggested = ToQt((SuggestedFolder() / "").string() + fileName);
  for (;;) {
    const QString chosen = dialogs_.AskSaveFile(&window_, title, suggested);
    if (chosen.isEmpty()) return;
    std::filesystem::path target = FromQt(chosen);
    if (!chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) target += ".pdf";
    target = std::filesystem::absolute(target);
    suggested = ToQt(target.string());
    if (!targets_.Check(target)) continue;
    const PrintResult result = write(target);
    ShowPrintFailure(window_.Messages(), result);
    if (result.outcome == PrintOutcome::kPrinted) RememberFolder(target.parent_path());
    // A file that could not be written is asked for again; a cancel is not.
    if (result.outcome == PrintOutcome::kPrinted || result.outcome == PrintOutcome::kCancelled)
      return;
  }
}

void PdfSaving::SaveCard(const CardDocumentOptions& options) {
  std::optional<CardRequest> card = window_.SelectedCardRequest();
  if (!card) return;
  CardDocumentOptions titled = options;
  titled.title = DocumentTitle(false);
  SaveCards(DialogTitle(SaveRecordPdfEntry(window_.PrintState().form)), {*card}, titled);
}

void PdfSaving::SaveCards(const QString& dialogTitle, const std::vector<CardRequest>& cards,
                          const CardDocumentOptions& options) {
  if (cards.empty() || !window_.ConfirmPaperWidth(Page(), cards.front(), kSaveAnswer)) return;
  const QPageLayout page = Page();
  SaveAs(dialogTitle, options.title + ".pdf", [&](const std::filesystem::path& target) {
    return WritePdfFile(cards, target, page, options);
  });
}

}  // namespace morvind
