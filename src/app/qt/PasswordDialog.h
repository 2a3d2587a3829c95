#pragma once

#include <string>

#include "data/CodePage.h"
#include "toolkit/Dialog.h"

namespace morvind {

// Asks for the data access password (template 120). The password counts as
// given the moment the typed text equals it, without OK. One wrong entry
// confirmed with OK (or typed past 13 characters) is warned about; the next
// change or OK ends the dialog.
class PasswordDialog : public Dialog {
  Q_OBJECT
 public:
  PasswordDialog(const UiContext& ui, CodePage codePage, QWidget* parent = nullptr);

  std::string expectedPassword;  // the stored password, in the data's code page
  int accepted = 0;
  int warned = 0;
  // Shows "Abbrechen" beside OK: asked at a change of the data folder,
  // declining keeps the folder loaded before (at start Escape declines).
  bool offerCancel = false;

  static constexpr int kPrompt = 245;
  static constexpr int kEntry = 244;
  static constexpr int kMaxTypedLength = 13;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override { EndDialog(kIdCancel); }

 private:
  void OnEntryChanged();
  // Widens the dialog for its title and its prompt: the template was drawn
  // for a narrower font and title bar, and the warning is longer than both.
  void FitToTexts();
  CodePage codePage_;
};

}  // namespace morvind
