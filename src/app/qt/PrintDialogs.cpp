#include "app/qt/PrintDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QProgressDialog>

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

void QtPrintDialogs::RunPreview(QPrintPreviewDialog& preview) {
  preview.exec();
}

void QtPrintDialogs::KeepResponsive(QProgressDialog&) {
  QCoreApplication::processEvents();
}

}  // namespace morvind
