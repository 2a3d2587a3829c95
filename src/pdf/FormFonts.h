#pragma once

#include "data/CodePage.h"
#include "pdf/OfficialFormFile.h"

namespace morvind {

// What the working copy of the form must show for data in `codePage`: every
// character of that code page and of code page 1252 (the German texts of
// dates and of the totals records), in Liberation Sans where a field's own
// font lacks one (empty when the system has no Liberation Sans: Poppler
// then finds a font itself). `embeddedFontsOnly`: for outputs whose fields
// are drawn into the page (WorkingCopyOptions).
WorkingCopyOptions WorkingCopyOptionsFor(CodePage codePage, bool embeddedFontsOnly = false);

}  // namespace morvind
