#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/CodePage.h"
#include "data/Scrambling.h"

namespace morvind::test {

// Writes the companion program's four data files the way that program does,
// with the inverse of the readers' scrambling, for tests, the demo-data tool
// and the benchmarks. Texts are given in UTF-8 and stored in the code page
// of the data.
//
// Every writer returns false (and says why in `error`, when given) for data
// the files can't carry: a text too long for its field, a character outside
// the code page, or a byte that scrambles to 0 (it would cut the text) or
// to 204 where the reader keeps a 204 as it is.

// One remark of a publisher, written to "remark9.dat" with the publisher's id.
struct DemoRemark {
  int month = 1;  // calendar month 1..12
  int year = 0;   // calendar year; stored as its last two digits (the parity picks the slot)
  std::string text;
};

using MonthlyBytes = std::array<std::array<std::uint8_t, 3>, 12>;  // [month 0..11][slot]
using MonthlyWords = std::array<std::array<std::uint16_t, 3>, 12>;

// One publisher of "tdat9.bin", with the long name of its "xten7.dat" record
// and its remarks.
struct DemoPublisher {
  std::string firstName;
  std::string lastName;
  std::string address;
  std::string homePhone;
  std::string mobilePhone;
  std::string spareText;
  std::string immersedDate;  // MMDDYYYY; empty or blanks when not baptized
  std::string birthDate;     // MMDDYYYY
  char hope = 'O';           // 'A' anointed, anything else other sheep
  int group = 0;             // 0 = no group
  std::uint16_t id = 0;
  std::uint16_t extendedIndex = 0;  // record in "xten7.dat", 0 = none
  bool inactive = false;
  std::uint8_t roleFlags = 0;             // record::kRoleElder | record::kMale, ...
  MonthlyBytes monthStatus{};             // 0 publisher, 1 auxiliary, 2 regular pioneer
  std::array<MonthlyWords, 5> figures{};  // [ReportColumn]; studies without the quarters
  MonthlyBytes quarters{};                // hour quarters 0..3
  std::string longName;  // texts of the extended record (written when extendedIndex > 0)
  std::string extendedText2;
  std::string extendedText3;
  std::vector<DemoRemark> remarks;

  void SetFigure(int month, int column, int slot, std::uint16_t value) {
    figures[static_cast<std::size_t>(column)][static_cast<std::size_t>(month)]
           [static_cast<std::size_t>(slot)] = value;
  }
};

// The texts of one group of "bkstudy.dat" (never shown by the card printer).
struct DemoGroup {
  std::string a, b, c;  // at most 23 bytes each
  std::string d;        // at most 11
  std::string e;        // at most 8
};

// A whole data set.
struct DemoCongregation {
  std::string password;   // empty: no password (stored as one space)
  bool scrambled = true;  // false: plain texts, marked by 'A' in the header
  CodePage codePage = CodePage::kWindows1252;
  int groupCount = 0;             // stored as a signed byte, so 25 or -1 can be written too
  std::vector<DemoGroup> groups;  // at most 20
  std::vector<DemoPublisher> publishers;
  // Records of "xten7.dat" including the unused record 0; the file is
  // longer when an extendedIndex needs it.
  int extendedRecords = 0;
};

// Writes "tdat9.bin", "bkstudy.dat", "xten7.dat" and "remark9.dat" into
// `dir` (which must exist), replacing files of those names.
bool WriteCongregation(const std::filesystem::path& dir, const DemoCongregation& data,
                       std::string* error = nullptr);
bool WritePublisherTableFile(const std::filesystem::path& dir, const DemoCongregation& data,
                             std::string* error = nullptr);
bool WriteGroupFile(const std::filesystem::path& dir, const DemoCongregation& data,
                    std::string* error = nullptr);
bool WriteExtendedFile(const std::filesystem::path& dir, const DemoCongregation& data,
                       std::string* error = nullptr);
bool WriteRemarksFile(const std::filesystem::path& dir, const DemoCongregation& data,
                      std::string* error = nullptr);

// --- Record encoders and raw helpers, for files broken on purpose ---

inline constexpr std::size_t kPublisherRecordSize = 816;
inline constexpr std::size_t kGroupFileSize = 1881;
inline constexpr std::size_t kExtendedRecordSize = 192;
inline constexpr std::size_t kRemarkRecordSize = 48;

using Bytes = std::vector<std::uint8_t>;

// Stores code-page `text` into `field[0..size)` (zero-filled behind it),
// shifted as the reader expects. The text must leave room for its zero.
bool ShiftTextInto(std::uint8_t* field, std::size_t size, std::string_view text,
                   ShiftException exception, std::string* error = nullptr);
// Stores code-page `text` into a group text field, XORed with the group key.
bool ScrambleGroupTextInto(std::uint8_t* field, std::size_t size, std::string_view text,
                           std::string* error = nullptr);

// The header record (record 0) of "tdat9.bin".
bool EncodeHeaderRecord(std::string_view passwordUtf8, bool scrambled, CodePage codePage,
                        Bytes& out, std::string* error = nullptr);
// One publisher record of "tdat9.bin".
bool EncodePublisherRecord(const DemoPublisher& publisher, bool scrambled, CodePage codePage,
                           Bytes& out, std::string* error = nullptr);
// The whole content of "tdat9.bin".
bool EncodePublisherTable(const DemoCongregation& data, Bytes& out, std::string* error = nullptr);
// The 1881 bytes of "bkstudy.dat".
bool EncodeGroupFile(const DemoCongregation& data, Bytes& out, std::string* error = nullptr);

// One record of "xten7.dat" (texts UTF-8, always scrambled).
struct ExtendedEntry {
  std::uint16_t ownerId = 0;
  std::string longName;
  std::string text2;
  std::string text3;
};
bool EncodeExtendedRecord(const ExtendedEntry& entry, CodePage codePage, Bytes& out,
                          std::string* error = nullptr);
// "xten7.dat" from its records; entries[0] is the unused record 0.
bool WriteExtendedRecords(const std::filesystem::path& dir,
                          const std::vector<ExtendedEntry>& entries,
                          CodePage codePage = CodePage::kWindows1252, std::string* error = nullptr);

// One record of "remark9.dat" with its fields as stored (text UTF-8, plain).
struct RemarkEntry {
  std::string text;
  std::uint8_t month = 0;
  std::uint8_t year = 0;
  std::uint16_t owner = 0;
};
bool EncodeRemarkRecord(const RemarkEntry& entry, CodePage codePage, Bytes& out,
                        std::string* error = nullptr);
// "remark9.dat": a zero header record followed by the entries.
bool WriteRemarkRecords(const std::filesystem::path& dir, const std::vector<RemarkEntry>& entries,
                        CodePage codePage = CodePage::kWindows1252, std::string* error = nullptr);

// Writes `bytes` as the whole file `path`.
bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
// Reads the whole file (empty when it can't be read).
Bytes ReadFileBytes(const std::filesystem::path& path);
// Deterministic pseudo-random bytes.
Bytes RandomBytes(std::size_t size, std::uint32_t seed);

// Appends `tail` to `bytes`.
void AppendBytes(Bytes& bytes, const Bytes& tail);

// Little-endian stores into a byte buffer.
void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value);

}  // namespace morvind::test
