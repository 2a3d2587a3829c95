#pragma once

#include <optional>
#include <qpdf/QPDF.hh>
#include <string>
#include <vector>

#include "pdf/FieldFont.h"
#include "pdf/FormFields.h"
#include "pdf/OfficialFormFile.h"

namespace morvind {

// The table's text fields with the characters each may receive: the
// number fields (FormFieldSpec::number) digits and ".", every other one
// `options.characters`; each terminal field once.
std::vector<FieldCharacters> TableFieldCharacters(const FormFieldsFound& found,
                                                  const WorkingCopyOptions& options);

// Turns the checked form into Morvind's working copy (PreparedForm's
// contract) and writes it whole: a classic cross-reference table (Poppler
// appends one to every record), streams compressed where they were not,
// none decoded, no encryption, the /ID made from the content. Changes
// `pdf`; nullopt when qpdf could not write it.
std::optional<std::string> MakeWorkingCopy(QPDF& pdf, const FormFieldsFound& found,
                                           const WorkingCopyOptions& options);

// The qualified names of the text fields outside the table that hold a
// value but have a widget without an appearance of its own (a form saved
// with NeedAppearances): without the flag no viewer would draw them, so
// Poppler draws them anew in each record.
std::vector<std::string> FieldsToRedraw(QPDF& pdf, const FormFieldsFound& found);

}  // namespace morvind
