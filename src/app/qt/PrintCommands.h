#pragma once

#include <QObject>
#include <QPageLayout>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/PrintNotes.h"
#include "app/PublisherList.h"
#include "app/qt/PrintDialogs.h"
#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PdfFile.h"
#include "printing/qt/PrintJob.h"

class QAction;
class QMenu;
class QPrinter;
class QPrintPreviewDialog;

namespace morvind {

class MainDialog;
class OfficialForm;

// The window's print commands beside "&Drucken": the print preview, the
// print of the whole list, the PDF files of a card and of the list, and
// the test print against a pre-printed card. Every one of them draws
// through the window's print function and the one card document. They also
// give "&Drucken" its messages.
class PrintCommands : public QObject {
  Q_OBJECT
 public:
  enum Command { kPreview, kPrintList, kSaveCardPdf, kSaveListPdf, kTestPrint, kCommandCount };
  // What the "No Printer" message offers to save as a PDF file instead.
  enum class PdfOffer { kCard, kList, kTestSheet };

  explicit PrintCommands(MainDialog& window);
  ~PrintCommands() override;

  // The menu entry of a command, with its shortcut.
  QAction* Action(Command command) const { return actions_[command]; }
  // Adds the entries to `menu` and enables them for the window's state.
  void AddTo(QMenu& menu);
  // The test print only for cards that take the test sheet; the PDF entry
  // of the selected record in the words of the window's form.
  void UpdateStates();

  void ShowPreview();
  void PrintList();
  void SaveCardPdf() { SavePdf(false, false); }
  void SaveListPdf() { SavePdf(true, false); }
  void TestPrint();

  // The program's printer. Without one, the message "No Printer" says so
  // and offers to save the card, the list or the test sheet as a PDF file
  // instead, which it does when the user chooses it; null then. Null too,
  // after the save commands' message, when the printer prints into a file
  // they would refuse (CheckTarget).
  QPrinter* PrinterOrOffer(PdfOffer offer);
  // After a print: `note` beside "&Drucken" when it went out
  // (MainDialog::ShowPrintNote), the message of a print that failed
  // (ShowPrintFailure), nothing when it was cancelled.
  void ReportPrinted(const PrintResult& result, const std::string& note);
  // Prints `card` (the selected record) on `printer` as a document titled
  // as its PDF file would be named, and reports it.
  void PrintRecord(QPrinter& printer, const CardRequest& card, CardDocumentOptions options);

  // The cards of the list as the filter shows it, in list order, each with
  // the window's print options: planned as morvind-print --all plans them.
  std::vector<CardRequest> ListCards() const;

  // The file, folder and preview dialogs: the environment's, or Qt's.
  PrintDialogs& Dialogs();

  // With the official form: the cards filled into the form (read from its
  // file now) on `printer`, as PrintFilledForms puts them there; a form
  // file that can't be read is said, and nothing is printed (kCancelled).
  PrintResult PrintOfficialForms(QPrinter& printer, const std::vector<CardRequest>& cards,
                                 const CardDocumentOptions& options);

 private:
  struct PreviewState;

  // The list's cards, or none after the message that the list is empty.
  std::vector<CardRequest> ListCardsOrMessage();
  // The list's lines as it shows them.
  std::vector<PublisherListLine> ListLines() const;
  // Whether a PDF may be written to `target`; says why not.
  bool CheckTarget(const std::filesystem::path& target);
  bool ConfirmListPrint(std::size_t count, const PrintTarget& target);
  PrintResult PrintListWithProgress(QPrinter& printer, const std::vector<CardRequest>& cards);
  // Runs `job` with a progress dialog (card k of N, the name) whose
  // "Abbrechen" stops the card document after the current card.
  template <class Outcome>
  Outcome WithProgress(const std::vector<CardRequest>& cards,
                       const std::function<Outcome(const CardDocumentOptions&)>& job);
  CardDocumentOptions TestSheetOptions() const;

  void SavePdf(bool wholeList, bool testSheet);
  // Writes the cards into `target`, with the progress of a list; false
  // after the message when the file could not be written there.
  bool WritePdfTo(const std::filesystem::path& target, const std::vector<CardRequest>& cards,
                  const CardDocumentOptions& options, bool wholeList);
  // Where the file dialog opens: the folder last written to (in this run,
  // else in an earlier one while it is there), else the data folder when it
  // may be written, else the user's documents folder.
  std::filesystem::path SuggestedPdfFolder() const;
  // A PDF file went into `folder`: it is suggested from now on, also at the
  // next start ("PDF Folder").
  void RememberPdfFolder(const std::filesystem::path& folder);
  // The title of a document of the selected record or of the list, as its
  // PDF file is named without ".pdf": "S-21 2027 Müller, Jürgen", "S-21
  // 2027 Gruppe 2".
  std::string DocumentTitle(bool wholeList) const;
  QString SuggestedPdfPath(bool wholeList) const;
  // The page a PDF file gets: the current printer's, with its unprintable
  // margins, so that the file shows what that printer prints; without one
  // A4 without margins (PlainPdfPage).
  QPageLayout PdfPage();

  void SetUpPreview(QPrintPreviewDialog& preview, PreviewState& state);

  // The commands with the official form (OfficialFormCommands.cpp).
  bool OfficialFormChosen() const;
  // The form read from its file now; null after the message why not.
  std::unique_ptr<OfficialForm> OpenOfficialForm();
  // A list of official forms goes into no single file: true after saying so.
  bool RefuseListIntoFile(QPrinter& printer);
  // "Formular als PDF speichern…": the card's filled form, still fillable.
  void SaveOfficialForm(const CardRequest& card);
  // "Formulare in Ordner ablegen…": the folder of records of the list.
  void FileOfficialForms();
  // Where the folder dialog opens: the folder of records used last, else
  // where PDF files go.
  std::filesystem::path RecordsFolderToOpen() const;

  MainDialog& window_;
  std::array<QAction*, kCommandCount> actions_{};
  QtPrintDialogs qtDialogs_;
  std::filesystem::path lastFolder_;  // where the last PDF file went
};

}  // namespace morvind
