#include "toolkit/Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "toolkit/AppIcon.h"
#include "toolkit/CaptionFit.h"
#include "toolkit/GroupFrame.h"
#include "toolkit/ModalHost.h"
#include "toolkit/QtText.h"

namespace morvind {

QFont DialogFont(std::string_view face, int points) {
  // The templates name the fonts of the platform they were drawn for; the
  // Liberation fonts have the same metrics as Arial, which stands in for
  // "MS Sans Serif" here.
  QFont font(face == "MS Sans Serif" ? QStringLiteral("Liberation Sans") : ToQt(face));
  font.setPointSize(points);
  return font;
}

Dialog::Dialog(int templateId, const UiContext& ui, QWidget* parent)
    : QDialog(parent), template_(FindDialogTemplate(templateId)), ui_(ui) {
  Q_ASSERT(template_ != nullptr);
  dialogFont_ = DialogFont(template_->fontFace, template_->fontPoints);
  setFont(dialogFont_);
  // The dialog's base units: the average width of the letters and the
  // height of the font, as dialog units are defined.
  QFontMetrics metrics(dialogFont_);
  int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseUnitX_ = (letters / 26 + 1) / 2;
  baseUnitY_ = metrics.height();

  // A dialog shown in the task bar is the program's main window: an
  // ordinary top-level window, so that task bars and window switchers list
  // it (a parentless Qt::Dialog is made transient for Qt's hidden leader
  // window, which some of them leave out). Its modal run and its keys stay
  // those of a dialog.
  Qt::WindowFlags flags = (template_->style & kInTaskBar) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (template_->style & kSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (template_->style & kResizable) flags |= Qt::WindowMinMaxButtonsHint;
  setWindowFlags(flags);
  setWindowTitle(ToQt(template_->title));
  const QSize templateSize(DluToPixelsX(template_->cx), DluToPixelsY(template_->cy));
  if (template_->style & kResizable) {
    setMinimumSize(templateSize);
    resize(templateSize);
  } else {
    setFixedSize(templateSize);
  }
}

Dialog::~Dialog() = default;

int Dialog::DluToPixelsX(int x) const {
  return (x * baseUnitX_ + 2) / 4;
}
int Dialog::DluToPixelsY(int y) const {
  return (y * baseUnitY_ + 4) / 8;
}

QWidget* Dialog::CreateControl(const ControlTemplate& control) {
  QString caption = ToQt(control.caption);
  switch (control.kind) {
    case ControlKind::kListBox:
      return new ListBox(this);
    case ControlKind::kOwnerDraw:
      return new OwnerDrawPane(this);
    case ControlKind::kCheckBox:
      return new QCheckBox(caption, this);
    case ControlKind::kRadioButton:
      return new QRadioButton(caption, this);
    case ControlKind::kPushButton:
    case ControlKind::kDefPushButton: {
      auto* button = new QPushButton(caption, this);
      button->setAutoDefault(true);
      button->setDefault(control.kind == ControlKind::kDefPushButton);
      return button;
    }
    case ControlKind::kGroupBox:
      return NewGroupFrame(control.caption, this);
    case ControlKind::kStatic: {
      auto* label = new QLabel(caption, this);
      label->setTextFormat(Qt::PlainText);
      Qt::Alignment horizontal = (control.style & kTextCentered) ? Qt::AlignHCenter
                                 : (control.style & kTextRight)  ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
      label->setAlignment(horizontal | Qt::AlignTop);
      label->setWordWrap(control.cy > 10);
      return label;
    }
    case ControlKind::kEdit: {
      auto* edit = new EditField(this);
      if (control.style & kPasswordStyle) edit->setEchoMode(QLineEdit::Password);
      if (control.style & kTextCentered) edit->setAlignment(Qt::AlignCenter);
      return edit;
    }
    case ControlKind::kUpDown:
      return new UpDown(this);
    case ControlKind::kIcon: {
      auto* icon = new QLabel(this);
      icon->setPixmap(AppIconPixmap());
      return icon;
    }
  }
  return new QWidget(this);
}

void Dialog::BuildControls() {
  if (built_) return;
  built_ = true;
  QWidget* previous = nullptr;
  // Radio buttons are exclusive within their group only: a group begins at
  // a radio button marked as a group's start or following another control.
  QButtonGroup* radioGroup = nullptr;
  for (const ControlTemplate& control : template_->controls) {
    QWidget* widget = CreateControl(control);
    widget->setParent(this);
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      if (!radioGroup || (control.style & kGroupStart) || !qobject_cast<QRadioButton*>(previous))
        radioGroup = new QButtonGroup(this);
      radioGroup->addButton(radio);
    }
    QRect rect(DluToPixelsX(control.x), DluToPixelsY(control.y), DluToPixelsX(control.cx),
               DluToPixelsY(control.cy));
    if (control.kind == ControlKind::kUpDown) {
      auto* spin = qobject_cast<UpDown*>(widget);
      if (spin && (control.style & kAutoBuddy) && previous) {
        spin->SetBuddy(previous);
        if (control.style & kAlignRightOfBuddy) {
          QRect buddy = previous->geometry();
          rect = QRect(buddy.right() + 1, buddy.top(), rect.width(), buddy.height());
        }
      }
    }
    if (control.kind == ControlKind::kCheckBox && control.caption.empty()) {
      // A box without caption is only its indicator, which the style may draw
      // larger than the template's 8 units.
      QSize indicator = widget->sizeHint();
      rect.setSize(rect.size().expandedTo(indicator));
    }
    widget->setGeometry(rect);
    templateRects_[widget] = rect;
    builtControls_.emplace_back(widget, &control);
    if (control.kind == ControlKind::kGroupBox) widget->lower();
    if (control.style & kHidden) widget->setVisible(false);
    if (control.style & kDisabled) widget->setEnabled(false);
    bool focusable =
        control.kind == ControlKind::kListBox || control.kind == ControlKind::kEdit ||
        control.kind == ControlKind::kCheckBox || control.kind == ControlKind::kRadioButton ||
        control.kind == ControlKind::kPushButton || control.kind == ControlKind::kDefPushButton;
    if (!focusable) {
      widget->setFocusPolicy(Qt::NoFocus);
    } else if (!(control.style & kTabStop)) {
      widget->setFocusPolicy(Qt::ClickFocus);
    } else {
      widget->setFocusPolicy(control.kind == ControlKind::kListBox ||
                                     control.kind == ControlKind::kEdit
                                 ? Qt::StrongFocus
                                 : Qt::TabFocus);
    }
    if (control.id != kStaticId) {
      controls_[control.id] = widget;
      Wire(control.id, widget);
    }
    previous = widget;
  }
  for (const auto& built : builtControls_) FitCaption(built.first);
  ApplyTabOrder();
}

void Dialog::FitCaptionAtTemplateSize(QWidget* widget) {
  auto own = templateRects_.find(widget);
  if (own == templateRects_.end()) return;
  const QRect rect = own->second;
  widget->setGeometry(rect);
  auto* label = qobject_cast<QLabel*>(widget);
  const bool wraps = label && label->wordWrap();
  // The height a wrapped label's text needs at the label's width.
  auto neededHeight = [label](const QRect& at) {
    label->setGeometry(at);
    const QRect contents = label->contentsRect();
    return label->fontMetrics()
               .boundingRect(contents, Qt::TextWordWrap | label->alignment(), label->text())
               .height() +
           (at.height() - contents.height());
  };
  // A wrapped block that shows all its lines is as the template drew it.
  if (wraps && neededHeight(rect) <= rect.height()) {
    widget->setGeometry(rect);
    return;
  }
  const int shortfall = CaptionShortfall(widget);
  if (shortfall <= 0 && !wraps) return;

  // The room: the other controls as the template places them, inside the
  // innermost frame that holds this control, or inside the dialog.
  CaptionRoom room;
  room.gap = DluToPixelsX(1);
  const int margin = DluToPixelsX(1);
  room.bounds = QRect(margin, margin, DluToPixelsX(template_->cx) - 2 * margin,
                      DluToPixelsY(template_->cy) - 2 * margin);
  for (const auto& [control, controlTemplate] : builtControls_) {
    if (control == widget) continue;
    const QRect other = templateRects_[control];
    if (controlTemplate->kind == ControlKind::kGroupBox && other.contains(rect)) {
      const QRect inside = other.adjusted(room.gap, room.gap, -room.gap, -room.gap);
      if (inside.width() < room.bounds.width() || inside.height() < room.bounds.height())
        room.bounds = room.bounds.intersected(inside);
      continue;
    }
    room.neighbours.push_back(other);
  }

  Qt::Alignment alignment = Qt::AlignLeft;
  if (label) alignment = label->alignment();
  if (qobject_cast<QPushButton*>(widget)) alignment = Qt::AlignHCenter;
  QRect fitted = WidenIntoRoom(rect, shortfall, alignment, room);
  if (wraps) fitted = DeepenIntoRoom(fitted, neededHeight(fitted), room);
  widget->setGeometry(fitted);
}

void Dialog::FitCaption(QWidget* widget) {
  FitCaptionAtTemplateSize(widget);
  CaptionFitted(widget);
}

void Dialog::ApplyTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlTemplate& control : template_->controls) {
    if (!(control.style & kTabStop) || control.id == kStaticId) continue;
    QWidget* widget = controls_[control.id];
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

void Dialog::Wire(int id, QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, [this, id] {
      if (ended_) return;
      if (id == kIdOk) {
        OnOK();
      } else if (id == kIdCancel) {
        OnCancel();
      } else {
        Dispatch(clicked_, id);
      }
    });
  } else if (auto* list = qobject_cast<ListBox*>(widget)) {
    connect(list, &ListBox::userSelectionChanged, this, [this, id] { Dispatch(selChange_, id); });
  } else if (auto* edit = qobject_cast<EditField*>(widget)) {
    connect(edit, &QLineEdit::textChanged, this, [this, id] { Dispatch(textChanged_, id); });
    connect(edit, &EditField::focusLost, this, [this, id] { Dispatch(focusLost_, id); });
  } else if (auto* spin = qobject_cast<UpDown*>(widget)) {
    spin->SetDeltaPosHandler([this, id](int pos, int delta) {
      if (ended_) return true;
      auto it = deltaPos_.find(id);
      return it != deltaPos_.end() && it->second(pos, delta);
    });
  }
}

