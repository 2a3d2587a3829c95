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
  if (!key.isAutoRepeat()) return false;
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
}

bool AutoRepeatFilter::eventFilter(QObject* watched, QEvent* event) {
  if (IsHeldKeyRepeat(*event)) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace morvind
