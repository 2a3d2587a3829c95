#include "data/CaseFolding.h"

#include <utility>

namespace morvind {
namespace {

// Decodes one code point; a byte that does not start a valid sequence
// stands for itself above the Unicode range, so that two different invalid
// texts never compare equal.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 1) {
    ++i;
    return lead;
  }
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0x110000u + lead;
  }
  char32_t cp = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0x110000u + lead;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return cp;
}

// Simple case folding (to the small letter) of the scripts the congregation
// data can hold: Latin-1, Latin Extended-A, Greek and Cyrillic.
char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c < 0x100) {
    if (c == 0xB5) return 0x3BC;  // micro sign -> mu
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    return c;
  }
  if (c < 0x180) {
    if (c == 0x178) return 0xFF;  // Y with diaeresis
    if (c == 0x17F) return 's';   // long s
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
      return c | 1;  // capital on the even point
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
      return (c & 1) ? c + 1 : c;  // capital on the odd point
    }
    return c;
  }
  if (c >= 0x370 && c < 0x400) {
    // The Greek letters whose small form is not a fixed distance away.
    static constexpr std::pair<char32_t, char32_t> kGreek[] = {
        {0x370, 0x371}, {0x372, 0x373}, {0x376, 0x377}, {0x37F, 0x3F3}, {0x386, 0x3AC},
        {0x388, 0x3AD}, {0x389, 0x3AE}, {0x38A, 0x3AF}, {0x38C, 0x3CC}, {0x38E, 0x3CD},
        {0x38F, 0x3CE}, {0x3C2, 0x3C3}, {0x3CF, 0x3D7}, {0x3D0, 0x3B2}, {0x3D1, 0x3B8},
        {0x3D5, 0x3C6}, {0x3D6, 0x3C0}, {0x3F0, 0x3BA}, {0x3F1, 0x3C1}, {0x3F4, 0x3B8},
        {0x3F5, 0x3B5}, {0x3F7, 0x3F8}, {0x3F9, 0x3F2}, {0x3FA, 0x3FB}, {0x3FD, 0x37B},
        {0x3FE, 0x37C}, {0x3FF, 0x37D}};
    for (const auto& [from, to] : kGreek) {
      if (c == from) return to;
    }
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 0x20;
    if (c >= 0x3D8 && c <= 0x3EF) return c | 1;
    return c;
  }
  if (c >= 0x400 && c < 0x530) {
    if (c <= 0x40F) return c + 0x50;
    if (c <= 0x42F) return c + 0x20;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
      return c | 1;
    }
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
    return c;
  }
  return c;
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, k = 0;
  while (i < a.size() && k < b.size()) {
    char32_t x = FoldCase(NextCodePoint(a, i));
    char32_t y = FoldCase(NextCodePoint(b, k));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (k < b.size()) return -1;
  return 0;
}

bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::size_t i = 0, k = 0;
  while (k < prefix.size()) {
    if (i >= text.size()) return false;
    if (FoldCase(NextCodePoint(text, i)) != FoldCase(NextCodePoint(prefix, k))) return false;
  }
  return true;
}

std::u32string FoldedKey(std::string_view text) {
  std::u32string key;
  for (std::size_t i = 0; i < text.size();) key += FoldCase(NextCodePoint(text, i));
  return key;
}

std::u32string CodePoints(std::string_view text) {
  std::u32string characters;
  for (std::size_t i = 0; i < text.size();) characters += NextCodePoint(text, i);
  return characters;
}

}  // namespace morvind
