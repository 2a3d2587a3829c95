#pragma once

#include <QString>

class QPrintPreviewDialog;
class QProgressDialog;
class QWidget;

namespace morvind {

// The Qt dialogs of the window's print commands besides the message boxes:
// the file dialog, the print preview and the progress of a list. Handed in
// so that tests script them and never block.
class PrintDialogs {
 public:
  virtual ~PrintDialogs() = default;
  // Qt's own (German) file dialog for saving a PDF file, opened on
  // `suggested` (a full path); the chosen path, or empty when cancelled.
  virtual QString AskSaveFile(QWidget* parent, const QString& title, const QString& suggested) = 0;
  // The file dialog for opening a PDF file (the official form), and the
  // folder dialog (a folder of records), opened in `folder`; the chosen
  // path, or empty when cancelled.
  virtual QString AskOpenFile(QWidget* parent, const QString& title, const QString& folder) = 0;
  virtual QString AskFolder(QWidget* parent, const QString& title, const QString& folder) = 0;
  // Runs the print preview until it is closed.
  virtual void RunPreview(QPrintPreviewDialog& preview) = 0;
  // Called with the progress dialog of a list when it shows and then every
  // few hundredths of a second between two cards: lets the window paint
  // and "Abbrechen" be pressed.
  virtual void KeepResponsive(QProgressDialog& progress) = 0;
};

// The dialogs as the program shows them.
class QtPrintDialogs : public PrintDialogs {
 public:
  QString AskSaveFile(QWidget* parent, const QString& title, const QString& suggested) override;
  QString AskOpenFile(QWidget* parent, const QString& title, const QString& folder) override;
  QString AskFolder(QWidget* parent, const QString& title, const QString& folder) override;
  void RunPreview(QPrintPreviewDialog& preview) override;
  void KeepResponsive(QProgressDialog& progress) override;
};

}  // namespace morvind
