#pragma once

namespace morvind {

// The application: names the settings file, applies the language code,
// loads the German texts of Qt's own dialogs, runs the main dialog modally
// and ends when it ends. Returns the process's exit status.
int RunCardPrinter(int argc, char** argv);

}  // namespace morvind
