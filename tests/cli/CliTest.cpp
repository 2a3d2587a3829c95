// Runs the real morvind-print as a subprocess on demo data in temporary
// folders and checks what it writes, what it says and its exit status.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ProgramInfo.h"
#include "data/CongregationData.h"
#include "data/ExtendedInfo.h"
#include "data/TextServices.h"
#include "layout/LayoutFile.h"
#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "printing/qt/QtTextMeasure.h"
#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"
#include "support/TempFolder.h"

namespace morvind {
namespace {

namespace fs = std::filesystem;

const char* const kBinary = MORVIND_PRINT_BINARY;
const char* const kWindowBinary = MORVIND_BINARY;
const LocalDate kToday{2024, 3, 10};  // report month February 2024: September .. February
const char* const kTodayText = "2024-03-10";
constexpr int kListed = 39;  // the demo congregation's 40 publishers less the inactive one

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `args` in `cwd`, without a display, stdin from
// /dev/null, capturing both outputs into files of `captureDir`.
RunResult RunProgram(const std::vector<std::string>& args, const fs::path& cwd,
                     const fs::path& captureDir, const std::string& program = kBinary) {
  const fs::path outFile = captureDir / "stdout";
  const fs::path errFile = captureDir / "stderr";
  pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    int in = ::open("/dev/null", O_RDONLY);
    int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    ::_exit(127);
  }
  RunResult result;
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    result.status = WEXITSTATUS(status);
  result.out = ReadFile(outFile);
  result.err = ReadFile(errFile);
  return result;
}

bool ToolAvailable(const std::string& tool, const fs::path& captureDir) {
  return RunProgram({"-v"}, captureDir, captureDir, tool).status == 0;
}

// Every file of a folder (one level) with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    files[entry.path().filename().string()] =
        entry.is_regular_file() ? ReadFile(entry.path()) : std::string("<folder>");
  }
  return files;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The first text drawn on each page of a listing: the card's name when the
// header is printed.
std::vector<std::string> FirstTextOfEachPage(const std::string& listing) {
  std::vector<std::string> names;
  bool pageStarted = false;
  for (const std::string& line : Lines(listing)) {
    if (line == "{\"op\":\"page\"}") {
      pageStarted = true;
      names.push_back("");
    } else if (pageStarted && line.rfind("{\"op\":\"text\"", 0) == 0) {
      const std::string key = "\"text\":\"";
      std::size_t start = line.find(key) + key.size();
      names.back() = line.substr(start, line.find('"', start) - start);
      pageStarted = false;
    }
  }
  return names;
}

// A text of a drawing listing and its word in the PDF; the listed x is the
// word's left end, or its right end (alignments 2 and 3).
struct PositionCheck {
  const char* listed;
  const char* word;
  bool rightEdge;
};

// A data folder with the demo congregation (written for kToday) and an
// empty settings file, and a second folder for what the runs print.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.IsValid());
    ASSERT_TRUE(capture_.IsValid());
    ASSERT_TRUE(test::WriteCongregation(data_.Path(), Demo()));
    WriteFile(Settings(), "");
  }

  virtual test::DemoCongregation Demo() { return test::MakeDemoCongregation(kToday); }

  fs::path Settings() const { return data_.File("test.INI"); }

  // Runs in the data folder with the test's settings file and date (in
  // front of the arguments), unless the arguments name their own.
  RunResult Print(std::vector<std::string> args) {
    if (std::find(args.begin(), args.end(), "--settings") == args.end())
      args.insert(args.begin(), {"--settings", Settings().string()});
    if (std::find(args.begin(), args.end(), "--date") == args.end())
      args.insert(args.begin(), {"--date", kTodayText});
    return RunProgram(args, data_.Path(), capture_.Path());
  }

  // The listing at 1200 units per inch and the PDF of the page of `card`
  // put each checked text at the same place, within a point.
  void ExpectListedPositionsArePrinted(const std::vector<std::string>& card,
                                       const std::vector<PositionCheck>& checks);

  test::TempFolder data_{"cli-data"};
  test::TempFolder capture_{"cli-capture"};
};

// Texts measured in the fonts of the print, as morvind-print measures them
// for its listing; the fonts need a Qt application.
RecordingSurface::TextMeasure PrintFonts() {
  static int argc = 1;
  static char name[] = "morvind_cli_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
  return QtFontTextMeasure();
}

// The listing the drawing code gives for `cards` on a RecordingSurface.
std::string ExpectedListing(const std::vector<CardRequest>& cards, int dpi) {
  RecordingSurface surface(dpi, dpi);
  surface.SetTextMeasure(PrintFonts());
  DrawCardDocument(surface, cards);
  return surface.ToJsonLines();
}

