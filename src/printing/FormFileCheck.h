#pragma once

#include <string>
#include <string_view>

#include "printing/OfficialFormFields.h"

namespace morvind {

// Why a file can't serve as the official S-21 11/23 form.
enum class FormFileProblem {
  kNone,
  kGone,          // the file is not there (any more)
  kNoPermission,  // the user may not read it
  kNotRegular,    // a folder, FIFO, device node or socket
  kTooLarge,      // more than the 8 MB Morvind reads of a PDF file
  kNotPdf,        // not a PDF, or too damaged to open, or of an unsafe structure
  kPassword,      // a password is needed to open it
  kNoFilling,     // its permissions forbid filling, or it is an XFA form
  kOlderEdition,  // the edition of the form before 11/23, with other field names
  kMissingField,  // a field of the table is missing
  kWrongKind,     // a field of the table is not of its kind (`expectedKind`)
};

struct FormFileCheck {
  FormFileProblem problem = FormFileProblem::kNone;
  std::string field;  // kMissingField, kWrongKind: the first such field of the table
  FormFieldKind expectedKind = FormFieldKind::kText;  // kWrongKind: the table's kind of `field`
  bool Ok() const { return problem == FormFileProblem::kNone; }
  bool operator==(const FormFileCheck&) const = default;
};

// The message for a form file that fails the check, with its name (as the
// user should see it) in German quotation marks:
// "Die Datei „%1“ ist kein lesbares PDF-Dokument.", "… darf nicht gelesen
// werden.", "… ist keine gewöhnliche Datei.", "… ist zu groß für ein
// Formular S-21 (mehr als 8 MB).", "… ist mit einem Kennwort geschützt.",
// "… lässt kein Ausfüllen zu.", "… ist die ältere Ausgabe der Karte S-21
// (vor 11/23). Bitte die Ausgabe 11/23 wählen.", "… ist kein ausfüllbares
// Formular S-21 11/23: das Feld „%2“ fehlt." or "… das Feld „%2“ hat nicht
// die Art eines Formularfelds für Text." (für ein Ankreuzfeld.), or "Die
// Formulardatei „%1“ ist nicht mehr da."; empty when it passed.
std::string FormFileMessage(const FormFileCheck& check, std::string_view file);

}  // namespace morvind
