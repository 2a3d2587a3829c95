#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace morvind::test {

// A test's own temporary folder with the few file helpers the layout,
// profile and settings tests share.
class ScratchFolder : public TempFolder {
 public:
  using TempFolder::TempFolder;

  std::filesystem::path operator/(const std::string& name) const { return Path() / name; }

  // The names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `action` as an ordinary user, so that file and folder permissions
// bind it. When the tests run as the superuser (as CI does) the folder is
// handed to the user "nobody" (uid 65534) and the action runs in a child
// process as that user; otherwise it runs right here. Returns what the
// action returned, false when it could not run.
inline bool AsOrdinaryUser(const ScratchFolder& folder, const std::function<bool()>& action) {
  if (::geteuid() != 0) return action();
  constexpr uid_t kNobody = 65534;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path(), error))
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return false;
  if (::chown(folder.Path().c_str(), kNobody, kNobody) != 0) return false;
  pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
      ::_exit(2);
    ::_exit(action() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace morvind::test
