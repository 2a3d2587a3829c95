// The official form on the largest data set (909 publishers), filled from
// the sheets as morvind-print --all plans them:
// - a pair measured in one run: the 909 filled forms into an empty folder
//   of records through the program's run (FillRecordsFolder) against a
//   bare loop with the same library (Poppler's Qt 6 interface) that loads
//   the same test form, sets the same values and writes each file the same
//   way (a temporary file, synced, renamed, the folder synced); the run
//   should stay within 25% of the loop;
// - the run again over the full folder, where every file is unchanged.
// Argument 1: the test form whose name, hours and remarks font lacks "ü"
// and "¾" (Poppler adds a font of the system); 0: one whose fonts have them.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poppler-form.h>
#include <poppler-qt6.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CardPlan.h"
#include "app/Language.h"
#include "data/CongregationData.h"
#include "printing/CardDocument.h"
#include "printing/SheetContent.h"
#include "printing/qt/RecordsFolderRun.h"
#include "support/DemoData.h"
#include "support/LoadedCongregation.h"
#include "support/FillableFormWriter.h"
#include "support/TempFolder.h"

namespace {

using namespace morvind;

// The 909 records of the list, with the values the sheet gives each.
const std::vector<FolderRecord>& TheRecords() {
  static const std::vector<FolderRecord> records = [] {
    const test::TempFolder& folder = test::FullDataSetFolder();
    static bench::LoadedFullCongregation congregation;
    CongregationData& data = congregation.data;
    PrintWishes wishes;
    wishes.form = RecordForm::kOfficialForm;
    const CardRequest base = congregation.BaseRequest(wishes);
    std::vector<FolderRecord> list;
    std::vector<RecordEntry> entries;
    int serviceYear = 0;
    for (int p = 1; p < data.table.Count(); ++p) {
      const CardRequest request = PlanCardRequest(data, p, base, folder.Folder());
      serviceYear = PrintedServiceYear(request);
      entries.push_back({request.cardName, data.table.PublisherId(p)});
      list.push_back({"", PublisherRecordKey(data.table.PublisherId(p)),
                      OfficialFormValues(MakeSheetContent(request))});
    }
    const std::vector<std::string> names = RecordFileNames(entries, serviceYear);
    for (std::size_t i = 0; i < list.size(); ++i) list[i].fileName = names[i];
    return list;
  }();
  return records;
}

// A test form and an empty folder of records beside it.
struct Folder {
  test::TempFolder root{"bench-form-folder"};
  std::filesystem::path form = root.Path() / "form.pdf";
  std::filesystem::path records = root.Path() / "records";
  explicit Folder(bool substituteFonts) {
    test::FillableFormOptions options;
    options.substituteFonts = substituteFonts;
    ReplaceFileContents(form, test::FillableFormPdf(options));
  }
  void Empty() const {
    std::filesystem::remove_all(records);
    std::filesystem::create_directory(records);
  }
  double Bytes() const {
    double bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(records))
      bytes += static_cast<double>(entry.file_size());
    return bytes;
  }
};

std::unique_ptr<OfficialForm> Open(const Folder& folder, benchmark::State& state) {
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form = OfficialForm::Open(folder.form, check);
  if (!form) state.SkipWithError("the test form does not open");
  return form;
}

// Both halves start from the same process state: the records planned, and
// fontconfig (which Poppler asks for a substitute font) started.
const std::vector<FolderRecord>& Prepared() {
  static const bool warm = [] {
    const Folder folder(true);
    FormFileCheck check;
    std::unique_ptr<OfficialForm> form = OfficialForm::Open(folder.form, check);
    if (form) form->Fill({{"900_1_Text_SanSerif", FormFieldKind::kText, "Müller ¾", false}});
    return true;
  }();
  (void)warm;
  return TheRecords();
}

