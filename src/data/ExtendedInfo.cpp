#include "data/ExtendedInfo.h"

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

// The last byte of each text, forced to zero so that no text runs into the
// next one.
constexpr std::size_t kForcedZeros[] = {66, 117, 189};

// A long name written in Cyrillic or Greek has letters too: they are the
// letters of the data's code page, not only A-Z.
bool HasLetter(const std::uint8_t* text, std::size_t size, CodePage codePage) {
  for (std::size_t i = 0; i < size && text[i] != 0; ++i)
    if (IsLetterInCodePage(text[i], codePage)) return true;
  return false;
}

// Reads record n of the file into `info` when it belongs to `id`.
bool LookUpRecord(int n, std::uint16_t id, int extendedCount, ExtendedInfo& info,
                  const DataFolder& folder) {
  if (n <= 0 || n >= extendedCount) return false;
  File file(std::fopen(folder.PathOf(kExtendedInfoFile).c_str(), "rb"));
  if (!file) return false;
  std::uint8_t rec[ExtendedInfo::kSize] = {};
  if (std::fseek(file.get(), static_cast<long>(n) * static_cast<long>(ExtendedInfo::kSize),
                 SEEK_SET) != 0)
    return false;
  if (std::fread(rec, 1, sizeof rec, file.get()) != sizeof rec) return false;
  const auto owner = static_cast<std::uint16_t>(rec[0] | (rec[1] << 8));
  if (owner != id) return false;
  for (std::size_t offset : kForcedZeros) rec[offset] = 0;
  // These texts have no kept byte and no plain-text marker: they are always shifted.
  UnshiftText(rec + extended::kLongName, extended::kLongNameSize, ShiftException::kNone);
  UnshiftText(rec + extended::kText2, extended::kText2Size, ShiftException::kNone);
  UnshiftText(rec + extended::kText3, extended::kText3Size, ShiftException::kNone);
  std::memcpy(info.bytes.data(), rec, sizeof rec);
  return true;
}

}  // namespace

std::string_view ExtendedInfo::RawLongName() const {
  const char* p = reinterpret_cast<const char*>(bytes.data() + extended::kLongName);
  const void* zero = std::memchr(p, 0, extended::kLongNameSize);
  return std::string_view(p, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - p)
                                  : extended::kLongNameSize);
}

std::string ExtendedInfo::LongName(CodePage codePage) const {
  return DecodeToUtf8(RawLongName(), codePage);
}

int CountExtendedRecords(const DataFolder& folder) {
  File file(std::fopen(folder.PathOf(kExtendedInfoFile).c_str(), "rb"));
  if (!file) return 0;
  // Only whole records count, and no more than the program can address, so
  // a huge file is not read to its end.
  std::uint8_t rec[ExtendedInfo::kSize];
  int count = 0;
  while (count < ExtendedInfo::kMaxRecords &&
         std::fread(rec, 1, sizeof rec, file.get()) == sizeof rec)
    ++count;
  return count;
}

int ReadExtendedInfo(PublisherTable& table, int publisher, int extendedCount, ExtendedInfo& info,
                     const DataFolder& folder) {
  // Cleared first in every case, so that a publisher without a record never
  // shows the long name of the one looked up before.
  info.Clear();
  if (publisher < 1 || !table.IsValidIndex(publisher)) return 0;
  int n = table.ExtendedIndex(publisher);
  if (n > extendedCount) {
    table.SetExtendedIndex(publisher, 0);
    n = 0;
  }
  if (n == 0) return 0;
  if (!LookUpRecord(n, table.PublisherId(publisher), extendedCount, info, folder)) {
    info.Clear();
    table.SetExtendedIndex(publisher, 0);
    return 0;
  }
  int bits = 0;
  const CodePage codePage = table.GetCodePage();
  if (HasLetter(info.bytes.data() + extended::kLongName, extended::kLongNameSize, codePage))
    bits |= kLongNameHasLetter;
  if (HasLetter(info.bytes.data() + extended::kText2, extended::kText2Size, codePage))
    bits |= kText2HasLetter;
  return bits;
}

}  // namespace morvind
