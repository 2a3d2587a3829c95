#include "printing/qt/PdfFile.h"

#include <QFile>
#include <QPrinter>
#include <cerrno>

namespace morvind {

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
  if (pageLayout) printer.setPageLayout(*pageLayout);
  return PrintCards(printer, cards, options);
}

}  // namespace morvind
