#pragma once

#include <optional>
#include <vector>

#include "app/PublisherList.h"
#include "printing/CardRequest.h"
#include "printing/qt/PrintJob.h"

class QPrinter;

namespace morvind {

class MainDialog;
class OfficialFormCommands;
class PdfSaving;
class PrintDialogs;

// The window's jobs over the whole list: "Liste drucken…", "Liste als PDF
// speichern…" and "Formulare in Ordner ablegen…". Each takes every record
// the list shows, in list order, with the window's print options, asks
// before it starts and shows the progress of a list, whose "Abbrechen"
// stops it after the current record.
class ListJobs {
 public:
  ListJobs(MainDialog& window, PrintDialogs& dialogs, PdfSaving& files,
           OfficialFormCommands& official);

  // The cards of the list as the filter shows it, in list order, each with
  // the window's print options: planned as morvind-print --all plans them.
  std::vector<CardRequest> Cards() const;
  // The list's cards, or none after the message that the list is empty.
  std::vector<CardRequest> CardsOrMessage();

  // "Liste drucken…" of `cards` onto `printer` (the program's printer):
  // the question naming where it prints, then one job with the progress;
  // with the official form a printer that prints into a file gets the
  // list's PDF file (SavePdf). How it went, or nothing when it was not
  // asked for.
  std::optional<PrintResult> Print(QPrinter& printer, const std::vector<CardRequest>& cards);
  // "Liste als PDF speichern…": the question, then the file (PdfSaving)
  // written with the progress; with the official form one PDF of the
  // filled forms with their fields drawn into the pages.
  void SavePdf();
  // "Formulare in Ordner ablegen…": the question, then the folder of
  // records (OfficialFormCommands::FileIntoFolder).
  void FileForms();

 private:
  // The list's lines as it shows them.
  std::vector<PublisherListLine> Lines() const;

  MainDialog& window_;
  PrintDialogs& dialogs_;
  PdfSaving& files_;
  OfficialFormCommands& official_;
};

}  // namespace morvind
