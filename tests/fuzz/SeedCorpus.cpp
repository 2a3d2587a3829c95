#include "fuzz/SeedCorpus.h"

#include <cstdio>
#include <map>
#include <system_error>

#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "data/PublisherTable.h"
#include "fuzz/FuzzTargets.h"
#include "layout/CardVersion.h"
#include "layout/LayoutFile.h"
#include "pdf/OfficialFormFile.h"
#include "support/DataWriter.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"
#include "support/TempFolder.h"

namespace morvind::fuzz {
namespace {

constexpr std::uint8_t kGerman = 0, kRussian = 3, kGreek = 4, kPortuguese = 8;

// The four files of a data set, in the order of the data folder's parts.
struct DataFiles {
  Bytes table, groups, extended, remarks;
};

DataFiles FilesOf(const test::DemoCongregation& data) {
  test::TempFolder folder("fuzz-seed");
  std::string error;
  if (!folder.IsValid() || !test::WriteCongregation(folder.Path(), data, &error)) {
    std::fprintf(stderr, "can't write a seed data set: %s\n", error.c_str());
    return {};
  }
  return {test::ReadFileBytes(folder.File(kPublisherTableFile)),
          test::ReadFileBytes(folder.File(kGroupFile)),
          test::ReadFileBytes(folder.File(kExtendedInfoFile)),
          test::ReadFileBytes(folder.File(kRemarksFile))};
}

test::DemoPublisher Person(std::string first, std::string last, std::uint16_t id,
                           std::uint16_t extendedIndex, std::string longName) {
  test::DemoPublisher p;
  p.firstName = std::move(first);
  p.lastName = std::move(last);
  p.address = "1";
  p.birthDate = "03151970";
  p.immersedDate = "06201990";
  p.id = id;
  p.extendedIndex = extendedIndex;
  p.longName = std::move(longName);
  p.mobilePhone = "0170";
  p.SetFigure(8, kHours, 0, 10);
  p.quarters[8][0] = 3;
  p.remarks.push_back({9, 2024, "Kongress"});
  return p;
}

// Small data sets in the code pages of Russian and Greek data.
test::DemoCongregation CyrillicSet() {
  test::DemoCongregation data;
  data.codePage = CodePage::kWindows1251;
  data.extendedRecords = 3;
  data.publishers = {Person("Иван", "Петров", 11, 1, "Иван Сергеевич Петров"),
                     Person("Мария", "Иванова", 12, 2, "Мария Ивановна")};
  data.publishers[1].remarks = {{9, 2024, "Конгресс"}};
  return data;
}

test::DemoCongregation GreekSet() {
  test::DemoCongregation data;
  data.codePage = CodePage::kWindows1253;
  data.extendedRecords = 2;
  data.publishers = {Person("Νίκος", "Παπαδόπουλος", 11, 1, "Νικόλαος Παπαδόπουλος")};
  return data;
}

const std::map<std::string, std::pair<std::uint8_t, DataFiles>>& DataSets() {
  static const auto sets = [] {
    std::map<std::string, std::pair<std::uint8_t, DataFiles>> all;
    const LocalDate date = test::kBenchmarkDate;
    test::DemoCongregation demo = test::MakeDemoCongregation(date);
    all["demo"] = {kGerman, FilesOf(demo)};
    test::DemoCongregation secret = demo;
    secret.password = "Geheim";
    all["password"] = {kGerman, FilesOf(secret)};
    test::DemoCongregation plain = demo;
    plain.scrambled = false;
    all["plain"] = {kPortuguese, FilesOf(plain)};
    all["full"] = {kGerman, FilesOf(test::MakeFullCongregation(date))};
    all["cyrillic"] = {kRussian, FilesOf(CyrillicSet())};
    all["greek"] = {kGreek, FilesOf(GreekSet())};
    return all;
  }();
  return sets;
}

Bytes Cut(Bytes bytes, std::size_t size) {
  if (bytes.size() > size) bytes.resize(size);
  return bytes;
}

Bytes Longer(Bytes bytes, std::size_t extra, std::uint32_t seed) {
  test::AppendBytes(bytes, test::RandomBytes(extra, seed));
  return bytes;
}

// Seeds of a reader of one file: the file of every data set, then empty,
// short, cut and oversized versions of the demo's.
std::vector<Seed> OneFileSeeds(Bytes DataFiles::*file, std::size_t recordSize,
                               std::size_t oversized) {
  std::vector<Seed> seeds;
  for (const auto& [name, set] : DataSets())
    seeds.push_back({name, Join({set.first}, {set.second.*file})});
  const Bytes& demo = DataSets().at("demo").second.*file;
  const Bytes& full = DataSets().at("full").second.*file;
  seeds.push_back({"empty", Join({kGerman}, {Bytes{}})});
  seeds.push_back({"short", Join({kGerman}, {Cut(demo, recordSize / 2)})});
  seeds.push_back({"cut", Join({kGerman}, {Cut(demo, demo.size() - recordSize / 3)})});
  seeds.push_back({"oversized", Join({kGerman}, {Longer(full, oversized, 7)})});
  return seeds;
}

// Seeds of a reader of a file linked to the table: each data set alone
// (the table made from the file) and with its table.
std::vector<Seed> LinkedSeeds(Bytes DataFiles::*file, std::size_t recordSize) {
  std::vector<Seed> seeds;
  for (const auto& [name, set] : DataSets()) {
    seeds.push_back({name + "-alone", Join({set.first, 0}, {Bytes{}, set.second.*file})});
    seeds.push_back({name, Join({set.first, 1}, {set.second.table, set.second.*file})});
  }
  const DataFiles& demo = DataSets().at("demo").second;
  const DataFiles& full = DataSets().at("full").second;
  seeds.push_back({"empty", Join({kGerman, 1}, {demo.table, Bytes{}})});
  seeds.push_back({"short", Join({kGerman, 1}, {demo.table, Cut(demo.*file, recordSize / 2)})});
  seeds.push_back(
      {"oversized-alone", Join({kGerman, 0}, {Bytes{}, Longer(full.*file, 12 * recordSize, 9)})});
  return seeds;
}

std::vector<Seed> LayoutSeeds() {
  std::vector<Seed> seeds;
  const StringTable strings = StringTable::German();
  for (CardVersion v = 0; v < CardVersionCount(strings); ++v) {
    LayoutRecord layout;
    FillDefaultLayout(layout, v, strings);
    const Bytes bytes(layout.Bytes().begin(), layout.Bytes().end());
    const auto version = static_cast<std::uint8_t>(v);
    const std::string name = "version" + std::to_string(v);
    seeds.push_back({name, Join({version}, {bytes})});
    seeds.push_back({name + "-short", Join({version}, {Cut(bytes, 200)})});
    seeds.push_back({name + "-oversized", Join({version}, {Longer(bytes, 100, 3)})});
    // A damaged layout: slots without their zero, letters, a value with
    // three decimals, a point in the wrong place, blanks.
    LayoutRecord damaged = layout;
    const char* texts[] = {"12345678", "1.500", "abc", "12.5", " .51", "", "9.99", ".5"};
    for (int i = 0; i < 8; ++i) {
      const int slot = 6 * i + v;
      damaged.Set(slot, texts[i]);
      if (i == 0)
        std::copy(texts[0], texts[0] + 8, damaged.Bytes().begin() + slot * LayoutValue::kSize);
    }
    seeds.push_back({name + "-damaged",
                     Join({version}, {Bytes(damaged.Bytes().begin(), damaged.Bytes().end())})});
  }
  seeds.push_back({"empty", Join({0}, {Bytes{}})});
  return seeds;
}

Bytes TextBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::vector<Seed> SettingsSeeds() {
  // The file the program writes, read back from a temporary folder.
  Bytes written;
  {
    test::TempFolder folder("fuzz-seed");
    ProfileFile file(folder.File("morvind.INI"));
    Settings settings;
    settings.dateFormat = 2;
    settings.cardVersion = 1;
    settings.topMargin = "0.10";
    settings.firstNameSort = 1;
    SaveSettings(file, settings, "portuguese");
    written = test::ReadFileBytes(file.Path());
  }
  std::vector<Seed> seeds;
  auto add = [&](std::string name, std::uint8_t key, Bytes content) {
    seeds.push_back({std::move(name), Join({key, 5, 0, 0, 0, 1}, {std::move(content)})});
  };
  add("written", 0, written);
  add("written-margin", 3, written);
  add("empty", 6, Bytes{});
  add("crlf", 1,
      TextBytes("[Format]\r\nAlt Date Format=1\r\nLast Name First=1\r\nCard Version=2\r\n\r\n"
                "[Margins]\r\nTop=\"0.25\"\r\nLeft= 0.30 \r\n"));
  add("byte-order-mark", 4,
      TextBytes("\xEF\xBB\xBF[Margins]\nLeft=0.40\n\n[Format]\nCard Version=257\n"));
  add("hand-edited", 2,
      TextBytes("; edited by hand\n[format]\nalt date format = 3\n# a comment\n"
                "Alt Date Format=1\n[Format]\nCard Version=-1\n[FN Sort]\nEnabled=0\n"
                "[Data Location]\nDrive=3"));
  add("no-line-end", 5, TextBytes("[Margins]\nTop=0.05"));
  add("no-section", 3, TextBytes("Top=1.00\nLeft=2.00\n"));
  return seeds;
}

std::vector<Seed> DataFolderSeeds() {
  std::vector<Seed> seeds;
  for (const auto& [name, set] : DataSets()) {
    const DataFiles& f = set.second;
    seeds.push_back(
        {name, Join({0, set.first, 0x40, 3}, {f.table, f.groups, f.extended, f.remarks})});
  }
  const DataFiles& demo = DataSets().at("demo").second;
  auto demoWith = [&](std::string name, std::uint8_t absent, std::uint8_t choice, Bytes table) {
    seeds.push_back(
        {std::move(name), Join({absent, kGerman, choice, 9},
                               {std::move(table), demo.groups, demo.extended, demo.remarks})});
  };
  demoWith("demo-formats", 0, 0x07 | 0x20, demo.table);
  demoWith("demo-version1", 0, 0x08 | 0x80, demo.table);
  demoWith("demo-version2", 0, 0x12, demo.table);
  demoWith("no-extended-no-remarks", 0x0C, 0, demo.table);
  demoWith("no-table", 0x01, 0, demo.table);
  demoWith("cut-table", 0, 0x41, Cut(demo.table, 5 * test::kPublisherRecordSize + 100));
  return seeds;
}

// The test form and each of its faults, the form as the real one is (also
// in an embedded subset font, and made from a filled record), its older
// edition, and a working copy made of it.
std::vector<Seed> PdfSeeds() {
  using Fault = test::FillableFormOptions::Fault;
  const std::pair<const char*, Fault> faults[] = {
      {"form", Fault::kNone},
      {"missing-field", Fault::kMissingField},
      {"wrong-kind", Fault::kWrongKind},
      {"xfa", Fault::kXfa},
      {"no-acroform", Fault::kNoAcroForm},
      {"no-default-resources", Fault::kNoDefaultResources},
      {"dangling-reference", Fault::kDanglingReference},
      {"broken-xref", Fault::kBrokenXref},
      {"own-parent", Fault::kOwnParent},
      {"kids-cycle", Fault::kKidsCycle},
      {"deep-tree", Fault::kDeepTree},
      {"many-widgets", Fault::kManyWidgets}};
  std::vector<Seed> seeds;
  for (const auto& [name, fault] : faults) {
    test::FillableFormOptions options;
    options.fault = fault;
    seeds.push_back({name, TextBytes(test::FillableFormPdf(options))});
  }
  test::FillableFormOptions plain;
  plain.substituteFonts = false;
  seeds.push_back({"plain-fonts", TextBytes(test::FillableFormPdf(plain))});
  test::FillableFormOptions real = test::OfficialLikeFormOptions();
  seeds.push_back({"as-the-real-one", TextBytes(test::FillableFormPdf(real))});
  real.fieldFont = test::FillableFormOptions::FieldFont::kEmbeddedSubset;
  seeds.push_back({"embedded-subset-font", TextBytes(test::FillableFormPdf(real))});
  real.filledTemplate = true;
  seeds.push_back({"filled-template", TextBytes(test::FillableFormPdf(real))});
  real.edition = test::FillableFormOptions::Edition::kBefore1123;
  seeds.push_back({"older-edition", TextBytes(test::FillableFormPdf(real))});
  seeds.push_back({"working-copy",
                   TextBytes(PrepareOfficialFormBytes(test::FillableFormPdf(), {}).workingCopy)});
  return seeds;
}

}  // namespace

Bytes DemoTableFile() {
  return DataSets().at("demo").second.table;
}

std::vector<Seed> SeedsFor(std::string_view target) {
  if (target == "publisher_table")
    return OneFileSeeds(&DataFiles::table, test::kPublisherRecordSize,
                        6 * test::kPublisherRecordSize);
  if (target == "group_block") return OneFileSeeds(&DataFiles::groups, test::kGroupFileSize, 500);
  if (target == "extended_info")
    return LinkedSeeds(&DataFiles::extended, test::kExtendedRecordSize);
  if (target == "remarks") return LinkedSeeds(&DataFiles::remarks, test::kRemarkRecordSize);
  if (target == "layout_file") return LayoutSeeds();
  if (target == "settings_file") return SettingsSeeds();
  if (target == "data_folder") return DataFolderSeeds();
  if (target == "pdf_gate") return PdfSeeds();
  return {};
}

bool WriteSeedCorpora(const std::filesystem::path& root) {
  bool ok = true;
  for (const Target& target : kTargets) {
    const std::filesystem::path folder = root / target.name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const Seed& seed : SeedsFor(target.name))
      ok = test::WriteFileBytes(folder / ("seed-" + seed.name), seed.bytes) && ok;
  }
  return ok;
}

}  // namespace morvind::fuzz
