#include "preview/qt/PreviewPane.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "printing/qt/QtSurface.h"

namespace morvind {

void PreviewPane::paintEvent(QPaintEvent* event) {
  if (event->region().isEmpty()) return;
  if (clientRectKnown_ == 0) {
    clientRect_ = rect();
    clientRectKnown_ = 1;
  }
  ++paintCount_;
  if (!painter_) return;
  QPainter painter(this);
  QtSurface surface(painter, logicalDpiX(), logicalDpiY());
  painter_(clientRect_.left(), clientRect_.top(), clientRect_.width(), clientRect_.height(),
           surface);
  if (picturePainter_) picturePainter_(painter, clientRect_);
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
  OwnerDrawPane::resizeEvent(event);
  if (event->size() == event->oldSize()) return;
  ForgetClientRect();
  Q_EMIT sizeChanged(event->size());
}

}  // namespace morvind
