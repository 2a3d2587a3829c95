#pragma once

#include <filesystem>
#include <string_view>

namespace morvind {

// Writes `bytes` to `target` without ever leaving a half-written file: the
// bytes go to a new temporary file in the same folder, are flushed to disk,
// and the temporary file is renamed over `target`. On any failure the old
// file stays as it was, the temporary file is removed, and false is
// returned. An existing file keeps its permissions; a symbolic link is
// followed so that the file it names is replaced. With `createFolder` the
// missing folders of the path are made first.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         bool createFolder = false);

}  // namespace morvind
