#include "app/StartOptions.h"

namespace morvind {

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
  StartOptions options;
  bool help = false;
  bool version = false;
  bool optionsEnded = false;
  auto fail = [&](std::string message) {
    if (options.error.empty()) options.error = std::move(message);
  };
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      help = true;
    } else if (!optionsEnded && arg == "--version") {
      version = true;
    } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
      fail("unknown option " + arg);
    } else if (arg.empty()) {
      fail("the data folder can't be an empty name");
    } else if (options.dataFolder) {
      fail("give one data folder only");
    } else {
      options.dataFolder = arg;
    }
  }
  if (help) {
    options.action = StartOptions::Action::kHelp;
  } else if (version) {
    options.action = StartOptions::Action::kVersion;
  }
  if (options.action != StartOptions::Action::kRun) options.error.clear();
  return options;
}

std::string StartHelpText() {
  return R"(usage: morvind [DIR]

Shows the publisher list of the congregation's data and prints the
publisher record card (S-21) of the selected publisher.

The data folder (Ostrel's tdat9.bin, bkstudy.dat, xten7.dat, remark9.dat
and morvind's layout files) is, in this order:
  DIR                 the folder given here
  the working directory, when it holds tdat9.bin
  the folder used last (remembered in the settings file), when it still
                      holds tdat9.bin
  otherwise morvind asks for the folder; cancelling ends the program.
A folder given here that holds tdat9.bin, or one chosen, is remembered for
the next start. "Datenordner wechseln" in the window's context menu loads
another one.

  -h, --help          this text
      --version       the program's version

Settings: morvind.INI beside the program when its folder (or that file) can
be written and it is not an installed copy, otherwise
$XDG_CONFIG_HOME/morvind/morvind.INI (~/.config/morvind/morvind.INI).

Exit status: 0 the window was closed, or no data folder was chosen; 1 no
display; 2 a bad command line or a data folder that does not exist.
)";
}

}  // namespace morvind
