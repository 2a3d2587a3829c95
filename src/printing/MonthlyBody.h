#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The twelve month rows, September to August, the remarks and the totals
// row; in complete-card mode also the headings, month names and the frame.
// Restores every font and pen it selects and deletes its own. Draws nothing
// when the request's publisher is not a record of its table.
void DrawMonthlyBody(DrawingSurface& surface, const CardRequest& request);

}  // namespace morvind
