#pragma once

#include <filesystem>
#include <string_view>

#include "app/ProfileFile.h"

namespace morvind {

// Folders the window remembers from one start to the next, each under its
// key in the settings file's section "Morvind".
inline constexpr std::string_view kPdfFolderKey = "PDF Folder";  // where the last PDF file went

// The folder kept under `key` while it is absolute and still a folder;
// empty otherwise.
std::filesystem::path RememberedFolder(const ProfileFile& settings, std::string_view key);

// Keeps `folder` under `key` when it differs from the folder kept there;
// a folder that is not absolute or whose name holds a line break is not
// kept. Why the write failed, when it did.
WriteResult RememberFolder(ProfileFile& settings, std::string_view key,
                           const std::filesystem::path& folder);

}  // namespace morvind
