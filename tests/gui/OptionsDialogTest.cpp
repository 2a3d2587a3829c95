#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <deque>
#include <fstream>
#include <iterator>
#include <vector>

#include "ScriptedModalHost.h"
#include "layout/LayoutFile.h"
#include "layout/LayoutValueRules.h"
#include "layout/LengthText.h"
#include "layout/qt/LayoutDetailsDialog.h"
#include "layout/qt/OptionsDialog.h"
#include "resources/StringIds.h"
#include "support/TempFolder.h"

namespace morvind {
namespace {

using test::ProcessEvents;
using test::TypeInto;
using D = OptionsDialog;

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> RecordBytes(const LayoutRecord& record) {
  return std::vector<std::uint8_t>(record.Bytes().begin(), record.Bytes().end());
}

// Picks a version in the list with the mouse, as the user does.
void ClickVersion(Dialog& d, int version) {
  ListBox* list = d.List(D::kVersionList);
  list->doItemsLayout();  // the view lays its lines out lazily
  QRect line = list->visualItemRect(list->item(version));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
  ProcessEvents();
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() : folder("options") {}

  LayoutRecord Defaults(CardVersion version) {
    LayoutRecord record;
    FillDefaultLayout(record, version, strings);
    return record;
  }

  // A dialog as the main dialog hands it over.
  std::unique_ptr<OptionsDialog> Make(CardVersion version = 0) {
    auto dialog = std::make_unique<OptionsDialog>(
        ui, [this](QWidget* parent) { setupParents.push_back(parent); }, folder.Folder());
    dialog->dateFormat = 1;
    dialog->topMargin = "0.50";
    dialog->leftMargin = "0.25";
    dialog->cardVersion = version;
    dialog->layout = Defaults(version);
    return dialog;
  }

  test::TempFolder folder;
  std::vector<QWidget*> setupParents;  // one entry a printer setup
  RecordingMessageSink sink;
  StringTable strings = StringTable::German();
  test::ScriptedModalHost host;
  UiContext ui{&host, &sink, &strings};
};

TEST_F(OptionsDialogTest, OpensWithTheValuesHandedIn) {
  struct Case {
    int dateFormat;
    int cardVersion;
    int checkedRadio;  // 0: none
    int selectedVersion;
  };
  for (Case c : {Case{0, 0, 1015, 0}, Case{3, 2, 1018, 2}, Case{4, 1, 1020, 1}, Case{5, 3, 0, 0},
                 Case{-1, -1, 0, 0}}) {
    SCOPED_TRACE(c.dateFormat);
    auto dialog = Make();
    dialog->dateFormat = c.dateFormat;
    dialog->cardVersion = c.cardVersion;
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      for (int id : {1015, 1016, 1017, 1018, 1020})
        EXPECT_EQ(d.CheckState(id), id == c.checkedRadio);
      EXPECT_TRUE(d.CheckState(D::kInchRadio));  // the unit is a group of its own
      EXPECT_EQ(d.GetText(D::kTopMarginEdit), "0.50");
      EXPECT_EQ(d.GetText(D::kLeftMarginEdit), "0.25");
      EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.32");
      EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "1.99");
      EXPECT_EQ(d.Spin(D::kBodyTopSpin)->Pos(), 132);
      ListBox* list = d.List(D::kVersionList);
      ASSERT_EQ(list->Count(), 3);
      EXPECT_EQ(list->Text(1), "S-21-X  Ostrel 9a");
      EXPECT_EQ(list->GetCurSel(), c.selectedVersion);
      EXPECT_TRUE(d.IsEnabled(D::kVersionList));
      EXPECT_FALSE(d.IsShown(D::kFirstNameSortBox));
      EXPECT_EQ(d.FocusedControl(), D::kTopMarginEdit);
      d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog->DoModal(), kIdCancel);
  }

