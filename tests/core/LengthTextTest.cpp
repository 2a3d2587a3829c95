#include <gtest/gtest.h>

#include <cstdio>

#include "layout/LayoutValueRules.h"
#include "layout/LengthText.h"

namespace morvind {
namespace {

constexpr LengthUnit kInch = LengthUnit::kInch;
constexpr LengthUnit kMm = LengthUnit::kMillimetre;

TEST(LengthTextTest, EveryStoredValueSurvivesBeingShownAndTypedAgainInEitherUnit) {
  for (int hundredths = 0; hundredths <= 999; ++hundredths) {
    char stored[8];
    std::snprintf(stored, sizeof stored, "%d.%02d", hundredths / 100, hundredths % 100);
    for (LengthUnit unit : {kInch, kMm}) {
      std::string shown = ShowLength(stored, unit);
      EXPECT_EQ(StoredLength(shown, unit), stored) << stored << " shown as " << shown;
    }
    // Re-entered with a point instead of the comma, as typed on a keypad.
    std::string typed = ShowLength(stored, kMm);
    typed[typed.find(',')] = '.';
    EXPECT_EQ(StoredLength(typed, kMm), stored) << typed;
  }
  // Stored texts that are not in normal form show what prints, and typing
  // that in again stores the printed value in normal form.
  const struct {
    const char* stored;
    const char* shown;
    const char* retyped;
  } odd[] = {{"1.5", "26,7", "1.05"},   {" .51", "13,0", "0.51"},  {"1.500", "38,1", "1.50"},
             {"1.234", "31,2", "1.23"}, {"abc", "0,0", "0.00"},    {"", "0,0", "0.00"},
             {"0.50", "12,7", "0.50"},  {"9.99", "253,7", "9.99"}, {"0.01", "0,3", "0.01"}};
  for (const auto& c : odd) {
    EXPECT_EQ(ShowLength(c.stored, kMm), c.shown) << c.stored;
    EXPECT_EQ(ShowLength(c.stored, kInch), c.stored);
    EXPECT_EQ(StoredLength(c.shown, kMm), c.retyped) << c.stored;
  }
}

TEST(LengthTextTest, TypedMillimetresAreStoredAsTheNearestHundredthOfAnInch) {
  const struct {
    const char* typed;
    const char* stored;  // null: rejected
  } cases[] = {
      {"12,3", "0.48"}, {"12.3", "0.48"},   {"12,7", "0.50"},   {" 12 ", "0.47"},
      {"12,", "0.47"},  {",5", "0.02"},     {"", "0.00"},       {"   ", "0.00"},
      {",", "0.00"},    {"253,7", "9.99"},  {"253,8", "9.99"},  {"253,9", nullptr},
      {"254", nullptr}, {"12,34", nullptr}, {"1,2,3", nullptr}, {"1.2,3", nullptr},
      {"-1", nullptr},  {"1 2", nullptr},   {"12mm", nullptr},  {"99999999999", nullptr},
  };
  for (const auto& c : cases) {
    std::optional<std::string> stored = StoredLength(c.typed, kMm);
    if (c.stored) {
      EXPECT_EQ(stored, c.stored) << '"' << c.typed << '"';
    } else {
      EXPECT_FALSE(stored) << '"' << c.typed << '"' << " gave " << *stored;
    }
  }
  // In inches the value rule is the one the fields always had.
  EXPECT_EQ(StoredLength("150", kInch), "1.50");
  EXPECT_FALSE(StoredLength("12.5", kInch));
  EXPECT_FALSE(StoredLength("1,50", kInch));

  // The message of a rejected value names the range in the unit shown.
  StringTable strings = StringTable::German();
  RecordingMessageSink sink;
  EXPECT_FALSE(CheckTypedLength("254", kMm, strings, sink));
  EXPECT_FALSE(CheckTypedLength("12.5", kInch, strings, sink));
  EXPECT_EQ(CheckTypedLength("12,3", kMm, strings, sink), "0.48");
  const std::string inMillimetres =
      "Gebe die Werte in mm mit höchstens 1 Dezimalstelle ein\n.\n"
      "Beispiele:  25,4  31,8   22,4\nBereich 0,0 bis 253,7 mm";
  EXPECT_EQ(sink.texts, (std::vector<std::string>{inMillimetres, strings.Get(116)}));
}

}  // namespace
}  // namespace morvind
