#include "printing/CardDocument.h"

#include "data/ServiceYear.h"
#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/SheetPage.h"
#include "printing/TestSheet.h"

namespace morvind {

bool IsForPrePrintedCards(const CardRequest& request) {
  return request.form == RecordForm::kCard1015 && !request.totalsRecord;
}

int PrintedServiceYear(const CardRequest& request) {
  return CurrentServiceYearEnd(request.reportMonth, request.currentYear) -
         (request.previousYearBox ? 1 : 0);
}

CardDocumentOptions TestSheetOptions(LengthUnit unit) {
  CardDocumentOptions options;
  options.testSheet = true;
  options.gridUnit = unit;
  return options;
}

std::string DocumentName(const CardDocumentOptions& options) {
  return options.title.empty() ? std::string(kDocumentName) : options.title;
}

DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options) {
  surface.StartDoc(DocumentName(options));
  int done = 0;
  for (const CardRequest& card : cards) {
    surface.StartPage();
    // The congregation's totals exist only as the sheet, whatever form a
    // request names.
    if (IsSheetForm(card.form) || card.totalsRecord) {
      DrawSheetPage(surface, card);
    } else {
      if (options.testSheet && TakesTestSheet(card)) DrawTestSheet(surface, card, options.gridUnit);
      DrawCardHeader(surface, card);
      DrawMonthlyBody(surface, card);
    }
    surface.EndPage();
    ++done;
    if (options.cardDone && !options.cardDone(done)) return DocumentEnd::kStopped;
  }
  surface.EndDoc();
  return DocumentEnd::kComplete;
}

}  // namespace morvind
