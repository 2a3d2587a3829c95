#include "printing/CardDocument.h"

#include "layout/LayoutFile.h"
#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"

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

bool FormUnderlayFits(const CardRequest& card) {
  return card.cardVersion == 0 && !card.completeCard;
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
    if (options.formUnderlay && FormUnderlayFits(card)) DrawFormUnderlay(surface, card);
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
