#include "printing/qt/PdfFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QPrinter>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "printing/qt/PrintJob.h"

namespace morvind {
namespace {

// Qt's PDF engine reports no failed write (a full disk, a vanished
// folder); a complete PDF file ends with its end-of-file marker.
bool EndsLikeAPdf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  const std::streamoff tail = std::min<std::streamoff>(size, 64);
  std::string end(static_cast<std::size_t>(tail), '\0');
  in.seekg(size - tail);
  in.read(end.data(), tail);
  return in && end.find("%%EOF") != std::string::npos;
}

}  // namespace

PdfOutcome WritePdfFile(const std::vector<CardRequest>& cards, const std::filesystem::path& target,
                        const std::optional<QPageLayout>& pageLayout,
                        const CardDocumentOptions& options, std::string& reason) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    reason = std::strerror(errno);
    return PdfOutcome::kFailed;
  }
  // The file gets the mode a newly created file would get, or the mode of
  // the file it replaces, not the private mode of a temporary file.
  mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat old {};
  ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask));
  ::close(fd);
  const std::filesystem::path temporary = pattern;

  PrintOutcome printed;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(temporary.string()));
    if (pageLayout) printer.setPageLayout(*pageLayout);
    printed = PrintCards(printer, cards, options);
  }
  std::error_code ignored;
  if (printed == PrintOutcome::kPrinted && !EndsLikeAPdf(temporary)) {
    std::filesystem::remove(temporary, ignored);
    return PdfOutcome::kFailed;
  }
  if (printed != PrintOutcome::kPrinted) {
    std::filesystem::remove(temporary, ignored);
    return printed == PrintOutcome::kCancelled ? PdfOutcome::kCancelled : PdfOutcome::kFailed;
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, target, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    reason = renamed.message();
    return PdfOutcome::kFailed;
  }
  return PdfOutcome::kWritten;
}

}  // namespace morvind
