// The official form on the largest data set (909 publishers), filled from
// the sheets as morvind-print --all plans them:
// - a pair measured in one run: the 909 filled forms into an empty folder
//   of records through the program's run (FillRecordsFolder: the form read
//   once through the gate, a working copy, a fresh copy of it for each
//   record, every file sealed and written the careful way) against a bare
//   loop with the same library (Poppler's Qt 6 interface) that loads the
//   same form for each record, sets the same values and writes each file
//   the same way (a temporary file, synced, renamed, the folder synced);
//   the run should stay within 25% of the loop;
// - the run again over the full folder, where every file is unchanged:
//   within half of the first;
// - the same records into one flattened PDF (WriteRecordsPdf, the form
//   prepared for it: every field text in the embedded subset font), in
//   the same run as the folder: within 1.5 times the folder's time, and at
//   most 40 KB a record (the counter "bytesPerRecord").
// Argument 0: the test form whose fonts have every character; 1: the form
// as the real one is (names stored as UTF-16, NeedAppearances set, no
// appearance until a field is filled, the name, hours and remarks in a
// font without "ü", which the program's working copy draws in its own
// subset font).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poppler-form.h>
#include <poppler-qt6.h>
#include <unistd.h>

#include <QBuffer>
#include <QHash>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CardPlan.h"
#include "data/CongregationData.h"
#include "pdf/FormFonts.h"
#include "printing/CardDocument.h"
#include "printing/RecordsFolder.h"
#include "printing/qt/RecordsFolderRun.h"
#include "printing/qt/RecordsPdfFile.h"
#include "resources/FileWriter.h"
#include "support/DemoData.h"
#include "support/FillableFormWriter.h"
#include "support/LoadedCongregation.h"
#include "support/TempFolder.h"

namespace {

using namespace morvind;

// The 909 records of the list, planned as the window and morvind-print plan them.
const std::vector<CardRequest>& TheRequests() {
  static const std::vector<CardRequest> requests = [] {
    const test::TempFolder& folder = test::FullDataSetFolder();
    static bench::LoadedFullCongregation congregation;
    PrintWishes wishes;
    wishes.form = RecordForm::kOfficialForm;
    const CardRequest base = congregation.BaseRequest(wishes);
    std::vector<CardRequest> list;
    for (int p = 1; p < congregation.data.table.Count(); ++p)
      list.push_back(PlanCardRequest(congregation.data, p, base, folder.Folder()));
    return list;
  }();
  return requests;
}

test::FillableFormOptions FormOptions(bool asTheRealOne) {
  test::FillableFormOptions options;
  if (asTheRealOne) {
    options = test::OfficialLikeFormOptions();
  } else {
    options.substituteFonts = false;
  }
  return options;
}

// A test form and an empty folder of records beside it.
struct Folder {
  test::TempFolder root{"bench-form-folder"};
  std::filesystem::path form = root.Path() / "form.pdf";
  std::filesystem::path records = root.Path() / "records";
  explicit Folder(bool asTheRealOne) {
    ReplaceFileContents(form, test::FillableFormPdf(FormOptions(asTheRealOne)));
  }
  void Empty() const {
    std::filesystem::remove_all(records);
    std::filesystem::create_directory(records);
  }
  RecordsFolderJob Job() const { return PlanRecordsFolder(TheRequests(), false, records, form); }
  double Bytes() const {
    double bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(records))
      bytes += static_cast<double>(entry.file_size());
    return bytes;
  }
};

// What a run does: the form read and prepared, the folder filled.
RecordsFolderTally Run(const Folder& folder, const RecordsFolderJob& job, benchmark::State& state) {
  FormFileCheck check;
  std::unique_ptr<OfficialForm> form =
      OfficialForm::Open(folder.form, check, WorkingCopyOptionsFor(CodePage::kWindows1252));
  if (!form) {
    state.SkipWithError("the test form does not open");
    return {};
  }
  return FillRecordsFolder(*form, job);
}

