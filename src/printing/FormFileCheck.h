#pragma once

#include <string>
#include <string_view>

namespace morvind {

// Why a file can't serve as the official S-21 11/23 form.
enum class FormFileProblem {
  kNone,
  kGone,          // the file is not there (any more)
  kNotPdf,        // not a PDF, or too damaged to open
  kPassword,      // a password is needed to open it
  kNoFilling,     // its permissions forbid filling, or it is an XFA form
  kMissingField,  // a field of the table is missing or of the wrong kind
};

struct FormFileCheck {
  FormFileProblem problem = FormFileProblem::kNone;
  std::string field;  // kMissingField: the first such field of the table
  bool Ok() const { return problem == FormFileProblem::kNone; }
};

// The message for a form file that fails the check, with its name (as the
// user should see it) in German quotation marks:
// "Die Datei „%1“ ist kein lesbares PDF-Dokument.", "… ist mit einem
// Kennwort geschützt.", "… lässt kein Ausfüllen zu.", "… ist kein
// ausfüllbares Formular S-21 11/23: das Feld „%2“ fehlt.", or "Die
// Formulardatei „%1“ ist nicht mehr da."; empty when it passed.
std::string FormFileMessage(const FormFileCheck& check, std::string_view file);

}  // namespace morvind
