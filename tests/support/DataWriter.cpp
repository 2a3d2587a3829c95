#include "support/DataWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>

#include "data/DataFolder.h"
#include "data/ExtendedInfo.h"
#include "data/GroupBlock.h"
#include "data/PublisherTable.h"

namespace morvind::test {
namespace {

constexpr std::uint8_t kKeptByte = 204;
constexpr std::size_t kAddressKeepLimit = 30;

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

std::string Printable(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// UTF-8 to code-page bytes; fails on characters outside the code page and
// on a zero byte, which would end the text early.
bool Encode(std::string_view utf8, CodePage codePage, std::string& out, std::string* error) {
  std::optional<std::string> encoded = EncodeFromUtf8(utf8, codePage);
  if (!encoded) return Fail(error, "text " + Printable(utf8) + " has no form in the code page");
  if (encoded->find('\0') != std::string::npos)
    return Fail(error, "text " + Printable(utf8) + " holds a zero byte");
  out = std::move(*encoded);
  return true;
}

bool KeepsAt(ShiftException exception, std::size_t position) {
  switch (exception) {
    case ShiftException::kNone:
      return false;
    case ShiftException::kKeep204:
      return true;
    case ShiftException::kKeep204Below30:
      return position < kAddressKeepLimit;
  }
  return false;
}

bool PutPlainText(std::uint8_t* field, std::size_t size, std::string_view text,
                  std::string* error) {
  if (text.size() >= size)
    return Fail(error, "text " + Printable(text) + " is too long for its field of " +
                           std::to_string(size) + " bytes");
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), text.size());
  return true;
}

struct RecordTextField {
  RecordText field;
  ShiftException exception;
  std::string DemoPublisher::*member;
};
const RecordTextField kPublisherTexts[] = {
    {record::kFirstName, ShiftException::kKeep204, &DemoPublisher::firstName},
    {record::kLastName, ShiftException::kKeep204, &DemoPublisher::lastName},
    {record::kAddress, ShiftException::kKeep204Below30, &DemoPublisher::address},
    {record::kHomePhone, ShiftException::kNone, &DemoPublisher::homePhone},
    {record::kMobilePhone, ShiftException::kNone, &DemoPublisher::mobilePhone},
    {record::kSpareText, ShiftException::kNone, &DemoPublisher::spareText},
    {record::kImmersedDate, ShiftException::kNone, &DemoPublisher::immersedDate},
    {record::kBirthDate, ShiftException::kNone, &DemoPublisher::birthDate},
};

constexpr std::size_t kFigureBlocks[5] = {record::kPlacements, record::kVideoShowings,
                                          record::kHours, record::kReturnVisits, record::kStudies};

bool PutText(std::uint8_t* field, std::size_t size, std::string_view utf8, bool scrambled,
             ShiftException exception, CodePage codePage, std::string* error) {
  std::string bytes;
  if (!Encode(utf8, codePage, bytes, error)) return false;
  return scrambled ? ShiftTextInto(field, size, bytes, exception, error)
                   : PutPlainText(field, size, bytes, error);
}

bool WriteFile(const std::filesystem::path& dir, std::string_view name, const Bytes& bytes,
               std::string* error) {
  if (!WriteFileBytes(dir / name, bytes)) return Fail(error, "can't write " + std::string(name));
  return true;
}

}  // namespace

bool ShiftTextInto(std::uint8_t* field, std::size_t size, std::string_view text,
                   ShiftException exception, std::string* error) {
  if (!PutPlainText(field, size, text, error)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto plain = static_cast<std::uint8_t>(text[i]);
    if (plain == kKeptByte && KeepsAt(exception, i)) continue;  // the reader keeps it as it is
    const auto stored = static_cast<std::uint8_t>(plain + i + kShiftBase);
    if (stored == 0)
      return Fail(error, "text " + Printable(text) + " scrambles to a zero byte at position " +
                             std::to_string(i));
    if (stored == kKeptByte && KeepsAt(exception, i))
      return Fail(error, "text " + Printable(text) +
                             " scrambles to the kept byte 204 at position " + std::to_string(i));
    field[i] = stored;
  }
  return true;
}

bool ScrambleGroupTextInto(std::uint8_t* field, std::size_t size, std::string_view text,
                           std::string* error) {
  if (!PutPlainText(field, size, text, error)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto key = static_cast<std::uint8_t>(kGroupKey[i % kGroupKey.size()]);
    // A byte equal to its key character is stored as is: the XOR would be 0.
    if (field[i] != key) field[i] = static_cast<std::uint8_t>(field[i] ^ key);
  }
  return true;
}

