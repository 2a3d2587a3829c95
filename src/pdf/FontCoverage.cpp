#include "pdf/FontCoverage.h"

#include <hb.h>

#include <array>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <qpdf/Pipeline.hh>
#include <stdexcept>
#include <string_view>

#include "pdf/FontEncodings.h"
#include "pdf/ToUnicodeCMap.h"

namespace morvind {
namespace {

// Limits on what a stream of a font may unpack to, so that a small,
// hostile form can't make Morvind inflate gigabytes.
constexpr std::size_t kMostProgramBytes = std::size_t{16} << 20;
constexpr std::size_t kMostMapBytes = std::size_t{2} << 20;

// Collects a stream's decoded bytes up to a limit, and gives up beyond it.
class LimitedString : public Pipeline {
 public:
  LimitedString(std::string& out, std::size_t limit)
      : Pipeline("limited", nullptr), out_(out), limit_(limit) {}
  void write(unsigned char const* data, size_t length) override {
    if (length > limit_ - out_.size()) throw std::length_error("stream too large");
    out_.append(reinterpret_cast<const char*>(data), length);
  }
  void finish() override {}

 private:
  std::string& out_;
  std::size_t limit_;
};

std::optional<std::string> StreamBytes(QPDFObjectHandle stream, std::size_t limit) {
  if (!stream.isStream()) return std::nullopt;
  std::string bytes;
  LimitedString pipe(bytes, limit);
  bool filtered = false;
  try {
    if (!stream.pipeStreamData(&pipe, &filtered, 0, qpdf_dl_specialized, true) || !filtered)
      return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return bytes;
}

bool IsBlank(char32_t c) {
  return c == 0x20 || c == 0xA0 || (c >= 0x2000 && c <= 0x200B);
}

// A TrueType or OpenType program as HarfBuzz reads it, with the
// (3,0) and (1,0) cmaps that Poppler reads codes through directly.
class FontProgram {
 public:
  explicit FontProgram(std::string bytes) : bytes_(std::move(bytes)) {
    hb_blob_t* blob = hb_blob_create_or_fail(bytes_.data(), static_cast<unsigned>(bytes_.size()),
                                             HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    if (!blob) return;
    face_ = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    font_ = hb_font_create(face_);
    glyphCount_ = hb_face_get_glyph_count(face_);
    ReadCmaps();
  }
  ~FontProgram() {
    hb_font_destroy(font_);
    hb_face_destroy(face_);
  }
  FontProgram(const FontProgram&) = delete;
  FontProgram& operator=(const FontProgram&) = delete;

  bool Ok() const { return glyphCount_ > 0; }
  bool HasUnicodeCmap() const { return unicode_; }
  bool HasSymbolCmap() const { return symbol_.size() > 0; }
  bool HasMacRomanCmap() const { return macRoman_.size() > 0; }

  std::uint32_t UnicodeGlyph(char32_t c) const {
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(font_, c, &glyph) ? glyph : 0;
  }
  std::uint32_t SymbolGlyph(std::uint32_t code) const {
    const std::uint32_t glyph = Lookup(symbol_, code);
    return glyph ? glyph : Lookup(symbol_, 0xF000 + code);
  }
  std::uint32_t MacRomanGlyph(std::uint32_t code) const { return Lookup(macRoman_, code); }

  // A glyph of the program that draws something (or, for a blank, exists).
  bool Draws(std::uint32_t glyph, char32_t c) const {
    if (glyph == 0 || glyph >= glyphCount_) return false;
    if (IsBlank(c)) return true;
    hb_glyph_extents_t extents{};
    return hb_font_get_glyph_extents(font_, glyph, &extents) &&
           (extents.width != 0 || extents.height != 0);
  }

 private:
  std::uint32_t U16(std::string_view data, std::size_t at) const {
    if (at + 2 > data.size()) return 0;
    return static_cast<unsigned char>(data[at]) << 8 | static_cast<unsigned char>(data[at + 1]);
  }
  std::uint32_t U32(std::string_view data, std::size_t at) const {
    return U16(data, at) << 16 | U16(data, at + 2);
  }

  // The subtables of the 'cmap' table: which kinds it has, and the
  // symbol and Mac Roman ones kept for lookups.
  void ReadCmaps() {
    hb_blob_t* blob = hb_face_reference_table(face_, HB_TAG('c', 'm', 'a', 'p'));
    unsigned length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    cmap_.assign(data ? data : "", length);
    hb_blob_destroy(blob);
    const std::string_view table = cmap_;
    const std::uint32_t count = U16(table, 2);
    for (std::uint32_t i = 0; i < count && 4 + 8 * i + 8 <= table.size(); ++i) {
      const std::uint32_t platform = U16(table, 4 + 8 * i), encoding = U16(table, 6 + 8 * i);
      const std::uint32_t offset = U32(table, 8 + 8 * i);
      if (offset >= table.size()) continue;
      const std::string_view subtable = table.substr(offset);
      if (platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10))) unicode_ = true;
      if (platform == 3 && encoding == 0) symbol_ = subtable;
      if (platform == 1 && encoding == 0) macRoman_ = subtable;
    }
  }

  // A code's glyph in a subtable of format 0, 4 or 6; 0 for any other.
  std::uint32_t Lookup(std::string_view subtable, std::uint32_t code) const {
    switch (U16(subtable, 0)) {
      case 0:
        return code < 256 && 6 + code < subtable.size()
                   ? static_cast<unsigned char>(subtable[6 + code])
                   : 0;
      case 6: {
        const std::uint32_t first = U16(subtable, 6), count = U16(subtable, 8);
        return code >= first && code - first < count ? U16(subtable, 10 + 2 * (code - first)) : 0;
      }
      case 4: {
        const std::uint32_t segments = U16(subtable, 6) / 2;
        const std::size_t ends = 14, starts = ends + 2 * segments + 2;
        const std::size_t deltas = starts + 2 * segments, ranges = deltas + 2 * segments;
        for (std::uint32_t s = 0; s < segments; ++s) {
          if (code > U16(subtable, ends + 2 * s)) continue;
          const std::uint32_t start = U16(subtable, starts + 2 * s);
          if (code < start) return 0;
          const std::uint32_t delta = U16(subtable, deltas + 2 * s);
          const std::uint32_t range = U16(subtable, ranges + 2 * s);
          if (range == 0) return (code + delta) & 0xFFFF;
          const std::uint32_t glyph = U16(subtable, ranges + 2 * s + range + 2 * (code - start));
          return glyph ? (glyph + delta) & 0xFFFF : 0;
        }
        return 0;
      }
      default:
        return 0;
    }
  }

  std::string bytes_, cmap_;
  hb_face_t* face_ = nullptr;
  hb_font_t* font_ = nullptr;
  unsigned glyphCount_ = 0;
  bool unicode_ = false;
  std::string_view symbol_, macRoman_;
};

std::optional<BaseEncoding> EncodingNamed(QPDFObjectHandle name) {
  if (!name.isName()) return std::nullopt;
  if (name.getName() == "/StandardEncoding") return BaseEncoding::kStandard;
  if (name.getName() == "/WinAnsiEncoding") return BaseEncoding::kWinAnsi;
  if (name.getName() == "/MacRomanEncoding") return BaseEncoding::kMacRoman;
  return std::nullopt;  // MacExpertEncoding has no letters of a name
}

// The Unicode of each code of a simple font, from its /Encoding over the
// built-in StandardEncoding; 0 where a code shows no known character.
std::array<char32_t, 256> SimpleFontCodes(QPDFObjectHandle font) {
  std::array<char32_t, 256> codes{};
  QPDFObjectHandle encoding = font.getKey("/Encoding");
  std::optional<BaseEncoding> base = BaseEncoding::kStandard;
  if (encoding.isName()) base = EncodingNamed(encoding);
  if (encoding.isDictionary() && encoding.hasKey("/BaseEncoding"))
    base = EncodingNamed(encoding.getKey("/BaseEncoding"));
  if (base) codes = EncodingUnicode(*base);
  if (!encoding.isDictionary()) return codes;
  QPDFObjectHandle differences = encoding.getKey("/Differences");
  if (!differences.isArray()) return codes;
  long long code = -1;
  for (QPDFObjectHandle item : differences.aitems()) {
    if (item.isInteger()) {
      code = item.getIntValue();
    } else if (item.isName() && code >= 0 && code < 256) {
      codes[static_cast<std::size_t>(code++)] = GlyphNameUnicode(item.getName().substr(1));
    } else {
      code = -1;  // nothing sensible follows until the next code
    }
  }
  return codes;
}

// The standard fonts Poppler draws with fonts of its own, by the family
// part of their names (before "," or "-"), symbolic ones left out.
bool IsStandardLatinFont(const std::string& baseFont) {
  const std::string family = baseFont.substr(0, baseFont.find_first_of(",-"));
  for (std::string_view known :
       {"/Helvetica", "/Times", "/Courier", "/Arial", "/ArialMT", "/TimesNewRoman",
        "/TimesNewRomanPSMT", "/CourierNew", "/CourierNewPSMT"})
    if (family == known) return true;
  return false;
}

// The program of a font descriptor that Morvind reads: FontFile2, or
// FontFile3 of subtype OpenType.
std::optional<std::string> TrueTypeProgram(QPDFObjectHandle descriptor) {
  if (!descriptor.isDictionary()) return std::nullopt;
  if (descriptor.hasKey("/FontFile2"))
    return StreamBytes(descriptor.getKey("/FontFile2"), kMostProgramBytes);
  QPDFObjectHandle file3 = descriptor.getKey("/FontFile3");
  if (file3.isStream() && file3.getDict().getKey("/Subtype").isNameAndEquals("/OpenType"))
    return StreamBytes(file3, kMostProgramBytes);
  return std::nullopt;
}

bool HasProgram(QPDFObjectHandle descriptor) {
  return descriptor.isDictionary() &&
         (descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile2") ||
          descriptor.hasKey("/FontFile3"));
}

bool SimpleFontShowsAll(QPDFObjectHandle font, const std::u32string& characters,
                        bool embeddedOnly) {
  const std::array<char32_t, 256> codes = SimpleFontCodes(font);
  auto codeOf = [&](char32_t c) -> std::optional<std::uint32_t> {
    for (std::uint32_t code = 0; code < 256; ++code)
      if (codes[code] == c) return code;
    return std::nullopt;
  };
  QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
  if (!HasProgram(descriptor)) {
    if (embeddedOnly) return false;
    QPDFObjectHandle name = font.getKey("/BaseFont");
    if (!name.isName() || !IsStandardLatinFont(name.getName())) return false;
    for (char32_t c : characters)
      if (!codeOf(c)) return false;
    return true;
  }
  const std::optional<std::string> bytes = TrueTypeProgram(descriptor);
  if (!bytes) return false;
  const FontProgram program(*bytes);
  if (!program.Ok()) return false;
  QPDFObjectHandle flags = descriptor.getKey("/Flags");
  const bool symbolic = flags.isInteger() && (flags.getIntValue() & 4) != 0;
  const bool hasEncoding = font.hasKey("/Encoding");
  const bool macRomanEncoding = font.getKey("/Encoding").isNameAndEquals("/MacRomanEncoding");
  const std::array<char32_t, 256>& macRoman = EncodingUnicode(BaseEncoding::kMacRoman);
  auto macRomanCode = [&](char32_t c) {
    for (std::uint32_t code = 0; code < 256; ++code)
      if (macRoman[code] == c) return code;
    return 0u;
  };
  for (char32_t c : characters) {
    const std::optional<std::uint32_t> code = codeOf(c);
    if (!code) return false;
    // The cmap Poppler reads a simple TrueType font's codes through.
    std::uint32_t glyph = 0;
    if (hasEncoding && program.HasUnicodeCmap()) {
      glyph = program.UnicodeGlyph(c);
    } else if (hasEncoding && macRomanEncoding && program.HasMacRomanCmap()) {
      glyph = program.MacRomanGlyph(macRomanCode(c));
    } else if ((!hasEncoding || symbolic) && program.HasSymbolCmap()) {
      glyph = program.SymbolGlyph(*code);
    } else if ((!hasEncoding || symbolic) && program.HasMacRomanCmap()) {
      glyph = program.MacRomanGlyph(*code);
    } else if (program.HasMacRomanCmap()) {
      glyph = program.MacRomanGlyph(macRomanCode(c));
    }
    if (!program.Draws(glyph, c)) return false;
  }
  return true;
}

bool Type0FontShowsAll(QPDFObjectHandle font, const std::u32string& characters) {
  if (!font.getKey("/Encoding").isNameAndEquals("/Identity-H")) return false;
  QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
  if (!descendants.isArray() || descendants.getArrayNItems() != 1) return false;
  QPDFObjectHandle cidFont = descendants.getArrayItem(0);
  if (!cidFont.isDictionary() || !cidFont.getKey("/Subtype").isNameAndEquals("/CIDFontType2"))
    return false;
  const std::optional<std::string> cmap = StreamBytes(font.getKey("/ToUnicode"), kMostMapBytes);
  if (!cmap) return false;
  const std::map<char32_t, std::uint32_t> codes = ToUnicodeCodes(*cmap);
  // The glyph of each CID: two bytes each in the map's stream, or the CID
  // itself.
  QPDFObjectHandle map = cidFont.getKey("/CIDToGIDMap");
  std::optional<std::string> glyphs;
  if (map.isStream()) {
    glyphs = StreamBytes(map, kMostMapBytes);
    if (!glyphs) return false;
  } else if (!map.isNull() && !map.isNameAndEquals("/Identity")) {
    return false;
  }
  const std::optional<std::string> bytes = TrueTypeProgram(cidFont.getKey("/FontDescriptor"));
  if (!bytes) return false;
  const FontProgram program(*bytes);
  if (!program.Ok()) return false;
  for (char32_t c : characters) {
    const auto found = codes.find(c);
    if (found == codes.end()) return false;
    std::uint32_t glyph = found->second;
    if (glyphs) {
      if (2 * std::size_t{glyph} + 1 >= glyphs->size()) return false;
      glyph = static_cast<unsigned char>((*glyphs)[2 * glyph]) << 8 |
              static_cast<unsigned char>((*glyphs)[2 * glyph + 1]);
    }
    if (!program.Draws(glyph, c)) return false;
  }
  return true;
}

}  // namespace

bool IsDrawnCharacter(char32_t c) {
  return c >= 0x20 && c <= 0xFFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

bool FontShowsAll(QPDFObjectHandle font, const std::u32string& characters, bool embeddedOnly) {
  std::u32string asked;
  for (char32_t c : characters)
    if (IsDrawnCharacter(c)) asked += c;
  if (asked.empty()) return true;
  try {
    if (!font.isDictionary()) return false;
    QPDFObjectHandle subtype = font.getKey("/Subtype");
    if (subtype.isNameAndEquals("/Type0")) return Type0FontShowsAll(font, asked);
    if (subtype.isNameAndEquals("/Type1") || subtype.isNameAndEquals("/MMType1") ||
        subtype.isNameAndEquals("/TrueType"))
      return SimpleFontShowsAll(font, asked, embeddedOnly);
    return false;
  } catch (const std::exception&) {
    return false;  // a damaged font shows nothing Morvind could prove
  }
}

}  // namespace morvind