  // A click on a radio button takes its date format at once.
  for (auto [radio, format] : {std::pair{1017, 2}, std::pair{1020, 4}}) {
    auto dialog = Make();
    host.Expect(kOptionsTemplate, [radio = radio](Dialog& d) {
      QTest::mouseClick(d.Control(radio), Qt::LeftButton);
      d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog->DoModal(), kIdOk);
    EXPECT_EQ(dialog->dateFormat, format);
  }
}

TEST_F(OptionsDialogTest, InMillimetresEveryLengthAndUnitTextFollowsAndStoredValuesStay) {
  // Typed mm are stored as the nearest hundredth, a field passed through
  // keeps its bytes, and a body step moves one hundredth of an inch.
  auto dialog = Make();
  dialog->leftMargin = "1.5";  // not in normal form: prints as 1.05 inches
  dialog->unit = LengthUnit::kMillimetre;
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    EXPECT_TRUE(d.CheckState(D::kMillimetreRadio));
    EXPECT_EQ(d.GetText(D::kMarginUnitLabel), "mm");
    EXPECT_EQ(d.GetText(D::kLeftMarginEdit), "26,7");
    EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "50,5");
    EXPECT_FALSE(d.Control(D::kTopMarginEdit)->toolTip().isEmpty());
    TypeInto(d, D::kTopMarginEdit, "12,3");
    test::PressKey(d, Qt::Key_Tab);
    EXPECT_EQ(d.GetText(D::kTopMarginEdit), "12,2");  // what was stored
    test::PressKey(d, Qt::Key_Tab);                   // through the left margin, unedited
    TypeInto(d, D::kTopMarginEdit, "254");
    d.Spin(D::kBodyTopSpin)->Step(+1);
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "33,8");
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdOk);
  EXPECT_EQ(dialog->topMargin, "0.48");
  EXPECT_EQ(dialog->leftMargin, "1.5");
  EXPECT_EQ(dialog->layout.Text(kBodyTop), "1.33");
  EXPECT_EQ(sink.texts, std::vector<std::string>{ValueMessage(LengthUnit::kMillimetre, strings)});

  // Switching the unit changes no value.
  dialog = Make();
  dialog->leftMargin = "1.5";
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.ClickButton(D::kMillimetreRadio);
    EXPECT_EQ(d.GetText(D::kBodyTopNote), "(in mm vom oberen Rand)");
    EXPECT_EQ(d.GetText(D::kTopMarginEdit), "12,7");
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "33,5");
    d.ClickButton(D::kInchRadio);
    EXPECT_EQ(d.GetText(D::kBodyTopNote), "(in Zoll vom oberen Rand)");
    EXPECT_EQ(d.GetText(D::kLeftMarginEdit), "1.5");
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdOk);
  EXPECT_EQ(dialog->topMargin, "0.50");
  EXPECT_EQ(dialog->leftMargin, "1.5");
}

TEST_F(OptionsDialogTest, FirstNameSortIsOfferedAndTakenForPortugueseOnly) {
  struct Case {
    const char* language;
    bool tickBox;
    bool expected;
  };
  for (Case c : {Case{"portuguese", false, false}, Case{"portuguese", true, true},
                 Case{"german", true, false}}) {
    SCOPED_TRACE(c.language);
    strings.Set(StringTable::kLanguageCode, c.language);
    auto dialog = Make();
    dialog->showFirstNameSort = std::string(c.language) == "portuguese";
    dialog->firstNameSort = true;
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      EXPECT_EQ(d.IsShown(D::kFirstNameSortBox), dialog->showFirstNameSort);
      if (dialog->showFirstNameSort) {
        EXPECT_TRUE(d.CheckState(D::kFirstNameSortBox));
      }
      d.SetCheck(D::kFirstNameSortBox, c.tickBox);
      d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog->DoModal(), kIdOk);
    EXPECT_EQ(dialog->firstNameSort, c.expected);
  }
}

