#include "PrintRun.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "OfficialRun.h"
#include "QtOutput.h"
#include "WriteFailure.h"
#include "app/CardPlan.h"
#include "app/Language.h"
#include "app/PrintNotes.h"
#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "data/CodePage.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "printing/CardDocument.h"
#include "printing/OutputTarget.h"
#include "printing/SheetRules.h"
#include "printing/TestSheet.h"
#include "printing/qt/PrintJob.h"
#include "resources/FileWriter.h"

namespace morvind::cli {
namespace {

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "morvind-print: %s\n", message.c_str());
  return status;
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// An output file must not be one of the files this program only reads,
// and its folder must exist and be writable; checked before anything is
// loaded, so that a mistyped command fails at once.
std::string CheckOutputFile(const std::filesystem::path& target, const DataFolder& folder,
                            const std::filesystem::path& settingsFile, const StringTable& strings) {
  const std::string name = target.string();
  switch (CheckOutputTarget(target, folder, settingsFile, strings)) {
    case TargetProblem::kNone:
      break;
    case TargetProblem::kProgramFile:
      return "won't write over " + name + ": it is a data, settings or layout file";
    case TargetProblem::kIsFolder:
      return "can't write " + name + ": it is a folder";
    case TargetProblem::kNoFolder:
      return "can't write " + name + ": no folder " +
             std::filesystem::absolute(target).parent_path().string();
    case TargetProblem::kNotWritable:
      return "can't write " + name + ": the folder is not writable";
  }
  return std::string();
}

PublisherFilter FilterFor(const FilterChoice& choice, int groupCount) {
  switch (choice.kind) {
    case FilterChoice::Kind::kAll:
      return PublisherFilter{0, 0};
    case FilterChoice::Kind::kPioneers:
      return PublisherFilter{1, 0};
    case FilterChoice::Kind::kGroup:
      return GroupFilter(choice.group);
    case FilterChoice::Kind::kUnassigned:
      return UnassignedFilter(groupCount);
    case FilterChoice::Kind::kCongregation:
      return CongregationFilter();
  }
  return PublisherFilter{};
}

std::string NoCardMessage(const CliOptions& options) {
  switch (options.selection.kind) {
    case CardSelection::Kind::kPublisher:
      return "no such publisher: record " + std::to_string(options.selection.publisher) +
             " is not in the list";
    case CardSelection::Kind::kName:
      if (options.filter.kind == FilterChoice::Kind::kCongregation)
        return "no such record: no totals record's name begins with '" +
               options.selection.namePrefix + "'";
      return "no such publisher: no listed name begins with '" + options.selection.namePrefix + "'";
    case CardSelection::Kind::kAll:
      break;
  }
  return "no such publisher: the list shows nobody";
}

std::string Plural(std::size_t count, RecordForm form) {
  const std::string noun = IsSheetForm(form) ? " sheet" : " card";
  return std::to_string(count) + noun + (count == 1 ? "" : "s");
}

// What the print job and the PDF file carry as their title, as the
// window names them: the one record's line ("S-21 2027 Müller, Jürgen"),
// or the list's filter ("S-21 2027 Gruppe 2"); with --both-years both
// service years ("S-21 2026-2027 Müller, Jürgen").
std::string DocumentTitle(const CliOptions& options, const std::vector<CardRequest>& requests,
                          const std::vector<PublisherListLine>& lines,
                          const PublisherFilter& filter, const StringTable& strings) {
  std::string name = FilterCaption(filter, strings);
  if (options.selection.kind != CardSelection::Kind::kAll) {
    const CardRequest& card = requests.front();
    for (const PublisherListLine& line : lines)
      if (line.totals ? line.totals == card.totalsRecord : line.recordIndex == card.publisher)
        name = line.text;
  }
  const int serviceYear = PrintedServiceYear(requests.front());
  return options.bothYears ? TwoYearsTitle(serviceYear, name) : RecordTitle(serviceYear, name);
}

}  // namespace

