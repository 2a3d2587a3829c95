#pragma once

namespace morvind {

// The unit in which the options and the layout details dialogs show and
// take lengths. Layout files, margins and every drawing stay in inches;
// the unit only changes what the user reads and types.
enum class LengthUnit {
  kInch = 0,        // "Zoll": the stored texts as they are
  kMillimetre = 1,  // "mm": the stored inches shown in millimetres
};

}  // namespace morvind
