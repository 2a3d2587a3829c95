#include "toolkit/AppIcon.h"

#include "resources/AppIcon.xpm"

namespace morvind {

QPixmap AppIconPixmap() {
  return QPixmap(kAppIconXpm);
}

QIcon AppIcon() {
  return QIcon(AppIconPixmap());
}

}  // namespace morvind
