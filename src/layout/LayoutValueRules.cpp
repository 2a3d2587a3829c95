#include "layout/LayoutValueRules.h"

#include <cstdio>

#include "data/TextServices.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool NormalizeLayoutValueSilently(std::string& text) {
  std::string value = Trimmed(text);
  if (value.empty()) {
    text = "0.00";
    return true;
  }

  // At most one digit may stand before the point, which keeps every value
  // at or below 9.99 inches.
  std::size_t points = 0;
  std::size_t pointAt = std::string::npos;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '.') {
      ++points;
      pointAt = i;
    } else if (!IsDigit(value[i])) {
      return false;
    }
  }
  if (points > 1 || (points == 1 && pointAt > 1)) return false;

  if (pointAt == 0) value.insert(0, "0");

  switch (value.size()) {
    case 1:  // "7"
      value += ".00";
      break;
    case 2:  // "7." or "12": only the first digit counts as the whole inches
      value = value.substr(0, 1) + ".00";
      break;
    case 3:
      if (value[1] == '.') {
        value += "0";  // "1.5"
      } else {
        value = value.substr(0, 1) + "." + value.substr(1, 2);  // "150" in hundredths
      }
      break;
    default:
      // Four or more characters: typed hundredths without a point are cut to
      // three digits, and decimals after the second are dropped, because a
      // card prints only hundredths: "1.500" shows, steps and prints as 1.50.
      value = value[1] == '.' ? value.substr(0, 4) : value.substr(0, 1) + "." + value.substr(1, 2);
      break;
  }
  text = value;
  return true;
}

bool NormalizeLayoutValue(std::string& text, const StringTable& strings, MessageSink& sink) {
  if (NormalizeLayoutValueSilently(text)) return true;
  sink.ShowMessage(strings.Get(str::kValueMessage), MessageIcon::kWarning);
  return false;
}

std::uint32_t LayoutValueToDevice(std::uint32_t unitsPerInch, std::string_view value) {
  std::uint32_t whole =
      (!value.empty() && IsDigit(value[0])) ? static_cast<std::uint32_t>(value[0] - '0') : 0u;
  // The hundredths are the digits in the third and fourth place; anything
  // after them (a third decimal) is ignored, a non-digit ends them.
  std::uint32_t hundredths = 0;
  for (std::size_t i = 2; i < 4 && i < value.size() && IsDigit(value[i]); ++i) {
    hundredths = hundredths * 10u + static_cast<std::uint32_t>(value[i] - '0');
  }
  // Multiplied before dividing, so 0.07 at 300 units per inch gives 21, not 0.
  return unitsPerInch * hundredths / 100u + unitsPerInch * whole;
}

int LayoutValueToHundredths(std::string_view value) {
  // Read exactly as the card reads it, so that a spin control steps from the
  // value that prints: "1.500" is 150, "1.5" (stored unchecked) is 105, and
  // " .51" (a body value stepped below 1.00) is 51.
  return static_cast<int>(LayoutValueToDevice(100, value));
}

std::string HundredthsToLayoutValue(int hundredths) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%3d", hundredths);
  // A point after the first place; below 1.00 that place is the blank of
  // the padding (" .51"), which still converts as 0.51 inches.
  std::string value;
  value += digits[0];
  value += '.';
  value += digits[1];
  value += digits[2];
  return value;
}

std::string PrintedLayoutValue(std::string_view value) {
  int hundredths = LayoutValueToHundredths(value);
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
  return text;
}

}  // namespace morvind
