#include "printing/CardDocument.h"

#include "data/ServiceYear.h"
#include "layout/LayoutFile.h"
#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/SheetPage.h"

namespace morvind {
namespace {

void DrawFormUnderlay(DrawingSurface& surface, const CardRequest& card) {
  const Colour previousText = surface.SetTextColor(kFormGrey);
  const Colour previousPen = surface.SetPenColor(kFormGrey);
  const CardRequest form = FormUnderlayOf(card);
  DrawCardHeader(surface, form);
  DrawMonthlyBody(surface, form);
  surface.SetPenColor(previousPen);
  surface.SetTextColor(previousText);
}

}  // namespace

bool IsForPrePrintedCards(const CardRequest& request) {
  return request.form == RecordForm::kCard1015;
}

bool FormUnderlayFits(const CardRequest& card) {
  return IsForPrePrintedCards(card) && card.cardVersion == 0 && !card.completeCard;
}

int PrintedServiceYear(const CardRequest& request) {
  return CurrentServiceYearEnd(request.reportMonth, request.currentYear) -
         (request.previousYearBox ? 1 : 0);
}

CardRequest FormUnderlayOf(const CardRequest& card) {
  CardRequest form = card;
  form.cardVersion = 0;
  form.completeCard = true;
  form.formOnly = true;
  if (card.strings != nullptr) FillDefaultLayout(form.layout, 0, *card.strings);
  return form;
}

DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options) {
  surface.StartDoc(kDocumentName);
  int done = 0;
  for (const CardRequest& card : cards) {
    surface.StartPage();
    if (card.form == RecordForm::kSheet1123) {
      DrawSheetPage(surface, card);
    } else {
      if (options.formUnderlay && FormUnderlayFits(card)) DrawFormUnderlay(surface, card);
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