void Dialog::Dispatch(const std::map<int, std::function<void()>>& handlers, int id) {
  if (ended_) return;
  auto it = handlers.find(id);
  if (it != handlers.end()) it->second();
}

int Dialog::DoModal() {
  BuildControls();
  bool defaultFocus = OnInitDialog();
  if (ended_) return endCode_;
  if (defaultFocus) focusNextChild();
  running_ = true;
  int result = ui_.modalHost->RunModal(*this);
  running_ = false;
  if (!ended_) {
    // The host returned without the dialog ending (a window closed by other
    // means): that counts as cancel.
    ended_ = true;
    endCode_ = result == kIdOk ? kIdOk : kIdCancel;
  }
  return endCode_;
}

void Dialog::EndDialog(int result) {
  if (ended_) return;
  ended_ = true;
  endCode_ = result;
  if (running_) done(result);
}

QWidget* Dialog::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

bool Dialog::CheckState(int id) const {
  auto* button = ControlAs<QAbstractButton>(id);
  return button && button->isChecked();
}

void Dialog::SetCheck(int id, bool checked) {
  if (auto* button = ControlAs<QAbstractButton>(id)) {
    if (auto* radio = qobject_cast<QRadioButton*>(button); radio && !checked) {
      // The checked button of an exclusive group can't be cleared on its own.
      QButtonGroup* group = radio->group();
      if (group) group->setExclusive(false);
      radio->setAutoExclusive(false);
      radio->setChecked(false);
      radio->setAutoExclusive(true);
      if (group) group->setExclusive(true);
      return;
    }
    button->setChecked(checked);
  }
}

