#include "pdf/SubsetFontObject.h"

#include <cmath>
#include <cstdint>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>
#include <set>

#include "pdf/ToUnicodeCMap.h"

namespace morvind {
namespace {

using Object = QPDFObjectHandle;

std::string Deflated(const std::string& data) {
  std::string out;
  Pl_String collect("deflated", nullptr, out);
  Pl_Flate flate("deflate", &collect, Pl_Flate::a_deflate);
  flate.write(reinterpret_cast<const unsigned char*>(data.data()), data.size());
  flate.finish();
  return out;
}

Object CompressedStream(QPDF& pdf, const std::string& data) {
  Object stream = Object::newStream(&pdf);
  stream.replaceStreamData(Deflated(data), Object::newName("/FlateDecode"), Object::newNull());
  return stream;
}

// A PDF name may hold any character, but a font's name only letters,
// digits and "-" (the PostScript name's own).
std::string FontName(const std::string& postScriptName) {
  std::string name;
  for (char c : postScriptName)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
      name += c;
  return name.empty() ? "Font" : name;
}

// /W as runs of consecutive CIDs: "first [w w w]".
Object Widths(const std::vector<SubsetGlyph>& glyphs) {
  Object widths = Object::newArray();
  Object run;
  char32_t next = 0;
  for (const SubsetGlyph& glyph : glyphs) {
    if (run.isInitialized() && glyph.character == next) {
      run.appendItem(Object::newInteger(glyph.width));
    } else {
      widths.appendItem(Object::newInteger(glyph.character));
      run = Object::newArray();
      run.appendItem(Object::newInteger(glyph.width));
      widths.appendItem(run);
    }
    next = glyph.character + 1;
  }
  return widths;
}

// Two bytes a CID, from CID 0 to the highest character: its glyph, or 0.
std::string CidToGidMap(const std::vector<SubsetGlyph>& glyphs) {
  std::string map(glyphs.empty() ? 2 : 2 * (std::size_t{glyphs.back().character} + 1), '\0');
  for (const SubsetGlyph& glyph : glyphs) {
    map[2 * glyph.character] = static_cast<char>(glyph.glyph >> 8);
    map[2 * glyph.character + 1] = static_cast<char>(glyph.glyph & 0xFF);
  }
  return map;
}

Object Array(std::initializer_list<int> values) {
  Object array = Object::newArray();
  for (int value : values) array.appendItem(Object::newInteger(value));
  return array;
}

}  // namespace

std::string SubsetTag(const std::u32string& characters) {
  // FNV-1a over the characters in ascending order, each once.
  std::uint64_t hash = 14695981039346656037ull;
  for (char32_t c : std::set<char32_t>(characters.begin(), characters.end())) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (c >> shift) & 0xFF;
      hash *= 1099511628211ull;
    }
  }
  std::string tag;
  for (int i = 0; i < 6; ++i, hash /= 26) tag += static_cast<char>('A' + hash % 26);
  return tag;
}

QPDFObjectHandle AddSubsetFontObject(QPDF& pdf, const SubsetFont& font) {
  std::vector<SubsetGlyph> glyphs;
  std::u32string characters;
  for (const SubsetGlyph& glyph : font.glyphs) {
    if (glyph.character > 0xFFFF) continue;  // beyond a two-byte CID
    glyphs.push_back(glyph);
    characters += glyph.character;
  }
  const std::string name = "/" + SubsetTag(characters) + "+" + FontName(font.postScriptName);

  Object program = CompressedStream(pdf, font.program);
  program.getDict().replaceKey("/Length1",
                               Object::newInteger(static_cast<long long>(font.program.size())));

  Object descriptor = Object::newDictionary();
  descriptor.replaceKey("/Type", Object::newName("/FontDescriptor"));
  descriptor.replaceKey("/FontName", Object::newName(name));
  // Nonsymbolic: its characters are Unicode's.
  descriptor.replaceKey("/Flags", Object::newInteger(32 | (font.fixedPitch ? 1 : 0)));
  descriptor.replaceKey("/FontBBox", Array({font.left, font.bottom, font.right, font.top}));
  descriptor.replaceKey("/ItalicAngle", font.italicAngle == 0
                                            ? Object::newInteger(0)
                                            : Object::newReal(font.italicAngle, 2));
  descriptor.replaceKey("/Ascent", Object::newInteger(font.ascent));
  descriptor.replaceKey("/Descent", Object::newInteger(font.descent));
  descriptor.replaceKey("/CapHeight", Object::newInteger(font.capHeight));
  descriptor.replaceKey("/StemV", Object::newInteger(font.stemV));
  descriptor.replaceKey("/FontFile2", program);

  Object systemInfo = Object::newDictionary();
  systemInfo.replaceKey("/Registry", Object::newString("Adobe"));
  systemInfo.replaceKey("/Ordering", Object::newString("Identity"));
  systemInfo.replaceKey("/Supplement", Object::newInteger(0));

  Object cidFont = Object::newDictionary();
  cidFont.replaceKey("/Type", Object::newName("/Font"));
  cidFont.replaceKey("/Subtype", Object::newName("/CIDFontType2"));
  cidFont.replaceKey("/BaseFont", Object::newName(name));
  cidFont.replaceKey("/CIDSystemInfo", systemInfo);
  cidFont.replaceKey("/FontDescriptor", pdf.makeIndirectObject(descriptor));
  cidFont.replaceKey("/W", Widths(glyphs));
  cidFont.replaceKey("/CIDToGIDMap", CompressedStream(pdf, CidToGidMap(glyphs)));

  Object type0 = Object::newDictionary();
  type0.replaceKey("/Type", Object::newName("/Font"));
  type0.replaceKey("/Subtype", Object::newName("/Type0"));
  type0.replaceKey("/BaseFont", Object::newName(name));
  type0.replaceKey("/Encoding", Object::newName("/Identity-H"));
  Object descendants = Object::newArray();
  descendants.appendItem(pdf.makeIndirectObject(cidFont));
  type0.replaceKey("/DescendantFonts", descendants);
  type0.replaceKey("/ToUnicode", CompressedStream(pdf, IdentityToUnicodeCMap(characters)));
  return pdf.makeIndirectObject(type0);
}

}  // namespace morvind
