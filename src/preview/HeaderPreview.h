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

// Where the role marks of the miniature go: the middle of the box "[   ]"
// of each role's label as the form drew it, or 0 where the label has none.
struct HeaderBoxes {
  int elder = 0;
  int servant = 0;
  int pioneer = 0;
};

// The white background, the labels and the fill-in lines of the miniature.
// Leaves the label colour selected and text alignment 8.
HeaderBoxes DrawHeaderForm(int left, int top, int right, int bottom, DrawingSurface& surface,
                           const CardRequest& request);

}  // namespace morvind
