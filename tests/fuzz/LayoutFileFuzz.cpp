// A layout file "cplot.dat" / "cplot<v>.dat": option byte 0 picks the card
// version; the rest is the file. The loaded layout goes through the value
// rule slot by slot, through a save and a load, and onto a card.

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "layout/LayoutValueRules.h"
#include "printing/CardHeader.h"
#include "printing/MonthlyBody.h"
#include "printing/TestSheet.h"
#include "resources/MessageSink.h"
#include "resources/StringIds.h"
#include "support/CardRequestBuilder.h"

namespace morvind::fuzz {
namespace {

constexpr std::string_view kTarget = "layout_file";
constexpr std::uint32_t kUnits = 600;

// The value rule on one slot's text: a normalized value is a fixed point of
// the rule, fits its slot, and the hundredths the dialog's spin control
// works on are the hundredths the card prints.
void CheckValueRule(const std::string& stored, const StringTable& strings) {
  const std::string at = " (slot text \"" + stored + "\")";
  FUZZ_CHECK(LayoutValueToDevice(kUnits, stored) < 10 * kUnits, kTarget,
             "a value of 10 inches or more" + at);
  std::string value = stored;
  RecordingMessageSink sink;
  const bool accepted = NormalizeLayoutValue(value, strings, sink);
  if (!accepted) {
    FUZZ_CHECK(value == stored, kTarget, "a rejected value was changed" + at);
    FUZZ_CHECK(sink.texts.size() == 1 && sink.texts[0] == strings.Get(str::kValueMessage), kTarget,
               "a rejected value without the value message" + at);
    return;
  }
  FUZZ_CHECK(sink.texts.empty(), kTarget, "an accepted value showed a message" + at);
  std::string again = value;
  FUZZ_CHECK(NormalizeLayoutValueSilently(again) && again == value, kTarget,
             "normalizing \"" + value + "\" again gives \"" + again + "\"" + at);
  FUZZ_CHECK(value.size() <= LayoutValue::kMaxLength, kTarget,
             "normalized value too long for a slot" + at);
  const int hundredths = LayoutValueToHundredths(value);
  const auto printed = static_cast<int>(LayoutValueToDevice(100, value));
  FUZZ_CHECK(hundredths == printed, kTarget,
             "\"" + value + "\" steps as " + std::to_string(hundredths) +
                 " hundredths but prints as " + std::to_string(printed) + at);
}

}  // namespace

int FuzzLayoutFile(const std::uint8_t* data, std::size_t size) {
  const SplitInput input = Split(data, size, 1, 1);
  static const StringTable strings = StringTable::German();
  const CardVersion version = input.Option(0) % CardVersionCount(strings);
  const Bytes& file = input.parts[0];
  PutFile(LayoutFileName(version), file);

  LayoutRecord layout;
  LoadLayoutOrDefaults(layout, version, ScratchFolder(), strings);
  if (file.size() >= LayoutRecord::kSize) {
    FUZZ_CHECK(std::equal(layout.Bytes().begin(), layout.Bytes().end(), file.begin()), kTarget,
               "the layout is not the file's first 400 bytes");
  } else {
    LayoutRecord defaults;
    FillDefaultLayout(defaults, version, strings);
    FUZZ_CHECK(layout == defaults, kTarget, "a short layout file did not give the defaults");
  }

  for (int slot = 0; slot < LayoutRecord::kSlotCount; ++slot) {
    const std::string text = layout.Text(slot);
    FUZZ_CHECK(text.size() <= LayoutValue::kSize, kTarget, "a slot text longer than its slot");
    CheckValueRule(text, strings);
  }

  // What is saved loads back byte for byte.
  FUZZ_CHECK(SaveLayoutFile(layout, version, ScratchFolder()).Ok(), kTarget,
             "the layout was not saved");
  LayoutRecord reloaded;
  FUZZ_CHECK(LoadLayoutFile(reloaded, version, ScratchFolder()) && reloaded == layout, kTarget,
             "the saved layout does not load back");

  // The card at these positions stays on a sane sheet.
  static test::CardRequestBuilder card;
  CardRequest& request = card.Request();
  request.layout = layout;
  request.cardVersion = version;
  request.totals = true;
  request.genderTicks = true;
  request.months.fill(true);
  for (bool complete : {false, true}) {
    if (complete && version != 0) continue;
    request.completeCard = complete;
    RecordingSurface surface(kUnits, kUnits);
    // The test sheet marks every position the data-only card takes.
    if (!complete)
      DrawTestSheet(surface, request, size % 2 ? LengthUnit::kMillimetre : LengthUnit::kInch);
    DrawCardHeader(surface, request);
    DrawMonthlyBody(surface, request);
    CheckDrawing(surface, -2 * static_cast<int>(kUnits), 30 * static_cast<int>(kUnits), kTarget,
                 complete ? "complete card" : "data-only card");
  }
  return 0;
}

}  // namespace morvind::fuzz
