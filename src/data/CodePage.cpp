#include "data/CodePage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace morvind {
namespace {

const char* IconvName(CodePage codePage) {
  switch (codePage) {
    case CodePage::kWindows1250:
      return "CP1250";
    case CodePage::kWindows1251:
      return "CP1251";
    case CodePage::kWindows1252:
      return "CP1252";
    case CodePage::kWindows1253:
      return "CP1253";
    case CodePage::kWindows1254:
      return "CP1254";
    case CodePage::kWindows1257:
      return "CP1257";
  }
  return "CP1252";
}

// The letters among the characters the single-byte code pages can hold:
// ASCII, Latin-1 and the Latin extensions, Greek and Cyrillic. Signs,
// punctuation and the spacing accents are not letters.
bool IsLetterCodePoint(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
  if (c >= 0x386 && c <= 0x3CE) return c != 0x387 && c != 0x38B && c != 0x38D && c != 0x3A2;
  if (c >= 0x400 && c <= 0x52F) return c < 0x482 || c > 0x489;
  return false;
}

// One code page as a table of 256 code points, built once with iconv byte
// by byte, so that decoding is a lookup and bytes iconv refuses (the holes
// of the Windows code pages) still come out as something.
struct CodePageTable {
  std::array<char32_t, 256> toUnicode{};
  std::array<bool, 256> isLetter{};
  std::unordered_map<char32_t, std::uint8_t> fromUnicode;
};

CodePageTable BuildTable(CodePage codePage) {
  CodePageTable table;
  iconv_t cd = iconv_open("UTF-32LE", IconvName(codePage));
  for (int b = 0; b < 256; ++b) {
    char32_t codePoint = static_cast<char32_t>(b);
    if (cd != reinterpret_cast<iconv_t>(-1) && b >= 0x80) {
      char in = static_cast<char>(b);
      unsigned char out[8] = {};
      char* inPtr = &in;
      char* outPtr = reinterpret_cast<char*>(out);
      std::size_t inLeft = 1, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
          outLeft == 4) {
        codePoint = static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) |
                                          (static_cast<std::uint32_t>(out[3]) << 24));
      }
    }
    table.toUnicode[b] = codePoint;
    table.isLetter[b] = IsLetterCodePoint(codePoint);
    table.fromUnicode.emplace(codePoint, static_cast<std::uint8_t>(b));
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  return table;
}

const CodePageTable& TableFor(CodePage codePage) {
  static const std::array<CodePageTable, 6> tables = {
      BuildTable(CodePage::kWindows1250), BuildTable(CodePage::kWindows1251),
      BuildTable(CodePage::kWindows1252), BuildTable(CodePage::kWindows1253),
      BuildTable(CodePage::kWindows1254), BuildTable(CodePage::kWindows1257)};
  return tables[static_cast<std::size_t>(codePage)];
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Reads one code point; false on malformed input.
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& c) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  std::size_t extra = 0;
  if (lead < 0x80) {
    extra = 0;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
  } else {
    return false;
  }
  if (i + extra >= text.size()) return false;
  c = extra == 0 ? lead : static_cast<char32_t>(lead & (0x3F >> extra));
  for (std::size_t k = 1; k <= extra; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms (which could smuggle in a zero byte), surrogates and
  // values beyond Unicode are malformed too.
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
  i += extra + 1;
  return true;
}

}  // namespace

CodePage CodePageForLanguage(std::string_view languageCode) {
  if (languageCode == "cz" || languageCode == "polish" || languageCode == "sk" ||
      languageCode == "rom")
    return CodePage::kWindows1250;
  if (languageCode == "rus") return CodePage::kWindows1251;
  if (languageCode == "ell") return CodePage::kWindows1253;
  if (languageCode == "turkish") return CodePage::kWindows1254;
  if (languageCode == "lt") return CodePage::kWindows1257;
  return CodePage::kWindows1252;
}

std::string DecodeToUtf8(std::string_view bytes, CodePage codePage) {
  const CodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (unsigned char b : bytes) AppendUtf8(out, table.toUnicode[b]);
  return out;
}

bool IsLetterInCodePage(std::uint8_t byte, CodePage codePage) {
  return TableFor(codePage).isLetter[byte];
}

std::optional<std::string> EncodeFromUtf8(std::string_view utf8, CodePage codePage) {
  const CodePageTable& table = TableFor(codePage);
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t c = 0;
    if (!NextCodePoint(utf8, i, c)) return std::nullopt;
    auto it = table.fromUnicode.find(c);
    if (it == table.fromUnicode.end()) return std::nullopt;
    out += static_cast<char>(it->second);
  }
  return out;
}

}  // namespace morvind
