#pragma once

#include <array>
#include <string_view>

namespace morvind {

// The character encodings of PDF's simple fonts that a form's field font
// may name (ISO 32000-1, annex D), as the Unicode of each code, so that
// Morvind can tell whether a font of the form can show a character.

enum class BaseEncoding { kStandard, kWinAnsi, kMacRoman };

// The Unicode of each of the 256 codes of `encoding`, 0 where the code has
// no character. The names of the encoding are read as Poppler reads them:
// WinAnsi's unused codes show a bullet, its 0xA0 the space and its 0xAD
// the hyphen, so that U+00A0 and U+00AD are not in it.
const std::array<char32_t, 256>& EncodingUnicode(BaseEncoding encoding);

// The Unicode of a glyph name of a font's /Differences: the names of the
// characters of the three encodings, of the Latin-1 and Latin Extended-A
// letters, and the forms "uniXXXX" and "uXXXX" (to "uXXXXXX"); 0 for any
// other name.
char32_t GlyphNameUnicode(std::string_view name);

}  // namespace morvind
