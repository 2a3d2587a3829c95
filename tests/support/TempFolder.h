#pragma once

#include <filesystem>
#include <string_view>

#include "data/DataFolder.h"

namespace morvind::test {

// A fresh folder under the system's temporary directory, named
// "morvind-<name>-<random>", removed with its content on destruction. Tests,
// tools and benchmarks write the companion program's files only in such a
// folder.
class TempFolder {
 public:
  explicit TempFolder(std::string_view name);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // False when no folder could be made (Path() is then not to be used).
  bool IsValid() const { return created_; }
  const std::filesystem::path& Path() const { return path_; }
  DataFolder Folder() const { return DataFolder(path_); }
  std::filesystem::path File(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
  bool created_ = false;
};

}  // namespace morvind::test
