#include "toolkit/AppIcon.h"

#include <QDir>

namespace morvind {

QPixmap AppIconPixmap() {
  return QPixmap(QStringLiteral(":/icons/32.png"));
}

QIcon AppIcon() {
  QIcon icon;
  for (const QString& file : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
    icon.addFile(QStringLiteral(":/icons/") + file);
  return icon;
}

}  // namespace morvind
