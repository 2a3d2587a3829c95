#pragma once

#include <filesystem>

namespace morvind {

// One run at a time per folder of records: an advisory lock (flock) on the
// folder's own descriptor. Nothing is written into the folder for it, and a
// run that dies leaves no lock behind (the system drops it with the
// descriptor). Other programs are not bound by it; Morvind's runs are.
class FolderLock {
 public:
  enum class State {
    kHeld,   // this run holds the folder
    kBusy,   // another run holds it
    kError,  // the folder can't be opened (gone, not a folder, no permission): `Error()`
  };

  // Takes the lock of `folder` without waiting.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State Result() const { return state_; }
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  State state_ = State::kError;
  int error_ = 0;
};

}  // namespace morvind
