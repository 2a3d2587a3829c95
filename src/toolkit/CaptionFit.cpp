#include "toolkit/CaptionFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace morvind {
namespace {

// The caption as the user reads it: no mnemonic marks, no trailing blanks
// (the templates pad some captions with them).
QString ReadableText(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

int WidestLine(const QFontMetrics& metrics, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(ReadableText(line)));
  return widest;
}

bool Overlaps(int a0, int a1, int b0, int b1) {
  return a0 < b1 && b0 < a1;
}

}  // namespace

int CaptionShortfall(const QWidget* control) {
  const QFontMetrics metrics(control->font());
  if (auto* box = qobject_cast<const QCheckBox*>(control)) {
    if (box->text().isEmpty()) return 0;
    // The style's own size for the text: indicator, spacing, text, focus frame.
    return std::max(0, box->sizeHint().width() - control->width());
  }
  if (auto* radio = qobject_cast<const QRadioButton*>(control)) {
    if (radio->text().isEmpty()) return 0;
    return std::max(0, radio->sizeHint().width() - control->width());
  }
  if (auto* button = qobject_cast<const QPushButton*>(control)) {
    if (button->text().isEmpty()) return 0;
    // Not the size hint: it asks a minimum width of every button with a
    // text, which the small "OK" buttons of the templates don't need.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.rect = button->rect();
    const QRect contents =
        control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int margin = control->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
    return std::max(0, WidestLine(metrics, button->text()) + margin - contents.width());
  }
  if (auto* label = qobject_cast<const QLabel*>(control)) {
    // Also for a label that wraps: a line that needs no wrapping keeps the
    // block as short as the template drew it.
    if (label->text().isEmpty()) return 0;
    return std::max(0, WidestLine(metrics, label->text()) - label->contentsRect().width());
  }
  if (auto* group = qobject_cast<const QGroupBox*>(control)) {
    if (group->title().isEmpty()) return 0;
    // The caption sits on the frame line, a few pixels in from each end.
    const int ends = 2 * metrics.averageCharWidth();
    return std::max(0, WidestLine(metrics, group->title()) + ends - control->width());
  }
  return 0;
}

QRect WidenIntoRoom(const QRect& rect, int shortfall, Qt::Alignment textAlignment,
                    const CaptionRoom& room) {
  if (shortfall <= 0) return rect;
  int leftLimit = room.bounds.left();
  int rightLimit = room.bounds.right();
  for (const QRect& other : room.neighbours) {
    if (!Overlaps(rect.top(), rect.bottom() + 1, other.top(), other.bottom() + 1)) continue;
    if (other.intersects(rect)) continue;
    if (other.left() > rect.right()) rightLimit = std::min(rightLimit, other.left() - room.gap - 1);
    if (other.right() < rect.left()) leftLimit = std::max(leftLimit, other.right() + room.gap + 1);
  }
  const int rightRoom = std::max(0, rightLimit - rect.right());
  const int leftRoom = std::max(0, rect.left() - leftLimit);

  int toRight = 0, toLeft = 0;
  if (textAlignment & Qt::AlignRight) {
    toLeft = std::min(shortfall, leftRoom);
    toRight = std::min(shortfall - toLeft, rightRoom);
  } else if (textAlignment & Qt::AlignHCenter) {
    toLeft = std::min(shortfall / 2, leftRoom);
    toRight = std::min(shortfall - toLeft, rightRoom);
    toLeft = std::min(shortfall - toRight, leftRoom);
  } else {
    toRight = std::min(shortfall, rightRoom);
    toLeft = std::min(shortfall - toRight, leftRoom);
  }
  return rect.adjusted(-toLeft, 0, toRight, 0);
}

QRect DeepenIntoRoom(const QRect& rect, int neededHeight, const CaptionRoom& room) {
  if (neededHeight <= rect.height()) return rect;
  int bottomLimit = room.bounds.bottom();
  for (const QRect& other : room.neighbours) {
    if (!Overlaps(rect.left(), rect.right() + 1, other.left(), other.right() + 1)) continue;
    if (other.intersects(rect)) continue;
    if (other.top() > rect.bottom())
      bottomLimit = std::min(bottomLimit, other.top() - room.gap - 1);
  }
  QRect deeper = rect;
  deeper.setBottom(std::min(bottomLimit, rect.top() + neededHeight - 1));
  return deeper.height() > rect.height() ? deeper : rect;
}

int TitleBarWidth(const QString& title) {
  // Many window managers write the title in bold.
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int bar = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight),
                           metrics.height() + 10);
  return metrics.horizontalAdvance(title) + 4 * bar + metrics.averageCharWidth() * 4;
}

}  // namespace morvind
