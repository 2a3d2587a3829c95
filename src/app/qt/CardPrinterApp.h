#pragma once

#include "app/DataFolderChoice.h"
#include "app/qt/AppEnvironment.h"

namespace morvind {

// The application: answers --help and --version, names the settings file,
// applies the language code, loads the German texts of Qt's own dialogs,
// finds the data folder and runs the main dialog modally; it ends when the
// main dialog ends. Returns the process's exit status.
int RunCardPrinter(int argc, char** argv);

// Finds the data folder (FindDataFolder, on the environment's settings file
// and message sink, asking through `chooseFolder`) and runs the main dialog
// on it, with auto-repeated presses of Enter, Return and Space dropped
// (AutoRepeatFilter) in every window meanwhile. Returns where the folder
// came from; kNone when the user chose none, and then the main dialog never
// opened.
DataFolderSource RunMainWindow(const AppEnvironment& environment, const DataFolderStart& start,
                               const FolderChooser& chooseFolder);

}  // namespace morvind
