#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The monthly-body miniature in the rectangle (left, top) with width `right`
// and height `bottom`: grid, headings, the service year, the month rows of
// request.publisher (none below 1) and the totals. `borderX` and `borderY`
// are the window border's width and height in pixels.
void DrawBodyPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                     const CardRequest& request, int borderX = 1, int borderY = 1);

}  // namespace morvind
