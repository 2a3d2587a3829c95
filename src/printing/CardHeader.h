#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

struct DeviceMargins {
  int left = 0;
  int top = 0;
};

// The margins in device units: the left margin with dx, the top with dy.
DeviceMargins MarginsToDevice(const CardRequest& request, int dx, int dy);

// A tick box whose bottom-right corner is (x, y), dx/13 wide and dy/13 high,
// drawn with a pen of dx/120 units; with both diagonals when ticked.
void DrawTickBox(DrawingSurface& surface, int x, int y, bool ticked);

// The card header: in data-only mode only the data at the layout's
// positions (nothing when the header box is cleared), in complete-card mode
// the form too. Restores every font and pen it selects and deletes its own.
// Draws nothing when the request's publisher is not a record of its table.
void DrawCardHeader(DrawingSurface& surface, const CardRequest& request);

}  // namespace morvind
