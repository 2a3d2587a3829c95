#pragma once

class QPrintPreviewDialog;

namespace morvind {

class ListJobs;
class MainDialog;
class OfficialFormCommands;
class PdfSaving;
class PrintDialogs;

// "Seitenansicht…": Qt's print preview of the pages "&Drucken" would send
// to the current printer (with none set up, those of a PDF file), opened
// on the selected record, with the whole list as a choice inside it and
// the test print's grid as a view.
class PrintPreview {
 public:
  // What the preview's print button asked for when it closed the preview.
  enum class Then { kNothing, kPrintRecord, kPrintList };

  PrintPreview(MainDialog& window, PrintDialogs& dialogs, PdfSaving& files,
               OfficialFormCommands& official, ListJobs& jobs);

  // Shows the preview until it is closed; an empty list is said instead.
  // The grid shown is never printed.
  Then Show();

 private:
  struct State;
  void SetUp(QPrintPreviewDialog& preview, State& state);

  MainDialog& window_;
  PrintDialogs& dialogs_;
  PdfSaving& files_;
  OfficialFormCommands& official_;
  ListJobs& jobs_;
};

}  // namespace morvind
