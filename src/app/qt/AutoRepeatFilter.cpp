#include "app/qt/AutoRepeatFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace morvind {

AutoRepeatFilter::AutoRepeatFilter(QObject* parent) : QObject(parent) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

AutoRepeatFilter::~AutoRepeatFilter() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool AutoRepeatFilter::IsHeldKeyRepeat(const QEvent& event) {
  // With the press goes the release the window system sends before it, so
  // that a button sees one press and one release for the whole hold.
  if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return false;
  const auto& key = static_cast<const QKeyEvent&>(event);
  if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter && key.key() != Qt::Key_Space)
    return false;
  if (key.isAutoRepeat()) return true;
  const unsigned long long time = key.timestamp();
  if (event.type() == QEvent::KeyRelease) {
    releasedAt_[key.key()] = time;
    return false;
  }
  // X11 sends each repeat as a release and a press of one time stamp. Qt
  // marks the pair only when it finds the press already queued behind the
  // release, which it misses now and then while the program is busy
  // printing; nobody releases and presses a key within one millisecond.
  const auto released = releasedAt_.find(key.key());
  return time != 0 && released != releasedAt_.end() && released->second == time;
}

bool AutoRepeatFilter::eventFilter(QObject* watched, QEvent* event) {
  if (IsHeldKeyRepeat(*event)) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace morvind
