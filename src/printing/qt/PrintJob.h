#pragma once

#include <QPrinter>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"

namespace morvind {

enum class PrintOutcome {
  kPrinted,
  kNoPainter,  // no painter could be begun on the printer ("no hdc")
  kCancelled,  // drawing stopped after a card; the job was aborted
};

// Prints the cards into one document "Card Header" on `printer`, a page of
// its own for each card: the card header, then the monthly body. When the
// options' callback stops the drawing, the print job is aborted
// (QPrinter::abort) and the outcome is kCancelled.
PrintOutcome PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                        const CardDocumentOptions& options = {});

}  // namespace morvind
