#pragma once

#include <QIcon>
#include <QPixmap>

namespace morvind {

// Icon 128: a small index card.
QPixmap AppIconPixmap();
QIcon AppIcon();

}  // namespace morvind
