#include "pdf/DefaultAppearance.h"

#include <vector>

namespace morvind {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}
bool IsDelimiter(char c) {
  return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
         c == '}' || c == '/' || c == '%';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

struct Token {
  std::size_t start, length;
};

// The tokens of a content-stream fragment as far as a default appearance
// needs them: names, numbers and operators. A delimiter other than "/"
// stands alone; strings and arrays don't occur in a /DA a reader honours.
std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSpace(text[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i++;
    if (text[start] != '/' && IsDelimiter(text[start])) {
      tokens.push_back({start, 1});
      continue;
    }
    while (i < text.size() && !IsSpace(text[i]) && !IsDelimiter(text[i])) ++i;
    tokens.push_back({start, i - start});
  }
  return tokens;
}

// The token of the font name of the last "Tf" with a name two places
// before it.
std::optional<Token> FontNameToken(std::string_view text) {
  const std::vector<Token> tokens = Tokens(text);
  std::optional<Token> found;
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const Token& name = tokens[i - 2];
    if (text.substr(tokens[i].start, tokens[i].length) == "Tf" && text[name.start] == '/')
      found = name;
  }
  return found;
}

}  // namespace

std::optional<std::string> DefaultAppearanceFont(std::string_view appearance) {
  const std::optional<Token> token = FontNameToken(appearance);
  if (!token) return std::nullopt;
  // A name may write any byte as "#" and two hexadecimal digits; the
  // resource's key is the name with them read.
  const std::string_view written = appearance.substr(token->start + 1, token->length - 1);
  std::string name;
  for (std::size_t i = 0; i < written.size(); ++i) {
    const int high = i + 2 < written.size() && written[i] == '#' ? HexDigit(written[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(written[i + 2]) : -1;
    if (low >= 0) {
      name += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      name += written[i];
    }
  }
  return name;
}

std::string WithDefaultAppearanceFont(std::string_view appearance, std::string_view fontKey) {
  const std::string name = "/" + std::string(fontKey);
  const std::optional<Token> token = FontNameToken(appearance);
  if (!token) return name + " 0 Tf " + std::string(appearance);
  std::string out(appearance);
  out.replace(token->start, token->length, name);
  return out;
}

}  // namespace morvind
