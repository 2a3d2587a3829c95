#include "toolkit/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

#include "toolkit/QtText.h"

namespace morvind {

void QtMessageSink::ShowMessage(std::string_view text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("Morvind"), ToQt(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace morvind
