#pragma once

#include <sys/resource.h>

#include <csignal>

namespace morvind::test {

// While it lives, every file the process writes stops growing at `bytes`,
// as on a full disk: further writes fail (EFBIG) instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit cap{bytes, old_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  void (*previous_)(int);
  rlimit old_{};
};

}  // namespace morvind::test
