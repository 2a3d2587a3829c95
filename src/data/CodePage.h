#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvind {

// The single-byte code pages the data files can be written in.
enum class CodePage {
  kWindows1250,
  kWindows1251,
  kWindows1252,
  kWindows1253,
  kWindows1254,
  kWindows1257
};

// The code page of the data for a language code: 1250 for "cz", "polish",
// "sk" and "rom", 1251 for "rus", 1253 for "ell", 1254 for "turkish", 1257
// for "lt", and 1252 for every other code ("german").
CodePage CodePageForLanguage(std::string_view languageCode);

// Decodes single-byte text to UTF-8. Bytes the code page leaves undefined
// come out as the Latin-1 character of the same value.
std::string DecodeToUtf8(std::string_view bytes, CodePage codePage);

// True when `byte` stands for a letter in the code page: A-Z and a-z, and
// the code page's own letters (accented Latin, Greek, Cyrillic).
bool IsLetterInCodePage(std::uint8_t byte, CodePage codePage);

// Encodes UTF-8 text into the code page; nothing when a character has no
// byte there (or the UTF-8 is malformed).
std::optional<std::string> EncodeFromUtf8(std::string_view utf8, CodePage codePage);

}  // namespace morvind
