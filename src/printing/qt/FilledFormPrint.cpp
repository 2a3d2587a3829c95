#include "printing/qt/FilledFormPrint.h"

#include <stdlib.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "printing/CardDocument.h"

namespace morvind {
namespace {

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// A filled form that Poppler could not produce is reported as a failed
// write: nothing of it reached the file.
WriteResult NotProduced(const std::filesystem::path& target) {
  return WriteResult{
      .problem = WriteProblem::kSystem, .error = EIO, .detail = target.parent_path()};
}

// The print preview asks for its pages as drawings.
PrintResult DrawRendered(QPrinter& printer, OfficialForm& form,
                         const std::vector<FolderRecord>& forms,
                         const std::function<bool(int)>& formDone) {
  QPainter painter;
  if (!painter.begin(&printer)) return {PrintOutcome::kNoPainter};
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  const int resolution = printer.resolution();
  // The painter starts at the printable area; the form places itself on
  // the paper.
  const QPointF paper = printer.pageLayout().fullRectPixels(resolution).topLeft() -
                        printer.pageLayout().paintRectPixels(resolution).topLeft();
  bool first = true;
  for (std::size_t i = 0; i < forms.size(); ++i) {
    form.Fill(forms[i].values);
    for (int page = 0; page < form.PageCount(); ++page) {
      if (!first) printer.newPage();
      first = false;
      const QSizeF points = form.PageSizePoints(page);
      painter.drawImage(QRectF(paper, points * (resolution / 72.0)), form.Render(page, dpi, dpi));
    }
    if (formDone && !formDone(static_cast<int>(i + 1)) && i + 1 < forms.size())
      return {PrintOutcome::kCancelled};
  }
  return {};
}

}  // namespace

CupsOptions FilledFormJobOptions(QPrinter& printer, const OfficialForm& form) {
  const QPageSize media(form.PageSizePoints(0), QPageSize::Point, QString(),
                        QPageSize::FuzzyOrientationMatch);
  CupsOptions options = CupsJobOptions(printer, media, QPageLayout::Portrait);
  options.emplace_back("pdftopdf-form-flattening", "pdftocairo");
  return options;
}

PrintResult PrintFilledForms(QPrinter& printer, OfficialForm& form,
                             const std::vector<FolderRecord>& forms,
                             const std::function<bool(int formsDone)>& formDone) {
  if (PrintsIntoFile(printer)) {
    if (forms.size() != 1) return {PrintOutcome::kNoPainter};
    const std::filesystem::path target = PathOf(printer.outputFileName());
    const WriteResult written = WriteFilledForm(form, forms.front().values, target);
    if (!written.Ok()) return {PrintOutcome::kNotWritten, written, target};
    if (formDone) formDone(1);
    return {};
  }
  if (PrintsToQueue(printer)) {
    const FormJobSubmit cups = [](QPrinter& queue, const std::vector<CupsDocument>& files,
                                  const CupsOptions& options) {
      return SubmitDocumentsToCups(
          queue, files,
          queue.docName().isEmpty() ? QString::fromLatin1(kDocumentName) : queue.docName(),
          options);
    };
    return SubmitFilledForms(printer, form, forms, formDone, cups);
  }
  return DrawRendered(printer, form, forms, formDone);
}

PrintResult SubmitFilledForms(QPrinter& printer, OfficialForm& form,
                              const std::vector<FolderRecord>& forms,
                              const std::function<bool(int formsDone)>& formDone,
                              const FormJobSubmit& submit) {
  const SpoolFolder spool;
  if (!spool.Made()) return spool.Failure();
  const std::filesystem::path& folder = spool.Path();
  PrintResult result;
  std::vector<CupsDocument> documents;
  for (std::size_t i = 0; i < forms.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "form-%05zu.pdf", i + 1);
    const WriteResult written = WriteFilledForm(form, forms[i].values, folder / name);
    if (!written.Ok()) {
      result = spool.Failure(written);
      break;
    }
    documents.push_back({QFile::decodeName((folder / name).c_str()),
                         QString::fromStdString(RecordFileTitle(forms[i].fileName))});
    if (formDone && !formDone(static_cast<int>(i + 1)) && i + 1 < forms.size()) {
      result.outcome = PrintOutcome::kCancelled;
      break;
    }
  }
  if (result.outcome == PrintOutcome::kPrinted &&
      !submit(printer, documents, FilledFormJobOptions(printer, form)))
    result.outcome = PrintOutcome::kNoPainter;
  return result;
}

WriteResult WriteFilledForm(OfficialForm& form, const std::vector<FormFieldValue>& values,
                            const std::filesystem::path& target) {
  form.Fill(values);
  const std::optional<std::string> bytes = form.SaveFilled();
  if (!bytes) return NotProduced(target);
  return ReplaceFileContents(target, *bytes);
}

}  // namespace morvind
