#include "resources/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace morvind {

FolderLock::FolderLock(const std::filesystem::path& folder) {
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    state_ = State::kHeld;
    return;
  }
  error_ = errno;
  state_ = error_ == EWOULDBLOCK ? State::kBusy : State::kError;
}

FolderLock::~FolderLock() {
  // Closing the descriptor drops the lock.
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace morvind
