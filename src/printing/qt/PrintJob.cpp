#include "printing/qt/PrintJob.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPainter>

#include "printing/qt/CupsSubmit.h"
#include "printing/qt/QtSurface.h"

namespace morvind {
namespace {

PrintOutcome DrawCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                       const CardDocumentOptions& options) {
  printer.setDocName(QString::fromLatin1(kDocumentName));
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

// Qt's CUPS print engine can't abort (QPrinter::abort does nothing there)
// and hands the job to CUPS when the painter ends, so a stopped document
// would still print the cards drawn so far. A document that may be stopped
// is therefore drawn by the same engine into a file of its own and only a
// complete one goes to the queue.
PrintOutcome SpoolThenSubmit(QPrinter& printer, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options) {
  QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/morvind-job-XXXXXX"));
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return PrintOutcome::kNoPainter;
  ::close(fd);
  const QString spool = QFile::decodeName(pattern);
  // Without ".pdf" the name keeps the printer's own format and engine.
  printer.setOutputFileName(spool);
  PrintOutcome outcome = DrawCards(printer, cards, options);
  printer.setOutputFileName(QString());
  if (outcome == PrintOutcome::kPrinted && !SubmitToCups(printer, spool, printer.docName()))
    outcome = PrintOutcome::kNoPainter;
  QFile::remove(spool);
  return outcome;
}

}  // namespace

PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                        const CardDocumentOptions& options) {
  const bool toQueue = printer.outputFormat() == QPrinter::NativeFormat &&
                       printer.outputFileName().isEmpty() && !printer.printerName().isEmpty();
  if (options.cardDone && toQueue) return SpoolThenSubmit(printer, cards, options);
  return DrawCards(printer, cards, options);
}

}  // namespace morvind
