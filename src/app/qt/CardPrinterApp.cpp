#include "app/qt/CardPrinterApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/Language.h"
#include "app/Settings.h"
#include "app/qt/MainDialog.h"
#include "printing/qt/ProgramPrinter.h"
#include "toolkit/AppIcon.h"
#include "toolkit/ModalHost.h"
#include "toolkit/QtMessageSink.h"
#include "toolkit/QtText.h"

namespace morvind {
namespace {

bool HasDisplay() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int RunCardPrinter(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "morvind: no display found (DISPLAY is not set).\n"
                 "Run it under a virtual display: xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "morvind");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Morvind"));
  QApplication::setWindowIcon(AppIcon());

  // Qt's own dialogs and buttons (the print dialog, message boxes) speak
  // German like the rest of the program.
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

  {
    MainDialog dialog(environment);
    dialog.DoModal();
  }
  return 0;
}

}  // namespace morvind
