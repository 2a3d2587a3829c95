#pragma once

#include <QObject>

namespace morvind {

// Drops the auto-repeated presses (and their releases) of Enter, Return
// and Space before any window of the program sees them: a held key is one
// press, so a held Enter prints once and does not answer the question that
// follows. Installed on the application object while it lives.
class AutoRepeatFilter : public QObject {
  Q_OBJECT
 public:
  explicit AutoRepeatFilter(QObject* parent = nullptr);
  ~AutoRepeatFilter() override;

  // True for an auto-repeated key event of Enter, Return or Space.
  static bool IsHeldKeyRepeat(const QEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace morvind
