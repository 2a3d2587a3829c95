#include "printing/qt/ProgramPrinter.h"

#include <QPrintDialog>
#include <QPrinterInfo>

namespace morvind {

QPrinter* SystemPrinter::Current() {
  if (!printer_ && !looked_) {
    looked_ = true;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  }
  return printer_.get();
}

bool SystemPrinter::RunSetup(QWidget* parent) {
  // The setup works on a printer of its own, so that Cancel leaves the
  // program's printer exactly as it was.
  auto candidate = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (QPrinter* current = Current()) {
    candidate->setPrinterName(current->printerName());
    candidate->setOutputFormat(current->outputFormat());
    candidate->setOutputFileName(current->outputFileName());
    candidate->setPageLayout(current->pageLayout());
  }
  QPrintDialog dialog(candidate.get(), parent);
  dialog.setWindowTitle(QStringLiteral("Druckereinstellung"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  printer_ = std::move(candidate);
  looked_ = true;
  return true;
}

PdfFilePrinter::PdfFilePrinter(const QString& fileName) : printer_(QPrinter::HighResolution) {
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setOutputFileName(fileName);
}

}  // namespace morvind
