#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/CodePage.h"

namespace morvind {

// One text field of a publisher record: its offset and size in the record.
struct RecordText {
  std::size_t offset;
  std::size_t size;
};

// Layout of one 816-byte record of "tdat9.bin". Integers are little-endian;
// texts are zero-terminated single-byte texts in the data's code page.
namespace record {
inline constexpr std::size_t kSize = 816;
inline constexpr RecordText kFirstName{2, 21};  // in record 0: the data password
inline constexpr RecordText kLastName{23, 21};  // in record 0: 'A' marks plain texts
inline constexpr RecordText kAddress{44, 63};
inline constexpr RecordText kHomePhone{107, 15};
inline constexpr RecordText kMobilePhone{122, 15};
inline constexpr RecordText kSpareText{137, 15};
inline constexpr RecordText kImmersedDate{152, 9};  // MMDDYYYY
inline constexpr RecordText kBirthDate{161, 9};     // MMDDYYYY
inline constexpr std::size_t kHope = 180;           // 'A' anointed
inline constexpr std::size_t kGroup = 181;          // signed byte, 0 = none
inline constexpr std::size_t kPublisherId = 182;    // u16
inline constexpr std::size_t kExtendedIndex = 184;  // u16
inline constexpr std::size_t kInactive = 200;
inline constexpr std::size_t kMonthStatus = 202;  // [12][3] bytes
inline constexpr std::size_t kRoleFlags = 239;
inline constexpr std::size_t kPlacements = 240;  // five [12][3] u16 blocks follow
inline constexpr std::size_t kVideoShowings = 312;
inline constexpr std::size_t kHours = 384;
inline constexpr std::size_t kReturnVisits = 456;
inline constexpr std::size_t kStudies = 528;      // bits 12..15: hour quarters
inline constexpr std::size_t kRemarkIndex = 600;  // u16 [12][3], in memory only

inline constexpr std::uint8_t kRoleElder = 2;  // roleFlags & 3
inline constexpr std::uint8_t kRoleServant = 1;
inline constexpr std::uint8_t kMale = 0x20;
inline constexpr std::uint8_t kFemale = 0x40;
}  // namespace record

// The five report figures, in the order used by the body, the preview and
// the totals.
enum ReportColumn {
  kPlacements = 0,
  kVideoShowings = 1,
  kHours = 2,
  kReturnVisits = 3,
  kBibleStudies = 4
};

// Report-month status of a publisher (MonthStatus).
inline constexpr int kStatusPublisher = 0;
inline constexpr int kStatusAuxiliaryPioneer = 1;
inline constexpr int kStatusRegularPioneer = 2;
// The one status the data hold beyond those three; the pioneers filter
// counts it, and the sheet S-21 11/23 reads it as special pioneer.
inline constexpr int kStatusSpecialPioneer = 3;

// Obtains the zero-filled table block; returns null when there is no memory.
// The default uses a non-throwing allocation; tests pass one that fails.
using TableBlockAllocator = std::uint8_t* (*)(std::size_t size);
std::uint8_t* AllocateZeroedBlock(std::size_t size);

// The publisher table: the records of "tdat9.bin" in one block of 910
// records, addressed by record index. Record 0 is the header; publishers
// are 1 .. Count() - 1. Records stay byte for byte as read (after the
// unscrambling at load); text accessors decode them to UTF-8.
class PublisherTable {
 public:
  static constexpr int kCapacity = 910;

  PublisherTable() = default;

  // Obtains the block; false (and no block) when it can't be had.
  bool Allocate(TableBlockAllocator allocator = AllocateZeroedBlock);
  // Gives the block back; the table is then empty.
  void Release();
  bool IsAllocated() const { return block_ != nullptr; }

  // Number of records held, header included; 0 without a block.
  int Count() const { return block_ ? count_ : 0; }
  void SetCount(int count) { count_ = count; }

  // The code page the record texts are decoded with.
  void SetCodePage(CodePage codePage) { codePage_ = codePage; }
  CodePage GetCodePage() const { return codePage_; }

  // The bytes of record `index` (0 .. kCapacity - 1); the caller keeps to the range.
  std::uint8_t* Record(int index) { return block_.get() + index * record::kSize; }
  const std::uint8_t* Record(int index) const { return block_.get() + index * record::kSize; }
  bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

  // A text field as stored: the bytes before its first zero, bounded by the field.
  std::string_view RawText(int index, RecordText field) const;
  // The same text decoded to UTF-8.
  std::string Text(int index, RecordText field) const;

  std::uint8_t Hope(int index) const { return Record(index)[record::kHope]; }
  std::int8_t Group(int index) const {
    return static_cast<std::int8_t>(Record(index)[record::kGroup]);
  }
  std::uint16_t PublisherId(int index) const { return Word(index, record::kPublisherId); }
  std::uint16_t ExtendedIndex(int index) const { return Word(index, record::kExtendedIndex); }
  void SetExtendedIndex(int index, std::uint16_t value) {
    SetWord(index, record::kExtendedIndex, value);
  }
  bool IsInactive(int index) const { return Record(index)[record::kInactive] != 0; }
  std::uint8_t RoleFlags(int index) const { return Record(index)[record::kRoleFlags]; }

  // Report figure of `column` for calendar month 0..11 and year slot 0..1;
  // Bible studies without the quarter hours that share their word.
  std::uint16_t ReportFigure(int index, int month, int column, int slot) const;
  // The hour quarters (0..3) of a month, kept in the top bits of the studies word.
  int HourQuarters(int index, int month, int slot) const;
  // 0 publisher, 1 auxiliary pioneer, 2 regular pioneer (3 counts as pioneer too).
  int MonthStatus(int index, int month, int slot) const;

  std::uint16_t RemarkIndex(int index, int month, int slot) const {
    return Word(index, record::kRemarkIndex + MonthlyOffset(month, slot));
  }
  void SetRemarkIndex(int index, int month, int slot, std::uint16_t value) {
    SetWord(index, record::kRemarkIndex + MonthlyOffset(month, slot), value);
  }

  // Swaps two whole records (sorting by name).
  void SwapRecords(int a, int b);

  // Offset of month m, slot y inside a block of 16-bit words.
  static constexpr std::size_t MonthlyOffset(int month, int slot) {
    return static_cast<std::size_t>(6 * month + 2 * slot);
  }

  std::uint16_t Word(int index, std::size_t offset) const {
    const std::uint8_t* p = Record(index) + offset;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  void SetWord(int index, std::size_t offset, std::uint16_t value) {
    std::uint8_t* p = Record(index) + offset;
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
  }

 private:
  struct FreeBlock {
    void operator()(std::uint8_t* p) const;
  };
  std::unique_ptr<std::uint8_t[], FreeBlock> block_;
  int count_ = 0;
  CodePage codePage_ = CodePage::kWindows1252;
};

// Status (0..3) of publisher j in the report month itself: the month in the
// year slot of reportYearShort. The list's pioneers filter, the printed
// regular-pioneer mark and its preview all take it from here, also while
// the previous service year is shown; 0 for a month outside 0..11.
int ReportMonthStatus(const PublisherTable& table, int j, int reportMonth, int reportYearShort);

}  // namespace morvind
