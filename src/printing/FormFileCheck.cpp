#include "printing/FormFileCheck.h"

namespace morvind {

std::string FormFileMessage(const FormFileCheck& check, std::string_view file) {
  const std::string name = "„" + std::string(file) + "“";
  const std::string notForm = "Die Datei " + name + " ist kein ausfüllbares Formular S-21 11/23: ";
  switch (check.problem) {
    case FormFileProblem::kNone:
      break;
    case FormFileProblem::kGone:
      return "Die Formulardatei " + name + " ist nicht mehr da.";
    case FormFileProblem::kNoPermission:
      return "Die Datei " + name + " darf nicht gelesen werden.";
    case FormFileProblem::kNotRegular:
      return "Die Datei " + name + " ist keine gewöhnliche Datei.";
    case FormFileProblem::kTooLarge:
      return "Die Datei " + name + " ist zu groß für ein Formular S-21 (mehr als 8 MB).";
    case FormFileProblem::kNotPdf:
      return "Die Datei " + name + " ist kein lesbares PDF-Dokument.";
    case FormFileProblem::kPassword:
      return "Die Datei " + name + " ist mit einem Kennwort geschützt.";
    case FormFileProblem::kNoFilling:
      return "Die Datei " + name + " lässt kein Ausfüllen zu.";
    case FormFileProblem::kOlderEdition:
      return "Die Datei " + name +
             " ist die ältere Ausgabe der Karte S-21 (vor 11/23). Bitte die Ausgabe 11/23 wählen.";
    case FormFileProblem::kMissingField:
      return notForm + "das Feld „" + check.field + "“ fehlt.";
    case FormFileProblem::kWrongKind:
      return notForm + "das Feld „" + check.field + "“ hat nicht die Art eines Formularfelds für " +
             (check.expectedKind == FormFieldKind::kText ? "Text." : "ein Ankreuzfeld.");
  }
  return std::string();
}

}  // namespace morvind
