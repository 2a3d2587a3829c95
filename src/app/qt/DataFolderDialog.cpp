#include "app/qt/DataFolderDialog.h"

#include <QFile>

#include "toolkit/QtText.h"

namespace morvind {

std::unique_ptr<QFileDialog> MakeDataFolderDialog(const std::filesystem::path& startFolder) {
  auto dialog = std::make_unique<QFileDialog>(
      nullptr, ToQt("Morvind: Ordner mit den Daten von Ostrel (tdat9.bin) w\xC3\xA4hlen"),
      QFile::decodeName(startFolder.c_str()));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setOption(QFileDialog::ShowDirsOnly, true);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  // At a menu start it is the program's first and only window: like the
  // main window it is a window of its own, which task bars list, not a
  // dialog transient for Qt's hidden leader window.
  dialog->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);
  return dialog;
}

std::optional<std::filesystem::path> AskForDataFolder(const std::filesystem::path& startFolder) {
  std::unique_ptr<QFileDialog> dialog = MakeDataFolderDialog(startFolder);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(chosen.front()).toStdString());
}

}  // namespace morvind
