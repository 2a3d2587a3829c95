#include "printing/qt/PdfFile.h"

#include <QFile>
#include <QPrinter>
#include <cerrno>

namespace morvind {

QPageLayout PlainPdfPage() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                     QPageLayout::Point, QMarginsF(0, 0, 0, 0));
}

PrintResult WritePdfFile(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                         const std::optional<QPageLayout>& pageLayout,
                         const CardDocumentOptions& options) {
  // An empty name would make the printer print on paper.
  if (target.empty())
    return {PrintOutcome::kNotWritten,
            WriteResult{.problem = WriteProblem::kSystem, .error = ENOENT}, target};
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QFile::decodeName(target.c_str()));
  printer.setPageLayout(pageLayout ? *pageLayout : PlainPdfPage());
  return PrintCards(printer, cards, options);
}

}  // namespace morvind
