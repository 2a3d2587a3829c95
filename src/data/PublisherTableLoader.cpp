#include "data/PublisherTableLoader.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "data/Scrambling.h"

namespace morvind {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenForReading(const DataFolder& folder, std::string_view name) {
  return File(std::fopen(folder.PathOf(name).c_str(), "rb"));
}

constexpr std::uint8_t kPlainMarker = 'A';

// The last byte of every text whose length is limited; mobilePhone and
// spareText have none, so their walk is bounded by the field instead.
constexpr std::size_t kForcedZeros[] = {22, 43, 106, 121, 160, 169};

struct ScrambledText {
  RecordText field;
  ShiftException exception;
};
constexpr ScrambledText kScrambledTexts[] = {
    {record::kFirstName, ShiftException::kKeep204},
    {record::kLastName, ShiftException::kKeep204},
    {record::kAddress, ShiftException::kKeep204Below30},
    {record::kHomePhone, ShiftException::kNone},
    {record::kMobilePhone, ShiftException::kNone},
    {record::kSpareText, ShiftException::kNone},
    {record::kImmersedDate, ShiftException::kNone},
    {record::kBirthDate, ShiftException::kNone},
};

void UnscrambleRecord(std::uint8_t* rec) {
  for (std::size_t offset : kForcedZeros) rec[offset] = 0;
  for (const ScrambledText& text : kScrambledTexts)
    UnshiftText(rec + text.field.offset, text.field.size, text.exception);
}

// Reads whole records until the end of the file or the table's capacity.
// A trailing partial record goes into the slot after the last whole one
// and is not counted, which gives the same count as reading until the end
// of file and dropping the read that met it, without losing the last record
// of a full table.
int ReadRecords(PublisherTable& table, std::FILE* file) {
  int count = 0;
  std::uint8_t buffer[record::kSize];
  while (count < PublisherTable::kCapacity) {
    std::memset(buffer, 0, sizeof buffer);
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    std::memcpy(table.Record(count), buffer, sizeof buffer);
    if (got != sizeof buffer) break;  // end of file, or a read error
    ++count;
  }
  return count;
}

void LoadGroups(GroupBlock& groups, const DataFolder& folder) {
  File file = OpenForReading(folder, kGroupFile);
  if (!file) return;
  // The block was cleared before, so a short file leaves zeros behind its end.
  std::fread(groups.bytes.data(), 1, groups.bytes.size(), file.get());
  file.reset();

  const int groupCount = groups.GroupCount();
  for (int i = 0; i < GroupBlock::kMaxGroups && i < groupCount; ++i) {
    for (const group::TextArray& texts : group::kTextArrays) {
      UnscrambleGroupText(groups.bytes.data() + texts.offset + i * texts.entrySize,
                          texts.entrySize);
    }
  }
}

void MakeFreshHeader(PublisherTable& table, GroupBlock& groups) {
  std::uint8_t* header = table.Record(0);
  std::memset(header, 0, record::kSize);
  header[record::kLastName.offset] = kPlainMarker;
  header[record::kFirstName.offset] = ' ';  // no password
  groups.bytes.fill(0);
  table.SetCount(1);
}

}  // namespace

void LoadPublisherTable(PublisherTable& table, GroupBlock& groups, const DataFolder& folder) {
  groups.bytes.fill(0);
  table.SetCount(0);
  if (!table.IsAllocated()) return;
  // A second load must not show records of the first beyond the new count.
  std::memset(table.Record(0), 0,
              static_cast<std::size_t>(PublisherTable::kCapacity) * record::kSize);

  int count = 0;
  if (File file = OpenForReading(folder, kPublisherTableFile))
    count = ReadRecords(table, file.get());
  table.SetCount(count);

  if (count > 0 && table.Record(0)[record::kLastName.offset] != kPlainMarker) {
    for (int i = 0; i < count; ++i) UnscrambleRecord(table.Record(i));
  }

  LoadGroups(groups, folder);

  if (count == 0) MakeFreshHeader(table, groups);

  // The remark links are filled from the remarks file; whatever the table
  // file holds there is not ours to trust.
  for (int i = 1; i < table.Count(); ++i)
    std::memset(table.Record(i) + record::kRemarkIndex, 0, 72);
}

}  // namespace morvind
