#include "resources/FileIdentity.h"

namespace morvind {

FileIdentity IdentityOf(const struct stat& status) {
  FileIdentity identity;
  identity.device = status.st_dev;
  identity.inode = status.st_ino;
  identity.size = static_cast<std::int64_t>(status.st_size);
  identity.modifiedNs = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                        static_cast<std::int64_t>(status.st_mtim.tv_nsec);
  return identity;
}

std::optional<FileIdentity> CurrentIdentity(const std::filesystem::path& file) {
  struct stat status {};
  if (::lstat(file.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

}  // namespace morvind
