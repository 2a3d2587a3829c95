#pragma once

#include "printing/CardRequest.h"
#include "printing/DrawingSurface.h"
#include "printing/SheetContent.h"

namespace morvind {

// The parts of the sheet S-21 11/23, each drawn with the form's top-left
// corner at `origin` (device units) in the surface's units per inch, at
// the positions of SheetLayout.h. Texts that would run past their cell or
// rule are clipped there. Each restores every font, pen and alignment it
// changes and deletes its own objects.

// The header under the title: name, dates, gender and hope boxes, and the
// line of role boxes.
void DrawSheetHeader(DrawingSurface& surface, const SheetContent& content, SurfacePoint origin,
                     int fontCharset);

// The framed table: headings with the service year, twelve month rows and
// the total row.
void DrawSheetTable(DrawingSurface& surface, const SheetContent& content, SurfacePoint origin,
                    int fontCharset);

// One page of the sheet for the request's publisher: the title, the header,
// the table and "S-21-E 11/23" under it, the form's top-left corner at the
// request's margins.
void DrawSheetPage(DrawingSurface& surface, const CardRequest& request);

// Whether the sheet with the request's left margin fits a printable area
// `printableHundredths` of an inch wide (the drawing starts at the
// printable area's left edge).
bool SheetFitsPrintableWidth(const CardRequest& request, int printableHundredths);

// The width the sheet needs with the request's left margin, in hundredths of an inch.
int SheetWidthWithMargin(const CardRequest& request);

}  // namespace morvind
