#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

namespace morvind {

// A list box: lines in insertion order with one integer of item data each.
// It reports selection changes made by the user only; changes made through
// its operations are silent. Like a single-selection list of the platform,
// the user can move the selection but never clear it: a click on the blank
// space below the lines or a Ctrl+click on the selected line keeps it.
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit ListBox(QWidget* parent = nullptr);

  void ResetContent();
  // Inserts at `index` (-1 appends); returns the index of the new line.
  int InsertString(int index, std::string_view text);
  int AddString(std::string_view text) { return InsertString(-1, text); }
  int Count() const { return count(); }
  std::string Text(int index) const;
  void SetItemData(int index, int data);
  // The line's item data; -1 for index -1 or a line that does not exist.
  int GetItemData(int index) const;
  void SetCurSel(int index);  // -1 clears the selection
  int GetCurSel() const;      // -1 when nothing is selected
  // Selects the first line beginning with `text`, case ignored, searching
  // after `start` (-1: from the top) and wrapping; returns its index or -1
  // (the selection then stays). Sends no notification.
  int SelectString(int start, std::string_view text);
  int SelectPrefix(const QString& prefix);
  void SetTopIndex(int index);
  int GetTopIndex() const;

 Q_SIGNALS:
  void userSelectionChanged();

 protected:
  void keyboardSearch(const QString&) override {}  // the program has its own type-ahead
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  bool silent_ = false;
};

// An edit field that reports when it loses the keyboard focus.
class EditField : public QLineEdit {
  Q_OBJECT
 public:
  explicit EditField(QWidget* parent = nullptr) : QLineEdit(parent) {}

 Q_SIGNALS:
  void focusLost();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

// An up-down (spin) control beside its buddy. Before every move it asks its
// handler, with the current position and the step (+1 up, -1 down); the
// handler may refuse the move.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr);

  void SetRange(int lower, int upper);
  void SetPos(int pos);
  int Pos() const { return pos_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  void SetBuddy(QWidget* buddy) { buddy_ = buddy; }
  QWidget* Buddy() const { return buddy_; }

  // Returns true to refuse the move.
  using DeltaPosHandler = std::function<bool(int pos, int delta)>;
  void SetDeltaPosHandler(DeltaPosHandler handler) { handler_ = std::move(handler); }

  // One step as the arrow buttons and keys make it.
  void Step(int delta);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  QWidget* buddy_ = nullptr;
  DeltaPosHandler handler_;
  int lower_ = 0, upper_ = 100, pos_ = 0;
};

// An owner-drawn pane: the program paints it (a preview pane).
class OwnerDrawPane : public QWidget {
  Q_OBJECT
 public:
  explicit OwnerDrawPane(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace morvind
