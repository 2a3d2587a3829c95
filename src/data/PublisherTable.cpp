#include "data/PublisherTable.h"

#include <cstring>
#include <new>

namespace morvind {
namespace {

constexpr std::size_t kFigureBlocks[5] = {record::kPlacements, record::kVideoShowings,
                                          record::kHours, record::kReturnVisits, record::kStudies};
constexpr std::uint16_t kStudiesMask = 0x0FFF;

}  // namespace

std::uint8_t* AllocateZeroedBlock(std::size_t size) {
  return new (std::nothrow) std::uint8_t[size]();
}

void PublisherTable::FreeBlock::operator()(std::uint8_t* p) const {
  delete[] p;
}

bool PublisherTable::Allocate(TableBlockAllocator allocator) {
  block_.reset(allocator(static_cast<std::size_t>(kCapacity) * record::kSize));
  count_ = 0;
  return block_ != nullptr;
}

void PublisherTable::Release() {
  block_.reset();
  count_ = 0;
}

std::string_view PublisherTable::RawText(int index, RecordText field) const {
  const char* p = reinterpret_cast<const char*>(Record(index) + field.offset);
  const void* zero = std::memchr(p, 0, field.size);
  std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p) : field.size;
  return std::string_view(p, length);
}

std::string PublisherTable::Text(int index, RecordText field) const {
  return DecodeToUtf8(RawText(index, field), codePage_);
}

std::uint16_t PublisherTable::ReportFigure(int index, int month, int column, int slot) const {
  std::uint16_t word = Word(index, kFigureBlocks[column] + MonthlyOffset(month, slot));
  return column == kBibleStudies ? static_cast<std::uint16_t>(word & kStudiesMask) : word;
}

int PublisherTable::HourQuarters(int index, int month, int slot) const {
  return Word(index, record::kStudies + MonthlyOffset(month, slot)) >> 12;
}

int PublisherTable::MonthStatus(int index, int month, int slot) const {
  return Record(index)[record::kMonthStatus + static_cast<std::size_t>(3 * month + slot)] & 3;
}

void PublisherTable::SwapRecords(int a, int b) {
  std::uint8_t buffer[record::kSize];
  std::memcpy(buffer, Record(a), record::kSize);
  std::memcpy(Record(a), Record(b), record::kSize);
  std::memcpy(Record(b), buffer, record::kSize);
}

int ReportMonthStatus(const PublisherTable& table, int j, int reportMonth, int reportYearShort) {
  if (reportMonth < 0 || reportMonth > 11) return 0;
  return table.MonthStatus(j, reportMonth, ((reportYearShort % 2) + 2) % 2);
}

}  // namespace morvind
