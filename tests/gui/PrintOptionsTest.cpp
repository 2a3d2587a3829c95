#include <QListWidget>
#include <QTest>

#include "MainDialogFixture.h"
#include "app/qt/PublisherListBox.h"
#include "layout/qt/OptionsDialog.h"

namespace morvind::test {
namespace {

using Lines = std::vector<std::string>;
constexpr int kSeptember = MainDialog::kFirstMonthBox;

class PrintOptionsTest : public MainDialogFixture {
 protected:
  void SetUp() override {
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11),
                               Publisher("Bernd", "Kraus", 1, 12),
                               Publisher("Clara", "Lang", 1, 13)};
    congregation.publishers[0].roleFlags = record::kFemale;
    WriteData();
  }
  // Which of the twelve month boxes are enabled, September first.
  static std::string EnabledMonths(MainDialog& dialog) {
    std::string marks;
    for (int i = 0; i < 12; ++i) marks += dialog.IsEnabled(kSeptember + i) ? 'x' : '.';
    return marks;
  }
};

TEST_F(PrintOptionsTest, TheMonthRuleFollowsTheReportMonth) {
  struct Case {
    LocalDate today;
    std::string enabled;
    bool totalsEnabled;
  };
  for (const Case& c : {Case{{2026, 10, 15}, "x...........", false},   // report month September
                        Case{{2026, 9, 10}, "xxxxxxxxxxxx", true},     // August: the whole year
                        Case{{2027, 1, 5}, "xxxx........", false},     // December
                        Case{{2027, 3, 1}, "xxxxxx......", false}}) {  // February
    today = c.today;
    RunMain([&](MainDialog& dialog) {
      EXPECT_EQ(EnabledMonths(dialog), c.enabled) << c.today.month;
      EXPECT_EQ(dialog.IsEnabled(MainDialog::kTotalsBox), c.totalsEnabled);
      EXPECT_EQ(dialog.previousServiceYear, 0);
      Click(dialog, MainDialog::kPreviousYearBox);  // the previous year can be chosen whole
      EXPECT_EQ(EnabledMonths(dialog), "xxxxxxxxxxxx");
      EXPECT_TRUE(dialog.IsEnabled(MainDialog::kTotalsBox));
      EXPECT_EQ(dialog.previousServiceYear, 1);
    });
  }
}

TEST_F(PrintOptionsTest, ADisabledBoxKeepsItsCheckAndTheTotalsBoxIsCleared) {
  today = LocalDate{2026, 10, 15};
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kPreviousYearBox);
    Click(dialog, kSeptember + 2);  // November
    Click(dialog, MainDialog::kTotalsBox);
    ASSERT_TRUE(dialog.CheckState(MainDialog::kTotalsBox));
    Click(dialog, MainDialog::kPreviousYearBox);  // back to the current year
    EXPECT_FALSE(dialog.IsEnabled(kSeptember + 2));
    EXPECT_TRUE(dialog.CheckState(kSeptember + 2));
    EXPECT_FALSE(dialog.CheckState(MainDialog::kTotalsBox));
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kTotalsBox));
  });
}

TEST_F(PrintOptionsTest, MonthBoxesClearTheHeaderBoxAndTheHeaderBoxGovernsMaleFemale) {
  RunMain([&](MainDialog& dialog) {
    ProcessEvents();
    EXPECT_TRUE(dialog.IsShown(MainDialog::kGenderTicksBox));  // Anna has a gender bit
    EXPECT_TRUE(dialog.CheckState(MainDialog::kPrintHeaderBox));
    EXPECT_FALSE(dialog.CheckState(MainDialog::kGenderTicksBox));
    Click(dialog, MainDialog::kGenderTicksBox);
    Click(dialog, kSeptember);
    EXPECT_FALSE(dialog.CheckState(MainDialog::kPrintHeaderBox));
    EXPECT_TRUE(dialog.CheckState(MainDialog::kGenderTicksBox));  // left as it was
    EXPECT_TRUE(dialog.IsEnabled(MainDialog::kGenderTicksBox));
    Click(dialog, MainDialog::kPrintHeaderBox);  // on again: m/w enabled, unchecked
    EXPECT_TRUE(dialog.IsEnabled(MainDialog::kGenderTicksBox));
    EXPECT_FALSE(dialog.CheckState(MainDialog::kGenderTicksBox));
    Click(dialog, MainDialog::kPrintHeaderBox);  // off: m/w unchecked and disabled
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kGenderTicksBox));
    EXPECT_FALSE(dialog.CheckState(MainDialog::kGenderTicksBox));
  });
}

