#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/DataFolder.h"
#include "data/PublisherTable.h"

namespace morvind {

// One 192-byte record of "xten7.dat", unscrambled: the working copy of the
// last accepted extended record; all zeros when the last lookup failed.
struct ExtendedInfo {
  static constexpr std::size_t kSize = 192;
  static constexpr int kMaxRecords = 601;

  std::array<std::uint8_t, kSize> bytes{};

  std::uint16_t OwnerId() const { return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)); }
  // The long name as stored (code-page bytes before its zero).
  std::string_view RawLongName() const;
  std::string LongName(CodePage codePage) const;
  void Clear() { bytes.fill(0); }
};

namespace extended {
inline constexpr std::size_t kLongName = 2;  // 65 bytes
inline constexpr std::size_t kLongNameSize = 65;
inline constexpr std::size_t kText2 = 67;  // 51 bytes
inline constexpr std::size_t kText2Size = 51;
inline constexpr std::size_t kText3 = 118;  // 72 bytes
inline constexpr std::size_t kText3Size = 72;
}  // namespace extended

// Bits of ReadExtendedInfo's result.
inline constexpr int kLongNameHasLetter = 1;
inline constexpr int kText2HasLetter = 2;

// The number of whole records in "xten7.dat", at most 601; 0 without the file.
int CountExtendedRecords(const DataFolder& folder);

// Looks up the extended record of `publisher` and fills `info`. Returns the
// letter bits (kLongNameHasLetter, kText2HasLetter), or 0 when the publisher
// has no valid record; a bad link is then cleared in memory (extendedIndex 0)
// so it is tried only once per run.
int ReadExtendedInfo(PublisherTable& table, int publisher, int extendedCount, ExtendedInfo& info,
                     const DataFolder& folder);

}  // namespace morvind
