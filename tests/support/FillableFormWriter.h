#pragma once

#include <string>
#include <string_view>

namespace morvind::test {

// A fillable stand-in for the official S-21 11/23 form, written by the
// project itself for the tests, the benchmarks and the demo: German labels
// drawn in the page with Helvetica, the table ruled roughly as the drawn
// sheet, and every field of OfficialFormFieldTable as a widget of the
// AcroForm (NeedAppearances set) with what real forms bring along:
// - boxes whose "on" state is named kTestFormOnState, not "Yes";
// - the name field under the parent kTestFormParent, and a second field of
//   that last name under kTestFormSecondParent on the second page;
// - a calculation (AFSimple_Calculate) on the total and a number format
//   (AFNumber_Format) on kTestFormFormattedField;
// - the name, hours and remarks in Helvetica with /StandardEncoding, which
//   has no "ü" and no "¾" (unless `substituteFonts` is false), the others in
//   Helvetica with /WinAnsiEncoding;
// - kTestFormLimitedField with the maximum length kTestFormLimitedLength;
// - a text field and a box of its own that are not in the table, filled in.
struct FillableFormOptions {
  enum class Fault {
    kNone,
    kMissingField,  // `field` left out
    kWrongKind,     // `field` written as the other kind (text for a box, a box for text)
    kXfa,           // an XFA form beside the AcroForm
    kNoAcroForm,    // widgets on the pages, but no AcroForm
    // Files that break a reader that trusts them:
    kNoDefaultResources,  // an AcroForm without /DR, every field in /Helv
    kDanglingReference,   // /Fields and a /Kids naming objects that don't exist
    kBrokenXref,          // every offset of the cross-reference table wrong
    kOwnParent,           // `field`'s widget names itself as its /Parent
    kKidsCycle,           // the name's parent field kTestFormParent among its own /Kids
    kDeepTree,            // `field` below a chain of 10,000 fields
    kManyWidgets,         // `field` with 5,000 widgets of its name
  };
  Fault fault = Fault::kNone;
  std::string field = "904_32_S21_Value";
  bool substituteFonts = true;  // false: every field in Helvetica with /WinAnsiEncoding
};

inline constexpr std::string_view kTestFormOnState = "Ja";
inline constexpr std::string_view kTestFormParent = "Person";
inline constexpr std::string_view kTestFormSecondParent = "Seite2";
inline constexpr std::string_view kTestFormFormattedField = "904_20_S21_Value";
inline constexpr std::string_view kTestFormLimitedField = "905_20_Text_SanSerif";
inline constexpr int kTestFormLimitedLength = 24;
// The fields of the form's own, filled in as the user left them.
inline constexpr std::string_view kTestFormNoteField = "Notiz";
inline constexpr std::string_view kTestFormNoteText = "von Hand eingetragen";
inline constexpr std::string_view kTestFormCheckedBox = "Geprueft_CheckBox";

// The whole PDF file: two A4 pages, a cross-reference table with exact
// offsets.
std::string FillableFormPdf(const FillableFormOptions& options = {});

}  // namespace morvind::test
