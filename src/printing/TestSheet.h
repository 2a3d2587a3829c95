#pragma once

#include "layout/LengthUnit.h"
#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"

namespace morvind {

// The greys of the test sheet: the grid light enough that the black data
// stand out over it (its fine lines lighter still), the crosses, their
// names and the grid's figures darker than the grid and lighter than the
// data.
inline constexpr Colour kGridFineGrey = 0xD2D2D2;
inline constexpr Colour kGridGrey = 0xB4B4B4;
inline constexpr Colour kMarkGrey = 0x808080;

// Whether the test print can be made of `card`: a card for pre-printed
// cards, drawn at the layout's positions that the sheet marks, as in
// data-only mode. A complete card places its items by rules of its own, and
// the sheet S-21 11/23 is drawn whole on plain paper.
bool TakesTestSheet(const CardRequest& card);

// The sheet a test print draws under the card, to be laid on a pre-printed
// card against the light:
// - a ruler grid in `unit` over the whole page (kHorzRes by kVertRes) with
//   its origin at the card's margins, so that a position read off the grid
//   is the layout value that puts an item there: in inches a fine line
//   every tenth, a stronger one every half inch and figures at every inch;
//   in millimetres every 1, 5 and 10 mm; the figures along the top and
//   left edges of the page;
// - at each layout slot's anchor (where its item begins, or for a column
//   where its figures end, on the first month's row) a small cross with the
//   slot's name as the layout details dialog shows it.
// Restores the surface's pen, font, colours and alignment and deletes what
// it creates.
void DrawTestSheet(DrawingSurface& surface, const CardRequest& card, LengthUnit unit);

// The distance in device units from the grid's origin to its line `step`
// (tenths of an inch, or millimetres; negative steps lie before the
// origin), truncated as layout values are: line 13 of the inch grid lies
// where the value "1.30" puts an item.
int GridLineOffset(int step, LengthUnit unit, int unitsPerInch);

}  // namespace morvind
