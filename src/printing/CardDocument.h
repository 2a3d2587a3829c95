#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layout/LengthUnit.h"
#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The name of a printed document that is given none.
inline constexpr const char* kDocumentName = "Card Header";

// How a document of cards is drawn beyond the cards' own requests.
struct CardDocumentOptions {
  // What the print holds, which its print job and PDF file carry as their
  // title ("S-21 2027 Müller, Jürgen"); kDocumentName when empty.
  std::string title;
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

// The options of the test print: the test sheet under each card that takes
// it, its grid in `unit`.
CardDocumentOptions TestSheetOptions(LengthUnit unit);

// The options' title, or kDocumentName when they give none.
std::string DocumentName(const CardDocumentOptions& options);

// How the drawing of a document ended.
enum class DocumentEnd { kComplete, kStopped };

// Draws the cards as one document (named by the options' title) on `surface`, a page of
// its own for each card: the card header, then the monthly body; or, for a
// request of the sheet S-21 11/23 or of a totals record, the whole sheet.
DocumentEnd DrawCardDocument(DrawingSurface& surface, const std::vector<CardRequest>& cards,
                             const CardDocumentOptions& options = {});

// Whether the request prints onto pre-printed cards S-21 10/15: the sheet
// S-21 11/23 (and with it every totals record) is drawn whole on plain
// paper, so the test print and the preview's grid are not for it.
bool IsForPrePrintedCards(const CardRequest& request);

// The service year a page of the request is for, as the year in which it
// ends (2025 for September 2024 to August 2025): the current one, or the
// one before with "Vorheriges Dienstjahr".
int PrintedServiceYear(const CardRequest& request);

}  // namespace morvind
