#pragma once

#include <string_view>

namespace morvind {

// The font character set every font of the card and the preview is made
// with: 238 for "rom", "cz", "polish", "sk"; 162 "turkish"; 161 "ell";
// 204 "rus"; 186 "lt"; 0 for any other code ("german").
int FontCharsetFor(std::string_view languageCode);

// The C library locale the program sets at start: "rom" and "turkish" set
// the locale of that name; any other code sets none (null).
const char* LocaleFor(std::string_view languageCode);

inline bool IsPortuguese(std::string_view languageCode) {
  return languageCode == "portuguese";
}

}  // namespace morvind
