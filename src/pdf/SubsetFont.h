#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvind {

// A TrueType font cut down to the glyphs of a set of characters, for
// embedding into a PDF: hinting and the layout tables (kerning,
// substitutions) dropped, as a form field draws its text glyph by glyph.

struct SubsetGlyph {
  char32_t character;
  std::uint32_t glyph;  // its glyph id in the subset's program
  int width;            // its advance in 1/1000 em
};

struct SubsetFont {
  std::string program;         // the subset font's file (TrueType)
  std::string postScriptName;  // the whole font's, e.g. "LiberationSans"
  // Every character asked for that the font has, in ascending order.
  std::vector<SubsetGlyph> glyphs;
  // What a PDF font descriptor says about it, in 1/1000 em (the angle in
  // degrees).
  int left = 0, bottom = 0, right = 0, top = 0;  // the bounding box of all glyphs
  int ascent = 0, descent = 0, capHeight = 0, stemV = 0;
  double italicAngle = 0;
  bool fixedPitch = false;
};

// The subset of the font file's bytes `font` (a TrueType or OpenType font
// with TrueType outlines) for `characters`; nothing when HarfBuzz can't
// read or subset it.
std::optional<SubsetFont> MakeSubsetFont(std::string_view font, const std::u32string& characters);

// The subset tag of a font embedded for a set of characters: six capital
// letters, always the same for the same set (so that the same form made
// twice has the same bytes) and, as far as a hash goes, others for
// others.
std::string SubsetTag(const std::u32string& characters);

}  // namespace morvind
