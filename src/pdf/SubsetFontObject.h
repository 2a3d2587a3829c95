#pragma once

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>

#include "pdf/SubsetFont.h"

namespace morvind {

// Adds `font` to `pdf` as a Type0 font as Poppler adds fonts to forms
// (Identity-H, one CIDFontType2 whose CID is the character's Unicode, its
// /CIDToGIDMap leading to the subset's glyphs) and returns the font's
// dictionary (indirect): /W with the widths of its characters only, a font
// descriptor named "TAG+PostScriptName" with the program as /FontFile2, a
// /ToUnicode map; every stream compressed. Only characters of the Basic
// Multilingual Plane are in it.
QPDFObjectHandle AddSubsetFontObject(QPDF& pdf, const SubsetFont& font);

}  // namespace morvind
