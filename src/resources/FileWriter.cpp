#include "resources/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace morvind {

// The superuser may write any file, so for them only a file without any
// write bit counts as protected; for everyone else the kernel's own test
// for the effective user, which also knows access control lists.
bool IsWriteProtected(const std::filesystem::path& file, const struct stat& status) {
  if (::geteuid() == 0) return (status.st_mode & 0222) == 0;
  return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

namespace {

WriteResult SystemError(int error, const std::filesystem::path& detail = {}) {
  return WriteResult{.problem = WriteProblem::kSystem, .error = error, .detail = detail};
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

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

// The file a write of `target` replaces, with its status when it exists.
struct ResolvedTarget {
  std::filesystem::path file;
  bool exists = false;
  struct stat status {};
};

WriteResult Resolve(const std::filesystem::path& target, ResolvedTarget& resolved) {
  resolved.file = target;
  struct stat status {};
  if (::lstat(target.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    std::error_code error;
    resolved.file = std::filesystem::canonical(target, error);
    if (error == std::errc::no_such_file_or_directory) {
      WriteResult dangling{.problem = WriteProblem::kDanglingLink};
      dangling.detail = std::filesystem::read_symlink(target, error);
      return dangling;
    }
    if (error) return SystemError(error.value());
  }
  if (::stat(resolved.file.c_str(), &status) != 0) {
    if (errno == ENOENT) return {};
    return SystemError(errno, FolderOf(resolved.file));
  }
  if (!S_ISREG(status.st_mode)) {
    WriteResult refused{.problem = WriteProblem::kNotAFile};
    refused.fileType = status.st_mode & S_IFMT;
    return refused;
  }
  if (IsWriteProtected(resolved.file, status))
    return WriteResult{.problem = WriteProblem::kWriteProtected};
  resolved.exists = true;
  resolved.status = status;
  return {};
}

// The target as its name stands for it now, a link not followed: for a
// caller that read the file before and names what it read (or that there
// was nothing), kChangedMeanwhile when that no longer holds.
WriteResult ResolveUnfollowed(const std::filesystem::path& target,
                              const std::optional<FileIdentity>& expected, bool mustBeNew,
                              ResolvedTarget& resolved) {
  resolved.file = target;
  struct stat status {};
  if (::lstat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) return SystemError(errno, FolderOf(target));
    if (expected) return WriteResult{.problem = WriteProblem::kChangedMeanwhile};
    return {};
  }
  if (mustBeNew || (expected && IdentityOf(status) != *expected))
    return WriteResult{.problem = WriteProblem::kChangedMeanwhile};
  if (!S_ISREG(status.st_mode)) {
    WriteResult refused{.problem = WriteProblem::kNotAFile};
    refused.fileType = status.st_mode & S_IFMT;
    return refused;
  }
  if (IsWriteProtected(target, status))
    return WriteResult{.problem = WriteProblem::kWriteProtected};
  resolved.exists = true;
  resolved.status = status;
  return {};
}

// The process's umask, read without changing it (umask() can only be read
// by setting it, which another thread creating a file at that moment would
// feel).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

// A name that no other file in the folder has, short enough for any target
// name, and hidden, so that a crash before the rename leaves no second file
// that looks like the real one.
int CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary =
        folder / (".morvind-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    // The owner's alone until the commit gives it the target's mode: the
    // content of a private file is never readable by others on the way.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Renames without replacing: false with EEXIST when something has the name.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a hard link fails where the name exists.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

// Best effort: the rename has happened when this runs, and a folder that
// can't be synced has no way back.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool FolderTakesNoNewFile(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Writes the bytes over the file from its start, cuts what is left of a
// longer old content, and syncs. Only where no temporary file can be made
// beside it: a crash in between could leave a mix, which is still better
// than losing the user's edit for good.
WriteResult WriteInPlace(const std::filesystem::path& file, std::string_view bytes) {
  int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return SystemError(errno, FolderOf(file));
  bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
            ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  return ok ? WriteResult{} : SystemError(error, FolderOf(file));
}

}  // namespace

FileReplacement::FileReplacement(const std::filesystem::path& target, const WriteOptions& options)
    : expected_(options.expected), mustBeNew_(options.mustBeNew) {
  ResolvedTarget resolved;
  result_ = expected_ || mustBeNew_ ? ResolveUnfollowed(target, expected_, mustBeNew_, resolved)
                                    : Resolve(target, resolved);
  if (!result_.Ok()) return;
  target_ = resolved.file;
  existed_ = resolved.exists;
  mode_ = resolved.status.st_mode & 07777;
  owner_ = resolved.status.st_uid;
  group_ = resolved.status.st_gid;
  const std::filesystem::path folder = FolderOf(target_);
  if (options.createFolder) {
    std::error_code ignored;  // a failure shows when the file is created
    std::filesystem::create_directories(folder, ignored);
  }
  fd_ = CreateTemporary(folder, temporary_);
  if (fd_ < 0) result_ = SystemError(errno, folder);
}

FileReplacement::~FileReplacement() {
  Abort();
}

WriteResult FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) return result_;
  if (!WriteAll(fd_, bytes)) {
    result_ = SystemError(errno, FolderOf(target_));
    Abort();
  }
  return result_;
}

WriteResult FileReplacement::Commit(
    const std::function<bool(const std::filesystem::path&)>& complete) {
  if (fd_ < 0) return result_;
  if (complete && !complete(temporary_)) {
    result_ = WriteResult{.problem = WriteProblem::kIncomplete};
    Abort();
    return result_;
  }
  bool ok = true;
  if (!existed_) {
    ok = ::fchmod(fd_, 0666 & ~CurrentUmask()) == 0;
  } else {
    ok = ::fchmod(fd_, mode_) == 0;
    // Only the superuser may give the file back to its owner; for everyone
    // else the new file is theirs, as a file they write is, in the old
    // group where they belong to it.
    if (ok && ::fchown(fd_, owner_, group_) != 0)
      (void)::fchown(fd_, static_cast<uid_t>(-1), group_);
  }
  // Synced before the rename: otherwise a crash could leave the name
  // pointing at a file whose bytes never reached the disk.
  if (ok) ok = ::fsync(fd_) == 0;
  int error = errno;
  if (::close(fd_) != 0 && ok) {
    ok = false;
    error = errno;
  }
  fd_ = -1;
  if (ok && expected_) {
    // As late as it can be: the file is still the one the caller read.
    struct stat now {};
    if (::lstat(target_.c_str(), &now) != 0 || IdentityOf(now) != *expected_) {
      ::unlink(temporary_.c_str());
      result_ = WriteResult{.problem = WriteProblem::kChangedMeanwhile};
      return result_;
    }
  }
  const bool renamed = !ok          ? false
                       : mustBeNew_ ? RenameNoReplace(temporary_, target_)
                                    : ::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (ok && !renamed) {
    ok = false;
    error = errno;
    if (mustBeNew_ && error == EEXIST) {
      ::unlink(temporary_.c_str());
      result_ = WriteResult{.problem = WriteProblem::kChangedMeanwhile};
      return result_;
    }
  }
  if (!ok) {
    ::unlink(temporary_.c_str());
    result_ = SystemError(error, FolderOf(target_));
    return result_;
  }
  SyncFolder(FolderOf(target_));
  return result_;
}

void FileReplacement::Abort() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
}

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const WriteOptions& options) {
  FileReplacement file(target, options);
  if (file.Ready()) {
    WriteResult written = file.Write(bytes);
    return written.Ok() ? file.Commit() : written;
  }
  const WriteResult& refused = file.Result();
  if (!options.inPlaceFallback || refused.problem != WriteProblem::kSystem ||
      !FolderTakesNoNewFile(refused.error))
    return refused;
  // The folder takes no new file (a data folder the user may only read),
  // but the file itself may be written: keep the edit by writing in place.
  ResolvedTarget resolved;
  if (!Resolve(target, resolved).Ok() || !resolved.exists) return refused;
  return WriteInPlace(resolved.file, bytes);
}

