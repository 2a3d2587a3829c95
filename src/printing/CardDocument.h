#pragma once

#include <functional>
#include <vector>

#include "layout/LengthUnit.h"
#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The name of every printed document.
inline constexpr const char* kDocumentName = "Card Header";

// How a document of cards is drawn beyond the cards' own requests.
struct CardDocumentOptions {
  // The test print: each page first gets the test sheet (DrawTestSheet)
  // with its grid in `gridUnit`, then the card in black exactly as it
  // prints without it. Only cards that TakesTestSheet get the sheet. A real
  // print never sets it.
  bool testSheet = false;
  LengthUnit gridUnit = LengthUnit::kInch;
  // Called after each finished page with the number of cards drawn so far;
  // returning false stops drawing there (no further page, no EndDoc).
  std::function<bool(int cardsDone)> cardDone;
};

// How the drawing of a document ended.
enum class DocumentEnd { kComplete, kStopped };

// Draws the cards as one document "Card Header" on `surface`, a page of
// its own for each card: the card header, then the monthly body.
DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options = {});

}  // namespace morvind
