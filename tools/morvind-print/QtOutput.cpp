#include "QtOutput.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <cstdio>

#include "WriteFailure.h"
#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "printing/SheetPage.h"
#include "printing/qt/PdfFile.h"
#include "printing/qt/PrintJob.h"
#include "printing/qt/QtTextMeasure.h"

namespace morvind::cli {
namespace {

// Qt's notes about the desktop session (no runtime folder offscreen) are
// no business of a command-line printer; everything else is passed on.
QtMessageHandler previousHandler = nullptr;
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths:"))) return;
  if (previousHandler) {
    previousHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }
}

QtMessageHandler InstallMessageFilter() {
  previousHandler = qInstallMessageHandler(FilterQtMessages);
  return previousHandler;
}

// A sheet S-21 11/23 that is wider with its left margin than what `page`
// prints loses its right part. The page is the printer's own (or the PDF
// file's A4, whole), which this program does not change, so it is said
// before the cards are drawn and the print goes on.
void WarnOfNarrowPaper(const std::vector<CardRequest>& cards, const QPageLayout& page) {
  if (cards.empty() || cards.front().form != RecordForm::kSheet1123) return;
  const int printable = static_cast<int>(page.paintRect(QPageLayout::Inch).width() * 100);
  if (SheetFitsPrintableWidth(cards.front(), printable)) return;
  std::fprintf(stderr,
               "morvind-print: warning: the sheet S-21 11/23 is %.2f inches wide with the left "
               "margin, but the page prints only %.2f inches: its right part is cut off\n",
               SheetWidthWithMargin(cards.front()) / 100.0, printable / 100.0);
}

}  // namespace

// Qt's fonts and printers need an application object; it gets no
// arguments of ours, so that Qt doesn't take any of them for its own.
struct QtRuntime::State {
  State() : filter(InstallMessageFilter()), app(argc, argv) {}
  ~State() { qInstallMessageHandler(filter); }
  QtMessageHandler filter;
  int argc = 1;
  char name[16] = "morvind-print";
  char* argv[2] = {name, nullptr};
  QGuiApplication app;
};

QtRuntime::QtRuntime() : state_(std::make_unique<State>()) {}
QtRuntime::~QtRuntime() = default;

PrintResult WritePdf(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                     const CardDocumentOptions& options) {
  QtRuntime runtime;
  WarnOfNarrowPaper(cards, PlainPdfPage());
  return WritePdfFile(cards, target, PlainPdfPage(), options);
}

std::string DrawingListing(const std::vector<CardRequest>& cards, int dpi,
                           const CardDocumentOptions& options) {
  QtRuntime runtime;
  RecordingSurface surface(dpi, dpi);
  surface.SetTextMeasure(QtFontTextMeasure());
  DrawCardDocument(surface, cards, options);
  return surface.ToJsonLines();
}

std::unique_ptr<QPrinter> CupsPrinter(const std::string& name, std::string& error) {
  QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
  if (info.isNull()) {
    QStringList known = QPrinterInfo::availablePrinterNames();
    error =
        "no printer '" + name + "'" +
        (known.isEmpty() ? std::string(" (no printer is installed)")
                         : " (printers: " + known.join(QStringLiteral(", ")).toStdString() + ")");
    return nullptr;
  }
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool PrintOnPrinter(const std::vector<CardRequest>& cards, const std::string& name,
                    const CardDocumentOptions& options, std::string& error) {
  QtRuntime runtime;
  std::unique_ptr<QPrinter> found = CupsPrinter(name, error);
  if (!found) return false;
  QPrinter& printer = *found;
  WarnOfNarrowPaper(cards, printer.pageLayout());
  const PrintResult result = PrintCards(printer, cards, options);
  if (result.outcome == PrintOutcome::kNotSpooled) {
    error = "nothing printed: the job could not be spooled in " + result.file.string() + ": " +
            EnglishReason(result.write);
    return false;
  }
  if (result.outcome != PrintOutcome::kPrinted) {
    error = "can't print on '" + name + "'";
    return false;
  }
  return true;
}

}  // namespace morvind::cli
