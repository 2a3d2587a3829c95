#include <gtest/gtest.h>

#include <cstring>

#include "layout/LayoutRecord.h"
#include "layout/LayoutValueRules.h"
#include "resources/StringIds.h"

namespace morvind {
namespace {

TEST(LayoutValueTest, NormalizesAcceptedValuesWithoutAMessage) {
  const struct {
    const char* typed;
    const char* normalized;
  } cases[] = {
      {"", "0.00"},          {"   ", "0.00"},   {" 5 ", "5.00"},   {"\t5\r\n", "5.00"},
      {".", "0.00"},         {".5", "0.50"},    {"0", "0.00"},     {"7", "7.00"},
      {"7.", "7.00"},        {"12", "1.00"},    {"99", "9.00"},    {"150", "1.50"},
      {"1.5", "1.50"},       {"1.25", "1.25"},  {"1.234", "1.23"}, {"12345", "1.23"},
      {"1234", "1.23"},      {".55", "0.55"},   {"9.99", "9.99"},  {"0.", "0.00"},
      {"1.2345678", "1.23"}, {"1.500", "1.50"}, {"5.450", "5.45"}, {" 0.999 ", "0.99"},
  };
  StringTable strings = StringTable::German();
  for (const auto& c : cases) {
    RecordingMessageSink sink;
    std::string text = c.typed;
    EXPECT_TRUE(NormalizeLayoutValue(text, strings, sink)) << '"' << c.typed << '"';
    EXPECT_EQ(text, c.normalized) << '"' << c.typed << '"';
    EXPECT_TRUE(sink.texts.empty()) << '"' << c.typed << '"';
  }
}

TEST(LayoutValueTest, RejectsBadValuesOnceWithTheWarningAndKeepsTheText) {
  const char* cases[] = {"12.5", "1.2.3", "1,50", "-1", "a.25",     "1 5",
                         "..",   "1.5x",  "10.",  "+1", "\xc3\xa4", "123.4"};
  StringTable strings = StringTable::German();
  for (const char* typed : cases) {
    RecordingMessageSink sink;
    std::string text = typed;
    EXPECT_FALSE(NormalizeLayoutValue(text, strings, sink)) << typed;
    EXPECT_EQ(text, typed);
    ASSERT_EQ(sink.texts.size(), 1u) << typed;
    EXPECT_EQ(sink.texts[0], strings.Get(str::kValueMessage));
    EXPECT_EQ(sink.icons[0], MessageIcon::kWarning);

    std::string silent = typed;
    EXPECT_FALSE(NormalizeLayoutValueSilently(silent));
    EXPECT_EQ(silent, typed);
  }
  // A rejected text with blanks around it stays untrimmed as well.
  std::string padded = " 12.5 ";
  EXPECT_FALSE(NormalizeLayoutValueSilently(padded));
  EXPECT_EQ(padded, " 12.5 ");
}

TEST(LayoutValueTest, ConvertsToDeviceUnitsWithTruncatingUnsignedArithmetic) {
  const struct {
    std::uint32_t unitsPerInch;
    std::string_view value;
    std::uint32_t expected;
  } cases[] = {
      {600, "9.99", 5994},
      {300, "0.07", 21},
      {600, "1.32", 792},
      {600, "", 0},
      {600, "1.234", 738},
      {600, "1.23", 738},
      {600, "x.yz", 0},
      {600, "\xff\xff", 0},
      {600, "1.5", 630},
      {600, "1", 600},
      {600, "1.", 600},
      {1200, "0.01", 12},
      {96, "0.01", 0},
      {600, " .51", 306},
      {600, "1.x5", 600},
      {600, "1.5x", 630},
      {600,
       std::string_view("1.\0"
                        "5",
                        4),
       600},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LayoutValueToDevice(c.unitsPerInch, c.value), c.expected)
        << c.unitsPerInch << " " << c.value;
  }
}

TEST(LayoutValueTest, ConvertsToHundredthsForTheSpinControls) {
  const struct {
    std::string_view value;
    int expected;
    const char* printed;
  } cases[] = {{"1.32", 132, "1.32"},  {"0.05", 5, "0.05"},    {"", 0, "0.00"},
               {"2.20", 220, "2.20"},  {" .51", 51, "0.51"},   {"1.234", 123, "1.23"},
               {"abc", 0, "0.00"},     {"1.5", 105, "1.05"},   {"..", 0, "0.00"},
               {"1.500", 150, "1.50"}, {"5.450", 545, "5.45"}, {"9.99", 999, "9.99"}};
  for (const auto& c : cases) {
    // The spin controls step from what the card prints: the hundredths are
    // the device units of a 100-units-per-inch surface.
    EXPECT_EQ(LayoutValueToHundredths(c.value), c.expected) << c.value;
    EXPECT_EQ(LayoutValueToDevice(100, c.value), static_cast<std::uint32_t>(c.expected)) << c.value;
    EXPECT_EQ(PrintedLayoutValue(c.value), c.printed) << c.value;
  }
  EXPECT_EQ(HundredthsToLayoutValue(132), "1.32");
  EXPECT_EQ(HundredthsToLayoutValue(51), " .51");
}

TEST(LayoutValueTest, SlotsAreBoundedToTheirEightBytes) {
  LayoutRecord record;
  // Slot 0 without a zero byte, followed by slot 1 holding "1.32".
  std::memcpy(record.Bytes().data(), "12345678", 8);
  record.Set(1, "1.32");
  EXPECT_EQ(record.Text(0), "12345678");
  EXPECT_EQ(record.Text(1), "1.32");
  EXPECT_EQ(LayoutValueToDevice(600, record.Text(0)), 600u * 34u / 100u + 600u);
  EXPECT_EQ(LayoutValueToHundredths(record.Text(0)), 134);

  // The last slot without a zero byte ends with the record.
  std::memset(record.Bytes().data() + 392, '9', 8);
  EXPECT_EQ(record.Text(49), "99999999");
}

TEST(LayoutValueTest, SetKeepsSevenCharactersAndTheBytesAfterTheZero) {
  LayoutRecord record;
  std::memset(record.Bytes().data(), 0xAA, LayoutRecord::kSize);
  record.Set(kBodyTop, "1.2345678");
  EXPECT_EQ(record.Text(kBodyTop), "1.23456");
  EXPECT_EQ(record.Bytes()[8 * kBodyTop + 7], 0);

  record.Set(kNameX, "1.5");
  const std::uint8_t* slot = record.Bytes().data();
  EXPECT_EQ(std::memcmp(slot, "1.5\0", 4), 0);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(slot[i], 0xAA) << i;
  EXPECT_EQ(record.Bytes()[8], 0xAA);  // the next slot is untouched

  record.Set(kNameY, "");
  EXPECT_EQ(record.Text(kNameY), "");
  EXPECT_EQ(record.Bytes()[9], 0xAA);
}

}  // namespace
}  // namespace morvind
