#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace morvind {

// Which file a name stood for when Morvind looked at it: compared again
// just before the file is replaced, so that a file another program (or a
// second run) changed meanwhile is never written over.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;  // the modification time in nanoseconds
  bool operator==(const FileIdentity&) const = default;
};

// The identity of a file from its status (stat, lstat, fstat).
FileIdentity IdentityOf(const struct stat& status);

// The identity of what `file` names now, a symbolic link itself (not
// followed); nullopt when nothing is there or it can't be told.
std::optional<FileIdentity> CurrentIdentity(const std::filesystem::path& file);

}  // namespace morvind
