#include "printing/qt/PrintJob.h"

#include <QPainter>

#include "printing/qt/QtSurface.h"

namespace morvind {

PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards,
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

}  // namespace morvind
