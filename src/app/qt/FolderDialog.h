#pragma once

#include <QFileDialog>
#include <QString>
#include <filesystem>
#include <memory>

class QWidget;

namespace morvind {

// A folder chooser titled `title`, opening in `startFolder`: Qt's own
// dialog rather than the desktop's, so that it speaks German through the Qt
// translation the program loads. It chooses folders only, lists each
// folder's files greyed, so that the user sees what a folder holds, and
// offers a button for a new folder.
std::unique_ptr<QFileDialog> MakeFolderDialog(const QString& title,
                                              const std::filesystem::path& startFolder,
                                              QWidget* parent);

}  // namespace morvind
