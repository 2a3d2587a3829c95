#pragma once

#include <string>
#include <string_view>

namespace morvind {

// Text compared as the secretary reads it: the same letters regardless of
// case, for the scripts the congregation data can hold (Latin-1, Latin
// Extended-A, Greek, Cyrillic: simple case folding to the small letter).

// Case-insensitive comparison of two UTF-8 texts: <0, 0, >0.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// True when `text` begins with `prefix`, compared with the same case folding.
bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The text with every letter folded: equal keys for texts that compare
// equal regardless of case (a key for a set or a map of names).
std::u32string FoldedKey(std::string_view text);

// The characters of a UTF-8 text; an invalid byte stands for itself above
// the Unicode range.
std::u32string CodePoints(std::string_view text);

}  // namespace morvind
