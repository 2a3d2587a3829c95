#include "printing/qt/CupsSubmit.h"

#include <cups/cups.h>

#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>

namespace morvind {
namespace {

// Where Qt's print dialog keeps the CUPS options of the printer set-up (the
// key Qt's CUPS support defines privately as PPK_CupsOptions).
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The options as CUPS takes them; they point into `options`.
std::vector<cups_option_t> CupsList(CupsOptions& options) {
  std::vector<cups_option_t> list;
  list.reserve(options.size());
  for (auto& [name, value] : options) list.push_back(cups_option_t{name.data(), value.data()});
  return list;
}

// CUPS knows the queue without the instance part of "printer/instance".
QByteArray QueueOf(const QPrinter& printer) {
  return printer.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
}

// Sends one document of the job `job`; false when CUPS refused any part.
// CUPS-PDF, the printer that writes PDF files, reads the first document of
// a job and ends: the job's other documents would never print, and the
// queue would wait for them for ever.
bool TakesOneDocumentAJob(const QByteArray& queue) {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  const cups_dest_t* dest = cupsGetDest(queue.constData(), nullptr, count, dests);
  const char* device =
      dest ? cupsGetOption("device-uri", dest->num_options, dest->options) : nullptr;
  const bool one = device && QByteArray(device).startsWith("cups-pdf:");
  cupsFreeDests(count, dests);
  return one;
}

bool SendDocument(const QByteArray& queue, int job, const CupsDocument& document, bool last) {
  QFile file(document.file);
  if (!file.open(QIODevice::ReadOnly)) return false;
  if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job,
                        document.name.toUtf8().constData(), CUPS_FORMAT_PDF,
                        last ? 1 : 0) != HTTP_STATUS_CONTINUE)
    return false;
  bool sent = true;
  while (sent && !file.atEnd()) {
    const QByteArray chunk = file.read(1 << 16);
    sent = !chunk.isEmpty() &&
           cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(),
                                static_cast<std::size_t>(chunk.size())) == HTTP_STATUS_CONTINUE;
  }
  // This file of the job is closed either way, so that the connection is
  // free for the cancel.
  const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) == IPP_STATUS_OK;
  return sent && finished;
}

}  // namespace

CupsOptions CupsJobOptions(QPrinter& printer, const QPageSize& media,
                           QPageLayout::Orientation orientation) {
  CupsOptions options;
  options.emplace_back("media", media.key().toLocal8Bit());
  if (printer.copyCount() > 1) {
    options.emplace_back("copies", QByteArray::number(printer.copyCount()));
    if (printer.collateCopies()) options.emplace_back("Collate", "True");
  }
  switch (printer.duplex()) {
    case QPrinter::DuplexNone:
      options.emplace_back("sides", "one-sided");
      break;
    case QPrinter::DuplexAuto:
      options.emplace_back("sides", orientation == QPageLayout::Landscape ? "two-sided-short-edge"
                                                                          : "two-sided-long-edge");
      break;
    case QPrinter::DuplexLongSide:
      options.emplace_back("sides", "two-sided-long-edge");
      break;
    case QPrinter::DuplexShortSide:
      options.emplace_back("sides", "two-sided-short-edge");
      break;
  }
  if (orientation == QPageLayout::Landscape) options.emplace_back("landscape", "");
  // The printer set-up keeps its choices as name and value pairs.
  const QStringList chosen = printer.printEngine()->property(kCupsOptions).toStringList();
  for (int i = 0; i + 1 < chosen.size(); i += 2)
    options.emplace_back(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());
  return options;
}

bool SubmitToCups(QPrinter& printer, const QString& file, const QString& title) {
  const QPageLayout layout = printer.pageLayout();
  CupsOptions options = CupsJobOptions(printer, layout.pageSize(), layout.orientation());
  std::vector<cups_option_t> list = CupsList(options);
  const int job = cupsPrintFile(QueueOf(printer).constData(), file.toLocal8Bit().constData(),
                                title.toUtf8().constData(), static_cast<int>(list.size()),
                                list.empty() ? nullptr : list.data());
  return job > 0;
}

bool SubmitDocumentsToCups(QPrinter& printer, const std::vector<CupsDocument>& documents,
                           const QString& title, const CupsOptions& options) {
  if (documents.empty()) return false;
  const QByteArray queue = QueueOf(printer);
  CupsOptions copy = options;
  std::vector<cups_option_t> list = CupsList(copy);
  // A queue that takes one document a job gets a job of its own for each;
  // every job is cancelled when one of them can't be sent.
  const bool oneEach = TakesOneDocumentAJob(queue);
  std::vector<int> jobs;
  auto cancelAll = [&] {
    for (int job : jobs) cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
    return false;
  };
  for (std::size_t i = 0; i < documents.size(); ++i) {
    if (jobs.empty() || oneEach) {
      // A job of its own is named as its document, so that the jobs of a
      // list can be told apart.
      const int job =
          cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(),
                        (oneEach ? documents[i].name : title).toUtf8().constData(),
                        static_cast<int>(list.size()), list.empty() ? nullptr : list.data());
      if (job <= 0) return cancelAll();
      jobs.push_back(job);
    }
    const bool last = oneEach || i + 1 == documents.size();
    if (!SendDocument(queue, jobs.back(), documents[i], last)) return cancelAll();
  }
  return true;
}

}  // namespace morvind