void BM_FormsIntoEmptyFolder_Program(benchmark::State& state) {
  const Folder folder(state.range(0) != 0);
  const RecordsFolderJob job = folder.Job();
  for (auto _ : state) {
    state.PauseTiming();
    folder.Empty();
    state.ResumeTiming();
    if (Run(folder, job, state).written != static_cast<int>(job.records.size()))
      state.SkipWithError("not written");
  }
  state.counters["files"] = static_cast<double>(job.records.size());
  state.counters["bytes"] = folder.Bytes();
}

// The same writes as the program's file writer: a temporary file in the
// folder, synced, renamed over the target, and the folder synced.
bool WriteSynced(const std::filesystem::path& target, const QByteArray& bytes) {
  const std::filesystem::path temporary = target.parent_path() / ".bench-temporary";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = ::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size();
  ok = ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0 && ok;
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
  const Folder folder(state.range(0) != 0);
  const RecordsFolderJob job = folder.Job();
  QHash<QString, std::size_t> index;
  for (std::size_t i = 0; i < kOfficialFieldCount; ++i)
    index.insert(QString::fromStdString(OfficialFormFieldTable()[i].name), i);
  const test::Bytes bytes = test::ReadFileBytes(folder.form);
  const QByteArray form(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
  for (auto _ : state) {
    state.PauseTiming();
    folder.Empty();
    state.ResumeTiming();
    for (const FolderRecord& record : job.records) {
      std::unique_ptr<Poppler::Document> pdf = Poppler::Document::loadFromData(form);
      std::vector<std::unique_ptr<Poppler::Page>> pages;
      for (int p = 0; p < pdf->numPages(); ++p) {
        pages.push_back(pdf->page(p));
        for (auto& field : pages.back()->formFields()) {
          const auto found = index.constFind(field->fullyQualifiedName().section('.', -1));
          if (found == index.constEnd()) continue;
          const FormFieldValue& value = record.values[found.value()];
          if (value.kind == FormFieldKind::kText) {
            static_cast<Poppler::FormFieldText&>(*field).setText(
                QString::fromStdString(value.text));
          } else {
            static_cast<Poppler::FormFieldButton&>(*field).setState(value.checked);
          }
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
  state.counters["files"] = static_cast<double>(job.records.size());
  state.counters["bytes"] = folder.Bytes();
}

// The list's records into one flattened PDF beside the folder.
void BM_FormsIntoOnePdf_Program(benchmark::State& state) {
  const Folder folder(state.range(0) != 0);
  const std::vector<FolderRecord> records = PlanRecords(TheRequests(), false);
  const std::filesystem::path target = folder.root.Path() / "list.pdf";
  for (auto _ : state) {
    FormFileCheck check;
    std::unique_ptr<OfficialForm> form =
        OfficialForm::Open(folder.form, check, WorkingCopyOptionsFor(CodePage::kWindows1252, true));
    if (!form ||
        WriteRecordsPdf(*form, records, target, "S-21 Liste").outcome != PrintOutcome::kPrinted)
      state.SkipWithError("not written");
  }
  const double bytes = static_cast<double>(std::filesystem::file_size(target));
  state.counters["files"] = 1;
  state.counters["bytes"] = bytes;
  state.counters["bytesPerRecord"] = bytes / static_cast<double>(records.size());
}

// Each pair one after the other, so that the machine's load meets both.
BENCHMARK(BM_FormsIntoEmptyFolder_Program)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_FormsIntoOnePdf_Program)
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
BENCHMARK(BM_FormsIntoOnePdf_Program)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
// Poppler embeds a whole font of the system into every record of this
// form (about 0.15 s and 500 KB each): one pass is enough to see it.
BENCHMARK(BM_FormsIntoEmptyFolder_BareLoop)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// A second run over the folder the first one filled: every file is read
// back and found unchanged, none is written.
void BM_FormsIntoFullFolder_Program(benchmark::State& state) {
  const Folder folder(state.range(0) != 0);
  const RecordsFolderJob job = folder.Job();
  folder.Empty();
  Run(folder, job, state);
  for (auto _ : state) {
    if (Run(folder, job, state).unchanged != static_cast<int>(job.records.size()))
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
