#include "layout/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace morvind {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Creates a temporary file beside `target` that no one else uses. The name
// starts with a dot so that a crash between create and rename leaves at
// most a hidden file, never a second layout or settings file.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary =
        target.parent_path() / ("." + target.filename().string() + ".tmp-" +
                                std::to_string(::getpid()) + "-" + std::to_string(counter++));
    // 0666 so that the new file gets the same permissions (after the umask)
    // as a file the program creates by opening it for writing.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself has already happened
  ::close(fd);
}

}  // namespace

bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         bool createFolder) {
  std::error_code ec;
  std::filesystem::path path = target;
  if (std::filesystem::is_symlink(path, ec)) {
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    if (!ec) path = resolved;
  }
  if (path.filename().empty()) return false;
  if (createFolder && !path.parent_path().empty()) {
    std::filesystem::create_directories(path.parent_path(), ec);
  }

  struct stat old {};
  bool keepMode = ::stat(path.c_str(), &old) == 0;
  if (keepMode && S_ISDIR(old.st_mode)) return false;
  keepMode = keepMode && S_ISREG(old.st_mode);

  std::filesystem::path temporary;
  int fd = CreateTemporary(path, temporary);
  if (fd < 0) return false;

  bool ok = WriteAll(fd, bytes);
  if (ok && keepMode) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  // Flushed before the rename: otherwise a crash could leave the new name
  // pointing at a file whose bytes never reached the disk.
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(path.parent_path());
  return true;
}

}  // namespace morvind
