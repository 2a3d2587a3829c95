// ReadRecordFile (RecordSeal.h) in a file of its own: the sealing needs
// nothing of the file system.

#include <sys/stat.h>

#include <cerrno>

#include "pdf/DecodeBudget.h"
#include "pdf/PdfFileRead.h"
#include "pdf/QpdfDocument.h"
#include "pdf/RecordInfoOf.h"
#include "pdf/RecordSeal.h"
#include "resources/FileWriter.h"

namespace morvind {

RecordFileFacts ReadRecordFile(const std::filesystem::path& file) {
  DecodeBudgetScope budget;
  RecordFileFacts facts;
  struct stat status {};
  if (::lstat(file.c_str(), &status) != 0) {
    // A file whose presence can't be told is taken to be there, so that it
    // is never written over unseen.
    if (errno != ENOENT && errno != ENOTDIR) facts.kind = RecordFileKind::kUnreadable;
    return facts;
  }
  facts.identity = IdentityOf(status);
  if (S_ISLNK(status.st_mode)) {
    facts.kind = RecordFileKind::kLink;
    return facts;
  }
  if (!S_ISREG(status.st_mode)) {
    facts.kind = RecordFileKind::kNotRegular;
    return facts;
  }
  facts.writeProtected = IsWriteProtected(file, status);
  const FileRead read = ReadPdfFile(file, LinkRule::kRefuse);
  // What was opened may differ from what lstat saw a moment before.
  if (!(read.identity == FileIdentity{})) facts.identity = read.identity;
  switch (read.problem) {
    case FileReadProblem::kNone:
      break;
    case FileReadProblem::kGone:
      return RecordFileFacts{};
    case FileReadProblem::kLink:
      facts.kind = RecordFileKind::kLink;
      return facts;
    case FileReadProblem::kNotRegular:
      facts.kind = RecordFileKind::kNotRegular;
      return facts;
    case FileReadProblem::kNoPermission:
    case FileReadProblem::kTooLarge:
    case FileReadProblem::kIoError:
      facts.kind = RecordFileKind::kUnreadable;
      return facts;
  }
  QpdfDocument document = OpenPdf(read.bytes);
  if (!document.gate.Ok()) {
    facts.kind = RecordFileKind::kUnreadable;
    return facts;
  }
  RecordFileFacts recorded = RecordInfoOf(*document.pdf, read.bytes);
  recorded.writeProtected = facts.writeProtected;
  recorded.identity = facts.identity;
  return recorded;
}

}  // namespace morvind
