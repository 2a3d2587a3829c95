#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/PrintDialogs.h"
#include "toolkit/Dialog.h"
#include "toolkit/ModalHost.h"

namespace morvind::test {

// Runs dialogs without a modal loop: each dialog that opens takes the next
// script, which acts on it as a user would (clicks, typing, OK/Cancel).
// The dialog is shown and activated first so that focus behaves as on a
// desktop; queued messages are delivered after the script. A dialog the
// script leaves open is cancelled and noted in `unended`.
class ScriptedModalHost : public ModalHost {
 public:
  using Script = std::function<void(Dialog&)>;

  // The next dialog to open must be `templateId`; it runs `script`.
  void Expect(int templateId, Script script);
  // The same, before every script already queued.
  void ExpectFirst(int templateId, Script script);
  int RunModal(Dialog& dialog) override;

  bool AllScriptsUsed() const { return scripts_.empty(); }
  int PendingScripts() const { return static_cast<int>(scripts_.size()); }
  // Drops the scripts no dialog took.
  void DiscardPending() { scripts_.clear(); }
  std::vector<int> opened;   // template ids in the order the dialogs opened
  std::vector<int> unended;  // dialogs a script left open
  std::vector<std::string> errors;

 private:
  struct Entry {
    int templateId;
    Script script;
  };
  std::deque<Entry> scripts_;
};

// The print commands' dialogs without modal loops: the file dialog answers
// from `saveAnswers` (cancel when none is left), the preview is shown and
// runs `previewScript`, and the progress of a list is noted at each step
// and cancelled once it reaches `cancelAt`.
class ScriptedPrintDialogs : public PrintDialogs {
 public:
  QString AskSaveFile(QWidget* parent, const QString& title, const QString& suggested) override;
  // Both answer from `openAnswers` and note the folder they opened in.
  QString AskOpenFile(QWidget* parent, const QString& title, const QString& folder) override;
  QString AskFolder(QWidget* parent, const QString& title, const QString& folder) override;
  void RunPreview(QPrintPreviewDialog& preview) override;
  void KeepResponsive(QProgressDialog& progress) override;

  std::deque<QString> saveAnswers;
  std::vector<QString> saveTitles, saveSuggestions;
  std::deque<QString> openAnswers;
  std::vector<QString> openedIn;
  std::function<void(QPrintPreviewDialog&)> previewScript;
  int previews = 0;
  int cancelAt = -1;
  std::vector<std::pair<int, std::string>> progress;  // value and label after each step
  std::vector<int> progressWidths;                    // the dialog's width at each step
};

// Delivers posted events and queued calls (the dialogs' queued messages).
void ProcessEvents();

// User actions on a dialog's controls.
// Gives the control the focus, clears an edit field and types `text`.
void TypeInto(Dialog& dialog, int id, const std::string& text);
// Presses a key on the widget that has the focus (the dialog when none has).
void PressKey(Dialog& dialog, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types characters into the widget that has the focus.
void TypeText(Dialog& dialog, const std::string& text);
// Sends one key press and release carrying each character of `text` (UTF-8)
// to `widget`; unlike QTest::keyClicks it takes any character.
void SendText(QWidget* widget, const std::string& text);

}  // namespace morvind::test
