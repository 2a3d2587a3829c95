#include "toolkit/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "toolkit/QtText.h"

namespace morvind {

void QtMessageSink::ShowMessage(std::string_view text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("Morvind"), ToQt(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

bool QtMessageSink::Ask(std::string_view question, std::string_view goAhead,
                        std::string_view cancel) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Morvind"), ToQt(question),
                  QMessageBox::NoButton, QApplication::activeWindow());
  QPushButton* yes = box.addButton(ToQt(goAhead), QMessageBox::AcceptRole);
  QPushButton* no = box.addButton(ToQt(cancel), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

bool QtMessageSink::Offer(std::string_view text, std::string_view detail, MessageIcon icon,
                          std::string_view action) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("Morvind"), ToQt(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setInformativeText(ToQt(detail));
  QPushButton* instead = box.addButton(ToQt(action), QMessageBox::ActionRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == instead;
}

}  // namespace morvind
