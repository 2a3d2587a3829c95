#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

namespace morvind::cli {

// Prints the cards into the PDF file `target`, one page a card, in one
// document "Card Header", with the program's file writer: a failure leaves
// no file (and an older target as it was); kNotWritten says why. A sheet
// S-21 11/23 wider than the printed part of the page (with the left margin)
// is warned of on standard error first, here and in PrintOnPrinter.
PrintResult WritePdf(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                     const CardDocumentOptions& options);

// The drawing listing of the cards at `dpi` units per inch (one JSON object
// a line), with every text measured in the fonts of the print, so that the
// positions of texts placed after other texts are the printed ones.
std::string DrawingListing(const std::vector<CardRequest>& cards, int dpi,
                           const CardDocumentOptions& options);

// Prints the cards on the CUPS printer `name` as one job. False with `error`
// set when there is no such printer or it can't be printed on.
bool PrintOnPrinter(const std::vector<CardRequest>& cards, const std::string& name,
                    const CardDocumentOptions& options, std::string& error);

}  // namespace morvind::cli
