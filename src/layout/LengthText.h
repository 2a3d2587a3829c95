#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "layout/LengthUnit.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

namespace morvind {

// How the options and the layout details dialogs show and take lengths in
// the unit the user chose. The layout files and the margins keep inch texts
// with two decimals whatever the unit: a millimetre value is shown with one
// decimal and the German comma, and a typed one is stored as the nearest
// hundredth of an inch, so that every stored value survives being shown and
// typed in again unchanged.

// "Zoll" or "mm", as the dialogs' texts name the unit.
std::string_view UnitName(LengthUnit unit);

// A dialog text that names inches, in `unit`: every "Zoll" becomes "mm"
// ("(in Zoll vom oberen Rand)" -> "(in mm vom oberen Rand)"); in inches the
// text as it is.
std::string InUnit(std::string_view inchText, LengthUnit unit);

// Hundredths of an inch as tenths of a millimetre, rounded to the nearest
// (50 -> 127, that is 12,7 mm; 999 -> 2537).
int HundredthsToTenthsOfMillimetre(int hundredths);
// Tenths of a millimetre as the nearest hundredth of an inch (123 -> 48:
// 12,3 mm is stored as 0.48 inch, which is 12,19 mm). There are no ties.
int TenthsOfMillimetreToHundredths(int tenths);
// Tenths of a millimetre with one decimal and the German comma: 127 -> "12,7".
std::string MillimetreText(int tenths);
// A typed millimetre value in tenths: digits with at most one "," or "."
// and at most one decimal after it ("12,3", "12.3", "12", ",5", "12,");
// blanks around it are ignored and an empty text is 0. Nothing for any
// other text.
std::optional<int> ParseMillimetres(std::string_view text);

// A stored inch value as a field shows it: in inches the text as stored;
// in mm the value a card prints (LayoutValueToDevice's reading, so "1.5"
// shows as 26,7 and " .51" as 13,0).
std::string ShowLength(std::string_view stored, LengthUnit unit);

// The value rule for a length typed in `unit`, on the stored inch value:
// in inches NormalizeLayoutValueSilently ("1.5" -> "1.50"); in mm the
// nearest hundredth of an inch in normalized form ("12,3" -> "0.48"),
// rejected when that is above 9.99 inches or the text is not a millimetre
// value. The text to store, or nothing when rejected.
std::optional<std::string> StoredLength(std::string_view typed, LengthUnit unit);

// StoredLength, showing the value message of `unit` through `sink` when
// the typed text is rejected.
std::optional<std::string> CheckTypedLength(std::string_view typed, LengthUnit unit,
                                            const StringTable& strings, MessageSink& sink);

// The value message of `unit`: string 116 in inches; in mm the same request
// for millimetres, naming the range 0,0 to 253,7 mm.
std::string ValueMessage(LengthUnit unit, const StringTable& strings);

// The examples line under the header fields of the layout details dialog:
// "Beispiele:  1.52    0.80    0.00    2.15", in mm the same lengths in mm.
std::string ExamplesText(LengthUnit unit);

// The tooltip of a field that takes millimetres: how a typed value is stored.
std::string_view MillimetreToolTip();

}  // namespace morvind
