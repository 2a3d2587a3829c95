#pragma once

#include <QPageLayout>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "printing/CardDocument.h"
#include "printing/qt/PrintJob.h"

namespace morvind {

class MainDialog;
class PrintDialogs;
class PrintTargets;

// Writes `target`, a PDF file the user chose: kPrinted when it was
// written, kCancelled when the user stopped it, else why not.
using PdfWrite = std::function<PrintResult(const std::filesystem::path& target)>;

// Saving PDF files from the window: where the file dialog opens, what it
// suggests, the checks of the chosen file and the folder remembered for the
// next file, for every command that saves one.
class PdfSaving {
 public:
  PdfSaving(MainDialog& window, PrintDialogs& dialogs, PrintTargets& targets);

  // The page a PDF file gets: the current printer's, with its unprintable
  // margins, so that the file shows what that printer prints; without one
  // A4 without margins (PlainPdfPage).
  QPageLayout Page();
  // The title of a document of the selected record or of the list, as its
  // PDF file is named without ".pdf": "S-21 2027 Müller, Jürgen", "S-21
  // 2027 Gruppe 2".
  std::string DocumentTitle(bool wholeList) const;
  // The selected line of the list as part of a file name: "Müller, Jürgen".
  std::string SelectedName() const;
  // Where the file dialog opens: the folder last written to (in this run,
  // else in an earlier one while it is there), else the data folder when it
  // may be written, else the user's documents folder.
  std::filesystem::path SuggestedFolder() const;
  // A PDF file went into `folder`: it is suggested from now on, also at the
  // next start ("PDF Folder").
  void RememberFolder(const std::filesystem::path& folder);

  // Asks for the file in the file dialog titled `title` (the command
  // without its ellipsis), opened on `fileName` in SuggestedFolder, adds
  // ".pdf" where the name lacks it, and writes it with `write` when the
  // file may be written there (PrintTargets). A refused file or one that
  // could not be written (said) opens the dialog again on the same name,
  // so that another folder can be chosen; a written file's folder is
  // remembered. Cancelling the dialog or the write ends it.
  void SaveAs(const QString& title, const std::string& fileName, const PdfWrite& write);

  // "Karte als PDF speichern…" with a drawn form, and the test print's
  // file: the selected card drawn with `options` on Page().
  void SaveCard(const CardDocumentOptions& options);
  // Saves `cards` drawn on Page() as one document named as the options'
  // title, the file dialog titled `dialogTitle`; a sheet wider than the
  // page is said first (MainDialog::ConfirmPaperWidth).
  void SaveCards(const QString& dialogTitle, const std::vector<CardRequest>& cards,
                 const CardDocumentOptions& options);

 private:
  MainDialog& window_;
  PrintDialogs& dialogs_;
  PrintTargets& targets_;
  std::filesystem::path lastFolder_;  // where the last PDF file went
};

}  // namespace morvind
