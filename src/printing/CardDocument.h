#pragma once

#include <functional>
#include <vector>

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The name of every printed document.
inline constexpr const char* kDocumentName = "Card Header";

// How a document of cards is drawn beyond the cards' own requests.
struct CardDocumentOptions {
  // Each page first gets the empty form of card version 0 in light grey
  // (FormUnderlayOf), then the card in black: the test print against a
  // pre-printed card. Only cards for which FormUnderlayFits get the form.
  bool formUnderlay = false;
  // Called after each finished page with the number of cards drawn so far;
  // returning false stops drawing there (no further page, no EndDoc).
  std::function<bool(int cardsDone)> cardDone;
};

// How the drawing of a document ended.
enum class DocumentEnd { kComplete, kStopped };

// Draws the cards as one document "Card Header" on `surface`, a page of
// its own for each card: the card header, then the monthly body; or, for a
// request of the sheet S-21 11/23, the whole sheet.
DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options = {});

// Whether the request prints onto pre-printed cards S-21 10/15: the sheet
// S-21 11/23 is drawn whole on plain paper, so the test print and the
// preview's form are not for it.
bool IsForPrePrintedCards(const CardRequest& request);

// Whether a card can be drawn over the form of card version 0: it is a
// data-only card of version 0 for pre-printed cards (a complete card draws
// the form itself, and versions 1 and 2 have no form drawing).
bool FormUnderlayFits(const CardRequest& card);

// The service year a page of the request is for, as the year in which it
// ends (2025 for September 2024 to August 2025): the current one, or the
// one before with "Vorheriges Dienstjahr".
int PrintedServiceYear(const CardRequest& request);

// The request that draws the empty form under `card`: the complete card of
// version 0 with the version's built-in default positions, which stand for
// the pre-printed form, at the card's margins.
CardRequest FormUnderlayOf(const CardRequest& card);

}  // namespace morvind
