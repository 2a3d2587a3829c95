#pragma once

#include <string_view>

namespace morvind {

// Which publisher record a print puts on paper.
enum class RecordForm {
  // The card S-21 10/15: data at the layout's positions on a pre-printed
  // card (or the complete card), in one of the three card versions.
  kCard1015 = 0,
  // The sheet S-21 11/23: the whole form drawn on plain paper, one
  // service year a page.
  kSheet1123 = 1,
};

// The names the window gives the two forms.
inline constexpr std::string_view kCardFormName = "Karte S-21 10/15";
inline constexpr std::string_view kSheetFormName = "Blatt S-21 11/23";

}  // namespace morvind
