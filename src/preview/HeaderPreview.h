#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The card-header miniature in the rectangle (left, top) with width `right`
// and height `bottom`: the form, then the data of request.publisher with the
// texts request.cardName and request.cardMobile. Black for what prints, grey
// for what does not. Draws nothing when the table holds no records.
void DrawHeaderPreview(int left, int top, int right, int bottom, DrawingSurface& surface,
                       const CardRequest& request);

// The white background, the labels and the fill-in lines of the miniature.
// Leaves the label colour selected and text alignment 8.
void DrawHeaderForm(int left, int top, int right, int bottom, DrawingSurface& surface,
                    const CardRequest& request);

}  // namespace morvind
