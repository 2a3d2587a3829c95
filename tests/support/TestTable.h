#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/PublisherTable.h"

namespace morvind::test {

// Builds a publisher table in memory, texts plain (code page bytes).
// Record 0 is a header without password; publishers are added after it.
class TestTable {
 public:
  TestTable();

  PublisherTable& Table() { return table_; }
  const PublisherTable& Table() const { return table_; }

  // Appends a publisher and returns its record index.
  int AddPublisher(std::string_view firstName, std::string_view lastName);

  // Text fields take code-page bytes (plain ASCII in most tests); UTF-8 is
  // encoded into windows-1252 by SetTextUtf8.
  void SetText(int index, RecordText field, std::string_view bytes);
  void SetTextUtf8(int index, RecordText field, std::string_view utf8);
  void SetByte(int index, std::size_t offset, std::uint8_t value);
  void SetWord(int index, std::size_t offset, std::uint16_t value);

  void SetFigure(int index, int month, int column, int slot, std::uint16_t value);
  // Sets the hour quarters (0..3) in the top bits of the studies word.
  void SetQuarters(int index, int month, int slot, int quarters);
  void SetStatus(int index, int month, int slot, int status);
  // One month's report: its status, hours with their quarters, and Bible studies.
  void SetReport(int index, int month, int slot, int status, int hours, int quarters = 0,
                 int studies = 0);
  void SetGroup(int index, int group) {
    SetByte(index, record::kGroup, static_cast<std::uint8_t>(group));
  }
  void SetRoleFlags(int index, std::uint8_t flags) { SetByte(index, record::kRoleFlags, flags); }
  void SetInactive(int index, bool inactive) {
    SetByte(index, record::kInactive, inactive ? 1 : 0);
  }
  void SetHope(int index, char hope) {
    SetByte(index, record::kHope, static_cast<std::uint8_t>(hope));
  }
  void SetPublisherId(int index, std::uint16_t id) { SetWord(index, record::kPublisherId, id); }
  void SetPassword(std::string_view password) { SetText(0, record::kFirstName, password); }

 private:
  PublisherTable table_;
};

}  // namespace morvind::test
