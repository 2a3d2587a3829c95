#include "layout/LayoutRecord.h"

#include <algorithm>
#include <cstring>

namespace morvind {

std::string LayoutValue::Text() const {
  // A slot read from a damaged file may lack its zero byte; the text then
  // ends with the slot, never in the next one.
  const void* zero = std::memchr(bytes_, 0, kSize);
  std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes_) : kSize;
  return std::string(reinterpret_cast<const char*>(bytes_), length);
}

void LayoutValue::Set(std::string_view text) {
  // The bytes after the zero are left alone: an edited slot keeps whatever
  // a layout file held there, so an unchanged value gives unchanged bytes.
  std::size_t length = std::min(text.size(), kMaxLength);
  std::memcpy(bytes_, text.data(), length);
  bytes_[length] = 0;
}

}  // namespace morvind
