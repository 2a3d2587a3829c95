#include <gtest/gtest.h>

#include "data/CodePage.h"

namespace morvind {
namespace {

TEST(CodePageTest, LanguageCodesPickTheirCodePage) {
  const std::pair<const char*, CodePage> cases[] = {
      {"german", CodePage::kWindows1252},     {"", CodePage::kWindows1252},
      {"portuguese", CodePage::kWindows1252}, {"cz", CodePage::kWindows1250},
      {"polish", CodePage::kWindows1250},     {"sk", CodePage::kWindows1250},
      {"rom", CodePage::kWindows1250},        {"hun", CodePage::kWindows1252},
      {"rus", CodePage::kWindows1251},        {"ell", CodePage::kWindows1253},
      {"turkish", CodePage::kWindows1254},    {"lt", CodePage::kWindows1257}};
  for (const auto& [code, page] : cases) EXPECT_EQ(CodePageForLanguage(code), page) << code;
}

TEST(CodePageTest, TextsRoundTripThroughTheirCodePage) {
  struct Case {
    const char* utf8;
    CodePage page;
    const char* bytes;
  };
  const Case cases[] = {
      {"M\xC3\xBCller \xC3\x84\xC3\x96\xC3\x9C \xC3\xA4\xC3\xB6 Stra\xC3\x9F"
       "e",
       CodePage::kWindows1252,
       "M\xFCller \xC4\xD6\xDC \xE4\xF6 Stra\xDF"
       "e"},
      {"\xE2\x82\xAC 5", CodePage::kWindows1252, "\x80 5"},  // €
      {"Dvo\xC5\x99\xC3\xA1k \xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       CodePage::kWindows1250,
       "Dvo\xF8\xE1k \xA3\xF3"
       "d\x9F"},                                                             // Dvořák Łódź
      {"\xD0\x9F\xD1\x80\xD0\xB8", CodePage::kWindows1251, "\xCF\xF0\xE8"},  // При
      {"plain ASCII ~", CodePage::kWindows1257, "plain ASCII ~"},
  };
  for (const Case& c : cases) {
    auto encoded = EncodeFromUtf8(c.utf8, c.page);
    ASSERT_TRUE(encoded) << c.utf8;
    EXPECT_EQ(*encoded, c.bytes);
    EXPECT_EQ(DecodeToUtf8(c.bytes, c.page), c.utf8);
  }
}

TEST(CodePageTest, UndefinedBytesDecodeAsLatin1AndMalformedInputIsRefused) {
  // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in windows-1252.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    std::string byte(1, static_cast<char>(b));
    std::string decoded = DecodeToUtf8(byte, CodePage::kWindows1252);
    EXPECT_EQ(decoded, std::string({static_cast<char>(0xC2), static_cast<char>(b)}));
    EXPECT_EQ(EncodeFromUtf8(decoded, CodePage::kWindows1252), byte);
  }
  // Every byte of every code page decodes to something that encodes back.
  for (CodePage page : {CodePage::kWindows1250, CodePage::kWindows1251, CodePage::kWindows1252,
                        CodePage::kWindows1253, CodePage::kWindows1254, CodePage::kWindows1257}) {
    for (int b = 1; b < 256; ++b) {
      std::string byte(1, static_cast<char>(b));
      ASSERT_EQ(EncodeFromUtf8(DecodeToUtf8(byte, page), page), byte) << b;
    }
  }
  const char* refused[] = {"\xE4\xB8\xAD",  // a character not in the code page
                           "\xC3",          // cut sequence
                           "\xC0\x80",      // overlong zero
                           "\xED\xA0\x80",  // surrogate
                           "\xFF"};
  for (const char* text : refused) EXPECT_FALSE(EncodeFromUtf8(text, CodePage::kWindows1252));
}

}  // namespace
}  // namespace morvind
