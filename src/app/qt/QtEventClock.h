#pragma once

#include <QObject>

#include "app/Clock.h"

namespace morvind {

// The time stamps of the user's presses as the window system gave them: an
// event filter on the application notes the stamp of each key press and
// mouse button event as it is delivered, so that a command run by it reads
// the moment of the press, however long earlier commands kept the program
// busy. The stamp is forgotten once control is back in the event loop.
class QtEventClock : public QObject, public EventClock {
  Q_OBJECT
 public:
  QtEventClock();  // watches the application's events (which must exist)
  ~QtEventClock() override;
  std::optional<std::uint64_t> CurrentEventTime() const override { return current_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<std::uint64_t> current_;
  bool forgetQueued_ = false;
};

}  // namespace morvind
