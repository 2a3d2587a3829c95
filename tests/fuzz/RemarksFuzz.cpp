// The remarks "remark9.dat", alone or with a publisher table: option byte 0
// picks the language code, bit 0 of option byte 1 reads the first part as
// "tdat9.bin" (without it the table holds one publisher for each owner id
// the file names); the second part is "remark9.dat".

#include <cstring>

#include "data/CodePage.h"
#include "data/CongregationData.h"
#include "data/TextServices.h"
#include "fuzz/DataChecks.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace morvind::fuzz {
namespace {

void AddEveryOwner(PublisherTable& table, const Bytes& file) {
  constexpr std::size_t kOwner = 46;
  std::memset(table.Record(0), 0, record::kSize);
  table.Record(0)[record::kFirstName.offset] = ' ';
  table.Record(0)[record::kLastName.offset] = 'A';
  int count = 1;
  for (std::size_t at = RemarkTable::kRecordSize;
       at + RemarkTable::kRecordSize <= file.size() && count < PublisherTable::kCapacity;
       at += RemarkTable::kRecordSize) {
    const auto owner = static_cast<std::uint16_t>(file[at + kOwner] | (file[at + kOwner + 1] << 8));
    bool known = false;
    for (int j = 1; j < count && !known; ++j) known = table.PublisherId(j) == owner;
    if (known) continue;
    std::memset(table.Record(count), 0, record::kSize);
    table.SetWord(count, record::kPublisherId, owner);
    table.Record(count)[record::kFirstName.offset] = 'P';
    ++count;
  }
  table.SetCount(count);
}

}  // namespace

int FuzzRemarks(const std::uint8_t* data, std::size_t size) {
  constexpr std::string_view kTarget = "remarks";
  const SplitInput input = Split(data, size, 2, 2);
  const std::string_view language = LanguageFor(input.Option(0));
  const bool withTable = (input.Option(1) & 1) != 0;
  const Bytes& remarkFile = input.parts[1];
  CongregationData* loaded =
      LoadOneFile(input, kRemarksFile, withTable, language, [&](CongregationData& data) {
        AddEveryOwner(data.table, remarkFile);
        LoadRemarks(data.table, data.remarks, ScratchFolder());
      });
  if (!loaded) return 0;
  CongregationData& congregation = *loaded;

  const RemarkTable& remarks = congregation.remarks;
  const std::size_t records = remarkFile.size() / RemarkTable::kRecordSize;
  FUZZ_CHECK(static_cast<std::size_t>(remarks.RemarkCount() - 1) <= (records > 0 ? records - 1 : 0),
             kTarget, "more remarks loaded than the file holds");
  for (int e = 1; e < remarks.RemarkCount(); ++e) {
    const std::string_view raw = remarks.RawText(e);
    FUZZ_CHECK(!raw.empty() && raw.size() < RemarkTable::kTextSize && Trimmed(raw) == raw, kTarget,
               "remark " + std::to_string(e) + " is empty, too long or not trimmed");
  }
  CheckRemarks(congregation.table, remarks, kTarget);
  return 0;
}

}  // namespace morvind::fuzz
