#include "QtOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "printing/qt/PrintJob.h"
#include "printing/qt/ProgramPrinter.h"
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

// Qt's fonts and printers need an application object; it gets no
// arguments of ours, so that Qt doesn't take any of them for its own.
class QtRuntime {
 public:
  QtRuntime() : filter_(InstallMessageFilter()), app_(argc_, argv_) {}
  ~QtRuntime() { qInstallMessageHandler(filter_); }

 private:
  QtMessageHandler filter_;
  int argc_ = 1;
  char name_[16] = "morvind-print";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication app_;
};

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

bool WritePdf(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
              std::string& error) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    error = "can't write " + target.string() + ": " + std::strerror(errno);
    return false;
  }
  // The file gets the mode a newly created file would get, or the mode of
  // the file it replaces, not the private mode of a temporary file.
  mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat old {};
  ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask));
  ::close(fd);
  const std::filesystem::path temporary = pattern;

  bool printed = false;
  {
    QtRuntime runtime;
    PdfFilePrinter printer(ToQString(temporary));
    printed = PrintCards(*printer.Current(), cards) == PrintOutcome::kPrinted;
  }
  std::error_code ignored;
  if (!printed) {
    std::filesystem::remove(temporary, ignored);
    error = "can't write " + target.string();
    return false;
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    error = "can't write " + target.string() + ": " + renamed.message();
    return false;
  }
  return true;
}

std::string DrawingListing(const std::vector<CardRequest>& cards, int dpi) {
  QtRuntime runtime;
  RecordingSurface surface(dpi, dpi);
  surface.SetTextMeasure(QtFontTextMeasure());
  DrawCardDocument(surface, cards);
  return surface.ToJsonLines();
}

bool PrintOnPrinter(const std::vector<CardRequest>& cards, const std::string& name,
                    std::string& error) {
  QtRuntime runtime;
  QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
  if (info.isNull()) {
    QStringList known = QPrinterInfo::availablePrinterNames();
    error =
        "no printer '" + name + "'" +
        (known.isEmpty() ? std::string(" (no printer is installed)")
                         : " (printers: " + known.join(QStringLiteral(", ")).toStdString() + ")");
    return false;
  }
  QPrinter printer(info, QPrinter::HighResolution);
  if (PrintCards(printer, cards) != PrintOutcome::kPrinted) {
    error = "can't print on '" + name + "'";
    return false;
  }
  return true;
}

}  // namespace morvind::cli
