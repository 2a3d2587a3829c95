#include "data/Scrambling.h"

#include <cstring>

namespace morvind {
namespace {

constexpr std::uint8_t kKeptByte = 204;
// The address keeps a stored 204 only within its first 30 bytes; beyond
// them the companion program shifts it like any other byte.
constexpr std::size_t kAddressKeepLimit = 30;

std::size_t TextLength(const std::uint8_t* field, std::size_t size) {
  const void* zero = std::memchr(field, 0, size);
  return zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - field) : size;
}

bool Keeps(ShiftException exception, std::size_t position, std::uint8_t byte) {
  if (byte != kKeptByte) return false;
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

}  // namespace

void UnshiftText(std::uint8_t* field, std::size_t size, ShiftException exception) {
  // The length is taken once: a byte that unshifts to zero must not shorten
  // the walk, or the rest of the text would stay scrambled.
  const std::size_t length = TextLength(field, size);
  for (std::size_t i = 0; i < length; ++i) {
    if (Keeps(exception, i, field[i])) continue;
    field[i] = static_cast<std::uint8_t>(field[i] - (i + kShiftBase));
  }
}

void UnscrambleGroupText(std::uint8_t* field, std::size_t size) {
  const std::size_t length = TextLength(field, size);
  for (std::size_t i = 0; i < length; ++i) {
    // A byte equal to its key character was stored as is, because the XOR
    // would have made it zero and cut the text.
    const auto key = static_cast<std::uint8_t>(kGroupKey[i % kGroupKey.size()]);
    if (field[i] != key) field[i] = static_cast<std::uint8_t>(field[i] ^ key);
  }
}

}  // namespace morvind