void AppendBytes(Bytes& bytes, const Bytes& tail) {
  // Out of line on purpose: g++ 12 warns falsely about vector::insert of a
  // range whose size it can see.
  bytes.reserve(bytes.size() + tail.size());
  for (std::uint8_t b : tail) bytes.push_back(b);
}

void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

bool EncodeHeaderRecord(std::string_view passwordUtf8, bool scrambled, CodePage codePage,
                        Bytes& out, std::string* error) {
  out.assign(kPublisherRecordSize, 0);
  const std::string_view password = passwordUtf8.empty() ? std::string_view(" ") : passwordUtf8;
  if (!PutText(out.data() + record::kFirstName.offset, record::kFirstName.size, password, scrambled,
               ShiftException::kKeep204, codePage, error))
    return false;
  // Plain texts are marked by an 'A' in the header's last name; a scrambled
  // table leaves it empty, so the marker can't appear by chance.
  if (!scrambled) out[record::kLastName.offset] = 'A';
  return true;
}

bool EncodePublisherRecord(const DemoPublisher& publisher, bool scrambled, CodePage codePage,
                           Bytes& out, std::string* error) {
  out.assign(kPublisherRecordSize, 0);
  for (const RecordTextField& text : kPublisherTexts) {
    if (!PutText(out.data() + text.field.offset, text.field.size, publisher.*text.member, scrambled,
                 text.exception, codePage, error))
      return false;
  }
  out[record::kHope] = static_cast<std::uint8_t>(publisher.hope);
  out[record::kGroup] = static_cast<std::uint8_t>(publisher.group);
  PutWord(out, record::kPublisherId, publisher.id);
  PutWord(out, record::kExtendedIndex, publisher.extendedIndex);
  out[record::kInactive] = publisher.inactive ? 1 : 0;
  out[record::kRoleFlags] = publisher.roleFlags;
  for (std::size_t m = 0; m < 12; ++m) {
    for (std::size_t y = 0; y < 3; ++y) {
      out[record::kMonthStatus + 3 * m + y] = publisher.monthStatus[m][y];
      const std::size_t word = 6 * m + 2 * y;
      for (std::size_t column = 0; column < 5; ++column) {
        std::uint16_t value = publisher.figures[column][m][y];
        if (column == kBibleStudies) {
          if (value > 0x0FFF || publisher.quarters[m][y] > 3)
            return Fail(error, "studies or quarters out of range");
          value = static_cast<std::uint16_t>(value | (publisher.quarters[m][y] << 12));
        }
        PutWord(out, kFigureBlocks[column] + word, value);
      }
    }
  }
  return true;
}

bool EncodePublisherTable(const DemoCongregation& data, Bytes& out, std::string* error) {
  if (data.publishers.size() + 1 > static_cast<std::size_t>(PublisherTable::kCapacity))
    return Fail(error, "more publishers than the table holds");
  out.clear();
  out.reserve((data.publishers.size() + 1) * kPublisherRecordSize);
  Bytes rec;
  if (!EncodeHeaderRecord(data.password, data.scrambled, data.codePage, rec, error)) return false;
  out.insert(out.end(), rec.begin(), rec.end());
  for (const DemoPublisher& publisher : data.publishers) {
    if (!EncodePublisherRecord(publisher, data.scrambled, data.codePage, rec, error)) {
      if (error) *error = publisher.firstName + " " + publisher.lastName + ": " + *error;
      return false;
    }
    out.insert(out.end(), rec.begin(), rec.end());
  }
  return true;
}

bool EncodeGroupFile(const DemoCongregation& data, Bytes& out, std::string* error) {
  if (data.groups.size() > static_cast<std::size_t>(GroupBlock::kMaxGroups))
    return Fail(error, "more than 20 groups");
  out.assign(kGroupFileSize, 0);
  out[0] = static_cast<std::uint8_t>(data.groupCount);
  for (std::size_t i = 0; i < data.groups.size(); ++i) {
    const DemoGroup& g = data.groups[i];
    const std::string* texts[5] = {&g.a, &g.b, &g.c, &g.d, &g.e};
    for (std::size_t t = 0; t < 5; ++t) {
      const group::TextArray& array = group::kTextArrays[t];
      std::string bytes;
      if (!Encode(*texts[t], data.codePage, bytes, error) ||
          !ScrambleGroupTextInto(out.data() + array.offset + i * array.entrySize, array.entrySize,
                                 bytes, error))
        return false;
    }
  }
  return true;
}

