#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedModalHost.h"
#include "app/Clock.h"
#include "app/DataFolderChoice.h"
#include "app/qt/MainDialog.h"
#include "printing/RecordingSurface.h"
#include "printing/qt/ProgramPrinter.h"
#include "support/DataWriter.h"
#include "support/TempFolder.h"

namespace morvind::test {

// One document that went through the window's print function: the printer
// it went to, the cards, whether the test sheet was drawn under them, the pages
// drawn, and the drawing of the whole document on a recording surface.
struct PrintCall {
  QPrinter* printer = nullptr;
  std::vector<CardRequest> cards;
  bool testSheet = false;
  std::string title;  // the document's, for the job and the PDF file
  int pagesDrawn = 0;
  PrintOutcome outcome = PrintOutcome::kPrinted;
  std::unique_ptr<RecordingSurface> drawing;
};

// The time stamps of the user's presses: each press comes `step`
// milliseconds after the one before, unless a test sets `now` and `step`.
struct SteppingEventClock : EventClock {
  std::optional<std::uint64_t> CurrentEventTime() const override {
    now += step;
    return now;
  }
  mutable std::uint64_t now = 0;
  std::uint64_t step = 10000;
};

// A main dialog on data of the test's own in a temporary folder, with a
// fixed date, presses far apart, a recording message sink, a scripted modal host, scripted
// print dialogs, a PDF printer into the same folder, and a print function
// that notes every document before it prints it.
class MainDialogFixture : public ::testing::Test {
 protected:
  MainDialogFixture();
  // Every dialog got the script meant for it and ended.
  void TearDown() override;

  // A publisher with the given names, group and id; everything else empty.
  static DemoPublisher Publisher(const std::string& first, const std::string& last, int group,
                                 std::uint16_t id);

  void WriteData();  // writes `congregation` into the folder
  void WriteSettings(const std::string& text);
  std::string ReadFileText(const std::string& name) const;
  bool FileExists(const std::string& name) const;
  // The names of the files in the folder, sorted.
  std::vector<std::string> FolderFiles() const;

  // Runs the main dialog: `script` acts on it once it is up; the dialog then
  // ends with "&Fertig" unless the script ended it. Returns the end code.
  int RunMain(const std::function<void(MainDialog&)>& script);
  // Runs the program's start (RunMainWindow) from `start`, with a folder
  // chooser that gives the answers of `chosenFolders` in turn (an empty one,
  // or none left, cancels) and notes in `chooserOpenedIn` where it opened;
  // `script` acts on the main dialog when it opens. The environment's data
  // folder is the one the start finds, not the fixture's.
  DataFolderSource RunStart(const DataFolderStart& start,
                            std::vector<std::optional<std::filesystem::path>> chosenFolders,
                            const std::function<void(MainDialog&)>& script);
  std::vector<std::filesystem::path> chooserOpenedIn;

  // The list's lines in order.
  static std::vector<std::string> ListLines(MainDialog& dialog);
  static void Click(MainDialog& dialog, int id);

  // Set when a password dialog is scripted to open before the main dialog.
  bool expectPassword = false;
  int leftoverScripts = 0;  // scripts the last run left unused
  TempFolder folder{"gui"};
  DemoCongregation congregation;
  LocalDate today{2026, 12, 9};
  StringTable strings = StringTable::German();
  RecordingMessageSink messages;
  ScriptedModalHost host;
  ScriptedPrintDialogs printDialogs;
  std::vector<PrintCall> prints;
  std::unique_ptr<FixedClock> clock;
  SteppingEventClock eventClock;
  std::unique_ptr<PdfFilePrinter> printer;
  AppEnvironment environment;
};

}  // namespace morvind::test
