#include "app/qt/PrintDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QProgressDialog>

#include "app/qt/FolderDialog.h"

namespace morvind {

QString QtPrintDialogs::AskSaveFile(QWidget* parent, const QString& title,
                                    const QString& suggested) {
  // Qt's own dialog speaks German through Qt's translation, whatever the
  // desktop's dialog would do.
  QFileDialog dialog(parent, title, suggested, QStringLiteral("PDF (*.pdf)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().front();
}

QString QtPrintDialogs::AskOpenFile(QWidget* parent, const QString& title, const QString& folder) {
  QFileDialog dialog(parent, title, folder, QStringLiteral("PDF (*.pdf *.PDF)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().front();
}

QString QtPrintDialogs::AskFolder(QWidget* parent, const QString& title, const QString& folder) {
  // The records a folder already holds show in grey; a new folder can be
  // made for a new service year.
  std::unique_ptr<QFileDialog> dialog =
      MakeFolderDialog(title, QFile::encodeName(folder).toStdString(), parent);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
  return dialog->selectedFiles().front();
}

void QtPrintDialogs::RunPreview(QPrintPreviewDialog& preview) {
  preview.exec();
}

void QtPrintDialogs::KeepResponsive(QProgressDialog&) {
  QCoreApplication::processEvents();
}

}  // namespace morvind
