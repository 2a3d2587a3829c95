#include "support/TestTable.h"

#include <algorithm>
#include <cstring>

#include "data/CodePage.h"

namespace morvind::test {

TestTable::TestTable() {
  table_.Allocate();
  std::uint8_t* header = table_.Record(0);
  header[record::kLastName.offset] = 'A';
  header[record::kFirstName.offset] = ' ';
  table_.SetCount(1);
}

int TestTable::AddPublisher(std::string_view firstName, std::string_view lastName) {
  int index = table_.Count();
  std::memset(table_.Record(index), 0, record::kSize);
  table_.SetCount(index + 1);
  SetTextUtf8(index, record::kFirstName, firstName);
  SetTextUtf8(index, record::kLastName, lastName);
  SetPublisherId(index, static_cast<std::uint16_t>(100 + index));
  return index;
}

void TestTable::SetText(int index, RecordText field, std::string_view bytes) {
  std::uint8_t* p = table_.Record(index) + field.offset;
  std::memset(p, 0, field.size);
  std::memcpy(p, bytes.data(), std::min(bytes.size(), field.size));
}

void TestTable::SetTextUtf8(int index, RecordText field, std::string_view utf8) {
  auto encoded = EncodeFromUtf8(utf8, table_.GetCodePage());
  SetText(index, field, encoded ? *encoded : std::string(utf8));
}

void TestTable::SetByte(int index, std::size_t offset, std::uint8_t value) {
  table_.Record(index)[offset] = value;
}

void TestTable::SetWord(int index, std::size_t offset, std::uint16_t value) {
  table_.SetWord(index, offset, value);
}

void TestTable::SetFigure(int index, int month, int column, int slot, std::uint16_t value) {
  static constexpr std::size_t kBlocks[5] = {record::kPlacements, record::kVideoShowings,
                                             record::kHours, record::kReturnVisits,
                                             record::kStudies};
  std::size_t offset = kBlocks[column] + PublisherTable::MonthlyOffset(month, slot);
  if (column == kBibleStudies) {
    std::uint16_t word = table_.Word(index, offset);
    value = static_cast<std::uint16_t>((word & 0xF000) | (value & 0x0FFF));
  }
  table_.SetWord(index, offset, value);
}

void TestTable::SetQuarters(int index, int month, int slot, int quarters) {
  std::size_t offset = record::kStudies + PublisherTable::MonthlyOffset(month, slot);
  std::uint16_t word = table_.Word(index, offset);
  table_.SetWord(index, offset, static_cast<std::uint16_t>((word & 0x0FFF) | (quarters << 12)));
}

void TestTable::SetStatus(int index, int month, int slot, int status) {
  SetByte(index, record::kMonthStatus + static_cast<std::size_t>(3 * month + slot),
          static_cast<std::uint8_t>(status));
}

void TestTable::SetReport(int index, int month, int slot, int status, int hours, int quarters,
                          int studies) {
  SetStatus(index, month, slot, status);
  SetFigure(index, month, kHours, slot, static_cast<std::uint16_t>(hours));
  SetQuarters(index, month, slot, quarters);
  SetFigure(index, month, kBibleStudies, slot, static_cast<std::uint16_t>(studies));
}

}  // namespace morvind::test
