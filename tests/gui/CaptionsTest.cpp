// Every caption of every dialog reads whole in the font and style actually
// used: a translation or a font that no longer fits fails here.

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

#include "MainDialogFixture.h"
#include "app/qt/PasswordDialog.h"
#include "app/qt/PublisherListBox.h"
#include "layout/qt/OptionsDialog.h"
#include "preview/qt/PreviewPane.h"
#include "toolkit/QtText.h"

namespace morvind::test {
namespace {

// The caption as the user reads it: without mnemonic marks and the blanks
// some template captions end with.
QString Readable(QString text) {
  text.remove(QLatin1Char('&'));
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

int WidestLine(const QWidget* widget, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, widget->fontMetrics().horizontalAdvance(Readable(line)));
  return widest;
}

// The room the style draws a button's text in.
QRect ButtonTextRoom(const QAbstractButton* button, QStyle::SubElement element) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.rect = button->rect();
  return button->style()->subElementRect(element, &option, button);
}

// Fails for every control of `dialog` whose caption is cut off, and for
// captioned controls that now overlap or leave the dialog.
void ExpectCaptionsFit(const Dialog& dialog, const std::string& what) {
  SCOPED_TRACE(what);
  std::vector<const QWidget*> captioned;
  for (const QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control->isHidden()) continue;
    QString text;
    int room = 0;
    if (auto* box = qobject_cast<const QCheckBox*>(control)) {
      text = box->text();
      room = ButtonTextRoom(box, QStyle::SE_CheckBoxContents).width();
    } else if (auto* radio = qobject_cast<const QRadioButton*>(control)) {
      text = radio->text();
      room = ButtonTextRoom(radio, QStyle::SE_RadioButtonContents).width();
    } else if (auto* button = qobject_cast<const QPushButton*>(control)) {
      text = button->text();
      // A button's text keeps the style's margin to the bevel.
      room = ButtonTextRoom(button, QStyle::SE_PushButtonContents).width() -
             button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    } else if (auto* label = qobject_cast<const QLabel*>(control)) {
      text = label->text();
      const QRect contents = label->contentsRect();
      room = contents.width();
      if (label->wordWrap() && !text.isEmpty()) {
        // A wrapped block must show all its lines.
        const int needed =
            label->fontMetrics().boundingRect(contents, Qt::TextWordWrap, Readable(text)).height();
        EXPECT_LE(needed, contents.height()) << FromQt(text);
        room = std::max(room, WidestLine(control, text));
      }
    } else if (auto* group = qobject_cast<const QGroupBox*>(control)) {
      text = group->title();
      room = group->width() - 2 * group->fontMetrics().averageCharWidth();
    }
    if (Readable(text).isEmpty()) continue;
    EXPECT_LE(WidestLine(control, text), room) << '"' << FromQt(text) << '"';
    EXPECT_LE(control->geometry().right(), dialog.width()) << FromQt(text);
    if (!qobject_cast<const QGroupBox*>(control)) captioned.push_back(control);
  }
  for (std::size_t i = 0; i < captioned.size(); ++i)
    for (std::size_t j = i + 1; j < captioned.size(); ++j)
      EXPECT_FALSE(captioned[i]->geometry().intersects(captioned[j]->geometry()))
          << FromQt(captioned[i]->objectName()) << " "
          << FromQt(qobject_cast<const QAbstractButton*>(captioned[i])
                        ? qobject_cast<const QAbstractButton*>(captioned[i])->text()
                        : QString())
          << " / " << FromQt(captioned[j]->objectName());
}

class CaptionsTest : public MainDialogFixture {};

TEST_F(CaptionsTest, EveryCaptionOfEveryDialogReadsWhole) {
  congregation.password = "Geheim";
  WriteData();
  host.Expect(kPasswordTemplate, [](Dialog& password) {
    ExpectCaptionsFit(password, "password");
    password.ClickButton(kIdOk);  // the wrong-password message in the prompt
    ExpectCaptionsFit(password, "password, wrong");
    password.EndDialog(kIdCancel);
  });
  expectPassword = true;
  RunMain(nullptr);
  // As asked at a change of the data folder, with "Abbrechen".
  PasswordDialog declinable(environment.ui, CodePage::kWindows1252);
  declinable.offerCancel = true;
  declinable.expectedPassword = "Geheim";
  host.Expect(kPasswordTemplate, [](Dialog& password) {
    ExpectCaptionsFit(password, "password at a folder change");
    EXPECT_LE(password.Control(kIdCancel)->geometry().bottom(), password.height());
    password.ClickButton(kIdCancel);
  });
  EXPECT_EQ(declinable.DoModal(), kIdCancel);

  congregation.password = "";
  congregation.groupCount = 12;
  congregation.publishers = {Publisher("Anna", "Meier", 12, 11), Publisher("Uwe", "Kraus", 0, 12)};
  WriteData();
  // Both dialogs in both units.
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    ExpectCaptionsFit(options, "options");
    options.ClickButton(1062);
    options.ClickButton(OptionsDialog::kMillimetreRadio);
    ExpectCaptionsFit(options, "options in mm");
    options.ClickButton(1062);
    options.ClickButton(kIdCancel);
  });
  host.Expect(kLayoutDetailsTemplate, [](Dialog& details) {
    ExpectCaptionsFit(details, "layout details");
    details.ClickButton(kIdCancel);
  });
  host.Expect(kLayoutDetailsTemplate, [](Dialog& details) {
    ExpectCaptionsFit(details, "layout details in mm");
    details.ClickButton(kIdCancel);
  });
  host.Expect(kAboutTemplate, [](Dialog& about) {
    ExpectCaptionsFit(about, "about");
    about.ClickButton(kIdOk);
  });
  int checked = 0;
  RunMain([&](MainDialog& dialog) {
    // Every caption the filter button takes: all, pioneers, the groups up
    // to two digits, unassigned.
    for (int step = 0; step < 15; ++step) {
      ExpectCaptionsFit(dialog, "main, filter " + dialog.GetText(MainDialog::kFilterButton));
      Click(dialog, MainDialog::kFilterButton);
      ++checked;
    }
    Click(dialog, MainDialog::kOptionsButton);
    PressKey(dialog, Qt::Key_F1);
  });
  EXPECT_EQ(checked, 15);
  EXPECT_EQ(host.opened,
            (std::vector<int>{kPasswordTemplate, kPasswordTemplate, kMainTemplate, kOptionsTemplate,
                              kLayoutDetailsTemplate, kLayoutDetailsTemplate, kAboutTemplate}));
}

