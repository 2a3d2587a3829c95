#include "pdf/FormFonts.h"

#include <algorithm>
#include <system_error>

#include "data/CaseFolding.h"

namespace morvind {
namespace {

// Where Debian's fonts-liberation and fonts-liberation2 put it.
constexpr const char* kLiberationSans[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
};

std::u32string CodePageCharacters(CodePage codePage) {
  std::string bytes;
  for (int b = 0x20; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  std::u32string characters = CodePoints(DecodeToUtf8(bytes, codePage));
  // The bytes a code page leaves undefined come out as control characters,
  // which no name holds and no font draws.
  characters.erase(std::remove_if(characters.begin(), characters.end(),
                                  [](char32_t c) { return c == 0x7F || (c >= 0x80 && c <= 0x9F); }),
                   characters.end());
  return characters;
}

}  // namespace

WorkingCopyOptions WorkingCopyOptionsFor(CodePage codePage, bool embeddedFontsOnly) {
  WorkingCopyOptions options;
  options.embeddedFontsOnly = embeddedFontsOnly;
  options.characters = CodePageCharacters(codePage);
  if (codePage != CodePage::kWindows1252)
    options.characters += CodePageCharacters(CodePage::kWindows1252);
  std::sort(options.characters.begin(), options.characters.end());
  options.characters.erase(std::unique(options.characters.begin(), options.characters.end()),
                           options.characters.end());
  for (const char* font : kLiberationSans) {
    std::error_code error;
    if (std::filesystem::is_regular_file(font, error)) {
      options.fontFile = font;
      break;
    }
  }
  return options;
}

}  // namespace morvind
