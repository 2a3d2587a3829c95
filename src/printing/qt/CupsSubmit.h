#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <utility>
#include <vector>

class QPrinter;

namespace morvind {

// A CUPS job's options, as name and value pairs.
using CupsOptions = std::vector<std::pair<QByteArray, QByteArray>>;

// The options Qt's own CUPS print engine sends at the end of a job on
// `printer`, for pages of `media` in `orientation`: the media, copies and
// collation, the sides (automatic duplex turning on the edge that suits
// the orientation), landscape, and the options chosen in the printer
// set-up.
CupsOptions CupsJobOptions(QPrinter& printer, const QPageSize& media,
                           QPageLayout::Orientation orientation);

// Hands a finished print file to the CUPS queue of `printer` as one job
// named `title`, with the options of CupsJobOptions for the printer's own
// page layout. False when CUPS refused it.
bool SubmitToCups(QPrinter& printer, const QString& file, const QString& title);

// One PDF document of a job.
struct CupsDocument {
  QString file;
  QString name;
};

// Hands the finished PDF files to the CUPS queue of `printer` as one job
// named `title` with one document per file, in order; a CUPS-PDF queue,
// which prints only the first document of a job, gets a job for each file,
// named as the file's document.
// False when CUPS refused a job or a document; every job is then
// cancelled, so that nothing of it prints.
bool SubmitDocumentsToCups(QPrinter& printer, const std::vector<CupsDocument>& documents,
                           const QString& title, const CupsOptions& options);

}  // namespace morvind
