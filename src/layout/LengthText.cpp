#include "layout/LengthText.h"

#include <array>
#include <cstdio>

#include "data/TextServices.h"
#include "layout/LayoutValueRules.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

// The largest stored value: one digit before the point, two after it.
constexpr int kLargestHundredths = 999;
// Longer digit runs are rejected before they could overflow; the largest
// accepted value has four digits.
constexpr std::size_t kMostMillimetreDigits = 6;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string HundredthsText(int hundredths) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
  return text;
}

}  // namespace

std::string_view UnitName(LengthUnit unit) {
  return unit == LengthUnit::kMillimetre ? "mm" : "Zoll";
}

std::string InUnit(std::string_view inchText, LengthUnit unit) {
  std::string text(inchText);
  if (unit == LengthUnit::kInch) return text;
  constexpr std::string_view kInch = "Zoll";
  for (std::size_t at = text.find(kInch); at != std::string::npos;
       at = text.find(kInch, at + UnitName(unit).size())) {
    text.replace(at, kInch.size(), UnitName(unit));
  }
  return text;
}

int HundredthsToTenthsOfMillimetre(int hundredths) {
  // 0.01 inch is 0.254 mm, 2.54 tenths; rounded half up in integers.
  return (hundredths * 254 + 50) / 100;
}

int TenthsOfMillimetreToHundredths(int tenths) {
  // tenths / 2.54 rounded: tenths * 100 is even and 127 odd, so no value
  // lies exactly halfway.
  return (tenths * 100 + 127) / 254;
}

std::string MillimetreText(int tenths) {
  return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::optional<int> ParseMillimetres(std::string_view text) {
  std::string value = Trimmed(text);
  int whole = 0;
  int decimals = 0;
  int tenth = 0;
  std::size_t digits = 0;
  bool separator = false;
  for (char c : value) {
    if (c == ',' || c == '.') {
      if (separator) return std::nullopt;
      separator = true;
    } else if (!IsDigit(c)) {
      return std::nullopt;
    } else if (separator) {
      if (++decimals > 1) return std::nullopt;
      tenth = c - '0';
    } else {
      if (++digits > kMostMillimetreDigits) return std::nullopt;
      whole = whole * 10 + (c - '0');
    }
  }
  return whole * 10 + tenth;
}

std::string ShowLength(std::string_view stored, LengthUnit unit) {
  if (unit == LengthUnit::kInch) return std::string(stored);
  return MillimetreText(HundredthsToTenthsOfMillimetre(LayoutValueToHundredths(stored)));
}

std::optional<std::string> StoredLength(std::string_view typed, LengthUnit unit) {
  if (unit == LengthUnit::kInch) {
    std::string text(typed);
    if (!NormalizeLayoutValueSilently(text)) return std::nullopt;
    return text;
  }
  std::optional<int> tenths = ParseMillimetres(typed);
  if (!tenths) return std::nullopt;
  int hundredths = TenthsOfMillimetreToHundredths(*tenths);
  if (hundredths > kLargestHundredths) return std::nullopt;
  return HundredthsText(hundredths);
}

std::optional<std::string> CheckTypedLength(std::string_view typed, LengthUnit unit,
                                            const StringTable& strings, MessageSink& sink) {
  std::optional<std::string> stored = StoredLength(typed, unit);
  if (!stored) sink.ShowMessage(ValueMessage(unit, strings), MessageIcon::kWarning);
  return stored;
}

std::string ValueMessage(LengthUnit unit, const StringTable& strings) {
  if (unit == LengthUnit::kInch) return strings.Get(str::kValueMessage);
  // Built like the inch message; the examples are 1.00, 1.25 and 0.88 inch.
  return "Gebe die Werte in mm mit h\xC3\xB6"
         "chstens 1 Dezimalstelle ein\n.\nBeispiele:  " +
         ShowLength("1.00", unit) + "  " + ShowLength("1.25", unit) + "   " +
         ShowLength("0.88", unit) + "\nBereich " + ShowLength("0.00", unit) + " bis " +
         MillimetreText(HundredthsToTenthsOfMillimetre(kLargestHundredths)) + " mm";
}

std::string ExamplesText(LengthUnit unit) {
  constexpr std::array<std::string_view, 4> kExamples = {"1.52", "0.80", "0.00", "2.15"};
  std::string text = "Beispiele:  " + ShowLength(kExamples[0], unit);
  for (std::size_t i = 1; i < kExamples.size(); ++i)
    text += "    " + ShowLength(kExamples[i], unit);
  return text;
}

std::string_view MillimetreToolTip() {
  return "In mm mit einer Dezimalstelle, mit Komma oder Punkt (12,7). Gespeichert wird wie "
         "bisher in Zoll auf 0,01 Zoll genau: das Feld zeigt danach den gespeicherten Wert "
         "(12,3 wird zu 12,2, denn 0,48 Zoll sind 12,19 mm).";
}

}  // namespace morvind