WriteResult RenameUnreplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                              const FileIdentity& expected) {
  if (CurrentIdentity(from) != expected)
    return WriteResult{.problem = WriteProblem::kChangedMeanwhile};
  if (RenameNoReplace(from, to)) {
    SyncFolder(FolderOf(to));
    return {};
  }
  if (errno == EEXIST) return WriteResult{.problem = WriteProblem::kChangedMeanwhile};
  return SystemError(errno, FolderOf(to));
}

std::string WriteFailureReason(const WriteResult& result) {
  const std::string detail = result.detail.string();
  switch (result.problem) {
    case WriteProblem::kNone:
      return std::string();
    case WriteProblem::kNotAFile:
      switch (result.fileType) {
        case S_IFDIR:
          return "Das ist ein Ordner, keine Datei.";
        case S_IFCHR:
        case S_IFBLK:
          return "Das ist ein Gerät, keine gewöhnliche Datei.";
        case S_IFIFO:
          return "Das ist eine benannte Pipe (FIFO), keine gewöhnliche Datei.";
        case S_IFSOCK:
          return "Das ist ein Socket, keine gewöhnliche Datei.";
      }
      return "Das ist keine gewöhnliche Datei.";
    case WriteProblem::kDanglingLink:
      return "Die Verknüpfung zeigt auf „" + detail + "“, und das gibt es nicht.";
    case WriteProblem::kWriteProtected:
      return "Die Datei ist schreibgeschützt.";
    case WriteProblem::kIncomplete:
      return "Die Datei wurde nicht vollständig geschrieben (ist der Datenträger voll?).";
    case WriteProblem::kChangedMeanwhile:
      return "Die Datei wurde in der Zwischenzeit geändert.";
    case WriteProblem::kSystem:
      break;
  }
  switch (result.error) {
    case ENOSPC:
      return "Auf dem Datenträger ist kein Platz mehr.";
    case EDQUOT:
      return "Der Speicherplatz des Benutzers ist ausgeschöpft.";
    case EACCES:
    case EPERM:
      if (detail.empty()) return "Der Zugriff wurde verweigert.";
      return "In den Ordner " + detail + " darf nicht geschrieben werden.";
    case EISDIR:
      return "Das ist ein Ordner, keine Datei.";
    case EROFS:
      return "Der Datenträger ist schreibgeschützt.";
    case ENOENT:
      if (detail.empty()) return "Es ist keine Datei angegeben.";
      return "Den Ordner " + detail + " gibt es nicht.";
    case ENOTDIR:
      return "Ein Teil des Pfades ist kein Ordner.";
    case ENAMETOOLONG:
      return "Der Name ist zu lang.";
    case EFBIG:
      return "Die Datei ist zu groß.";
    case EIO:
      return "Beim Schreiben ist ein Ein-/Ausgabefehler aufgetreten.";
  }
  return std::string(std::strerror(result.error)) + ".";
}

std::string SaveFailedMessage(const std::filesystem::path& file, const WriteResult& result) {
  return file.string() + " konnte nicht gespeichert werden: " + WriteFailureReason(result);
}

}  // namespace morvind
