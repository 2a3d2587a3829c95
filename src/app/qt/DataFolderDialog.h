#pragma once

#include <QFileDialog>
#include <filesystem>
#include <memory>
#include <optional>

namespace morvind {

// The folder chooser of a start without a data folder: Qt's own dialog
// rather than the desktop's, so that it speaks German through the Qt
// translation the program loads; folders only, opening in `startFolder`; a
// top-level window of its own, as the main window is.
std::unique_ptr<QFileDialog> MakeDataFolderDialog(const std::filesystem::path& startFolder);

// Runs that dialog; the chosen folder, or empty when the user cancelled.
std::optional<std::filesystem::path> AskForDataFolder(const std::filesystem::path& startFolder);

}  // namespace morvind
