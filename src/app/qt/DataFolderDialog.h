#pragma once

#include <QFileDialog>
#include <filesystem>
#include <memory>
#include <optional>

namespace morvind {

// The folder chooser of the data folder: Qt's own dialog rather than the
// desktop's, so that it speaks German through the Qt translation the
// program loads; it chooses folders only, opening in `startFolder`, and
// shows each folder's files greyed so that the user sees where tdat9.bin
// lies. Without `parent` (a start without a data folder) it is a top-level
// window of its own, as the main window is; with one (a change in the
// window) a dialog over it.
std::unique_ptr<QFileDialog> MakeDataFolderDialog(const std::filesystem::path& startFolder,
                                                  QWidget* parent = nullptr);

// Runs that dialog; the chosen folder, or empty when the user cancelled.
std::optional<std::filesystem::path> AskForDataFolder(const std::filesystem::path& startFolder,
                                                      QWidget* parent = nullptr);

}  // namespace morvind
