#include "printing/CardDocument.h"

#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"

namespace morvind {

void DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards) {
  surface.StartDoc(kDocumentName);
  for (const CardRequest& card : cards) {
    surface.StartPage();
    DrawCardHeader(surface, card);
    DrawMonthlyBody(surface, card);
    surface.EndPage();
  }
  surface.EndDoc();
}

}  // namespace morvind
