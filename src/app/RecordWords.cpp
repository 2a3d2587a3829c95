#include "app/RecordWords.h"

namespace morvind {

RecordWords RecordWordsFor(RecordForm form) {
  switch (form) {
    case RecordForm::kCard1015:
      break;
    case RecordForm::kSheet1123:
      return {"Blatt", "Blätter", "Gewähltes Blatt", "Das Blatt"};
    case RecordForm::kOfficialForm:
      return {"Formular", "Formulare", "Gewähltes Formular", "Das Formular"};
  }
  return {"Karte", "Karten", "Gewählte Karte", "Die Karte"};
}

std::string RecordCount(RecordForm form, std::size_t count) {
  const RecordWords words = RecordWordsFor(form);
  return std::to_string(count) + " " + (count == 1 ? words.one : words.many);
}

std::string RecordProgress(RecordForm form, std::size_t number, std::size_t count) {
  return RecordWordsFor(form).one + " " + std::to_string(number) + " von " + std::to_string(count);
}

std::string SaveRecordPdfEntry(RecordForm form) {
  return RecordWordsFor(form).one + " als PDF speichern…";
}

std::string NoPrinterRecordHelp(RecordForm form) {
  return "Es ist kein Drucker eingerichtet. " + RecordWordsFor(form).theOne +
         " lässt sich als PDF-Datei speichern.";
}

}  // namespace morvind
