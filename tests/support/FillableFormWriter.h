#pragma once

#include <string>
#include <string_view>

namespace morvind::test {

// A fillable stand-in for the official S-21 11/23 form, written by the
// project itself for the tests, the benchmarks and the demo: German labels
// drawn in the page with Helvetica, the table ruled roughly as the drawn
// sheet, and every field of OfficialFormFieldTable but the optional last
// as a widget of the AcroForm (NeedAppearances set) with what real forms
// bring along (unless the options below say otherwise):
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

  // The ways the official form differs from the defaults, each on its own.
  // The name, hours and remarks font where `substituteFonts` holds.
  enum class FieldFont {
    kHelveticaStandard,  // Helvetica with /StandardEncoding: no "ü"
    kHelveticaWinAnsi,   // Helvetica with /WinAnsiEncoding: "ü", but no "Ł"
    kEmbeddedSubset,     // a TrueType subset of Liberation Sans (kLiberationSansFile) with
                         // only the printable ASCII characters, /WinAnsiEncoding
  };
  FieldFont fieldFont = FieldFont::kHelveticaStandard;
  enum class Edition {
    k1123,        // the fields of OfficialFormFieldTable
    kBefore1123,  // the older edition: 900_1_Text …, rows 1 to 12 and 13 (the total) of
                  // 901_n_S21_Value … 904_n_S21_Value (904 the hours) and 905_n_Text
  };
  Edition edition = Edition::k1123;
  bool utf16Names = false;      // every /T a UTF-16 string, <FEFF…>
  bool yesState = false;        // boxes "on" as /Yes, not kTestFormOnState
  bool onePage = false;         // no back page: no second name field, note or checked box
  bool remarksTotal = false;    // the optional 75th field 905_32_Text_SanSerif
  bool needAppearances = true;  // the AcroForm's NeedAppearances
  bool formatAllHours = false;  // AFNumber_Format on every hours field, not only one
  // Made from a filled record: every field of the table holds an old value
  // (kTestFormOldName for the name, kTestFormOldNumber for numbers,
  // kTestFormOldText for other texts) with an appearance stream showing it,
  // and the boxes of the odd months and the first of the header are ticked.
  bool filledTemplate = false;
};

// As the official form is: its 75 fields named in UTF-16, boxes on as
// /Yes, one page, text fields without appearances until filled,
// NeedAppearances set, a number format on every hours field, the name,
// hours and remarks in Helvetica with /StandardEncoding.
FillableFormOptions OfficialLikeFormOptions();

inline constexpr std::string_view kLiberationSansFile =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
inline constexpr std::string_view kTestFormOldName = "Alt, Anna";
inline constexpr std::string_view kTestFormOldNumber = "7";
inline constexpr std::string_view kTestFormOldText = "alt";

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