void BM_FormsIntoEmptyFolder_Program(benchmark::State& state) {
  const std::vector<FolderRecord>& records = Prepared();
  const Folder folder(state.range(0) != 0);
  for (auto _ : state) {
    state.PauseTiming();
    folder.Empty();
    state.ResumeTiming();
    std::unique_ptr<OfficialForm> form = Open(folder, state);
    if (!form) break;
    const RecordsFolderResult result = FillRecordsFolder(*form, folder.records, records);
    if (result.tally.written != static_cast<int>(records.size()))
      state.SkipWithError("not written");
  }
  state.counters["files"] = static_cast<double>(records.size());
  state.counters["bytes"] = folder.Bytes();
}

// The same writes as the program's file writer: a temporary file in the
// folder, synced, renamed over the target, and the folder synced.
bool WriteSynced(const std::filesystem::path& target, const QByteArray& bytes) {
  const std::filesystem::path temporary = target.parent_path() / ".bench-temporary";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = ::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size();
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return ok;
}

void BM_FormsIntoEmptyFolder_BareLoop(benchmark::State& state) {
  const std::vector<FolderRecord>& records = Prepared();
  const Folder folder(state.range(0) != 0);
  QHash<QString, std::size_t> index;
  for (std::size_t i = 0; i < kOfficialFieldCount; ++i)
    index.insert(QString::fromStdString(OfficialFormFieldTable()[i].name), i);
  for (auto _ : state) {
    state.PauseTiming();
    folder.Empty();
    state.ResumeTiming();
    QFile file(QString::fromStdString(folder.form.string()));
    file.open(QIODevice::ReadOnly);
    std::unique_ptr<Poppler::Document> pdf = Poppler::Document::loadFromData(file.readAll());
    std::vector<std::unique_ptr<Poppler::Page>> pages;
    std::vector<std::pair<std::size_t, std::unique_ptr<Poppler::FormField>>> fields;
    for (int p = 0; p < pdf->numPages(); ++p) {
      pages.push_back(pdf->page(p));
      for (auto& field : pages.back()->formFields()) {
        const auto found = index.constFind(field->fullyQualifiedName().section('.', -1));
        if (found != index.constEnd()) fields.emplace_back(found.value(), std::move(field));
      }
    }
    for (const FolderRecord& record : records) {
      for (auto& [i, field] : fields) {
        const FormFieldValue& value = record.values[i];
        if (value.kind == FormFieldKind::kText) {
          static_cast<Poppler::FormFieldText&>(*field).setText(QString::fromStdString(value.text));
        } else {
          static_cast<Poppler::FormFieldButton&>(*field).setState(value.checked);
        }
      }
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      std::unique_ptr<Poppler::PDFConverter> converter = pdf->pdfConverter();
      converter->setOutputDevice(&buffer);
      converter->setPDFOptions(Poppler::PDFConverter::WithChanges);
      if (!converter->convert() || !WriteSynced(folder.records / record.fileName, bytes))
        state.SkipWithError("not written");
    }
  }
  state.counters["files"] = static_cast<double>(records.size());
  state.counters["bytes"] = folder.Bytes();
}

// Each pair one after the other, so that the machine's load meets both.
BENCHMARK(BM_FormsIntoEmptyFolder_Program)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_FormsIntoEmptyFolder_BareLoop)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_FormsIntoEmptyFolder_Program)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_FormsIntoEmptyFolder_BareLoop)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// A second run over the folder the first one filled: every file is read
// back and found unchanged, none is written.
void BM_FormsIntoFullFolder_Program(benchmark::State& state) {
  const std::vector<FolderRecord>& records = Prepared();
  const Folder folder(state.range(0) != 0);
  folder.Empty();
  {
    std::unique_ptr<OfficialForm> form = Open(folder, state);
    if (form) FillRecordsFolder(*form, folder.records, records);
  }
  for (auto _ : state) {
    std::unique_ptr<OfficialForm> form = Open(folder, state);
    if (!form) break;
    const RecordsFolderResult result = FillRecordsFolder(*form, folder.records, records);
    if (result.tally.unchanged != static_cast<int>(records.size()))
      state.SkipWithError("not unchanged");
  }
}
BENCHMARK(BM_FormsIntoFullFolder_Program)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace
