// morvind-print: prints publisher record cards from the command line with
// the main window's data, settings, layouts and rules. See --help.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "CliOptions.h"
#include "PrintRun.h"
#include "ProgramInfo.h"

namespace {

// The folder of the running program file, where morvind lies beside it.
std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0 ? argv0 : "morvind-print", error);
  return self.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  // The program never shows a window: without this Qt would need a display
  // (and abort without one) just to draw into a PDF file.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  morvind::cli::ParseResult parsed = morvind::cli::ParseCliOptions(args);
  if (parsed.options.help) {
    std::fputs(morvind::cli::HelpText().c_str(), stdout);
    return morvind::cli::kExitOk;
  }
  if (parsed.options.version) {
    std::printf("morvind-print %.*s\n", static_cast<int>(morvind::kProgramVersion.size()),
                morvind::kProgramVersion.data());
    return morvind::cli::kExitOk;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "morvind-print: %s (see --help)\n", parsed.error.c_str());
    return morvind::cli::kExitError;
  }
  return morvind::cli::RunPrint(parsed.options, ProgramFolder(argc > 0 ? argv[0] : nullptr));
}
