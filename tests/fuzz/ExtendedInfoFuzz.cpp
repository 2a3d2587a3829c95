// The extended information "xten7.dat", alone or with a publisher table:
// option byte 0 picks the language code, bit 0 of option byte 1 reads the
// first part as "tdat9.bin" (without it the table is made to link every
// record of the file to a publisher carrying its owner id); the second part
// is "xten7.dat".

#include <cstring>

#include "data/CodePage.h"
#include "data/CongregationData.h"
#include "data/PublisherTableLoader.h"
#include "fuzz/DataChecks.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace morvind::fuzz {
namespace {

// One publisher per record of the file, linked to it by index and owner id,
// then one whose link lies beyond the file and one whose id does not match.
void LinkEveryRecord(PublisherTable& table, const Bytes& file) {
  const int records = static_cast<int>(file.size() / ExtendedInfo::kSize);
  const int linked = std::min(records, PublisherTable::kCapacity - 3);
  std::memset(table.Record(0), 0, static_cast<std::size_t>(linked + 3) * record::kSize);
  table.Record(0)[record::kFirstName.offset] = ' ';
  table.Record(0)[record::kLastName.offset] = 'A';
  int j = 1;
  for (int n = 1; n < linked; ++n, ++j) {
    const std::uint8_t* rec = file.data() + static_cast<std::size_t>(n) * ExtendedInfo::kSize;
    table.SetWord(j, record::kPublisherId, static_cast<std::uint16_t>(rec[0] | (rec[1] << 8)));
    table.SetExtendedIndex(j, static_cast<std::uint16_t>(n));
    table.Record(j)[record::kFirstName.offset] = 'P';
  }
  table.SetWord(j, record::kPublisherId, 11);
  table.SetExtendedIndex(j++, static_cast<std::uint16_t>(records + 1));
  if (linked > 1) {
    const std::uint8_t* rec = file.data() + ExtendedInfo::kSize;
    table.SetWord(j, record::kPublisherId,
                  static_cast<std::uint16_t>((rec[0] | (rec[1] << 8)) + 1));
    table.SetExtendedIndex(j++, 1);
  }
  table.SetCount(j);
}

}  // namespace

int FuzzExtendedInfo(const std::uint8_t* data, std::size_t size) {
  constexpr std::string_view kTarget = "extended_info";
  const SplitInput input = Split(data, size, 2, 2);
  const std::string_view language = LanguageFor(input.Option(0));
  const bool withTable = (input.Option(1) & 1) != 0;
  const Bytes& extendedFile = input.parts[1];
  CongregationData* loaded =
      LoadOneFile(input, kExtendedInfoFile, withTable, language, [&](CongregationData& data) {
        LinkEveryRecord(data.table, extendedFile);
        data.extendedCount = CountExtendedRecords(ScratchFolder());
      });
  if (!loaded) return 0;
  CongregationData& congregation = *loaded;

  const std::size_t whole = extendedFile.size() / ExtendedInfo::kSize;
  FUZZ_CHECK(congregation.extendedCount ==
                 static_cast<int>(std::min<std::size_t>(whole, ExtendedInfo::kMaxRecords)),
             kTarget, "extended record count differs from the file's whole records");
  CheckExtendedRecords(congregation, ScratchFolder(), kTarget);
  return 0;
}

}  // namespace morvind::fuzz