TEST_F(OptionsDialogTest, BodyStepsMoveOneHundredthAndNeverAwayFromTheirBounds) {
  struct Case {
    const char* what;
    CardVersion version;  // its defaults
    const char* top;      // replaces the default body top when set
    const char* height;
    int spin;
    std::vector<int> steps;
    const char* expected;  // the label and the stored slot afterwards
  };
  const std::vector<Case> cases = {
      {"top at its upper bound", 0, "1.50", nullptr, D::kBodyTopSpin, {+1}, "1.50"},
      {"top at its lower bound", 0, "1.00", nullptr, D::kBodyTopSpin, {-1}, "1.00"},
      {"top below the bound", 0, "1.01", nullptr, D::kBodyTopSpin, {-1, -1, -1}, "1.00"},
      {"a big step counts as one", 0, nullptr, nullptr, D::kBodyTopSpin, {+5}, "1.33"},
      {"height at its upper bound", 0, nullptr, "2.20", D::kBodyHeightSpin, {+1}, "2.20"},
      {"height at its lower bound", 0, nullptr, "1.50", D::kBodyHeightSpin, {-1}, "1.50"},
      {"height past the spin's own range",
       0,
       nullptr,
       "2.00",
       D::kBodyHeightSpin,
       {+1, +1},
       "2.02"},
      {"version 1 top moves down", 1, nullptr, nullptr, D::kBodyTopSpin, {-1}, "2.31"},
      {"version 1 top stays up", 1, nullptr, nullptr, D::kBodyTopSpin, {+1, +1}, "2.32"},
      {"version 1 height moves down", 1, nullptr, nullptr, D::kBodyHeightSpin, {-1}, "3.12"},
      {"version 1 height stays up", 1, nullptr, nullptr, D::kBodyHeightSpin, {+1}, "3.13"},
      {"version 2 top", 2, nullptr, nullptr, D::kBodyTopSpin, {+1, -1, -1}, "2.23"},
      {"version 2 height", 2, nullptr, nullptr, D::kBodyHeightSpin, {+1, -1}, "2.71"},
      // Below 1.00 the units place of "%3d" is a blank.
      {"top below 1.00 steps up", 0, "0.50", nullptr, D::kBodyTopSpin, {+1}, " .51"},
      {"and on from there", 0, "0.50", nullptr, D::kBodyTopSpin, {+1, +1, -1}, " .52"},
      // Values with more than two decimals step from what the card prints.
      {"top with a third decimal", 0, "1.234", nullptr, D::kBodyTopSpin, {+1}, "1.24"},
      {"height 1.500 steps up", 0, nullptr, "1.500", D::kBodyHeightSpin, {+1}, "1.51"},
      {"top 1.500 steps down", 0, "1.500", nullptr, D::kBodyTopSpin, {-1}, "1.49"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto dialog = Make(c.version);
    if (c.top) dialog->layout.Set(kBodyTop, c.top);
    if (c.height) dialog->layout.Set(kBodyHeight, c.height);
    LayoutRecord before = dialog->layout;
    int label = c.spin == D::kBodyTopSpin ? D::kBodyTopLabel : D::kBodyHeightLabel;
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      for (int step : c.steps) d.Spin(c.spin)->Step(step);
      EXPECT_EQ(d.GetText(label), c.expected);
      d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog->DoModal(), kIdOk);
    int slot = c.spin == D::kBodyTopSpin ? kBodyTop : kBodyHeight;
    before.Set(slot, c.expected);
    EXPECT_EQ(dialog->layout, before);
  }
  EXPECT_EQ(LayoutValueToDevice(600, " .51"), 306u);

  // Opening shows the values as they print, and the spins stand there.
  auto dialog = Make(0);
  dialog->layout.Set(kBodyTop, "1.234");
  dialog->layout.Set(kBodyHeight, "1.5");
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.23");
    EXPECT_EQ(d.Spin(D::kBodyTopSpin)->Pos(), 123);
    EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "1.05");
    d.ClickButton(kIdCancel);
  });
  dialog->DoModal();
}

TEST_F(OptionsDialogTest, MarginsAreCommittedWhenTheirEditIsLeftOrTheDialogCloses) {
  const std::string valueMessage = strings.Get(str::kValueMessage);
  {
    auto dialog = Make();
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      TypeInto(d, D::kTopMarginEdit, "12.5");
      test::PressKey(d, Qt::Key_Tab);
      EXPECT_EQ(sink.texts, std::vector<std::string>{valueMessage});
      EXPECT_EQ(d.GetText(D::kTopMarginEdit), "0.50");    // back to the last accepted margin
      EXPECT_EQ(d.FocusedControl(), D::kLeftMarginEdit);  // the focus is not moved back
      TypeInto(d, D::kLeftMarginEdit, "150");
      test::PressKey(d, Qt::Key_Tab);
      EXPECT_EQ(d.GetText(D::kLeftMarginEdit), "1.50");
      d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog->DoModal(), kIdOk);
    EXPECT_EQ(dialog->topMargin, "0.50");
    EXPECT_EQ(dialog->leftMargin, "1.50");
    EXPECT_EQ(sink.texts.size(), 1u);
  }
  // Typed and confirmed with Enter at once: committed before the caller reads it.
  struct Case {
    const char* typed;
    int key;
    int result;
    const char* margin;
    std::size_t messages;
  };
  for (Case c :
       {Case{"7", Qt::Key_Return, kIdOk, "7.00", 0}, Case{"a.25", Qt::Key_Return, kIdOk, "0.25", 1},
        Case{"x", Qt::Key_Escape, kIdCancel, "0.25", 1}}) {
    SCOPED_TRACE(c.typed);
    sink.texts.clear();
    auto dialog = Make();
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      TypeInto(d, D::kLeftMarginEdit, c.typed);
      test::PressKey(d, c.key);
    });
    EXPECT_EQ(dialog->DoModal(), c.result);
    EXPECT_EQ(dialog->leftMargin, c.margin);
    EXPECT_EQ(sink.texts.size(), c.messages);
  }
  EXPECT_TRUE(host.unended.empty());
}

