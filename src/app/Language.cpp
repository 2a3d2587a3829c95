#include "app/Language.h"

namespace morvind {

int FontCharsetFor(std::string_view languageCode) {
  // The platform's character-set numbers of the fonts.
  if (languageCode == "rom" || languageCode == "cz" || languageCode == "polish" ||
      languageCode == "sk") {
    return 238;  // East European
  }
  if (languageCode == "turkish") return 162;
  if (languageCode == "ell") return 161;
  if (languageCode == "rus") return 204;
  if (languageCode == "lt") return 186;
  return 0;
}

const char* LocaleFor(std::string_view languageCode) {
  if (languageCode == "rom") return "rom";
  if (languageCode == "turkish") return "turkish";
  return nullptr;
}

}  // namespace morvind
