#include "pdf/PdfFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace morvind {
namespace {

FileRead Problem(FileReadProblem problem, int error = 0) {
  FileRead read;
  read.problem = problem;
  read.error = error;
  return read;
}

FileRead NotRegular(const struct stat& status) {
  FileRead read = Problem(FileReadProblem::kNotRegular);
  read.identity = IdentityOf(status);
  read.type = status.st_mode & S_IFMT;
  return read;
}

// Why `file` could not be opened, told from the errno of the open.
FileRead OpenFailure(const std::filesystem::path& file, LinkRule links, int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Problem(FileReadProblem::kGone);
    case EACCES:
    case EPERM:
      return Problem(FileReadProblem::kNoPermission, error);
    default:
      break;
  }
  struct stat status {};
  const bool known = ::lstat(file.c_str(), &status) == 0;
  // O_NOFOLLOW refuses a link with ELOOP; a loop among the folders of the
  // path gives the same errno, and that is no link of the file's own.
  if (error == ELOOP && links == LinkRule::kRefuse && known && S_ISLNK(status.st_mode)) {
    FileRead read = Problem(FileReadProblem::kLink);
    read.identity = IdentityOf(status);
    read.type = S_IFLNK;
    return read;
  }
  // A socket can't be opened at all (ENXIO); it is no file either way.
  if (error == ENXIO && (links == LinkRule::kFollow ? ::stat(file.c_str(), &status) == 0 : known) &&
      !S_ISREG(status.st_mode))
    return NotRegular(status);
  return Problem(FileReadProblem::kIoError, error);
}

// Reads at most `limit` + 1 bytes, so that a file that grew after its
// status was taken (or a size that lied) still shows as too large.
FileRead ReadOpened(int fd, const struct stat& status) {
  FileRead read;
  read.identity = IdentityOf(status);
  read.type = S_IFREG;
  constexpr std::size_t kLimit = kMaxPdfFileBytes + 1;
  read.bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(status.st_size) + 1, kLimit));
  std::size_t have = 0;
  for (;;) {
    if (have == read.bytes.size()) {
      if (have == kLimit) break;
      read.bytes.resize(std::min(kLimit, have + 65536));
    }
    const ssize_t n = ::read(fd, read.bytes.data() + have, read.bytes.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      read = Problem(FileReadProblem::kIoError, error);
      read.identity = IdentityOf(status);
      read.type = S_IFREG;
      return read;
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  read.bytes.resize(have);
  if (have > kMaxPdfFileBytes) {
    read.problem = FileReadProblem::kTooLarge;
    read.bytes.clear();
    read.bytes.shrink_to_fit();
  }
  return read;
}

}  // namespace

FileRead ReadPdfFile(const std::filesystem::path& file, LinkRule links) {
  // O_NONBLOCK: opening a FIFO waits for a writer otherwise. What was
  // opened is then told by its descriptor, so that nothing can be swapped
  // in between a look at the name and the open.
  int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
  if (links == LinkRule::kRefuse) flags |= O_NOFOLLOW;
  const int fd = ::open(file.c_str(), flags);
  if (fd < 0) return OpenFailure(file, links, errno);
  struct stat status {};
  FileRead read;
  if (::fstat(fd, &status) != 0) {
    read = Problem(FileReadProblem::kIoError, errno);
  } else if (!S_ISREG(status.st_mode)) {
    read = NotRegular(status);
  } else if (static_cast<std::uint64_t>(status.st_size) > kMaxPdfFileBytes) {
    // A sparse file of gigabytes is refused by its size, unread.
    read = Problem(FileReadProblem::kTooLarge);
    read.identity = IdentityOf(status);
    read.type = S_IFREG;
  } else {
    read = ReadOpened(fd, status);
  }
  ::close(fd);
  return read;
}

}  // namespace morvind
