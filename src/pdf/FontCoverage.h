#pragma once

#include <qpdf/QPDFObjectHandle.hh>
#include <string>

namespace morvind {

// Whether a font of a form's resources shows every character of
// `characters` when Poppler draws a field's text in it. The decision is
// conservative: what Morvind can't prove the font shows, it lacks (a
// field that switches to the added font only looks a little different).
// - A simple font without a program of its own (one of the standard 14,
//   or a common alias of their Latin ones): the character must be in its
//   encoding (/Encoding by name, or /BaseEncoding with /Differences; the
//   built-in one of the Latin fonts is StandardEncoding). Symbol and
//   ZapfDingbats show no text.
// - A simple font with a TrueType or OpenType program (FontFile2,
//   FontFile3 /OpenType): the character must be in its encoding and its
//   code lead to a glyph of the program with an outline (a space needs
//   none), through the cmap Poppler chooses.
// - A Type0 font (Identity-H) over a CIDFontType2: its /ToUnicode gives the
//   character's code, its /CIDToGIDMap a glyph other than 0, and the
//   program has that glyph with an outline.
// - Anything else (Type1 and bare CFF programs, Type3, other CMaps, broken
//   streams, a missing font): lacks every character.
// Characters below U+0020 and outside the Basic Multilingual Plane are not
// asked about: no font draws the first, and neither a form's fonts nor the
// added one can carry the second as Poppler encodes field texts.
// With `embeddedOnly` a font that is not embedded (the first case) shows
// nothing: each viewer and printer draws such a font with one of its own.
bool FontShowsAll(QPDFObjectHandle font, const std::u32string& characters,
                  bool embeddedOnly = false);

// Whether FontShowsAll asks about the character at all (see above).
bool IsDrawnCharacter(char32_t c);

}  // namespace morvind
