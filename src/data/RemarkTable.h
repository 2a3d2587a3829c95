#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/DataFolder.h"
#include "data/PublisherTable.h"

namespace morvind {

// The remarks of "remark9.dat": 900 entries of 48 bytes; entry 0 is never
// used, so at most 898 remarks are loaded (entries 1 .. RemarkCount() - 1).
class RemarkTable {
 public:
  static constexpr int kEntries = 900;
  static constexpr std::size_t kRecordSize = 48;
  static constexpr std::size_t kTextSize = 44;

  // One more than the number of loaded remarks.
  int RemarkCount() const { return remarkCount_; }
  // The remark text of entry e as stored (code-page bytes before its zero).
  std::string_view RawText(int entry) const;

  void Clear();
  // Appends one 48-byte record; false when the table is full.
  bool Append(const std::uint8_t* record48);

 private:
  std::array<std::uint8_t, kEntries * kRecordSize> entries_{};
  int remarkCount_ = 1;
};

// Clears every publisher's remark links and loads the remarks file.
void LoadRemarks(PublisherTable& table, RemarkTable& remarks, const DataFolder& folder);

// Record index of the first publisher carrying `id`, or 0 (also for id < 10).
int FindPublisherById(const PublisherTable& table, std::uint16_t id);

// Puts the remark of month 0..11 and year slot (taken mod 2) into `out`
// (UTF-8, empty when none) and returns its entry number, 0 for none.
int RemarkText(const PublisherTable& table, const RemarkTable& remarks, int publisher, int month,
               int slot, std::string& out);

// True when the month has a remark with a non-empty text, which is put into `out`.
bool HasRemark(const PublisherTable& table, const RemarkTable& remarks, int publisher, int month,
               int slot, std::string& out);

}  // namespace morvind