TEST_F(OptionsDialogTest, SwitchingVersionsThereAndBackKeepsTheEditsInTheLayoutFiles) {
  auto dialog = Make(0);
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.Spin(D::kBodyTopSpin)->Step(-1);  // 1.31
    ClickVersion(d, 1);
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "2.32");  // no file yet: version 1's defaults
    d.Spin(D::kBodyHeightSpin)->Step(-1);            // 3.12
    ClickVersion(d, 0);
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.31");  // read back from cplot.dat
    EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "1.99");
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdOk);
  EXPECT_EQ(dialog->cardVersion, 0);

  LayoutRecord version0 = Defaults(0);
  version0.Set(kBodyTop, "1.31");
  LayoutRecord version1 = Defaults(1);
  version1.Set(kBodyHeight, "3.12");
  EXPECT_EQ(dialog->layout, version0);
  EXPECT_EQ(FileBytes(folder.File("cplot.dat")), RecordBytes(version0));
  EXPECT_EQ(FileBytes(folder.File("cplot1.dat")), RecordBytes(version1));
  EXPECT_FALSE(std::filesystem::exists(folder.File("cplot2.dat")));
}

TEST_F(OptionsDialogTest, CancelAfterASwitchLeavesTheWorkingCopyOfTheSwitchInTheFile) {
  auto dialog = Make(0);
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.ClickButton(D::kDetailsButton);
    d.Spin(D::kBodyHeightSpin)->Step(+1);  // 2.00
    ClickVersion(d, 1);
    d.Spin(D::kBodyTopSpin)->Step(-1);  // only in the working copy of version 1
    d.ClickButton(kIdCancel);
  });
  host.Expect(kLayoutDetailsTemplate, [](Dialog& d) {
    TypeInto(d, LayoutDetailsDialog::kFirstHeaderX, "2.00");
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdCancel);
  EXPECT_TRUE(host.AllScriptsUsed());

  LayoutRecord atSwitch = Defaults(0);
  atSwitch.Set(kNameX, "2.00");
  atSwitch.Set(kBodyHeight, "2.00");
  EXPECT_EQ(FileBytes(folder.File("cplot.dat")), RecordBytes(atSwitch));
  EXPECT_FALSE(std::filesystem::exists(folder.File("cplot1.dat")));
}

TEST_F(OptionsDialogTest, ASwitchThatCantKeepTheEditsSaysSoAtOnce) {
  auto dialog = Make(0);
  std::ofstream(folder.File("cplot.dat"), std::ios::binary) << std::string(400, 'x');
  std::filesystem::permissions(folder.File("cplot.dat"), std::filesystem::perms(0444));
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.Spin(D::kBodyTopSpin)->Step(-1);
    ClickVersion(d, 1);
    EXPECT_EQ(sink.texts, std::vector<std::string>{
                              folder.File("cplot.dat").string() +
                              " konnte nicht gespeichert werden: Die Datei ist schreibgeschützt."});
    d.ClickButton(kIdCancel);
  });
  EXPECT_EQ(dialog->DoModal(), kIdCancel);
  EXPECT_EQ(FileBytes(folder.File("cplot.dat")), std::vector<std::uint8_t>(400, 'x'));
}

TEST_F(OptionsDialogTest, LayoutDetailsOkIsTakenOverAndResetRestoresTheWholeLayout) {
  auto dialog = Make(0);
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    d.ClickButton(D::kDetailsButton);  // cancelled: nothing taken over
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.32");
    d.ClickButton(D::kDetailsButton);
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.40");
    EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "2.10");
    EXPECT_EQ(dialog->layout.Text(kElderY), "0.99");
    TypeInto(d, D::kTopMarginEdit, "0.75");
    d.ClickButton(D::kResetButton);
    EXPECT_EQ(d.GetText(D::kBodyTopLabel), "1.32");
    EXPECT_EQ(d.GetText(D::kBodyHeightLabel), "1.99");
    d.ClickButton(kIdOk);
  });
  host.Expect(kLayoutDetailsTemplate, [](Dialog& d) {
    TypeInto(d, LayoutDetailsDialog::kBodyTopField, "9.99");
    d.ClickButton(kIdCancel);
  });
  host.Expect(kLayoutDetailsTemplate, [](Dialog& d) {
    TypeInto(d, LayoutDetailsDialog::kBodyTopField, "1.40");
    TypeInto(d, LayoutDetailsDialog::kBodyHeightField, "2.10");
    TypeInto(d, LayoutDetailsDialog::kFirstHeaderY + 7, "0.99");  // elder Y
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdOk);
  EXPECT_TRUE(host.AllScriptsUsed());
  EXPECT_EQ(host.opened,
            (std::vector<int>{kOptionsTemplate, kLayoutDetailsTemplate, kLayoutDetailsTemplate}));
  EXPECT_EQ(dialog->layout, Defaults(0));
  EXPECT_EQ(dialog->topMargin, "0.75");                   // the reset leaves the margins alone
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));  // and writes no file
}

