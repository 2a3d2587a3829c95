#include "app/qt/FolderDialog.h"

#include <QFile>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace morvind {
namespace {

// Lists a folder's files as Qt's folder mode does, but greyed and not
// choosable: they are there to be seen (where does tdat9.bin lie, which
// records does a folder hold?), only folders can be chosen.
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

std::unique_ptr<QFileDialog> MakeFolderDialog(const QString& title,
                                              const std::filesystem::path& startFolder,
                                              QWidget* parent) {
  auto dialog =
      std::make_unique<QFileDialog>(parent, title, QFile::decodeName(startFolder.c_str()));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  // Without ShowDirsOnly the folder mode lists the files as well; without
  // ReadOnly it offers a new folder.
  dialog->setOption(QFileDialog::ShowDirsOnly, false);
  dialog->setOption(QFileDialog::ReadOnly, false);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setProxyModel(new FilesGreyedModel(dialog.get()));
  return dialog;
}

}  // namespace morvind
