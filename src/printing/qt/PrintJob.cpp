#include "printing/qt/PrintJob.h"

#include <stdlib.h>

#include <QDir>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "printing/qt/CupsSubmit.h"
#include "printing/qt/QtSurface.h"

namespace morvind {
namespace {

constexpr const char* kNoPainterMessage = "no hdc";

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

PrintOutcome DrawCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                       const CardDocumentOptions& options) {
  // The print is named in the CUPS queue and in its PDF file by what it holds.
  printer.setDocName(QString::fromStdString(DocumentName(options)));
  QPainter painter;
  if (!painter.begin(&printer)) return PrintOutcome::kNoPainter;
  int unitsX = printer.logicalDpiX();
  int unitsY = printer.logicalDpiY();
  QtSurface surface(painter, unitsX, unitsY, &printer);
  DocumentEnd end = DrawCardDocument(surface, cards, options);
  if (end == DocumentEnd::kStopped) printer.abort();
  painter.end();
  return end == DocumentEnd::kStopped ? PrintOutcome::kCancelled : PrintOutcome::kPrinted;
}

// The printer's engine writes the print job into a temporary file beside
// `target`, which replaces it only when every card is in it.
PrintResult DrawIntoFile(QPrinter& printer, const std::filesystem::path& target,
                         const std::vector<CardRequest>& cards,
                         const CardDocumentOptions& options) {
  FileReplacement file(target);
  if (!file.Ready()) return {PrintOutcome::kNotWritten, file.Result(), target};
  const QString name = printer.outputFileName();
  // The temporary name has no ".pdf", so the printer keeps its format.
  printer.setOutputFileName(QFile::decodeName(file.TemporaryPath().c_str()));
  const PrintOutcome drawn = DrawCards(printer, cards, options);
  printer.setOutputFileName(name);
  if (drawn != PrintOutcome::kPrinted) return {drawn};  // the temporary file goes
  WriteResult written = file.Commit(EndsLikeAPdf);
  if (!written.Ok()) return {PrintOutcome::kNotWritten, written, target};
  return {};
}

// Qt's PDF engine and its CUPS engine (which is one) write files; the
// print preview puts an engine of its own on the same printer while it
// asks for its pages, and those go nowhere but on the screen.
bool HasFileEngine(QPrinter& printer) {
  const QPaintEngine* engine = printer.paintEngine();
  return engine && engine->type() == QPaintEngine::Pdf;
}

}  // namespace

bool PrintsIntoFile(QPrinter& printer) {
  return HasFileEngine(printer) && !printer.outputFileName().isEmpty();
}

bool PrintsToQueue(QPrinter& printer) {
  return HasFileEngine(printer) && printer.outputFormat() == QPrinter::NativeFormat &&
         printer.outputFileName().isEmpty() && !printer.printerName().isEmpty();
}

bool EndsLikeAPdf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  const std::streamoff tail = std::min<std::streamoff>(size, 64);
  std::string end(static_cast<std::size_t>(tail), '\0');
  in.seekg(size - tail);
  in.read(end.data(), tail);
  return in && end.find("%%EOF") != std::string::npos;
}

SpoolFolder::SpoolFolder() : temporary_(PathOf(QDir::tempPath())) {
  std::string pattern = (temporary_ / "morvind-job-XXXXXX").string();
  if (::mkdtemp(pattern.data())) {
    path_ = pattern;
  } else {
    madeFailure_ = {.problem = WriteProblem::kSystem, .error = errno, .detail = temporary_};
  }
}

SpoolFolder::~SpoolFolder() {
  std::error_code ignored;
  if (Made()) std::filesystem::remove_all(path_, ignored);
}

PrintResult SpoolThenSubmit(QPrinter& printer, const std::vector<CardRequest>& cards,
                            const CardDocumentOptions& options, const SpoolSubmit& submit) {
  const SpoolFolder folder;
  if (!folder.Made()) return folder.Failure();
  const std::filesystem::path spool = folder.Path() / "job";
  PrintResult result = DrawIntoFile(printer, spool, cards, options);
  if (result.outcome == PrintOutcome::kNotWritten) return folder.Failure(result.write);
  if (result.outcome == PrintOutcome::kPrinted && !submit(printer, spool))
    result.outcome = PrintOutcome::kNoPainter;
  return result;
}

PrintResult PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                       const CardDocumentOptions& options) {
  if (PrintsIntoFile(printer))
    return DrawIntoFile(printer, PathOf(printer.outputFileName()), cards, options);
  if (PrintsToQueue(printer)) {
    return SpoolThenSubmit(
        printer, cards, options, [](QPrinter& queue, const std::filesystem::path& spool) {
          return SubmitToCups(queue, QFile::decodeName(spool.c_str()), queue.docName());
        });
  }
  return {DrawCards(printer, cards, options)};
}

void ShowPrintFailure(MessageSink& messages, const PrintResult& result) {
  switch (result.outcome) {
    case PrintOutcome::kPrinted:
    case PrintOutcome::kCancelled:
      break;
    case PrintOutcome::kNoPainter:
      messages.ShowMessage(kNoPainterMessage, MessageIcon::kNone);
      break;
    case PrintOutcome::kNotWritten:
      messages.ShowSaveFailure(result.file, result.write);
      break;
    case PrintOutcome::kNotSpooled:
      messages.ShowMessage("Es wurde nichts gedruckt: Der Druckauftrag konnte in " +
                               result.file.string() + " nicht vollständig angelegt werden. " +
                               WriteFailureReason(result.write),
                           MessageIcon::kWarning);
      break;
  }
}

}  // namespace morvind
