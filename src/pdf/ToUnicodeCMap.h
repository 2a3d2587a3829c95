#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace morvind {

// A font's /ToUnicode CMap: which character each code of the font shows.
// PDF readers take the text of a page from it (search, copy, pdftotext),
// and Poppler asks it which code draws a character into a field.

// The lowest code the CMap maps to each character (bfchar and bfrange
// entries whose destination is one character, as UTF-16). What can't be
// read is left out, so that a damaged map shows fewer characters, never
// wrong ones.
std::map<char32_t, std::uint32_t> ToUnicodeCodes(std::string_view cmap);

// A CMap for a font with two-byte codes whose code is the character itself
// (Identity-H, CID = Unicode), covering the characters of the Basic
// Multilingual Plane in `characters`.
std::string IdentityToUnicodeCMap(const std::u32string& characters);

}  // namespace morvind