TEST_F(OptionsDialogTest, CompleteCardDisablesTheVersionListAndPrinterSetupRunsAtOnce) {
  auto dialog = Make(0);
  dialog->completeCard = true;
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    EXPECT_TRUE(d.IsShown(D::kVersionList));
    EXPECT_FALSE(d.IsEnabled(D::kVersionList));
    EXPECT_EQ(d.List(D::kVersionList)->GetCurSel(), 0);
    d.ClickButton(D::kPrinterButton);
    EXPECT_EQ(setupParents, std::vector<QWidget*>{&d});  // over the options dialog
    d.ClickButton(kIdCancel);
  });
  EXPECT_EQ(dialog->DoModal(), kIdCancel);
  EXPECT_EQ(setupParents.size(), 1u);
}

TEST_F(OptionsDialogTest, TheOfficialFormTakesOnlyAFileThatPassesItsCheck) {
  // The chooser answers in turn; the check refuses every file named "bad…".
  std::deque<std::optional<std::filesystem::path>> answers = {"/forms/bad.pdf", std::nullopt,
                                                              "/forms/S-21_D.pdf"};
  int checks = 0;
  auto make = [&](int form, std::string file) {
    auto dialog = Make();
    dialog->form = form;
    dialog->formFile = std::move(file);
    dialog->chooseFormFile = [&](QWidget*, const std::filesystem::path&) {
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    };
    dialog->checkFormFile = [&](const std::filesystem::path& file) {
      ++checks;
      return file.filename().string().rfind("bad", 0) == 0 ? "refused " + file.string() : "";
    };
    return dialog;
  };
  auto dialog = make(0, "");
  host.Expect(kOptionsTemplate, [&](Dialog& d) {
    EXPECT_EQ(d.GetText(D::kFormFileLabel), "keine Datei gewählt");
    d.ClickButton(D::kOfficialFormRadio);
    d.ClickButton(kIdOk);  // no file: the dialog stays open
    d.ClickButton(D::kCardFormRadio);
    d.ClickButton(D::kFormFileButton);  // refused: the card stays chosen
    d.ClickButton(D::kFormFileButton);  // cancelled
    EXPECT_TRUE(d.CheckState(D::kCardFormRadio));
    d.ClickButton(D::kFormFileButton);
    EXPECT_TRUE(d.CheckState(D::kOfficialFormRadio));
    EXPECT_EQ(d.GetText(D::kFormFileLabel), "S-21_D.pdf");
    d.ClickButton(kIdOk);
  });
  EXPECT_EQ(dialog->DoModal(), kIdOk);
  EXPECT_EQ(std::tie(dialog->form, dialog->formFile), std::tuple(2, "/forms/S-21_D.pdf"));
  EXPECT_EQ(sink.texts, (std::vector<std::string>{"Bitte eine Formulardatei wählen.",
                                                  "refused /forms/bad.pdf"}));

  // A file kept from earlier is checked when its radio button brings it
  // back; the official form handed in as it was is taken unchecked.
  for (int formAtOpen : {0, 2}) {
    checks = 0;
    dialog = make(formAtOpen, "/forms/bad-old.pdf");
    host.Expect(kOptionsTemplate, [&](Dialog& d) {
      d.ClickButton(D::kOfficialFormRadio);
      d.ClickButton(kIdOk);
      if (formAtOpen == 0) d.ClickButton(kIdCancel);  // refused: still open
    });
    EXPECT_EQ(dialog->DoModal(), formAtOpen == 0 ? kIdCancel : kIdOk);
    EXPECT_EQ(checks, formAtOpen == 0 ? 1 : 0);
  }
}

}  // namespace
}  // namespace morvind
