#include "resources/FileIdentity.h"

namespace morvind {

std::optional<FileIdentity> CurrentIdentity(const std::filesystem::path& file) {
  struct stat status {};
  if (::lstat(file.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

}  // namespace morvind
