#include "data/TextServices.h"

#include <cstdio>
#include <cstring>

#include "resources/StringIds.h"

namespace morvind {
namespace {

bool IsWhite(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string& TrimLeft(std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && IsWhite(text[first])) ++first;
  text.erase(0, first);
  return text;
}

std::string& TrimRight(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsWhite(text[end - 1])) --end;
  text.erase(end);
  return text;
}

std::string Trimmed(std::string_view text) {
  std::string copy(text);
  TrimRight(copy);
  return TrimLeft(copy);
}

std::string PublisherName(const PublisherTable& table, int publisher, bool lastNameFirst) {
  if (publisher < 1 || !table.IsValidIndex(publisher)) return std::string();
  std::string first = table.Text(publisher, record::kFirstName);
  std::string last = table.Text(publisher, record::kLastName);
  return lastNameFirst ? last + ", " + first : first + " " + last;
}

std::string FormatCardDate(std::string_view stored, int dateFormat, std::string_view languageCode,
                           const StringTable& strings, CodePage codePage) {
  // MMDDYYYY becomes MM/DD/YYYY; a zero byte among the eight ends the text.
  char c[8] = {};
  std::size_t n = 0;
  while (n < 8 && n < stored.size() && stored[n] != '\0') {
    c[n] = stored[n];
    ++n;
  }
  std::string text;
  for (std::size_t i = 0; i < n; ++i) {
    if (i == 2 || i == 4) text += '/';
    text += c[i];
  }
  // The separators are only written while characters remain, as the
  // formatting with %c stops at the first zero.
  if (n == 2 || n == 4) text += '/';
  std::string date = Trimmed(text);
  if (date.size() < 8) return std::string();

  // The date is cut and rearranged as stored bytes, one character a byte;
  // only the finished pieces are decoded, so that a damaged byte becomes a
  // character of the code page like in every other text.
  auto decoded = [codePage](std::string_view bytes) { return DecodeToUtf8(bytes, codePage); };
  if (dateFormat == 0) return decoded(date);
  if (dateFormat == 1) {
    std::swap(date[0], date[3]);
    std::swap(date[1], date[4]);
    return decoded(date);
  }
  if (dateFormat == kGermanDateFormat) {
    // Day and month with two digits, the year with four, dots between: the
    // same in every language.
    return decoded(date.substr(3, 2) + "." + date.substr(0, 2) + "." + date.substr(6, 4));
  }
  int month = ParseLeadingInt(date.substr(0, 2));
  std::string monthNumber = decoded(date.substr(0, 2));
  std::string day = decoded(date.substr(3, 2));
  std::string year = date.size() > 6 ? decoded(date.substr(6, 4)) : std::string();
  // A month outside 1..12 has no name; the number itself stands in its place.
  std::string monthName =
      (month >= 1 && month <= 12) ? strings.Get(str::kDateMonthBase + month) : monthNumber;
  // The German dotted form is the same in every language.
  if (dateFormat == kGermanDateFormat) return day + "." + monthNumber + "." + year;
  if (dateFormat == 2) {
    if (languageCode == "cz") return day + "/" + monthNumber + "/" + year;
    if (languageCode == "hun") return year + ". " + monthName + ". " + day + ".";
    return monthName + " " + day + ", " + year;
  }
  if (languageCode == "hun") return year + "-" + monthNumber + "-" + day;
  return day + " " + monthName + ", " + year;
}

std::string CardDate(const PublisherTable& table, int publisher, bool birth, int dateFormat,
                     std::string_view languageCode, const StringTable& strings) {
  if (!table.IsValidIndex(publisher)) return std::string();
  std::string_view stored =
      table.RawText(publisher, birth ? record::kBirthDate : record::kImmersedDate);
  return FormatCardDate(stored, dateFormat, languageCode, strings, table.GetCodePage());
}

bool IsBaptized(const PublisherTable& table, int publisher) {
  if (!table.IsValidIndex(publisher)) return false;
  std::string_view date = table.RawText(publisher, record::kImmersedDate);
  if (date.size() > 8) date = date.substr(0, 8);
  return Trimmed(date).size() > 4;
}

std::string QuarterText(int quarters, bool zeroPrefix, const StringTable& strings) {
  // Only 1..3 have a sign; a damaged record may carry more in the studies
  // word's top bits, and those must not pick an unrelated text.
  if (quarters < 1 || quarters > 3) return std::string();
  std::string sign = strings.Get(str::kQuarterBase + quarters);
  if (zeroPrefix && strings.Get(str::kQuarterZeroPrefix) == "1") return "0" + sign;
  return sign;
}

}  // namespace morvind
