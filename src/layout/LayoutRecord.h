#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morvind {

// Slots of the layout record. Header item i (name, address, home telephone,
// mobile telephone, date of birth, date immersed, hope mark, elder, regular
// pioneer, ministerial servant, male, female) has its X in slot 2i and its Y
// in slot 2i + 1. Slots 24..39 and 49 are reserved.
enum LayoutSlot : int {
  kNameX = 0,
  kNameY,
  kAddressX,
  kAddressY,
  kHomePhoneX,
  kHomePhoneY,
  kMobilePhoneX,
  kMobilePhoneY,
  kBirthDateX,
  kBirthDateY,
  kBaptismDateX,
  kBaptismDateY,
  kHopeX,
  kHopeY,
  kElderX,
  kElderY,
  kPioneerX,
  kPioneerY,
  kServantX,
  kServantY,
  kMaleX,
  kMaleY,
  kFemaleX,
  kFemaleY,
  kBodyTop = 40,
  kBodyHeight,
  kPlacementsColumn,
  kVideoShowingsColumn,
  kHoursColumn,
  kReturnVisitsColumn,
  kBibleStudiesColumn,
  kHiddenColumn,
  kRemarksColumn,
};

inline constexpr int kHeaderItemCount = 12;
inline constexpr int kBodySlotCount = 9;  // kBodyTop .. kRemarksColumn

// One 8-byte slot: a zero-terminated ASCII inch text of at most 7
// characters, such as "1.32". A slot from a damaged file may hold no zero
// byte; every read is bounded by the 8 bytes.
class LayoutValue {
 public:
  static constexpr std::size_t kSize = 8;
  static constexpr std::size_t kMaxLength = 7;

  explicit LayoutValue(std::uint8_t* bytes) : bytes_(bytes) {}

  // The text up to the zero byte (at most 8 characters).
  std::string Text() const;
  // Stores at most 7 characters and a zero; the bytes after the zero stay.
  void Set(std::string_view text);

 private:
  std::uint8_t* bytes_;
};

// The positions of one card version: exactly 400 bytes, 50 slots of 8.
class LayoutRecord {
 public:
  static constexpr std::size_t kSize = 400;
  static constexpr int kSlotCount = 50;

  std::string Text(int slot) const { return ConstValue(slot).Text(); }
  void Set(int slot, std::string_view text) { Value(slot).Set(text); }
  LayoutValue Value(int slot) { return LayoutValue(bytes_.data() + slot * LayoutValue::kSize); }

  std::string HeaderX(int item) const { return Text(2 * item); }
  std::string HeaderY(int item) const { return Text(2 * item + 1); }

  std::array<std::uint8_t, kSize>& Bytes() { return bytes_; }
  const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }
  void Clear() { bytes_.fill(0); }

  bool operator==(const LayoutRecord& other) const = default;

 private:
  LayoutValue ConstValue(int slot) const {
    return LayoutValue(const_cast<std::uint8_t*>(bytes_.data()) + slot * LayoutValue::kSize);
  }
  std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace morvind
