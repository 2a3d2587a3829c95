#pragma once

#include <QPrinter>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/Clock.h"
#include "app/DataFolderChoice.h"
#include "data/DataFolder.h"
#include "data/PublisherTable.h"
#include "printing/CardDocument.h"
#include "printing/qt/PrintJob.h"
#include "printing/qt/ProgramPrinter.h"
#include "toolkit/UiContext.h"

namespace morvind {

class PrintDialogs;

// How the window puts a document of cards on a printer (PrintCards): every
// print and the preview's pages go through it.
using PrintFunction = std::function<PrintResult(
    QPrinter& printer, const std::vector<CardRequest>& cards, const CardDocumentOptions& options)>;

// What the main dialog works with, handed in from outside so that tests can
// give every piece a stand-in: the modal host and message sink, the clock,
// the time stamps of the user's presses, the data folder, the settings
// file, the program's printer, the way the publisher table's memory is
// obtained, the dialogs of the print commands, the print function and the
// folder chooser of a change of the data folder.
struct AppEnvironment {
  UiContext ui;
  const Clock* clock = nullptr;
  const EventClock* eventClock = nullptr;  // null: the window system's (QtEventClock)
  DataFolder dataFolder;
  std::filesystem::path settingsFile;
  ProgramPrinter* printer = nullptr;
  TableBlockAllocator allocator = AllocateZeroedBlock;
  PrintDialogs* printDialogs = nullptr;  // null: the Qt dialogs
  PrintFunction print;                   // empty: PrintCards
  FolderChooser chooseFolder;            // empty: Qt's folder dialog over the window
};

}  // namespace morvind
