#pragma once

#include <string>

#include "resources/StringTable.h"

namespace morvind {

// The name "Layout Einzelheiten" gives a layout slot: the label of its row
// for the header items ("Name", "[x] männlich"; X and Y share it) and for
// the body's top and height, the label beside its field for a column
// ("Placements", "Rückbesuche", "Bemerkungen"). Empty for the reserved
// slots and the hidden column, which the dialog does not show.
std::string LayoutSlotName(int slot, const StringTable& strings);

}  // namespace morvind
