#pragma once

#include <QObject>
#include <QPageLayout>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "app/qt/PrintDialogs.h"
#include "printing/CardDocument.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

class QAction;
class QMenu;
class QPrinter;
class QPrintPreviewDialog;

namespace morvind {

class MainDialog;

// The window's print commands beside "&Drucken": the print preview, the
// print of the whole list, the PDF files of a card and of the list, and
// the test print against a pre-printed card. Every one of them draws
// through the window's print function and the one card document.
class PrintCommands : public QObject {
  Q_OBJECT
 public:
  enum Command { kPreview, kPrintList, kSaveCardPdf, kSaveListPdf, kTestPrint, kCommandCount };

  explicit PrintCommands(MainDialog& window);
  ~PrintCommands() override;

  // The menu entry of a command, with its shortcut.
  QAction* Action(Command command) const { return actions_[command]; }
  // Adds the entries to `menu` and enables them for the window's state.
  void AddTo(QMenu& menu);
  // The test print only for data-only cards of card version 0.
  void UpdateStates();

  void ShowPreview();
  void PrintList();
  void SaveCardPdf() { SavePdf(false); }
  void SaveListPdf() { SavePdf(true); }
  void TestPrint();

  // The cards of the list as the filter shows it, in list order, each with
  // the window's print options: the cards morvind-print --all chooses.
  std::vector<CardRequest> ListCards() const;

 private:
  void SavePdf(bool wholeList);
  // The program's printer; null after the "No Printer" message when none
  // is set up.
  QPrinter* PrinterOrMessage();
  // Runs `job` with a progress dialog (card k of N, the name) whose
  // "Abbrechen" stops the card document after the current card.
  template <class Outcome>
  Outcome WithProgress(const std::vector<CardRequest>& cards,
                       const std::function<Outcome(const CardDocumentOptions&)>& job);
  void SetUpPreview(QPrintPreviewDialog& preview, std::vector<CardRequest>& shown, bool& form,
                    bool& printAsked);
  QString SuggestedPdfPath(bool wholeList) const;
  // The page a PDF file gets: the current printer's, or A4 without one.
  QPageLayout PdfPage();
  PrintDialogs& Dialogs();

  MainDialog& window_;
  std::array<QAction*, kCommandCount> actions_{};
  QtPrintDialogs qtDialogs_;
  std::filesystem::path lastFolder_;  // where the last PDF file went
};

}  // namespace morvind
