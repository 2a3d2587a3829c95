#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvind {

// The command line of the window program: `morvind [DIR]`, `--help`,
// `--version`. Without arguments the program starts as it always has.
struct StartOptions {
  enum class Action { kRun, kHelp, kVersion };
  Action action = Action::kRun;
  std::optional<std::filesystem::path> dataFolder;  // DIR, when given
  std::string error;                                // empty when the command line is sound
};

// Parses the arguments after the program name (Qt's own options already
// taken out). --help (-h) and then --version win over everything else,
// errors included; "--" ends the options, so a folder may begin with "-".
StartOptions ParseStartOptions(const std::vector<std::string>& args);

// The text of `morvind --help`.
std::string StartHelpText();

}  // namespace morvind
