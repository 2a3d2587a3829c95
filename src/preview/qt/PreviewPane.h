#pragma once

#include <QRect>
#include <functional>

class QPainter;

#include "printing/DrawingSurface.h"
#include "toolkit/Controls.h"

namespace morvind {

// A preview pane of the main dialog: an owner-drawn control that measures
// its client rectangle at its first paint and again at the first paint
// after its size changed, and hands each paint, with that rectangle, to the
// main dialog's drawing operation on a drawing surface.
class PreviewPane : public OwnerDrawPane {
  Q_OBJECT
 public:
  using Painter = std::function<void(int left, int top, int right, int bottom, DrawingSurface&)>;
  // Paints a picture (the official form, rendered) over what the painter
  // drew, into the pane's client rectangle.
  using PicturePainter = std::function<void(QPainter& painter, const QRect& client)>;

  explicit PreviewPane(QWidget* parent = nullptr) : OwnerDrawPane(parent) {}

  void SetPainter(Painter painter) { painter_ = std::move(painter); }
  void SetPicturePainter(PicturePainter painter) { picturePainter_ = std::move(painter); }
  // The pane measures itself again at its next paint.
  void ForgetClientRect() { clientRectKnown_ = 0; }
  QRect ClientRect() const { return clientRect_; }
  int PaintCount() const { return paintCount_; }

 Q_SIGNALS:
  // The pane's size changed (the window was resized): what is drawn for a
  // size, such as a rendered page, is drawn anew.
  void sizeChanged(QSize size);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Painter painter_;
  PicturePainter picturePainter_;
  int clientRectKnown_ = 0;
  QRect clientRect_;
  int paintCount_ = 0;
};

// The card-header miniature on control 1006.
class HeaderPreviewPane : public PreviewPane {
  Q_OBJECT
 public:
  using PreviewPane::PreviewPane;
};

// The monthly-body miniature on control 129.
class BodyPreviewPane : public PreviewPane {
  Q_OBJECT
 public:
  using PreviewPane::PreviewPane;
};

}  // namespace morvind
