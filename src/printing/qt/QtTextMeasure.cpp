#include "printing/qt/QtTextMeasure.h"

#include "printing/qt/QtSurface.h"
#include "toolkit/QtText.h"

namespace morvind {

RecordingSurface::TextMeasure QtFontTextMeasure() {
  return [](std::string_view text, const FontRecord& font) {
    // The fonts have pixel sizes in device units, so the paint device does
    // not change their metrics.
    return QtSurface::MeasureText(QtSurface::ToQtFont(font), nullptr, ToQt(text));
  };
}

}  // namespace morvind
