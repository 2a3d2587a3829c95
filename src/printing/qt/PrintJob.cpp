#include "printing/qt/PrintJob.h"

#include <QPainter>

#include "printing/CardDocument.h"
#include "printing/qt/QtSurface.h"

namespace morvind {

PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards) {
  printer.setDocName(QString::fromLatin1(kDocumentName));
  QPainter painter;
  if (!painter.begin(&printer)) return PrintOutcome::kNoPainter;
  int unitsX = printer.logicalDpiX();
  int unitsY = printer.logicalDpiY();
  QtSurface surface(painter, unitsX, unitsY, &printer);
  DrawCardDocument(surface, cards);
  painter.end();
  return PrintOutcome::kPrinted;
}

}  // namespace morvind
