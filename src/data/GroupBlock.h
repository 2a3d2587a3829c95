#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace morvind {

// The content of the group file "bkstudy.dat": the number of groups and the
// (unscrambled) group texts, which the card printer never shows.
struct GroupBlock {
  static constexpr std::size_t kSize = 1881;
  static constexpr int kMaxGroups = 20;

  std::array<std::uint8_t, kSize> bytes{};

  // The number of groups, a signed byte; the list uses at most 20 of them.
  int GroupCount() const { return static_cast<std::int8_t>(bytes[0]); }
  void SetGroupCount(int count) { bytes[0] = static_cast<std::uint8_t>(count); }
};

// Offsets and sizes of the five group text arrays (20 entries each).
namespace group {
struct TextArray {
  std::size_t offset;
  std::size_t entrySize;
};
inline constexpr TextArray kTextArrays[5] = {{1, 24}, {481, 24}, {961, 24}, {1441, 12}, {1681, 9}};
}  // namespace group

}  // namespace morvind
