#pragma once

#include <filesystem>
#include <string_view>

namespace morvind {

// Writes `bytes` as the whole content of `target`, for the layout and
// settings files the user's edits live in. Three cases:
// - The folder takes a new file and the file (if there is one) may be
//   written: the bytes go to a new temporary file in the same folder, are
//   flushed to disk, and the temporary file is renamed over `target`, so a
//   failure never leaves a half-written file. An existing file keeps its
//   permissions (and, where the system allows it, its owner).
// - The folder takes no new file, but the existing file may be written: it
//   is written in place and flushed, so the edit is still kept.
// - The existing file can't be opened for writing: it is left as it is.
// Returns false when nothing was written; the old file is then as it was and
// no temporary file is left. A symbolic link is followed so that the file it
// names is written. With `createFolder` the missing folders of the path are
// made first.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         bool createFolder = false);

}  // namespace morvind
