#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

#include "MainDialogFixture.h"
#include "app/qt/PasswordDialog.h"

namespace morvind::test {
namespace {

using Lines = std::vector<std::string>;

// The title shows whole beside the title bar's icon and buttons (at least
// 100 pixels for them), and the prompt and the button lie whole inside.
void ExpectTitleAndPromptFit(Dialog& dialog) {
  const QString title = dialog.windowTitle();
  EXPECT_GE(dialog.width(), QFontMetrics(QApplication::font()).horizontalAdvance(title) + 100)
      << title.toStdString();
  auto* prompt = dialog.ControlAs<QLabel>(PasswordDialog::kPrompt);
  EXPECT_GE(prompt->width(), prompt->fontMetrics().horizontalAdvance(prompt->text()));
  EXPECT_TRUE(dialog.rect().contains(prompt->geometry()));
  EXPECT_TRUE(dialog.rect().contains(dialog.Control(kIdOk)->geometry()));
}

class PasswordTest : public MainDialogFixture {
 protected:
  void WithPassword(const std::string& password) {
    congregation.password = password;
    congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
    WriteData();
  }
  // Types `text` letter by letter into the password field.
  static void Type(Dialog& dialog, const std::string& text) {
    dialog.SetFocusTo(PasswordDialog::kEntry);
    SendText(dialog.Control(PasswordDialog::kEntry), text);
  }
  // Runs the program with a password script; true when the main window ran.
  bool Start(ScriptedModalHost::Script passwordScript) {
    host.Expect(kPasswordTemplate, std::move(passwordScript));
    expectPassword = true;
    bool shown = false;
    RunMain([&](MainDialog&) { shown = true; });
    EXPECT_EQ(leftoverScripts, shown ? 0 : 1);  // refused: the main dialog never ran
    return shown;
  }
  // Nothing at all was written: no settings and no layout file.
  void ExpectNothingWritten() {
    EXPECT_EQ(FolderFiles(), (Lines{"bkstudy.dat", "remark9.dat", "tdat9.bin", "xten7.dat"}));
  }
};

TEST_F(PasswordTest, DataWithoutPasswordNeverAsk) {
  WithPassword("");
  bool shown = false;
  RunMain([&](MainDialog&) { shown = true; });
  EXPECT_TRUE(shown);
  EXPECT_EQ(host.opened, (std::vector<int>{kMainTemplate}));
}

TEST_F(PasswordTest, TheRightPasswordIsAcceptedAtItsLastLetterWithoutOk) {
  WithPassword("Geheim");
  bool endedEarly = false;
  EXPECT_TRUE(Start([&](Dialog& dialog) {
    EXPECT_EQ(dialog.GetText(PasswordDialog::kPrompt), "Bitte Passwort eingeben");
    EXPECT_EQ(dialog.Title(), "Password Required");
    ExpectTitleAndPromptFit(dialog);
    EXPECT_EQ(dialog.FocusedControl(), PasswordDialog::kEntry);
    Type(dialog, "Geheim");
    endedEarly = dialog.HasEnded();
  }));
  EXPECT_TRUE(endedEarly);
  EXPECT_TRUE(host.unended.empty());
}

TEST_F(PasswordTest, AnotherCaseDoesNotMatchAndEscapeRefuses) {
  WithPassword("Geheim");
  EXPECT_FALSE(Start([&](Dialog& dialog) {
    Type(dialog, "geheim");
    EXPECT_FALSE(dialog.HasEnded());
    PressKey(dialog, Qt::Key_Escape);
  }));
  ExpectNothingWritten();
}

TEST_F(PasswordTest, AWrongEntryIsWarnedOnceThenTheNextKeystrokeEnds) {
  WithPassword("Geheim");
  EXPECT_FALSE(Start([&](Dialog& dialog) {
    Type(dialog, "Falsch");
    dialog.ClickButton(kIdOk);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(dialog.GetText(PasswordDialog::kPrompt), "Tut mir leid, falsches Passwort ...");
    EXPECT_EQ(dialog.Title(), "Tut mir leid, falsches Passwort ...");
    ExpectTitleAndPromptFit(dialog);
    Type(dialog, "x");
    EXPECT_TRUE(dialog.HasEnded());
  }));
  ExpectNothingWritten();
}

TEST_F(PasswordTest, TheKeystrokeAfterTheWarningMayStillCompleteThePassword) {
  WithPassword("Geheim");
  EXPECT_TRUE(Start([&](Dialog& dialog) {
    Type(dialog, "Gehei");
    PressKey(dialog, Qt::Key_Return);  // Enter is the OK action too
    EXPECT_FALSE(dialog.HasEnded());
    Type(dialog, "m");
  }));
}

TEST_F(PasswordTest, FourteenCharactersCountAsAConfirmedWrongEntry) {
  WithPassword("abcdefghijklmnop");  // 16 characters: can't be typed
  EXPECT_FALSE(Start([&](Dialog& dialog) {
    Type(dialog, "abcdefghijklm");
    EXPECT_EQ(dialog.GetText(PasswordDialog::kPrompt), "Bitte Passwort eingeben");
    Type(dialog, "n");  // the 14th: warned
    EXPECT_EQ(dialog.GetText(PasswordDialog::kPrompt), "Tut mir leid, falsches Passwort ...");
    EXPECT_FALSE(dialog.HasEnded());
    Type(dialog, "o");  // the 15th ends it
    EXPECT_TRUE(dialog.HasEnded());
  }));
  WithPassword("abcdefghijklmno");  // 15 characters still can be typed
  EXPECT_TRUE(Start([&](Dialog& dialog) { Type(dialog, "abcdefghijklmno"); }));
}

TEST_F(PasswordTest, AnEmptyStoredPasswordIsGrantedWhenTheFieldBecomesEmptyAgain) {
  // A stored password that is an empty text (not the single blank of "none").
  congregation.publishers = {Publisher("Anna", "Meier", 1, 11)};
  WriteData();
  Bytes table = ReadFileBytes(folder.File("tdat9.bin"));
  ASSERT_GE(table.size(), 816u);
  table[2] = 0;  // the header's first name: empty, scrambled or not
  ASSERT_TRUE(WriteFileBytes(folder.File("tdat9.bin"), table));
  EXPECT_TRUE(Start([&](Dialog& dialog) {
    Type(dialog, "a");
    EXPECT_FALSE(dialog.HasEnded());
    dialog.SetFocusTo(PasswordDialog::kEntry);
    PressKey(dialog, Qt::Key_Backspace);
  }));
}

TEST_F(PasswordTest, UmlautsCompareInTheDataCodePage) {
  WithPassword("Schlüssel");
  EXPECT_TRUE(Start([&](Dialog& dialog) { Type(dialog, "Schlüssel"); }));
}

TEST_F(PasswordTest, AHeaderOnlyTableStillAsksForItsPassword) {
  congregation.password = "Geheim";
  WriteData();  // no publishers
  EXPECT_FALSE(Start([&](Dialog& dialog) { PressKey(dialog, Qt::Key_Escape); }));
  ExpectNothingWritten();
}

}  // namespace
}  // namespace morvind::test
