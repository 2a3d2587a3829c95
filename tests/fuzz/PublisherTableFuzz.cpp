// The publisher table "tdat9.bin": option byte 0 picks the language code
// (and so the code page); the rest is the file.

#include "app/PublisherList.h"
#include "data/CodePage.h"
#include "data/PublisherTableLoader.h"
#include "fuzz/DataChecks.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace morvind::fuzz {

int FuzzPublisherTable(const std::uint8_t* data, std::size_t size) {
  constexpr std::string_view kTarget = "publisher_table";
  const SplitInput input = Split(data, size, 1, 1);
  const std::string_view language = LanguageFor(input.Option(0));
  const StringTable& strings = StringsFor(language);
  const Bytes& file = input.parts[0];
  PutFile(kGroupFile, {}, false);
  PutFile(kPublisherTableFile, file);

  static PublisherTable table;
  if (!table.IsAllocated() && !table.Allocate()) return 0;
  table.SetCodePage(CodePageForLanguage(language));
  GroupBlock groups;
  LoadPublisherTable(table, groups, ScratchFolder());

  // Whole records count, up to the capacity; an empty or short file gives
  // the fresh header alone.
  const std::size_t whole = file.size() / record::kSize;
  const int expected =
      whole == 0 ? 1 : static_cast<int>(std::min<std::size_t>(whole, PublisherTable::kCapacity));
  FUZZ_CHECK(table.Count() == expected, kTarget,
             "loaded " + std::to_string(table.Count()) + " records from a file of " +
                 std::to_string(whole) + " whole records");
  CheckPublisherTexts(table, strings, {language, "cz", "hun"}, kTarget);

  // The list in every filter the button reaches shows each record once.
  bool hasUnassigned = false;
  for (int filter = 0; filter < 4; ++filter) {
    const auto lines = PublisherListLines(
        table, PublisherFilter{filter, filter >= 2 ? filter - 1 : 0}, 2, 24, false, hasUnassigned);
    std::vector<bool> seen(static_cast<std::size_t>(table.Count()), false);
    for (const PublisherListLine& line : lines) {
      const bool valid = line.recordIndex >= 1 && line.recordIndex < table.Count();
      FUZZ_CHECK(valid && !seen[static_cast<std::size_t>(line.recordIndex)], kTarget,
                 "a list line with a bad or repeated record index");
      if (valid) seen[static_cast<std::size_t>(line.recordIndex)] = true;
      FUZZ_CHECK(IsValidUtf8(line.text), kTarget, "list line is not valid UTF-8");
    }
  }
  return 0;
}

}  // namespace morvind::fuzz
