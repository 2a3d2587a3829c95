#pragma once

#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "app/qt/ListJobs.h"
#include "app/qt/OfficialFormCommands.h"
#include "app/qt/PdfSaving.h"
#include "app/qt/PrintDialogs.h"
#include "app/qt/PrintPreview.h"
#include "app/qt/PrintTargets.h"
#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

class QAction;
class QMenu;
class QPrinter;

namespace morvind {

class MainDialog;

// The window's print commands beside "&Drucken", as menu entries with
// their shortcuts: the print preview (PrintPreview), the print of the
// whole list and its PDF file (ListJobs), the PDF file of a card and of a
// publisher's two service years (PdfSaving), and the test print against a
// pre-printed card; with the official form its own commands
// (OfficialFormCommands) and the folder of records. Every one of them
// draws through the window's print function and the one card document, or
// fills the official form. They also give "&Drucken" its printer and its
// messages.
class PrintCommands : public QObject {
  Q_OBJECT
 public:
  enum Command {
    kPreview,
    kPrintList,
    kSaveCardPdf,
    kSaveListPdf,
    kFileForms,
    kSaveTwoYears,
    kTestPrint,
    kCommandCount
  };
  // What the "No Printer" message offers to save as a PDF file instead.
  enum class PdfOffer { kCard, kList, kTestSheet };

  explicit PrintCommands(MainDialog& window);
  ~PrintCommands() override;

  // The menu entry of a command, with its shortcut.
  QAction* Action(Command command) const { return actions_[command]; }
  // Adds the entries to `menu` and enables them for the window's state.
  void AddTo(QMenu& menu);
  // The test print only for cards that take the test sheet, the two
  // service years only for the sheet S-21 11/23 (drawn or official), the
  // folder of records only for the official form; the PDF entry of the
  // selected record in the words of the window's form.
  void UpdateStates();

  void ShowPreview();
  void PrintList();
  void SaveCardPdf() { SavePdf(false, false); }
  void SaveListPdf() { SavePdf(true, false); }
  // "Formulare in Ordner ablegen…" (ListJobs::FileForms).
  void FileForms();
  // "Übergabe als PDF speichern…": the selected record's previous and
  // current service year in one PDF (BothServiceYears), "S-21 2026-2027
  // Müller, Jürgen.pdf": the sheet as two pages, the official form as its
  // two filled copies with their fields drawn into the pages.
  void SaveTwoYears();
  void TestPrint();

  // The program's printer. Without one, the message "No Printer" says so
  // and offers to save the card, the list or the test sheet as a PDF file
  // instead, which it does when the user chooses it; null then. Null too,
  // after the save commands' message, when the printer prints into a file
  // they would refuse (PrintTargets).
  QPrinter* PrinterOrOffer(PdfOffer offer);
  // After a print: `note` beside "&Drucken" when it went out
  // (MainDialog::ShowPrintNote), the message of a print that failed
  // (ShowPrintFailure), nothing when it was cancelled.
  void ReportPrinted(const PrintResult& result, const std::string& note);
  // Prints `card` (the selected record) on `printer` as a document titled
  // as its PDF file would be named, and reports it.
  void PrintRecord(QPrinter& printer, const CardRequest& card, CardDocumentOptions options);

  // The cards of the list as the filter shows it (ListJobs::Cards).
  std::vector<CardRequest> ListCards() const { return jobs_.Cards(); }

  // The file, folder and preview dialogs: the environment's, or Qt's.
  PrintDialogs& Dialogs() { return dialogs_; }

  // With the official form: the cards filled into the form on `printer`
  // (OfficialFormCommands::Print).
  PrintResult PrintOfficialForms(QPrinter& printer, const std::vector<CardRequest>& cards,
                                 const CardDocumentOptions& options) {
    return official_.Print(printer, cards, options);
  }

 private:
  void SavePdf(bool wholeList, bool testSheet);

  MainDialog& window_;
  std::array<QAction*, kCommandCount> actions_{};
  QtPrintDialogs qtDialogs_;
  PrintDialogs& dialogs_;
  PrintTargets targets_;
  PdfSaving files_;
  OfficialFormCommands official_;
  ListJobs jobs_;
  PrintPreview preview_;
};

}  // namespace morvind
