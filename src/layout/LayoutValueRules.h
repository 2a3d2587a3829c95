#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "resources/MessageSink.h"
#include "resources/StringTable.h"

namespace morvind {

// The value rule for typed inch values (layout fields and margins). On
// success `text` is rewritten in normalized form ("1.5" -> "1.50", "150" ->
// "1.50", ".5" -> "0.50", "1.234" -> "1.23", "" -> "0.00") and true is
// returned. A rejected text
// (not digits and at most one point in the first or second place) shows the
// value message (string 116, warning icon) through `sink`, stays as it was,
// and false is returned.
bool NormalizeLayoutValue(std::string& text, const StringTable& strings, MessageSink& sink);

// The rule without the message: the normalized text, or nothing when rejected.
bool NormalizeLayoutValueSilently(std::string& text);

// Inch text to device units: units × hundredths / 100 + units × whole, in
// unsigned 32-bit arithmetic; only the first four characters count
// ("1.32" at 600 units per inch gives 792).
std::uint32_t LayoutValueToDevice(std::uint32_t unitsPerInch, std::string_view value);

// Inch text to hundredths for the spin controls, read as LayoutValueToDevice
// reads it: "1.32" -> 132, "0.05" -> 5, "1.500" -> 150, " .51" -> 51, "" -> 0.
int LayoutValueToHundredths(std::string_view value);

// Hundredths (0..999) back to an inch text: "%3d" with a point after its
// first place (132 -> "1.32", 51 -> " .51").
std::string HundredthsToLayoutValue(int hundredths);

// The value as a card prints it, in normalized form: "1.500" -> "1.50",
// "1.5" (stored unchecked, read as 1 inch and 5 hundredths) -> "1.05",
// " .51" -> "0.51", "" -> "0.00"; a normalized text comes back unchanged.
std::string PrintedLayoutValue(std::string_view value);

}  // namespace morvind
