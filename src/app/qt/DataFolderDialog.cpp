#include "app/qt/DataFolderDialog.h"

#include <QFile>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include "toolkit/QtText.h"

namespace morvind {
namespace {

// Lists a folder's files as Qt's folder mode does, but greyed and not
// choosable: they are there to be seen (where does tdat9.bin lie?), only
// folders can be chosen.
class FilesGreyedModel : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QSortFilterProxyModel::flags(index);
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (files && index.isValid() && !files->isDir(mapToSource(index)))
      flags &= ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return flags;
  }
};

}  // namespace

std::unique_ptr<QFileDialog> MakeDataFolderDialog(const std::filesystem::path& startFolder,
                                                  QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(
      parent, ToQt("Morvind: Ordner mit den Daten von Ostrel (tdat9.bin) w\xC3\xA4hlen"),
      QFile::decodeName(startFolder.c_str()));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  // Without ShowDirsOnly the folder mode lists the files as well.
  dialog->setOption(QFileDialog::ShowDirsOnly, false);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setProxyModel(new FilesGreyedModel(dialog.get()));
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
