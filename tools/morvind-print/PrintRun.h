#pragma once

#include <filesystem>
#include <string>

#include "CliOptions.h"

namespace morvind::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 2;
inline constexpr int kExitPasswordRefused = 3;

// Runs one print: reads the settings, the data (asking the password of
// --password) and the layout, plans the cards with the main window's rules
// and writes them where the options say. Errors go to standard error as one
// line each. `programFolder` is where this program lies, for the default
// settings file. Returns the exit status.
// Writes a listing (--ops) to standard output ("-") or into its file,
// saying there what it lists (`what`: "3 cards"). Returns the exit status.
int WriteListing(const CliOptions& options, const std::string& listing, const std::string& what);

int RunPrint(const CliOptions& options, const std::filesystem::path& programFolder);

}  // namespace morvind::cli
