#pragma once

#include <filesystem>
#include <string_view>

namespace morvind {

// The folder the companion program's data files and the layout files are
// opened in. The program uses the working directory (an empty path, so
// files are opened by bare name); tests give each run a folder of its own.
class DataFolder {
 public:
  DataFolder() = default;
  explicit DataFolder(std::filesystem::path dir) : dir_(std::move(dir)) {}

  // The path of the file `name` in this folder.
  std::filesystem::path PathOf(std::string_view name) const {
    return dir_.empty() ? std::filesystem::path(name) : dir_ / name;
  }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// Names of the companion program's files. The card printer only reads them.
inline constexpr std::string_view kPublisherTableFile = "tdat9.bin";
inline constexpr std::string_view kGroupFile = "bkstudy.dat";
inline constexpr std::string_view kExtendedInfoFile = "xten7.dat";
inline constexpr std::string_view kRemarksFile = "remark9.dat";

}  // namespace morvind
