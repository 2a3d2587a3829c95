#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "resources/FileWriter.h"

namespace morvind {

// A private profile file: "[Section]" lines and "key=value" lines, read and
// written like the platform's profile operations. Sections and keys are
// found regardless of case; a missing file, section or key gives the
// default; a write creates what is missing and keeps every other line as it
// was. Each write goes through the program's file writer (FileWriter.h), in
// place only where the folder takes no new file.
class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }

  // The key's integer: leading blanks, an optional sign and digits (wrapping
  // in 32 bits); a present key without digits gives 0.
  int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
  // The key's text with blanks around it removed (and one pair of enclosing
  // quotes), or the default.
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const;

  // Why the file could not be written, when it couldn't; a file that can't
  // be read is not written either.
  WriteResult WriteProfileInt(std::string_view section, std::string_view key, int value);
  WriteResult WriteProfileString(std::string_view section, std::string_view key,
                                 std::string_view value);

 private:
  std::filesystem::path path_;
};

}  // namespace morvind
