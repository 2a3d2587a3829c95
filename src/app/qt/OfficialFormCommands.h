#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/ListProgress.h"
#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

class QPrinter;

namespace morvind {

class MainDialog;
class OfficialForm;
class PdfSaving;
class PrintDialogs;

// The window's commands with the official form: each one fills the
// congregation's own PDF form, read from its file anew, with what the
// drawn sheet would show, and names each record as the folder of records
// names it (PlanRecords).
class OfficialFormCommands {
 public:
  OfficialFormCommands(MainDialog& window, PrintDialogs& dialogs, PdfSaving& files);

  // Whether the official form prints in this run.
  bool Chosen() const;
  // The form read from its file now; null after the message why not.
  // `flattened`: for a PDF of records (WriteFlattened), whose field texts
  // are drawn in embedded fonts.
  std::unique_ptr<OfficialForm> Open(bool flattened = false);

  // The cards filled into the form on `printer`, as PrintFilledForms puts
  // them there; a form file that can't be read is said, and nothing is
  // printed (kCancelled).
  PrintResult Print(QPrinter& printer, const std::vector<CardRequest>& cards,
                    const CardDocumentOptions& options);
  // Writes the cards' records filled into `form` (opened flattened) into
  // one PDF `target` titled `title`, their fields drawn into the pages
  // (WriteRecordsPdf); `recordDone` after each record.
  PrintResult WriteFlattened(OfficialForm& form, const std::vector<CardRequest>& cards,
                             const std::filesystem::path& target, const std::string& title,
                             const RecordDone& recordDone);
  // "Formular als PDF speichern…": the card's filled form, still fillable,
  // named as its file in a folder of records.
  void SaveRecord(const CardRequest& card);
  // "Formulare in Ordner ablegen…" after its question: asks for the folder
  // (it opens where the last one was), remembers it ("Records Folder"),
  // fills it with the cards' records with the progress of a list, and says
  // what was done.
  void FileIntoFolder(const std::vector<CardRequest>& cards);

 private:
  // Where the folder dialog opens: the folder of records used last, else
  // where PDF files go.
  std::filesystem::path RecordsFolderToOpen() const;

  MainDialog& window_;
  PrintDialogs& dialogs_;
  PdfSaving& files_;
};

}  // namespace morvind
