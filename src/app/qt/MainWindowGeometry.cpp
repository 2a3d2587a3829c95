#include "app/qt/MainWindowGeometry.h"

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

}  // namespace morvind