bool EncodeExtendedRecord(const ExtendedEntry& entry, CodePage codePage, Bytes& out,
                          std::string* error) {
  out.assign(kExtendedRecordSize, 0);
  PutWord(out, 0, entry.ownerId);
  struct Field {
    std::size_t offset, size;
    const std::string* text;
  };
  const Field fields[] = {{extended::kLongName, extended::kLongNameSize, &entry.longName},
                          {extended::kText2, extended::kText2Size, &entry.text2},
                          {extended::kText3, extended::kText3Size, &entry.text3}};
  for (const Field& field : fields) {
    if (!PutText(out.data() + field.offset, field.size, *field.text, true, ShiftException::kNone,
                 codePage, error))
      return false;
  }
  return true;
}

bool WriteExtendedRecords(const std::filesystem::path& dir,
                          const std::vector<ExtendedEntry>& entries, CodePage codePage,
                          std::string* error) {
  Bytes file;
  Bytes rec;
  for (const ExtendedEntry& entry : entries) {
    if (!EncodeExtendedRecord(entry, codePage, rec, error)) return false;
    file.insert(file.end(), rec.begin(), rec.end());
  }
  return WriteFile(dir, kExtendedInfoFile, file, error);
}

bool EncodeRemarkRecord(const RemarkEntry& entry, CodePage codePage, Bytes& out,
                        std::string* error) {
  out.assign(kRemarkRecordSize, 0);
  std::string bytes;
  // Blank texts are allowed: the reader has to skip them.
  if (!Encode(entry.text, codePage, bytes, error) || !PutPlainText(out.data(), 44, bytes, error))
    return false;
  out[44] = entry.month;
  out[45] = entry.year;
  PutWord(out, 46, entry.owner);
  return true;
}

bool WriteRemarkRecords(const std::filesystem::path& dir, const std::vector<RemarkEntry>& entries,
                        CodePage codePage, std::string* error) {
  Bytes file(kRemarkRecordSize, 0);  // the header record
  Bytes rec;
  for (const RemarkEntry& entry : entries) {
    if (!EncodeRemarkRecord(entry, codePage, rec, error)) return false;
    file.insert(file.end(), rec.begin(), rec.end());
  }
  return WriteFile(dir, kRemarksFile, file, error);
}

bool WritePublisherTableFile(const std::filesystem::path& dir, const DemoCongregation& data,
                             std::string* error) {
  Bytes bytes;
  return EncodePublisherTable(data, bytes, error) &&
         WriteFile(dir, kPublisherTableFile, bytes, error);
}

bool WriteGroupFile(const std::filesystem::path& dir, const DemoCongregation& data,
                    std::string* error) {
  Bytes bytes;
  return EncodeGroupFile(data, bytes, error) && WriteFile(dir, kGroupFile, bytes, error);
}

bool WriteExtendedFile(const std::filesystem::path& dir, const DemoCongregation& data,
                       std::string* error) {
  std::size_t records = static_cast<std::size_t>(std::max(1, data.extendedRecords));
  for (const DemoPublisher& publisher : data.publishers)
    records = std::max<std::size_t>(records, publisher.extendedIndex + 1u);
  std::vector<ExtendedEntry> entries(records);
  std::vector<bool> taken(records, false);
  for (const DemoPublisher& publisher : data.publishers) {
    if (publisher.extendedIndex == 0) continue;
    if (taken[publisher.extendedIndex])
      return Fail(
          error, "two publishers share extended record " + std::to_string(publisher.extendedIndex));
    taken[publisher.extendedIndex] = true;
    entries[publisher.extendedIndex] = {publisher.id, publisher.longName, publisher.extendedText2,
                                        publisher.extendedText3};
  }
  return WriteExtendedRecords(dir, entries, data.codePage, error);
}

bool WriteRemarksFile(const std::filesystem::path& dir, const DemoCongregation& data,
                      std::string* error) {
  std::vector<RemarkEntry> entries;
  for (const DemoPublisher& publisher : data.publishers) {
    for (const DemoRemark& remark : publisher.remarks) {
      if (remark.month < 1 || remark.month > 12) return Fail(error, "remark month out of range");
      entries.push_back({remark.text, static_cast<std::uint8_t>(remark.month),
                         static_cast<std::uint8_t>(((remark.year % 100) + 100) % 100),
                         publisher.id});
    }
  }
  return WriteRemarkRecords(dir, entries, data.codePage, error);
}

bool WriteCongregation(const std::filesystem::path& dir, const DemoCongregation& data,
                       std::string* error) {
  return WritePublisherTableFile(dir, data, error) && WriteGroupFile(dir, data, error) &&
         WriteExtendedFile(dir, data, error) && WriteRemarksFile(dir, data, error);
}

bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Bytes();
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random() & 0xFF);
  return bytes;
}

}  // namespace morvind::test
