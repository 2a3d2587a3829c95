#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "resources/FileIdentity.h"

namespace morvind {

// The largest PDF file Morvind reads. The official form is about 100 KB
// and a record about as much; a damaged file of tens of megabytes would
// keep the repair busy for many seconds.
inline constexpr std::size_t kMaxPdfFileBytes = std::size_t{8} << 20;

// Why a PDF file was not read.
enum class FileReadProblem {
  kNone,
  kGone,          // nothing there (with kFollow also a link that leads nowhere)
  kLink,          // a symbolic link, with kRefuse
  kNotRegular,    // a folder, FIFO, device node or socket: never read
  kNoPermission,  // the user may not read it
  kTooLarge,      // more than kMaxPdfFileBytes
  kIoError,       // reading failed (`error`)
};

struct FileRead {
  FileReadProblem problem = FileReadProblem::kNone;
  std::string bytes;      // the whole file (kNone)
  FileIdentity identity;  // of the file read; of what was met otherwise, where known
  mode_t type = 0;        // the S_IFMT bits of what was met
  int error = 0;          // kIoError: the errno
  bool Ok() const { return problem == FileReadProblem::kNone; }
};

// Whether a symbolic link is followed (the form file, which the user may
// reach through one) or refused (a file of a folder of records).
enum class LinkRule { kFollow, kRefuse };

// Reads the whole of a regular file of at most kMaxPdfFileBytes, and
// never blocks or reads without end: the file is opened without waiting
// (a FIFO has no writer to wait for), what was opened is checked on its
// descriptor (a link to /dev/zero is a device, not a file), and no more
// than the limit is ever read, whatever the size said.
FileRead ReadPdfFile(const std::filesystem::path& file, LinkRule links);

}  // namespace morvind
