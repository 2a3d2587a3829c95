#include "ScriptedModalHost.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QTest>

namespace morvind::test {

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
QWidget* FocusTarget(Dialog& dialog) {
  QWidget* focus = QApplication::focusWidget();
  return focus && dialog.isAncestorOf(focus) ? focus : &dialog;
}
}  // namespace

void TypeInto(Dialog& dialog, int id, const std::string& text) {
  QWidget* widget = dialog.Control(id);
  if (!widget) return;
  widget->setFocus(Qt::TabFocusReason);
  ProcessEvents();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
  QTest::keyClick(widget, Qt::Key_Delete);
  SendText(widget, text);
}

void SendText(QWidget* widget, const std::string& text) {
  for (QChar character : QString::fromUtf8(text.c_str())) {
    QString one(character);
    int key = Qt::Key_unknown;
    if (character.isLetterOrNumber() && character.unicode() < 128)
      key = character.toUpper().unicode();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, one);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void PressKey(Dialog& dialog, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(FocusTarget(dialog), static_cast<Qt::Key>(key), modifiers);
  ProcessEvents();
}

void TypeText(Dialog& dialog, const std::string& text) {
  SendText(FocusTarget(dialog), text);
}

QString ScriptedPrintDialogs::AskSaveFile(QWidget*, const QString& title,
                                          const QString& suggested) {
  saveTitles.push_back(title);
  saveSuggestions.push_back(suggested);
  if (saveAnswers.empty()) return QString();
  QString answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

QString ScriptedPrintDialogs::AskOpenFile(QWidget*, const QString&, const QString& folder) {
  openedIn.push_back(folder);
  if (openAnswers.empty()) return QString();
  QString answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

QString ScriptedPrintDialogs::AskFolder(QWidget* parent, const QString& title,
                                        const QString& folder) {
  return AskOpenFile(parent, title, folder);
}

void ScriptedPrintDialogs::RunPreview(QPrintPreviewDialog& preview) {
  ++previews;
  preview.show();  // draws the pages
  ProcessEvents();
  if (previewScript) previewScript(preview);
  ProcessEvents();
  preview.hide();
}

void ScriptedPrintDialogs::KeepResponsive(QProgressDialog& dialog) {
  progress.emplace_back(dialog.value(), dialog.labelText().toStdString());
  progressWidths.push_back(dialog.width());
  QCoreApplication::processEvents();
  if (cancelAt >= 0 && dialog.value() >= cancelAt) dialog.cancel();
}

void ScriptedModalHost::Expect(int templateId, Script script) {
  scripts_.push_back(Entry{templateId, std::move(script)});
}

void ScriptedModalHost::ExpectFirst(int templateId, Script script) {
  scripts_.push_front(Entry{templateId, std::move(script)});
}

int ScriptedModalHost::RunModal(Dialog& dialog) {
  opened.push_back(dialog.Template().id);
  dialog.show();
  dialog.activateWindow();
  (void)QTest::qWaitForWindowActive(&dialog, 200);
  ProcessEvents();
  if (scripts_.empty()) {
    errors.push_back("no script for dialog " + std::to_string(dialog.Template().id));
  } else {
    Entry entry = std::move(scripts_.front());
    scripts_.pop_front();
    if (entry.templateId != dialog.Template().id)
      errors.push_back("expected dialog " + std::to_string(entry.templateId) + ", got " +
                       std::to_string(dialog.Template().id));
    entry.script(dialog);
    ProcessEvents();
  }
  if (!dialog.HasEnded()) {
    unended.push_back(dialog.Template().id);
    dialog.EndDialog(kIdCancel);
  }
  dialog.hide();
  return dialog.EndCode();
}

}  // namespace morvind::test
