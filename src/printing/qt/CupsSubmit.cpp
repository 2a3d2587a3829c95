#include "printing/qt/CupsSubmit.h"

#include <cups/cups.h>

#include <QByteArray>
#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>
#include <utility>
#include <vector>

namespace morvind {
namespace {

// Where Qt's print dialog keeps the CUPS options of the printer set-up (the
// key Qt's CUPS support defines privately as PPK_CupsOptions).
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

}  // namespace

bool SubmitToCups(QPrinter& printer, const QString& file, const QString& title) {
  std::vector<std::pair<QByteArray, QByteArray>> options;
  options.emplace_back("media", printer.pageLayout().pageSize().key().toLocal8Bit());
  if (printer.copyCount() > 1) {
    options.emplace_back("copies", QByteArray::number(printer.copyCount()));
    if (printer.collateCopies()) options.emplace_back("Collate", "True");
  }
  switch (printer.duplex()) {
    case QPrinter::DuplexNone:
      options.emplace_back("sides", "one-sided");
      break;
    case QPrinter::DuplexAuto:
      options.emplace_back("sides", printer.pageLayout().orientation() == QPageLayout::Landscape
                                        ? "two-sided-short-edge"
                                        : "two-sided-long-edge");
      break;
    case QPrinter::DuplexLongSide:
      options.emplace_back("sides", "two-sided-long-edge");
      break;
    case QPrinter::DuplexShortSide:
      options.emplace_back("sides", "two-sided-short-edge");
      break;
  }
  if (printer.pageLayout().orientation() == QPageLayout::Landscape)
    options.emplace_back("landscape", "");
  // The printer set-up keeps its choices as name and value pairs.
  const QStringList chosen = printer.printEngine()->property(kCupsOptions).toStringList();
  for (int i = 0; i + 1 < chosen.size(); i += 2)
    options.emplace_back(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());

  std::vector<cups_option_t> list;
  list.reserve(options.size());
  for (auto& [name, value] : options) list.push_back(cups_option_t{name.data(), value.data()});
  // CUPS knows the queue without the instance part of "printer/instance".
  const QByteArray queue = printer.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
  const int job = cupsPrintFile(queue.constData(), file.toLocal8Bit().constData(),
                                title.toLocal8Bit().constData(), static_cast<int>(list.size()),
                                list.empty() ? nullptr : list.data());
  return job > 0;
}

}  // namespace morvind
