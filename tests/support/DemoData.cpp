#include "support/DemoData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/ExtendedInfo.h"
#include "data/PublisherTable.h"
#include "data/ServiceYear.h"
#include "support/TempFolder.h"

namespace morvind::test {
namespace {

// A small deterministic generator, so that the demo data are the same on
// every machine for the same date.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  int Roll(int low, int high) {  // inclusive
    state_ = state_ * 1664525u + 1013904223u;
    return low + static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(high - low + 1));
  }

 private:
  std::uint32_t state_;
};

enum class Service { kPublisher, kAuxiliary, kRegular, kSpecial };

struct Person {
  const char* firstName;
  const char* lastName;
  bool female;
  int group;
  int role;  // 0, record::kRoleServant, record::kRoleElder
  Service service;
  bool anointed;
  bool baptized;
  const char* longName;  // nullptr: no extended record
};

constexpr int kElder = record::kRoleElder;
constexpr int kServant = record::kRoleServant;

// clang-format off
const Person kPeople[] = {
    {"Jürgen", "Müller", false, 1, kElder, Service::kPublisher, false, true, "Jürgen Friedrich Müller-Lüdenscheidt"},
    {"Käthe", "Müller", true, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Klaus", "Schäfer", false, 2, kElder, Service::kPublisher, false, true, nullptr},
    {"Ursula", "Schäfer", true, 2, 0, Service::kRegular, false, true, nullptr},
    {"Günter", "Köhler", false, 3, kServant, Service::kPublisher, false, true, nullptr},
    {"Bärbel", "Köhler", true, 3, 0, Service::kAuxiliary, false, true, nullptr},
    {"Björn", "Weiß", false, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Gudrun", "Weiß", true, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Uwe", "Krüger", false, 2, kServant, Service::kPublisher, false, true, nullptr},
    {"Hildegard", "Krüger", true, 2, 0, Service::kPublisher, true, true, "Hildegard Margarete Krüger geb. Weißenbach"},
    {"Dieter", "Schröder", false, 3, kElder, Service::kRegular, false, true, nullptr},
    {"Jutta", "Schröder", true, 3, 0, Service::kPublisher, false, true, nullptr},
    {"Hans", "Groß", false, 1, kElder, Service::kPublisher, false, true, "Hans-Joachim Groß"},
    {"Doris", "Groß", true, 1, 0, Service::kAuxiliary, false, true, nullptr},
    {"Karl", "Fröhlich", false, 2, 0, Service::kPublisher, true, true, nullptr},
    {"Renate", "Fröhlich", true, 2, 0, Service::kAuxiliary, false, true, nullptr},
    {"Stefan", "Hübner", false, 3, kServant, Service::kPublisher, false, true, nullptr},
    {"Sabine", "Hübner", true, 3, 0, Service::kRegular, false, true, nullptr},
    {"Lukas", "Günther", false, 1, 0, Service::kAuxiliary, false, true, nullptr},
    {"Monika", "Günther", true, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Tobias", "Jäger", false, 2, kServant, Service::kRegular, false, true, nullptr},
    {"Claudia", "Jäger", true, 2, 0, Service::kSpecial, false, true, nullptr},
    {"Matthias", "Kühn", false, 3, 0, Service::kPublisher, false, true, nullptr},
    {"Brigitte", "Kühn", true, 3, 0, Service::kPublisher, false, true, nullptr},
    {"Andreas", "Böhm", false, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Sophie", "Böhm", true, 1, 0, Service::kPublisher, false, false, "Sophie-Charlotte Böhm"},
    {"Peter", "Wöhler", false, 2, 0, Service::kPublisher, false, true, nullptr},
    {"Lena", "Wöhler", true, 2, 0, Service::kPublisher, false, false, ""},
    {"Ralf", "Döring", false, 3, 0, Service::kPublisher, false, true, nullptr},
    {"Marlies", "Döring", true, 3, 0, Service::kAuxiliary, false, true, nullptr},
    {"Sönke", "Lührs", false, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Annegret", "Lührs", true, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Jens", "Jürgens", false, 2, 0, Service::kPublisher, false, false, nullptr},
    {"Maximilian", "Schütz", false, 3, 0, Service::kPublisher, false, false, "Maximilian Alexander von Schütz"},
    {"Elke", "Brückner", true, 3, 0, Service::kPublisher, false, true, nullptr},
    {"Dörte", "Mäder", true, 2, 0, Service::kPublisher, false, true, nullptr},
    {"Ömer", "Özdemir", false, 0, 0, Service::kPublisher, false, true, nullptr},
    {"Anna", "Meier", true, 1, 0, Service::kPublisher, false, true, nullptr},
    {"Friedrich", "Weißmüller", false, 3, kElder, Service::kPublisher, true, true, nullptr},
    {"Erwin", "Pöhlmann", false, 2, 0, Service::kPublisher, false, true, nullptr},
};
// clang-format on
// Inactive since the middle of the current service year: his earlier
// reports still count in the congregation's totals.
constexpr const char* kInactiveLastName = "Pöhlmann";

const char* const kStreets[] = {"Lindenstraße",  "Am Mühlbach", "Schloßallee", "Gartenweg",
                                "Bahnhofstraße", "Kirchplatz",  "Uferstraße",  "Höhenweg"};
const char* const kTowns[] = {"28195 Bremen", "28203 Bremen", "28717 Bremen-Lesum",
                              "27721 Ritterhude"};
const char* const kRemarkTexts[] = {
    "Krank", "Urlaub", "Bericht nachgereicht", "Kongress besucht", "Umzug", "Kreisaufseher-Besuch"};

std::string Format(const char* format, int a, int b = 0, int c = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

// MMDDYYYY
std::string StoredDate(int month, int day, int year) {
  return Format("%02d%02d%04d", month, day, year);
}

// The calendar year of card row `row` (0 = September) in the service year
// ending in August of `endYear`.
int RowYear(int row, int endYear) {
  return row < 4 ? endYear - 1 : endYear;
}

// Fills one month's report.
void Report(DemoPublisher& p, Dice& dice, int month, int slot, Service service) {
  int hours = 0;
  switch (service) {
    case Service::kRegular:
    case Service::kSpecial:
      hours = dice.Roll(45, 80);
      break;
    case Service::kAuxiliary:
      hours = dice.Roll(28, 55);
      break;
    case Service::kPublisher:
      hours = dice.Roll(2, 18);
      break;
  }
  p.SetFigure(month, kPlacements, slot, static_cast<std::uint16_t>(dice.Roll(0, hours / 2)));
  p.SetFigure(month, kVideoShowings, slot, static_cast<std::uint16_t>(dice.Roll(0, 6)));
  p.SetFigure(month, kHours, slot, static_cast<std::uint16_t>(hours));
  p.SetFigure(month, kReturnVisits, slot, static_cast<std::uint16_t>(dice.Roll(0, hours / 3)));
  p.SetFigure(month, kBibleStudies, slot, static_cast<std::uint16_t>(dice.Roll(0, 3)));
  p.quarters[static_cast<std::size_t>(month)][static_cast<std::size_t>(slot)] =
      static_cast<std::uint8_t>(dice.Roll(0, 4) == 0 ? dice.Roll(1, 3) : 0);
}

struct Period {
  int reportMonth;  // 0..11
  int currentYear;
  int endYear;  // calendar year the current service year ends in
  int elapsed;  // rows of the current service year reported so far
};

Period PeriodOf(const LocalDate& today) {
  Period period{};
  period.reportMonth = (today.month + 10) % 12;  // the previous calendar month
  period.currentYear = today.year;
  period.endYear = CurrentServiceYearEnd(period.reportMonth, period.currentYear);
  period.elapsed = ElapsedMonths(period.reportMonth);
  return period;
}

// Reports of the previous service year (all rows) and of the current one up
// to the report month (or its first `currentRows` rows); `allMonths` fills
// the rest of the current year too.
void FillReports(DemoPublisher& p, Dice& dice, const Period& period, Service service,
                 bool allMonths, int currentRows = 12) {
  for (int previous = 1; previous >= 0; --previous) {
    const int rows = (previous || allMonths) ? 12 : std::min(period.elapsed, currentRows);
    for (int row = 0; row < rows; ++row) {
      const int month = RowMonth(row);
      const int slot = RowSlot(row, period.reportMonth, period.currentYear, previous != 0);
      Service monthService = service;
      // Auxiliary pioneers serve in some months only; the rest they report
      // as publishers.
      if (service == Service::kAuxiliary && dice.Roll(0, 2) != 0)
        monthService = Service::kPublisher;
      const std::uint8_t status = monthService == Service::kSpecial     ? kStatusSpecialPioneer
                                  : monthService == Service::kRegular   ? kStatusRegularPioneer
                                  : monthService == Service::kAuxiliary ? kStatusAuxiliaryPioneer
                                                                        : kStatusPublisher;
      p.monthStatus[static_cast<std::size_t>(month)][static_cast<std::size_t>(slot)] = status;
      Report(p, dice, month, slot, monthService);
      if (monthService == Service::kAuxiliary && service == Service::kAuxiliary &&
          dice.Roll(0, 1) == 0)
        p.remarks.push_back({month + 1, RowYear(row, period.endYear - previous), "Ziel 30 Std."});
    }
  }
}

DemoGroup Group(const char* name, const char* overseer, const char* place) {
  return DemoGroup{name, overseer, place, "Di 19:00", "Gr. 1"};
}

}  // namespace

DemoCongregation MakeDemoCongregation(const LocalDate& today) {
  const Period period = PeriodOf(today);
  DemoCongregation data;
  data.groupCount = 3;
  data.groups = {Group("Gruppe Nord", "Jürgen Müller", "Königreichssaal"),
                 Group("Gruppe Süd", "Klaus Schäfer", "bei Krügers"),
                 Group("Gruppe Mitte", "Dieter Schröder", "bei Schröders")};
  data.groups[1].e = "Gr. 2";
  data.groups[2].e = "Gr. 3";

  Dice dice(static_cast<std::uint32_t>(today.year * 12 + today.month));
  std::uint16_t extended = 0;
  int n = 0;
  for (const Person& person : kPeople) {
    DemoPublisher p;
    p.firstName = person.firstName;
    p.lastName = person.lastName;
    p.address =
        std::string(kStreets[n % 8]) + " " + std::to_string(3 + 7 * n % 60) + ", " + kTowns[n % 4];
    p.homePhone = Format("0421 %06d", 310000 + 4733 * n % 600000);
    if (n % 3 != 2) p.mobilePhone = Format("0171 %07d", 2100000 + 91733 * n % 7000000);
    const int birthYear = person.baptized ? 1945 + (n * 7) % 50 : 2008 + n % 7;
    p.birthDate = StoredDate(1 + n % 12, 1 + (n * 5) % 28, birthYear);
    if (person.baptized) {
      p.immersedDate = StoredDate(1 + (n * 7) % 12, 1 + (n * 3) % 28, birthYear + 14 + n % 20);
    } else if (n % 2 == 0) {
      p.immersedDate = "        ";  // a cleared field, as the companion program leaves it
    }
    p.hope = person.anointed ? 'A' : 'O';
    p.group = person.group;
    p.id = static_cast<std::uint16_t>(100 + n);
    p.roleFlags =
        static_cast<std::uint8_t>(person.role | (person.female ? record::kFemale : record::kMale));
    p.inactive = std::string(person.lastName) == kInactiveLastName;
    if (person.longName) {
      p.extendedIndex = ++extended;
      p.longName = person.longName;
      p.extendedText2 = person.longName[0] ? "Notfall: Familie" : "Sprache: Deutsch";
      p.extendedText3 = "Karte 2";
    }
    // The inactive publisher reported in the first half of the service year.
    FillReports(p, dice, period, person.service, false,
                p.inactive ? std::max(1, period.elapsed / 2) : 12);
    // A few remarks in the current and the previous service year.
    if (n % 5 == 1) {
      const int row = dice.Roll(0, period.elapsed - 1);
      p.remarks.push_back({RowMonth(row) + 1, RowYear(row, period.endYear), kRemarkTexts[n % 5]});
    }
    if (n % 7 == 3) {
      const int row = dice.Roll(0, 11);
      p.remarks.push_back(
          {RowMonth(row) + 1, RowYear(row, period.endYear - 1), kRemarkTexts[(n + 2) % 5]});
    }
    data.publishers.push_back(std::move(p));
    ++n;
  }
  data.extendedRecords = extended + 1;
  return data;
}

DemoCongregation MakeFullCongregation(const LocalDate& today) {
  static const char* const kFirst[] = {
      "Jürgen",  "Käthe",    "Klaus",     "Ursula",  "Günter", "Bärbel", "Björn",
      "Gudrun",  "Uwe",      "Hildegard", "Dieter",  "Jutta",  "Hans",   "Doris",
      "Karl",    "Renate",   "Stefan",    "Sabine",  "Lukas",  "Monika", "Tobias",
      "Claudia", "Matthias", "Brigitte",  "Andreas", "Sophie", "Peter",  "Lena"};
  static const char* const kLast[] = {
      "Müller",   "Schäfer",    "Köhler",   "Weiß",   "Krüger",   "Schröder",  "Groß",
      "Fröhlich", "Hübner",     "Günther",  "Jäger",  "Kühn",     "Böhm",      "Wöhler",
      "Döring",   "Lührs",      "Jürgens",  "Schütz", "Brückner", "Mäder",     "Özdemir",
      "Meier",    "Weißmüller", "Pöhlmann", "Bäcker", "Schmidt",  "Schneider", "Fischer",
      "Becker",   "Hoffmann",   "Schulz",   "Koch",   "Richter"};
  constexpr int kPublishers = PublisherTable::kCapacity - 1;
  constexpr int kExtended = ExtendedInfo::kMaxRecords - 1;
  constexpr int kRemarks = 898;

  const Period period = PeriodOf(today);
  DemoCongregation data;
  data.groupCount = 20;
  for (int g = 0; g < 20; ++g) data.groups.push_back(Group("Gruppe", "Aufseher", "Saal"));

  Dice dice(909);
  int remarks = 0;
  for (int n = 0; n < kPublishers; ++n) {
    DemoPublisher p;
    p.firstName = kFirst[n % 28];
    p.lastName = kLast[(n / 28) % 33];
    p.address =
        std::string(kStreets[n % 8]) + " " + std::to_string(1 + n % 97) + ", " + kTowns[n % 4];
    p.homePhone = Format("0421 %06d", 100000 + n);
    p.mobilePhone = Format("0171 %07d", 3000000 + n);
    p.birthDate = StoredDate(1 + n % 12, 1 + n % 28, 1940 + n % 60);
    p.immersedDate =
        n % 9 == 0 ? "" : StoredDate(1 + (n + 3) % 12, 1 + (n + 7) % 28, 1960 + n % 50);
    p.hope = n % 50 == 0 ? 'A' : 'O';
    p.group = 1 + n % 20;
    p.id = static_cast<std::uint16_t>(1000 + n);
    const bool female = n % 28 % 2 == 1;
    p.roleFlags = static_cast<std::uint8_t>((female ? record::kFemale : record::kMale) |
                                            (!female && n % 6 == 0   ? record::kRoleElder
                                             : !female && n % 6 == 2 ? record::kRoleServant
                                                                     : 0));
    if (n < kExtended) {
      p.extendedIndex = static_cast<std::uint16_t>(n + 1);
      p.longName = p.firstName + " " + p.lastName + " geb. " + kLast[(n + 5) % 33];
      p.extendedText2 = "Notfall: Familie";
      p.extendedText3 = "Karte";
    }
    const Service service = n % 10 == 0   ? Service::kRegular
                            : n % 10 == 5 ? Service::kAuxiliary
                                          : Service::kPublisher;
    FillReports(p, dice, period, service, true);
    p.remarks.clear();
    if (remarks < kRemarks) {
      p.remarks.push_back({1 + n % 12, period.endYear - (n % 2), kRemarkTexts[n % 6]});
      ++remarks;
    }
    data.publishers.push_back(std::move(p));
  }
  data.extendedRecords = kExtended + 1;
  return data;
}

const TempFolder& FullDataSetFolder() {
  static const std::unique_ptr<TempFolder> folder = [] {
    auto made = std::make_unique<TempFolder>("full-data");
    std::string error;
    if (!made->IsValid() ||
        !WriteCongregation(made->Path(), MakeFullCongregation(kBenchmarkDate), &error)) {
      std::fprintf(stderr, "can't write the full data set: %s\n", error.c_str());
      std::abort();
    }
    return made;
  }();
  return *folder;
}

}  // namespace morvind::test
