#include "CliOptions.h"

#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <string_view>

namespace morvind::cli {
namespace {

// A whole decimal number in [low, high], nothing around it.
std::optional<int> ParseNumber(std::string_view text, int low, int high) {
  int value = 0;
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

// "9,10,11" (calendar months) into the card's rows, September first.
std::optional<std::array<bool, 12>> ParseMonths(std::string_view text) {
  std::array<bool, 12> rows{};
  std::size_t start = 0;
  while (true) {
    std::size_t comma = text.find(',', start);
    std::string_view item = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::optional<int> month = ParseNumber(item, 1, 12);
    if (!month) return std::nullopt;
    rows[static_cast<std::size_t>((*month + 3) % 12)] = true;  // September (9) is row 0
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return rows;
}

std::optional<FilterChoice> ParseFilter(std::string_view text) {
  FilterChoice choice;
  if (text == "all") return choice;
  if (text == "pioneers") {
    choice.kind = FilterChoice::Kind::kPioneers;
    return choice;
  }
  if (text == "unassigned") {
    choice.kind = FilterChoice::Kind::kUnassigned;
    return choice;
  }
  if (text == "congregation") {
    choice.kind = FilterChoice::Kind::kCongregation;
    return choice;
  }
  constexpr std::string_view kGroup = "group:";
  if (text.substr(0, kGroup.size()) == kGroup) {
    std::optional<int> group = ParseNumber(text.substr(kGroup.size()), 1, 127);
    if (!group) return std::nullopt;
    choice.kind = FilterChoice::Kind::kGroup;
    choice.group = *group;
    return choice;
  }
  return std::nullopt;
}

std::optional<RecordForm> ParseForm(std::string_view text) {
  if (text == "10/15") return RecordForm::kCard1015;
  if (text == "11/23") return RecordForm::kSheet1123;
  if (text == "official") return RecordForm::kOfficialForm;
  return std::nullopt;
}

// The options the sheet S-21 11/23 has no use for: what they choose is the
// card's (its header, its boxes, its versions, its test print).
bool IsCardOnlyOption(const std::string& option) {
  static const std::set<std::string> kCardOnly = {
      "--complete-card", "--no-header",    "--gender",     "--totals",
      "--months",        "--card-version", "--test-sheet", "--form-overlay"};
  return kCardOnly.count(option) != 0;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

std::optional<LocalDate> ParseIsoDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  std::optional<int> year = ParseNumber(std::string_view(text).substr(0, 4), 1900, 9999);
  std::optional<int> month = ParseNumber(std::string_view(text).substr(5, 2), 1, 12);
  std::optional<int> day = ParseNumber(std::string_view(text).substr(8, 2), 1, 31);
  if (!year || !month || !day) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int last = kDays[*month - 1] + (*month == 2 && IsLeapYear(*year) ? 1 : 0);
  if (*day > last) return std::nullopt;
  return LocalDate{*year, *month, *day};
}

ParseResult ParseCliOptions(const std::vector<std::string>& args) {
  ParseResult result;
  CliOptions& o = result.options;
  std::set<std::string> seen;
  std::string error;
  auto fail = [&](std::string message) {
    if (error.empty()) error = std::move(message);
  };

  auto setOutput = [&](OutputKind kind, const std::string& option, const std::string& value) {
    if (o.output != OutputKind::kNone) {
      fail("give one output only: --pdf, --pdf-folder, --printer or --ops");
      return;
    }
    if (value.empty()) {
      fail(option + " needs a " +
           (kind == OutputKind::kPrinter     ? "printer name"
            : kind == OutputKind::kPdfFolder ? "folder"
                                             : "file name"));
      return;
    }
    o.output = kind;
    o.outputTarget = value;
  };
  auto setSelection = [&](CardSelection::Kind kind) {
    if (o.selectionGiven) {
      fail("choose the cards once: --publisher N, --name TEXT or --all");
      return false;
    }
    o.selectionGiven = true;
    o.selection.kind = kind;
    return true;
  };

  using ValueHandler = std::function<void(const std::string& option, const std::string& value)>;
  const std::map<std::string, ValueHandler> valueOptions = {
      {"--data",
       [&](const std::string& option, const std::string& v) {
         if (v.empty()) fail(option + " needs a folder");
         o.dataDir = v;
       }},
      {"--settings",
       [&](const std::string& option, const std::string& v) {
         if (v.empty()) fail(option + " needs a file name");
         o.settingsFile = v;
       }},
      {"--date",
       [&](const std::string&, const std::string& v) {
         o.date = ParseIsoDate(v);
         if (!o.date) fail("bad date '" + v + "': give YYYY-MM-DD");
       }},
      {"--publisher",
       [&](const std::string&, const std::string& v) {
         if (!setSelection(CardSelection::Kind::kPublisher)) return;
         std::optional<int> index = ParseNumber(v, 0, 1 << 30);
         if (!index) fail("bad record index '" + v + "' for --publisher");
         o.selection.publisher = index.value_or(0);
       }},
      {"--name",
       [&](const std::string&, const std::string& v) {
         if (!setSelection(CardSelection::Kind::kName)) return;
         if (v.empty()) fail("--name needs the beginning of a name");
         o.selection.namePrefix = v;
       }},
      {"--filter",
       [&](const std::string&, const std::string& v) {
         std::optional<FilterChoice> filter = ParseFilter(v);
         if (!filter)
           fail("bad filter '" + v + "': give all, pioneers, group:N, unassigned or congregation");
         o.filter = filter.value_or(FilterChoice{});
       }},
      {"--months",
       [&](const std::string&, const std::string& v) {
         if (v == "enabled") return;
         o.months = ParseMonths(v);
         if (!o.months)
           fail("bad month list '" + v + "': give month numbers 1..12 like 9,10,11, or enabled");
       }},
      {"--card-version",
       [&](const std::string&, const std::string& v) {
         o.cardVersion = ParseNumber(v, 0, 255);
         if (!o.cardVersion) fail("bad card version '" + v + "'");
       }},
      {"--form",
       [&](const std::string&, const std::string& v) {
         o.form = ParseForm(v);
         if (!o.form) fail("bad form '" + v + "': give 10/15, 11/23 or official");
       }},
      {"--form-file",
       [&](const std::string& option, const std::string& v) {
         if (v.empty()) fail(option + " needs a file name");
         o.formFile = v;
       }},
      {"--pdf-folder", [&](const std::string& option,
                           const std::string& v) { setOutput(OutputKind::kPdfFolder, option, v); }},
      {"--pdf", [&](const std::string& option,
                    const std::string& v) { setOutput(OutputKind::kPdf, option, v); }},
      {"--printer", [&](const std::string& option,
                        const std::string& v) { setOutput(OutputKind::kPrinter, option, v); }},
      {"--ops", [&](const std::string& option,
                    const std::string& v) { setOutput(OutputKind::kOps, option, v); }},
      {"--dpi",
       [&](const std::string&, const std::string& v) {
         o.dpi = ParseNumber(v, 50, 4800);
         if (!o.dpi) fail("bad resolution '" + v + "' for --dpi: give 50..4800");
       }},
      {"--password", [&](const std::string&, const std::string& v) { o.password = v; }},
  };
  const std::map<std::string, bool*> flagOptions = {
      {"--totals", &o.totals},
      {"--no-header", &o.noHeader},
      {"--gender", &o.gender},
      {"--previous-year", &o.previousYear},
      {"--both-years", &o.bothYears},
      {"--flatten", &o.flatten},
      {"--complete-card", &o.completeCard},
      {"--test-sheet", &o.testSheet},
      {"--form-overlay", &o.testSheet},  // the option's earlier name
      {"--no-long-name", &o.noLongName},
      {"--last-name-first", &o.lastNameFirst},
      {"--help", &o.help},
      {"--version", &o.version},
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "-h") arg = "--help";
    std::optional<std::string> inlineValue;
    if (std::size_t equals = arg.find('=');
        arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      inlineValue = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
    }
    if (arg == "--all") {
      if (inlineValue) fail(arg + " takes no value");
      setSelection(CardSelection::Kind::kAll);
      continue;
    }
    if (auto flag = flagOptions.find(arg); flag != flagOptions.end()) {
      if (inlineValue) fail(arg + " takes no value");
      if (!seen.insert(arg).second) fail(arg + " is given twice");
      *flag->second = true;
      if (IsCardOnlyOption(arg)) o.cardOnlyOptions.push_back(arg);
      continue;
    }
    auto option = valueOptions.find(arg);
    if (option == valueOptions.end()) {
      fail(arg.rfind("-", 0) == 0 ? "unknown option " + arg : "unexpected argument '" + arg + "'");
      continue;
    }
    std::string value;
    if (inlineValue) {
      value = *inlineValue;
    } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
      // "--pdf --all" forgot the file name; a value that really begins with
      // "--" is given as --pdf=--name.pdf.
      value = args[++i];
    } else {
      fail(arg + " needs a value");
      continue;
    }
    if (!seen.insert(arg).second) {
      fail(arg + " is given twice");
      continue;
    }
    option->second(arg, value);
    if (IsCardOnlyOption(arg)) o.cardOnlyOptions.push_back(arg);
  }
  if (o.help || o.version) return result;  // answered whatever else was typed

  if (error.empty() && !o.selectionGiven)
    fail("choose the cards: --publisher N, --name TEXT or --all");
  if (error.empty() && o.output == OutputKind::kNone)
    fail("choose the output: --pdf FILE, --pdf-folder DIR, --printer NAME or --ops FILE");
  if (error.empty() && o.form && IsSheetForm(*o.form) && !o.cardOnlyOptions.empty())
    fail(CardOnlyOptionMessage(o.cardOnlyOptions.front(), false, *o.form));
  if (error.empty() && o.form && *o.form != RecordForm::kOfficialForm) {
    if (o.formFile) fail("--form-file is for --form official");
    if (o.output == OutputKind::kPdfFolder) fail("--pdf-folder is for --form official");
    if (o.flatten) fail("--flatten is for --form official");
  }
  if (error.empty() && o.bothYears) {
    if (o.output == OutputKind::kPdfFolder)
      fail("--both-years can't go with --pdf-folder: a record file holds one service year");
    if (o.previousYear)
      fail(
          "--both-years can't go with --previous-year: it prints the previous service year and "
          "the current one");
    if (o.form == RecordForm::kCard1015) fail(BothYearsFormMessage(false));
  }
  if (error.empty() && o.flatten && o.output != OutputKind::kPdf)
    fail(o.output == OutputKind::kPdfFolder
             ? "--flatten can't go with --pdf-folder: the folder keeps fillable files"
             : "--flatten is for --pdf");
  const bool congregation = o.filter.kind == FilterChoice::Kind::kCongregation;
  if (error.empty() && congregation && o.selection.kind == CardSelection::Kind::kPublisher)
    fail(
        "--publisher takes a publisher's record index, not a record of --filter congregation "
        "(give --all or --name)");
  if (error.empty() && congregation && o.form == RecordForm::kCard1015)
    fail(CongregationFormMessage(false));
  if (error.empty() && o.dpi && o.output != OutputKind::kOps)
    fail("--dpi applies to --ops only (PDF files and printers use their own resolution)");
  result.error = error;
  return result;
}

std::string CardOnlyOptionMessage(const std::string& option, bool bySettings, RecordForm form) {
  const bool official = form == RecordForm::kOfficialForm;
  if (bySettings) {
    return option + " is for the card S-21 10/15; the settings choose the " +
           (official ? "official form S-21 11/23" : "sheet S-21 11/23") +
           " (give --form 10/15 for the card)";
  }
  return option + " is for the card S-21 10/15, not for --form " +
         (official ? "official" : "11/23");
}

std::string BothYearsFormMessage(bool bySettings) {
  if (bySettings) {
    return "--both-years is for the sheet S-21 11/23; the settings choose the card S-21 10/15 "
           "(give --form 11/23 for the sheet)";
  }
  return "--both-years is for the sheet S-21 11/23, not for --form 10/15";
}

std::string CongregationFormMessage(bool bySettings) {
  if (bySettings) {
    return "--filter congregation is for the sheet S-21 11/23; the settings choose the card "
           "S-21 10/15 (give --form 11/23 for the sheet)";
  }
  return "--filter congregation is for the sheet S-21 11/23, not for --form 10/15";
}

std::string HelpText() {
  return R"help(usage: morvind-print (--publisher N | --name TEXT | --all) (--pdf FILE | --pdf-folder DIR | --printer NAME | --ops FILE) [options]

Prints publisher record cards (S-21) with the same data, settings, layouts
and rules as the main window of morvind. It only reads: it never writes the
data files, the settings file or a layout file.

Where the data and settings are:
  --data DIR          folder with tdat9.bin, bkstudy.dat, xten7.dat, remark9.dat
                      and the layout files (default: the working directory)
  --settings FILE     settings file (default: the one morvind uses, morvind.INI
                      beside the program, or ~/.config/morvind/morvind.INI)
  --date YYYY-MM-DD   take this day instead of the clock; the report month is
                      the month before it
  --password TEXT     the data access password, when the data carry one

Which cards (one page a card, in list order, in one document):
  --publisher N       the publisher with record index N
  --name TEXT         the first listed publisher whose name, as the list shows
                      it ("Müller, Jürgen"), begins with TEXT (case ignored)
  --all               every publisher the list shows
  --filter F          the list's filter: all (default), pioneers, group:N,
                      unassigned or congregation; it applies to --publisher
                      and --name as well. congregation lists the
                      congregation's four totals records, only on the sheet
                      S-21 11/23: "Verkündiger (Summe)", "Hilfspioniere
                      (Summe)", "Allgemeine Pioniere (Summe)" and
                      "Sonderpioniere (Summe)", each adding up month by month
                      the reports of every publisher record (inactive ones
                      too) by the month's status; take them with --all or
                      --name ("--name Hilf"), not with --publisher

What the cards hold (the main window's print options and their rules):
  --form F            the record form: 10/15, the card S-21 10/15; 11/23,
                      the sheet S-21 11/23 drawn whole on plain paper, one
                      service year a page; or official, the sheet S-21 11/23
                      as the congregation's own fillable PDF form in its
                      language, filled in (default: the setting "Form", which
                      is 10/15 unless chosen otherwise in the window). Both
                      11/23 forms take --previous-year and the name options;
                      the options only the card knows (--complete-card,
                      --no-header, --gender, --totals, --months,
                      --card-version, --test-sheet) are errors with them;
                      a drawn sheet wider than the page prints is warned of.
  --form-file FILE    the official form's PDF file (default: the setting
                      "Form File", the file chosen in the window's options).
                      A file that is not a fillable S-21 11/23 form is an
                      error; it is only read, never written.
  --flatten           with --pdf and one record (--publisher or --name): the
                      filled form with its fields drawn into the page, no
                      longer fillable (with --all or --both-years it always
                      is)
  --months LIST       calendar month numbers, e.g. 9,10,11, or "enabled" (the
                      default): every month the month rule enables. Months the
                      rule disables (in the current service year, those after
                      the report month) are left out, as their boxes can't be
                      ticked.
  --totals            the totals row, when the month rule allows it (the whole
                      service year can be chosen, or the report month is August)
  --no-header         leave out the card header (name, address, ...)
  --gender            the male/female tick (only with the header)
  --previous-year     the previous service year instead of the current one
  --both-years        for a publisher who moves: each record's previous
                      service year (all twelve months), then its current one
                      (up to the report month); with the sheet S-21 11/23 two
                      pages, with the official form its two filled forms. With
                      --pdf, --printer and --ops; not with --pdf-folder (a
                      record file holds one service year), --previous-year or
                      the card S-21 10/15
  --complete-card     draw the whole form: card version 0 and its layout, the
                      header, the names of all twelve months, and the figures
                      of every month up to the report month (of all twelve
                      with --previous-year); --months and --card-version are
                      then not used
  --test-sheet        the test print for pre-printed cards ("Probedruck" in
                      the window): each card in black over a ruler grid in
                      light grey, in the unit the layout details show (the
                      setting "Unit": inches or millimetres), whose origin is
                      the page margins, and a cross with the name of each
                      layout position where it lies: lay the sheet on a
                      pre-printed card and read off the values to enter. Any
                      card version; not with --complete-card (an error).
                      --form-overlay is the same option.
  --no-long-name      print the formatted name even where a long name exists
  --last-name-first   "Last, First" (default: the setting "Last Name First")
  --card-version V    card version 0, 1 or 2 (default: the setting). Versions
                      other than 0 allow no header, no complete card, no
                      previous year and no long name: those options are dropped.

Where to:
  --pdf FILE          a PDF file. With the official form and --publisher or
                      --name the filled form of that record, its fields still
                      fillable (drawn into the page with --flatten); with
                      --all, however many records the list holds, one PDF of
                      all of them in list order, their fields drawn into the
                      pages (flattened): every viewer and printer shows the
                      same, nothing can be changed by accident, the texts
                      stay text in embedded fonts
  --pdf-folder DIR    the official form only: a folder of records (made when
                      its parent exists), one filled form per publisher named
                      "S-21 2025 Müller, Jürgen.pdf" from the whole table
                      (namesakes numbered " (2)" … in the order of their
                      publisher ids). A file is written when it is new,
                      replaced only when it is byte for byte Morvind's file of
                      that publisher, left untouched when it holds the same
                      values; every other file is kept and named on standard
                      error with its reason, and the summary goes to standard
                      output
  --printer NAME      a CUPS printer (with the official form one job of one
                      filled form per publisher)
  --ops FILE          the drawing listing, one JSON object a line, in drawing
                      order and device units ("-": standard output); with the
                      official form, per publisher a line {"op":"page"} and
                      one line per field in the form's order:
                      {"op":"field","name":"900_1_Text_SanSerif","text":"..."}
                      or {"op":"field","name":"900_3_CheckBox","checked":true}
  --dpi N             device units per inch of the listing (default 600; no
                      effect with the official form)

  -h, --help          this text
      --version       the program's version

A value may also follow its option after "=" (--pdf=cards.pdf); a value that
begins with "--" must be given that way.

Exit status: 0 printed (also when a folder of records kept files); 2 a bad
command line, a missing data folder or settings file, no such publisher or
group, a form file that can't serve, an output that can't be written (nothing
is written then), another run filling the folder of records, or a fault of
that folder (a full disk: the files written before stay, each complete); 3
the data carry a password and --password is missing or wrong.
)help";
}

}  // namespace morvind::cli
