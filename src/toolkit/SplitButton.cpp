#include "toolkit/SplitButton.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace morvind {

SplitButton::SplitButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

int SplitButton::ArrowWidth() const {
  return style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this) + 6;
}

QSize SplitButton::sizeHint() const {
  QSize size = QPushButton::sizeHint();
  return QSize(size.width() + ArrowWidth(), size.height());
}

bool SplitButton::InArrow(const QPoint& position) const {
  return menu_ != nullptr && position.x() >= width() - ArrowWidth();
}

bool SplitButton::hitButton(const QPoint& position) const {
  return QPushButton::hitButton(position) && !InArrow(position);
}

void SplitButton::PopupMenu() {
  if (!menu_) return;
  setDown(false);
  menu_->exec(mapToGlobal(QPoint(0, height())));
}

void SplitButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && InArrow(event->position().toPoint())) {
    PopupMenu();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void SplitButton::keyPressEvent(QKeyEvent* event) {
  bool opens = event->key() == Qt::Key_F4 ||
               (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
  if (opens && menu_) {
    PopupMenu();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void SplitButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  const int arrow = menu_ ? ArrowWidth() : 0;
  QStyleOptionButton label = option;
  label.rect = option.rect.adjusted(0, 0, -arrow, 0);
  painter.drawControl(QStyle::CE_PushButtonLabel, label);
  if (!menu_) return;

  // A thin rule between the caption and the arrow part.
  const QRect part(width() - arrow, 0, arrow, height());
  const int inset = height() / 4;
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(part.left(), inset, part.left(), height() - inset - 1);
  QStyleOption indicator = option;
  const int size = style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this);
  indicator.rect = QRect(part.left() + (arrow - size) / 2, (height() - size) / 2, size, size);
  painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, indicator);
}

}  // namespace morvind
