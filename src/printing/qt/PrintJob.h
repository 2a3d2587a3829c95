#pragma once

#include <QPrinter>
#include <filesystem>
#include <functional>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "resources/FileWriter.h"
#include "resources/MessageSink.h"

namespace morvind {

enum class PrintOutcome {
  kPrinted,
  kNoPainter,   // no painter could be begun on the printer, or CUPS refused the job ("no hdc")
  kCancelled,   // drawing stopped after a card; nothing was printed or written
  kNotWritten,  // the printer's output file could not be written; an older one is as it was
  kNotSpooled,  // the job could not be spooled completely; nothing went to the queue
};

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::kPrinted;
  WriteResult write{};           // kNotWritten, kNotSpooled: why
  std::filesystem::path file{};  // kNotWritten: the output file; kNotSpooled: the spool's folder
};

// Prints the cards into one document on `printer`, named by the options'
// title (DocumentName), a page of its own for each card: the card header,
// then the monthly body. The options' callback may stop the print after a
// card.
// - A printer that prints into a file (a PDF file, Qt's print to file)
//   writes it with the program's file writer: the print job goes to a
//   temporary file that replaces the output file only when it is complete
//   and was not stopped, so a stopped or failed print leaves an older file
//   as it was (QPrinter::abort does nothing for the PDF engine).
// - A CUPS printer gets the job through SpoolThenSubmit.
// - Any other printer (the print preview's) is drawn on directly.
PrintResult PrintCards(QPrinter& printer, const std::vector<CardRequest>& cards,
                       const CardDocumentOptions& options = {});

// A private folder in the temporary folder for the spool files of one
// print job, removed with everything in it when the object goes.
class SpoolFolder {
 public:
  SpoolFolder();
  ~SpoolFolder();
  SpoolFolder(const SpoolFolder&) = delete;
  SpoolFolder& operator=(const SpoolFolder&) = delete;

  // False when no folder could be made; Failure() then says why.
  bool Made() const { return !path_.empty(); }
  const std::filesystem::path& Path() const { return path_; }
  // kNotSpooled with the temporary folder, and `write` when given (else
  // why the folder could not be made).
  PrintResult Failure(const WriteResult& write) const {
    return {PrintOutcome::kNotSpooled, write, temporary_};
  }
  PrintResult Failure() const { return Failure(madeFailure_); }

 private:
  std::filesystem::path temporary_;
  std::filesystem::path path_;
  WriteResult madeFailure_;
};

// Hands the complete spool file of a job to the printer's queue; false when
// the queue refused it.
using SpoolSubmit = std::function<bool(QPrinter& printer, const std::filesystem::path& spool)>;

// Draws the job with the printer's own engine into a spool file in a
// private folder of the temporary folder, with the program's file writer,
// and hands it to `submit` only when it is complete and was not stopped:
// Qt's CUPS engine can't abort and would send the cards drawn so far, and a
// temporary folder that fills up would cut the job short. The folder goes
// away afterwards.
PrintResult SpoolThenSubmit(QPrinter& printer, const std::vector<CardRequest>& cards,
                            const CardDocumentOptions& options, const SpoolSubmit& submit);

// Whether `printer` writes into a file (a PDF file, Qt's print to file),
// or hands its jobs to a CUPS queue; neither for the print preview's.
bool PrintsIntoFile(QPrinter& printer);
bool PrintsToQueue(QPrinter& printer);

// True when the file ends with a PDF's end-of-file marker: Qt's PDF engine
// reports no failed write (a full disk, a file size limit), and a PDF cut
// short lacks it.
bool EndsLikeAPdf(const std::filesystem::path& file);

// Tells the user what went wrong with a print, if anything: "no hdc", the
// output file that could not be saved and why, or that nothing was printed
// because the job could not be spooled. Nothing for kPrinted and kCancelled.
void ShowPrintFailure(MessageSink& messages, const PrintResult& result);

}  // namespace morvind
