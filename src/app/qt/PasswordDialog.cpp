#include "app/qt/PasswordDialog.h"

#include <QLabel>
#include <algorithm>

#include "resources/StringIds.h"
#include "toolkit/CaptionFit.h"

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
  FitToTexts();
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
  FitToTexts();
  if (warned == 1) EndDialog(kIdCancel);
  warned = 1;
}

void PasswordDialog::FitToTexts() {
  auto* prompt = ControlAs<QLabel>(kPrompt);
  QWidget* entry = Control(kEntry);
  QWidget* ok = Control(kIdOk);
  if (!prompt || !entry || !ok) return;
  const QFontMetrics metrics = prompt->fontMetrics();
  prompt->resize(std::max(prompt->width(), metrics.horizontalAdvance(prompt->text()) + 2),
                 std::max(prompt->height(), metrics.height()));
  // The template's margin on the right of the prompt and of the button.
  const int margin = DluToPixelsX(Template().cx) - (ok->x() + ok->width());
  const int needed =
      std::max({width(), prompt->x() + prompt->width() + margin, TitleBarWidth(windowTitle())});
  if (needed == width()) return;
  // The entry grows and the button keeps its place at the right.
  const int extra = needed - width();
  entry->resize(entry->width() + extra, entry->height());
  ok->move(ok->x() + extra, ok->y());
  setFixedSize(needed, height());
  CenterWindow();
}

}  // namespace morvind
