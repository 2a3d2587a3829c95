#pragma once

#include <functional>

#include "app/TypeAhead.h"
#include "toolkit/Controls.h"

namespace morvind {

// The publisher list (control 1000) with its own type-ahead search: letters
// typed in a row select the first line beginning with them; every typed
// character, letter or not, then refreshes the main dialog's selection. The
// list's own keyboard search never runs.
class PublisherListBox : public ListBox {
  Q_OBJECT
 public:
  explicit PublisherListBox(QWidget* parent = nullptr) : ListBox(parent) {}

  // Called after every typed character (the main dialog's RefreshSelection).
  void SetCharacterHandler(std::function<void()> handler) { onCharacter_ = std::move(handler); }
  const TypeAheadBuffer& Buffer() const { return buffer_; }

  // Handles one typed character as the list's character message does.
  void OnCharacter(QChar character);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  TypeAheadBuffer buffer_;
  std::function<void()> onCharacter_;
};

}  // namespace morvind