TEST_F(PrintOptionsTest, CardVersionOneChosenInTheOptionsDialogLocksTheVersionZeroChoices) {
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    options.List(OptionsDialog::kVersionList)->setCurrentRow(1);  // the user picks version 1
    options.ClickButton(kIdOk);
  });
  RunMain([&](MainDialog& dialog) {
    ListBox* list = dialog.PublisherList();
    list->SetCurSel(2);
    dialog.RefreshSelection();
    Click(dialog, MainDialog::kPreviousYearBox);
    Click(dialog, MainDialog::kOptionsButton);
    EXPECT_EQ(dialog.cardVersion, 1);
    EXPECT_EQ(dialog.settingsChanged, 1);
    EXPECT_EQ(dialog.Title(), "Morvind - S-21-X  Ostrel 9a");
    for (int id : {MainDialog::kPrintHeaderBox, MainDialog::kCompleteCardBox,
                   MainDialog::kPreviousYearBox}) {
      EXPECT_FALSE(dialog.CheckState(id)) << id;
      EXPECT_FALSE(dialog.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kLongNameBox));
    EXPECT_EQ(list->GetCurSel(), 0);  // the list is filled and selected again
    EXPECT_EQ(dialog.selectedPublisher, 1);
    EXPECT_EQ(dialog.FocusedControl(), MainDialog::kPublisherList);
  });
  EXPECT_EQ(leftoverScripts, 0);
  EXPECT_NE(ReadFileText("morvind.INI").find("Card Version=1"), std::string::npos);
  EXPECT_TRUE(FileExists("cplot1.dat"));
}

TEST_F(PrintOptionsTest, TheSheetKeepsTheCardsBoxesDisabledAndTheCardFindsThemAsTheyWere) {
  WriteSettings("[Format]\nCard Version=1\n");
  for (int form : {OptionsDialog::kSheetFormRadio, OptionsDialog::kCardFormRadio}) {
    host.Expect(kOptionsTemplate, [form](Dialog& options) {
      EXPECT_FALSE(options.CheckState(form));  // the other form is the current one
      options.ClickButton(form);
      EXPECT_TRUE(options.CheckState(OptionsDialog::kFirstDateFormat));  // a group of its own
      options.ClickButton(kIdOk);
    });
  }
  const std::vector<int> cardBoxes = {MainDialog::kPrintHeaderBox, MainDialog::kGenderTicksBox,
                                      MainDialog::kCompleteCardBox, MainDialog::kTotalsBox};
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kOptionsButton);  // the sheet
    EXPECT_EQ(dialog.cardVersion, 1);           // kept as it is
    EXPECT_EQ(dialog.Title(), "Morvind - Blatt S-21 11/23");
    // Neither the card version's rules nor a later click enable the card's boxes.
    EXPECT_TRUE(dialog.IsEnabled(MainDialog::kLongNameBox));
    Click(dialog, MainDialog::kPreviousYearBox);
    EXPECT_EQ(dialog.previousServiceYear, 1);
    EXPECT_EQ(EnabledMonths(dialog), "............");
    for (int id : cardBoxes) EXPECT_FALSE(dialog.IsEnabled(id)) << id;

    Click(dialog, MainDialog::kOptionsButton);  // back to the card of version 1
    EXPECT_EQ(dialog.Title(), "Morvind - S-21-X  Ostrel 9a");
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kPreviousYearBox));
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kLongNameBox));
    EXPECT_EQ(EnabledMonths(dialog), "xxx.........");
  });
  EXPECT_EQ(leftoverScripts, 0);
  EXPECT_NE(ReadFileText("morvind.INI").find("Form=0\n"), std::string::npos);

  // Chosen at start: the sheet's states from the first moment, and the
  // header box kept checked for the card.
  WriteSettings("[Format]\nCard Version=2\nForm=1\n");
  RunMain([&](MainDialog& dialog) {
    EXPECT_EQ(dialog.Title(), "Morvind - Blatt S-21 11/23");
    EXPECT_TRUE(dialog.CheckState(MainDialog::kPrintHeaderBox));
    EXPECT_EQ(EnabledMonths(dialog), "............");
    for (int id : cardBoxes) EXPECT_FALSE(dialog.IsEnabled(id)) << id;
  });
}

