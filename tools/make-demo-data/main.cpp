// morvind-make-demo DIR [--full] [--date YYYY-MM-DD] [--password TEXT] [--plain]
//
// Writes "tdat9.bin", "bkstudy.dat", "xten7.dat" and "remark9.dat" into DIR
// (created when missing; files of those names are replaced): the demo
// congregation, or with --full the largest data set the files can carry.
// Reports are placed relative to today, or to the date given. Beside them
// goes "S-21 Testformular.pdf", a fillable stand-in for the official form
// (which the project never ships) made as the official form is (one page,
// its 75 fields, names in UTF-16, a font without "ü" for the names), so
// that the demo shows that mode too.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "resources/FileWriter.h"
#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"

namespace {

// On standard output when asked for with --help, else on standard error.
void PrintUsage(std::FILE* to = stderr) {
  std::fprintf(to,
               "usage: morvind-make-demo DIR [--full] [--date YYYY-MM-DD] [--password TEXT] "
               "[--plain]\n"
               "  --full      909 publishers, 600 extended records, 898 remarks\n"
               "  --date      the day the reports are relative to (default: today)\n"
               "  --password  protect the data with a password\n"
               "  --plain     store the publisher texts unscrambled\n");
}

bool ParseDate(std::string_view text, morvind::LocalDate& date) {
  int year = 0, month = 0, day = 0;
  char rest = 0;
  if (std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3)
    return false;
  if (year < 1900 || year > 2200 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  date = {year, month, day};
  return true;
}

morvind::LocalDate Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path dir;
  bool full = false;
  bool plain = false;
  std::string password;
  morvind::LocalDate date = Today();

  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--full") {
      full = true;
    } else if (arg == "--plain") {
      plain = true;
    } else if (arg == "--date" && i + 1 < argc) {
      if (!ParseDate(argv[++i], date)) {
        std::fprintf(stderr, "morvind-make-demo: bad date %s (YYYY-MM-DD)\n", argv[i]);
        return 2;
      }
    } else if (arg == "--password" && i + 1 < argc) {
      password = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      PrintUsage(stdout);
      return 0;
    } else if (!arg.empty() && arg[0] != '-' && dir.empty()) {
      dir = arg;
    } else {
      PrintUsage();
      return 2;
    }
  }
  if (dir.empty()) {
    PrintUsage();
    return 2;
  }

  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "morvind-make-demo: can't create %s: %s\n", dir.c_str(),
                 error.message().c_str());
    return 1;
  }

  morvind::test::DemoCongregation data =
      full ? morvind::test::MakeFullCongregation(date) : morvind::test::MakeDemoCongregation(date);
  data.password = password;
  data.scrambled = !plain;

  std::string message;
  if (!morvind::test::WriteCongregation(dir, data, &message)) {
    std::fprintf(stderr, "morvind-make-demo: %s\n", message.c_str());
    return 1;
  }
  const std::filesystem::path form = dir / "S-21 Testformular.pdf";
  const morvind::WriteResult written = morvind::ReplaceFileContents(
      form, morvind::test::FillableFormPdf(morvind::test::OfficialLikeFormOptions()));
  if (!written.Ok()) {
    std::fprintf(stderr, "morvind-make-demo: can't write %s\n", form.c_str());
    return 1;
  }
  std::printf("wrote %zu publishers and the test form into %s\n", data.publishers.size(),
              dir.c_str());
  return 0;
}
