#pragma once

#include <array>
#include <qpdf/QPDFObjectHandle.hh>
#include <vector>

#include "pdf/QpdfDocument.h"
#include "printing/FormFileCheck.h"
#include "printing/OfficialFormFields.h"

namespace morvind {

// The fields of OfficialFormFieldTable in a document that passed the gate,
// found by walking the AcroForm's /Fields (never the pages: a widget no
// field holds is no field a viewer fills).

// One widget of a field of the table, on a page.
struct TableFieldOccurrence {
  QPDFObjectHandle field;   // the terminal field: the node that holds the name
  QPDFObjectHandle widget;  // the field itself, or one of its kids
  bool rightKind = false;   // of the table's kind (FormFieldKind)
};

struct FormFieldsFound {
  // Per entry of the table, the widgets with its name that some page shows.
  std::array<std::vector<TableFieldOccurrence>, kOfficialFieldCount> occurrences;
  // Fields named as in the edition of the form before 11/23 ("900_1_Text",
  // "901_<n>_S21_Value").
  bool olderEdition = false;
};

// A field's name here is the last part of its qualified name: its own /T,
// or the nearest ancestor's for a widget without one. A text field is /FT
// /Tx (inherited) and no file selection; a box is /FT /Btn and neither a
// radio button nor a push button.
FormFieldsFound FindTableFields(const QpdfDocument& document);

// The check of the fields found, in the table's order: the older edition
// when a required field is missing and the older names are there, else
// the first field that is missing (and required) or has an occurrence of
// the wrong kind.
FormFileCheck CheckTableFields(const FormFieldsFound& found);

}  // namespace morvind
