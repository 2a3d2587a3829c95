#include "app/qt/PasswordDialog.h"

#include "resources/StringIds.h"

namespace morvind {
namespace {

constexpr int kCancelRowHeight = 14;  // dialog units

}  // namespace

PasswordDialog::PasswordDialog(const UiContext& ui, CodePage codePage, QWidget* parent)
    : Dialog(kPasswordTemplate, ui, parent), codePage_(codePage) {}

bool PasswordDialog::OnInitDialog() {
  SetText(kPrompt, Strings().Get(str::kPasswordPrompt));
  if (offerCancel) {
    // The button has a row of its own under the entry.
    Show(kIdCancel, true);
    setFixedHeight(DluToPixelsY(Template().cy + kCancelRowHeight));
  }
  OnTextChanged(kEntry, [this] { OnEntryChanged(); });
  CenterWindow();
  SetFocusTo(kEntry);
  return false;
}

void PasswordDialog::OnEntryChanged() {
  if (warned == 1) OnOK();
  std::string typed = GetText(kEntry);
  // The stored password is in the data's code page; the comparison is byte
  // for byte there. A character the code page has no byte for can't match.
  std::optional<std::string> encoded = EncodeFromUtf8(typed, codePage_);
  if (encoded && *encoded == expectedPassword) {
    accepted = 1;
    EndDialog(kIdOk);
  }
  std::size_t length = encoded ? encoded->size() : QString::fromStdString(typed).size();
  if (length > kMaxTypedLength) OnOK();
}

void PasswordDialog::OnOK() {
  std::string sorry = Strings().Get(str::kPasswordWrong);
  SetText(kPrompt, sorry);
  SetTitle(sorry);
  if (warned == 1) EndDialog(kIdCancel);
  warned = 1;
}

}  // namespace morvind
