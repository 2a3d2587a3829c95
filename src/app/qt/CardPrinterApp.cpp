#include "app/qt/CardPrinterApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "ProgramInfo.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/qt/AutoRepeatFilter.h"
#include "app/qt/DataFolderDialog.h"
#include "app/qt/MainDialog.h"
#include "printing/qt/ProgramPrinter.h"
#include "toolkit/AppIcon.h"
#include "toolkit/ModalHost.h"
#include "toolkit/QtMessageSink.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitBadCommandLine = 2;

bool HasDisplay() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// The arguments Qt left after taking its own (-platform, -style, ...), in
// the bytes the system gave them, as file names need.
std::vector<std::string> ArgumentsAfterQt() {
  QStringList arguments = QCoreApplication::arguments();
  std::vector<std::string> args;
  for (qsizetype i = 1; i < arguments.size(); ++i)
    args.push_back(QFile::encodeName(arguments[i]).toStdString());
  return args;
}

// Answers --help and --version; false when the program is to run.
bool AnsweredHelpOrVersion(const StartOptions& options) {
  if (options.action == StartOptions::Action::kHelp) {
    std::fputs(StartHelpText().c_str(), stdout);
    return true;
  }
  if (options.action == StartOptions::Action::kVersion) {
    std::printf("morvind %.*s\n", static_cast<int>(kProgramVersion.size()), kProgramVersion.data());
    return true;
  }
  return false;
}

}  // namespace

DataFolderSource RunMainWindow(const AppEnvironment& environment, const DataFolderStart& start,
                               const FolderChooser& chooseFolder) {
  // A held Enter, Return or Space is one press in every window of the run.
  const AutoRepeatFilter heldKeys;
  ProfileFile settings(environment.settingsFile);
  DataFolderChoice choice = FindDataFolder(start, settings, chooseFolder, *environment.ui.messages);
  if (choice.source == DataFolderSource::kNone) return choice.source;
  AppEnvironment withFolder = environment;
  withFolder.dataFolder = choice.folder;
  MainDialog dialog(withFolder);
  dialog.DoModal();
  return choice.source;
}

int RunCardPrinter(int argc, char** argv) {
  // --help and --version need no display; Qt's own options are not known
  // yet, so a command line that is bad only here is looked at again below.
  if (AnsweredHelpOrVersion(
          ParseStartOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc))))
    return 0;
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "morvind: no display found (DISPLAY is not set).\n"
                 "Run it under a virtual display: xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "morvind");
    return kExitNoDisplay;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvind"));
  QApplication::setApplicationVersion(ToQt(kProgramVersion));
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(ToQt(kAppId));
  QApplication::setWindowIcon(AppIcon());

  StartOptions options = ParseStartOptions(ArgumentsAfterQt());
  if (!options.error.empty()) {
    std::fprintf(stderr, "morvind: %s (see --help)\n", options.error.c_str());
    return kExitBadCommandLine;
  }
  std::error_code error;
  if (options.dataFolder && !std::filesystem::is_directory(*options.dataFolder, error)) {
    std::fprintf(stderr, "morvind: there is no folder %s\n", options.dataFolder->c_str());
    return kExitBadCommandLine;
  }

  // Qt's own dialogs and buttons (the print dialog, message boxes, the
  // folder chooser) speak German like the rest of the program.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  StringTable strings = StringTable::German();
  std::string languageCode = strings.LanguageCode();
  if (const char* locale = LocaleFor(languageCode)) std::setlocale(LC_ALL, locale);

  ExecModalHost modalHost;
  QtMessageSink messages;
  SystemClock clock;
  SystemPrinter printer;
  AppEnvironment environment;
  environment.ui = UiContext{&modalHost, &messages, &strings};
  environment.clock = &clock;
  environment.settingsFile = SettingsFileFor(FromQt(QCoreApplication::applicationFilePath()));
  environment.printer = &printer;

  DataFolderStart start;
  start.commandLineFolder = options.dataFolder;
  start.workingDirectory = std::filesystem::current_path(error);
  start.homeFolder = QFile::encodeName(QDir::homePath()).toStdString();
  RunMainWindow(environment, start,
                [](const std::filesystem::path& openIn) { return AskForDataFolder(openIn); });
  return 0;
}

}  // namespace morvind
