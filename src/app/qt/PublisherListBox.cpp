#include "app/qt/PublisherListBox.h"

#include <QKeyEvent>

namespace morvind {

void PublisherListBox::OnCharacter(QChar character) {
  // Letters in Unicode's sense, so that a name beginning with an umlaut can
  // be found by typing it.
  if (character.isLetter()) {
    buffer_.OnLetter(character.unicode(), [this](const std::u32string& prefix) {
      return SelectPrefix(QString::fromStdU32String(prefix));
    });
    int selected = GetCurSel();
    if (selected >= 0) SetTopIndex(selected);
  }
  if (onCharacter_) onCharacter_();
}

void PublisherListBox::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!command && !text.isEmpty() && text.at(0).isPrint()) {
    for (QChar character : text) OnCharacter(character);
    event->accept();
    return;
  }
  ListBox::keyPressEvent(event);
}

void PublisherListBox::focusInEvent(QFocusEvent* event) {
  buffer_.Reset();
  ListBox::focusInEvent(event);
}

}  // namespace morvind
