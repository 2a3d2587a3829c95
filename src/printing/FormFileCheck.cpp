#include "printing/FormFileCheck.h"

namespace morvind {

std::string FormFileMessage(const FormFileCheck& check, std::string_view file) {
  const std::string name = "„" + std::string(file) + "“";
  switch (check.problem) {
    case FormFileProblem::kNone:
      break;
    case FormFileProblem::kGone:
      return "Die Formulardatei " + name + " ist nicht mehr da.";
    case FormFileProblem::kNotPdf:
      return "Die Datei " + name + " ist kein lesbares PDF-Dokument.";
    case FormFileProblem::kPassword:
      return "Die Datei " + name + " ist mit einem Kennwort geschützt.";
    case FormFileProblem::kNoFilling:
      return "Die Datei " + name + " lässt kein Ausfüllen zu.";
    case FormFileProblem::kMissingField:
      return "Die Datei " + name + " ist kein ausfüllbares Formular S-21 11/23: das Feld „" +
             check.field + "“ fehlt.";
  }
  return std::string();
}

}  // namespace morvind