int WriteListing(const CliOptions& options, const std::string& listing, const std::string& what) {
  if (options.outputTarget == "-") {
    if (std::fwrite(listing.data(), 1, listing.size(), stdout) != listing.size() ||
        std::fflush(stdout) != 0)
      return Fail(kExitError, "can't write the listing to standard output");
    return kExitOk;
  }
  if (WriteResult written = ReplaceFileContents(options.outputTarget, listing); !written.Ok())
    return Fail(kExitError, CantWriteMessage(options.outputTarget, written));
  std::printf("morvind-print: %s listed in %s\n", what.c_str(), options.outputTarget.c_str());
  return kExitOk;
}

int RunPrint(const CliOptions& options, const std::filesystem::path& programFolder) {
  const StringTable strings = StringTable::German();
  const std::string languageCode = strings.LanguageCode();
  if (const char* locale = LocaleFor(languageCode)) std::setlocale(LC_ALL, locale);

  if (options.cardVersion && *options.cardVersion >= CardVersionCount(strings)) {
    return Fail(kExitError, "no card version " + std::to_string(*options.cardVersion) +
                                " (there are 0.." + std::to_string(CardVersionCount(strings) - 1) +
                                ")");
  }

  if (!options.dataDir.empty() && !IsFolder(options.dataDir))
    return Fail(kExitError, "no data folder " + options.dataDir.string());
  const DataFolder folder(options.dataDir);

  std::filesystem::path settingsPath;
  if (options.settingsFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(*options.settingsFile, error))
      return Fail(kExitError, "no settings file " + options.settingsFile->string());
    settingsPath = *options.settingsFile;
  } else {
    settingsPath = SettingsFileFor(programFolder / "morvind");
  }

  std::filesystem::path formFile;
  if (std::string problem = ChooseFormFile(options, ProfileFile(settingsPath), strings, formFile);
      !problem.empty())
    return Fail(kExitError, problem);

  const bool toStandardOutput = options.output == OutputKind::kOps && options.outputTarget == "-";
  if (options.output != OutputKind::kPrinter && !toStandardOutput) {
    std::string problem = CheckOfficialOutput(options, options.outputTarget, formFile);
    if (problem.empty() && options.output != OutputKind::kPdfFolder)
      problem = CheckOutputFile(options.outputTarget, folder, settingsPath, strings);
    if (!problem.empty()) return Fail(kExitError, problem);
  }

  {
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder.PathOf(kPublisherTableFile), error)) {
      std::string where =
          options.dataDir.empty() ? "the working directory" : options.dataDir.string();
      return Fail(kExitError,
                  "no publisher table " + std::string(kPublisherTableFile) + " in " + where);
    }
  }

  // The data, as the main window loads them, the password asked of the
  // command line.
  CongregationData data;
  data.table.SetCodePage(CodePageForLanguage(languageCode));
  if (!data.table.Allocate()) return Fail(kExitError, "couldn't allocate memory");
  PasswordAnswer answer = PasswordAnswer::kNotNeeded;
  bool passwordFailed = false;
  LoadCongregationData(
      data, folder,
      [&](const PublisherTable& table) {
        answer = CheckGivenPassword(table, options.password);
        return answer == PasswordAnswer::kNotNeeded || answer == PasswordAnswer::kGranted;
      },
      passwordFailed);
  if (passwordFailed) {
    return Fail(kExitPasswordRefused, answer == PasswordAnswer::kMissing
                                          ? "the data are protected by a password: give it "
                                            "with --password"
                                          : "wrong password");
  }

  const ProfileFile settingsFile(settingsPath);
  Settings settings;
  settings.firstNameSort = ReadFirstNameSort(settingsFile, languageCode);
  if (IsPortuguese(languageCode) && data.table.Count() != 0)
    SortPublishersByName(data.table, settings.firstNameSort != 0);
  ReadFormatAndMargins(settingsFile, strings, settings);
  if (options.lastNameFirst) settings.lastNameFirst = 1;

  const ReportPeriod period = ReportPeriodFor(options.date ? *options.date : SystemClock().Today());

  const int groupCount = FilterGroupCount(data.groups.GroupCount());
  if (options.filter.kind == FilterChoice::Kind::kGroup && options.filter.group > groupCount) {
    return Fail(kExitError, "no group " + std::to_string(options.filter.group) +
                                " (the data have " + std::to_string(groupCount) +
                                (groupCount == 1 ? " group)" : " groups)"));
  }
  bool hasUnassigned = false;
  const std::vector<PublisherListLine> lines = PublisherListLines(
      data.table, FilterFor(options.filter, data.groups.GroupCount()), period.reportMonth,
      period.reportYearShort, settings.firstNameSort != 0, hasUnassigned);
  PrintWishes wishes;
  wishes.form = options.form ? *options.form : settings.form;
  if (IsSheetForm(wishes.form) && !options.cardOnlyOptions.empty())
    return Fail(kExitError,
                CardOnlyOptionMessage(options.cardOnlyOptions.front(), true, wishes.form));
  if (options.filter.kind == FilterChoice::Kind::kCongregation && !IsSheetForm(wishes.form))
    return Fail(kExitError, CongregationFormMessage(true));
  if (options.bothYears && !IsSheetForm(wishes.form))
    return Fail(kExitError, BothYearsFormMessage(true));
  wishes.cardVersion = options.cardVersion ? *options.cardVersion : settings.cardVersion;
  wishes.completeCard = options.completeCard;
  wishes.printHeader = !options.noHeader;
  wishes.genderTicks = options.gender;
  wishes.previousYear = options.previousYear;
  wishes.totals = options.totals;
  wishes.useLongName = !options.noLongName;
  if (options.months) {
    wishes.months = *options.months;
  } else {
    wishes.months.fill(true);  // "enabled": the rule keeps the months it allows
  }

  CardSetup setup;
  setup.strings = &strings;
  setup.languageCode = languageCode;
  setup.fontCharset = FontCharsetFor(languageCode);
  setup.settings = settings;
  setup.period = period;
  setup.choices = ChoosePrintOptions(wishes, period.reportMonth);
  LoadLayoutOrDefaults(setup.layout, setup.choices.cardVersion, folder, strings);
  std::vector<CardRequest> requests =
      PlanCards(data, lines, options.selection, BaseCardRequest(data, setup), folder);
  if (requests.empty()) return Fail(kExitError, NoCardMessage(options));

  CardDocumentOptions document;
  document.title = DocumentTitle(options, requests, lines,
                                 FilterFor(options.filter, data.groups.GroupCount()), strings);
  if (options.bothYears) requests = BothServiceYears(requests);
  if (wishes.form == RecordForm::kOfficialForm)
    return RunOfficialForm(options, requests, settings.firstNameSort != 0, formFile,
                           document.title);

  document.testSheet = options.testSheet;
  document.gridUnit = settings.unit;
  if (options.testSheet && !std::all_of(requests.begin(), requests.end(), TakesTestSheet))
    return Fail(kExitError,
                "--test-sheet needs cards printed at the layout's positions, not "
                "--complete-card");

  std::string error;
  switch (options.output) {
    case OutputKind::kOps:
      return WriteListing(options, DrawingListing(requests, options.dpi.value_or(600), document),
                          Plural(requests.size(), wishes.form));
    case OutputKind::kPdf: {
      const PrintResult written = WritePdf(requests, options.outputTarget, document);
      if (written.outcome == PrintOutcome::kNotWritten)
        return Fail(kExitError, CantWriteMessage(options.outputTarget, written.write));
      if (written.outcome != PrintOutcome::kPrinted)
        return Fail(kExitError, "can't write " + options.outputTarget);
      std::printf("morvind-print: %s written to %s\n", Plural(requests.size(), wishes.form).c_str(),
                  std::filesystem::absolute(options.outputTarget).c_str());
      return kExitOk;
    }
    case OutputKind::kPrinter:
      if (!PrintOnPrinter(requests, options.outputTarget, document, error))
        return Fail(kExitError, error);
      std::printf("morvind-print: %s sent to %s\n", Plural(requests.size(), wishes.form).c_str(),
                  options.outputTarget.c_str());
      return kExitOk;
    case OutputKind::kPdfFolder:  // refused for the drawn forms before
    case OutputKind::kNone:
      break;
  }
  return Fail(kExitError, "choose the output: --pdf FILE, --printer NAME or --ops FILE");
}

}  // namespace morvind::cli
