#include "app/qt/MainWindowGeometry.h"

#include <QScreen>

#include "toolkit/Dialog.h"

namespace morvind {
namespace {

WindowRect ToWindowRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

WindowSize MainWindowGeometry::MinimumSize() const {
  return {window_.minimumWidth(), window_.minimumHeight()};
}

void MainWindowGeometry::TakeSmallestPlaces() {
  smallest_.clear();
  for (const ControlTemplate& control : window_.Template().controls)
    if (QWidget* widget = window_.Control(control.id))
      smallest_[control.id] = ToWindowRect(widget->geometry());
}

void MainWindowGeometry::ControlPlacedAtSmallest(QWidget* control) {
  if (smallest_.empty()) return;  // the places are not taken yet
  for (auto& [id, rect] : smallest_) {
    if (window_.Control(id) != control) continue;
    rect = ToWindowRect(control->geometry());
    LayOut();
    return;
  }
}

void MainWindowGeometry::LayOut() {
  if (smallest_.empty()) return;
  const std::map<int, WindowRect> placed =
      LayOutMainWindow(smallest_, MinimumSize(), {window_.width(), window_.height()});
  for (const auto& [id, rect] : placed)
    if (QWidget* widget = window_.Control(id))
      widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
}

void MainWindowGeometry::RestorePlacement() {
  QRect area(0, 0, window_.width(), window_.height());
  if (QScreen* screen = window_.screen()) area = screen->availableGeometry();
  opened_ = ReadWindowPlacement(settings_, MinimumSize(), {area.width(), area.height()});
  restored_ = true;
  window_.resize(opened_.size.width, opened_.size.height);
  // A saved size opens where the window manager puts it; the first size
  // stands in the middle of the screen.
  if (opened_.firstSize)
    window_.move(area.x() + (area.width() - opened_.size.width) / 2,
                 area.y() + (area.height() - opened_.size.height) / 2);
  if (opened_.maximized) window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
  LayOut();
}

void MainWindowGeometry::SavePlacement() {
  if (!restored_) return;
  WindowPlacement now;
  const Qt::WindowStates state = window_.windowState();
  now.maximized = state.testFlag(Qt::WindowMaximized);
  QSize normal = window_.size();
  // A maximized (or minimized) window remembers the size it had before.
  if (state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
    normal = window_.normalGeometry().size();
  const WindowSize minimum = MinimumSize();
  now.size = normal.width() >= minimum.width && normal.height() >= minimum.height
                 ? WindowSize{normal.width(), normal.height()}
                 : opened_.size;
  SaveWindowPlacement(settings_, opened_, now);
}

}  // namespace morvind
