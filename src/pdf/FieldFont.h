#pragma once

#include <filesystem>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>
#include <vector>

namespace morvind {

// Fonts of the official form's text fields, for Morvind's working copy of
// the form (OfficialFormFile.h). Where a field's font lacks a character,
// Poppler embeds a whole font of the system into every filled form (about
// 500 KB) and takes most of a second to do it; the working copy instead
// carries once a subset of a font that has every character the fields may
// receive, and the fields that need it draw with it.

// The AcroForm's default fonts (/DR /Font), made where the form has none.
QPDFObjectHandle DefaultFonts(QPDFObjectHandle acroForm);

// A text field of the form and the characters it may receive.
struct FieldCharacters {
  QPDFObjectHandle field;  // the terminal field's dictionary (its widgets are its kids or itself)
  std::u32string characters;
};

// For each field whose font (from its default appearance string /DA, its
// own or inherited, looked up in its /DR or the AcroForm's /DR) can't show
// every one of its characters: adds once to the AcroForm's /DR a font made
// from `fontFile` (a TrueType font) as a subset of the glyphs of those
// characters (a Type0 font, Identity-H, its FontFile2 compressed and named
// with a subset tag "ABCDEF+Name", widths only for those characters, a
// ToUnicode map so that the text stays searchable), and points the field's
// /DA (and its widgets' own) at it, size and colour kept. A font Morvind
// can't read is taken to lack every character; with `embeddedOnly` so is a
// font that is not embedded (FontShowsAll). False when `fontFile` can't be
// read or subset; the fields are then left as they are.
bool EnsureFieldFonts(QPDF& pdf, const std::vector<FieldCharacters>& fields,
                      const std::filesystem::path& fontFile, bool embeddedOnly = false);

}  // namespace morvind
