#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

class QPrinter;

namespace morvind::cli {

// The Qt application object that Qt's fonts, printers and Poppler's
// rendering need, for the time the object lives; it takes none of the
// program's arguments.
class QtRuntime {
 public:
  QtRuntime();
  ~QtRuntime();
  QtRuntime(const QtRuntime&) = delete;
  QtRuntime& operator=(const QtRuntime&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Prints the cards into the PDF file `target`, one page a card, in one
// document titled as the options say, with the program's file writer: a failure leaves
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

// The CUPS printer `name`, or null with `error` naming the printers there are.
std::unique_ptr<QPrinter> CupsPrinter(const std::string& name, std::string& error);

// Prints the cards on the CUPS printer `name` as one job. False with `error`
// set when there is no such printer or it can't be printed on.
bool PrintOnPrinter(const std::vector<CardRequest>& cards, const std::string& name,
                    const CardDocumentOptions& options, std::string& error);

}  // namespace morvind::cli
