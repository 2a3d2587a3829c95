#include "toolkit/GroupFrame.h"

#include "toolkit/QtText.h"

namespace morvind {

QGroupBox* NewGroupFrame(std::string_view caption, QWidget* parent) {
  auto* group = new QGroupBox(ToQt(caption), parent);
  // The frame line runs through the middle of the caption's line; the
  // caption's background hides the line behind it.
  group->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 4px; padding: 0px; }"));
  return group;
}

}  // namespace morvind
