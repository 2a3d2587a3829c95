#pragma once

#include <QIcon>
#include <QPixmap>

namespace morvind {

// Icon 128: a publisher record card. The window, the About box and the
// desktop's menu entry show the same picture, rendered from one SVG.
// 32 by 32 pixels, the size of the About box's icon.
QPixmap AppIconPixmap();
// Every rendered size (16 to 256 pixels), for the window and the task bar.
QIcon AppIcon();

}  // namespace morvind
