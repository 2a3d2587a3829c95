#include "data/RemarkTable.h"

#include <cstdio>
#include <cstring>

#include "data/TextServices.h"

namespace morvind {
namespace {

constexpr std::size_t kRemarkMonth = 44;
constexpr std::size_t kRemarkYear = 45;
constexpr std::size_t kRemarkOwner = 46;
constexpr std::uint16_t kLowestOwnerId = 11;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string_view RemarkTable::RawText(int entry) const {
  if (entry < 1 || entry >= remarkCount_) return std::string_view();
  const char* p = reinterpret_cast<const char*>(entries_.data() + entry * kRecordSize);
  const void* zero = std::memchr(p, 0, kTextSize);
  return std::string_view(
      p, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : kTextSize);
}

void RemarkTable::Clear() {
  entries_.fill(0);
  remarkCount_ = 1;
}

bool RemarkTable::Append(const std::uint8_t* record48) {
  if (remarkCount_ >= kEntries - 1) return false;
  std::memcpy(entries_.data() + remarkCount_ * kRecordSize, record48, kRecordSize);
  ++remarkCount_;
  return true;
}

int FindPublisherById(const PublisherTable& table, std::uint16_t id) {
  if (id < 10) return 0;
  for (int j = 1; j < table.Count(); ++j)
    if (table.PublisherId(j) == id) return j;
  return 0;
}

void LoadRemarks(PublisherTable& table, RemarkTable& remarks, const DataFolder& folder) {
  for (int j = 1; j < table.Count(); ++j)
    for (int month = 0; month < 12; ++month)
      for (int slot = 0; slot < 3; ++slot) table.SetRemarkIndex(j, month, slot, 0);
  remarks.Clear();

  std::unique_ptr<std::FILE, FileCloser> file(
      std::fopen(folder.PathOf(kRemarksFile).c_str(), "rb"));
  if (file) {
    std::uint8_t record[RemarkTable::kRecordSize] = {};
    std::fread(record, RemarkTable::kRecordSize, 1, file.get());  // the header
    while (!std::feof(file.get()) && remarks.RemarkCount() < 899) {
      std::memset(record, 0, sizeof record);
      // A record cut short by the end of the file is not used: its owner and
      // month would be partly missing and could attach the text to the wrong
      // publisher.
      if (std::fread(record, RemarkTable::kRecordSize, 1, file.get()) != 1) break;
      int month = record[kRemarkMonth];
      int year = record[kRemarkYear];
      std::uint16_t owner =
          static_cast<std::uint16_t>(record[kRemarkOwner] | (record[kRemarkOwner + 1] << 8));
      // A month above 12 has no place among the twelve months of a record.
      if (month == 0 || month > 12 || owner < kLowestOwnerId) continue;
      record[RemarkTable::kTextSize - 1] = 0;
      std::string text(reinterpret_cast<const char*>(record));
      text = Trimmed(text);
      if (text.empty()) continue;
      int publisher = FindPublisherById(table, owner);
      if (publisher == 0) continue;
      std::memset(record, 0, RemarkTable::kTextSize);
      std::memcpy(record, text.data(), text.size());
      int entry = remarks.RemarkCount();
      if (!remarks.Append(record)) break;
      table.SetRemarkIndex(publisher, month - 1, year % 2, static_cast<std::uint16_t>(entry));
    }
  }

  for (int j = 1; j < table.Count(); ++j)
    for (int month = 0; month < 12; ++month)
      for (int slot = 0; slot < 3; ++slot)
        if (table.RemarkIndex(j, month, slot) > remarks.RemarkCount())
          table.SetRemarkIndex(j, month, slot, 0);
}

int RemarkText(const PublisherTable& table, const RemarkTable& remarks, int publisher, int month,
               int slot, std::string& out) {
  out.clear();
  if (!table.IsValidIndex(publisher) || month < 0 || month > 11) return 0;
  // The parity as a bit, so that a negative slot still picks 0 or 1.
  int entry = table.RemarkIndex(publisher, month, slot & 1);
  if (entry != 0 && entry < remarks.RemarkCount())
    out = DecodeToUtf8(remarks.RawText(entry), table.GetCodePage());
  return entry;
}

bool HasRemark(const PublisherTable& table, const RemarkTable& remarks, int publisher, int month,
               int slot, std::string& out) {
  out.clear();
  if (RemarkText(table, remarks, publisher, month, slot, out) == 0) return false;
  return !out.empty();
}

}  // namespace morvind