// Opened (at twice its smallest size, centred, the totals records' names
// whole), at its smallest, at twice its width and height and maximized on a
// screen of 1920 x 1080, with the card and with the sheet: every caption
// reads whole (also one set at that size), no control overlaps another,
// the month boxes stand level with their rows (hidden with the sheet), the
// panes measure themselves again, and the sheet's table can be read.
TEST_F(CaptionsTest, LargeScreenTheWindowGrowsWithoutOverlapsAndKeepsTheMonthBoxesInTheirRows) {
  if (QGuiApplication::primaryScreen()->size() != QSize(1920, 1080))
    GTEST_SKIP() << "needs QT_QPA_PLATFORM=offscreen:configfile=tests/gui/screen-1920x1080.json";
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  congregation.publishers[0].SetFigure(10, kBibleStudies, 0, 3);
  WriteData();
  for (const char* form : {"0", "1"}) {
    WriteSettings(std::string("[Format]\nForm=") + form + "\n");
    const bool sheet = form[0] == '1';
    RunMain([&](MainDialog& dialog) {
      EXPECT_EQ(dialog.size(), dialog.minimumSize() * 2);
      EXPECT_LE((dialog.geometry().center() - dialog.screen()->availableGeometry().center())
                    .manhattanLength(),
                8);  // within the frame the platform adds
      ListBox* list = dialog.PublisherList();
      EXPECT_LT(
          list->fontMetrics().horizontalAdvance(QStringLiteral("Allgemeine Pioniere (Summe)")),
          list->viewport()->width() - 8);
      for (const char* size : {"smallest", "twice", "maximized"}) {
        SCOPED_TRACE(std::string(size) + (sheet ? ", sheet" : ", card"));
        if (size[0] == 's') dialog.resize(dialog.minimumSize());
        if (size[0] == 't') dialog.resize(dialog.minimumSize() * 2);
        if (size[0] == 'm') dialog.showMaximized();
        ProcessEvents();
        Click(dialog, MainDialog::kFilterButton);  // a caption fitted at this size
        ExpectCaptionsFit(dialog, size);
        std::vector<QRect> shown;
        for (const ControlTemplate& control : dialog.Template().controls)
          if (dialog.IsShown(control.id)) shown.push_back(dialog.Control(control.id)->geometry());
        for (std::size_t i = 0; i < shown.size(); ++i)
          for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i].intersects(shown[j])) << i << " / " << j;
        const QRect pane = dialog.BodyPane()->geometry();
        EXPECT_EQ(dialog.BodyPane()->ClientRect(), dialog.BodyPane()->rect());
        const int rowHeight = pane.height() / 14;
        for (int row = 1; row <= 13; ++row) {
          const int id = row == 13 ? MainDialog::kTotalsBox : MainDialog::kFirstMonthBox + row - 1;
          EXPECT_EQ(dialog.IsShown(id), !sheet);
          const QRect box = dialog.Control(id)->geometry();
          // Within its row, centred to the pixel, right of the pane.
          const int above = box.top() - (pane.top() + row * rowHeight);
          const int below = pane.top() + (row + 1) * rowHeight - 1 - box.bottom();
          EXPECT_TRUE(above >= 0 && below >= 0 && std::abs(above - below) <= 1) << row;
          EXPECT_GT(box.left(), pane.right());
        }
        if (!sheet || size[0] != 't') continue;
        // The month names and figures in fonts of at least 9 pixels.
        RecordingSurface table(96, 96);
        const QRect client = dialog.BodyPane()->ClientRect();
        dialog.DrawBodyPreview(0, 0, client.width(), client.height(), table);
        for (const char* text : {"September", "August", "3"})
          EXPECT_LE(table.FindText(text)->font.height, -9) << text;
      }
    });
  }
}

}  // namespace
}  // namespace morvind::test
