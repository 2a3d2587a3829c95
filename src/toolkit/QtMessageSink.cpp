#include "toolkit/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "toolkit/QtText.h"

namespace morvind {
namespace {

// A message may name a file whose name (up to 255 bytes) has no place where
// a line may break, and the box's label would run it out of the box. A
// zero-width space after every 40 characters of such a word lets it wrap.
QString WithLineBreaks(std::string_view text) {
  constexpr int kLongestUnbroken = 40;
  QString broken;
  int run = 0;
  for (QChar c : ToQt(text)) {
    broken += c;
    run = c.isSpace() ? 0 : run + 1;
    if (run >= kLongestUnbroken && !c.isHighSurrogate()) {
      broken += QChar(0x200B);
      run = 0;
    }
  }
  return broken;
}

}  // namespace

void QtMessageSink::ShowMessage(std::string_view text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QStringLiteral("Morvind"), WithLineBreaks(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  // A file name is never taken for markup.
  box.setTextFormat(Qt::PlainText);
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
