#include "app/qt/DataFolderDialog.h"

#include <QFile>

#include "app/qt/FolderDialog.h"
#include "toolkit/QtText.h"

namespace morvind {

std::unique_ptr<QFileDialog> MakeDataFolderDialog(const std::filesystem::path& startFolder,
                                                  QWidget* parent) {
  std::unique_ptr<QFileDialog> dialog =
      MakeFolderDialog(ToQt("Morvind: Ordner mit den Daten von Ostrel (tdat9.bin) w\xC3\xA4hlen"),
                       startFolder, parent);
  // At a menu start it is the program's first and only window: like the
  // main window it is a window of its own, which task bars list, not a
  // dialog transient for Qt's hidden leader window.
  if (!parent) {
    dialog->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
  }
  return dialog;
}

std::optional<std::filesystem::path> AskForDataFolder(const std::filesystem::path& startFolder,
                                                      QWidget* parent) {
  std::unique_ptr<QFileDialog> dialog = MakeDataFolderDialog(startFolder, parent);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(chosen.front()).toStdString());
}

}  // namespace morvind
