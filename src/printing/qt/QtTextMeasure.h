#pragma once

#include "printing/RecordingSurface.h"

namespace morvind {

// Measures texts with the fonts a print uses ("Arial" and "Times New Roman"
// through their Liberation twins), rounded as a QtSurface rounds them, so
// that a RecordingSurface lists every text placed after another one where
// the print puts it. Needs a QGuiApplication.
RecordingSurface::TextMeasure QtFontTextMeasure();

}  // namespace morvind
