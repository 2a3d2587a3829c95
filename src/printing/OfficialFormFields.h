#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "printing/SheetContent.h"

namespace morvind {

// The official S-21 11/23 form is a fillable PDF, one edition per
// language, every edition with the same field names. These are the fields
// Morvind fills; a field is found by the last part of its qualified name.

enum class FormFieldKind { kText, kCheckBox };

struct FormFieldSpec {
  std::string name;
  FormFieldKind kind = FormFieldKind::kText;
  // A form without this field is still the form (older copies of it lack
  // the remarks cell of the total row); Morvind fills it where it is.
  bool required = true;
  // Receives hours as a number (HoursAsNumber), or another number.
  bool number = false;
};

// The number of fields Morvind fills: 13 of the header, 5 in each of the
// twelve rows, and the total row's hours and remarks.
inline constexpr std::size_t kOfficialFieldCount = 13 + 12 * 5 + 2;

// The fields in the table's order: 900_1 … 900_13 (name, date of birth,
// male, female, date of baptism, other sheep, anointed, elder, ministerial
// servant, regular pioneer, special pioneer, field missionary, service
// year), then for each row 20 (September) … 31 (August) its fields 901 …
// 905 (shared in ministry, Bible studies, auxiliary pioneer, hours,
// remarks), then 904_32 (total hours) and the optional 905_32 (the total
// row's remarks, which the sheet leaves blank).
const std::array<FormFieldSpec, kOfficialFieldCount>& OfficialFormFieldTable();

// What one field receives.
struct FormFieldValue {
  std::string name;  // as in the table
  FormFieldKind kind = FormFieldKind::kText;
  std::string text;      // kText: UTF-8, "" empties the field
  bool checked = false;  // kCheckBox
  bool operator==(const FormFieldValue&) const = default;
};

// The value of every field of the table, in its order, from the sheet's
// content: each text as the drawn sheet writes it and whole (the sheet
// clips a long remark at its cell, the form's field is never cut here),
// but the hours as numbers ("10.75", not "10¾": the form's number formats
// and every tool that reads a filled form parse them); "" where the sheet
// leaves a cell blank (also in rows without data, and the total row's
// remarks), every box as the sheet ticks it.
std::vector<FormFieldValue> OfficialFormValues(const SheetContent& content);

// The field lines of one form in the drawing listing, after its
// {"op":"page"} line: {"op":"field","name":"…","text":"…"} for a text
// field, {"op":"field","name":"…","checked":true} for a box, one a line.
std::string FormFieldListing(const std::vector<FormFieldValue>& values);

// The values as one text in which every field (name, kind and value) has
// its own unambiguous place: what a digest of a record's values is taken
// over, so that equal texts mean equal values.
std::string CanonicalFormValues(const std::vector<FormFieldValue>& values);

}  // namespace morvind
