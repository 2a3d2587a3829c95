#include "app/qt/QtEventClock.h"

#include <QCoreApplication>
#include <QInputEvent>
#include <QTimer>

namespace morvind {

QtEventClock::QtEventClock() {
  QCoreApplication::instance()->installEventFilter(this);
}

QtEventClock::~QtEventClock() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool QtEventClock::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:  // a shortcut fires within its delivery
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const quint64 stamp = static_cast<QInputEvent*>(event)->timestamp();
      current_ = stamp != 0 ? std::optional<std::uint64_t>(stamp) : std::nullopt;
      if (!forgetQueued_) {
        forgetQueued_ = true;
        QTimer::singleShot(0, this, [this] {
          forgetQueued_ = false;
          current_.reset();
        });
      }
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace morvind
