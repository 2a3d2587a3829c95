#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The miniatures of the sheet S-21 11/23 for request.publisher (none below
// 1): its header under the title, and its table. Each is drawn by the
// page's own drawing code on a white ground with a frame that fills the
// rectangle (left, top) with width `right` and height `bottom`, in one
// scale for both directions (the largest at which it fits), centred. All
// of it prints, so all of it is black.
void DrawSheetHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                            const CardRequest& request);
void DrawSheetTablePreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                           const CardRequest& request);

}  // namespace morvind
