#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "ScriptedModalHost.h"
#include "resources/DialogTemplate.h"
#include "toolkit/Dialog.h"

namespace morvind {
namespace {

// A dialog on the options template whose handlers the tests set.
class ProbeDialog : public Dialog {
 public:
  explicit ProbeDialog(const UiContext& ui, int templateId = kOptionsTemplate)
      : Dialog(templateId, ui) {}
  std::function<bool()> init;
  std::vector<std::string> log;

  using Dialog::OnClicked;
  using Dialog::OnDeltaPos;
  using Dialog::OnFocusLost;
  using Dialog::OnSelChange;
  using Dialog::OnTextChanged;

 protected:
  bool OnInitDialog() override { return init ? init() : true; }
  void OnControlMessage(int id) override { log.push_back("message " + std::to_string(id)); }
};

class ToolkitTest : public ::testing::Test {
 protected:
  RecordingMessageSink sink;
  StringTable strings = StringTable::German();
  test::ScriptedModalHost host;
  UiContext ui{&host, &sink, &strings};
};

TEST_F(ToolkitTest, EndDialogDuringInitialisationNeverStartsTheLoop) {
  ProbeDialog dialog(ui);
  dialog.init = [&] {
    dialog.EndDialog(kIdCancel);
    dialog.log.push_back("init finished");
    return true;
  };
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_TRUE(host.opened.empty());
  EXPECT_EQ(dialog.log, std::vector<std::string>{"init finished"});
}

TEST_F(ToolkitTest, PostedControlMessageArrivesAfterTheCurrentHandlerAndNeverAfterTheEnd) {
  ProbeDialog dialog(ui);
  dialog.init = [&] {
    dialog.OnClicked(1062, [&] {
      dialog.PostControlMessage(1062);
      dialog.log.push_back("click handled");
    });
    return true;
  };
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.ClickButton(1062);
    test::ProcessEvents();
    d.ClickButton(1062);
    d.EndDialog(kIdOk);  // the second message is still queued
  });
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  EXPECT_EQ(dialog.log,
            (std::vector<std::string>{"click handled", "message 1062", "click handled"}));
}

TEST_F(ToolkitTest, ButtonsOneAndTwoAreOkAndCancelAndEscapeCancels) {
  {
    ProbeDialog dialog(ui);
    host.Expect(kOptionsTemplate, [](Dialog& d) { d.ClickButton(kIdOk); });
    EXPECT_EQ(dialog.DoModal(), kIdOk);
  }
  {
    ProbeDialog dialog(ui);
    host.Expect(kOptionsTemplate, [](Dialog& d) { test::PressKey(d, Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
  }
  EXPECT_TRUE(host.unended.empty());
}

TEST_F(ToolkitTest, ListSelectsByPrefixWithoutNotifyingAndNotifiesUserChangesOnly) {
  ProbeDialog dialog(ui);
  int notifications = 0;
  dialog.init = [&] {
    ListBox* list = dialog.List(1067);
    for (const char* line : {"Becker, Anna", "Schmidt, Max", "smith, Eva", "Zander, Ölaf"})
      list->AddString(line);
    for (int i = 0; i < list->Count(); ++i) list->SetItemData(i, 10 + i);
    dialog.OnSelChange(1067, [&] { ++notifications; });
    return true;
  };
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    ListBox* list = d.List(1067);
    EXPECT_EQ(list->SelectString(-1, "SM"), 2);  // from the top, case ignored
    EXPECT_EQ(list->SelectString(-1, "s"), 1);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(list->SelectString(-1, "x"), -1);
    EXPECT_EQ(list->GetCurSel(), 1);  // no match keeps the selection
    EXPECT_EQ(list->SelectString(-1, "zANDER, ö"), 3);
    EXPECT_EQ(list->GetItemData(3), 13);
    EXPECT_EQ(list->GetItemData(-1), -1);
    list->SetCurSel(0);
    EXPECT_EQ(notifications, 0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(list->GetCurSel(), 1);
    // The user can't clear the selection: not with a click below the last
    // line, nor with Ctrl+click or Ctrl+Space on the selected line.
    QRect last = list->visualItemRect(list->item(list->Count() - 1));
    QRect selected = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(last.center().x(), last.bottom() + 10));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, selected.center());
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(notifications, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(list->GetCurSel(), 2);  // Ctrl+click on another line still moves it
    d.EndDialog(kIdCancel);
  });
  dialog.DoModal();
}

TEST_F(ToolkitTest, SpinAsksItsHandlerBeforeEveryStepAndFindsItsBuddy) {
  ProbeDialog dialog(ui);
  std::vector<std::pair<int, int>> asked;
  bool refuse = false;
  dialog.init = [&] {
    dialog.Spin(1057)->SetRange(100, 150);
    dialog.Spin(1057)->SetPos(149);
    dialog.OnDeltaPos(1057, [&](int pos, int delta) {
      asked.emplace_back(pos, delta);
      return refuse;
    });
    return true;
  };
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    UpDown* spin = d.Spin(1057);
    EXPECT_EQ(spin->Buddy(), d.Control(1059));
    spin->Step(+1);
    spin->Step(+1);  // the control stops at its upper bound
    EXPECT_EQ(spin->Pos(), 150);
    refuse = true;
    spin->Step(-1);
    EXPECT_EQ(spin->Pos(), 150);
    d.EndDialog(kIdCancel);
  });
  dialog.DoModal();
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{149, 1}, {150, 1}, {150, -1}}));
}

TEST_F(ToolkitTest, ControlsFollowTheTemplate) {
  ProbeDialog dialog(ui);
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    EXPECT_FALSE(d.IsShown(1013));  // created hidden
    EXPECT_TRUE(d.IsShown(1012));
    EXPECT_EQ(d.GetText(1012), "Druckereinstellung");
    // Proportions of the template: x and y scale by the font's base units.
    QRect cancel = d.Control(kIdCancel)->geometry();
    EXPECT_EQ(cancel.x(), d.DluToPixelsX(200));
    EXPECT_EQ(cancel.y(), d.DluToPixelsY(155));
    EXPECT_EQ(cancel.width(), d.DluToPixelsX(64));
    // The tab order: 1014, 1019, (1082), 1012, Cancel, OK, 1061, 1062, 1067.
    const std::vector<int> expected = {1014, 1019, 1082, 1012, kIdCancel, kIdOk, 1061, 1062, 1067};
    std::vector<int> order;
    QWidget* widget = d.Control(1014);
    for (int guard = 0; guard < 200 && order.size() < expected.size(); ++guard) {
      for (int id : expected)
        if (d.Control(id) == widget) order.push_back(id);
      widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
    d.EndDialog(kIdCancel);
  });
  dialog.DoModal();
}

}  // namespace
}  // namespace morvind
