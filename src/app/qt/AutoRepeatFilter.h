#pragma once

#include <QObject>
#include <map>

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

  // True for a key event of Enter, Return or Space that repeats a held key:
  // one marked as auto-repeated, and a press with the time stamp of the
  // same key's release just before it (a repeat the window system sent
  // unmarked). Notes the releases it is shown.
  bool IsHeldKeyRepeat(const QEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::map<int, unsigned long long> releasedAt_;  // by key, of each key's last release
};

}  // namespace morvind