void Dialog::Enable(int id, bool enabled) {
  if (QWidget* widget = Control(id)) widget->setEnabled(enabled);
}

bool Dialog::IsEnabled(int id) const {
  QWidget* widget = Control(id);
  return widget && widget->isEnabledTo(const_cast<Dialog*>(this));
}

void Dialog::Show(int id, bool visible) {
  if (QWidget* widget = Control(id)) widget->setVisible(visible);
}

bool Dialog::IsShown(int id) const {
  QWidget* widget = Control(id);
  return widget && !widget->isHidden();
}

void Dialog::SetText(int id, std::string_view text) {
  QWidget* widget = Control(id);
  QString qtext = ToQt(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(qtext);
    return;
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(qtext);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(qtext);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(qtext);
  } else {
    return;
  }
  // A caption set at run time gets its room as a template caption does.
  if (built_) FitCaption(widget);
}

std::string Dialog::GetText(int id) const {
  QWidget* widget = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQt(edit->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQt(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQt(button->text());
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return FromQt(group->title());
  return std::string();
}

void Dialog::SetTitle(std::string_view title) {
  setWindowTitle(ToQt(title));
}

std::string Dialog::Title() const {
  return FromQt(windowTitle());
}

void Dialog::SetFocusTo(int id) {
  if (QWidget* widget = Control(id)) widget->setFocus(Qt::OtherFocusReason);
}

int Dialog::FocusedControl() const {
  QWidget* focus = focusWidget();
  for (const auto& [id, widget] : controls_)
    if (widget == focus || (focus && widget->isAncestorOf(focus))) return id;
  return 0;
}

void Dialog::Invalidate(int id) {
  if (QWidget* widget = Control(id)) widget->update();
}

void Dialog::CenterWindow() {
  QRect area;
  if (parentWidget()) {
    area = parentWidget()->window()->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void Dialog::PostControlMessage(int id) {
  QTimer::singleShot(0, this, [this, id] {
    if (!ended_) OnControlMessage(id);
  });
}

void Dialog::ClickButton(int id) {
  if (auto* button = ControlAs<QAbstractButton>(id)) button->click();
}

}  // namespace morvind
