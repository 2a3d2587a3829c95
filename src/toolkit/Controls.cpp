#include "toolkit/Controls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

#include "toolkit/QtText.h"

namespace morvind {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  // The selection, not the current row: a mouse click moves the current row
  // before it selects the line, so only the selection signal comes when
  // both are in place.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (!silent_) Q_EMIT userSelectionChanged();
  });
}

void ListBox::ResetContent() {
  silent_ = true;
  clear();
  silent_ = false;
}

int ListBox::InsertString(int index, std::string_view text) {
  if (index < 0 || index > count()) index = count();
  silent_ = true;
  insertItem(index, ToQt(text));
  silent_ = false;
  return index;
}

std::string ListBox::Text(int index) const {
  const QListWidgetItem* line = item(index);
  return line ? FromQt(line->text()) : std::string();
}

void ListBox::SetItemData(int index, int data) {
  if (QListWidgetItem* line = item(index)) line->setData(Qt::UserRole, data);
}

int ListBox::GetItemData(int index) const {
  const QListWidgetItem* line = index < 0 ? nullptr : item(index);
  return line ? line->data(Qt::UserRole).toInt() : -1;
}

void ListBox::SetCurSel(int index) {
  silent_ = true;
  if (index < 0 || index >= count()) {
    setCurrentRow(-1);
    clearSelection();
  } else {
    setCurrentRow(index);
  }
  silent_ = false;
}

int ListBox::GetCurSel() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
  // Nothing the user does empties the selection: no line under the mouse
  // changes nothing, and a deselection (Ctrl+click, Ctrl+Space on the
  // selected line) keeps the line selected.
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
  if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
    return QItemSelectionModel::NoUpdate;
  return flags;
}

int ListBox::SelectPrefix(const QString& prefix) {
  for (int i = 0; i < count(); ++i) {
    if (item(i)->text().startsWith(prefix, Qt::CaseInsensitive)) {
      SetCurSel(i);
      return i;
    }
  }
  return -1;
}

int ListBox::SelectString(int start, std::string_view text) {
  QString prefix = ToQt(text);
  int n = count();
  for (int k = 0; k < n; ++k) {
    int i = (start + 1 + k) % n;
    if (item(i)->text().startsWith(prefix, Qt::CaseInsensitive)) {
      SetCurSel(i);
      return i;
    }
  }
  return -1;
}

void ListBox::SetTopIndex(int index) {
  if (QListWidgetItem* line = item(index)) scrollToItem(line, QAbstractItemView::PositionAtTop);
}

int ListBox::GetTopIndex() const {
  QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : (count() > 0 ? 0 : -1);
}

void EditField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A window switch or a popup does not mean the user left the field.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    Q_EMIT focusLost();
}

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
}

void UpDown::SetPos(int pos) {
  pos_ = pos;
}

void UpDown::Step(int delta) {
  if (handler_ && handler_(pos_, delta)) return;
  int next = pos_ + delta;
  int lo = std::min(lower_, upper_), hi = std::max(lower_, upper_);
  pos_ = std::clamp(next, lo, hi);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    Step(+1);
  } else if (event->key() == Qt::Key_Down) {
    Step(-1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void UpDown::resizeEvent(QResizeEvent*) {
  int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace morvind
