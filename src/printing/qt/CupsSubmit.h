#pragma once

#include <QString>

class QPrinter;

namespace morvind {

// Hands a finished print file to the CUPS queue of `printer` as one job
// named `title`, with the options Qt's own CUPS print engine sends at the
// end of a job: the media, copies and collation, the sides, landscape, and
// the options chosen in the printer set-up. False when CUPS refused it.
bool SubmitToCups(QPrinter& printer, const QString& file, const QString& title);

}  // namespace morvind