TEST_F(PrintOptionsTest, CancelAfterAnEarlierChangeStillRefillsTheList) {
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    options.ClickButton(OptionsDialog::kMillimetreRadio);  // undone by "Abbrechen"
    options.ClickButton(kIdCancel);
  });
  host.Expect(kOptionsTemplate, [](Dialog& options) { options.ClickButton(kIdCancel); });
  RunMain([&](MainDialog& dialog) {
    ListBox* list = dialog.PublisherList();
    list->SetCurSel(2);
    dialog.RefreshSelection();
    Click(dialog, MainDialog::kOptionsButton);  // nothing changed yet: the list stays
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(dialog.unit, LengthUnit::kInch);
    Click(dialog, MainDialog::kLastNameFirstBox);
    Click(dialog, MainDialog::kOptionsButton);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(dialog.cardVersion, 0);
  });
}

TEST_F(PrintOptionsTest, OptionsOkWithoutChangesMarksNothing) {
  // The printer setup reaches the program's printer, and changes no setting.
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    options.ClickButton(1012);
    options.ClickButton(kIdOk);
  });
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kOptionsButton);
    EXPECT_EQ(dialog.settingsChanged, 0);
  });
  EXPECT_EQ(printer->setupRuns, 1);
  EXPECT_FALSE(FileExists("morvind.INI"));
}

TEST_F(PrintOptionsTest, OptionsOkTakesBackTheMarginsDateFormatAndLayout) {
  host.Expect(kOptionsTemplate, [](Dialog& options) {
    TypeInto(options, OptionsDialog::kTopMarginEdit, "150");
    options.ClickButton(OptionsDialog::kMillimetreRadio);  // "150" counts in inches still
    options.ClickButton(OptionsDialog::kFirstDateFormat + 2);
    options.Spin(OptionsDialog::kBodyTopSpin)->Step(+1);
    options.ClickButton(kIdOk);
  });
  RunMain([&](MainDialog& dialog) {
    Click(dialog, MainDialog::kOptionsButton);
    EXPECT_EQ(dialog.topMargin, "1.50");
    EXPECT_EQ(dialog.dateFormat, 2);
    EXPECT_EQ(dialog.unit, LengthUnit::kMillimetre);
    EXPECT_EQ(dialog.layout.Text(kBodyTop), "1.33");
    EXPECT_EQ(dialog.settingsChanged, 1);
  });
  std::string settings = ReadFileText("morvind.INI");
  EXPECT_NE(settings.find("Top=1.50"), std::string::npos);
  EXPECT_NE(settings.find("Alt Date Format=2"), std::string::npos);
  EXPECT_NE(settings.find("Unit=1"), std::string::npos);
  EXPECT_EQ(ReadFileText("cplot.dat").substr(320, 5), std::string("1.33\0", 5));
}

TEST_F(PrintOptionsTest, CompleteCardTicksEveryMonthAndTheHeaderOnVersionZero) {
  WriteSettings("[Format]\nCard Version=0\n");
  RunMain([&](MainDialog& dialog) {
    EXPECT_FALSE(dialog.IsShown(MainDialog::kCompleteCardBox));  // created hidden
    dialog.ClickButton(MainDialog::kCompleteCardBox);
    EXPECT_EQ(dialog.completeCard, 1);
    EXPECT_TRUE(dialog.CheckState(MainDialog::kPrintHeaderBox));
    EXPECT_FALSE(dialog.IsEnabled(MainDialog::kPrintHeaderBox));
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(dialog.CheckState(kSeptember + i));
    EXPECT_EQ(EnabledMonths(dialog), "xxx.........");  // the rule enables again what it allows
    ProcessEvents();
    EXPECT_TRUE(dialog.CheckState(MainDialog::kGenderTicksBox));  // the pane checks m/w
    dialog.ClickButton(MainDialog::kCompleteCardBox);
    EXPECT_EQ(dialog.completeCard, 0);
    EXPECT_EQ(EnabledMonths(dialog), "xxxxxxxxxxxx");
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(dialog.CheckState(kSeptember + i));
    EXPECT_TRUE(dialog.IsEnabled(MainDialog::kPrintHeaderBox));
  });
}

}  // namespace
}  // namespace morvind::test
