#pragma once

#include <QDialog>
#include <QFont>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/DialogTemplate.h"
#include "toolkit/Controls.h"
#include "toolkit/UiContext.h"

namespace morvind {

// A dialog built from a template: its controls are made from the template's
// data when the modal run starts, addressed by their ids, and their
// notifications reach one handler each. The operations are named after the
// dialog toolkit the program was designed against (CheckState, SetCurSel,
// EndDialog, ...); they carry no window messages.
class Dialog : public QDialog {
  Q_OBJECT
 public:
  Dialog(int templateId, const UiContext& ui, QWidget* parent = nullptr);
  ~Dialog() override;

  // Builds the controls, runs OnInitDialog and then the modal loop through
  // the modal host; returns the end code (1 OK, 2 cancel). When the
  // initialisation already ended the dialog the loop never starts.
  int DoModal();
  // Ends the dialog with `result` once the current handler returns; the
  // dialog takes no further input.
  void EndDialog(int result);
  bool HasEnded() const { return ended_; }
  int EndCode() const { return endCode_; }
  bool IsRunning() const { return running_; }

  const DialogTemplate& Template() const { return *template_; }
  const UiContext& Ui() const { return ui_; }
  const StringTable& Strings() const { return *ui_.strings; }
  MessageSink& Messages() const { return *ui_.messages; }

  // Controls by id (null for an unknown id).
  QWidget* Control(int id) const;
  template <class T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }
  ListBox* List(int id) const { return ControlAs<ListBox>(id); }
  UpDown* Spin(int id) const { return ControlAs<UpDown>(id); }

  bool CheckState(int id) const;
  void SetCheck(int id, bool checked);
  void Enable(int id, bool enabled);
  bool IsEnabled(int id) const;
  // Shows or hides a control (the platform's show values 5 and 0).
  void Show(int id, bool visible);
  bool IsShown(int id) const;
  void SetText(int id, std::string_view text);
  std::string GetText(int id) const;
  void SetTitle(std::string_view title);
  std::string Title() const;
  void SetFocusTo(int id);
  // The id of the control with the keyboard focus, or 0.
  int FocusedControl() const;
  // The control repaints later.
  void Invalidate(int id);
  void CenterWindow();
  // Delivers OnControlMessage(id) after the current message (the private
  // WM_USER + 100); never after the dialog has ended.
  void PostControlMessage(int id);

  // Dialog units of the template font to pixels.
  int DluToPixelsX(int x) const;
  int DluToPixelsY(int y) const;

  // Activates a button as a click does (for Enter, tests and scripts).
  void ClickButton(int id);

  static constexpr int kControlMessage = 0x0400 + 100;  // WM_USER + 100

 protected:
  // Runs once all controls exist, before the window shows; return false
  // when the handler set the focus itself.
  virtual bool OnInitDialog() { return true; }
  // Enter or the default button, and Escape, the close box or button 2.
  virtual void OnOK() { EndDialog(kIdOk); }
  virtual void OnCancel() { EndDialog(kIdCancel); }
  virtual void OnControlMessage(int /*controlId*/) {}
  // Makes the widget of one template control; dialogs override it to give
  // a control a class of their own.
  virtual QWidget* CreateControl(const ControlTemplate& control);
  // A control's caption was fitted (as the controls are built, and after a
  // caption set at run time): `control` stands where it belongs at the
  // template's size. A dialog whose size can change puts it where it
  // belongs at the current size.
  virtual void CaptionFitted(QWidget* /*control*/) {}

  // One handler per control notification.
  void OnClicked(int id, std::function<void()> handler) { clicked_[id] = std::move(handler); }
  void OnSelChange(int id, std::function<void()> handler) { selChange_[id] = std::move(handler); }
  void OnTextChanged(int id, std::function<void()> handler) {
    textChanged_[id] = std::move(handler);
  }
  void OnFocusLost(int id, std::function<void()> handler) { focusLost_[id] = std::move(handler); }
  // The handler returns true to refuse the move.
  void OnDeltaPos(int id, std::function<bool(int pos, int delta)> handler) {
    deltaPos_[id] = std::move(handler);
  }

  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }

 private:
  void BuildControls();
  // Gives a control whose caption does not fit the room beside or below it
  // (the templates were drawn for a narrower font), from its template
  // rectangle, so that a shorter caption gives the room back; then
  // CaptionFitted.
  void FitCaption(QWidget* widget);
  void FitCaptionAtTemplateSize(QWidget* widget);
  void Wire(int id, QWidget* widget);
  void Dispatch(const std::map<int, std::function<void()>>& handlers, int id);
  void ApplyTabOrder();

  const DialogTemplate* template_;
  UiContext ui_;
  QFont dialogFont_;
  int baseUnitX_ = 6;
  int baseUnitY_ = 13;
  std::map<int, QWidget*> controls_;
  std::vector<std::pair<QWidget*, const ControlTemplate*>> builtControls_;
  std::map<const QWidget*, QRect> templateRects_;  // each control's rectangle in pixels
  std::map<int, std::function<void()>> clicked_, selChange_, textChanged_, focusLost_;
  std::map<int, std::function<bool(int, int)>> deltaPos_;
  bool built_ = false;
  bool ended_ = false;
  bool running_ = false;
  int endCode_ = 0;
};

// The font dialogs are drawn with: the template's "MS Sans Serif" 8 becomes
// Liberation Sans of the same size.
QFont DialogFont(std::string_view face, int points);

}  // namespace morvind
