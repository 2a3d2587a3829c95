#pragma once

#include <string>
#include <string_view>

#include "data/PublisherTable.h"
#include "resources/StringTable.h"

namespace morvind {

// The publisher's display name in UTF-8: "Meier, Anna" with lastNameFirst,
// "Anna Meier" without; the fields as stored, untrimmed. Empty below index 1.
std::string PublisherName(const PublisherTable& table, int publisher, bool lastNameFirst);

// The date formats: 0 "01/31/2002", 1 "31/01/2002", 2 "Jan 31, 2002",
// 3 "31 Jan, 2002" (with variants for "cz" and "hun"), and 4, the German
// "31.01.2002" in every language. 5 and higher format as 3, as they always did.
inline constexpr int kGermanDateFormat = 4;
inline constexpr int kDateFormatCount = 5;

// The date of birth (birth true) or of baptism, formatted for the card in
// `dateFormat` with the "cz" and "hun" variants of `languageCode`; empty
// when the date is not set.
std::string CardDate(const PublisherTable& table, int publisher, bool birth, int dateFormat,
                     std::string_view languageCode, const StringTable& strings);

// Formats a stored MMDDYYYY field (at most its first 8 bytes count, a zero
// byte ends it) the way CardDate does; the stored characters are decoded
// from `codePage`, so the result is UTF-8.
std::string FormatCardDate(std::string_view stored, int dateFormat, std::string_view languageCode,
                           const StringTable& strings, CodePage codePage = CodePage::kWindows1252);

// True when the date of baptism, trimmed, is longer than 4 characters.
bool IsBaptized(const PublisherTable& table, int publisher);

// "¼", "½" or "¾" for 1..3 quarters, empty below 1; with zeroPrefix and text
// 144 being "1", a "0" goes in front.
std::string QuarterText(int quarters, bool zeroPrefix, const StringTable& strings);

// Remove leading or trailing white space (space, \t, \n, \v, \f, \r) in place.
std::string& TrimLeft(std::string& text);
std::string& TrimRight(std::string& text);
std::string Trimmed(std::string_view text);

}  // namespace morvind
