#pragma once

#include <QPushButton>

class QMenu;

namespace morvind {

// A push button with a menu part at its right end (a split button). A
// click on the button, or Enter while it is the dialog's default button,
// activates it as ever; a click on the arrow part, Alt+Down or F4 opens its
// menu below it instead.
class SplitButton : public QPushButton {
  Q_OBJECT
 public:
  explicit SplitButton(const QString& text, QWidget* parent = nullptr);

  // Not QPushButton::setMenu, which would make every click open the menu.
  void SetMenu(QMenu* menu) { menu_ = menu; }
  QMenu* Menu() const { return menu_; }
  // The width of the arrow part in pixels.
  int ArrowWidth() const;
  // Opens the menu below the button (a modal popup) and returns when it closed.
  void PopupMenu();

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool hitButton(const QPoint& position) const override;

 private:
  bool InArrow(const QPoint& position) const;

  QMenu* menu_ = nullptr;
};

}  // namespace morvind
