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

// Writes the bytes over the file from its start, cuts what is left of a
// longer old content, and flushes. Used only where no temporary file can be
// made beside it: a crash in between could leave a mix, which is still
// better than losing the user's edit for good.
bool WriteInPlace(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return false;
  if (!WriteAll(fd, bytes)) return false;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return false;
  return ::fsync(fd) == 0;
}

bool FolderRefusesNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
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
  bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return false;
  bool regular = exists && S_ISREG(old.st_mode);

  // An existing file must be one the user may write: a write-protected
  // layout or settings file is left as it is, not replaced behind its back.
  int existing = -1;
  if (regular) {
    existing = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (existing < 0) return false;
  }
  auto closeExisting = [&existing] {
    if (existing >= 0) ::close(existing);
    existing = -1;
  };

  std::filesystem::path temporary;
  int fd = CreateTemporary(path, temporary);
  if (fd < 0) {
    // The folder takes no new file (a data folder the user may only read),
    // but the file itself may be written: keep the edit by writing in place.
    bool written = existing >= 0 && FolderRefusesNewFiles(errno) && WriteInPlace(existing, bytes);
    closeExisting();
    return written;
  }
  closeExisting();

  bool ok = WriteAll(fd, bytes);
  if (ok && regular) {
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    // Only the superuser may give the file back to its owner; for everyone
    // else the new file is theirs, as a file they write is.
    if (ok && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
      (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
  }
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
