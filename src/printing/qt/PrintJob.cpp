#include "printing/qt/PrintJob.h"

#include <QPainter>

#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/qt/QtSurface.h"

namespace morvind {

PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards) {
  printer.setDocName(QString::fromLatin1(kDocumentName));
  QPainter painter;
  if (!painter.begin(&printer)) return PrintOutcome::kNoPainter;
  int unitsX = printer.logicalDpiX();
  int unitsY = printer.logicalDpiY();
  QtSurface surface(painter, unitsX, unitsY, &printer);
  surface.StartDoc(kDocumentName);
  for (const CardRequest& card : cards) {
    surface.StartPage();
    DrawCardHeader(surface, card);
    DrawMonthlyBody(surface, card);
    surface.EndPage();
  }
  surface.EndDoc();
  painter.end();
  return PrintOutcome::kPrinted;
}

}  // namespace morvind
