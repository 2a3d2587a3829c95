#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/CardPlan.h"
#include "app/Clock.h"
#include "printing/RecordForm.h"

namespace morvind::cli {

// The list filter of --filter.
struct FilterChoice {
  // kCongregation: the congregation's four totals records (sheet only).
  enum class Kind { kAll, kPioneers, kGroup, kUnassigned, kCongregation };
  Kind kind = Kind::kAll;
  int group = 0;  // kGroup: 1 ..
};

// kPdfFolder: a folder of records, one filled official form per publisher.
enum class OutputKind { kNone, kPdf, kPrinter, kOps, kPdfFolder };

// The command line of morvind-print, parsed but not yet checked against the
// data (card version count, groups, publishers).
struct CliOptions {
  bool help = false;
  bool version = false;
  std::filesystem::path dataDir;                      // empty: the working directory
  std::optional<std::filesystem::path> settingsFile;  // empty: the program's own
  std::optional<LocalDate> date;                      // empty: the clock

  bool selectionGiven = false;
  CardSelection selection;
  FilterChoice filter;

  std::optional<std::array<bool, 12>> months;  // September .. August; empty: "enabled"
  bool totals = false;
  bool noHeader = false;
  bool gender = false;
  bool previousYear = false;
  // Each record's previous and current service year, one after the other.
  bool bothYears = false;
  bool completeCard = false;
  bool testSheet = false;  // the test print: the cards over the grid and crosses of the test sheet
  bool noLongName = false;
  bool lastNameFirst = false;
  std::optional<int> cardVersion;
  std::optional<RecordForm> form;                 // empty: the setting "Form"
  std::optional<std::filesystem::path> formFile;  // the official form; empty: the setting
  bool flatten = false;  // --pdf of one official form: its fields drawn into the page
  // The options given that only the card S-21 10/15 knows, in the order
  // given; the sheet S-21 11/23 takes none of them.
  std::vector<std::string> cardOnlyOptions;

  OutputKind output = OutputKind::kNone;
  std::string outputTarget;  // file, folder or printer name; "-" for --ops: standard output
  std::optional<int> dpi;

  std::optional<std::string> password;
};

struct ParseResult {
  CliOptions options;
  std::string error;  // empty when the command line is sound
};

// Parses the arguments after the program name. Options take their value as
// the next argument (one that does not begin with "--") or after "="
// (--pdf=cards.pdf); each may be given once.
// --help, and then --version, win over everything else that is well-formed.
ParseResult ParseCliOptions(const std::vector<std::string>& args);

// The message for an option that only the card knows, given while the sheet
// S-21 11/23 or the official form (`form`) is chosen (`bySettings`: by the
// settings file, not by --form).
std::string CardOnlyOptionMessage(const std::string& option, bool bySettings,
                                  RecordForm form = RecordForm::kSheet1123);

// The message for --both-years with the card S-21 10/15 (`bySettings`:
// chosen by the settings file, not by --form).
std::string BothYearsFormMessage(bool bySettings);

// The message for --filter congregation with the card S-21 10/15
// (`bySettings`: chosen by the settings file, not by --form).
std::string CongregationFormMessage(bool bySettings);

// The text of --help.
std::string HelpText();

// "YYYY-MM-DD" with a day that exists in that month.
std::optional<LocalDate> ParseIsoDate(const std::string& text);

}  // namespace morvind::cli
