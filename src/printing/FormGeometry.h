#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "printing/DrawingSurface.h"
#include "resources/StringTable.h"

namespace morvind {

// Field `index` of a form-column text such as "075 150 210": a number of
// hundredths of an inch every four characters, converted with
// `unitsPerInch` (number × units / 100, truncating). A missing field is 0.
inline std::uint32_t FormColumnToDevice(std::string_view columns, int index,
                                        std::uint32_t unitsPerInch) {
  std::size_t at = static_cast<std::size_t>(index) * 4;
  if (at >= columns.size()) return 0;
  int hundredths = std::max(0, ParseLeadingInt(columns.substr(at, 3)));
  return static_cast<std::uint32_t>(hundredths) * unitsPerInch / 100;
}

// A length of `hundredths` of an inch in device units, as the card converts
// its inch values: hundredths × units / 100 in unsigned arithmetic, truncating.
inline int HundredthsToDevice(int hundredths, std::uint32_t unitsPerInch) {
  return static_cast<int>(static_cast<std::uint32_t>(std::max(0, hundredths)) * unitsPerInch / 100);
}

// The surface's horizontal or vertical units per inch (kLogPixelsX or
// kLogPixelsY) for the unsigned arithmetic of the card geometry.
inline std::uint32_t UnitsPerInch(DrawingSurface& surface, int index) {
  return static_cast<std::uint32_t>(std::max(0, surface.GetDeviceCaps(index)));
}

}  // namespace morvind
