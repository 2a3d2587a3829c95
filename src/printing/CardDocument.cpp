#include "printing/CardDocument.h"

#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/TestSheet.h"

namespace morvind {

DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options) {
  surface.StartDoc(kDocumentName);
  int done = 0;
  for (const CardRequest& card : cards) {
    surface.StartPage();
    if (options.testSheet && TakesTestSheet(card)) DrawTestSheet(surface, card, options.gridUnit);
    DrawCardHeader(surface, card);
    DrawMonthlyBody(surface, card);
    surface.EndPage();
    ++done;
    if (options.cardDone && !options.cardDone(done)) return DocumentEnd::kStopped;
  }
  surface.EndDoc();
  return DocumentEnd::kComplete;
}

}  // namespace morvind