TEST_F(CliTest, PrintsEveryListedCardIntoOnePdfWithoutADisplay) {
  if (!ToolAvailable("pdfinfo", capture_.Path()) || !ToolAvailable("pdftotext", capture_.Path()))
    GTEST_SKIP() << "poppler-utils are not installed";
  const auto before = Snapshot(data_.Path());

  RunResult run = Print({"--all", "--pdf", "cards.pdf"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find(data_.File("cards.pdf").string()), std::string::npos) << run.out;

  // Nothing but the PDF is new, and nothing else changed.
  auto after = Snapshot(data_.Path());
  ASSERT_EQ(after.count("cards.pdf"), 1u);
  after.erase("cards.pdf");
  EXPECT_EQ(after, before);

  const fs::path pdf = data_.File("cards.pdf");
  RunResult info = RunProgram({pdf.string()}, capture_.Path(), capture_.Path(), "pdfinfo");
  EXPECT_NE(info.out.find("Pages:           " + std::to_string(kListed) + "\n"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("Title:           S-21 2024 Alle Verkündiger"), std::string::npos)
      << info.out;

  // One card a page, in list order; the long name where there is one.
  const struct {
    int page;
    std::string name;
  } pages[] = {{1, "Jürgen Friedrich Müller-Lüdenscheidt"},
               {2, "Käthe Müller"},
               {37, "Ömer Özdemir"},
               {kListed, "Friedrich Weißmüller"}};
  for (const auto& p : pages) {
    std::string page = std::to_string(p.page);
    RunResult text = RunProgram({"-f", page, "-l", page, pdf.string(), "-"}, capture_.Path(),
                                capture_.Path(), "pdftotext");
    EXPECT_NE(text.out.find(p.name), std::string::npos) << "page " << p.page << ":\n" << text.out;
  }

  RunResult complete = Print({"--publisher", "2", "--complete-card", "--pdf", "complete.pdf"});
  ASSERT_EQ(complete.status, 0) << complete.err;
  RunResult text = RunProgram({data_.File("complete.pdf").string(), "-"}, capture_.Path(),
                              capture_.Path(), "pdftotext");
  for (const char* label :
       {"CONGREGATION'S PUBLISHER RECORD", "Käthe Müller", "SEPTEMBER", "AUGUST", "S-21-E"}) {
    EXPECT_NE(text.out.find(label), std::string::npos) << label << ":\n" << text.out;
  }

  // A4, whole (a PDF file has no margin of its own), takes the 7-inch sheet
  // up to a left margin of 1.27 inches; at 1.50 inches it is said to be cut
  // off, and the file is written all the same.
  for (const char* left : {"1.25", "1.50"}) {
    WriteFile(data_.File("wide.INI"), std::string("[Margins]\nLeft=") + left + "\n");
    const bool wide = left[2] == '5';
    RunResult sheet = Print(
        {"--publisher", "2", "--form", "11/23", "--pdf", "sheet.pdf", "--settings", "wide.INI"});
    ASSERT_EQ(sheet.status, 0) << sheet.err;
    EXPECT_EQ(sheet.err.find("the sheet S-21 11/23 is 8.50 inches wide") != std::string::npos, wide)
        << sheet.err;
  }
}

// What a case changes in the folder, the arguments and the expected request.
struct ListingCase {
  const char* what;
  std::vector<std::string> args;
  int dpi;
  std::function<void(const fs::path& folder)> prepare;
  std::function<void(CardRequest&)> expect;
  bool bothYears = false;  // the request's previous service year first, then the request
};

TEST_F(CliTest, ListingMatchesTheDrawingOfTheSameRequest) {
  constexpr int kJuergen = 1, kUrsula = 4;
  auto rows = [](std::initializer_list<int> ticked) {
    std::array<bool, 12> months{};
    for (int r : ticked) months[static_cast<std::size_t>(r)] = true;
    return months;
  };
  const std::array<bool, 12> upToFebruary = rows({0, 1, 2, 3, 4, 5});
  const std::array<bool, 12> all = rows({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  StringTable strings = StringTable::German();

  const ListingCase cases[] = {
      {"defaults: header, the months up to the report month, the long name",
       {"--publisher", "1"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.publisher = kJuergen;
         r.cardName = "Jürgen Friedrich Müller-Lüdenscheidt";
         r.months = upToFebruary;
       }},
      {"months the rule disables are dropped, and the totals with them",
       {"--publisher", "1", "--dpi", "300", "--months", "9,2,5", "--totals", "--gender",
        "--last-name-first", "--no-long-name"},
       300,
       nullptr,
       [&](CardRequest& r) {
         r.publisher = kJuergen;
         r.cardName = "Müller, Jürgen";
         r.lastNameFirst = true;
         r.useLongName = false;
         r.genderTicks = true;
         r.months = rows({0, 5});
       }},
      {"the previous service year opens every month and the totals",
       {"--publisher", "4", "--previous-year", "--totals", "--months", "enabled"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.months = all;
         r.totals = true;
         r.previousYearBox = true;
         r.previousServiceYear = true;
       }},
      {"the complete card: version 0, header, all twelve months, the gender box ticked",
       {"--publisher", "4", "--complete-card", "--card-version", "1", "--months", "9",
        "--no-header"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.completeCard = true;
         r.months = all;
         r.genderTicks = true;
       }},
      {"card version 2: its layout, no header, no previous year, no long name",
       {"--publisher", "4", "--card-version", "2", "--previous-year", "--gender"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.cardVersion = 2;
         FillDefaultLayout(r.layout, 2, strings);
         r.printHeader = false;
         r.useLongName = false;
         r.months = upToFebruary;
       }},
      {"the settings file gives date format, name order, card version and margins",
       {"--publisher", "4"},
       600,
       [](const fs::path& folder) {
         WriteFile(folder / "test.INI",
                   "[Format]\nAlt Date Format=2\nLast Name First=1\nCard Version=1\n"
                   "[Margins]\nTop=0.10\nLeft=0.30\n");
       },
       [&](CardRequest& r) {
         r.dateFormat = 2;
         r.lastNameFirst = true;
         r.cardName = "Schäfer, Ursula";
         r.cardVersion = 1;
         FillDefaultLayout(r.layout, 1, strings);
         r.printHeader = false;
         r.useLongName = false;
         r.topMargin = "0.10";
         r.leftMargin = "0.30";
         r.months = upToFebruary;
       }},
      {"a stored card version out of range is version 0",
       {"--publisher", "4"},
       600,
       [](const fs::path& folder) { WriteFile(folder / "test.INI", "[Format]\nCard Version=7\n"); },
       [&](CardRequest& r) { r.months = upToFebruary; }},
      {"the layout file of the card version is used",
       {"--publisher", "4"},
       600,
       [&](const fs::path& folder) {
         LayoutRecord layout;
         FillDefaultLayout(layout, 0, strings);
         layout.Set(kNameX, "1.50");
         layout.Set(kBodyTop, "2.00");
         ASSERT_TRUE(SaveLayoutFile(layout, 0, DataFolder(folder)).Ok());
       },
       [&](CardRequest& r) {
         r.layout.Set(kNameX, "1.50");
         r.layout.Set(kBodyTop, "2.00");
         r.months = upToFebruary;
       }},
      {"the sheet chosen in the settings, of the previous service year whatever the card version",
       {"--publisher", "1", "--previous-year", "--dpi", "1200"},
       1200,
       [](const fs::path& folder) {
         WriteFile(folder / "test.INI", "[Format]\nCard Version=2\nForm=1\n");
       },
       [&](CardRequest& r) {
         r.form = RecordForm::kSheet1123;
         r.previousYearBox = true;
         r.publisher = kJuergen;
         r.cardName = "Jürgen Friedrich Müller-Lüdenscheidt";
       }},
      {"in September the whole year and its totals print",
       {"--publisher", "4", "--totals", "--date", "2024-09-05"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.reportMonth = 7;
         r.months = all;
         r.totals = true;
       }},
      {"both service years of the sheet: the previous one, then the current one",
       {"--name", "Müller, J", "--form", "11/23", "--both-years"},
       600,
       nullptr,
       [&](CardRequest& r) {
         r.form = RecordForm::kSheet1123;
         r.publisher = kJuergen;
         r.cardName = "Jürgen Friedrich Müller-Lüdenscheidt";
       },
       true},
  };

  for (const ListingCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder("cli-listing");
    ASSERT_TRUE(folder.IsValid());
    ASSERT_TRUE(test::WriteCongregation(folder.Path(), Demo()));
    WriteFile(folder.File("test.INI"), "");
    if (c.prepare) c.prepare(folder.Path());
    const auto before = Snapshot(folder.Path());

    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--ops", capture_.File("listing.jsonl").string(), "--settings",
                             folder.File("test.INI").string()});
    if (std::find(args.begin(), args.end(), "--date") == args.end())
      args.insert(args.end(), {"--date", kTodayText});
    RunResult run = RunProgram(args, folder.Path(), capture_.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Snapshot(folder.Path()), before);

    // The same card drawn here from a request made by hand.
    CongregationData data;
    ASSERT_TRUE(data.table.Allocate());
    bool failed = false;
    LoadCongregationData(data, folder.Folder(), nullptr, failed);
    CardRequest request;
    request.table = &data.table;
    request.remarks = &data.remarks;
    request.strings = &strings;
    request.publisher = kUrsula;
    request.cardName = "Ursula Schäfer";
    request.cardMobile = data.table.Text(kUrsula, record::kMobilePhone);
    FillDefaultLayout(request.layout, 0, strings);
    ReportPeriod period = ReportPeriodFor(kToday);
    request.reportMonth = period.reportMonth;
    request.reportYearShort = period.reportYearShort;
    request.currentYear = period.currentYear;
    c.expect(request);
    if (request.publisher != kUrsula)
      request.cardMobile = data.table.Text(request.publisher, record::kMobilePhone);
    std::vector<CardRequest> expected = {request};
    if (c.bothYears) {
      expected.insert(expected.begin(), request);
      expected.front().previousYearBox = expected.front().previousServiceYear = true;
    }
    EXPECT_EQ(ReadFile(capture_.File("listing.jsonl")), ExpectedListing(expected, c.dpi));
  }
}

TEST_F(CliTest, SelectsCardsByRecordFilterAndName) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> names;
  } cases[] = {
      {{"--publisher", "3"}, {"Klaus Schäfer"}},
      {{"--name", "jäger"}, {"Tobias Jäger"}},
      {{"--name", "JÄGER, C"}, {"Claudia Jäger"}},
      {{"--name", "schäfer", "--filter", "pioneers"}, {"Ursula Schäfer"}},
      {{"--all", "--filter", "pioneers"},
       {"Ursula Schäfer", "Dieter Schröder", "Sabine Hübner", "Tobias Jäger", "Claudia Jäger"}},
      // Regular pioneers are never listed under their group.
      {{"--all", "--filter", "group:2"},
       {"Klaus Schäfer", "Uwe Krüger", "Hildegard Krüger", "Karl Fröhlich", "Renate Fröhlich",
        "Peter Wöhler", "Lena Wöhler", "Jens Jürgens", "Dörte Mäder"}},
      {{"--all", "--filter", "unassigned"}, {"Ömer Özdemir"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--no-long-name", "--ops", "-"});
    RunResult run = Print(args);
    ASSERT_EQ(run.status, 0) << c.args[1] << ": " << run.err;
    EXPECT_EQ(FirstTextOfEachPage(run.out), c.names) << c.args[1];
  }

  // The congregation's records, a page each in their order.
  RunResult totals = Print({"--all", "--filter", "congregation", "--form", "11/23", "--ops", "-"});
  ASSERT_EQ(totals.status, 0) << totals.err;
  EXPECT_EQ(FirstTextOfEachPage(totals.out).size(), 4u);
  std::size_t at = 0;
  for (const char* name : {"Verkündiger (Summe)", "Hilfspioniere (Summe)",
                           "Allgemeine Pioniere (Summe)", "Sonderpioniere (Summe)"})
    EXPECT_NE(at = totals.out.find(std::string("\"text\":\"") + name, at), std::string::npos);

  RunResult all = Print({"--all", "--ops", "-"});
  ASSERT_EQ(all.status, 0) << all.err;
  std::vector<std::string> names = FirstTextOfEachPage(all.out);
  ASSERT_EQ(names.size(), static_cast<std::size_t>(kListed));
  EXPECT_EQ(names[0], "Jürgen Friedrich Müller-Lüdenscheidt");
  EXPECT_EQ(names[1], "Käthe Müller");
  EXPECT_EQ(std::count(names.begin(), names.end(), "Erwin Pöhlmann"), 0);  // inactive
}

TEST_F(CliTest, ErrorsExitWithStatusTwoAndWriteNothing) {
  fs::create_directory(data_.File("empty"));
  WriteFile(data_.File("sheet.INI"), "[Format]\nForm=1\n");
  ::mkfifo(data_.File("pipe.pdf").c_str(), 0644);
  fs::create_symlink("gone/cards.pdf", data_.File("link.pdf"));
  WriteFile(data_.File("form.pdf"), test::FillableFormPdf());
  WriteFile(data_.File("official.INI"), "[Format]\nForm=2\nForm File=\"gone.pdf\"\n");
  WriteFile(data_.File("stored.INI"), "[Format]\nForm=1\nForm File=\"form.pdf\"\n");
  const auto before = Snapshot(data_.Path());
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--all", "--pdf", "out.pdf", "--bogus"}, "unknown option --bogus"},
      {{"--all", "--pdf", "out.pdf", "stray"}, "unexpected argument 'stray'"},
      {{"--pdf", "out.pdf"}, "choose the cards"},
      {{"--all", "--publisher", "3", "--pdf", "out.pdf"}, "choose the cards once"},
      {{"--all"}, "choose the output"},
      {{"--all", "--pdf", "out.pdf", "--ops", "out.txt"}, "one output"},
      {{"--all", "--pdf"}, "--pdf needs a value"},
      {{"--pdf", "--all"}, "--pdf needs a value"},
      {{"--all", "--pdf", "out.pdf", "--dpi", "300"}, "--dpi applies to --ops only"},
      {{"--all", "--ops", "out.txt", "--dpi", "0"}, "bad resolution"},
      {{"--all", "--pdf", "out.pdf", "--date", "2024-02-30"}, "bad date"},
      {{"--all", "--pdf", "out.pdf", "--months", "9,13"}, "bad month list"},
      {{"--all", "--pdf", "out.pdf", "--filter", "group:"}, "bad filter"},
      {{"--all", "--pdf", "out.pdf", "--card-version", "3"}, "no card version 3"},
      {{"--all", "--pdf", "out.pdf", "--totals", "--totals"}, "--totals is given twice"},
      {{"--publisher", "999", "--pdf", "out.pdf"}, "no such publisher"},
      {{"--publisher", "40", "--pdf", "out.pdf"}, "no such publisher"},  // inactive
      {{"--publisher", "3", "--filter", "pioneers", "--pdf", "out.pdf"}, "no such publisher"},
      {{"--name", "Zimmermann", "--pdf", "out.pdf"}, "no such publisher"},
      {{"--all", "--filter", "group:4", "--pdf", "out.pdf"}, "no group 4"},
      {{"--all", "--data", "missing", "--pdf", "out.pdf"}, "no data folder missing"},
      {{"--all", "--data", "empty", "--pdf", "out.pdf"}, "no publisher table tdat9.bin"},
      {{"--all", "--settings", "missing.INI", "--pdf", "out.pdf"}, "no settings file"},
      {{"--all", "--pdf", "missing/out.pdf"}, "can't write missing/out.pdf"},
      {{"--all", "--pdf", "empty"}, "it is a folder"},
      {{"--all", "--pdf", "pipe.pdf"}, "can't write pipe.pdf: it is a FIFO, not a regular file"},
      {{"--all", "--ops", "link.pdf"}, "it is a link to gone/cards.pdf, which does not exist"},
      {{"--all", "--ops", "tdat9.bin"}, "won't write over tdat9.bin"},
      {{"--all", "--ops", "./remark9.dat"}, "won't write over"},
      {{"--all", "--ops", "cplot2.dat"}, "won't write over"},
      {{"--all", "--ops", "test.INI"}, "won't write over"},
      {{"--all", "--printer", "no-such-printer"}, "no printer 'no-such-printer'"},
      {{"--all", "--ops", "out.txt", "--test-sheet", "--complete-card"},
       "--test-sheet needs cards printed at the layout's positions"},
      {{"--all", "--pdf", "out.pdf", "--form", "11/24"}, "bad form '11/24'"},
      {{"--all", "--pdf", "out.pdf", "--gender", "--form", "11/23", "--totals"},
       "--gender is for the card S-21 10/15, not for --form 11/23"},
      {{"--all", "--ops", "out.txt", "--form=11/23", "--card-version", "0"},
       "--card-version is for the card"},
      {{"--all", "--ops", "out.txt", "--settings", "sheet.INI", "--months", "9"},
       "--months is for the card S-21 10/15; the settings choose the sheet S-21 11/23"},
      {{"--publisher", "3", "--filter", "congregation", "--form", "11/23", "--pdf", "out.pdf"},
       "--publisher takes a publisher's record index"},
      {{"--all", "--filter", "congregation", "--form", "10/15", "--pdf", "out.pdf"},
       "--filter congregation is for the sheet S-21 11/23, not for --form 10/15"},
      {{"--all", "--filter", "congregation", "--pdf", "out.pdf"},
       "the settings choose the card S-21 10/15 (give --form 11/23"},
      {{"--name", "Meier", "--filter", "congregation", "--form", "11/23", "--pdf", "out.pdf"},
       "no totals record's name begins with 'Meier'"},
      {{"--all", "--pdf", "out.pdf", "--form", "10/15", "--both-years"},
       "--both-years is for the sheet S-21 11/23, not for --form 10/15"},
      {{"--all", "--pdf", "out.pdf", "--both-years"},
       "--both-years is for the sheet S-21 11/23; the settings choose the card S-21 10/15"},
      {{"--all", "--pdf", "out.pdf", "--form", "11/23", "--both-years", "--previous-year"},
       "--both-years can't go with --previous-year"},
      {{"--all", "--pdf-folder", "empty", "--form", "official", "--form-file", "form.pdf",
        "--both-years"},
       "--both-years can't go with --pdf-folder: a record file holds one service year"},
      {{"--publisher", "3", "--pdf", "out.pdf", "--form", "11/23", "--flatten"},
       "--flatten is for --form official"},
      {{"--publisher", "3", "--pdf", "out.pdf", "--flatten"}, "--flatten is for the official form"},
      {{"--all", "--pdf-folder", "empty", "--form", "official", "--form-file", "form.pdf",
        "--flatten"},
       "--flatten can't go with --pdf-folder: the folder keeps fillable files"},
      {{"--all", "--ops", "-", "--form", "official", "--form-file", "form.pdf", "--flatten"},
       "--flatten is for --pdf"},
      {{"--all", "--pdf", "out.pdf", "--form", "11/23", "--form-file", "form.pdf"},
       "--form-file is for --form official"},
      {{"--all", "--pdf-folder", "empty"}, "--pdf-folder is for the official form"},
      {{"--all", "--pdf", "out.pdf", "--form", "official"}, "no form file: give --form-file"},
      {{"--all", "--pdf", "out.pdf", "--settings", "official.INI"}, "no form file gone.pdf"},
      {{"--all", "--ops", "-", "--form", "official", "--form-file", "tdat9.bin"},
       "the form file tdat9.bin is not a readable PDF document"},
      {{"--all", "--pdf-folder", "missing/below", "--form", "official", "--form-file", "form.pdf"},
       "no folder missing/below"},
      {{"--all", "--pdf", "form.pdf", "--settings", "stored.INI"}, "it is the form file"},
      {{"--all", "--ops", "-", "--gender", "--form", "official", "--form-file", "form.pdf"},
       "--gender is for the card S-21 10/15, not for --form official"},
  };
  for (const auto& c : cases) {
    RunResult run = Print(c.args);
    std::string what = c.message;
    EXPECT_EQ(run.status, 2) << what << "\n" << run.err;
    EXPECT_EQ(run.err.rfind("morvind-print: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "") << what;
    EXPECT_EQ(Snapshot(data_.Path()), before) << what;
  }
}

class CliPasswordTest : public CliTest {
 protected:
  test::DemoCongregation Demo() override {
    test::DemoCongregation data = test::MakeDemoCongregation(kToday);
    data.password = "Schlüssel";
    return data;
  }
};

TEST_F(CliPasswordTest, RefusedPasswordExitsWithStatusThreeAndWritesNothing) {
  const auto before = Snapshot(data_.Path());
  const struct {
    std::vector<std::string> password;
    const char* message;
  } refusals[] = {
      {{}, "give it with --password"},
      {{"--password", "Schluessel"}, "wrong password"},
      {{"--password", "schlüssel"}, "wrong password"},
      {{"--password", ""}, "wrong password"},
  };
  for (const auto& c : refusals) {
    std::vector<std::string> args = {"--all", "--pdf", "out.pdf"};
    args.insert(args.end(), c.password.begin(), c.password.end());
    RunResult run = Print(args);
    EXPECT_EQ(run.status, 3) << c.message << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Snapshot(data_.Path()), before) << c.message;
  }
  // The password comes before the choice of cards: an unknown publisher
  // is not revealed to someone without it.
  RunResult unknown = Print({"--publisher", "999", "--ops", "-"});
  EXPECT_EQ(unknown.status, 3) << unknown.err;

  RunResult granted = Print({"--all", "--ops", "-", "--password", "Schlüssel"});
  ASSERT_EQ(granted.status, 0) << granted.err;
  EXPECT_EQ(FirstTextOfEachPage(granted.out).size(), static_cast<std::size_t>(kListed));
}

TEST_F(CliTest, DefaultsAreTheWorkingDirectoryAndTheSettingsBesideTheProgram) {
  // A copy of the program with a settings file beside it, as morvind
  // keeps its morvind.INI; run from another folder with --data.
  test::TempFolder program("cli-program");
  ASSERT_TRUE(program.IsValid());
  const fs::path copy = program.File("morvind-print");
  fs::copy_file(kBinary, copy);
  WriteFile(program.File("morvind.INI"), "[Format]\nLast Name First=1\n");

  RunResult run = RunProgram(
      {"--publisher", "2", "--data", data_.Path().string(), "--ops", "-", "--date", kTodayText},
      capture_.Path(), capture_.Path(), copy.string());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(FirstTextOfEachPage(run.out), std::vector<std::string>{"Müller, Käthe"});
  EXPECT_EQ(ReadFile(program.File("morvind.INI")), "[Format]\nLast Name First=1\n");

  // Without --data the working directory holds the data.
  RunResult here = RunProgram({"--publisher", "2", "--ops", "-", "--date", kTodayText},
                              data_.Path(), capture_.Path(), copy.string());
  ASSERT_EQ(here.status, 0) << here.err;
  EXPECT_EQ(here.out, run.out);
}

// A text's reference point in a listing, and a word's box in a PDF page
// (points, from pdftotext -bbox).
struct ListedText {
  std::string text;
  int x = 0, y = 0, align = 0;
};
struct PdfWord {
  std::string text;
  double xMin = 0, yMin = 0, xMax = 0;
};

std::vector<ListedText> ListedTexts(const std::string& listing) {
  static const std::regex op(
      R"re(^\{"op":"text","x":(-?\d+),"y":(-?\d+),"align":(\d+),"text":"((?:[^"\\]|\\.)*)")re");
  std::vector<ListedText> texts;
  for (const std::string& line : Lines(listing)) {
    std::smatch m;
    if (!std::regex_search(line, m, op)) continue;
    std::string text = std::regex_replace(m[4].str(), std::regex(R"(\\(.))"), "$1");
    texts.push_back({text, std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3])});
  }
  return texts;
}

std::vector<PdfWord> PdfWords(const std::string& bbox) {
  static const std::regex word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  for (auto it = std::sregex_iterator(bbox.begin(), bbox.end(), word); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    words.push_back({m[4].str(), std::stod(m[1]), std::stod(m[2]), std::stod(m[3])});
  }
  return words;
}

void CliTest::ExpectListedPositionsArePrinted(const std::vector<std::string>& card,
                                              const std::vector<PositionCheck>& checks) {
  constexpr int kDpi = 1200;
  std::vector<std::string> pdfArgs = card, opsArgs = card;
  pdfArgs.insert(pdfArgs.end(), {"--pdf", capture_.File("card.pdf").string()});
  opsArgs.insert(opsArgs.end(),
                 {"--ops", capture_.File("card.jsonl").string(), "--dpi", std::to_string(kDpi)});
  ASSERT_EQ(Print(pdfArgs).status, 0);
  ASSERT_EQ(Print(opsArgs).status, 0);
  RunResult bbox = RunProgram({"-bbox", capture_.File("card.pdf").string(), "-"}, capture_.Path(),
                              capture_.Path(), "pdftotext");
  ASSERT_EQ(bbox.status, 0) << bbox.err;
  const std::vector<ListedText> listed = ListedTexts(ReadFile(capture_.File("card.jsonl")));
  const std::vector<PdfWord> words = PdfWords(bbox.out);

  auto listedText = [&](const std::string& text) -> const ListedText* {
    for (const ListedText& t : listed)
      if (t.text == text) return &t;
    return nullptr;
  };
  auto pdfWord = [&](const std::string& text) -> const PdfWord* {
    for (const PdfWord& w : words)
      if (w.text == text) return &w;
    return nullptr;
  };
  // Everything relative to the "Name:" label at the form's left edge, so
  // the page's own margins do not count. Texts placed after other texts
  // are the ones a made-up width rule would misplace.
  const ListedText* origin = listedText("Name:");
  const PdfWord* pdfOrigin = pdfWord("Name:");
  ASSERT_TRUE(origin && pdfOrigin);
  const double pointsPerUnit = 72.0 / kDpi;
  for (const PositionCheck& c : checks) {
    SCOPED_TRACE(c.listed);
    const ListedText* t = listedText(c.listed);
    const PdfWord* w = pdfWord(c.word);
    ASSERT_TRUE(t && w);
    double listedX = (t->x - origin->x) * pointsPerUnit;
    double listedY = (t->y - origin->y) * pointsPerUnit;
    double printedX = (c.rightEdge ? w->xMax : w->xMin) - pdfOrigin->xMin;
    EXPECT_NEAR(listedX, printedX, 1.0);
    EXPECT_NEAR(listedY, w->yMin - pdfOrigin->yMin, 1.0);
  }
}

TEST_F(CliTest, ListedPositionsOfTheCompleteCardAndTheSheetAreThePrintedOnes) {
  if (!ToolAvailable("pdftotext", capture_.Path())) GTEST_SKIP() << "poppler-utils missing";
  ExpectListedPositionsArePrinted({"--publisher", "2", "--complete-card"},
                                  {{"Ministerial servant", "servant", true},
                                   {"Elder", "Elder", true},
                                   {"Regular pioneer", "Regular", false},
                                   {"Anointed or \"other sheep\":", "Anointed", false},
                                   {"Mobile telephone:", "Mobile", false}});
  ExpectListedPositionsArePrinted({"--publisher", "4", "--form", "11/23"},
                                  {{"Ursula Schäfer", "Ursula", false},  // after "Name:"
                                   {"Female", "Female", false},
                                   {"September", "September", false},
                                   {"Total", "Total", true},
                                   {"S-21-E 11/23", "S-21-E", false}});
  // And "Name:" itself stands at the margins from the paper's corner: left
  // 0.20 inches, 0.40 below the top margin of 0.00 (no margin of the PDF's).
  RunResult bbox = RunProgram({"-bbox", capture_.File("card.pdf").string(), "-"}, capture_.Path(),
                              capture_.Path(), "pdftotext");
  const std::vector<PdfWord> words = PdfWords(bbox.out);
  const auto name = std::find_if(words.begin(), words.end(),
                                 [](const PdfWord& word) { return word.text == "Name:"; });
  ASSERT_NE(name, words.end());
  EXPECT_NEAR(name->xMin, 0.20 * 72, 1.0);
  EXPECT_NEAR(name->yMin, 0.40 * 72, 1.5);
}

// The test print: every page gets the test sheet in grey first (its grid in
// the unit of the settings), then the same black drawing as without it; the
// option's earlier name does the same.
TEST_F(CliTest, TestSheetDrawsTheGridUnderTheUnchangedCardsOfEveryVersion) {
  RunResult plain = Print({"--all", "--totals", "--gender", "--ops", "-"});
  RunResult sheet = Print({"--all", "--totals", "--gender", "--test-sheet", "--ops", "-"});
  RunResult overlay = Print({"--all", "--totals", "--gender", "--form-overlay", "--ops", "-"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(sheet.status, 0) << sheet.err;
  EXPECT_EQ(overlay.out, sheet.out);
  std::vector<std::string> black;
  int inches = 0;
  for (const std::string& line : Lines(sheet.out)) {
    if (line.find("\"colour\":") == std::string::npos) black.push_back(line);
    if (line.find("\"text\":\"0 Zoll\"") != std::string::npos) ++inches;
  }
  EXPECT_EQ(black, Lines(plain.out));
  EXPECT_EQ(inches, kListed);

  WriteFile(Settings(), "[Format]\nUnit=1\n");
  RunResult millimetres =
      Print({"--publisher", "1", "--card-version", "2", "--test-sheet", "--ops", "-"});
  EXPECT_EQ(millimetres.status, 0) << millimetres.err;
  EXPECT_NE(millimetres.out.find("\"text\":\"0 mm\""), std::string::npos);
}

TEST_F(CliTest, TheOfficialFormIsListedAndFiledByTheRulesOfAFolderOfRecords) {
  WriteFile(data_.File("form.pdf"), test::FillableFormPdf());
  const std::vector<std::string> lines = Lines(
      Print({"--publisher", "3", "--form", "official", "--form-file", "form.pdf", "--ops", "-"})
          .out);
  ASSERT_EQ(lines.size(), 1 + 74u);  // the page, then every field
  EXPECT_EQ(lines[3], "{\"op\":\"field\",\"name\":\"900_3_CheckBox\",\"checked\":true}");

  const fs::path records = capture_.File("records");
  fs::create_directory(records);
  const std::vector<std::string> file = {"--all",    "--form",       "official",      "--form-file",
                                         "form.pdf", "--pdf-folder", records.string()};
  fs::remove(records);  // made where its parent folder is
  RunResult first = Print(file);
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "morvind-print: 39 forms in " + records.string() +
                           ": 39 new, 0 changed, 0 unchanged, 0 kept\n");
  // A record overwritten with another's is never replaced, and is named.
  const std::vector<fs::path> files(fs::directory_iterator(records), {});
  ASSERT_EQ(files.size(), 39u);
  fs::copy_file(files[0], files[1], fs::copy_options::overwrite_existing);
  RunResult second = Print(file);
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.out, "morvind-print: 39 forms in " + records.string() +
                            ": 0 new, 0 changed, 38 unchanged, 1 kept\n");
  EXPECT_EQ(second.err, "morvind-print: kept " + files[1].filename().string() +
                            ": another publisher's record\n");
  // The filter doesn't rename anyone: the pioneers' files are theirs.
  const std::vector<std::string> pioneers = {"--all",    "--filter",     "pioneers",
                                             "--form",   "official",     "--form-file",
                                             "form.pdf", "--pdf-folder", records.string()};
  RunResult filtered = Print(pioneers);
  EXPECT_EQ(filtered.status, 0) << filtered.err;
  EXPECT_NE(filtered.out.find(": 0 new, 0 changed, "), std::string::npos) << filtered.out;

  // --pdf: one record's form stays fillable, unless --flatten; the list and
  // both service years go into one PDF with the fields drawn into the pages.
  if (!ToolAvailable("pdfinfo", capture_.Path())) GTEST_SKIP() << "poppler-utils missing";
  const struct {
    std::vector<std::string> args;
    std::string written;
    int pages;  // the test form has two
    const char* form;
  } pdfs[] = {
      {{"--publisher", "3"}, "1 form", 2, "AcroForm"},
      {{"--publisher", "3", "--flatten"}, "1 form", 2, "none"},
      {{"--all"}, "39 forms", 78, "none"},
      {{"--name", "Schäfer, K", "--both-years"}, "2 forms", 4, "none"},
  };
  const std::string out = capture_.File("out.pdf").string();
  for (const auto& c : pdfs) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--form", "official", "--form-file", "form.pdf", "--pdf", out});
    RunResult run = Print(args);
    EXPECT_EQ(run.out, "morvind-print: " + c.written + " written to " + out + "\n") << run.err;
    const std::string info = RunProgram({out}, capture_.Path(), capture_.Path(), "pdfinfo").out;
    auto line = [&](const std::string& key) {
      const std::regex pattern("(^|\n)" + key + ": +([^\n]*)");
      std::smatch match;
      return std::regex_search(info, match, pattern) ? match[2].str() : std::string();
    };
    EXPECT_EQ(line("Pages"), std::to_string(c.pages)) << info;
    EXPECT_EQ(line("Form"), c.form) << info;
  }
}

TEST_F(CliTest, HelpListsEveryOption) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"--all", "-h"}}) {
    RunResult run = RunProgram(args, data_.Path(), capture_.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* option :
         {"--data",          "--settings",      "--date",         "--password",
          "--publisher",     "--name",          "--all",          "--filter",
          "--months",        "--totals",        "--no-header",    "--gender",
          "--previous-year", "--complete-card", "--no-long-name", "--last-name-first",
          "--test-sheet",    "--form-overlay",  "--card-version", "--pdf",
          "--printer",       "--ops",           "--dpi",          "--help",
          "--version",       "--form",          "--form-file",    "--pdf-folder",
          "--both-years",    "--flatten"}) {
      EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
    // The complete card draws the months up to the report month, not all twelve.
    EXPECT_NE(run.out.find("every month up to the report month"), std::string::npos);
    EXPECT_NE(run.out.find("unassigned or congregation"), std::string::npos);
  }
}

TEST_F(CliTest, BothProgramsTellTheirVersionAndHelpWithoutADisplay) {
  const std::string version(kProgramVersion);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--version"}, std::vector<std::string>{"--all", "--version"}}) {
    RunResult run = RunProgram(args, data_.Path(), capture_.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "morvind-print " + version + "\n");
  }
  RunResult window = RunProgram({"--version"}, data_.Path(), capture_.Path(), kWindowBinary);
  EXPECT_EQ(window.status, 0);
  EXPECT_EQ(window.out, "morvind " + version + "\n");
  RunResult help = RunProgram({"--help"}, data_.Path(), capture_.Path(), kWindowBinary);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: morvind [DIR]\n", 0), 0u) << help.out;
  // Without a display anything else ends at once, as before.
  RunResult start = RunProgram({}, data_.Path(), capture_.Path(), kWindowBinary);
  EXPECT_EQ(start.status, 1);
  EXPECT_NE(start.err.find("no display"), std::string::npos) << start.err;
  EXPECT_EQ(Snapshot(data_.Path()).count("cplot.dat"), 0u);
}

}  // namespace
}  // namespace morvind
