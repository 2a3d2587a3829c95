#pragma once

#include <string_view>

namespace morvind {

// Which publisher record a print puts on paper. The values are those the
// settings store as "Format" / "Form".
enum class RecordForm {
  // The card S-21 10/15: data at the layout's positions on a pre-printed
  // card (or the complete card), in one of the three card versions.
  kCard1015 = 0,
  // The sheet S-21 11/23: the whole form drawn on plain paper, one
  // service year a page.
  kSheet1123 = 1,
  // The sheet S-21 11/23 as the congregation's own fillable PDF form, in
  // its language: the same content, filled into the form's fields.
  kOfficialForm = 2,
};

// Whether the form is the sheet S-21 11/23, drawn or official: both follow
// the sheet's rules (its content, its print options, its rows).
constexpr bool IsSheetForm(RecordForm form) {
  return form == RecordForm::kSheet1123 || form == RecordForm::kOfficialForm;
}

// The names the window gives the forms.
inline constexpr std::string_view kCardFormName = "Karte S-21 10/15";
inline constexpr std::string_view kSheetFormName = "Blatt S-21 11/23";
inline constexpr std::string_view kOfficialFormName = "Amtliches Formular";

}  // namespace morvind
