#pragma once

#include <cstddef>
#include <string>

#include "printing/RecordForm.h"

namespace morvind {

// The words the window uses for one record of a form: what a count counts
// ("Karte" for the card S-21 10/15, "Blatt" for the sheet S-21 11/23,
// "Formular" for the official form), so that every text that counts
// records says what is printed.
struct RecordWords {
  std::string one;     // "Karte"
  std::string many;    // "Karten"
  std::string chosen;  // "Gewählte Karte"
  std::string theOne;  // "Die Karte", at the start of a sentence
};

RecordWords RecordWordsFor(RecordForm form);

// "1 Karte", "39 Karten"; "1 Blatt", "39 Blätter"; "1 Formular", "39 Formulare".
std::string RecordCount(RecordForm form, std::size_t count);
// The progress of a list: "Blatt 3 von 39".
std::string RecordProgress(RecordForm form, std::size_t number, std::size_t count);
// The menu entry of the selected record's PDF file: "Karte als PDF speichern…".
std::string SaveRecordPdfEntry(RecordForm form);
// The line under "No Printer" for the selected record: "Es ist kein Drucker
// eingerichtet. Die Karte lässt sich als PDF-Datei speichern."
std::string NoPrinterRecordHelp(RecordForm form);

}  // namespace morvind
