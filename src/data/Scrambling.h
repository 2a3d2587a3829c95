#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvind {

// The two scrambling values of the companion program's data files. They must
// equal the values that program writes with, or every text reads as garbage.
//
// Shift base K of the position shift: the byte at position i of a text is
// stored as (b + i + K) mod 256.
inline constexpr std::uint8_t kShiftBase = 46;
// The 10-character key of the group file's texts, walked in step with the
// text: a byte equal to the key character stays, any other is XORed with it.
inline constexpr std::string_view kGroupKey = "Kq7!vR2@xZ";

// Which bytes the position shift leaves alone.
enum class ShiftException {
  kNone,            // every byte is shifted
  kKeep204,         // a byte of value 204 stays (first and last names)
  kKeep204Below30,  // a byte of value 204 stays at positions 0..29 (address)
};

// Undoes the position shift in place over the bytes before the first zero
// byte among `field[0..size)`. Nothing beyond `size` is read or written.
void UnshiftText(std::uint8_t* field, std::size_t size, ShiftException exception);

// Undoes the group key in place over the bytes before the first zero byte
// among `field[0..size)`.
void UnscrambleGroupText(std::uint8_t* field, std::size_t size);

}  // namespace morvind
