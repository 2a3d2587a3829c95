#pragma once

#include <QPrinter>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"

namespace morvind {

enum class PrintOutcome {
  kPrinted,
  kNoPainter,  // no painter could be begun on the printer ("no hdc")
};

// Prints the cards into one document "Card Header" on `printer`, a page of
// its own for each card: the card header, then the monthly body.
PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards);

}  // namespace morvind
