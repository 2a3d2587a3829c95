// The group file "bkstudy.dat", read beside the demo congregation's table:
// option byte 0 picks the language code; the rest is the file.

#include <cstring>

#include "app/PublisherList.h"
#include "data/CodePage.h"
#include "data/PublisherTableLoader.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/SeedCorpus.h"

namespace morvind::fuzz {

int FuzzGroupBlock(const std::uint8_t* data, std::size_t size) {
  constexpr std::string_view kTarget = "group_block";
  const SplitInput input = Split(data, size, 1, 1);
  const std::string_view language = LanguageFor(input.Option(0));
  const StringTable& strings = StringsFor(language);
  const Bytes& file = input.parts[0];
  static const Bytes tableFile = DemoTableFile();
  PutFile(kPublisherTableFile, tableFile);
  PutFile(kGroupFile, file);

  static PublisherTable table;
  if (!table.IsAllocated() && !table.Allocate()) return 0;
  table.SetCodePage(CodePageForLanguage(language));
  GroupBlock groups;
  LoadPublisherTable(table, groups, ScratchFolder());

  const int stored = file.empty() ? 0 : static_cast<std::int8_t>(file[0]);
  FUZZ_CHECK(groups.GroupCount() == stored, kTarget,
             "group count differs from the file's first byte");
  // Behind a short file the block stays zero; the texts of groups beyond
  // the count (or beyond 20) stay as stored.
  const std::size_t kept = std::min(file.size(), GroupBlock::kSize);
  for (std::size_t i = kept; i < GroupBlock::kSize; ++i) {
    if (!FUZZ_CHECK(groups.bytes[i] == 0, kTarget, "bytes behind the end of a short file")) break;
  }
  const int unscrambled = std::min(std::max(stored, 0), GroupBlock::kMaxGroups);
  for (const group::TextArray& texts : group::kTextArrays) {
    const std::size_t from = texts.offset + static_cast<std::size_t>(unscrambled) * texts.entrySize;
    const std::size_t to = std::min(kept, texts.offset + GroupBlock::kMaxGroups * texts.entrySize);
    if (from < to)
      FUZZ_CHECK(std::memcmp(groups.bytes.data() + from, file.data() + from, to - from) == 0,
                 kTarget, "texts of groups beyond the count were changed");
  }

  // The filter button cycles through the groups and back to all publishers.
  const int groupCount = FilterGroupCount(groups.GroupCount());
  FUZZ_CHECK(groupCount >= 0 && groupCount <= GroupBlock::kMaxGroups, kTarget,
             "filter group count");
  bool hasUnassigned = false;
  PublisherFilter filter;
  int steps = 0;
  do {
    const std::string caption = FilterCaption(filter, strings);
    FUZZ_CHECK(!caption.empty() && IsValidUtf8(caption), kTarget, "filter caption");
    const auto lines = PublisherListLines(table, filter, 2, 24, false, hasUnassigned);
    for (const PublisherListLine& line : lines)
      FUZZ_CHECK(line.recordIndex >= 1 && line.recordIndex < table.Count(), kTarget,
                 "list line with a bad record index");
    filter = NextFilter(filter, groups.GroupCount(), hasUnassigned);
    ++steps;
  } while (filter.filter != 0 && steps <= groupCount + 3);
  FUZZ_CHECK(filter.filter == 0, kTarget, "the filter button never comes back to all publishers");
  return 0;
}

}  // namespace morvind::fuzz
