#include "pdf/ToUnicodeCMap.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace morvind {
namespace {

// However large a damaged map claims its ranges are, reading it stops here.
constexpr std::uint32_t kMostCodes = 1u << 20;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A token of the CMap: a hexadecimal string (its bytes), "[" or "]", or a
// word.
struct Token {
  bool hex = false;
  std::string text;
};

std::vector<Token> Tokens(std::string_view cmap) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < cmap.size()) {
    const char c = cmap[i];
    if (c == '%') {
      while (i < cmap.size() && cmap[i] != '\n' && cmap[i] != '\r') ++i;
    } else if (c == '<' && i + 1 < cmap.size() && cmap[i + 1] != '<') {
      Token token{true, {}};
      int high = -1;
      for (++i; i < cmap.size() && cmap[i] != '>'; ++i) {
        const int digit = HexDigit(cmap[i]);
        if (digit < 0) continue;  // white space between the digits
        if (high < 0) {
          high = digit;
        } else {
          token.text += static_cast<char>(high * 16 + digit);
          high = -1;
        }
      }
      if (high >= 0) token.text += static_cast<char>(high * 16);  // a last digit alone is 0-padded
      ++i;
      tokens.push_back(std::move(token));
    } else if (c == '[' || c == ']') {
      tokens.push_back({false, std::string(1, c)});
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0') {
      ++i;
    } else {
      const std::size_t start = i;
      while (i < cmap.size() &&
             std::string_view(" \t\r\n\f%<>[]", 11).find(cmap[i]) == std::string_view::npos &&
             cmap[i] != '\0')
        ++i;
      if (i == start) ++i;  // a lone ">"
      tokens.push_back({false, std::string(cmap.substr(start, i - start))});
    }
  }
  return tokens;
}

std::optional<std::uint32_t> Code(const Token& token) {
  if (!token.hex || token.text.empty() || token.text.size() > 4) return std::nullopt;
  std::uint32_t code = 0;
  for (unsigned char byte : token.text) code = code << 8 | byte;
  return code;
}

// The one character a destination holds in UTF-16, or nothing.
std::optional<char32_t> Character(const std::string& utf16) {
  auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(utf16[i]) << 8 |
                                 static_cast<unsigned char>(utf16[i + 1]));
  };
  if (utf16.size() == 2) {
    const char32_t u = unit(0);
    if (u >= 0xD800 && u <= 0xDFFF) return std::nullopt;
    return u;
  }
  if (utf16.size() == 4) {
    const char32_t high = unit(0), low = unit(2);
    if (high < 0xD800 || high > 0xDBFF || low < 0xDC00 || low > 0xDFFF) return std::nullopt;
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
  }
  return std::nullopt;
}

void Add(std::map<char32_t, std::uint32_t>& codes, char32_t character, std::uint32_t code) {
  const auto [entry, added] = codes.emplace(character, code);
  if (!added) entry->second = std::min(entry->second, code);
}

std::string Hex4(char32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "<";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
  return out + ">";
}

}  // namespace

std::map<char32_t, std::uint32_t> ToUnicodeCodes(std::string_view cmap) {
  std::map<char32_t, std::uint32_t> codes;
  const std::vector<Token> tokens = Tokens(cmap);
  std::uint32_t budget = kMostCodes;
  std::size_t i = 0;
  auto word = [&](std::size_t at, std::string_view text) {
    return at < tokens.size() && !tokens[at].hex && tokens[at].text == text;
  };
  while (i < tokens.size()) {
    if (word(i, "beginbfchar")) {
      for (++i; i + 1 < tokens.size() && !word(i, "endbfchar"); i += 2) {
        const std::optional<std::uint32_t> code = Code(tokens[i]);
        const std::optional<char32_t> character =
            tokens[i + 1].hex ? Character(tokens[i + 1].text) : std::nullopt;
        if (code && character) Add(codes, *character, *code);
      }
    } else if (word(i, "beginbfrange")) {
      for (++i; i + 2 < tokens.size() && !word(i, "endbfrange");) {
        const std::optional<std::uint32_t> low = Code(tokens[i]), high = Code(tokens[i + 1]);
        i += 2;
        if (word(i, "[")) {
          // One destination per code.
          std::uint32_t code = low.value_or(0);
          for (++i; i < tokens.size() && !word(i, "]"); ++i, ++code) {
            const std::optional<char32_t> character =
                tokens[i].hex ? Character(tokens[i].text) : std::nullopt;
            if (low && high && code <= *high && character) Add(codes, *character, code);
          }
          ++i;
          continue;
        }
        // Consecutive codes show consecutive characters.
        const std::optional<char32_t> first =
            tokens[i].hex ? Character(tokens[i].text) : std::nullopt;
        ++i;
        if (!low || !high || !first || *high < *low || *high - *low >= budget) continue;
        budget -= *high - *low + 1;
        for (std::uint32_t code = *low; code <= *high; ++code)
          Add(codes, *first + (code - *low), code);
      }
    }
    ++i;
  }
  return codes;
}

std::string IdentityToUnicodeCMap(const std::u32string& characters) {
  const std::set<char32_t> codes(characters.begin(), characters.end());
  // Runs of consecutive codes that share their first byte, as a range may
  // only vary in its last byte.
  std::vector<std::pair<char32_t, char32_t>> runs;
  for (char32_t code : codes) {
    if (code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) continue;
    if (!runs.empty() && runs.back().second + 1 == code && (code & 0xFF) != 0) {
      runs.back().second = code;
    } else {
      runs.push_back({code, code});
    }
  }
  std::string out =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  // At most 100 entries a block.
  for (std::size_t start = 0; start < runs.size(); start += 100) {
    const std::size_t end = std::min(runs.size(), start + 100);
    out += std::to_string(end - start) + " beginbfrange\n";
    for (std::size_t r = start; r < end; ++r)
      out += Hex4(runs[r].first) + " " + Hex4(runs[r].second) + " " + Hex4(runs[r].first) + "\n";
    out += "endbfrange\n";
  }
  return out + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

}  // namespace morvind
